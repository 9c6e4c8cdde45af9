#pragma once

#include "core/platform/fileoperation.h"
#include "core/platform/fileoperationengine.h"

#include <QObject>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>

class QThreadPool;

namespace kazari
{

/// One file operation run off the main thread, for a progress dialog with a cancel button.
///
/// The engine runs in a QThreadPool task. Progress, questions and the end are delivered on
/// the thread this object lives in (the main thread), so the user interface connects plain
/// slots:
/// - `progress` a few times a second;
/// - `overwriteQuestion` when something would be replaced: the worker waits until
///   `answer()` is called (a message box may run its own event loop meanwhile) or the job
///   is cancelled, which answers Cancel. With an answerer set (`setAnswerer`), questions
///   are answered by it on this thread instead and the signal is not emitted;
/// - `finished` once, with the result.
///
/// The owning thread must keep running its event loop while questions are possible.
/// Destroying the job cancels it and waits for the worker.
class FileOperationJob : public QObject
{
    Q_OBJECT

public:
    using Answerer = std::function<OverwriteAnswer(const OverwriteQuestion &)>;

    explicit FileOperationJob(FileOperationRequest request, QObject *parent = nullptr);
    /// A job that deletes `paths` for good (after the user confirmed).
    static FileOperationJob *permanentDeletion(const QStringList &paths, QObject *parent = nullptr);
    ~FileOperationJob() override;

    const FileOperationRequest &request() const { return m_request; }
    /// For set-up before start (a test's trash folder, for instance).
    FileOperationEngine &engine() { return m_engine; }
    void setAnswerer(Answerer answerer) { m_answerer = std::move(answerer); }

    /// Starts the work in `pool` (the global pool when null). Call once.
    void start(QThreadPool *pool = nullptr);
    /// Stops the work soon; a pending question is answered Cancel. Safe from any thread.
    void cancel();
    /// Stops the work once the item under way is finished (the program is closing); a
    /// pending question is answered Cancel. After this, `wait()` cannot hang on a question.
    /// Safe from any thread.
    void stopAfterCurrentItem();
    /// Waits for the worker to end; false on time-out. Do not wait without cancelling
    /// while a question may be pending on this thread.
    bool wait(int msecs = -1);
    bool isFinished() const;
    /// The result once finished.
    FileOperationResult result() const;

public Q_SLOTS:
    void answer(kazari::OverwriteAnswer answer);

Q_SIGNALS:
    void progress(const kazari::FileOperationProgress &progress);
    void overwriteQuestion(const kazari::OverwriteQuestion &question);
    void finished(const kazari::FileOperationResult &result);

private:
    void work();
    OverwriteAnswer askFromWorker(const OverwriteQuestion &question);
    void deliverQuestion(const OverwriteQuestion &question);

    FileOperationRequest m_request;
    QStringList m_permanentPaths;
    bool m_permanent = false;
    FileOperationEngine m_engine;
    Answerer m_answerer;

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::optional<OverwriteAnswer> m_answer;
    bool m_started = false;
    bool m_done = false;
    FileOperationResult m_result;
};

} // namespace kazari
