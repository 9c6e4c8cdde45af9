#include "ui/settings/settingswidgets.h"

#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>

namespace kazari
{

QLabel *SettingsWidgets::plainLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    return label;
}

QString SettingsWidgets::plainToolTip(const QString &text)
{
    if (text.isEmpty())
        return text;
    return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() +
           QStringLiteral("</p>");
}

QGroupBox *SettingsWidgets::group(const QString &title, QLayout *layout)
{
    auto *box = new QGroupBox(title);
    layout->setSpacing(4);
    box->setLayout(layout);
    return box;
}

QFormLayout *SettingsWidgets::formLayout()
{
    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    return form;
}

QPixmap SettingsWidgets::swatch(const QColor &color, int width, int height)
{
    QPixmap pixmap(width, height);
    pixmap.fill(color.isValid() ? color : QColor(Qt::transparent));
    QPainter painter(&pixmap);
    painter.setPen(QColor(96, 96, 96));
    painter.drawRect(0, 0, width - 1, height - 1);
    if (!color.isValid())
        painter.drawLine(0, height - 1, width - 1, 0);
    return pixmap;
}

QWidget *SettingsWidgets::page(const QString &description, QWidget *body)
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(8, 0, 0, 0);
    QLabel *heading = plainLabel(description);
    heading->setObjectName(QStringLiteral("description"));
    QFont font = heading->font();
    font.setBold(true);
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * 1.15);
    heading->setFont(font);
    auto *line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(heading);
    layout->addWidget(line);

    auto *scroll = new QScrollArea;
    scroll->setWidget(body);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    layout->addWidget(scroll, 1);
    return page;
}

} // namespace kazari
