#pragma once

#include <QList>
#include <QPixmap>
#include <QStyledItemDelegate>

#include <functional>

namespace kazari
{

/// Draws the label column of the task details view: the label picture of the item's
/// label number in front of the number. Rows without a valid label show the text alone.
class LabelColumnDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    /// `labels` gives the four small label pictures of the list as it looks now.
    explicit LabelColumnDelegate(std::function<QList<QPixmap>()> labels, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    std::function<QList<QPixmap>()> m_labels;
};

} // namespace kazari
