#include "core/tasks/commentediting.h"

#include "core/annotations/annotationkey.h"
#include "core/navigation/navigation.h"

#include <QFileInfo>
#include <QHash>

namespace kazari
{

bool CommentEditing::canWrite(AnnotationStore &store, const QString &path, QString *error)
{
    QString folder;
    if (!AnnotationStore::splitItemPath(path, &folder, nullptr)) {
        if (error)
            *error = Navigation::isShellLocation(path) ? virtualLocationText() : rootFolderText();
        return false;
    }
    const QFileInfo item(path);
    if (!store.listFileMode() && !item.exists() && !item.isSymLink()) {
        if (error)
            *error = missingItemText() + path;
        return false;
    }
    if (store.fileForFolder(folder).readOnly) {
        if (error)
            *error = AnnotationStore::noFolderFileText();
        return false;
    }
    return true;
}

StoreResult CommentEditing::setComments(AnnotationStore &store, const QStringList &paths,
                                        const QString &text)
{
    // Folders in the order their first item comes, names in selection order.
    QStringList folders;
    QHash<QString, QStringList> names;
    for (const QString &path : paths) {
        QString folder;
        QString name;
        QString error;
        if (!AnnotationStore::splitItemPath(path, &folder, &name)) {
            canWrite(store, path, &error);
            return StoreResult::failure(error);
        }
        if (!names.contains(folder)) {
            if (!canWrite(store, path, &error))
                return StoreResult::failure(error);
            folders.append(folder);
        }
        names[folder].append(name);
    }
    StoreResult total;
    for (const QString &folder : std::as_const(folders)) {
        const QStringList itemNames = names.value(folder);
        const StoreResult r = store.editFolder(
            folder,
            [&itemNames, &text](AnnotationList &list) {
                bool changed = false;
                for (const QString &name : itemNames) {
                    bool c = false;
                    list.setValue(name, QStringLiteral("_cmt"), text, &c);
                    changed = changed || c;
                }
                return changed;
            },
            true, true);
        if (!r.ok)
            return r;
        total.changed = total.changed || r.changed;
        total.written = total.written || r.written;
    }
    return total;
}

QString CommentEditing::folderComment(AnnotationStore &store, const QString &folder)
{
    return store.GetByPath(Navigation::withoutTrailingSeparator(folder), QStringLiteral("_cmt"));
}

StoreResult CommentEditing::setFolderComment(AnnotationStore &store, const QString &folder,
                                             const QString &text)
{
    const QString path = Navigation::withoutTrailingSeparator(folder);
    QString error;
    if (!canWrite(store, path, &error))
        return StoreResult::failure(error);
    return store.SetByPath(path, QStringLiteral("_cmt"), text);
}

QString CommentEditing::toolTipText(const QString &caption, const FileAnnotationRec &record)
{
    const QStringList lines{
        caption,
        QStringLiteral("コメント : ") + record.cmt,
        QStringLiteral("完了度 : ") + record.cmp,
        QStringLiteral("完  了 : ") + record.comp,
        QStringLiteral("重要度 : ") + record.imp,
        QStringLiteral("通知日 : ") + record.impN,
        QStringLiteral("開始日 : ") + record.TS,
        QStringLiteral("期  日 : ") + record.TE,
    };
    return lines.join(QLatin1Char('\n'));
}

} // namespace kazari
