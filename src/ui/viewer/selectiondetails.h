#pragma once

#include "core/viewer/selectionrules.h"

#include <QObject>
#include <QPointer>
#include <QThreadPool>
#include <QTimer>

#include <atomic>
#include <memory>

class QAction;

namespace kazari
{

class MainWindow;
class StickyNoteWindow;
class ViewerPageWidget;

/// What the main window shows about the selected item: the comment and the path in the
/// status bar, the viewer page "ビュー" and the sticky note; also the selection commands
/// of the edit menu and the two sticky note switches.
///
/// Selection changes are gathered and handled once the event loop is idle, for the item
/// they end on: selecting 100,000 items at once runs the handler once, with the same
/// result as running it for each. The viewer page is filled on a worker thread; a result
/// that arrives after the selection moved on is dropped.
class SelectionDetails : public QObject
{
    Q_OBJECT

public:
    static SelectionDetails *install(MainWindow &form);
    explicit SelectionDetails(MainWindow &form);
    ~SelectionDetails() override;

    ViewerPageWidget *viewerPage() const { return m_page; }
    StickyNoteWindow *stickyNote() const { return m_note; }
    /// How many times the handler ran (it runs once per gathered change).
    int handledCount() const { return m_handled; }
    /// Handles gathered selection changes now instead of at the next idle moment.
    void flush();
    /// Whether a viewer page fill is still running.
    bool viewerBusy() const { return m_pending > 0; }

Q_SIGNALS:
    /// The selection changed to `row` (selected or deselected): the comment box and the
    /// extended comment editor refresh here, before the viewer page is filled.
    void refreshComment(int row, bool selected);
    /// After the viewer page: the detail information window.
    void refreshDetailWindow(int row, bool selected);
    /// Last: the icon colour tool.
    void refreshIconColourTool(int row, bool selected);
    /// A viewer page fill arrived and is shown.
    void viewerFilled();

private:
    bool onCommand(const QString &name, QAction *action);
    void onSelectionChanged();
    void handle(int row, bool selected);
    void fillViewer(int row);
    void placeNote(int row, bool selected);
    bool isOn(const QString &command) const;
    void stopViewer();

    MainWindow &m_form;
    ViewerPageWidget *m_page = nullptr;
    StickyNoteWindow *m_note = nullptr;
    QTimer m_gather;
    int m_lastRow = -1;
    int m_handled = 0;
    int m_pending = 0;
    quint64 m_generation = 0;
    std::shared_ptr<std::atomic_bool> m_cancel;
    QThreadPool m_pool;
};

} // namespace kazari
