#pragma once

#include <QString>
#include <QStringList>

namespace kazari
{

/// Which entries of a folder the item list shows.
struct EnumerationOptions {
    bool showHidden = true; ///< `N306` "隠しファイルの表示": names starting with "."
    bool showSystem = true; ///< `N380` "システムファイルの表示": the system mark
    /// The file mask ("*" shows everything); wildcards "*" and "?", letter case ignored.
    QString mask = QStringLiteral("*");
};

/// The entries of one folder: folder names and file names, each sorted.
struct FolderEntries {
    /// False when the folder could not be listed (missing, no access): both lists are
    /// empty then.
    bool listed = false;
    QStringList folders;
    QStringList files;
};

/// Lists a folder the way the item list needs it: one pass over the directory, the
/// file type from the directory entry (a status call only for links and file systems
/// that do not report types), "." and "..", "RECYCLED" and "RECYCLER" skipped, hidden
/// and system entries left out on request. Names are sorted without regard to letter
/// case (ties in their exact order), so folders and files come out as the whole paths
/// would sort.
class FolderEnumerator
{
public:
    static FolderEntries list(const QString &folder, const EnumerationOptions &options = {});

    /// Sorts full paths without regard to letter case, ties by exact comparison. Case
    /// folding is done once per path, not per comparison.
    static void sortPaths(QStringList &paths);

    /// Names the list never shows.
    static bool isSkippedName(const QString &name);

    /// Whether `list` would show the entry `name` of `folder` now (it exists and passes
    /// the options).
    static bool shows(const QString &folder, const QString &name,
                      const EnumerationOptions &options = {});
};

} // namespace kazari
