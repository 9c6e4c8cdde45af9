#include "core/tasks/taskcheck.h"

#include "core/annotations/annotationstore.h"
#include "core/annotations/annotationvalues.h"
#include "core/navigation/navigation.h"

#include <QFileInfo>

namespace kazari
{

namespace
{

QDateTime momentOf(const QDate &date, const QTime &time)
{
    return QDateTime(date, time.isValid() ? time : QTime(0, 0));
}

bool parentFolderExists(const QString &path)
{
    if (!Navigation::isNativePath(path))
        return false;
    return QFileInfo(QFileInfo(Navigation::withoutTrailingSeparator(path)).path()).isDir();
}

} // namespace

QString TaskAnnouncement::text() const
{
    const QString format = kind == Overdue ? QStringLiteral("%1 期日超過\n[%2]\n[%3]\n%4\n\n")
                                           : QStringLiteral("%1 お知らせ\n[%2]\n[%3]\n%4\n\n");
    return format.arg(QString::number(number), path, when, comment);
}

QString TaskCheckResult::headerText() const
{
    return QStringLiteral("最終更新") + TaskCheck::formatMoment(checkedAt);
}

QString TaskCheckResult::messageText() const
{
    QString text = TaskCheck::messageHeading();
    for (const TaskAnnouncement &a : announcements)
        text += a.text();
    return text;
}

QString TaskCheck::importanceText(const QString &stored)
{
    static const char16_t *const names[] = {u"なし", u"低", u"普通", u"高", u"重要"};
    const std::optional<int> v = AnnotationValues::parseInteger(stored);
    if (v && *v >= 0 && *v <= 4)
        return QString::fromUtf16(names[*v]);
    return stored;
}

QString TaskCheck::formatMoment(const QDateTime &moment)
{
    return AnnotationValues::formatDate(moment.date()) + QLatin1Char(' ') +
           AnnotationValues::formatTime(moment.time());
}

TaskCheckResult TaskCheck::CheckTasks(const QStringList &lines, AnnotationStore &store,
                                      const QDateTime &now, bool announce)
{
    TaskCheckResult result;
    result.checkedAt = now;
    result.lineCount = int(lines.size());
    result.announce = announce;

    for (int i = 0; i < lines.size(); ++i) {
        const QString &path = lines.at(i);
        // Empty lines only hold a number; a relative path names nothing we could find.
        if (path.trimmed().isEmpty() ||
            !(Navigation::isNativePath(path) || Navigation::isIdentifier(path)))
            continue;
        const FileAnnotationRec rec = store.recordByPath(path);
        // A task marked finished in its annotation is no longer open, even while a stale
        // line still lists it.
        if (AnnotationValues::parseCompletion(rec.comp).value_or(false))
            continue;
        if (rec.TS.isEmpty())
            continue;
        const std::optional<TaskDateTime> start = AnnotationValues::parseTaskDateTime(rec.TS);

        TaskItem item;
        item.number = i;
        item.path = path;
        item.folderExists = parentFolderExists(path);
        if (!rec.cmt.isEmpty())
            item.details.append({TaskDetail::Comment, rec.cmt, {}, false});
        // A value that does not read is shown as written, without a moment: it makes
        // the task neither pending nor overdue and never stops the check.
        if (start) {
            const QDateTime startAt = momentOf(start->date, start->time);
            item.details.append({TaskDetail::Start, rec.TS, startAt, now >= startAt});
        } else {
            item.details.append({TaskDetail::Start, rec.TS, {}, false});
        }

        if (!rec.TE.isEmpty()) {
            const std::optional<TaskDateTime> due = AnnotationValues::parseTaskDateTime(rec.TE);
            if (due) {
                const QDateTime dueAt = momentOf(due->date, due->time);
                const bool passed = now >= dueAt;
                item.details.append({TaskDetail::Due, rec.TE, dueAt, passed});
                item.state = passed ? TaskItem::Overdue : TaskItem::Pending;
                if (passed && announce)
                    result.announcements.append(
                        {TaskAnnouncement::Overdue, i, path, rec.TE, rec.cmt});
            } else {
                item.details.append({TaskDetail::Due, rec.TE, {}, false});
            }

            const std::optional<TaskNotification> notice =
                rec.impN.isEmpty() ? std::nullopt : AnnotationValues::parseNotification(rec.impN);
            if (notice && notice->method >= 1 && notice->date.isValid()) {
                const QStringList fields = AnnotationValues::splitCommaText(rec.impN);
                const QString when = fields.value(1) + QLatin1Char(',') + fields.value(2);
                const QDateTime noticeAt = momentOf(notice->date, notice->time);
                item.details.append({TaskDetail::Notice, when, noticeAt, now > noticeAt});
                if (now <= noticeAt && announce)
                    result.announcements.append({TaskAnnouncement::Notice, i, path, when, rec.cmt});
            } else if (!rec.impN.isEmpty() && !notice &&
                       AnnotationValues::parseInteger(
                           AnnotationValues::splitCommaText(rec.impN).value(0))
                               .value_or(1) >= 1) {
                item.details.append({TaskDetail::Notice, rec.impN, {}, false});
            }
        }

        if (!rec.cmp.isEmpty() && AnnotationValues::parseAchievement(rec.cmp))
            item.details.append({TaskDetail::Achievement, rec.cmp, {}, false});
        if (!rec.imp.isEmpty() && AnnotationValues::parseInteger(rec.imp))
            item.details.append({TaskDetail::Importance, importanceText(rec.imp), {}, false});
        result.tasks.append(item);
    }
    return result;
}

} // namespace kazari
