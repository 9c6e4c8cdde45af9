#include "ui/itemlist/itemdelegate.h"

#include "core/decoration/captioncolours.h"
#include "ui/itemlist/deferreddisplay.h"
#include "ui/itemlist/itemlistmodel.h"

#include <QApplication>
#include <QDateTime>
#include <QPainter>
#include <QTextLayout>

namespace kazari
{

namespace
{

constexpr int SealSize = 16;
constexpr int MarkSize = 16;
constexpr int Indent = 16;
constexpr int CaptionLines = 2;
constexpr int SmallCaptionWidth = 150;

// The caption broken into at most `maxLines` lines of `width`, the last one elided.
QStringList wrapCaption(const QString &text, const QFont &font, int width, int maxLines)
{
    QStringList lines;
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    const QFontMetrics fm(font);
    while (lines.size() < maxLines) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        if (lines.size() == maxLines - 1) {
            lines.append(fm.elidedText(text.mid(line.textStart()), Qt::ElideRight, width));
            break;
        }
        lines.append(text.mid(line.textStart(), line.textLength()));
    }
    layout.endLayout();
    return lines;
}

} // namespace

ItemDelegate::ItemDelegate(DeferredDisplay &display, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_display(display)
    , m_now([] { return QDateTime::currentDateTime(); })
{
}

QSize ItemDelegate::cellSize(const QFont &font) const
{
    const QFontMetrics fm(font);
    const int line = fm.height();
    const int seal = m_look.showsSeals() ? SealSize : 0;
    if (m_look.largeIcons()) {
        const int w = m_look.pictureSize();
        return QSize(std::max(w + 2 * SealSize + 8, 76), 2 + w + 4 + CaptionLines * line + 4);
    }
    return QSize(2 + seal + 16 + 4 + SmallCaptionWidth, std::max(18, line + 4));
}

QSize ItemDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (m_look.style != ListStyle::Details)
        return cellSize(option.font);
    const QFontMetrics fm(option.font);
    const int depth = m_look.treeList ? index.data(ItemListModel::DepthRole).toInt() : 0;
    const int extra = m_look.treeList ? MarkSize + depth * Indent : 0;
    const int seal = m_look.showsSeals() ? SealSize : 0;
    return QSize(2 + extra + seal + 16 + 4 + fm.horizontalAdvance(index.data().toString()) + 6,
                 std::max(18, fm.height() + 4));
}

ItemDelegate::Geometry ItemDelegate::geometry(const QRect &cell, const QModelIndex &index) const
{
    Geometry g;
    if (m_look.largeIcons()) {
        const int w = m_look.pictureSize();
        g.picture = QRect(cell.x() + (cell.width() - w) / 2, cell.y() + 2, w, w);
        g.seal = QRect(g.picture.left() - SealSize, g.picture.bottom() + 1 - SealSize, SealSize,
                       SealSize);
        g.caption = QRect(cell.x() + 2, g.picture.bottom() + 4, cell.width() - 4,
                          std::max(0, cell.bottom() - g.picture.bottom() - 4));
        return g;
    }
    int x = cell.x() + 2;
    const int top = cell.y() + (cell.height() - 16) / 2;
    if (m_look.treeList && m_look.style == ListStyle::Details) {
        x += index.data(ItemListModel::DepthRole).toInt() * Indent;
        if (index.data(ItemListModel::FolderRole).toBool())
            g.mark = QRect(x, top, MarkSize, MarkSize);
        x += MarkSize;
    }
    if (m_look.showsSeals()) {
        g.seal = QRect(x, top, SealSize, SealSize);
        x += SealSize;
    }
    g.picture = QRect(x, top, 16, 16);
    g.caption = QRect(x + 16 + 4, cell.y(), std::max(0, cell.right() - x - 20), cell.height());
    return g;
}

void ItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                         const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QWidget *widget = opt.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    const bool details = m_look.style == ListStyle::Details;
    if (details) {
        // The row's selection and hover background as the style draws it.
        QStyleOptionViewItem background = opt;
        background.text.clear();
        background.icon = QIcon();
        background.state &= ~QStyle::State_HasFocus;
        style->drawPrimitive(QStyle::PE_PanelItemViewItem, &background, painter, widget);
    }

    const ShownItem *shown = m_display.lookup(index.row());
    const Geometry g = geometry(opt.rect, index);
    const bool selected = opt.state & QStyle::State_Selected;
    painter->save();

    if (!g.mark.isEmpty())
        drawExpandMark(painter, g.mark, index.data(ItemListModel::ExpandedRole).toBool(),
                       opt.palette.color(QPalette::Text));

    if (selected && !details) {
        QColor h = opt.palette.color(QPalette::Highlight);
        h.setAlpha(70);
        painter->fillRect(g.picture.adjusted(-2, -2, 2, 2), h);
    }
    // Only a hidden item whose caption is drawn as hidden is dimmed: a hidden read-only
    // item is drawn in the read-only colour and at full strength.
    const CaptionStyle cs = captionStyle(shown);
    if (cs.dimmed)
        painter->setOpacity(0.5);
    const QPixmap &picture =
        shown && !shown->picture.isNull() ? shown->picture : m_look.placeholder();
    if (!picture.isNull())
        painter->drawPixmap(g.picture, picture);
    if (shown && shown->overlay) {
        const QList<QPixmap> &labels = m_look.labels();
        if (*shown->overlay >= 0 && *shown->overlay < labels.size())
            painter->drawPixmap(g.picture, labels.at(*shown->overlay));
    }
    painter->setOpacity(1.0);
    if (shown && shown->stateImage && m_look.showsSeals()) {
        if (*shown->stateImage >= 0 && *shown->stateImage < m_look.seals.size())
            painter->drawPixmap(g.seal, m_look.seals.at(*shown->stateImage));
    }
    drawCaption(painter, opt, g.caption, opt.text, cs);
    if (details && m_look.gridLines)
        drawGridLines(painter, opt.rect);
    painter->restore();
}

void ItemDelegate::drawGridLines(QPainter *painter, const QRect &cell)
{
    painter->save();
    painter->setOpacity(1.0);
    painter->setPen(gridLineColour());
    painter->drawLine(cell.bottomLeft(), cell.bottomRight());
    painter->drawLine(cell.topRight(), cell.bottomRight());
    painter->restore();
}

CaptionStyle ItemDelegate::captionStyle(const ShownItem *shown) const
{
    CaptionRequest request;
    request.requested = shown != nullptr;
    request.fontColour = m_look.text;
    request.now = m_now();
    if (shown) {
        request.attributes = shown->attributes;
        request.values = shown->values;
    }
    return CaptionColours::decide(m_look.flags, m_look.palette, request);
}

void ItemDelegate::drawCaption(QPainter *painter, const QStyleOptionViewItem &opt,
                               const QRect &area, const QString &text, const CaptionStyle &cs) const
{
    QFont font = opt.font;
    font.setBold(cs.bold);
    painter->setFont(font);
    const QFontMetrics fm(font);
    const bool selected = opt.state & QStyle::State_Selected;
    const bool details = m_look.style == ListStyle::Details;

    QStringList lines;
    if (m_look.largeIcons()) {
        lines = wrapCaption(text, font, area.width(), CaptionLines);
    } else {
        lines.append(fm.elidedText(text, Qt::ElideRight, area.width()));
    }
    int textWidth = 0;
    for (const QString &l : std::as_const(lines))
        textWidth = std::max(textWidth, fm.horizontalAdvance(l));
    const int textHeight = int(lines.size()) * fm.height();
    QRect box;
    if (m_look.largeIcons())
        box = QRect(area.x() + (area.width() - textWidth) / 2 - 2, area.y(), textWidth + 4,
                    textHeight);
    else
        box = QRect(area.x() - 2, area.y() + (area.height() - fm.height()) / 2 - 1, textWidth + 4,
                    fm.height() + 2);

    QColor textColour = cs.text;
    if (selected && !details) {
        painter->fillRect(box, opt.palette.color(QPalette::Highlight));
        textColour = opt.palette.color(QPalette::HighlightedText);
    } else if (cs.background) {
        // In the details style the row shows the selection; the caption keeps its colour.
        painter->fillRect(box, *cs.background);
    } else if (selected) {
        textColour = opt.palette.color(QPalette::HighlightedText);
    }
    painter->setPen(textColour);
    const int align = m_look.largeIcons() ? Qt::AlignHCenter : Qt::AlignLeft;
    int y = box.y() + (m_look.largeIcons() ? 0 : 1);
    for (const QString &l : std::as_const(lines)) {
        painter->drawText(QRect(box.x() + 2, y, box.width() - 4, fm.height()), align, l);
        y += fm.height();
    }
    if (opt.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.rect = box;
        focus.state = opt.state;
        focus.palette = opt.palette;
        const QWidget *w = opt.widget;
        (w ? w->style() : QApplication::style())
            ->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, w);
    }
}

void ItemDelegate::drawExpandMark(QPainter *painter, const QRect &rect, bool expanded,
                                  const QColor &colour) const
{
    const QRect box = rect.adjusted(3, 3, -4, -4);
    painter->setPen(colour);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(box);
    const int cy = box.center().y();
    const int cx = box.center().x();
    painter->drawLine(box.left() + 2, cy, box.right() - 2, cy);
    if (!expanded)
        painter->drawLine(cx, box.top() + 2, cx, box.bottom() - 2);
}

} // namespace kazari
