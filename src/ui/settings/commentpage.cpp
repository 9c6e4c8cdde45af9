#include "ui/settings/commentpage.h"

#include "core/app/componentnames.h"
#include "ui/app/settingshost.h"
#include "ui/settings/settingscontext.h"
#include "ui/settings/settingsoptions.h"
#include "ui/settings/settingswidgets.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kazari
{

namespace
{

/// The command "ヒントチップでコメントとタスクを表示": the dialog shows and sets its mark only.
const QString TipsCommand = QStringLiteral("cmdHintTips");

} // namespace

QWidget *CommentPage::build()
{
    using W = SettingsWidgets;
    auto *show = new QVBoxLayout;
    show->addWidget(
        m_options.addSwitch(Component::ShowComments, QStringLiteral("コメントを表示する"), true));
    show->addWidget(m_options.addSwitch(Component::AutomaticTaskCheck,
                                        QStringLiteral("タスクの自動チェックする"), false));
    QCheckBox *commentBalloon = m_options.addSwitch(
        Component::CommentTips, QStringLiteral("コメントのみふきだしを表示する"), false);
    QCheckBox *taskBalloon =
        m_options.addSwitch(Component::TaskAndCommentTips,
                            QStringLiteral("タスクとコメントをふきだしを表示する"), false);
    // The two balloons exclude each other, as their menu commands do.
    connect(commentBalloon, &QCheckBox::toggled, this, [taskBalloon](bool on) {
        if (on)
            taskBalloon->setChecked(false);
    });
    connect(taskBalloon, &QCheckBox::toggled, this, [commentBalloon](bool on) {
        if (on)
            commentBalloon->setChecked(false);
    });
    show->addWidget(commentBalloon);
    show->addWidget(taskBalloon);
    m_tips = new QCheckBox(QStringLiteral("ヒントチップでコメントとタスクを表示する"));
    m_tips->setObjectName(QStringLiteral("tips"));
    show->addWidget(m_tips);

    static const char *const Importance[] = {"なし", "低", "普通", "高", "至急", "その他"};
    auto *colors = new QGridLayout;
    for (int i = 0; i < 6; ++i) {
        const int row = i / 3;
        const int column = (i % 3) * 3;
        colors->addWidget(
            W::plainLabel(QStringLiteral("重要度 %1:").arg(QString::fromUtf8(Importance[i]))), row,
            column, Qt::AlignRight | Qt::AlignVCenter);
        colors->addWidget(m_options.addColor(QStringLiteral("cl_FusenFormColor%1").arg(i)), row,
                          column + 1);
    }
    colors->setColumnMinimumWidth(2, 16);
    colors->setColumnMinimumWidth(5, 16);
    colors->setColumnStretch(8, 1);

    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(W::group(QStringLiteral("表示"), show));
    layout->addWidget(W::group(QStringLiteral("付箋の色"), colors));
    layout->addStretch(1);
    return page;
}

void CommentPage::fill()
{
    QAction *tips = m_context.host().command(TipsCommand);
    m_tips->setEnabled(tips != nullptr);
    m_tips->setChecked(tips && tips->isChecked());
}

void CommentPage::apply()
{
    if (QAction *tips = m_context.host().command(TipsCommand); tips && tips->isCheckable())
        tips->setChecked(m_tips->isChecked());
}

} // namespace kazari
