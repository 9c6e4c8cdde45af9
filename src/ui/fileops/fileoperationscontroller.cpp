#include "ui/fileops/fileoperationscontroller.h"

#include "core/app/componentnames.h"
#include "core/app/shelllocation.h"
#include "core/fileops/annotationfollower.h"
#include "core/fileops/trashannotations.h"
#include "core/itemlist/itemlist.h"
#include "core/platform/fileoperationjob.h"
#include "core/platform/namerules.h"
#include "core/platform/trash.h"
#include "ui/app/mainwindow.h"
#include "ui/app/messagebox.h"
#include "ui/fileops/batchcreatedialog.h"
#include "ui/fileops/copymovedialog.h"
#include "ui/itemlist/deferreddisplay.h"
#include "ui/itemlist/itemlistmodel.h"
#include "ui/itemlist/itemlistview.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QProgressDialog>

#include <future>

using namespace Qt::StringLiterals;

namespace kazari
{

namespace
{

// The commands a file-system folder enables and a shell namespace location disables.
const QString FileCommands[] = {u"cmdOpen"_s,
                                u"cmdOpenWithRegisteredApp"_s,
                                u"cmdOpenWithApp"_s,
                                u"cmdOpenInBrowser"_s,
                                u"cmdCopyToFolder"_s,
                                u"cmdMoveToFolder"_s,
                                u"cmdRename"_s,
                                u"cmdDelete"_s,
                                u"cmdNewFolder"_s,
                                u"cmdShowDetails"_s,
                                Component::FolderInformation,
                                u"cmdProperties"_s,
                                u"cmdCut"_s,
                                u"cmdCopy"_s,
                                u"cmdPaste"_s,
                                Component::SavePlaceAsPicture,
                                Component::SavePlaceAsList,
                                u"cmdShellFolderColour"_s,
                                u"cmdShellFolderColourClear"_s,
                                u"cmdShellMenu"_s,
                                u"cmdUp"_s,
                                Component::WriteCurrentFolderFile};
const char *const FileMenus[] = {"CreateMenu", "FileOperationsMenu", "OpenMenu"};

QString withoutTrailingSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

QString parentKey(const QString &path)
{
    QString folder;
    QString name;
    return AnnotationStore::splitItemPath(withoutTrailingSlash(path), &folder, &name) ? folder
                                                                                      : QString();
}

QString describeItem(qint64 size, const QDateTime &modified)
{
    return QStringLiteral("%1 バイト, %2")
        .arg(QLocale(QLocale::Japanese).toString(size),
             modified.toString(QStringLiteral("yyyy/MM/dd H:mm:ss")));
}

OverwriteAnswer askOverwrite(QWidget *parent, const OverwriteQuestion &q)
{
    QString text;
    if (q.folders) {
        text = QStringLiteral("「%1」には同じ名前のフォルダがあります。\n\n%2\n\n"
                              "フォルダの中身をまとめますか？")
                   .arg(QFileInfo(q.target).path(), q.target);
    } else {
        text = QStringLiteral("「%1」には同じ名前のファイルがあります。\n\n%2\n"
                              "置き換えられる項目: %3\n新しい項目: %4\n\n置き換えますか？")
                   .arg(QFileInfo(q.target).path(), QFileInfo(q.target).fileName(),
                        describeItem(q.targetSize, q.targetModified),
                        describeItem(q.sourceSize, q.sourceModified));
    }
    switch (MessageBox::ask(parent, text,
                            QMessageBox::Yes | QMessageBox::YesToAll | QMessageBox::No |
                                QMessageBox::Cancel,
                            QMessageBox::No, QStringLiteral("上書きの確認"))) {
    case QMessageBox::Yes:
        return OverwriteAnswer::Yes;
    case QMessageBox::YesToAll:
        return OverwriteAnswer::YesToAll;
    case QMessageBox::No:
        return OverwriteAnswer::No;
    default:
        return OverwriteAnswer::Cancel;
    }
}

// A list of items for a message, cut short when long.
QString itemLines(const QStringList &lines)
{
    constexpr int Shown = 15;
    QStringList shown = lines.mid(0, Shown);
    if (lines.size() > Shown)
        shown.append(QStringLiteral("ほか %1 件").arg(lines.size() - Shown));
    return shown.join(QLatin1Char('\n'));
}

} // namespace

FileOperationsController::FileOperationsController(MainWindow &form)
    : QObject(&form)
    , m_form(form)
{
    form.addCommandHandler(
        [this](const QString &name, QAction *action) { return onCommand(name, action); });
    form.onShutdown(MainWindow::ShutdownStep::ReleaseGate, [this](bool) { finishForShutdown(); });
    ItemListView *view = form.itemListView();
    view->model()->setRenameHandler(
        [this](int row, const QString &caption) { return finishRename(row, caption); });
    connect(view->model(), &QAbstractItemModel::modelReset, this,
            &FileOperationsController::updateAvailability);
}

FileOperationsController::~FileOperationsController()
{
    if (m_form.itemListView())
        m_form.itemListView()->model()->setRenameHandler({});
}

bool FileOperationsController::onCommand(const QString &name, QAction *)
{
    if (name == QLatin1String("cmdNewFolder"))
        newFolder();
    else if (name == QLatin1String("cmdNewFile"))
        newFile();
    else if (name == QLatin1String("cmdRename"))
        renameSelected();
    else if (name == QLatin1String("cmdDelete"))
        trashSelected();
    else if (name == QLatin1String("cmdCopyToFolder"))
        showCopyMoveDialog(false);
    else if (name == QLatin1String("cmdMoveToFolder"))
        showCopyMoveDialog(true);
    else if (name == QLatin1String("cmdBatchFolders"))
        showBatch(ItemCreation::Kind::Folder);
    else if (name == QLatin1String("cmdBatchFiles"))
        showBatch(ItemCreation::Kind::File);
    else if (name == QLatin1String("cmdRestoreFromTrash"))
        restoreSelected();
    else
        return false;
    return true;
}

std::optional<QString> FileOperationsController::ask(const QString &title, const QString &label,
                                                     const QString &text)
{
    if (m_prompt)
        return m_prompt(title, label, text);
    bool ok = false;
    const QString answer =
        QInputDialog::getText(&m_form, title, label, QLineEdit::Normal, text, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

QString FileOperationsController::realCurrentFolder() const
{
    const QString folder = m_form.currentFolder();
    if (folder.isEmpty() || !QDir::isAbsolutePath(folder) ||
        ShellLocation::isShellLocation(folder) || !QFileInfo(withoutTrailingSlash(folder)).isDir())
        return QString();
    return AnnotationStore::folderKey(folder);
}

bool FileOperationsController::listFileMode() const
{
    return m_form.itemListView()->list().mode() == ItemListMode::ListFile;
}

void FileOperationsController::centre(QWidget *window)
{
    const QRect frame = m_form.frameGeometry();
    window->move(frame.center() - window->rect().center());
}

// --- Running operations ----------------------------------------------------------------

void FileOperationsController::copyOrMove(const QStringList &sources, const QString &destination,
                                          bool move)
{
    ShellFileOperation(
        sources, move ? FileOperationCode::MoveAsking : FileOperationCode::CopyAsking, destination);
}

bool FileOperationsController::ShellFileOperation(const QStringList &sources,
                                                  FileOperationCode code,
                                                  const QString &destination)
{
    if (m_job) {
        MessageBox::information(&m_form,
                                QStringLiteral("ほかのファイル操作が終わるまでお待ちください。"));
        return false;
    }
    if (sources.isEmpty() || m_closing)
        return false;
    FileOperationRequest request;
    request.code = code;
    request.sources = sources;
    request.destination =
        code == FileOperationCode::Delete ? QString() : withoutTrailingSlash(destination);
    m_form.statusField(MainWindow::FileOp)->setText(FileOperation::statusText(request));

    auto *job = new FileOperationJob(request);
    if (m_trash)
        job->engine().setTrash(m_trash);
    job->setAnswerer([this](const OverwriteQuestion &q) { return askOverwrite(&m_form, q); });
    FileOperationResult result = runJob(job);
    if (m_followedAtShutdown) {
        // The window closed while the job ran: the annotations followed it then.
        m_lastResult = result;
        return result.succeeded();
    }
    // Work queued while the job ran (the selection's details) may have used the field.
    m_form.statusField(MainWindow::FileOp)->setText(FileOperation::statusText(request));

    AnnotationFollower follower(m_form.store());
    QStringList annotationErrors = follower.follow(request, result).errors;

    if (code == FileOperationCode::Delete) {
        // The trash never deletes for good by itself: ask, separately, for what it refused.
        QStringList refused;
        QStringList lines;
        for (const ItemOutcome &item : std::as_const(result.items)) {
            if (item.status == ItemStatus::Failed) {
                refused.append(item.source);
                lines.append(item.source + QStringLiteral("\n  ") + item.error);
            }
        }
        if (!refused.isEmpty() &&
            MessageBox::question(
                &m_form, QStringLiteral("次の項目はごみ箱に入れられませんでした。\n\n") +
                             itemLines(lines) +
                             QStringLiteral("\n\n完全に削除しますか？（元に戻せません）"))) {
            FileOperationResult erased =
                runJob(FileOperationJob::permanentDeletion(refused, nullptr));
            if (m_followedAtShutdown) {
                m_lastResult = result;
                return false;
            }
            FileOperationRequest erase{FileOperationCode::Delete, refused, {}};
            annotationErrors += follower.follow(erase, erased).errors;
            for (ItemOutcome &item : result.items) {
                for (const ItemOutcome &e : std::as_const(erased.items)) {
                    if (e.source == item.source && item.status == ItemStatus::Failed)
                        item = e;
                }
            }
            reportFailures(erased);
        }
    } else {
        reportFailures(result);
    }
    if (!annotationErrors.isEmpty())
        MessageBox::warning(&m_form, QStringLiteral("注釈を書き込めませんでした。\n\n") +
                                         itemLines(annotationErrors));
    m_lastResult = result;
    afterOperation();
    return result.succeeded();
}

FileOperationResult FileOperationsController::runJob(FileOperationJob *job)
{
    m_job = job;
    m_followedAtShutdown = false;
    m_form.itemListView()->display().setAttached(false);
    QProgressDialog progress(&m_form);
    progress.setObjectName(QStringLiteral("FileOperationProgress"));
    progress.setWindowTitle(QStringLiteral("ファイル操作"));
    progress.setCancelButtonText(QStringLiteral("キャンセル"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setRange(0, 1000);
    progress.setMinimumDuration(m_progressDelay);
    progress.setValue(0);
    connect(&progress, &QProgressDialog::canceled, job, &FileOperationJob::cancel);
    connect(job, &FileOperationJob::progress, &progress,
            [&progress](const FileOperationProgress &p) {
                const qint64 whole = p.bytesTotal > 0 ? p.bytesTotal : p.itemsTotal;
                const qint64 part = p.bytesTotal > 0 ? p.bytesDone : p.itemsDone;
                if (whole > 0)
                    progress.setValue(int(std::min<qint64>(1000, part * 1000 / whole)));
                progress.setLabelText(QStringLiteral("%1 / %2\n%3")
                                          .arg(p.itemsDone)
                                          .arg(p.itemsTotal)
                                          .arg(p.currentPath));
            });
    QEventLoop loop;
    connect(job, &FileOperationJob::finished, &loop, &QEventLoop::quit);
    job->start(m_pool);
    loop.exec();
    if (!job->isFinished()) {
        // The loop was left early (the application is quitting): the result must say what
        // really happened before anything follows it.
        job->stopAfterCurrentItem();
        job->wait();
    }
    const FileOperationResult result = job->result();
    delete job;
    m_job = nullptr;
    progress.hide();
    if (!m_closing)
        m_form.itemListView()->display().setAttached(true);
    return result;
}

void FileOperationsController::finishForShutdown()
{
    m_closing = true;
    if (!m_job)
        return;
    // The item under way is finished (a part-done copy would be thrown away), the rest is
    // left alone; past the grace time the item is cancelled too, which loses nothing either.
    m_job->stopAfterCurrentItem();
    if (!m_job->wait(ShutdownGraceMs)) {
        m_job->cancel();
        m_job->wait();
    }
    // Now, before the window is gone: the nested loop running the job may never return.
    AnnotationFollower(m_form.store()).follow(m_job->request(), m_job->result());
    m_followedAtShutdown = true;
}

void FileOperationsController::reportFailures(const FileOperationResult &result)
{
    QStringList lines;
    for (const ItemOutcome &item : result.items) {
        // A move that ended as a copy says so in its error.
        if (item.status == ItemStatus::Failed || item.status == ItemStatus::Copied)
            lines.append(item.source + QStringLiteral("\n  ") + item.error);
    }
    if (!lines.isEmpty())
        MessageBox::warning(&m_form, QStringLiteral("処理できなかった項目があります。\n\n") +
                                         itemLines(lines));
}

void FileOperationsController::afterOperation()
{
    const ItemListMode mode = m_form.itemListView()->list().mode();
    if (mode != ItemListMode::Folder && mode != ItemListMode::ListFile)
        return;
    // The operation's text stays in "File Op"; the rebuild would put its time there.
    QLabel *status = m_form.statusField(MainWindow::FileOp);
    const QString text = status->text();
    m_form.refreshList();
    status->setText(text);
}

// --- Create and rename -----------------------------------------------------------------

void FileOperationsController::newFolder()
{
    QLabel *status = m_form.statusField(MainWindow::FileOp);
    const QString folder = realCurrentFolder();
    if (listFileMode() || folder.isEmpty()) {
        status->setText(QStringLiteral("make D: 0"));
        return;
    }
    const std::optional<QString> name = ask(
        QStringLiteral("フォルダ作成"), QStringLiteral("フォルダ名を入力してください"), QString());
    if (!name) {
        status->setText(QStringLiteral("make D: 0"));
        return;
    }
    int counter = 0;
    ItemCreation::Created made;
    int shown = 0;
    if (name->isEmpty()) {
        made = ItemCreation::create(folder, ItemCreation::Kind::Folder,
                                    ItemCreation::untitledFolderStem(), QString(), &counter, false);
        shown = std::max(made.number, 0);
    } else {
        made = ItemCreation::create(folder, ItemCreation::Kind::Folder, *name, QStringLiteral("_"),
                                    &counter);
        shown = made.taken;
    }
    if (!made.ok)
        MessageBox::warning(&m_form, QStringLiteral("[NG]\n") + made.message);
    // The rebuild reports its time in the same field: the count is shown after it.
    if (made.ok && m_form.itemListView()->list().mode() == ItemListMode::Folder) {
        m_form.refreshList();
        m_form.itemListView()->selectPaths({made.path}, made.path);
    }
    status->setText(QStringLiteral("make D: ") + QString::number(shown));
}

void FileOperationsController::newFile()
{
    const QString folder = realCurrentFolder();
    if (folder.isEmpty())
        return;
    const std::optional<QString> name = ask(
        QStringLiteral("ファイル作成"), QStringLiteral("ファイル名を入力してください"), QString());
    if (!name)
        return;
    int counter = 0;
    const ItemCreation::Created made = ItemCreation::create(folder, ItemCreation::Kind::File, *name,
                                                            QStringLiteral("_"), &counter);
    if (!made.ok) {
        MessageBox::warning(&m_form,
                            QStringLiteral("ファイルを作成できませんでした。\n") + made.message);
        return;
    }
    if (m_form.itemListView()->list().mode() == ItemListMode::Folder) {
        m_form.refreshList();
        m_form.itemListView()->selectPaths({made.path}, made.path);
    }
    m_form.statusField(MainWindow::FileOp)
        ->setText(QStringLiteral("make F: ") + QFileInfo(made.path).fileName());
}

void FileOperationsController::renameSelected()
{
    ItemListView *view = m_form.itemListView();
    const QList<int> rows = view->selectedRows();
    if (rows.isEmpty())
        return;
    // The current item when it is selected, else the first selected one.
    int row = rows.first();
    const int current = view->list().rowOfPath(view->currentPath());
    if (current >= 0 && rows.contains(current))
        row = current;
    const QString caption = view->list().at(row).Name;
    const quint32 id = view->list().at(row).id;
    const std::optional<QString> answer =
        ask(QStringLiteral("名前の変更 ") + caption, QStringLiteral("新しい名前"), caption);
    if (!answer)
        return;
    // The list may have been rebuilt while the prompt was open.
    row = view->list().rowOfId(id);
    if (row >= 0)
        finishRename(row, *answer);
}

bool FileOperationsController::finishRename(int row, const QString &text)
{
    ItemList &list = m_form.itemListView()->list();
    if (row < 0 || row >= list.count())
        return false;
    const ItemRecord record = list.at(row);
    if (text == record.Name)
        return false;
    if (record.ItemType == NamespaceItem) {
        MessageBox::information(&m_form,
                                QStringLiteral("このフォルダのアイテムは名前の変更はできません。"));
        return false;
    }
    const QString oldPath = record.PATH;
    const QFileInfo info(oldPath);
    const bool present =
        record.isFolder ? info.isDir() : (info.exists() || info.isSymLink()) && !info.isDir();
    if (!present) {
        MessageBox::warning(&m_form,
                            oldPath + QLatin1Char('\n') +
                                (record.isFolder ? QStringLiteral("フォルダがありません。")
                                                 : QStringLiteral("ファイルがありません。")));
        return false;
    }
    const QString problem = ItemCreation::isCompanionName(record.Name)
                                ? QStringLiteral("フォルダの設定ファイルです。")
                                : ItemCreation::checkNewName(text);
    if (!problem.isEmpty()) {
        MessageBox::warning(&m_form, oldPath + QLatin1Char('\n') +
                                         QStringLiteral("名前の変更はできませんでした。\n") +
                                         problem);
        return false;
    }
    const NameResult renamed = NameRules::renameItem(oldPath, text);
    if (!renamed.ok()) {
        MessageBox::warning(&m_form, oldPath + QLatin1Char('\n') +
                                         (renamed.error == NameError::Exists
                                              ? QStringLiteral("同じ名前があります。")
                                              : QStringLiteral("名前の変更はできませんでした。")));
        return false;
    }
    m_form.statusField(MainWindow::FileOp)->setText(QStringLiteral("Rename: ") + oldPath);
    AnnotationFollower follower(m_form.store());
    const AnnotationFollower::Outcome followed = follower.renamed(oldPath, text);
    list.renameRecord(row, renamed.path, text);
    m_form.itemListView()->reshowRow(row);
    if (!followed.ok())
        MessageBox::warning(&m_form, QStringLiteral("注釈を書き込めませんでした。\n\n") +
                                         itemLines(followed.errors));
    return true;
}

// --- Trash -----------------------------------------------------------------------------

void FileOperationsController::trashSelected()
{
    ItemListView *view = m_form.itemListView();
    const QList<int> rows = view->selectedRows();
    if (rows.isEmpty() || m_form.store().shellNamespaceMode())
        return;
    QStringList sources;
    QStringList leftOut;
    for (int row : rows) {
        const ItemRecord &r = view->list().at(row);
        if (!r.isFolder && ItemCreation::isCompanionName(r.Name)) {
            leftOut.append(r.Name);
            continue;
        }
        const QFileInfo info(r.PATH);
        const bool present =
            r.isFolder ? info.isDir() : (info.exists() || info.isSymLink()) && !info.isDir();
        if (present)
            sources.append(r.PATH);
        else
            MessageBox::warning(&m_form, r.PATH + QStringLiteral("\n削除できませんでした。"));
    }
    if (!leftOut.isEmpty())
        MessageBox::information(&m_form,
                                QStringLiteral("フォルダの設定ファイルは対象にしません: ") +
                                    leftOut.join(QStringLiteral(", ")));
    if (sources.isEmpty())
        return;
    const QString question =
        sources.size() == 1
            ? QStringLiteral("「%1」をごみ箱に入れますか？")
                  .arg(QFileInfo(sources.first()).fileName())
            : QStringLiteral("%1 個の項目をごみ箱に入れますか？").arg(sources.size());
    if (!MessageBox::question(&m_form, question))
        return;
    ShellFileOperation(sources, FileOperationCode::Delete, QString());
}

void FileOperationsController::restoreSelected()
{
    ItemListView *view = m_form.itemListView();
    if (!ShellLocation::same(m_form.currentFolder(), ShellLocation::recycleBin()))
        return;
    const QList<int> rows = view->selectedRows();
    if (rows.isEmpty())
        return;
    if (m_job || m_restoring) {
        MessageBox::information(&m_form,
                                QStringLiteral("ほかのファイル操作が終わるまでお待ちください。"));
        return;
    }
    QStringList paths;
    for (int row : rows)
        paths.append(view->list().at(row).PATH);
    const Trash trash = m_trash ? *m_trash : Trash();

    // Each item's entry comes from its own info file, and the items are moved back, on
    // another thread: a trash folder may sit on a slow volume, and an item may have to be
    // copied back across volumes. The window keeps going meanwhile.
    struct Restored {
        QString path;
        bool found = false;
        TrashEntry entry;
        TrashResult result;
    };
    auto restore = [this, trash](const QList<Restored> &items, Trash::RestoreMode mode) {
        m_restoring = true;
        m_form.itemListView()->display().setAttached(false);
        QEventLoop loop;
        auto work = std::async(std::launch::async, [&loop, trash, items, mode]() {
            QList<Restored> out = items;
            for (Restored &r : out) {
                r.found = r.found || trash.entryOf(r.path, &r.entry);
                if (r.found)
                    r.result = trash.restore(r.entry, mode);
            }
            QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
            return out;
        });
        loop.exec();
        QList<Restored> out = work.get();
        m_form.itemListView()->display().setAttached(true);
        m_restoring = false;
        return out;
    };
    QList<Restored> first;
    for (const QString &path : std::as_const(paths))
        first.append(Restored{path, false, {}, {}});
    first = restore(first, Trash::RestoreMode::RefuseWhenTaken);

    QStringList failures;
    QList<Restored> renamed;
    auto report = [this, &failures](const Restored &r) {
        QString kept;
        if (r.result.ok &&
            !TrashAnnotations(m_form.store()).restored(r.entry, r.result.path, &kept))
            failures.append(r.result.path + QStringLiteral("\n  注釈を戻せませんでした: ") + kept);
        if (r.result.ok)
            m_form.statusField(MainWindow::FileOp)
                ->setText(QStringLiteral("restore: ") + r.result.path);
        else if (!r.result.targetExists)
            failures.append(r.entry.originalPath + QStringLiteral("\n  ") + r.result.error);
    };
    for (const Restored &r : std::as_const(first)) {
        if (!r.found) {
            failures.append(r.path + QStringLiteral("\n  ごみ箱の情報が見つかりません。"));
            continue;
        }
        if (!r.result.ok && r.result.targetExists &&
            MessageBox::question(&m_form, QStringLiteral("「%1」には同じ名前があります。"
                                                         "別の名前で戻しますか？")
                                              .arg(r.entry.originalPath)))
            renamed.append(r);
        else
            report(r);
    }
    if (!renamed.isEmpty()) {
        for (const Restored &r : restore(renamed, Trash::RestoreMode::RenameWhenTaken))
            report(r);
    }
    if (!failures.isEmpty())
        MessageBox::warning(&m_form, QStringLiteral("元の場所に戻せなかった項目があります。\n\n") +
                                         itemLines(failures));
    m_form.Build_ListView(m_form.currentFolder());
}

// --- Copy and move dialog --------------------------------------------------------------

CopyMoveDialog *FileOperationsController::copyMoveDialog()
{
    if (!m_copyMove) {
        m_copyMove = new CopyMoveDialog(&m_form);
        connect(m_copyMove, &CopyMoveDialog::executeRequested, this,
                &FileOperationsController::executeCopyMove);
    }
    return m_copyMove;
}

void FileOperationsController::showCopyMoveDialog(bool move)
{
    CopyMoveDialog *dialog = copyMoveDialog();
    dialog->setMoveChosen(move);
    // The list is read again, keeping the selection "実行" works on; a search result or
    // found list is left as it is (rebuilding it would leave that mode).
    const ItemListMode mode = m_form.itemListView()->list().mode();
    if (mode == ItemListMode::Folder || mode == ItemListMode::ListFile)
        m_form.refreshList();
    if (!dialog->isVisible()) {
        centre(dialog);
        if (dialog->destination().isEmpty())
            dialog->revealFolder(realCurrentFolder());
    }
    dialog->show();
    dialog->raise();
}

void FileOperationsController::executeCopyMove()
{
    CopyMoveDialog *dialog = copyMoveDialog();
    const bool move = dialog->moveChosen();
    ItemListView *view = m_form.itemListView();
    const QList<int> rows = view->selectedRows();
    const QString target = dialog->TargetItem();
    dialog->setTargetItem(QString());
    if (rows.isEmpty()) {
        MessageBox::information(&m_form,
                                move ? QStringLiteral("移動するファイルが選ばれていません。")
                                     : QStringLiteral("コピーするファイルが選ばれていません。"));
        return;
    }
    const QString chosen = dialog->destination();
    if (chosen.isEmpty()) {
        MessageBox::information(&m_form,
                                move ? QStringLiteral("移動するフォルダが選ばれていません。")
                                     : QStringLiteral("コピーするフォルダが選ばれていません。"));
        return;
    }
    if (!QDir::isAbsolutePath(chosen) || !QFileInfo(chosen).isDir()) {
        MessageBox::warning(&m_form, chosen + QStringLiteral("\nフォルダがありません。"));
        return;
    }
    const QString destination = AnnotationStore::folderKey(chosen);
    if (move && parentKey(view->list().at(rows.first()).PATH) == destination) {
        MessageBox::information(&m_form,
                                QStringLiteral("移動するフォルダが現在の場所と同じです。"));
        return;
    }
    QStringList sources;
    QString problems;
    for (int row : rows) {
        const ItemRecord &r = view->list().at(row);
        if (!target.isEmpty() && r.PATH == target)
            continue;
        const QFileInfo info(r.PATH);
        const bool usable =
            r.ItemType == FileSystemItem &&
            !(!r.isFolder && ItemCreation::isCompanionName(r.Name)) &&
            (r.isFolder ? info.isDir() && AnnotationStore::folderKey(r.PATH) != destination
                        : (info.exists() || info.isSymLink()) && !info.isDir());
        if (usable)
            sources.append(r.PATH);
        else
            problems += r.PATH + QLatin1Char('\n');
    }
    if (!problems.isEmpty()) {
        const QString question =
            (move ? QStringLiteral("移動できませんでした。処理を続けますか？\n\n")
                  : QStringLiteral("コピーできませんでした。処理を続けますか？\n\n")) +
            problems;
        if (!MessageBox::question(&m_form, question)) {
            MessageBox::warning(&m_form, move ? QStringLiteral("移動をしませんでした。")
                                              : QStringLiteral("コピーをしませんでした。"));
            return;
        }
    }
    if (sources.isEmpty())
        return;
    const FileOperationCode code = move ? (dialog->overwrite() ? FileOperationCode::MoveAsking
                                                               : FileOperationCode::MoveRenaming)
                                        : (dialog->overwrite() ? FileOperationCode::CopyAsking
                                                               : FileOperationCode::CopyRenaming);
    ShellFileOperation(sources, code, destination);
}

// --- Batch creation --------------------------------------------------------------------

BatchCreateDialog *FileOperationsController::batchWindow()
{
    if (!m_batch) {
        m_batch = new BatchCreateDialog(&m_form);
        connect(m_batch, &BatchCreateDialog::linesAccepted, this,
                &FileOperationsController::runBatch);
    }
    return m_batch;
}

void FileOperationsController::showBatch(ItemCreation::Kind kind)
{
    BatchCreateDialog *window = batchWindow();
    if (!window->isVisible())
        centre(window);
    window->showFor(kind);
}

void FileOperationsController::runBatch(ItemCreation::Kind kind, const QStringList &lines)
{
    const QString folder = realCurrentFolder();
    if (listFileMode() || folder.isEmpty())
        return;
    const ItemCreation::Batch batch = ItemCreation::createBatch(folder, kind, lines);
    if (kind == ItemCreation::Kind::Folder) {
        for (const QString &failure : batch.failures)
            MessageBox::warning(&m_form, QStringLiteral("[NG]\n") + failure);
    } else if (!batch.failures.isEmpty()) {
        MessageBox::warning(&m_form, QStringLiteral("ファイルを作成できませんでした。\n") +
                                         batch.failures.first());
    }
    if (m_form.itemListView()->list().mode() == ItemListMode::Folder)
        m_form.refreshList();
    m_form.statusField(MainWindow::FileOp)
        ->setText((kind == ItemCreation::Kind::Folder ? QStringLiteral("make D: ")
                                                      : QStringLiteral("make F: ")) +
                  // A batch of files that a failure ended counts what it created, not the
                  // lines it reached.
                  QString::number(batch.stopped ? int(batch.created.size()) : batch.lines));
}

// --- Availability ----------------------------------------------------------------------

void FileOperationsController::updateAvailability()
{
    const bool namespaceMode = m_form.itemListView()->list().mode() == ItemListMode::ShellNamespace;
    CommandRegistry &commands = m_form.commands();
    for (const QString &name : FileCommands) {
        if (QAction *a = commands.action(name))
            a->setEnabled(!namespaceMode);
    }
    const bool recycleBin =
        ShellLocation::same(m_form.currentFolder(), ShellLocation::recycleBin());
    for (const char *name : FileMenus) {
        // In the trash the file operations menu stays open for "元の場所に戻す"; its other
        // commands are off one by one above.
        const bool keep = recycleBin && qstrcmp(name, "FileOperationsMenu") == 0;
        for (QMenu *menu : commands.menus(QLatin1String(name)))
            menu->menuAction()->setEnabled(!namespaceMode || keep);
    }
    if (QAction *restore = commands.action(QStringLiteral("cmdRestoreFromTrash")))
        restore->setEnabled(recycleBin);
}

} // namespace kazari
