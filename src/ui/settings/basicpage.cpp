#include "ui/settings/basicpage.h"

#include "core/app/componentnames.h"
#include "core/app/settings.h"
#include "ui/app/settingshost.h"
#include "ui/settings/settingscontext.h"
#include "ui/settings/settingsoptions.h"
#include "ui/settings/settingswidgets.h"

#include <QAction>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kazari
{

namespace
{

/// The tool button "背面に固定", whose pressed state is kept under its own name.
const QString WindowAtBackKey = Component::KeepAtBack;

} // namespace

QWidget *BasicPage::build()
{
    using W = SettingsWidgets;
    auto *display = new QVBoxLayout;
    display->addWidget(m_options.addSwitch(Component::IconExtensions,
                                           QStringLiteral("アイコン表示拡張機能を使用する"), true));
    display->addWidget(m_options.addSwitch(Component::CaptionExtensions,
                                           QStringLiteral("文字表示拡張機能を使用する"), true));

    auto *files = new QVBoxLayout;
    files->addWidget(m_options.addSwitch(Component::ProtectFileNames,
                                         QStringLiteral("ファイル名の保護をする"), true));
    files->addWidget(m_options.addSwitch(Component::AcceptDrops,
                                         QStringLiteral("ドロップ受け入れ可能にする"), false));

    auto *window = new QVBoxLayout;
    m_windowAtBack = new QCheckBox(QStringLiteral("ウインドウを最背面で固定"));
    m_windowAtBack->setObjectName(QStringLiteral("windowAtBack"));
    window->addWidget(m_windowAtBack);
    window->addWidget(m_options.addSwitch(QStringLiteral("TitleFullPath"),
                                          QStringLiteral("タイトルバーにパスを表示する"), false));
    window->addWidget(m_options.addSwitch(QStringLiteral("DoubleBuffered"),
                                          QStringLiteral("リストビューのちらつきを抑える"), false));

    auto *paths = W::formLayout();
    m_lastPath = new QLineEdit;
    m_lastPath->setObjectName(QStringLiteral("LastPath"));
    m_webLastPath = new QLineEdit;
    m_webLastPath->setObjectName(QStringLiteral("WebLastPath"));
    paths->addRow(QStringLiteral("最後に開いたフォルダ:"), m_lastPath);
    paths->addRow(QStringLiteral("ブラウザのアドレス:"), m_webLastPath);

    auto *mode = new QVBoxLayout;
    m_centralMode = new QRadioButton(QStringLiteral("プログラムの一括管理機能を使う"));
    m_perFolderMode = new QRadioButton(QStringLiteral("設定ファイルを個々のフォルダに作る"));
    m_centralMode->setObjectName(QStringLiteral("centralMode"));
    m_perFolderMode->setObjectName(QStringLiteral("perFolderMode"));
    mode->addWidget(m_centralMode);
    mode->addWidget(m_perFolderMode);
    QGroupBox *modeBox = W::group(QStringLiteral("ファイル拡張情報の管理方法"), mode);
    // The mode is changed from its menu commands, which move the annotation files too.
    modeBox->setEnabled(false);

    auto *page = new QWidget;
    auto *layout = new QGridLayout(page);
    layout->addWidget(W::group(QStringLiteral("表示"), display), 0, 0);
    layout->addWidget(W::group(QStringLiteral("ファイル"), files), 0, 1);
    layout->addWidget(W::group(QStringLiteral("ウインドウ"), window), 1, 0);
    layout->addWidget(modeBox, 1, 1);
    layout->addWidget(W::group(QStringLiteral("パス"), paths), 2, 0, 1, 2);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(3, 1);
    return page;
}

void BasicPage::fill()
{
    const Settings &settings = m_context.settings();
    SettingsHost &host = m_context.host();
    m_windowAtBack->setChecked(host.windowAtBack());
    m_lastPath->setText(host.currentFolder());
    m_webLastPath->setText(host.browserAddress());
    const bool central = settings.isOn(Component::CentralManagement);
    m_centralMode->setChecked(central);
    m_perFolderMode->setChecked(!central && settings.isOn(Component::PerFolderFiles));
}

void BasicPage::apply()
{
    Settings &settings = m_context.settings();
    SettingsHost &host = m_context.host();

    const bool atBack = m_windowAtBack->isChecked();
    if (atBack != host.windowAtBack())
        host.setWindowAtBack(atBack);
    settings.setSwitch(WindowAtBackKey, atBack);
    if (QAction *action = host.command(WindowAtBackKey); action && action->isCheckable())
        action->setChecked(atBack);

    if (m_lastPath->text() != settings.value(QStringLiteral("LastPath")))
        settings.setValue(QStringLiteral("LastPath"), m_lastPath->text());
    const QString address = m_webLastPath->text();
    if (address != settings.value(QStringLiteral("WebLastPath")))
        settings.setValue(QStringLiteral("WebLastPath"), address);
    if (address != host.browserAddress())
        host.setBrowserAddress(address);
}

} // namespace kazari
