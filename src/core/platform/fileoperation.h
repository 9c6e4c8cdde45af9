#pragma once

#include <QDateTime>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>

#include <optional>

namespace kazari
{

/// The five operations every caller (menus, drag and drop, rules, scripts, organising)
/// asks for. Code 3 does not exist.
enum class FileOperationCode {
    /// Move; an item whose name is taken at the destination gets "name (2).ext", ...
    MoveRenaming = 0,
    /// Copy; a taken name gives a renamed copy.
    CopyRenaming = 1,
    /// Send to the trash.
    Delete = 2,
    /// Move; ask before replacing an existing item.
    MoveAsking = 4,
    /// Copy; ask before replacing an existing item.
    CopyAsking = 5,
};

/// What happened to one source item.
enum class ItemStatus {
    /// Copied, moved or trashed; `destination` is where it is now.
    Done,
    /// Left alone on purpose: the user declined replacing, or a move into the folder the
    /// item already is in (nothing to do).
    Skipped,
    /// Not done; `error` says why. Nothing of the source was lost.
    Failed,
    /// Not done because the operation was cancelled; any partial copy was removed.
    Cancelled,
    /// A move that had to copy (to another file system) and then could not remove all of
    /// the source: both sides are kept, `destination` is the complete copy and `error` says
    /// what stopped the removal. The item counts as copied, not moved.
    Copied,
};

/// One entry that went into a merged folder: where it came from and where it is now.
struct PlacedEntry {
    QString source;
    QString destination;
    /// A folder merged into one of the same name (its own entries are listed as well).
    bool merged = false;
    /// Moved by copying, but the source could not be removed: both exist (see Copied).
    bool copied = false;
};

/// The outcome for one source item, in source-list order.
struct ItemOutcome {
    QString source;
    ItemStatus status = ItemStatus::Failed;
    /// The item's final path: the collision name when it was renamed, the path inside the
    /// trash for a deletion. Set for Done items (and for a Skipped same-folder move: the
    /// source itself).
    QString destination;
    QString error;
    /// Entries inside a merged folder that were kept because the user declined replacing
    /// them (a move leaves them in the source folder).
    int keptInside = 0;
    /// A folder that went into an existing folder of the same name (the user said Yes):
    /// the two were merged rather than the item placed anew.
    bool merged = false;
    /// For a merged folder, the entries below it that were copied or moved in (at every
    /// depth, in the order they were placed), also when the item as a whole failed or was
    /// cancelled partway: what they name really happened.
    QList<PlacedEntry> placedInside;
};

/// The outcome of one operation. Annotations follow only the Done items, under their
/// final names.
struct FileOperationResult {
    QList<ItemOutcome> items;
    /// The user or the caller cancelled before the end.
    bool cancelled = false;

    /// True when every item is Done (what the shell call reported as success).
    bool succeeded() const;
    /// The Done items, in order.
    QList<ItemOutcome> done() const;
};

/// Progress of a running operation; reported a few times a second and once at the end.
struct FileOperationProgress {
    int itemsDone = 0;
    int itemsTotal = 0;
    qint64 bytesDone = 0;
    /// Bytes that will have to be copied (moves within one file system copy nothing).
    qint64 bytesTotal = 0;
    QString currentPath;
};

enum class OverwriteAnswer { Yes, YesToAll, No, Cancel };

/// A question before replacing `target` with `source` (codes 4 and 5). When both are
/// folders, Yes merges: the folder's entries are copied or moved in, and entries of the same
/// name inside are asked about in turn.
struct OverwriteQuestion {
    QString source;
    QString target;
    bool folders = false;
    qint64 sourceSize = 0;
    qint64 targetSize = 0;
    QDateTime sourceModified;
    QDateTime targetModified;
};

/// One call of the file operation: the source items (absolute paths), the code and the
/// destination folder (unused for Delete).
struct FileOperationRequest {
    FileOperationCode code = FileOperationCode::CopyRenaming;
    QStringList sources;
    QString destination;
};

/// Facts about the operation codes.
class FileOperation
{
public:
    /// The code for a number from a rule or script line; nothing for 3 and unknown numbers.
    static std::optional<FileOperationCode> codeFromInt(int code);
    static bool isMove(FileOperationCode code);
    static bool isCopy(FileOperationCode code);
    static bool asksBeforeReplacing(FileOperationCode code);
    /// "move: ", "copy: ", "del: ", "xmove: " or "xcopy: ".
    static QString statusPrefix(FileOperationCode code);
    /// The status field text: the prefix and the first source path.
    static QString statusText(const FileOperationRequest &request);
};

} // namespace kazari

Q_DECLARE_METATYPE(kazari::FileOperationResult)
Q_DECLARE_METATYPE(kazari::FileOperationProgress)
Q_DECLARE_METATYPE(kazari::OverwriteQuestion)
