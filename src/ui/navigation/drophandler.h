#pragma once

#include "core/navigation/dropplan.h"

#include <QObject>
#include <QPoint>
#include <QPointer>

#include <functional>

class QAbstractItemView;
class QAction;
class QDropEvent;
class QDragMoveEvent;
class QMenu;
class QMimeData;

namespace kazari
{

class MainWindow;

/// Files dropped onto the main window and items dragged inside the item list.
///
/// A drop from another program is read at once (only local files, each path whole) and
/// accepted as a copy, so the other program never removes anything; what it leads to (the
/// drop menu "ファイルドロップのメニュー", appending to a list file) runs after the drop
/// has returned, and a move chosen there is done by Kazari's own file operations.
///
/// With "ドロップ可能" on, dragging the selection out of the item list starts a drag of its
/// files and sets the own drag flag: dropped back onto the list it shows no drop menu; onto
/// a folder entry that is not selected, with "フォルダに直接ドロップ可能" on, the dragged
/// items go into that folder with the copy and move dialog's operation and tick box; onto
/// the list elsewhere they are moved to new icon positions when positions are in use.
class DropHandler : public QObject
{
    Q_OBJECT

public:
    /// Shows the drop menu at a global position and returns the entry chosen (nullptr
    /// when dismissed); tests choose without a window.
    using MenuChooser = std::function<QAction *(QMenu &menu, const QPoint &at)>;

    explicit DropHandler(MainWindow &form);
    ~DropHandler() override;

    /// The caption of the drop menu.
    static QString menuTitle() { return QStringLiteral("ファイルドロップのメニュー"); }

    /// A drag of the item list's selection is in progress (set while it runs).
    bool ownDrag() const { return m_ownDrag; }
    void setOwnDrag(bool on) { m_ownDrag = on; }
    void setMenuChooser(MenuChooser chooser) { m_chooser = std::move(chooser); }

    /// The drop menu for paths dropped from outside, into `destination` (a folder key).
    void showDropMenu(const QStringList &paths, const QString &destination, const QPoint &at);
    /// Items dragged onto a folder entry: into `folder` with the copy and move dialog's
    /// operation and tick box. `dragged` and `folder` were taken at the drop.
    void dropOntoFolder(const QStringList &dragged, const QString &folder, const QString &caption);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watchViews();
    bool listEvent(QAbstractItemView *view, QEvent *event);
    bool formEvent(QEvent *event);
    bool acceptsOutsideDrop(const QMimeData *mime) const;
    void outsideDrop(const QMimeData *mime, DropPlan::Place place, const QPoint &globalAt);
    bool isOwn(const QDropEvent *event) const;
    /// Accepts a drag passing over as a copy when it is ours or brings local files.
    void answerDragMove(QDragMoveEvent *event) const;
    /// A drop of our own drag onto the list at `at` (viewport coordinates); `event` when
    /// the list's viewport received it. False when the list is to handle it itself.
    bool ownDrop(QAbstractItemView *view, const QMimeData *mime, const QPoint &at,
                 QDropEvent *event);
    void startOwnDrag(QAbstractItemView *view);
    DropPlan::Place placeAt(const QPoint &formPos) const;
    /// Runs work once the drop (and a drag of our own, if one runs) has returned.
    void afterDrop(std::function<void()> work);
    void appendToListFile(const QStringList &lines, const QStringList &refused);
    void selectArrived(const QString &destination);

    MainWindow &m_form;
    MenuChooser m_chooser;
    bool m_ownDrag = false;
    bool m_inDrag = false;
    bool m_resending = false;
    std::function<void()> m_afterDrag;
    QPoint m_pressAt;
    QPointer<QAbstractItemView> m_pressedIn;
    bool m_pressedOnItem = false;
};

} // namespace kazari
