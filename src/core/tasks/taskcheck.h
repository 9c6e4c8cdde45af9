#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace kazari
{

class AnnotationStore;

/// One child line under a task in the task pane.
struct TaskDetail {
    enum Kind { Comment, Start, Due, Notice, Achievement, Importance };
    Kind kind = Comment;
    QString text;
    /// Start, due and notice: the moment the text names; invalid for other kinds and
    /// for a value that does not read (its text is then the stored value as written).
    QDateTime moment;
    /// Start and due: the moment has come (drawn red; blue while it lies ahead).
    bool passed = false;
    bool operator==(const TaskDetail &) const = default;
};

/// One listed item with a start, as the task pane shows it.
struct TaskItem {
    enum State {
        NoDue,   ///< no (readable) due date
        Pending, ///< the due moment lies ahead
        Overdue, ///< the due moment has come (drawn red, bold, on yellow)
    };
    /// The index of the item's line in `task.ini`, empty lines counted.
    int number = 0;
    QString path;
    State state = NoDue;
    QList<TaskDetail> details;
    /// Whether the item's folder exists, so that going to the task can look for it.
    bool folderExists = false;
};

/// One block of the announcement message.
struct TaskAnnouncement {
    enum Kind {
        Overdue, ///< "期日超過": the due moment has come
        Notice,  ///< "お知らせ": a notification whose moment has not passed yet
    };
    Kind kind = Overdue;
    int number = 0;
    QString path;
    /// Overdue: the stored due value; notice: its date and time joined by ",".
    QString when;
    QString comment;
    /// The block as the message shows it, ending in two line breaks.
    QString text() const;
    bool operator==(const TaskAnnouncement &) const = default;
};

/// What one check found, for the task pane and the announcement box.
struct TaskCheckResult {
    QDateTime checkedAt;
    /// The number of lines of `task.ini` (the progress bar runs from 0 to this − 1).
    int lineCount = 0;
    QList<TaskItem> tasks;
    /// Whether the box is to be shown (automatic checking is on).
    bool announce = false;
    /// Collected only when announcing.
    QList<TaskAnnouncement> announcements;
    /// Set when `task.ini` exists but could not be read (the list is empty then).
    QString error;

    /// The pane's header: "最終更新" and the time of the check.
    QString headerText() const;
    /// The box's text: "タスクのお知らせ\n\n" and every block.
    QString messageText() const;
};

/// `CheckTasks`: reads the task fields of every item listed in `task.ini` through the
/// store and tells which tasks are pending or overdue and what to announce.
///
/// A task is shown only when its item has a start (`_TS`) and is not marked finished
/// (`_comp` = "1"). A due date (`_TE`) makes the
/// task pending while its moment lies ahead and overdue from that moment on; overdue
/// tasks are announced. A notification (`_impN`, method 1 or more) of a task with a due
/// date is announced while its moment has not passed. A date, time or method that does
/// not read is shown as written and counts as no moment: the task is then neither
/// pending nor overdue, nothing of it is announced, and every other task is checked.
class TaskCheck
{
public:
    static QString rootCaption() { return QStringLiteral("未完了"); }
    static QString refreshCommand() { return QStringLiteral("更新"); }
    static QString beginStatus() { return QStringLiteral("Thread 2: Begin ShowTask"); }
    static QString endStatus() { return QStringLiteral("Thread 2: End ShowTask"); }
    static QString checkedStatus() { return QStringLiteral("Thread 2: Checked Task"); }
    static QString messageHeading() { return QStringLiteral("タスクのお知らせ\n\n"); }

    /// "なし", "低", "普通", "高", "重要" for 0 to 4; other numbers as written.
    static QString importanceText(const QString &stored);
    /// Dates and times as the program writes them: "yyyy/MM/dd H:mm:ss".
    static QString formatMoment(const QDateTime &moment);

    /// Checks the given lines of `task.ini` at `now`; `announce` collects the blocks.
    static TaskCheckResult CheckTasks(const QStringList &lines, AnnotationStore &store,
                                      const QDateTime &now, bool announce);
};

} // namespace kazari
