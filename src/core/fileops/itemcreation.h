#pragma once

#include "core/platform/namerules.h"

#include <QString>
#include <QStringList>

namespace kazari
{

/// Creating new folders and empty files in a folder, by prompt or in a batch, with numbered
/// variants for names that are taken.
///
/// A name is checked first (one item name, and none of the program's own companion file
/// names, which would change what the folder's annotations are). Creation never replaces
/// anything: a candidate is claimed exclusively, and only when the system reports it taken
/// is the next candidate tried, so there is no window between looking and creating.
/// "Taken" means an item of the same kind (a folder for folders, a file for files); an item
/// of the other kind under the name makes the creation fail.
class ItemCreation
{
public:
    enum class Kind { Folder, File };

    /// The stem of a new folder whose name was left empty ("名称未設定フォルダ0", ...).
    static QString untitledFolderStem() { return QStringLiteral("名称未設定フォルダ"); }

    /// `_m.ini`, `_m.rule`, `_m.Script`, `_m.bmp` (letter case ignored: the names stay
    /// reserved for files written on systems that fold case).
    static bool isCompanionName(const QString &name);
    /// Empty when `name` may be given to a new or renamed item, otherwise why not.
    static QString checkNewName(const QString &name);

    struct Created {
        bool ok = false;
        /// The full path of the created item (on success).
        QString path;
        /// Why nothing was created.
        QString message;
        /// The name check refused the name (nothing was tried).
        bool refused = false;
        /// The numbered candidates that were needed (name taken: 1 or more).
        int taken = 0;
        /// The number appended to the name, -1 when the plain name was used.
        int number = -1;
    };

    /// Creates `name` in `folder`, or when taken name + separator + `*counter` (the counter
    /// rising by one for each numbered candidate tried). With `plainFirst` false the plain
    /// name is never tried (the untitled folder always has its number).
    static Created create(const QString &folder, Kind kind, const QString &name,
                          const QString &separator, int *counter, bool plainFirst = true);

    /// One batch: the lines in order, empty lines skipped, one counter for the whole batch.
    struct Batch {
        /// Lines handled (created or not), the count the status field shows.
        int lines = 0;
        QStringList created;
        /// One message per line that failed, in order.
        QStringList failures;
        /// Files: the first failure ends the batch.
        bool stopped = false;
    };
    static Batch createBatch(const QString &folder, Kind kind, const QStringList &lines);
};

} // namespace kazari
