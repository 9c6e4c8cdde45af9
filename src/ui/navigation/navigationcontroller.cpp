#include "ui/navigation/navigationcontroller.h"
#include "core/app/componentnames.h"

#include "core/annotations/annotationvalues.h"
#include "core/app/shelllocation.h"
#include "core/decoration/itempicturecomposer.h"
#include "core/navigation/navigation.h"
#include "core/navigation/recentuselists.h"
#include "core/platform/textfile.h"
#include "ui/app/mainwindow.h"
#include "ui/app/messagebox.h"
#include "ui/itemlist/itemiconsource.h"
#include "ui/itemlist/itemlistview.h"
#include "ui/navigation/drivebar.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QShortcut>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>

namespace kazari
{

NavigationController::NavigationController(MainWindow &form)
    : QObject(&form)
    , m_form(form)
{
    setObjectName(QStringLiteral("NavigationController"));
    QComboBox *box = m_form.pathBox();
    // Enter reaches the box twice (the typed text, and the entry the box finds for it):
    // one Enter opens once, or a file would be started twice.
    auto openOnce = [this](const QString &text) { openPathBoxOnce(text); };
    connect(box, &QComboBox::activated, this,
            [box, openOnce](int index) { openOnce(box->itemText(index)); });
    if (QLineEdit *edit = box->lineEdit()) {
        // The box inserts nothing itself; Enter opens what was typed.
        connect(edit, &QLineEdit::returnPressed, this,
                [box, openOnce]() { openOnce(box->currentText()); });
    }

    QTabBar *tabs = m_form.folderTabs();
    tabs->setExpanding(false);
    tabs->setElideMode(Qt::ElideNone);
    connect(tabs, &QTabBar::currentChanged, this, [this](int index) {
        if (!m_syncingTabs)
            showTab(index);
    });

    if (QToolBar *bar = m_form.toolBar(QStringLiteral("ToolBarDrive"))) {
        m_driveBar = new DriveBar(
            bar,
            [this](const QString &root) { m_form.Build_ListView(Navigation::folderKey(root)); },
            this);
    }

    const QList<QPair<QString, int>> historyMenus{
        {QStringLiteral("DirHistoryMenu"), RecentUseLists::Folders},
        {QStringLiteral("AppHistoryMenu"), RecentUseLists::Programs},
        {QStringLiteral("FileHistoryMenu"), RecentUseLists::Files}};
    for (const auto &[name, kind] : historyMenus) {
        for (QMenu *menu : m_form.commands().menus(name)) {
            connect(menu, &QMenu::aboutToShow, this,
                    [this, menu, k = kind]() { fillHistoryMenu(menu, k); });
        }
    }

    // Ctrl+Up in the item list is up as well.
    for (QAbstractItemView *view :
         {static_cast<QAbstractItemView *>(m_form.itemListView()->iconView()),
          static_cast<QAbstractItemView *>(m_form.itemListView()->detailsView())}) {
        auto *shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Up), view);
        shortcut->setContext(Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, this, &NavigationController::up);
    }

    connect(&m_form, &MainWindow::folderShown, this, &NavigationController::folderShown);
    m_form.addCommandHandler(
        [this](const QString &name, QAction *action) { return onCommand(name, action); });
}

NavigationController::~NavigationController() = default;

void NavigationController::loadFolderHistory()
{
    const TextFile::ReadResult r = TextFile::read(
        m_form.programFolder().file(RecentUseLists::relativePath(RecentUseLists::Folders)));
    if (!r.found)
        return;
    m_pathBox.loadStartup(r.document.lines, [](const QString &p) { return QFileInfo(p).isDir(); });
    QComboBox *box = m_form.pathBox();
    box->clear();
    for (const QString &p : m_pathBox.entries())
        box->addItem(folderIcon(p), p);
}

void NavigationController::buildDriveBar()
{
    if (m_driveBar)
        m_driveBar->rebuild();
}

QIcon NavigationController::folderIcon(const QString &path) const
{
    const QImage icon = m_form.itemListView()->icons().iconOfPath(path, 16);
    const std::optional<qint32> tint = AnnotationValues::parseOneColour(
        m_form.store().GetByPath(path, QStringLiteral("_oneColor")));
    return QIcon(
        QPixmap::fromImage(ItemPictureComposer::headerIcon(icon, m_form.listColor(), tint)));
}

