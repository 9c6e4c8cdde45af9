#pragma once

#include "ui/app/mainwindow.h"

#include <QList>
#include <QPair>
#include <QStringList>

#include <functional>

namespace kazari
{

/// The main window's start-up steps and shutdown steps, in their fixed orders, with
/// the logs that record them and the work other parts hook into a shutdown step.
class WindowLifecycle
{
public:
    using ShutdownStep = MainWindow::ShutdownStep;

    explicit WindowLifecycle(MainWindow &window);

    /// The start-up steps; each step's name goes to the log and the splash window.
    void FormCreate();
    /// The shutdown steps; run once, by closing or by destroying the window.
    void FormClose();
    /// A close request: releases waiting open requests, then shuts down.
    void close();

    void onShutdown(ShutdownStep step, std::function<void(bool withFiles)> work);
    const QStringList &startupLog() const { return m_startupLog; }
    const QStringList &shutdownLog() const { return m_shutdownLog; }

private:
    void step(const QString &text);
    void runShutdown(ShutdownStep step, bool withFiles);
    void prepareFreeTree();
    void openFirstFolder();
    void storeStateValues();

    MainWindow &m_w;
    QStringList m_startupLog;
    QStringList m_shutdownLog;
    QList<QPair<ShutdownStep, std::function<void(bool)>>> m_shutdownWork;
};

} // namespace kazari
