#pragma once

#include "core/tasks/taskcheck.h"
#include "core/tasks/taskreminder.h"

#include <QIcon>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace kazari
{

class MainWindow;

/// The task pane "タスク" of the right pane: the header "最終更新 …", the tree of open
/// tasks of `task.ini` and the progress of the check, with the pop-up menu
/// "タスクのメニュー" ("更新").
///
/// It owns the reminder: at installation store operations 7 and 8 are handed to
/// `task.ini`; the check runs at start-up when "タスク未完了の一覧" or
/// "タスクの自動チェック" is on, when "タスク未完了の一覧" is switched on, on "更新" and on
/// "タスクのチェック". With automatic checking on, every check ends in the box
/// "タスクのお知らせ", and each announcement is also posted to the desktop's notification
/// service when there is one.
///
/// Double-clicking a task selects its item in the item list by its full path; an item of
/// another folder than the one shown is never taken for it.
class TaskPane : public QWidget
{
    Q_OBJECT

public:
    static TaskPane *install(MainWindow &form);
    explicit TaskPane(MainWindow &form, QWidget *parent = nullptr);

    /// The command of the main menu that checks on request.
    static QString checkCommand() { return QStringLiteral("cmdCheckTasks"); }

    /// Runs the check for a trigger (nothing when the trigger does not call for it);
    /// returns what it found.
    std::optional<TaskCheckResult> check(TaskReminder::Trigger trigger);

    /// Goes to the task of a tree node (what a double click does): selects its item, by
    /// its full path, and shakes it in the icon styles. False when its item is not in the
    /// item list.
    bool goToTask(QTreeWidgetItem *node);

    /// Shakes the item of a row in the large and small icon styles: nine times 16 pixels
    /// to the right and back, pausing in between, ending where it stood. False in the
    /// other styles.
    bool shake(int row);
    static constexpr int ShakeCount = 9;
    static constexpr int ShakeDistance = 16;
    /// The pause between two steps of the shake: pending events run, then 8 ms pass
    /// (tests replace it to watch the item).
    void setShakePause(std::function<void()> pause) { m_pause = std::move(pause); }

    /// Posts announcements to the desktop (tests replace it; the D-Bus service by default).
    using Notifier = std::function<void(const QString &summary, const QString &body)>;
    void setNotifier(Notifier notifier) { m_notify = std::move(notifier); }

    QTreeWidget *tree() const { return m_tree; }
    QLabel *header() const { return m_header; }
    QProgressBar *progress() const { return m_progress; }
    QMenu *popup() const { return m_popup; }
    TaskReminder &reminder() { return *m_reminder; }
    const std::optional<TaskCheckResult> &lastResult() const { return m_last; }

    /// Roles of the tree nodes.
    enum Role { PathRole = Qt::UserRole + 1, StateRole, KindRole };

private:
    void fill(const TaskCheckResult &result);
    void announce(const TaskCheckResult &result);

    MainWindow &m_form;
    std::unique_ptr<TaskReminder> m_reminder;
    QLabel *m_header = nullptr;
    QTreeWidget *m_tree = nullptr;
    QProgressBar *m_progress = nullptr;
    QMenu *m_popup = nullptr;
    Notifier m_notify;
    std::function<void()> m_pause;
    std::optional<TaskCheckResult> m_last;
};

} // namespace kazari