void NavigationController::folderShown(const QString &folder)
{
    const QString p = Navigation::withoutTrailingSeparator(folder);
    if (!Navigation::isNativePath(p))
        return;

    // The tab strip is a view of the tab history: tab i always stands for entry i.
    QTabBar *tabs = m_form.folderTabs();
    m_syncingTabs = true;
    const TabHistory::Visit v = m_tabs.visit(p);
    if (v.removedFirst && tabs->count() > 0)
        tabs->removeTab(0);
    if (v.appended) {
        const QFontMetrics metrics = tabs->fontMetrics();
        const int at = tabs->addTab(TabHistory::caption(
            p, [&metrics](const QString &t) { return metrics.horizontalAdvance(t); }));
        tabs->setTabToolTip(at, p);
    }
    tabs->setCurrentIndex(v.selected);
    // A tab strip that is not on screen yet does not tell its layout that it has grown,
    // which would leave the first tab without any room.
    tabs->updateGeometry();
    m_syncingTabs = false;

    // The path box: the folder's entry moves (or comes) to the top.
    QComboBox *box = m_form.pathBox();
    const int before = m_pathBox.visit(p);
    QIcon icon;
    if (before >= 0 && before < box->count()) {
        icon = box->itemIcon(before);
        box->removeItem(before);
    } else {
        icon = folderIcon(p);
    }
    box->insertItem(0, icon, p);
    box->setCurrentIndex(0);
}

void NavigationController::showTab(int index)
{
    const QString entry = m_tabs.entry(index);
    if (entry.isEmpty() || Navigation::samePath(entry, m_form.currentFolder()))
        return;
    // A vanished folder is still handed over: the list shows it as a location.
    m_form.Build_ListView(Navigation::folderKey(entry));
}

void NavigationController::openPathBoxOnce(const QString &text)
{
    if (m_pathBoxOpening)
        return;
    m_pathBoxOpening = true;
    QTimer::singleShot(0, this, [this]() { m_pathBoxOpening = false; });
    openPathBoxText(text);
}

void NavigationController::openPathBoxText(const QString &text)
{
    const Navigation::Target target = Navigation::pathBoxTarget(text);
    switch (target.kind) {
    case Navigation::Target::Folder:
    case Navigation::Target::ShellLocation:
        m_form.Build_ListView(target.path);
        break;
    case Navigation::Target::File:
        if (!m_form.launcher().openWithDefault(target.path))
            MessageBox::information(&m_form, QStringLiteral("コマンドを開始できませんでした"));
        break;
    case Navigation::Target::Nothing:
        break;
    }
}

void NavigationController::up()
{
    const QString current = m_form.currentFolder();
    const Navigation::UpTarget target =
        Navigation::up(current, m_form.listFileMode(), m_form.programFolder());
    if (target.kind == Navigation::UpTarget::ListFile) {
        m_form.showListFile(target.path);
        m_form.switchPanel()->setText(Navigation::listFileCaption());
        return;
    }
    if (!target.path.isEmpty())
        m_form.Build_ListView(target.path);
}

void NavigationController::showComputer()
{
    m_form.Build_ListView(ShellLocation::computer());
    // The title names the place the way the button does.
    const QString title = m_form.windowTitle();
    const qsizetype gap = title.indexOf(QLatin1String("   "));
    m_form.setWindowTitle(QStringLiteral("マイ　コンピュータ") +
                          (gap >= 0 ? title.mid(gap) : QString()));
    for (MainWindow::StatusField f :
         {MainWindow::DFCount, MainWindow::Notification, MainWindow::FindFileName,
          MainWindow::FileOp, MainWindow::SysMsg})
        m_form.statusField(f)->clear();
}

