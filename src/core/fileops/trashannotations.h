#pragma once

#include "core/annotations/annotationstore.h"
#include "core/platform/trash.h"

#include <QList>
#include <QPair>
#include <QString>

namespace kazari
{

/// Keeps the annotations of trashed items with their trash entries, so that restoring an
/// item brings them back.
///
/// An item sent to the trash leaves its folder's annotation file (an orphaned line would
/// attach itself to a later item of the same name). Its lines are kept in the program
/// folder, one file per trash entry under `vtl/trash/`, keyed by the entry's path inside
/// the trash; the file also records the original path, so lines kept for an entry that
/// another program emptied never attach themselves to a later entry of the same name.
/// In central mode a trashed folder's index keys (its own and those of the folders below
/// it) move to its path inside the trash, so the annotations inside it travel with it too;
/// in per-folder mode its `_m.ini` files go with it anyway.
///
/// Restoring writes the lines back under the path the item is restored to (also when it
/// had to take a new name) and moves the index keys there. An entry removed for good drops
/// what was kept for it.
class TrashAnnotations
{
public:
    using Fields = QList<QPair<QString, QString>>;

    explicit TrashAnnotations(AnnotationStore &store);

    /// The item at `originalPath` is now `trashedPath` inside the trash; `fields` are its
    /// annotation fields (suffix and value) read before it left its folder's file. False
    /// with `error` when they could not be kept: the caller then leaves the lines where
    /// they are.
    bool keep(const QString &originalPath, const QString &trashedPath, const Fields &fields,
              QString *error);

    /// `entry` was restored to `restoredPath`: its kept lines and index keys go there.
    bool restored(const TrashEntry &entry, const QString &restoredPath, QString *error);

    /// Removes `entry` from the trash for good and drops what was kept for it.
    TrashResult erase(const Trash &trash, const TrashEntry &entry);

    /// Drops what was kept for entries that are no longer in the trash (emptied elsewhere).
    void prune();

    /// The file holding what is kept for the entry at `trashedPath`.
    QString recordFile(const QString &trashedPath) const;

private:
    AnnotationStore &m_store;
};

} // namespace kazari
