#include "core/platform/volumeprobe.h"

#include <QFile>
#include <QHash>
#include <QStorageInfo>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include <mntent.h>
#include <stdio.h>

namespace kazari
{

namespace
{

struct Question {
    std::chrono::steady_clock::time_point asked;
    bool answered = false;
    VolumeAnswer answer;
};

} // namespace

struct VolumeProbe::Shared {
    Ask ask;
    std::chrono::milliseconds limit{};
    std::mutex mutex;
    std::condition_variable changed;
    QHash<QString, std::shared_ptr<Question>> open; // the roots being asked now
    int running = 0;
};

VolumeProbe::VolumeProbe(Ask ask, std::chrono::milliseconds limit)
    : m_shared(std::make_shared<Shared>())
{
    m_shared->ask = std::move(ask);
    m_shared->limit = limit;
}

QList<std::optional<VolumeAnswer>> VolumeProbe::probe(const QStringList &roots)
{
    std::unique_lock<std::mutex> lock(m_shared->mutex);
    const auto now = std::chrono::steady_clock::now();
    std::vector<std::shared_ptr<Question>> questions;
    questions.reserve(size_t(roots.size()));
    for (const QString &root : roots) {
        std::shared_ptr<Question> q = m_shared->open.value(root);
        if (!q) {
            q = std::make_shared<Question>();
            q->asked = now;
            m_shared->open.insert(root, q);
            ++m_shared->running;
            try {
                std::thread([shared = m_shared, q, root]() {
                    const VolumeAnswer answer = shared->ask(root);
                    const std::lock_guard<std::mutex> done(shared->mutex);
                    q->answer = answer;
                    q->answered = true;
                    if (shared->open.value(root) == q)
                        shared->open.remove(root);
                    --shared->running;
                    shared->changed.notify_all();
                }).detach();
            } catch (const std::system_error &) {
                // No thread to ask with: the volume is not asked and counts as not ready.
                q->answered = true;
                m_shared->open.remove(root);
                --m_shared->running;
            }
        }
        questions.push_back(std::move(q));
    }
    QList<std::optional<VolumeAnswer>> out;
    out.reserve(roots.size());
    for (const std::shared_ptr<Question> &q : questions) {
        m_shared->changed.wait_until(lock, q->asked + m_shared->limit,
                                     [&q]() { return q->answered; });
        out.append(q->answered ? std::optional<VolumeAnswer>(q->answer) : std::nullopt);
    }
    return out;
}

bool VolumeProbe::waitIdle(std::chrono::milliseconds limit)
{
    std::unique_lock<std::mutex> lock(m_shared->mutex);
    return m_shared->changed.wait_for(lock, limit, [this]() { return m_shared->running == 0; });
}

VolumeAnswer VolumeProbe::askSystem(const QString &root)
{
    const QStorageInfo info(root);
    VolumeAnswer a;
    a.ready = info.isValid() && info.isReady();
    if (a.ready)
        a.name = info.displayName();
    return a;
}

VolumeProbe &VolumeProbe::system()
{
    static VolumeProbe probe;
    return probe;
}

QList<MountPoint> VolumeProbe::mountTable(const QString &table)
{
    QList<MountPoint> out;
    FILE *file = ::setmntent(QFile::encodeName(table).constData(), "r");
    if (!file)
        return out;
    struct mntent entry {
    };
    char buffer[4096];
    while (::getmntent_r(file, &entry, buffer, sizeof buffer))
        out.append({QFile::decodeName(entry.mnt_dir), QString::fromLocal8Bit(entry.mnt_type)});
    ::endmntent(file);
    return out;
}

} // namespace kazari