QString NavigationController::systemFolder(const QString &command)
{
    auto existing = [](const QString &path) { return QFileInfo(path).isDir() ? path : QString(); };
    auto standard = [&existing](QStandardPaths::StandardLocation location) {
        return existing(QStandardPaths::writableLocation(location));
    };
    if (command == QLatin1String("cmdSystemFolderDesktop"))
        return standard(QStandardPaths::DesktopLocation);
    // The user's own application entries.
    if (command == QLatin1String("cmdSystemFolderPrograms"))
        return standard(QStandardPaths::ApplicationsLocation);
    if (command == QLatin1String("cmdSystemFolderDocuments"))
        return standard(QStandardPaths::DocumentsLocation);
    // The desktop's menu: the application entries it is built from.
    if (command == QLatin1String("cmdSystemFolderStartMenu")) {
        const QStringList all =
            QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
        for (qsizetype i = all.size() - 1; i >= 0; --i) {
            if (!existing(all.at(i)).isEmpty())
                return all.at(i);
        }
        return QString();
    }
    if (command == QLatin1String("cmdSystemFolderTemplates"))
        return standard(QStandardPaths::TemplatesLocation);
    // The folder meant for handing files to others.
    if (command == QLatin1String("cmdSystemFolderSendTo"))
        return standard(QStandardPaths::PublicShareLocation);
    if (command == QLatin1String("cmdSystemFolderNetwork"))
        return ShellLocation::network();
    return QString();
}

void NavigationController::showSystemPlace(const QString &command)
{
    if (command == QLatin1String("cmdSystemFolderFavourites")) {
        // The program's own favourites: the "よく使う項目" page.
        if (QAction *page = m_form.command(Component::FavouritesPage)) {
            if (!page->isChecked()) {
                page->setChecked(true);
                m_form.MenuItem_Clicks(Component::FavouritesPage);
            }
            if (auto *pane = m_form.findChild<QTabWidget *>(QStringLiteral("RightPane")))
                pane->setCurrentWidget(m_form.rightPage(Component::FavouritesPage));
        }
        return;
    }
    if (command == QLatin1String("cmdSystemFolderRecent")) {
        // The recently opened files are the program's own list of them.
        const QString list =
            m_form.programFolder().file(RecentUseLists::relativePath(RecentUseLists::Files));
        if (QFileInfo(list).isFile())
            m_form.showListFile(list);
        else
            MessageBox::information(
                &m_form,
                QStringLiteral("最近使ったファイルは記録されていません。\n"
                               "プログラムのフォルダに vtl/FileList.img を作ると記録されます。"));
        return;
    }
    const QString place = systemFolder(command);
    if (place.isEmpty()) {
        MessageBox::information(&m_form, QStringLiteral("このフォルダはありません。"));
        return;
    }
    m_form.Build_ListView(Navigation::isShellLocation(place) ? place
                                                             : Navigation::folderKey(place));
}

void NavigationController::fillHistoryMenu(QMenu *menu, int kind)
{
    menu->clear();
    const QStringList lines =
        RecentUseLists(m_form.programFolder()).lines(RecentUseLists::Kind(kind));
    for (const QString &line : lines) {
        if (!Navigation::isNativePath(line))
            continue;
        QAction *a = menu->addAction(line);
        connect(a, &QAction::triggered, this, [this, line]() {
            const Navigation::Target target = Navigation::OpenPath(line);
            if (target.kind == Navigation::Target::Folder)
                m_form.Build_ListView(target.path);
            else if (target.kind == Navigation::Target::File &&
                     !m_form.launcher().openWithDefault(target.path))
                MessageBox::information(&m_form, QStringLiteral("コマンドを開始できませんでした"));
        });
    }
    if (menu->isEmpty())
        menu->addAction(QStringLiteral("なし"))->setEnabled(false);
}

bool NavigationController::onCommand(const QString &name, QAction *)
{
    if (name == QLatin1String("cmdUp")) {
        up();
        return true;
    }
    if (name == QLatin1String("cmdOpenPathBox")) {
        openPathBoxOnce(m_form.pathBox()->currentText());
        return true;
    }
    if (name == QLatin1String("cmdProgramFolder")) {
        m_form.Build_ListView(Navigation::folderKey(m_form.programFolder().path()));
        return true;
    }
    if (name == QLatin1String("cmdMyComputer")) {
        showComputer();
        return true;
    }
    if (name.startsWith(QLatin1String("cmdSystemFolder")) &&
        name != QLatin1String("cmdSystemFolderColour")) {
        showSystemPlace(name);
        return true;
    }
    return false;
}

} // namespace kazari
