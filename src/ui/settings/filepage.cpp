#include "ui/settings/filepage.h"

#include "core/app/componentnames.h"
#include "core/app/settings.h"
#include "ui/app/settingshost.h"
#include "ui/settings/settingscontext.h"
#include "ui/settings/settingsoptions.h"
#include "ui/settings/settingswidgets.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace kazari
{

QWidget *FilePage::build()
{
    using W = SettingsWidgets;
    auto *list = new QVBoxLayout;
    list->addWidget(
        m_options.addSwitch(Component::KeepPositions, QStringLiteral("位置設定"), true));
    list->addWidget(
        m_options.addSwitch(Component::GridLines, QStringLiteral("グリッドライン"), true));

    // Shown only: these follow their own commands in the main window.
    auto *state = new QVBoxLayout;
    m_freeTreeShown = new QCheckBox(QStringLiteral("自由にツリー"));
    m_freeTreeShown->setObjectName(Component::FreeTreePane);
    m_hiddenShown = new QCheckBox(QStringLiteral("隠しファイル表示"));
    m_hiddenShown->setObjectName(Component::ShowHiddenFiles);
    m_layout = new QListWidget;
    m_layout->setObjectName(QStringLiteral("layoutSummary"));
    m_layout->setSelectionMode(QAbstractItemView::NoSelection);
    m_layout->setFocusPolicy(Qt::NoFocus);
    m_layout->setMinimumHeight(140);
    auto *flags = new QHBoxLayout;
    flags->addWidget(m_freeTreeShown);
    flags->addWidget(m_hiddenShown);
    flags->addStretch(1);
    for (QCheckBox *b : {m_freeTreeShown, m_hiddenShown}) {
        b->setAttribute(Qt::WA_TransparentForMouseEvents);
        b->setFocusPolicy(Qt::NoFocus);
    }
    state->addLayout(flags);
    state->addWidget(W::plainLabel(QStringLiteral("ペイン・ツールバー・表示形式:")));
    state->addWidget(m_layout, 1);

    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(W::group(QStringLiteral("リスト"), list));
    layout->addWidget(W::group(QStringLiteral("現在の表示"), state), 1);
    return page;
}

void FilePage::fill()
{
    const Settings &settings = m_context.settings();
    m_freeTreeShown->setChecked(settings.isOn(Component::FreeTreePane));
    m_hiddenShown->setChecked(settings.isOn(Component::ShowHiddenFiles));
    m_layout->clear();
    for (const QString &line : m_context.host().layoutSummary())
        m_layout->addItem(line);
}

} // namespace kazari
