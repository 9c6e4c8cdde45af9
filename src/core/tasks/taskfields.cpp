#include "core/tasks/taskfields.h"

#include "core/tasks/commentediting.h"
#include "core/tasks/tasklist.h"

namespace kazari
{

namespace
{

const QString TS = QStringLiteral("_TS");
const QString TE = QStringLiteral("_TE");
const QString Imp = QStringLiteral("_imp");
const QString ImpN = QStringLiteral("_impN");
const QString Cmp = QStringLiteral("_cmp");
const QString Comp = QStringLiteral("_comp");

} // namespace

QStringList TaskFields::suffixes()
{
    return {TS, TE, Imp, ImpN, Cmp, Comp};
}

QHash<QString, QString> TaskFields::storedValues() const
{
    QHash<QString, QString> v;
    v.insert(TS, start ? AnnotationValues::formatTaskDateTime(*start) : unreadable.value(TS));
    v.insert(TE, due ? AnnotationValues::formatTaskDateTime(*due) : unreadable.value(TE));
    v.insert(Imp, importance ? QString::number(*importance) : unreadable.value(Imp));
    v.insert(ImpN, notification ? AnnotationValues::formatNotification(*notification)
                                : unreadable.value(ImpN));
    v.insert(Cmp, achievement ? QString::number(*achievement) : unreadable.value(Cmp));
    v.insert(Comp, finished ? QStringLiteral("1") : QStringLiteral("0"));
    return v;
}

TaskFields TaskFields::read(AnnotationStore &store, const QString &path)
{
    const FileAnnotationRec rec = store.recordByPath(path);
    TaskFields f;
    f.hasTask = !(rec.TS.isEmpty() && rec.TE.isEmpty() && rec.imp.isEmpty() && rec.impN.isEmpty() &&
                  rec.cmp.isEmpty() && rec.comp.isEmpty());
    auto keep = [&f](const QString &suffix, const QString &text, bool readable) {
        if (!text.isEmpty() && !readable)
            f.unreadable.insert(suffix, text);
    };
    if (!rec.TS.isEmpty())
        f.start = AnnotationValues::parseTaskDateTime(rec.TS);
    keep(TS, rec.TS, f.start.has_value());
    if (!rec.TE.isEmpty())
        f.due = AnnotationValues::parseTaskDateTime(rec.TE);
    keep(TE, rec.TE, f.due.has_value());
    if (!rec.imp.isEmpty())
        f.importance = AnnotationValues::parseImportance(rec.imp);
    keep(Imp, rec.imp, f.importance.has_value());
    if (!rec.impN.isEmpty())
        f.notification = AnnotationValues::parseNotification(rec.impN);
    keep(ImpN, rec.impN, f.notification.has_value());
    if (!rec.cmp.isEmpty())
        f.achievement = AnnotationValues::parseAchievement(rec.cmp);
    keep(Cmp, rec.cmp, f.achievement.has_value());
    f.finished = AnnotationValues::parseCompletion(rec.comp).value_or(false);
    return f;
}

StoreResult TaskFields::write(AnnotationStore &store, TaskList &taskList, const QString &path,
                              const TaskFields &fields)
{
    QString folder;
    QString name;
    if (!AnnotationStore::splitItemPath(path, &folder, &name))
        return StoreResult::failure(
            QStringLiteral("この項目にはタスクを設定できません: %1").arg(path));
    QString why;
    if (!CommentEditing::canWrite(store, path, &why))
        return StoreResult::failure(why);
    if (fields.start && !fields.start->date.isValid())
        return StoreResult::failure(QStringLiteral("開始日が正しくありません。"));
    if (fields.due && !fields.due->date.isValid())
        return StoreResult::failure(QStringLiteral("期日が正しくありません。"));

    const QHash<QString, QString> values = fields.storedValues();
    StoreResult r = store.editFolder(
        folder,
        [&](AnnotationList &list) {
            bool changed = false;
            for (const QString &suffix : {TS, TE, Imp, ImpN, Cmp}) {
                bool c = false;
                list.setValue(name, suffix, values.value(suffix), &c);
                changed = changed || c;
            }
            return changed;
        },
        true, true);
    if (!r.ok)
        return r;

    if (!fields.finished) {
        QString error;
        if (!taskList.create(&error))
            return StoreResult::failure(error);
    }
    AnnotationOpInput input;
    input.completed = fields.finished;
    const StoreResult completion =
        store.AnnotationOp(folder, name, QPoint(), -1, -1, OpSetCompletion, input);
    if (!completion.ok)
        return completion;
    r.changed = r.changed || completion.changed;
    r.written = r.written || completion.written;
    return r;
}

StoreResult TaskFields::clear(AnnotationStore &store, const QString &path)
{
    QString folder;
    QString name;
    if (!AnnotationStore::splitItemPath(path, &folder, &name))
        return StoreResult::failure(
            QStringLiteral("この項目にはタスクを設定できません: %1").arg(path));
    QString why;
    if (!CommentEditing::canWrite(store, path, &why))
        return StoreResult::failure(why);
    return store.AnnotationOp(folder, name, QPoint(), -1, -1, OpClearTask);
}

} // namespace kazari
