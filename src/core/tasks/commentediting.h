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

    /// Sets the comment of every item (an empty text removes it). Items are grouped by
    /// folder: one load and one save per annotation file. Stops at the first failure.
    static StoreResult setComments(AnnotationStore &store, const QStringList &paths,
                                   const QString &text);

    /// The comment of a folder itself, kept under its name in its parent's file.
    static QString folderComment(AnnotationStore &store, const QString &folder);
    /// Stores the comment of a folder itself; the parent's file is created when
    /// missing. A root folder cannot hold one (`rootFolderText`).
    static StoreResult setFolderComment(AnnotationStore &store, const QString &folder,
                                        const QString &text);

    /// The tooltip of an item: its caption, then one line each for the comment and the
    /// task fields, with their values as stored.
    static QString toolTipText(const QString &caption, const FileAnnotationRec &record);
};

} // namespace kazari
