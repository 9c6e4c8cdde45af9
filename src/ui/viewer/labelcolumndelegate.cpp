#include "ui/viewer/labelcolumndelegate.h"

#include "core/annotations/annotationvalues.h"

#include <QApplication>
#include <QPainter>

namespace kazari
{

namespace
{

constexpr int PictureSize = 16;
constexpr int Gap = 3;

} // namespace

LabelColumnDelegate::LabelColumnDelegate(std::function<QList<QPixmap>()> labels, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_labels(std::move(labels))
{
}

void LabelColumnDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    const std::optional<int> label =
        AnnotationValues::parseLabel(index.data(Qt::DisplayRole).toString());
    const QList<QPixmap> labels = m_labels ? m_labels() : QList<QPixmap>();
    if (!label || *label >= labels.size() || labels.at(*label).isNull()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QWidget *widget = opt.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    // The cell's background and selection as the style draws it, then picture and text.
    const QString text = opt.text;
    opt.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const QRect cell = opt.rect;
    const QRect picture(cell.x() + 2, cell.y() + (cell.height() - PictureSize) / 2, PictureSize,
                        PictureSize);
    painter->save();
    painter->drawPixmap(picture, labels.at(*label));
    const QRect textArea = cell.adjusted(picture.right() + Gap - cell.x(), 0, -2, 0);
    painter->setFont(opt.font);
    painter->setPen(opt.palette.color(opt.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                         : QPalette::Text));
    painter->drawText(textArea, Qt::AlignVCenter | Qt::AlignLeft,
                      opt.fontMetrics.elidedText(text, Qt::ElideRight, textArea.width()));
    painter->restore();
}

QSize LabelColumnDelegate::sizeHint(const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(qMax(size.height(), PictureSize + 2));
    return size;
}

} // namespace kazari
