#include "ui/navigation/itemshellmenu.h"

#include "core/navigation/clipboardpaths.h"
#include "core/navigation/navigation.h"
#include "ui/app/mainwindow.h"
#include "ui/app/messagebox.h"
#include "ui/fileops/fileoperationscontroller.h"
#include "ui/itemlist/itemlistview.h"
#include "ui/navigation/itemopener.h"
#include "ui/tasks/detailwindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QPointer>

namespace kazari
{

ItemShellMenu::ItemShellMenu(MainWindow &form, ItemOpener &opener)
    : QObject(&opener)
    , m_form(form)
    , m_opener(opener)
{
    setObjectName(QStringLiteral("ItemShellMenu"));
    m_menu = new QMenu(&m_form);
    m_menu->setObjectName(QStringLiteral("ShellPopup"));
    // The window outlives its parts: a command arriving after this one is gone is not ours.
    m_form.addCommandHandler([self = QPointer(this)](const QString &name, QAction *action) {
        return self && self->onCommand(name, action);
    });
}

QStringList ItemShellMenu::targets() const
{
    QStringList paths;
    for (const QString &p : m_form.selectedPaths()) {
        if (Navigation::isNativePath(p))
            paths.append(Navigation::withoutTrailingSeparator(p));
    }
    if (!paths.isEmpty() || !m_form.selectedPaths().isEmpty())
        return paths;
    const QString folder = pasteFolder();
    return folder.isEmpty() ? QStringList()
                            : QStringList{Navigation::withoutTrailingSeparator(folder)};
}

QString ItemShellMenu::pasteFolder() const
{
    if (m_form.itemListView()->list().mode() != ItemListMode::Folder)
        return QString();
    const QString folder = m_form.currentFolder();
    return Navigation::isNativePath(folder) ? folder : QString();
}

QMenu *ItemShellMenu::build()
{
    m_menu->clear();
    const bool selection = !m_form.selectedPaths().isEmpty();
    const bool any = !targets().isEmpty();
    auto add = [this](const QString &name, const QString &caption, auto slot, bool enabled) {
        QAction *a = m_menu->addAction(caption);
        a->setObjectName(name);
        a->setEnabled(enabled);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    if (selection)
        add(
            QStringLiteral("shellOpen"), QStringLiteral("開く(&O)"),
            [this]() { m_opener.openSelection(); }, true);
    add(
        QStringLiteral("shellOpenWith"), QStringLiteral("アプリケーションから開く(&H)..."),
        [this]() { m_opener.chooseApplication(targets().value(0)); }, any);
    m_menu->addSeparator();
    if (selection)
        add(
            QStringLiteral("shellCut"), QStringLiteral("切り取り(&T)"), [this]() { cut(); }, any);
    add(
        QStringLiteral("shellCopy"), QStringLiteral("コピー(&C)"), [this]() { copy(); }, any);
    const bool canPaste =
        !pasteFolder().isEmpty() &&
        !ClipboardPaths::fromMimeData(QApplication::clipboard()->mimeData()).paths.isEmpty();
    add(
        QStringLiteral("shellPaste"), QStringLiteral("貼り付け(&P)"), [this]() { paste(); },
        canPaste);
    m_menu->addSeparator();
    if (selection)
        add(
            QStringLiteral("shellTrash"), QStringLiteral("ごみ箱に入れる(&D)"),
            [this]() { m_form.fileOperations()->trashSelected(); }, any);
    add(
        QStringLiteral("shellCopyPath"), QStringLiteral("パスをコピー(&A)"),
        [this]() { copyPath(); }, any);
    m_menu->addSeparator();
    add(
        QStringLiteral("shellProperties"), QStringLiteral("プロパティ(&R)"),
        [this]() { properties(); }, any);
    return m_menu;
}

void ItemShellMenu::popup(const QPoint &globalPos)
{
    build()->popup(globalPos);
}

void ItemShellMenu::putOnClipboard(const QStringList &paths, bool cutting)
{
    if (paths.isEmpty())
        return;
    QApplication::clipboard()->setMimeData(ClipboardPaths::toMimeData(paths, cutting).release());
}

void ItemShellMenu::cut()
{
    // Only items of the list are cut, never the folder the list shows.
    QStringList paths;
    for (const QString &p : m_form.selectedPaths()) {
        if (Navigation::isNativePath(p))
            paths.append(Navigation::withoutTrailingSeparator(p));
    }
    putOnClipboard(paths, true);
}

void ItemShellMenu::copy()
{
    putOnClipboard(targets(), false);
}

void ItemShellMenu::paste()
{
    const QString destination = pasteFolder();
    if (destination.isEmpty())
        return;
    QClipboard *clipboard = QApplication::clipboard();
    const ClipboardPaths items = ClipboardPaths::fromMimeData(clipboard->mimeData());
    if (items.paths.isEmpty())
        return;
    // Items that already lie here: a copy becomes a renamed duplicate, a move does nothing.
    QStringList here;
    QStringList elsewhere;
    for (const QString &p : items.paths) {
        if (Navigation::samePath(Navigation::parentKey(p), destination))
            here.append(p);
        else
            elsewhere.append(p);
    }
    FileOperationsController *ops = m_form.fileOperations();
    if (items.cut) {
        if (!elsewhere.isEmpty() &&
            ops->ShellFileOperation(elsewhere, FileOperationCode::MoveAsking, destination)) {
            // Moved items are gone from where the clipboard says they are.
            clipboard->clear();
        }
        return;
    }
    if (!elsewhere.isEmpty())
        ops->ShellFileOperation(elsewhere, FileOperationCode::CopyAsking, destination);
    if (!here.isEmpty())
        ops->ShellFileOperation(here, FileOperationCode::CopyRenaming, destination);
}

void ItemShellMenu::copyPath()
{
    const QStringList paths = targets();
    if (!paths.isEmpty())
        QApplication::clipboard()->setText(paths.join(QLatin1Char('\n')));
}

void ItemShellMenu::properties()
{
    const QStringList paths = targets();
    if (paths.isEmpty())
        return;
    DetailWindow *window = DetailWindow::install(m_form);
    window->fillFor(paths.first());
    window->show();
    window->raise();
}

QStringList ItemShellMenu::createLinks()
{
    QStringList made;
    QStringList failed;
    // Entries of virtual locations (volumes, the trash) get no links.
    if (m_form.itemListView()->list().mode() == ItemListMode::ShellNamespace)
        return made;
    for (const QString &p : m_form.selectedPaths()) {
        if (!Navigation::isNativePath(p))
            continue;
        const QFileInfo item(Navigation::withoutTrailingSeparator(p));
        if ((!item.exists() && !item.isSymLink()) || item.fileName().isEmpty())
            continue;
        // Beside the item, under a name that is still free: nothing is replaced.
        const QString stem = item.fileName() + QStringLiteral(" へのリンク");
        QString link = item.absolutePath() + QLatin1Char('/') + stem;
        for (int n = 2; QFileInfo(link).exists() || QFileInfo(link).isSymLink(); ++n)
            link = item.absolutePath() + QLatin1Char('/') + stem + QStringLiteral(" (%1)").arg(n);
        if (QFile::link(item.absoluteFilePath(), link))
            made.append(link);
        else
            failed.append(item.absoluteFilePath());
    }
    if (!made.isEmpty())
        m_form.refreshList();
    if (!failed.isEmpty())
        MessageBox::information(&m_form, QStringLiteral("リンクを作成できませんでした。\n") +
                                             failed.join(QLatin1Char('\n')));
    return made;
}

bool ItemShellMenu::onCommand(const QString &name, QAction *)
{
    if (name == QLatin1String("cmdCreateLink")) {
        createLinks();
        return true;
    }
    if (name == QLatin1String("cmdShellMenu")) {
        popup(QCursor::pos());
        return true;
    }
    // The menu commands act on the selection only.
    const bool selection = !m_form.selectedPaths().isEmpty();
    if (name == QLatin1String("cmdCut")) {
        cut();
        return true;
    }
    if (name == QLatin1String("cmdCopy")) {
        if (selection)
            copy();
        return true;
    }
    if (name == QLatin1String("cmdPaste")) {
        paste();
        return true;
    }
    if (name == QLatin1String("cmdProperties")) {
        if (selection)
            properties();
        return true;
    }
    return false;
}

} // namespace kazari
