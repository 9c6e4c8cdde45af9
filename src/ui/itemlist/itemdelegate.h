#pragma once

#include "core/decoration/captioncolours.h"
#include "ui/itemlist/itemlistlook.h"

#include <QStyledItemDelegate>

#include <functional>

namespace kazari
{

class DeferredDisplay;
struct ShownItem;

/// Draws one item of the item list: its picture (or the shared placeholder until the
/// picture is built), the label over it, the seal beside it, the tree-list expand mark
/// and the caption in its attribute, caption or task colours. Drawing an item is what
/// asks for its picture.
class ItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    ItemDelegate(DeferredDisplay &display, QObject *parent = nullptr);

    void setLook(const ItemListLook &look) { m_look = look; }
    const ItemListLook &look() const { return m_look; }
    /// The clock of the task colours (tests set a fixed time).
    void setClock(std::function<QDateTime()> now) { m_now = std::move(now); }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    /// Where the parts of an item go inside its cell.
    struct Geometry {
        QRect picture;
        QRect seal;
        QRect mark; ///< tree-list expand mark (empty when none)
        QRect caption;
    };
    Geometry geometry(const QRect &cell, const QModelIndex &index) const;
    /// The size of one cell in the icon styles (the grid).
    QSize cellSize(const QFont &font) const;
    /// "グリッドライン": the lines at the right and bottom of a details cell.
    static void drawGridLines(QPainter *painter, const QRect &cell);
    static QColor gridLineColour() { return QColor(0xC0, 0xC0, 0xC0); }

private:
    /// How the item's caption is drawn: colours, bold and the dimming of hidden items.
    CaptionStyle captionStyle(const ShownItem *shown) const;
    void drawCaption(QPainter *painter, const QStyleOptionViewItem &option, const QRect &area,
                     const QString &text, const CaptionStyle &style) const;
    void drawExpandMark(QPainter *painter, const QRect &rect, bool expanded,
                        const QColor &colour) const;

    DeferredDisplay &m_display;
    ItemListLook m_look;
    std::function<QDateTime()> m_now;
};

} // namespace kazari
