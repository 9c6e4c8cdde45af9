#pragma once

#include "core/annotations/annotationstore.h"
#include "core/platform/fileoperation.h"

#include <QString>
#include <QStringList>

namespace kazari
{

/// Keeps annotations with their items after a file operation.
///
/// Only what really happened counts: an item the engine reports Done is followed under its
/// final path (a collision copy "name (2).ext" gets the annotation under that name; the
/// item that already had the name keeps its own). Skipped, failed and cancelled items leave
/// every annotation where it was. Whole items move with all their fields, `_cmtEx`
/// included.
///
/// - copy: the lines are written under the new name in the destination folder's file; in
///   central mode a copied folder, and every folder below it, gets numbered files of its own
///   with the lines of the folder it was copied from (per-folder mode copies `_m.ini`);
/// - move: the same, then the lines are removed from the source folder's file, only once
///   the destination has them; a moved folder takes its index keys along (and those of every
///   folder below it), so central files stay attached. A move reported Copied (the source
///   could not be removed) is followed as a copy: both sides keep their lines;
/// - a folder merged into one of the same name: its own fields join the target's, and each
///   entry that went in (at any depth, also when the merge as a whole failed or was
///   cancelled partway) is followed like an item of its own, from its folder's file to the
///   target folder's file. The target's file is never replaced, so its own items keep their
///   lines. A moved folder that ends up holding only an annotation file without item lines
///   is removed, and only then does its own annotation leave its parent's file;
/// - delete: the lines are removed; those of items that went to the trash are first kept
///   with their trash entries (TrashAnnotations), so restoring brings them back;
/// - `task.ini`: the lines of moved items follow them (items below a moved folder too); of
///   a merged folder only the entries that went in, and its own line once it is gone.
///
/// Work is batched: one read of each source folder's file, one write of each file touched.
class AnnotationFollower
{
public:
    explicit AnnotationFollower(AnnotationStore &store);

    struct Outcome {
        /// Items whose annotation followed them (had lines or not).
        int followed = 0;
        /// Problems for the user (a file that could not be written); empty when all went well.
        QStringList errors;
        bool ok() const { return errors.isEmpty(); }
    };

    /// After `request` ran with `result`.
    Outcome follow(const FileOperationRequest &request, const FileOperationResult &result);

    /// After the item at `oldPath` was renamed in place to `newName` (same folder): the
    /// annotation lines are renamed, and a folder's index keys follow.
    Outcome renamed(const QString &oldPath, const QString &newName);

private:
    AnnotationStore &m_store;
};

} // namespace kazari
