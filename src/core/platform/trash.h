#pragma once

#include "core/platform/volumeprobe.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace kazari
{

/// One item in a trash folder.
struct TrashEntry {
    /// The folder holding "files" and "info" (the home trash or a volume's trash).
    QString trashFolder;
    /// The item's name inside "files" (its info file is this name + ".trashinfo").
    QString trashName;
    /// The absolute path the item came from.
    QString originalPath;
    /// Invalid when the info file had no readable date.
    QDateTime deletionDate;
    /// A file's size; for a folder the sum of the files inside it.
    qint64 size = 0;
    bool isDir = false;

    QString filesPath() const;
    QString infoPath() const;
};

/// The outcome of a trash operation.
struct TrashResult {
    bool ok = false;
    /// Where the item is now (inside the trash after trashing, back in place after restoring).
    QString path;
    QString error;
    /// Restoring found something at the original path and left both alone.
    bool targetExists = false;
};

/// The user's trash, in the freedesktop Trash layout (version 1.0).
///
/// Items on the volume of the home trash ($XDG_DATA_HOME/Trash, by default
/// ~/.local/share/Trash) go there with an absolute Path. Items on other volumes go to the
/// volume's own trash with a Path relative to the volume's top folder: $topdir/.Trash/$uid
/// when the administrator prepared $topdir/.Trash (a real folder, not a link, with the sticky
/// bit), otherwise $topdir/.Trash-$uid. Folders are created with mode 0700. An item that
/// cannot go to its own volume's trash is not trashed: the result says so and nothing is
/// removed (deleting for good is a separate, explicit step the user has to confirm).
///
/// Trashing writes info/NAME.trashinfo first, created exclusively (which reserves NAME),
/// then renames the item to files/NAME without replacing anything; when that rename fails
/// the info file is removed again. NAME is the item's name, or "name (2).ext", ... when
/// taken, shortened when needed so that NAME.trashinfo stays within 255 bytes.
class Trash
{
public:
    /// The home trash under $XDG_DATA_HOME (or ~/.local/share when it is unset or relative).
    Trash();
    explicit Trash(const QString &homeTrashFolder);

    QString homeTrashFolder() const { return m_home; }
    static QString defaultHomeTrashFolder();

    /// Moves `path` (absolute) into the trash of its volume.
    TrashResult moveToTrash(const QString &path) const;

    /// Every trash folder of this user that exists, each once: the home trash, then on each
    /// mounted volume (network file systems left out) $topdir/.Trash/$uid (when $topdir/.Trash
    /// passes its checks) and $topdir/.Trash-$uid. A volume can hold both: items trashed
    /// before the administrator prepared $topdir/.Trash stay in $topdir/.Trash-$uid.
    QStringList trashFolders() const;
    /// The same for the given volumes only (their mount roots and types): callers that
    /// must not wait on a volume pass only those that answered.
    QStringList trashFolders(const QList<MountPoint> &volumes) const;
    /// The entries of every trash folder (trashFolders()).
    QList<TrashEntry> entries() const;
    /// The entries of one trash folder. Info files without an item and items without an info
    /// file are left out.
    QList<TrashEntry> entriesIn(const QString &trashFolder) const;
    /// The entry of one item of a trash folder, by its path inside `files/` (as the trash
    /// location lists it), read from its own info file alone: no other trash is looked at
    /// and no folder is sized (`size` is 0 for a folder). False when the path is no trashed
    /// item or its info file cannot be read.
    bool entryOf(const QString &filesPath, TrashEntry *entry) const;

    enum class RestoreMode {
        /// Something at the original path: nothing happens and the result says so.
        RefuseWhenTaken,
        /// Something at the original path: restore as "name (2).ext", ... beside it.
        RenameWhenTaken,
    };
    /// Moves the entry back to its original path (re-creating missing parent folders) and
    /// removes its info file. Never replaces anything.
    TrashResult restore(const TrashEntry &entry, RestoreMode mode) const;
    /// Removes the entry from the trash for good (emptying the trash; the caller confirms).
    TrashResult erase(const TrashEntry &entry) const;

private:
    TrashResult trashInto(const QString &trashFolder, const QString &itemPath,
                          const QString &topFolder, bool isDir, int *errnoOut) const;
    QString m_home;
};

} // namespace kazari
