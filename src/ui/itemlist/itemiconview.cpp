#include "ui/itemlist/itemiconview.h"

#include "core/itemlist/itemlist.h"

#include <QDropEvent>
#include <QMouseEvent>

namespace kazari
{

ItemIconView::ItemIconView(ItemList &list, QWidget *parent)
    : QListView(parent)
    , m_list(list)
{
}

void ItemIconView::setPositions(bool positions, bool dragMoves)
{
    m_positions = positions;
    m_dragMoves = positions && dragMoves;
}

void ItemIconView::doItemsLayout()
{
    QListView::doItemsLayout();
    if (m_positions && viewMode() == IconMode)
        applyPositions();
}

void ItemIconView::applyPositions()
{
    if (!model() || movement() == Static)
        return;
    const int rows = std::min(m_list.count(), model()->rowCount());
    for (int row = 0; row < rows; ++row) {
        const std::optional<QPoint> &p = m_list.at(row).Point;
        if (p)
            setPositionForIndex(QPoint(std::max(0, p->x()), std::max(0, p->y())),
                                model()->index(row, 0));
    }
}

void ItemIconView::mousePressEvent(QMouseEvent *event)
{
    m_pressAt = event->position().toPoint();
    QListView::mousePressEvent(event);
}

void ItemIconView::dragMoveEvent(QDragMoveEvent *event)
{
    if (m_dragMoves && event->source() == this) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
        return;
    }
    QListView::dragMoveEvent(event);
}

void ItemIconView::dropEvent(QDropEvent *event)
{
    if (!(m_dragMoves && event->source() == this)) {
        QListView::dropEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    const QPoint offset = at - m_pressAt;
    QList<QPair<int, QPoint>> moves;
    QModelIndexList selected = selectionModel()->selectedIndexes();
    std::sort(selected.begin(), selected.end(),
              [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    for (const QModelIndex &i : std::as_const(selected)) {
        if (i.column() == 0)
            moves.append({i.row(), rectForIndex(i).topLeft() + offset});
    }
    QString under;
    const QModelIndex target = indexAt(at);
    if (target.isValid() && !selectionModel()->isSelected(target))
        under = target.data().toString();
    // Copy, so the drag's source never removes anything.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    if (!moves.isEmpty())
        Q_EMIT positionsDropped(moves, under);
}

} // namespace kazari
