#include "ui/app/panelayout.h"

#include "core/app/componentnames.h"
#include "core/app/settings.h"
#include "core/app/switchcommands.h"
#include "core/platform/programfolder.h"
#include "ui/app/commandregistry.h"
#include "ui/app/messagebox.h"
#include "ui/rpg/rpgpanecommands.h"
#include "ui/rpg/rpgview.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QList>
#include <QPair>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kazari
{

namespace
{

// The right pane's pages in their order (tags 2 to 6 of the header buttons).
const QList<QPair<QString, QString>> &rightPages()
{
    static const QList<QPair<QString, QString>> pages{
        {Component::SimpleFileView, QStringLiteral("簡易ファイルビュー")},
        {Component::BrowserPage, QStringLiteral("ブラウザ")},
        {Component::OpenTasksPage, QStringLiteral("タスク")},
        {Component::FavouritesPage, QStringLiteral("よく使う項目")},
        {Component::ComputerPage, QStringLiteral("コンピュータ")},
    };
    return pages;
}

} // namespace

PaneLayout::PaneLayout(QWidget *window, const ProgramFolder &programFolder,
                       CommandRegistry &commands, Settings &settings,
                       std::function<void(const QString &)> runSwitch)
    : QObject(window)
    , m_commands(commands)
    , m_settings(settings)
    , m_runSwitch(std::move(runSwitch))
{
    m_splitter = new QSplitter(Qt::Horizontal, window);
    m_splitter->setObjectName(QStringLiteral("MainSplitter"));
    m_splitter->setChildrenCollapsible(false);

    // Folder pane: the game view above the free tree.
    m_folderArea = new QSplitter(Qt::Vertical, m_splitter);
    m_folderArea->setObjectName(QStringLiteral("ShelltreeView1"));
    m_gamePane = new QWidget(m_folderArea);
    m_rpgView = new RpgView(programFolder, nullptr, m_gamePane);
    buildGamePane();
    connect(m_rpgView, &RpgView::picturesMissing, window,
            [window](const QString &message) { MessageBox::warning(window, message); });
    m_freeTree = new QTreeWidget(m_folderArea);
    m_freeTree->setObjectName(QStringLiteral("TreeView2"));
    m_freeTree->setHeaderHidden(true);
    m_freeTree->hide();

    m_listPane = new QWidget(m_splitter);
    m_listPane->setObjectName(QStringLiteral("ListPane"));

    m_rightPane = new QTabWidget(m_splitter);
    m_rightPane->setObjectName(QStringLiteral("RightPane"));
    buildRightPane();

    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setStretchFactor(2, 0);
}

void PaneLayout::buildGamePane()
{
    m_gamePane->setObjectName(QStringLiteral("RpgPane"));
    m_gamePane->setAutoFillBackground(true);
    QPalette black = m_gamePane->palette();
    black.setColor(QPalette::Window, Qt::black);
    m_gamePane->setPalette(black);
    auto *layout = new QVBoxLayout(m_gamePane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // Header and status panel take 24 pixels each, so the game's picture is as wide as the
    // status panel and as high as the pane less 48.
    // The panels keep the window's own colours on the black pane.
    QPalette panel = QApplication::palette();
    panel.setColor(QPalette::Window, panel.color(QPalette::Window));
    panel.setColor(QPalette::WindowText, panel.color(QPalette::WindowText));
    auto *header = new QLabel(QStringLiteral("Tessaly"), m_gamePane);
    header->setObjectName(QStringLiteral("RpgHeader"));
    header->setFixedHeight(24);
    header->setAlignment(Qt::AlignCenter);
    header->setAutoFillBackground(true);
    header->setPalette(panel);
    auto *status = new QLabel(QStringLiteral("RPGVIEW"), m_gamePane);
    status->setObjectName(QStringLiteral("Panel31"));
    status->setTextFormat(Qt::PlainText);
    status->setFixedHeight(24);
    status->setAutoFillBackground(true);
    status->setPalette(panel);
    m_rpgView->setObjectName(QStringLiteral("Image7"));
    m_rpgView->setMinimumSize(320, 480);
    auto *headerLayout = new QHBoxLayout(header);
    headerLayout->setContentsMargins(0, 0, 2, 0);
    headerLayout->addStretch(1);
    headerLayout->addWidget(paneButton(header, 1, QStringLiteral("フォルダビューを閉じる")));
    layout->addWidget(header);
    layout->addWidget(status);
    layout->addWidget(m_rpgView, 1);
    connect(m_rpgView, &RpgView::statusChanged, status, &QLabel::setText);
}

void PaneLayout::buildRightPane()
{
    // One page per pane command.
    for (const auto &page : rightPages()) {
        auto *w = new QWidget(m_rightPane);
        w->setObjectName(page.first + QStringLiteral("Page"));
        w->setProperty("caption", page.second);
        m_rightPages.insert(page.first, w);
    }
    m_rightPane->hide();
    // Its header button closes the page shown.
    auto *pageButton = new QToolButton(m_rightPane);
    pageButton->setObjectName(QStringLiteral("PaneButtonPage"));
    pageButton->setText(QStringLiteral("×"));
    pageButton->setAutoRaise(true);
    pageButton->setToolTip(QStringLiteral("このページを閉じる"));
    connect(pageButton, &QToolButton::clicked, this, [this]() {
        const auto &pages = rightPages();
        for (int i = 0; i < pages.size(); ++i) {
            if (m_rightPages.value(pages.at(i).first) == m_rightPane->currentWidget())
                runPaneButton(2 + i);
        }
    });
    m_rightPane->setCornerWidget(pageButton, Qt::TopRightCorner);
}

QWidget *PaneLayout::paneButton(QWidget *header, int tag, const QString &tip)
{
    auto *button = new QToolButton(header);
    button->setObjectName(QStringLiteral("PaneButton") + QString::number(tag));
    button->setText(QStringLiteral("×"));
    button->setAutoRaise(true);
    button->setToolTip(tip);
    button->setFixedSize(18, 18);
    connect(button, &QToolButton::clicked, this, [this, tag]() { runPaneButton(tag); });
    return button;
}

void PaneLayout::runPaneButton(int tag)
{
    static const QStringList commands{Component::FilePane,       Component::FolderPane,
                                      Component::SimpleFileView, Component::BrowserPage,
                                      Component::OpenTasksPage,  Component::FavouritesPage,
                                      Component::ComputerPage};
    if (tag >= 0 && tag < commands.size()) {
        QAction *a = m_commands.action(commands.at(tag));
        if (!a)
            return;
        a->setChecked(!a->isChecked());
        m_runSwitch(commands.at(tag));
    } else if (tag == 7 || tag == 8) {
        m_freeTree->hide();
        if (QAction *tree = m_commands.action(Component::FreeTreePane))
            tree->setChecked(false);
    }
}

void PaneLayout::applyStored()
{
    // A pane whose key is missing is shown, and its command marked so.
    const auto shownUnlessOff = [this](const QString &name) {
        const bool shown = !m_settings.contains(name) || m_settings.isOn(name);
        if (QAction *a = m_commands.action(name))
            a->setChecked(shown);
        return shown;
    };
    m_listPane->setVisible(shownUnlessOff(Component::FilePane));
    m_gamePane->setVisible(shownUnlessOff(Component::FolderPane));
    if (QAction *button = m_commands.action(Component::FolderPaneButton))
        button->setChecked(!m_gamePane->isHidden());
    // "スタートアップでお気に入りの表示": the favourites page is shown at every start,
    // whatever its own mark was when the program closed.
    const bool favouritesFirst = m_settings.isOn(Component::FavouritesAtStartup);
    QAction *favourites = m_commands.action(Component::FavouritesPage);
    if (favourites && favouritesFirst)
        favourites->setChecked(true);
    updateRightPane();
    if (favourites && favourites->isChecked() && favouritesFirst)
        m_rightPane->setCurrentWidget(m_rightPages.value(Component::FavouritesPage));
}

void PaneLayout::applySwitch(const QString &name, bool on)
{
    if (on && SwitchCommands::showsPageWhenOn(name)) {
        updateRightPane();
        if (QWidget *page = m_rightPages.value(name))
            m_rightPane->setCurrentWidget(page);
    }
    if (name == Component::FolderPane) {
        m_gamePane->setVisible(on);
        if (on) {
            setFolderAreaShown(true);
            RpgPaneCommands::giveRoom(m_gamePane);
        }
        if (QAction *button = m_commands.action(Component::FolderPaneButton))
            button->setChecked(on);
    }
    if (name == Component::FilePane)
        m_listPane->setVisible(on);
    // The right pane shows while any of its pages is on.
    if (SwitchCommands::isRightPanePage(name))
        updateRightPane();
}

void PaneLayout::setFolderAreaShown(bool shown)
{
    m_folderArea->setVisible(shown);
    if (QAction *floating = m_commands.action(Component::FloatingWindows))
        floating->setChecked(shown);
    if (shown)
        RpgPaneCommands::giveRoom(m_folderArea);
}

void PaneLayout::showGamePane()
{
    if (m_folderArea->isHidden())
        setFolderAreaShown(true);
    if (m_gamePane->isHidden()) {
        if (QAction *pane = m_commands.action(Component::FolderPane)) {
            pane->setChecked(true);
            m_runSwitch(Component::FolderPane);
        } else {
            m_gamePane->show();
        }
    }
    if (QAction *button = m_commands.action(Component::FolderPaneButton))
        button->setChecked(true);
}

void PaneLayout::updateRightPane()
{
    const QWidget *current = m_rightPane->currentWidget();
    m_rightPane->clear();
    bool any = false;
    for (const auto &entry : rightPages()) {
        QAction *a = m_commands.action(entry.first);
        const bool on = a ? a->isChecked() : m_settings.isOn(entry.first);
        QWidget *page = m_rightPages.value(entry.first);
        if (!on) {
            // A page without its tab would otherwise sit over the shown one.
            page->hide();
            continue;
        }
        m_rightPane->addTab(page, page->property("caption").toString());
        any = true;
    }
    if (current && m_rightPane->indexOf(const_cast<QWidget *>(current)) >= 0)
        m_rightPane->setCurrentWidget(const_cast<QWidget *>(current));
    m_rightPane->setVisible(any);
}

} // namespace kazari
