#pragma once

#include <QListView>
#include <QPair>
#include <QPoint>

namespace kazari
{

class ItemList;

/// The item list in the icon and list styles. With positions on, items whose record
/// holds a saved position stand there after every layout, and a drag of selected items
/// inside the list reports where they were dropped instead of moving them itself.
class ItemIconView : public QListView
{
    Q_OBJECT

public:
    ItemIconView(ItemList &list, QWidget *parent = nullptr);

    /// `positions`: saved positions are applied; `dragMoves`: a drag inside the list
    /// reports new positions (`positionsDropped`).
    void setPositions(bool positions, bool dragMoves);
    bool positions() const { return m_positions; }

    void doItemsLayout() override;

Q_SIGNALS:
    /// Selected rows dragged to new positions (contents coordinates, left and top);
    /// `under` is the caption of another item under the drop point, if any.
    void positionsDropped(const QList<QPair<int, QPoint>> &moves, const QString &under);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void applyPositions();

    ItemList &m_list;
    bool m_positions = false;
    bool m_dragMoves = false;
    QPoint m_pressAt;
};

} // namespace kazari
