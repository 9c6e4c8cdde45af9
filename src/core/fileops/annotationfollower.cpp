#include "core/fileops/annotationfollower.h"

#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QPair>

namespace kazari
{

namespace
{

using Fields = QList<QPair<QString, QString>>;

struct Carry {
    QString oldName;
    QString newName;
    Fields fields;
    /// A folder merged into one of the same name: its fields join the target's.
    bool merge = false;
};

bool isRealFolder(const QString &path)
{
    const QFileInfo info(path);
    return info.isDir() && !info.isSymLink();
}

} // namespace

AnnotationFollower::AnnotationFollower(AnnotationStore &store)
    : m_store(store)
{
}

AnnotationFollower::Outcome AnnotationFollower::follow(const FileOperationRequest &request,
                                                       const FileOperationResult &result)
{
    Outcome out;
    const bool remove = request.code == FileOperationCode::Delete;
    const bool move = FileOperation::isMove(request.code);

    // Source folder -> names whose lines go; destination folder -> what arrives there.
    QHash<QString, QStringList> removals;
    QStringList removalOrder;
    QHash<QString, QList<Carry>> arrivals;
    QStringList arrivalOrder;
    QHash<QString, AnnotationList> sourceLists;
    QList<QPair<QString, QString>> movedFolders;

    for (const ItemOutcome &item : result.items) {
        if (item.status != ItemStatus::Done)
            continue;
        QString folder;
        QString name;
        if (!AnnotationStore::splitItemPath(item.source, &folder, &name))
            continue;
        ++out.followed;
        if (remove) {
            if (!removals.contains(folder))
                removalOrder.append(folder);
            removals[folder].append(name);
            continue;
        }
        QString toFolder;
        QString toName;
        if (!AnnotationStore::splitItemPath(item.destination, &toFolder, &toName))
            continue;
        auto list = sourceLists.find(folder);
        if (list == sourceLists.end()) {
            list = sourceLists.insert(folder, m_store.folderList(folder));
            list->setGuardFolder(folder);
        }
        Carry carry;
        carry.oldName = name;
        carry.newName = toName;
        carry.fields = list->itemFields(name);
        carry.merge = item.merged;
        if (!arrivals.contains(toFolder))
            arrivalOrder.append(toFolder);
        arrivals[toFolder].append(carry);
        if (move) {
            // The same file under the same name (list-file mode keeps one file for all
            // folders): the carried lines are the source's lines, nothing to remove.
            const bool sameLines =
                name == toName &&
                m_store.fileForFolder(folder).path == m_store.fileForFolder(toFolder).path &&
                m_store.fileForFolder(folder).isFile();
            if (!sameLines) {
                if (!removals.contains(folder))
                    removalOrder.append(folder);
                removals[folder].append(name);
            }
            if (!item.merged && isRealFolder(item.destination))
                movedFolders.append({item.source, item.destination});
        }
    }

    // Arrivals first: a source loses its lines only once they are safe at the destination.
    QSet<QString> failedDestinations;
    for (const QString &toFolder : std::as_const(arrivalOrder)) {
        const QList<Carry> &carries = arrivals[toFolder];
        bool anyFields = false;
        bool anyReplacing = false;
        for (const Carry &c : carries) {
            anyFields = anyFields || !c.fields.isEmpty();
            anyReplacing = anyReplacing || !c.merge;
        }
        if (!anyFields && !anyReplacing)
            continue;
        const StoreResult r = m_store.editFolder(
            toFolder,
            [&carries](AnnotationList &list) {
                bool changed = false;
                for (const Carry &c : carries) {
                    // A new item never inherits lines left under its name by an item that is
                    // gone; a merged folder keeps its own.
                    if (!c.merge)
                        changed = list.removeItem(c.newName) > 0 || changed;
                    for (const auto &field : c.fields) {
                        bool set = false;
                        list.setValue(c.newName, field.first, field.second, &set);
                        changed = changed || set;
                    }
                }
                return changed;
            },
            false, anyFields);
        if (!r.ok) {
            out.errors.append(r.error);
            failedDestinations.insert(toFolder);
        }
    }

    if (!failedDestinations.isEmpty()) {
        // Keep the source lines of every item whose destination could not be written.
        for (const QString &toFolder : std::as_const(failedDestinations)) {
            for (const ItemOutcome &item : result.items) {
                QString folder, name, itemTo, itemName;
                if (item.status != ItemStatus::Done ||
                    !AnnotationStore::splitItemPath(item.source, &folder, &name) ||
                    !AnnotationStore::splitItemPath(item.destination, &itemTo, &itemName) ||
                    itemTo != toFolder)
                    continue;
                removals[folder].removeOne(name);
            }
        }
    }

    for (const QString &folder : std::as_const(removalOrder)) {
        const QStringList names = removals.value(folder);
        if (names.isEmpty())
            continue;
        const StoreResult r = m_store.editFolder(
            folder,
            [&names](AnnotationList &list) {
                bool changed = false;
                for (const QString &name : names)
                    changed = list.removeItem(name) > 0 || changed;
                return changed;
            },
            true, false);
        if (!r.ok)
            out.errors.append(r.error);
    }

    for (const auto &moved : std::as_const(movedFolders)) {
        const StoreResult r = m_store.moveFolderKeys(moved.first, moved.second);
        if (!r.ok)
            out.errors.append(r.error);
    }
    return out;
}

AnnotationFollower::Outcome AnnotationFollower::renamed(const QString &oldPath,
                                                        const QString &newName)
{
    Outcome out;
    QString folder;
    QString name;
    if (!AnnotationStore::splitItemPath(oldPath, &folder, &name))
        return out;
    out.followed = 1;
    const StoreResult r = m_store.renameItemByPath(oldPath, newName);
    if (!r.ok)
        out.errors.append(r.error);
    const QString newPath = folder + newName;
    if (isRealFolder(newPath)) {
        const StoreResult keys = m_store.moveFolderKeys(oldPath, newPath);
        if (!keys.ok)
            out.errors.append(keys.error);
    }
    return out;
}

} // namespace kazari
