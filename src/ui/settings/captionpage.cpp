#include "ui/settings/captionpage.h"

#include "core/app/colorvalue.h"
#include "core/app/componentnames.h"
#include "ui/app/settingshost.h"
#include "ui/settings/settingscontext.h"
#include "ui/settings/settingsoptions.h"
#include "ui/settings/settingswidgets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kazari
{

QWidget *CaptionPage::build()
{
    using W = SettingsWidgets;
    auto *show = new QVBoxLayout;
    show->addWidget(m_options.addSwitch(Component::CaptionLabels,
                                        QStringLiteral("キャプションラベルを表示する"), true));
    show->addWidget(m_options.addSwitch(Component::TaskCaptionColours,
                                        QStringLiteral("タスク情報でキャプション色を変化する"),
                                        true));

    auto *masks = new QGridLayout;
    for (int i = 0; i < 7; ++i) {
        const int row = i / 2;
        const int column = (i % 2) * 4;
        masks->addWidget(W::plainLabel(QStringLiteral("%1:").arg(i)), row, column,
                         Qt::AlignRight | Qt::AlignVCenter);
        masks->addWidget(m_options.addText(QStringLiteral("Tx_CaptionMaskName%1").arg(i)), row,
                         column + 1);
        masks->addWidget(m_options.addColor(QStringLiteral("cl_CaptionMask%1").arg(i)), row,
                         column + 2);
    }
    masks->setColumnMinimumWidth(3, 16);
    masks->setColumnStretch(1, 1);
    masks->setColumnStretch(5, 1);

    struct Attribute {
        const char *key;
        const char *caption;
    };
    static const Attribute Attributes[] = {
        {"cl_Hidden", "隠しファイル"},      {"cl_ReadOnly", "読み取り専用"},
        {"cl_SysFile", "システムファイル"}, {"cl_VolumeID", "ボリュームラベル"},
        {"cl_Directory", "フォルダ"},       {"cl_Ycomp", "タスク完了"},
        {"cl_Ncomp", "タスク未完了"},
    };
    // Two columns; the bold switch sits beside the folder colour it goes with.
    auto *attributes = new QGridLayout;
    int n = 0;
    for (const Attribute &a : Attributes) {
        const int row = n / 2;
        const int column = (n % 2) * 4;
        const QString key = QString::fromLatin1(a.key);
        attributes->addWidget(W::plainLabel(QString::fromUtf8(a.caption) + QStringLiteral(":")),
                              row, column, Qt::AlignRight | Qt::AlignVCenter);
        attributes->addWidget(m_options.addColor(key), row, column + 1);
        if (key == QLatin1String("cl_Directory")) {
            attributes->addWidget(
                m_options.addSwitch(QStringLiteral("fs_Directory"), QStringLiteral("太文字"), true),
                row, column + 2);
            ++n; // the folder row keeps its second column for the switch
        }
        ++n;
    }
    attributes->setColumnMinimumWidth(3, 24);
    attributes->setColumnStretch(2, 1);
    attributes->setColumnStretch(6, 1);

    auto *list = new QHBoxLayout;
    auto *colorButton = new QPushButton(QStringLiteral("リストビューの色"));
    colorButton->setObjectName(QStringLiteral("listColorButton"));
    auto *fontButton = new QPushButton(QStringLiteral("フォントの設定"));
    fontButton->setObjectName(QStringLiteral("listFontButton"));
    for (QPushButton *b : {colorButton, fontButton})
        b->setAutoDefault(false);
    connect(colorButton, &QPushButton::clicked, this, &CaptionPage::chooseListColor);
    connect(fontButton, &QPushButton::clicked, this, &CaptionPage::chooseListFont);
    m_listSample = W::plainLabel(QStringLiteral("Aa あア亜 123"));
    m_listSample->setObjectName(QStringLiteral("listSample"));
    m_listSample->setAutoFillBackground(true);
    m_listSample->setFrameShape(QFrame::StyledPanel);
    m_listSample->setMinimumSize(150, 32);
    m_listSample->setAlignment(Qt::AlignCenter);
    list->addWidget(colorButton);
    list->addWidget(fontButton);
    list->addWidget(m_listSample, 1);

    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(W::group(QStringLiteral("表示"), show));
    layout->addWidget(W::group(QStringLiteral("キャプションマスクの名前と色"), masks));
    layout->addWidget(W::group(QStringLiteral("ファイル属性とタスクの色"), attributes));
    layout->addWidget(W::group(QStringLiteral("リストビュー"), list));
    layout->addStretch(1);
    return page;
}

void CaptionPage::fill()
{
    const SettingsHost &host = m_context.host();
    m_listColor = host.listColor();
    m_listTextColor = host.listTextColor();
    m_listFont = host.listFont();
    m_listLookChanged = false;
    updateListSample();
}

bool CaptionPage::apply()
{
    if (!m_listLookChanged)
        return false;
    SettingsHost &host = m_context.host();
    host.setListColor(m_listColor);
    host.setListFont(m_listFont, m_listTextColor);
    m_listLookChanged = false;
    return true;
}

void CaptionPage::chooseListColor()
{
    const QColor chosen = m_context.pickColor(m_listColor);
    if (!chosen.isValid())
        return;
    m_listColor = chosen;
    // The text follows the background's brightness, as with the list's own colour command.
    m_listTextColor = ColorValue::brightness(chosen) >= 128 ? QColor(Qt::black) : QColor(Qt::white);
    m_listLookChanged = true;
    updateListSample();
}

void CaptionPage::chooseListFont()
{
    const auto chosen = m_context.pickFont(m_listFont, m_listTextColor);
    if (!chosen)
        return;
    m_listFont = chosen->first;
    if (chosen->second.isValid())
        m_listTextColor = chosen->second;
    m_listLookChanged = true;
    updateListSample();
}

void CaptionPage::updateListSample()
{
    QPalette palette = m_listSample->palette();
    palette.setColor(QPalette::Window, m_listColor);
    palette.setColor(QPalette::WindowText, m_listTextColor);
    m_listSample->setPalette(palette);
    QFont font = m_listFont;
    if (font.pointSizeF() > 24)
        font.setPointSizeF(24);
    m_listSample->setFont(font);
    m_listSample->setToolTip(SettingsWidgets::plainToolTip(
        QStringLiteral("%1, %2 pt")
            .arg(m_listFont.family(), QString::number(m_listFont.pointSize()))));
}

} // namespace kazari
