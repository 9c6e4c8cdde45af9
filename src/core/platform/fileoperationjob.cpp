#include "core/platform/fileoperationjob.h"

#include <QMetaObject>
#include <QThreadPool>

#include <chrono>

namespace kazari
{

FileOperationJob::FileOperationJob(FileOperationRequest request, QObject *parent)
    : QObject(parent)
    , m_request(std::move(request))
{
    m_engine.setProgressCallback([this](const FileOperationProgress &p) {
        QMetaObject::invokeMethod(
            this, [this, p] { Q_EMIT progress(p); }, Qt::QueuedConnection);
    });
    m_engine.setOverwriteCallback(
        [this](const OverwriteQuestion &question) { return askFromWorker(question); });
}

FileOperationJob *FileOperationJob::permanentDeletion(const QStringList &paths, QObject *parent)
{
    auto *job =
        new FileOperationJob(FileOperationRequest{FileOperationCode::Delete, paths, {}}, parent);
    job->m_permanent = true;
    job->m_permanentPaths = paths;
    return job;
}

FileOperationJob::~FileOperationJob()
{
    cancel();
    wait();
}

void FileOperationJob::start(QThreadPool *pool)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_started)
            return;
        m_started = true;
    }
    (pool ? pool : QThreadPool::globalInstance())->start([this] { work(); });
}

void FileOperationJob::work()
{
    FileOperationResult result =
        m_permanent ? m_engine.deletePermanently(m_permanentPaths) : m_engine.run(m_request);
    // Everything under the lock: once it is released, a waiting destructor may free this.
    std::lock_guard lock(m_mutex);
    m_result = result;
    m_done = true;
    QMetaObject::invokeMethod(
        this, [this, result] { Q_EMIT finished(result); }, Qt::QueuedConnection);
    m_changed.notify_all();
}

void FileOperationJob::cancel()
{
    m_engine.cancel();
    {
        std::lock_guard lock(m_mutex);
    }
    m_changed.notify_all();
}

void FileOperationJob::stopAfterCurrentItem()
{
    m_engine.stopAfterCurrentItem();
    {
        std::lock_guard lock(m_mutex);
    }
    m_changed.notify_all();
}

bool FileOperationJob::wait(int msecs)
{
    std::unique_lock lock(m_mutex);
    if (!m_started)
        return true;
    auto done = [this] { return m_done; };
    if (msecs < 0) {
        m_changed.wait(lock, done);
        return true;
    }
    return m_changed.wait_for(lock, std::chrono::milliseconds(msecs), done);
}

bool FileOperationJob::isFinished() const
{
    std::lock_guard lock(m_mutex);
    return m_done;
}

FileOperationResult FileOperationJob::result() const
{
    std::lock_guard lock(m_mutex);
    return m_result;
}

void FileOperationJob::answer(OverwriteAnswer answer)
{
    {
        std::lock_guard lock(m_mutex);
        m_answer = answer;
    }
    m_changed.notify_all();
}

OverwriteAnswer FileOperationJob::askFromWorker(const OverwriteQuestion &question)
{
    std::unique_lock lock(m_mutex);
    m_answer.reset();
    QMetaObject::invokeMethod(
        this, [this, question] { deliverQuestion(question); }, Qt::QueuedConnection);
    m_changed.wait(lock, [this] {
        return m_answer.has_value() || m_engine.isCancelled() || m_engine.isStopping();
    });
    if (!m_answer)
        return OverwriteAnswer::Cancel;
    const OverwriteAnswer given = *m_answer;
    m_answer.reset();
    return given;
}

void FileOperationJob::deliverQuestion(const OverwriteQuestion &question)
{
    // A cancelled or stopped job no longer waits for this answer: nobody is to be asked.
    if (m_engine.isCancelled() || m_engine.isStopping())
        return;
    if (m_answerer)
        answer(m_answerer(question));
    else
        Q_EMIT overwriteQuestion(question);
}

} // namespace kazari
