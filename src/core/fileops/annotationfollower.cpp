#include "core/fileops/annotationfollower.h"

#include "core/fileops/trashannotations.h"
#include "core/platform/textfile.h"
#include "core/tasks/tasklist.h"

#include <QDir>
#include <QFile>
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

// After a move merged the folder `path` into another: true when it is gone, removing it
// when nothing is left in it but an annotation file without item lines (the engine leaves
// that file behind for the follower). Anything else in it keeps it.
bool removeEmptiedFolder(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    if (!isRealFolder(path))
        return false;
    const QString companion = QStringLiteral("_m.ini");
    const QStringList names =
        QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    if (names != QStringList{companion})
        return false;
    const QString file = path + QLatin1Char('/') + companion;
    const QFileInfo fileInfo(file);
    if (!fileInfo.isFile() || fileInfo.isSymLink())
        return false;
    const TextFile::ReadResult read = TextFile::read(file, TextFile::RegularFilesOnly);
    if (!read.found)
        return false;
    const AnnotationList list = AnnotationList::fromDocument(read.document);
    for (const QString &line : list.lines()) {
        if (!line.trimmed().isEmpty() && !line.startsWith(QLatin1Char('.')))
            return false;
    }
    return QFile::remove(file) && QDir().rmdir(path);
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
    struct Placement {
        QString folder;
        QString name;
        QString toFolder;
    };
    QList<Placement> placements;
    // Moved folders merged into others: they lose their lines only once they are gone.
    QList<PlacedEntry> mergedMoves;
    // Folders copied anew (source, copy): their central files are copied for the copy.
    QList<QPair<QString, QString>> copiedFolders;

    TrashAnnotations trash(m_store);
    bool trashed = false;

    auto addRemoval = [&](const QString &folder, const QString &name) {
        if (!removals.contains(folder))
            removalOrder.append(folder);
        removals[folder].append(name);
    };

    auto sourceList = [&](const QString &folder) -> const AnnotationList & {
        auto list = sourceLists.find(folder);
        if (list == sourceLists.end()) {
            list = sourceLists.insert(folder, m_store.folderList(folder));
            list->setGuardFolder(folder);
        }
        return *list;
    };

    // `copied`: a move that could not remove its source, which keeps its lines.
    auto place = [&](const QString &source, const QString &destination, bool merged, bool copied) {
        QString folder;
        QString name;
        QString toFolder;
        QString toName;
        if (!AnnotationStore::splitItemPath(source, &folder, &name) ||
            !AnnotationStore::splitItemPath(destination, &toFolder, &toName))
            return;
        Carry carry;
        carry.oldName = name;
        carry.newName = toName;
        carry.fields = sourceList(folder).itemFields(name);
        carry.merge = merged;
        if (!arrivals.contains(toFolder))
            arrivalOrder.append(toFolder);
        arrivals[toFolder].append(carry);
        placements.append({folder, name, toFolder});
        if (!move || copied) {
            if (!merged && isRealFolder(destination))
                copiedFolders.append({source, destination});
            return;
        }
        if (merged) {
            mergedMoves.append({source, destination, true});
            return;
        }
        // The same file under the same name (list-file mode keeps one file for all
        // folders): the carried lines are the source's lines, nothing to remove.
        const bool sameLines =
            name == toName &&
            m_store.fileForFolder(folder).path == m_store.fileForFolder(toFolder).path &&
            m_store.fileForFolder(folder).isFile();
        if (!sameLines)
            addRemoval(folder, name);
        if (isRealFolder(destination))
            movedFolders.append({source, destination});
    };

    for (const ItemOutcome &item : result.items) {
        const bool copied = item.status == ItemStatus::Copied && !remove;
        if (item.status == ItemStatus::Done || copied) {
            QString folder;
            QString name;
            if (!AnnotationStore::splitItemPath(item.source, &folder, &name))
                continue;
            ++out.followed;
            if (remove) {
                // What goes to the trash keeps its lines with its trash entry; they leave the
                // folder's file only once they are kept. Deleted for good, they just go.
                QString error;
                if (item.destination.isEmpty() ||
                    trash.keep(item.source, item.destination, sourceList(folder).itemFields(name),
                               &error))
                    addRemoval(folder, name);
                else
                    out.errors.append(error);
                trashed = trashed || !item.destination.isEmpty();
                continue;
            }
            place(item.source, item.destination, item.merged, copied);
        }
        // What went into a merged folder really moved, also when the rest failed.
        for (const PlacedEntry &entry : item.placedInside)
            place(entry.source, entry.destination, entry.merged, entry.copied);
    }

    if (trashed)
        trash.prune();

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

    // Keep the source lines of every item whose destination could not be written.
    for (const Placement &p : std::as_const(placements)) {
        if (failedDestinations.contains(p.toFolder))
            removals[p.folder].removeOne(p.name);
    }

    auto removeLines = [&](const QString &folder, const QStringList &names) {
        if (names.isEmpty())
            return;
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
    };
    for (const QString &folder : std::as_const(removalOrder))
        removeLines(folder, removals.value(folder));

    // A folder moved by merging keeps its annotation file (the engine leaves it for the lines
    // above); once no item of it is left, the folder goes too, deepest first, and only then
    // do its own lines leave its parent's file.
    for (qsizetype i = mergedMoves.size() - 1; i >= 0; --i) {
        const PlacedEntry &m = mergedMoves.at(i);
        QString folder;
        QString name;
        QString toFolder;
        QString toName;
        if (!AnnotationStore::splitItemPath(m.source, &folder, &name) ||
            !AnnotationStore::splitItemPath(m.destination, &toFolder, &toName) ||
            failedDestinations.contains(toFolder))
            continue;
        if (removeEmptiedFolder(m.source))
            removeLines(folder, {name});
    }

    // In central mode the items inside a copied folder (and inside every folder below it)
    // have their lines in the numbered files of the source folders: the copies get numbered
    // files of their own with the same lines, as the folder's own `_m.ini` travels with it
    // in per-folder mode. Lines a copy's key still had from a folder gone before are stale.
    for (const auto &copy : std::as_const(copiedFolders)) {
        const QString from = AnnotationStore::folderKey(copy.first);
        const QString to = AnnotationStore::folderKey(copy.second);
        for (const QString &key : m_store.registeredFoldersBelow(from)) {
            const QString target = to + key.mid(from.size());
            if (m_store.fileForFolder(key).kind != AnnotationFileRef::Kind::CentralFile ||
                !isRealFolder(target))
                continue;
            QString error;
            const AnnotationList lines = m_store.folderList(key, nullptr, &error);
            if (!error.isEmpty()) {
                out.errors.append(error);
                continue;
            }
            if (lines.isEmpty() && m_store.folderList(target).isEmpty())
                continue;
            const StoreResult r = m_store.editFolder(
                target,
                [&lines](AnnotationList &list) {
                    if (list.lines() == lines.lines())
                        return false;
                    list.setLines(lines.lines());
                    return true;
                },
                false, true);
            if (!r.ok)
                out.errors.append(r.error);
        }
    }

    for (const auto &moved : std::as_const(movedFolders)) {
        const StoreResult r = m_store.moveFolderKeys(moved.first, moved.second);
        if (!r.ok)
            out.errors.append(r.error);
    }

    // Listed tasks follow their items (and items below a moved folder) in task.ini. A folder
    // merged into another moves entry by entry: what went in follows, what was kept stays,
    // and the folder's own line follows only once the folder is gone.
    if (move) {
        QList<TaskList::Move> taskMoves;
        auto mergedFolder = [&taskMoves](const QString &source, const QString &destination) {
            const QFileInfo info(source);
            if (!info.exists() && !info.isSymLink())
                taskMoves.append({source, destination, false});
        };
        for (const ItemOutcome &item : result.items) {
            if (item.merged) {
                for (const PlacedEntry &entry : item.placedInside) {
                    if (entry.merged)
                        mergedFolder(entry.source, entry.destination);
                    else if (!entry.copied)
                        taskMoves.append({entry.source, entry.destination, true});
                }
                if (!item.destination.isEmpty())
                    mergedFolder(item.source, item.destination);
                continue;
            }
            if (item.status == ItemStatus::Done && !item.destination.isEmpty())
                taskMoves.append({item.source, item.destination, true});
        }
        QString error;
        if (!TaskList(m_store.programFolder()).followMoves(taskMoves, &error))
            out.errors.append(error);
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
    QString error;
    if (!TaskList(m_store.programFolder()).followMove(oldPath, newPath, &error))
        out.errors.append(error);
    return out;
}

} // namespace kazari
