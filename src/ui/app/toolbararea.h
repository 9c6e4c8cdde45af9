#pragma once

#include "core/app/toolbarlayout.h"

#include <QList>
#include <QString>
#include <QStringList>

class QMainWindow;
class QToolBar;

namespace kazari
{

class CommandRegistry;

/// The main window's tool bar area: its bars, their designed and stored visibility and
/// places (`ToolBar.ini`), and the whole area shown or hidden ("ツールバー全体").
class ToolBarArea
{
public:
    explicit ToolBarArea(QMainWindow &window);

    /// Adds a bar at the end of the area; `designedVisible` is its state without a file.
    void add(QToolBar *bar, bool designedVisible);
    /// A bar by its component name, or nullptr.
    QToolBar *bar(const QString &name) const;
    const QList<QToolBar *> &bars() const { return m_bars; }

    /// Restores places and visibility from a `ToolBar.ini` (the designed layout when it
    /// is absent or does not know every bar's place).
    void restore(const QString &file);
    /// Shows or hides the whole area. Only a change touches the bars: hiding records each
    /// bar's own visibility, showing brings back what was recorded.
    void setAreaVisible(bool visible);
    bool areaVisible() const { return m_areaVisible; }
    /// Marks each bar's own command ("cmd" + its name) as its bar is shown.
    void syncMarks(CommandRegistry &commands) const;
    /// What `ToolBar.ini` keeps at exit; with the area hidden, each bar's own visibility.
    QList<ToolBarState> states() const;

private:
    void arrange(const QList<QStringList> &rows);
    bool ownHidden(const QToolBar *bar) const;

    QMainWindow &m_window;
    QList<QToolBar *> m_bars;
    QList<ToolBarState> m_designed;
    bool m_areaVisible = true;
};

} // namespace kazari
