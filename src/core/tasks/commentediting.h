#pragma once

#include "core/annotations/annotationstore.h"

#include <QString>
#include <QStringList>

namespace kazari
{

/// Writing and showing comments (`_cmt`).
///
/// Every write goes by the item's full path into the annotation file of the folder
/// that really holds the item, so items of search results, list files and the tree list
/// are annotated where they live, never in the current folder's list. The current
/// annotation list takes the same change when it is that file.
class CommentEditing
{
public:
    /// What the folder's own comment says when the folder has no parent to hold it.
    static QString rootFolderText()
    {
        return QStringLiteral("ルートフォルダのコメントは保存できません。");
    }

    /// What the folder's own comment says for a virtual location (the computer, the
    /// trash): it has no folder above it to hold the comment.
    static QString virtualLocationText()
    {
        return QStringLiteral("仮想フォルダのコメントは保存できません。");
    }

    /// What a write says when its item is gone (trashed, moved or renamed since the window
    /// that writes was filled for it); the path follows.
    static QString missingItemText() { return QStringLiteral("項目が見つかりません: "); }

    /// Whether the annotation of the item at a path can be written: not when the item is
    /// gone (a line for it would annotate nothing), nor when its folder's file is one that
    /// is never written (per-folder files while a virtual location is shown), which would
    /// otherwise drop the change without a word. `error` says why. In list-file mode the
    /// lines are kept for the listed paths, present or not.
    static bool canWrite(AnnotationStore &store, const QString &path, QString *error = nullptr);

    /// Sets the comment of every item (an empty text removes it). Items are grouped by
    /// folder: one load and one save per annotation file. Stops at the first failure.
    static StoreResult setComments(AnnotationStore &store, const QStringList &paths,
                                   const QString &text);

    /// The comment of a folder itself, kept under its name in its parent's file.
    static QString folderComment(AnnotationStore &store, const QString &folder);
    /// Stores the comment of a folder itself; the parent's file is created when
    /// missing. A root folder cannot hold one (`rootFolderText`), nor can a virtual
    /// location (`virtualLocationText`).
    static StoreResult setFolderComment(AnnotationStore &store, const QString &folder,
                                        const QString &text);

    /// The tooltip of an item: its caption, then one line each for the comment and the
    /// task fields, with their values as stored.
    static QString toolTipText(const QString &caption, const FileAnnotationRec &record);
};

} // namespace kazari
