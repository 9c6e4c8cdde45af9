#pragma once

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>

#include <atomic>
#include <functional>
#include <sys/stat.h>
#include <utility>

namespace kazari
{

/// Copies and removes whole items on disk, the way the file operations need it.
///
/// A copy keeps the modification and access times, the permission bits, the owner where
/// the process may set it, and the "user." extended attributes. Symbolic links are copied
/// as links and never followed; fifos and device nodes are created anew. Files with holes
/// keep them (data ranges found with SEEK_DATA / SEEK_HOLE), data is moved with
/// copy_file_range, or read and written in chunks where the kernel cannot. Hard links
/// inside a tree become separate files.
///
/// Nothing existing is ever replaced except by `replace`, and a copy that does not finish
/// (failure or cancellation) removes everything it created.
class TreeCopier
{
public:
    enum class Outcome {
        Ok,
        /// The target name was taken when the copy tried to claim it; nothing changed.
        Taken,
        Failed,
        Cancelled,
    };

    /// Called with the bytes copied since the last call (holes count as copied) and the
    /// path of the entry being copied, as native bytes.
    using ProgressCallback = std::function<void(qint64 bytes, const QByteArray &path)>;

    /// `cancel`, when given, is polled between entries and between chunks of data.
    explicit TreeCopier(const std::atomic_bool *cancel = nullptr);

    void setProgressCallback(ProgressCallback callback) { m_progress = std::move(callback); }

    /// Copies `source` (the item itself, not what a link points to) to `target`, which is
    /// claimed exclusively: `Taken` when anything is there. Anything but `Ok` leaves no
    /// trace of the copy.
    Outcome copyNew(const QString &source, const QString &target, QString *error);

    /// Replaces the existing non-folder `target` by a copy of the non-folder `source`: the
    /// copy is made under a temporary name beside `target` and renamed over it only once it
    /// is complete, so a failed copy leaves `target` as it was.
    Outcome replace(const QString &source, const QString &target, QString *error);

    /// Removes `path` and, for a folder, everything inside; never follows links.
    static bool removeTree(const QString &path, QString *error);

    /// What a walk of one item found.
    struct Scan {
        qint64 bytes = 0;
        qint64 entries = 0;
        /// Set (when asked for) to why the first entry that could not be removed afterwards
        /// would stay, for a move that has to copy; empty when all can go.
        QString unremovable;
        QString error;
        bool cancelled = false;
    };
    /// Sums the sizes of the regular files of `path` (itself included) without following
    /// links. With `checkRemovable`, also checks that this process can remove `path` and
    /// everything inside it: every folder involved writable, and in a folder with the sticky
    /// bit (such as /tmp) each entry its own or the folder its own.
    static Scan scan(const QString &path, bool checkRemovable,
                     const std::atomic_bool *cancel = nullptr);

    /// Whether the sticky bit of a folder with the status `folder` lets the user `uid`
    /// remove an entry owned by `entryOwner`: without the bit always; with it only the
    /// entry's owner, the folder's owner and root may.
    static bool stickyAllowsRemoval(const struct stat &folder, uid_t entryOwner, uid_t uid);

    /// The names inside the folder `path` (without "." and ".."), or false and an error.
    static bool entryNames(const QString &path, QList<QByteArray> *names, QString *error);

    /// A message "path: reason" for an errno value.
    static QString systemError(const QString &path, int err);

private:
    Outcome copyEntry(const QByteArray &source, const QByteArray &target, int depth,
                      QString *error);
    Outcome copyFile(const QByteArray &source, const QByteArray &target, QString *error);
    Outcome copyData(int in, int out, qint64 size, bool sparse, const QByteArray &path,
                     QString *error);
    Outcome copyRange(int in, int out, qint64 offset, qint64 length, const QByteArray &path,
                      QString *error);
    bool isCancelled() const;
    void reportBytes(qint64 bytes, const QByteArray &path);

    const std::atomic_bool *m_cancel = nullptr;
    ProgressCallback m_progress;
    bool m_useCopyRange = true;
    /// Whether the running copyNew created anything under its target name (only then does
    /// a failure remove what is there).
    bool m_createdTarget = false;
    QByteArray m_buffer;
    /// Device and inode of each folder this copier created: walking into one of them means
    /// a folder is being copied into itself (reached through a bind mount, for instance).
    QSet<std::pair<quint64, quint64>> m_createdFolders;
};

} // namespace kazari
