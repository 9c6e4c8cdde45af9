#include "core/navigation/dropplan.h"

#include "core/navigation/navigation.h"
#include "core/navigation/recentuselists.h"

namespace kazari
{

QStringList DropPlan::localPaths(const QList<QUrl> &urls)
{
    QStringList out;
    for (const QUrl &url : urls) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        if (Navigation::isNativePath(path))
            out.append(Navigation::withoutTrailingSeparator(path));
    }
    return out;
}

QStringList DropPlan::pendingSelection(const QStringList &paths)
{
    QStringList out;
    for (const QString &path : paths) {
        const QString p = Navigation::withoutTrailingSeparator(path);
        out.append(p.mid(p.lastIndexOf(QLatin1Char('/')) + 1));
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
        if (!input.ownDrag)
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

} // namespace kazari
