#include "core/navigation/openplan.h"

#include "core/navigation/navigation.h"
#include "core/platform/desktopentry.h"

#include <QFileInfo>

namespace kazari
{

namespace
{

// An entry of a virtual location: a container with a folder behind it is shown in the
// list, one without is browsed, anything else is opened by the desktop.
OpenPlan::Step namespaceStep(const OpenItem &item)
{
    if (item.container) {
        if (Navigation::isNativePath(item.path) && QFileInfo(item.path).isDir())
            return {OpenPlan::Step::ShowFolder, Navigation::folderKey(item.path)};
        return {OpenPlan::Step::ShowLocation, item.path};
    }
    return {OpenPlan::Step::OpenWithDefault, item.path};
}

// In list-file mode an entry that is no file or folder but names a list file kept in
// the program folder's `vtl` opens that list file.
QString listFileOf(const OpenItem &item, const ProgramFolder &programFolder)
{
    if (item.path.isEmpty() || !programFolder.isValid())
        return QString();
    if (Navigation::isNativePath(item.path) && QFileInfo::exists(item.path))
        return QString();
    QString name = item.path;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    name = name.mid(name.lastIndexOf(QLatin1Char('/')) + 1);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return QString();
    const QString file = programFolder.file(QStringLiteral("vtl/") + name);
    return QFileInfo(file).isFile() ? file : QString();
}

} // namespace

QString OpenPlan::followFolderLink(const QString &path)
{
    if (!Navigation::isNativePath(path))
        return path;
    const QFileInfo info(Navigation::withoutTrailingSeparator(path));
    if (info.isSymLink() && info.isDir()) {
        const QString target = info.canonicalFilePath();
        return target.isEmpty() ? path : target;
    }
    // A desktop link entry stands for its target only when that is a folder; any other
    // entry (an application, a web address, a broken one) is a file like any other.
    if (info.isFile() && info.suffix() == QLatin1String("desktop") && info.size() < 65536) {
        const std::optional<DesktopEntry> entry = DesktopEntry::load(info.filePath());
        if (entry && entry->isLink()) {
            const QString target = entry->linkTarget();
            if (!target.isEmpty() && QFileInfo(target).isDir())
                return target;
        }
    }
    return path;
}

OpenPlan OpenPlan::make(const QList<OpenItem> &items, bool listFileMode,
                        const ProgramFolder &programFolder)
{
    OpenPlan plan;
    if (items.isEmpty())
        return plan;
    const OpenItem &first = items.first();

    if (first.namespaceItem) {
        for (const OpenItem &item : items)
            plan.steps.append(namespaceStep(item));
        return plan;
    }
    if (listFileMode) {
        const QString listFile = listFileOf(first, programFolder);
        if (!listFile.isEmpty()) {
            plan.steps.append({Step::ShowListFile, listFile});
            return plan;
        }
    }

    const bool single = items.size() == 1;
    for (const OpenItem &item : items) {
        if (item.path.isEmpty())
            continue;
        const QString path = followFolderLink(item.path);
        const Navigation::Target target = Navigation::OpenPath(path);
        if (target.kind == Navigation::Target::Folder) {
            plan.steps.append(
                {single ? Step::ShowFolder : Step::OpenFolderWindow,
                 single ? target.path : Navigation::withoutTrailingSeparator(target.path)});
            plan.recorded.append(Navigation::withoutTrailingSeparator(target.path));
        } else if (target.kind == Navigation::Target::File) {
            plan.steps.append({Step::OpenWithDefault, target.path});
            plan.recorded.append(target.path);
        }
    }
    return plan;
}

} // namespace kazari
