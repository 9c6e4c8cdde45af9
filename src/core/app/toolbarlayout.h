#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kazari
{

/// The position and state of one tool bar as kept in `ToolBar.ini`.
struct ToolBarState {
    QString name;
    bool visible = true;
    bool floating = false;
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0;
    QString dockSiteName;
};

/// `ToolBar.ini`: eight lines per tool bar, "[" + name + "]" followed by `Visible=`,
/// `Floating=`, `Width=`, `Height=`, `Left=`, `Top=` and `DockSiteName=`.
///
/// Reading takes the six lines after a bar's heading by position (visible, floating,
/// width, height, left, top), using only the part after "=". A missing line or a value
/// that is not an integer keeps the designed value of that field; floating is not
/// restored.
class ToolBarLayout
{
public:
    static QString fileName() { return QStringLiteral("ToolBar.ini"); }

    /// Applies the lines of a `ToolBar.ini` to the designed states, by bar name.
    static void apply(const QStringList &lines, QList<ToolBarState> &bars);
    /// The lines written at exit, in the order of `bars`.
    static QStringList lines(const QList<ToolBarState> &bars);

    /// The bars arranged in rows as their stored places say: rows from top to bottom,
    /// bars in a row from left to right; a bar whose top lies within the height of a row's
    /// first bar belongs to that row. Empty when a bar has no stored size (it was not in
    /// the file), so the designed arrangement stays.
    static QList<QStringList> rows(const QList<ToolBarState> &bars);

    /// Reads the file and applies it; returns false (bars unchanged) when it is absent.
    static bool load(const QString &path, QList<ToolBarState> &bars);
    static bool save(const QString &path, const QList<ToolBarState> &bars,
                     QString *error = nullptr);
};

} // namespace kazari
