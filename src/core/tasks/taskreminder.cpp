#include "core/tasks/taskreminder.h"

#include "core/annotations/annotationstore.h"
#include "core/app/settings.h"
#include "core/platform/clock.h"

namespace kazari
{

TaskReminder::TaskReminder(ProgramFolder folder, AnnotationStore &store, const Settings &settings,
                           const Clock *clock)
    : m_list(std::move(folder))
    , m_store(store)
    , m_settings(settings)
    , m_clock(clock)
{
}

bool TaskReminder::runsOn(Trigger trigger, const Settings &settings)
{
    if (trigger == Trigger::Startup)
        return settings.isOn(pendingListKey()) || settings.isOn(automaticCheckKey());
    return true;
}

bool TaskReminder::announces() const
{
    return m_settings.isOn(automaticCheckKey());
}

std::optional<TaskCheckResult> TaskReminder::check(Trigger trigger)
{
    if (!runsOn(trigger, m_settings))
        return std::nullopt;
    QString error;
    m_list.load(&error);
    const QDateTime now = (m_clock ? *m_clock : Clock::instance()).now();
    TaskCheckResult result = TaskCheck::CheckTasks(m_list.lines(), m_store, now, announces());
    result.error = error;
    return result;
}

void TaskReminder::connectStore(std::function<void(const QString &)> onError)
{
    m_store.setTaskListHandler(m_list.storeHandler(std::move(onError)));
}

} // namespace kazari
