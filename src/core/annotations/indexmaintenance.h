#pragma once

#include "core/platform/programfolder.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace kazari
{

/// Maintenance of the central index ("管理情報整備").
///
/// Drops the entries of native folders that are known to be gone (missing from a parent
/// folder that is there and readable; see PathPresence), deletes their numbered files and
/// companions. Folders that cannot be checked (a disk not plugged in, a network mount
/// that does not answer) keep their entries and files, and so do Windows paths and shell
/// locations, which are identifiers. It renumbers the remaining entries 0 to count-1 in index
/// order, renaming each entry's `ini`, `rule`, `Script` and `img` files in step.
///
/// It never replaces an existing file and checks every rename: files first move to
/// temporary names, then to their new names, then the index is saved, and only then are
/// the dropped files deleted. When any step fails, every rename done so far is undone
/// and the old index is left as it was.
class IndexMaintenance
{
public:
    struct Result {
        bool ok = false;
        /// The index does not exist (nothing was done).
        bool noIndex = false;
        QString error;
        int kept = 0;
        int dropped = 0;
        /// Kept entries whose folder could not be checked.
        int unreachable = 0;
    };

    explicit IndexMaintenance(ProgramFolder folder);

    /// Runs maintenance; `status` receives the progress texts ("Delete …", "Rename1 …",
    /// "Rename2 …", "管理情報の整備が完了しました") as they happen.
    Result run(const std::function<void(const QString &)> &status = {});

    /// The last status text; it counts the folders that could not be checked.
    static QString doneText(int unreachable = 0);

    /// Renames without ever replacing an existing target. Exposed for tests.
    static bool renameNoReplace(const QString &from, const QString &to, QString *error);

private:
    ProgramFolder m_folder;
};

} // namespace kazari
