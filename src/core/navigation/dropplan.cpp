#include "core/navigation/dropplan.h"

#include "core/fileops/itemcreation.h"
#include "core/navigation/navigation.h"
#include "core/navigation/recentuselists.h"

#include <QFileInfo>

namespace kazari
{

namespace
{

QString lastComponent(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

// A folder's annotation, rules or picture file: it belongs to its folder and goes with
// the folder, never as an item of its own.
bool isCompanionFile(const QString &path)
{
    return ItemCreation::isCompanionName(lastComponent(path)) && !QFileInfo(path).isDir();
}

} // namespace

QStringList DropPlan::localPaths(const QList<QUrl> &urls)
{
    QStringList out;
    for (const QUrl &url : urls) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        if (!Navigation::isNativePath(path))
            continue;
        const QString p = Navigation::withoutTrailingSeparator(path);
        if (!isCompanionFile(p))
            out.append(p);
    }
    return out;
}

QStringList DropPlan::pendingSelection(const QStringList &paths)
{
    QStringList out;
    for (const QString &path : paths)
        out.append(lastComponent(Navigation::withoutTrailingSeparator(path)));
    return out;
}

QStringList DropPlan::arrived(const FileOperationResult &result)
{
    QStringList out;
    for (const ItemOutcome &item : result.items) {
        if ((item.status == ItemStatus::Done || item.status == ItemStatus::Skipped) &&
            !item.destination.isEmpty())
            out.append(item.destination);
    }
    return out;
}

DropPlan DropPlan::make(const Input &input)
{
    DropPlan plan;
    const bool ontoSidePane = input.place == Place::Favourites || input.place == Place::FreeTree;
    for (const QString &path : localPaths(input.urls)) {
        if (ontoSidePane) {
            plan.paths.append(path);
        } else if (Navigation::samePath(Navigation::parentKey(path), input.currentFolder)) {
            plan.sameFolder = true;
        } else if (input.listFileMode) {
            if (RecentUseLists::isStorable(path))
                plan.listFileLines.append(path);
            else
                plan.refused.append(path);
        } else if (!input.searchResultMode) {
            plan.paths.append(path);
        }
    }
    if (plan.sameFolder || plan.paths.isEmpty() || !input.dropAllowed) {
        plan.paths.clear();
        return plan;
    }
    switch (input.place) {
    case Place::ItemList:
    case Place::MainWindow:
        // Copies and moves go into a folder of the file system only, never into a
        // virtual location.
        if (!input.ownDrag && Navigation::isNativePath(input.currentFolder))
            plan.action = Action::DropMenu;
        break;
    case Place::Favourites:
        plan.action = Action::AddToFavourites;
        break;
    case Place::FreeTree:
        plan.action = Action::AddToFreeTree;
        break;
    case Place::Elsewhere:
        break;
    }
    if (plan.action == Action::Nothing)
        plan.paths.clear();
    return plan;
}

DropPlan::FolderDrop DropPlan::ontoFolder(const QStringList &dragged, const QString &folder)
{
    FolderDrop drop;
    drop.destination = Navigation::folderKey(folder);
    for (const QString &path : dragged) {
        const QString p = Navigation::withoutTrailingSeparator(path);
        if (p.isEmpty())
            continue;
        const QFileInfo info(p);
        const bool usable = Navigation::isNativePath(p) && !isCompanionFile(p) &&
                            (info.exists() || info.isSymLink()) &&
                            !Navigation::samePath(p, drop.destination);
        if (usable)
            drop.sources.append(p);
        else
            drop.problems.append(p);
    }
    return drop;
}

} // namespace kazari
