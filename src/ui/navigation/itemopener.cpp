#include "ui/navigation/itemopener.h"
#include "core/app/componentnames.h"

#include "core/app/applicationlist.h"
#include "core/navigation/browseraddress.h"
#include "core/navigation/navigation.h"
#include "core/navigation/recentuselists.h"
#include "core/platform/desktopapplications.h"
#include "ui/app/mainwindow.h"
#include "ui/app/messagebox.h"
#include "ui/itemlist/itemiconsource.h"
#include "ui/itemlist/itemlistlook.h"
#include "ui/itemlist/itemlistview.h"
#include "ui/navigation/browserpage.h"
#include "ui/navigation/itemshellmenu.h"
#include "ui/navigation/programchooser.h"
#include "ui/rpg/rpgview.h"

#include <QAction>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPointer>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kazari
{

namespace
{

const QString CannotStart = QStringLiteral("コマンドを開始できませんでした");

} // namespace

ItemOpener::ItemOpener(MainWindow &form)
    : QObject(&form)
    , m_form(form)
{
    setObjectName(QStringLiteral("ItemOpener"));
    m_registered = new QMenu(&m_form);
    m_registered->setObjectName(QStringLiteral("RegisteredApplicationsMenu"));
    m_shellMenu = new ItemShellMenu(m_form, *this);

    if (QWidget *page = m_form.rightPage(Component::BrowserPage)) {
        auto *layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        m_browser = new BrowserPage([this](const QString &url) { return openWeb(url); }, page);
        layout->addWidget(m_browser);
        connect(m_browser, &BrowserPage::addressChanged, this,
                [this](const QString &address) { m_form.setBrowserAddress(address); });
        // The page shows where it was left at the last run, once the settings are read;
        // a web address is not handed on by itself at start-up.
        connect(&m_form, &MainWindow::listBuilt, this, [this]() {
            if (m_browserRestored)
                return;
            m_browserRestored = true;
            const BrowserAddress::Target last = BrowserAddress::resolve(m_form.browserAddress());
            if (last.kind == BrowserAddress::Folder || last.kind == BrowserAddress::File)
                m_browser->navigate(last.location);
        });
    }

    // The window outlives its parts: a command arriving after this one is gone is not ours.
    m_form.addCommandHandler([self = QPointer(this)](const QString &name, QAction *action) {
        return self && self->onCommand(name, action);
    });
}

QList<OpenItem> ItemOpener::selectedItems() const
{
    QList<OpenItem> out;
    const ItemList &list = m_form.itemListView()->list();
    for (int row : m_form.itemListView()->selectedRows()) {
        const ItemRecord &r = list.at(row);
        out.append({r.PATH, r.ItemType == NamespaceItem, r.isFolder});
    }
    return out;
}

void ItemOpener::openSelection()
{
    // What opens is decided now; the list may change while the player walks.
    const QList<OpenItem> items = selectedItems();
    if (items.isEmpty())
        return;
    const OpenPlan plan = OpenPlan::make(items, m_form.listFileMode(), m_form.programFolder());
    QPointer<ItemOpener> self(this);
    // The request waits for the player: the game must be there to be walked.
    m_form.showGamePane();
    m_form.rpgView()->requestOpen([self, plan]() {
        if (self)
            self->execute(plan);
    });
}

void ItemOpener::execute(const OpenPlan &plan)
{
    // While closing, waiting requests still start their files but no list is built.
    const bool buildLists = !m_form.closing();
    for (const OpenPlan::Step &step : plan.steps) {
        switch (step.kind) {
        case OpenPlan::Step::ShowFolder:
            if (buildLists && toggleTreeRow(step.path, plan.steps.size() == 1))
                break;
            [[fallthrough]];
        case OpenPlan::Step::ShowLocation:
            if (buildLists)
                m_form.Build_ListView(step.path);
            break;
        case OpenPlan::Step::ShowListFile:
            if (buildLists)
                m_form.showListFile(step.path);
            break;
        case OpenPlan::Step::OpenWithDefault:
        case OpenPlan::Step::OpenFolderWindow:
            if (!m_form.launcher().openWithDefault(step.path))
                MessageBox::information(&m_form, CannotStart);
            break;
        }
    }
    if (plan.recorded.isEmpty())
        return;
    QString error;
    if (!RecentUseLists(m_form.programFolder()).record(plan.recorded, &error) && !error.isEmpty())
        MessageBox::warning(&m_form, error);
}

bool ItemOpener::toggleTreeRow(const QString &folder, bool single)
{
    // In the tree list a folder opens in place: its entry expands or collapses.
    ItemListView *view = m_form.itemListView();
    const ItemList &list = view->list();
    if (!single || !view->look().treeList || m_form.listFileMode() ||
        list.mode() != ItemListMode::Folder)
        return false;
    for (int row = 0; row < list.count(); ++row) {
        if (list.isExpandable(row) && Navigation::samePath(list.at(row).PATH, folder)) {
            view->toggleRow(row);
            return true;
        }
    }
    return false;
}

QMenu *ItemOpener::registeredApplicationsMenu()
{
    m_registered->clear();
    ApplicationList applications(m_form.programFolder());
    applications.load();
    const QList<ApplicationList::Entry> available = applications.available();
    if (available.isEmpty()) {
        m_registered->addAction(QStringLiteral("なし"))->setEnabled(false);
        return m_registered;
    }
    for (const ApplicationList::Entry &entry : available) {
        const QImage icon = m_form.itemListView()->icons().iconOfPath(entry.program, 16);
        // The caption is the user's text, not a mnemonic.
        QAction *a = m_registered->addAction(
            QIcon(QPixmap::fromImage(icon)),
            QString(entry.name).replace(QLatin1Char('&'), QStringLiteral("&&")));
        connect(a, &QAction::triggered, this, [this, entry]() {
            const QStringList selected = m_form.selectedPaths();
            if (selected.isEmpty() || !Navigation::isNativePath(selected.first()))
                return;
            if (!ApplicationList::launch(entry, selected.first(), m_form.launcher()))
                MessageBox::information(&m_form, CannotStart);
        });
    }
    return m_registered;
}

ProgramChooser *ItemOpener::chooseApplication(const QString &path)
{
    QString target = path;
    if (target.isEmpty()) {
        for (const QString &p : m_form.selectedPaths()) {
            if (Navigation::isNativePath(p)) {
                target = p;
                break;
            }
        }
    }
    if (!Navigation::isNativePath(target))
        return nullptr;
    target = Navigation::withoutTrailingSeparator(target);
    DesktopApplications applications;
    applications.load();
    auto *chooser = new ProgramChooser(target, applications.forFile(target), &m_form);
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    connect(chooser, &QDialog::accepted, this, [this, chooser]() { startChosen(chooser); });
    chooser->open();
    return chooser;
}

void ItemOpener::startChosen(ProgramChooser *chooser)
{
    const QString path = chooser->path();
    const QList<QUrl> targets{QUrl::fromLocalFile(path)};
    const QString folder = QFileInfo(path).absolutePath();
    bool started = false;
    if (const std::optional<DesktopEntry> entry = chooser->chosenEntry())
        started = DesktopApplications::launch(*entry, targets, folder, m_form.launcher());
    else if (!chooser->command().isEmpty())
        started = DesktopApplications::launchCommand(chooser->command(), targets, folder,
                                                     m_form.launcher());
    if (!started)
        MessageBox::information(&m_form, CannotStart);
}

bool ItemOpener::openWeb(const QString &url)
{
    DesktopApplications applications;
    applications.load();
    const std::optional<DesktopEntry> browser = applications.webBrowser();
    return browser &&
           DesktopApplications::launch(*browser, {QUrl(url)}, QDir::homePath(), m_form.launcher());
}

void ItemOpener::openInBrowser()
{
    if (!m_browser)
        return;
    const QStringList selected = m_form.selectedPaths();
    const QString wanted = selected.isEmpty() ? m_form.currentFolder() : selected.first();
    QAction *page = m_form.command(Component::BrowserPage);
    if (page && !page->isChecked()) {
        page->setChecked(true);
        m_form.MenuItem_Clicks(Component::BrowserPage);
    }
    if (auto *pane = m_form.findChild<QTabWidget *>(QStringLiteral("RightPane")))
        pane->setCurrentWidget(m_form.rightPage(Component::BrowserPage));
    // Only an item's own file or folder is shown here; anything else is the blank page.
    const BrowserAddress::Target target = Navigation::isNativePath(wanted)
                                              ? BrowserAddress::resolve(wanted)
                                              : BrowserAddress::Target();
    m_browser->navigate(target.kind == BrowserAddress::Folder || target.kind == BrowserAddress::File
                            ? target.location
                            : BrowserAddress::blank());
}

bool ItemOpener::onCommand(const QString &name, QAction *)
{
    if (name == QLatin1String("cmdOpen")) {
        openSelection();
        return true;
    }
    if (name == QLatin1String("cmdOpenWithRegisteredApp")) {
        registeredApplicationsMenu()->popup(QCursor::pos());
        return true;
    }
    if (name == QLatin1String("cmdOpenWithApp")) {
        chooseApplication();
        return true;
    }
    if (name == QLatin1String("cmdOpenInBrowser")) {
        openInBrowser();
        return true;
    }
    return false;
}

} // namespace kazari
