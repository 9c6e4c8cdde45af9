#pragma once

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

namespace kazari
{

/// The folder summary of the viewer page: a recursive listing of a folder with counts
/// and the total size of its files.
///
/// The walk is depth first in the order the file system lists the entries; every entry
/// but ".", ".." and "RECYCLED" is considered, and every folder is walked whether or not
/// it matches. Symbolic links are never followed: a link counts by what it points at (a
/// link to a folder is a folder, anything else a file) but is not walked and adds no
/// bytes, so a loop of links ends. Folders that cannot be read are counted and listed
/// like any other but not walked; their number is reported. Only regular files add to
/// the size. The walk runs on any thread and stops soon after its cancel flag is set.
class FolderSummary
{
public:
    struct Options {
        /// The item list's file mask. Empty, "*" and "**" let every entry match; any
        /// other mask matches the names that contain it, compared in lower case and as
        /// plain text (wildcard characters are matched as themselves).
        QString fileMask;
        /// When set, an entry matches only when this says it has the annotation field
        /// the item list is filtered by (called with the entry's full path, on the
        /// thread that walks).
        std::function<bool(const QString &path)> hasAnnotation;
        /// At most this many paths are kept for the listing; counting goes on.
        qsizetype maxListedPaths = 100000;
        const std::atomic_bool *cancel = nullptr;
    };

    struct Result {
        /// Full paths of the matching entries, in the order found.
        QStringList paths;
        /// Matching entries left out of `paths` because of `maxListedPaths`.
        qint64 omittedPaths = 0;
        qint64 folderCount = 0;
        qint64 fileCount = 0;
        /// Bytes of the matching regular files.
        quint64 totalBytes = 0;
        /// Folders whose entries could not be read (the top folder included).
        qint64 unreadableFolders = 0;
        bool cancelled = false;
        double elapsedSeconds = 0;
    };

    /// Walks the folder `path` (a link given here is followed; links below it are not).
    static Result walk(const QString &path, const Options &options);

    /// Whether an entry name matches the file mask as the summary uses it.
    static bool nameMatches(const QString &name, const QString &fileMask);

    /// The text of the view: the summary block above the listing, then one path a line.
    static QString text(const Result &result, const QString &caption, const QString &comment);
};

} // namespace kazari
