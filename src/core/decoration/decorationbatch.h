#pragma once

#include "core/annotations/annotationstore.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace kazari
{

class AnnotationList;
struct FileAnnotationRec;

/// One item a decoration command writes to: the folder whose annotation file holds it
/// and its name in that file.
struct DecorationTarget {
    QString folder;
    QString name;
    bool operator==(const DecorationTarget &) const = default;

    /// The target of an item's full path: its parent folder and last component. Empty
    /// for a path that names no item (the root, an empty path).
    static DecorationTarget fromPath(const QString &path);
    bool isValid() const { return !folder.isEmpty() && !name.isEmpty(); }
};

/// A change of many items' annotations made with one load and one save per annotation
/// file: the targets are grouped by folder (folders in order of first appearance, items
/// in the order given) and each folder's file goes through one `editFolder`, sorted as
/// every changing annotation operation leaves it. The end state is the same as changing
/// the items one by one.
class DecorationBatch
{
public:
    /// Changes one item in a folder's list; returns whether anything changed.
    using ItemChange = std::function<bool(AnnotationList &list, const QString &name)>;

    struct Group {
        QString folder;
        QStringList names;
    };
    /// The targets by folder; invalid targets are left out.
    static QList<Group> group(const QList<DecorationTarget> &targets);

    /// What a batch did.
    struct Result {
        /// False when a folder's file could not be read or written; `error` is the first
        /// such failure. The other folders are still done.
        bool ok = true;
        QString error;
        /// A question of the store was answered No (nothing was created there).
        bool declined = false;
        /// Annotation files written.
        int written = 0;
    };

    /// Applies `change` to every target. With `mayCreate`, a folder without an
    /// annotation file gets one (as setting a value does); removals pass false so they
    /// never create a file.
    static Result apply(AnnotationStore &store, const QList<DecorationTarget> &targets,
                        const ItemChange &change, bool mayCreate);

    /// Sets one field of each target to a value of its own (`values[i]` for `targets[i]`;
    /// an empty value removes the field), as `apply` does: one load and save per file.
    /// An item named twice ends with its last value.
    static Result setEach(AnnotationStore &store, const QList<DecorationTarget> &targets,
                          const QStringList &values, const QString &suffix);

    // Ready-made changes.

    /// Sets one field; an empty value removes it.
    static ItemChange setField(const QString &suffix, const QString &value);
    /// Removes the fields.
    static ItemChange removeFields(const QStringList &suffixes);
    /// `SetLabelOrSeal`: sets `_label` unless label is -1 and `_s` unless seal is -1.
    static ItemChange setLabelOrSeal(int label, int seal);
    /// `RemoveLabelOrSeal`: removes `_label` when label is -1 and `_s` when seal is -1.
    static ItemChange removeLabelOrSeal(int label, int seal);
    /// "設定を貼り付け": every field of the record; empty fields remove their line.
    static ItemChange pasteRecord(const FileAnnotationRec &record);
};

} // namespace kazari
