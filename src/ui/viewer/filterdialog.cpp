#include "ui/viewer/filterdialog.h"

#include "core/itemlist/filtermask.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kazari
{

FilterDialog::FilterDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FilterDialog"));
    setWindowTitle(QStringLiteral("フィルタの設定"));
    auto *layout = new QVBoxLayout(this);

    auto *form = new QFormLayout;
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("FileNameEdit"));
    m_type = new QLineEdit(this);
    m_type->setObjectName(QStringLiteral("FileTypeEdit"));
    form->addRow(QStringLiteral("ファイル名"), m_name);
    form->addRow(QStringLiteral("タイプ"), m_type);
    layout->addLayout(form);

    auto *group = new QGroupBox(QStringLiteral("拡張情報"), this);
    group->setObjectName(QStringLiteral("RadioGroup1"));
    auto *grid = new QGridLayout(group);
    m_options = new QButtonGroup(this);
    const QList<QPair<QString, QString>> &options = FilterMask::annotationOptions();
    for (int i = 0; i < options.size(); ++i) {
        auto *b = new QRadioButton(options.at(i).first, group);
        m_options->addButton(b, i);
        grid->addWidget(b, i / 3, i % 3);
    }
    m_options->button(0)->setChecked(true);
    layout->addWidget(group);

    auto *buttons = new QHBoxLayout;
    m_set = new QPushButton(QStringLiteral("設定"), this);
    m_set->setDefault(true);
    m_clear = new QPushButton(QStringLiteral("解除"), this);
    m_close = new QPushButton(QStringLiteral("何もしないで閉じる"), this);
    buttons->addWidget(m_set);
    buttons->addWidget(m_clear);
    buttons->addWidget(m_close);
    layout->addLayout(buttons);

    connect(m_set, &QPushButton::clicked, this, &FilterDialog::setClicked);
    connect(m_clear, &QPushButton::clicked, this, &FilterDialog::clearClicked);
    connect(m_close, &QPushButton::clicked, this, &QDialog::hide);
}

QString FilterDialog::nameText() const
{
    return m_name->text();
}

void FilterDialog::setNameText(const QString &text)
{
    m_name->setText(text);
}

QString FilterDialog::typeText() const
{
    return m_type->text();
}

void FilterDialog::setTypeText(const QString &text)
{
    m_type->setText(text);
}

int FilterDialog::option() const
{
    return qMax(0, m_options->checkedId());
}

void FilterDialog::setOption(int option)
{
    if (QAbstractButton *b = m_options->button(option))
        b->setChecked(true);
}

QString FilterDialog::annotationSuffix() const
{
    return FilterMask::annotationOptions().value(option()).second;
}

} // namespace kazari
