#pragma once

#include "core/platform/fileoperation.h"
#include "core/platform/treecopier.h"

#include <QElapsedTimer>
#include <QHash>

#include <atomic>
#include <functional>
#include <memory>

namespace kazari
{

class Trash;

/// Copies, moves and trashes items: the work behind every file operation of the program.
///
/// Runs synchronously on the calling thread (FileOperationJob runs it on a pool thread).
///
/// - Copy: whole items, recursively, keeping times and permissions; links stay links.
/// - Move: rename(2) within a file system; across file systems the whole item is copied
///   first and the source removed only after the copy is complete. A move that fails or is
///   cancelled removes its partial copy and leaves the source as it was. Before copying, a
///   move checks that the source can be removed afterwards (TreeCopier::scan) and refuses
///   otherwise; when the removal still fails part-way, the complete copy and what is left of
///   the source are both kept and the item is reported Copied.
/// - Delete: to the trash (Trash); nothing is deleted for good. deletePermanently is a
///   separate call for the user interface after the user confirmed.
/// - Codes 0 and 1 never ask: a taken name gives "name (2).ext", "name (3).ext", ...
/// - Codes 4 and 5 ask before replacing (Yes, Yes to all, No, Cancel). Without a question
///   callback every question is answered No: nothing is replaced without an explicit Yes.
///   A file never replaces a folder nor a folder a file (that item fails). Yes for a folder
///   onto a folder merges the two, asking again for each entry of the same name inside.
/// - A folder is never copied or moved into itself or below itself. Moving an item into the
///   folder it is in does nothing (Skipped). Copying an item onto itself with code 5 fails;
///   with code 1 it gives a renamed copy.
///
/// The companion files of a folder (`_m.ini`, `_m.rule`, `_m.Script`, `_m.bmp`) are ordinary
/// files here; callers decide what travels with what. The one exception is merging: the
/// entries named by setKeptInMerges (by default the per-folder annotation file `_m.ini`) are
/// never copied, moved or asked about when a folder is merged into another; they stay where
/// they are, so the annotation follower can move the lines of just the entries that went in
/// (replacing the destination's file would drop the annotations of its own items).
class FileOperationEngine
{
public:
    using ProgressCallback = std::function<void(const FileOperationProgress &)>;
    using OverwriteCallback = std::function<OverwriteAnswer(const OverwriteQuestion &)>;

    FileOperationEngine();
    ~FileOperationEngine();
    FileOperationEngine(const FileOperationEngine &) = delete;
    FileOperationEngine &operator=(const FileOperationEngine &) = delete;

    /// Called on the running thread, at most every `intervalMs` and once at the end.
    void setProgressCallback(ProgressCallback callback, int intervalMs = 100);
    /// Called on the running thread before anything is replaced (codes 4 and 5).
    void setOverwriteCallback(OverwriteCallback callback);
    /// The trash for code 2; by default the user's trash (see Trash::Trash()).
    void setTrash(Trash *trash);
    /// Names left in place when folders are merged (compared exactly).
    void setKeptInMerges(const QStringList &names) { m_keptInMerges = names; }
    const QStringList &keptInMerges() const { return m_keptInMerges; }

    /// Runs one operation. An engine that was cancelled or stopped stays so: every later item
    /// is reported Cancelled.
    FileOperationResult run(const FileOperationRequest &request);
    /// Removes the items for good, folders with everything inside (links are removed, never
    /// followed). Only after the user confirmed.
    FileOperationResult deletePermanently(const QStringList &paths);

    /// Asks the running operation to stop soon; safe from any thread.
    void cancel();
    bool isCancelled() const;
    /// Asks the running operation to stop once the item under way is finished (the program
    /// is closing): the items not begun are reported Cancelled. Safe from any thread.
    void stopAfterCurrentItem();
    bool isStopping() const;

private:
    struct Tally {
        int keptInside = 0;
        int failures = 0;
        /// The item itself (depth 0) was merged into an existing folder.
        bool merged = false;
        /// The last place() merged folders rather than putting its source anew.
        bool lastMerged = false;
        QString firstError;
        QList<PlacedEntry> placedInside;
    };

    ItemOutcome copyOrMoveItem(const QString &source, const QString &folder, bool move,
                               bool asking);
    ItemStatus place(const QString &source, const QString &target, bool move, int depth,
                     Tally &tally);
    ItemStatus merge(const QString &source, const QString &target, bool move, int depth,
                     Tally &tally);
    /// Puts `source` at the free name `target`: rename, or copy and remove across file
    /// systems. Taken when `target` is in use. `copiedOnly` is set when the copy is complete
    /// but the source could not be removed (the outcome is then Failed).
    TreeCopier::Outcome moveNew(const QString &source, const QString &target, QString *error,
                                bool *copiedOnly);
    /// Why `source`, about to be moved by copying, could not be removed afterwards (empty
    /// when it can).
    QString unremovable(const QString &source);
    OverwriteAnswer ask(const QString &source, const QString &target, bool folders);
    void addBytes(qint64 bytes, const QByteArray &path);
    void report(bool force);
    Trash &trash();

    std::atomic_bool m_cancel{false};
    std::atomic_bool m_stop{false};
    QStringList m_keptInMerges{QStringLiteral("_m.ini")};
    ProgressCallback m_progressCallback;
    OverwriteCallback m_overwriteCallback;
    int m_intervalMs = 100;
    Trash *m_trash = nullptr;
    std::unique_ptr<Trash> m_ownTrash;
    std::unique_ptr<TreeCopier> m_copier;
    bool m_yesToAll = false;
    FileOperationProgress m_progress;
    QByteArray m_currentPath;
    QElapsedTimer m_clock;
    qint64 m_lastReport = -1;
    /// Sources of moves that have to copy, with the folder that would stop their removal
    /// (empty when they can be removed), found before the first item starts.
    QHash<QString, QString> m_unremovable;
};

} // namespace kazari
