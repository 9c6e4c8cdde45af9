#pragma once

#include "core/fileops/itemcreation.h"
#include "core/platform/fileoperation.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QAction;
class QThreadPool;

namespace kazari
{

class FileOperationJob;
class MainWindow;
class CopyMoveDialog;
class BatchCreateDialog;
class Trash;

/// The file operations of the main window: new folder and file, rename (in place and by
/// prompt), send to the trash, copy and move (also for drops and other callers), batch
/// creation and restoring items from the trash location.
///
/// Copies, moves and deletions run in the engine off the main thread with a progress
/// window that can be cancelled; questions before replacing come back to the main thread.
/// Annotations follow only the items the engine really handled, under their final names.
class FileOperationsController : public QObject
{
    Q_OBJECT

public:
    /// Asks for a text: title, label, initial text; nothing when cancelled.
    using Prompt =
        std::function<std::optional<QString>(const QString &, const QString &, const QString &)>;

    explicit FileOperationsController(MainWindow &form);
    ~FileOperationsController() override;

    /// Copies or moves items into a folder, asking before anything is replaced.
    void copyOrMove(const QStringList &sources, const QString &destination, bool move);

    /// The one copy, move and delete call (codes 0, 1, 2, 4, 5): shows the status text,
    /// runs the engine with progress and questions, lets annotations follow, refreshes the
    /// list and tells the user about items that failed. True when every item was done.
    /// A deletion that could not use the trash offers deleting for good, separately.
    bool ShellFileOperation(const QStringList &sources, FileOperationCode code,
                            const QString &destination);
    /// The result of the last operation.
    const FileOperationResult &lastResult() const { return m_lastResult; }
    bool isBusy() const { return m_job != nullptr; }

    // The commands.
    void newFolder();
    void newFile();
    void renameSelected();
    /// The end of a rename of the item at `row` to `text` (in-place edit or prompt). True
    /// when the item was renamed.
    bool finishRename(int row, const QString &text);
    void trashSelected();
    void showCopyMoveDialog(bool move);
    /// "実行" of the copy and move dialog on the item list's selection.
    void executeCopyMove();
    void showBatch(ItemCreation::Kind kind);
    void runBatch(ItemCreation::Kind kind, const QStringList &lines);
    /// Puts the selected items of the trash location back where they came from.
    void restoreSelected();

    /// Enables the file commands for a folder of the file system, disables them in shell
    /// namespace mode (run after every list build).
    void updateAvailability();

    CopyMoveDialog *copyMoveDialog();
    BatchCreateDialog *batchWindow();

    // For tests and special callers.
    void setPrompt(Prompt prompt) { m_prompt = std::move(prompt); }
    /// The trash deletions go to (the user's trash by default).
    void setTrash(Trash *trash) { m_trash = trash; }
    /// How long an operation runs before its progress window shows (ms).
    void setProgressDelay(int ms) { m_progressDelay = ms; }
    /// The pool the engine runs in (the global pool by default).
    void setThreadPool(QThreadPool *pool) { m_pool = pool; }

private:
    bool onCommand(const QString &name, QAction *action);
    std::optional<QString> ask(const QString &title, const QString &label, const QString &text);
    FileOperationResult runJob(FileOperationJob *job);
    /// The window is closing: a running job stops after its current item, and the
    /// annotations follow what it did before the window is gone.
    void finishForShutdown();
    void afterOperation();
    void reportFailures(const FileOperationResult &result);
    /// The current folder when it is a folder of the file system (with its trailing "/").
    QString realCurrentFolder() const;
    bool listFileMode() const;
    void centre(QWidget *window);

    MainWindow &m_form;
    Prompt m_prompt;
    Trash *m_trash = nullptr;
    int m_progressDelay = 500;
    QThreadPool *m_pool = nullptr;
    FileOperationJob *m_job = nullptr;
    /// Items are being put back from the trash.
    bool m_restoring = false;
    /// How long a job may take to finish its current item when the window closes (ms).
    static constexpr int ShutdownGraceMs = 5000;
    bool m_closing = false;
    /// The running job was stopped and followed by the shutdown.
    bool m_followedAtShutdown = false;
    FileOperationResult m_lastResult;
    QPointer<CopyMoveDialog> m_copyMove;
    QPointer<BatchCreateDialog> m_batch;
};

} // namespace kazari
