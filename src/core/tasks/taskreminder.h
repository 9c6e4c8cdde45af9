#pragma once

#include "core/app/componentnames.h"
#include "core/tasks/taskcheck.h"
#include "core/tasks/tasklist.h"

#include <optional>

namespace kazari
{

class AnnotationStore;
class Clock;
class Settings;

/// When the task check runs and whether it announces, on top of `TaskList` and
/// `TaskCheck`.
///
/// The check runs at start-up when "タスク未完了の一覧" (`N60`) or "タスクの自動チェック"
/// (`N23`) is on, when "タスク未完了の一覧" is switched on, and on "更新" of the task
/// pane. It announces (the box "タスクのお知らせ") after every check while `N23` is on.
/// There is no timer: between checks nothing changes the task pane.
///
/// Wiring for the main window: construct it with the store and settings, call
/// `connectStore` once, then `check(trigger)`; show `headerText()`, the tasks and, when
/// `announce` is set, `messageText()` in a warning box; status field 6 gets
/// `TaskCheck::beginStatus()`, `endStatus()` and, after the box, `checkedStatus()`.
class TaskReminder
{
public:
    enum class Trigger {
        Startup,          ///< the main window was created
        PendingListShown, ///< "タスク未完了の一覧" was switched on
        Refresh,          ///< "更新" of the task pane
    };

    /// `clock` may be null: the process-wide clock is asked at each check.
    TaskReminder(ProgramFolder folder, AnnotationStore &store, const Settings &settings,
                 const Clock *clock = nullptr);

    static QString pendingListKey() { return Component::OpenTasksPage; }
    static QString automaticCheckKey() { return Component::AutomaticTaskCheck; }

    /// Whether a trigger runs the check with these settings.
    static bool runsOn(Trigger trigger, const Settings &settings);
    /// Whether the check announces (automatic checking is on).
    bool announces() const;

    /// Runs the check when the trigger calls for it; nothing otherwise. A `task.ini`
    /// that cannot be read gives an empty check with `error` set.
    std::optional<TaskCheckResult> check(Trigger trigger);

    /// Hands store operations 7 and 8 to the task list; failures go to `onError`.
    void connectStore(std::function<void(const QString &)> onError = {});

    TaskList &taskList() { return m_list; }

private:
    TaskList m_list;
    AnnotationStore &m_store;
    const Settings &m_settings;
    const Clock *m_clock;
};

} // namespace kazari
