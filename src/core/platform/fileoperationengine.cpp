#include "core/platform/fileoperationengine.h"

#include "core/platform/namerules.h"
#include "core/platform/trash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace kazari
{

namespace
{

using Outcome = TreeCopier::Outcome;

QString parentOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash <= 0 ? QStringLiteral("/") : path.left(slash);
}

QString nameOf(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString joinPath(const QString &folder, const QString &name)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

bool lstatPath(const QString &path, struct stat *st)
{
    return ::lstat(QFile::encodeName(path).constData(), st) == 0;
}

bool statPath(const QString &path, struct stat *st)
{
    return ::stat(QFile::encodeName(path).constData(), st) == 0;
}

QDateTime modified(const struct stat &st)
{
    return QDateTime::fromMSecsSinceEpoch(qint64(st.st_mtim.tv_sec) * 1000 +
                                          st.st_mtim.tv_nsec / 1000000);
}

const QString CancelledText = QStringLiteral("キャンセルされました。");

ItemOutcome outcome(const QString &source, ItemStatus status, const QString &error = QString())
{
    ItemOutcome out;
    out.source = source;
    out.status = status;
    out.error = error;
    return out;
}

} // namespace

FileOperationEngine::FileOperationEngine()
    : m_copier(std::make_unique<TreeCopier>(&m_cancel))
{
    m_copier->setProgressCallback(
        [this](qint64 bytes, const QByteArray &path) { addBytes(bytes, path); });
}

FileOperationEngine::~FileOperationEngine() = default;

void FileOperationEngine::setProgressCallback(ProgressCallback callback, int intervalMs)
{
    m_progressCallback = std::move(callback);
    m_intervalMs = intervalMs;
}

void FileOperationEngine::setOverwriteCallback(OverwriteCallback callback)
{
    m_overwriteCallback = std::move(callback);
}

void FileOperationEngine::setTrash(Trash *trash)
{
    m_trash = trash;
}

void FileOperationEngine::cancel()
{
    m_cancel.store(true);
}

bool FileOperationEngine::isCancelled() const
{
    return m_cancel.load();
}

void FileOperationEngine::stopAfterCurrentItem()
{
    m_stop.store(true);
}

bool FileOperationEngine::isStopping() const
{
    return m_stop.load();
}

Trash &FileOperationEngine::trash()
{
    if (m_trash)
        return *m_trash;
    if (!m_ownTrash)
        m_ownTrash = std::make_unique<Trash>();
    return *m_ownTrash;
}

void FileOperationEngine::addBytes(qint64 bytes, const QByteArray &path)
{
    m_progress.bytesDone += bytes;
    m_currentPath = path;
    report(false);
}

void FileOperationEngine::report(bool force)
{
    if (!m_progressCallback)
        return;
    const qint64 now = m_clock.elapsed();
    if (!force && m_lastReport >= 0 && now - m_lastReport < m_intervalMs)
        return;
    m_lastReport = now;
    m_progress.currentPath = QFile::decodeName(m_currentPath);
    m_progressCallback(m_progress);
}

FileOperationResult FileOperationEngine::run(const FileOperationRequest &request)
{
    FileOperationResult result;
    m_yesToAll = false;
    m_progress = FileOperationProgress();
    m_progress.itemsTotal = int(request.sources.size());
    m_currentPath.clear();
    m_unremovable.clear();
    m_clock.start();
    m_lastReport = -1;

    auto finishItem = [&](ItemOutcome item) {
        result.items.append(std::move(item));
        ++m_progress.itemsDone;
        report(false);
    };

    if (request.code == FileOperationCode::Delete) {
        for (const QString &source : request.sources) {
            if (isCancelled() || isStopping()) {
                finishItem(outcome(source, ItemStatus::Cancelled, CancelledText));
                continue;
            }
            m_currentPath = QFile::encodeName(source);
            report(false);
            const TrashResult trashed = trash().moveToTrash(source);
            ItemOutcome item =
                outcome(source, trashed.ok ? ItemStatus::Done : ItemStatus::Failed, trashed.error);
            item.destination = trashed.path;
            finishItem(std::move(item));
        }
        result.cancelled = isCancelled() || isStopping();
        report(true);
        return result;
    }

    const bool move = FileOperation::isMove(request.code);
    const bool asking = FileOperation::asksBeforeReplacing(request.code);
    const QString folder = QDir::cleanPath(request.destination);
    QString problem;
    struct stat destination {
    };
    if (!FileOperation::isCopy(request.code) && !move)
        problem = QStringLiteral("不正な操作コードです。");
    else if (!QDir::isAbsolutePath(request.destination) || !statPath(folder, &destination) ||
             !S_ISDIR(destination.st_mode))
        problem = (move ? QStringLiteral("移動先フォルダがありません: ")
                        : QStringLiteral("コピー先フォルダがありません: ")) +
                  request.destination;

    // Totals for the progress display: only what will really be copied.
    report(false);
    if (problem.isEmpty()) {
        for (const QString &source : request.sources) {
            struct stat st {
            };
            if (!QDir::isAbsolutePath(source) || !lstatPath(source, &st))
                continue;
            if (move && st.st_dev == destination.st_dev)
                continue;
            const TreeCopier::Scan scan =
                TreeCopier::scan(QDir::cleanPath(source), move, &m_cancel);
            m_progress.bytesTotal += scan.bytes;
            if (move)
                m_unremovable.insert(QDir::cleanPath(source), scan.unremovable);
        }
    }

    for (const QString &source : request.sources) {
        if (isCancelled() || isStopping())
            finishItem(outcome(source, ItemStatus::Cancelled, CancelledText));
        else if (!problem.isEmpty())
            finishItem(outcome(source, ItemStatus::Failed, problem));
        else
            finishItem(copyOrMoveItem(source, folder, move, asking));
    }
    result.cancelled = isCancelled() || isStopping();
    report(true);
    return result;
}

ItemOutcome FileOperationEngine::copyOrMoveItem(const QString &source, const QString &folder,
                                                bool move, bool asking)
{
    if (!QDir::isAbsolutePath(source))
        return outcome(source, ItemStatus::Failed,
                       QStringLiteral("絶対パスではありません: ") + source);
    const QString clean = QDir::cleanPath(source);
    struct stat st {
    };
    if (clean == QLatin1String("/") || !lstatPath(clean, &st))
        return outcome(source, ItemStatus::Failed, QStringLiteral("見つかりません: ") + source);
    m_currentPath = QFile::encodeName(clean);
    report(false);

    const QString name = nameOf(clean);
    const bool isDir = S_ISDIR(st.st_mode);
    struct stat parent {
    };
    struct stat target {
    };
    if (move && statPath(parentOf(clean), &parent) && statPath(folder, &target) &&
        parent.st_dev == target.st_dev && parent.st_ino == target.st_ino) {
        ItemOutcome same = outcome(source, ItemStatus::Skipped,
                                   QStringLiteral("移動先が現在の場所と同じです: ") + source);
        same.destination = clean;
        return same;
    }
    if (isDir) {
        const QString realSource = joinPath(QFileInfo(parentOf(clean)).canonicalFilePath(), name);
        const QString realFolder = QFileInfo(folder).canonicalFilePath();
        if (realFolder == realSource || realFolder.startsWith(realSource + QLatin1Char('/'))) {
            return outcome(source, ItemStatus::Failed,
                           (move ? QStringLiteral("フォルダをそれ自体の中へは移動できません: ")
                                 : QStringLiteral("フォルダをそれ自体の中へはコピーできません: ")) +
                               source);
        }
    }

    if (!asking) {
        for (int number = 1; number < 100000; ++number) {
            const QString candidate =
                joinPath(folder, NameRules::numberedName(name, number, isDir));
            QString error;
            bool copiedOnly = false;
            const Outcome result = move ? moveNew(clean, candidate, &error, &copiedOnly)
                                        : m_copier->copyNew(clean, candidate, &error);
            if (result == Outcome::Taken)
                continue;
            if (result == Outcome::Ok || copiedOnly) {
                ItemOutcome done =
                    outcome(source, copiedOnly ? ItemStatus::Copied : ItemStatus::Done, error);
                done.destination = candidate;
                return done;
            }
            if (result == Outcome::Cancelled)
                return outcome(source, ItemStatus::Cancelled, CancelledText);
            return outcome(source, ItemStatus::Failed, error);
        }
        return outcome(source, ItemStatus::Failed,
                       QStringLiteral("空いている名前がありません: ") + source);
    }

    Tally tally;
    const QString destination = joinPath(folder, name);
    ItemStatus status = place(clean, destination, move, 0, tally);
    if (status == ItemStatus::Done && tally.failures > 0)
        status = ItemStatus::Failed;
    ItemOutcome item = outcome(source, status);
    item.keptInside = tally.keptInside;
    item.merged = tally.merged;
    item.placedInside = std::move(tally.placedInside);
    if (status == ItemStatus::Done) {
        item.destination = destination;
    } else if (status == ItemStatus::Copied) {
        item.destination = destination;
        item.error = tally.firstError;
    } else if (status == ItemStatus::Failed) {
        item.error = tally.firstError;
        if (tally.failures > 1)
            item.error += QStringLiteral(" (ほか %1 件)").arg(tally.failures - 1);
        struct stat left {
        };
        if (lstatPath(destination, &left) && S_ISDIR(left.st_mode) && isDir)
            item.destination = destination; // a merge that got part of the way
    } else if (status == ItemStatus::Cancelled) {
        item.error = CancelledText;
    }
    return item;
}

ItemStatus FileOperationEngine::place(const QString &source, const QString &target, bool move,
                                      int depth, Tally &tally)
{
    auto failed = [&tally](const QString &error) {
        ++tally.failures;
        if (tally.firstError.isEmpty())
            tally.firstError = error;
        return ItemStatus::Failed;
    };
    auto copiedOnly = [&tally](const QString &error) {
        if (tally.firstError.isEmpty())
            tally.firstError = error;
        return ItemStatus::Copied;
    };

    tally.lastMerged = false;
    // The target can appear or vanish between looking and acting; look again then.
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (isCancelled())
            return ItemStatus::Cancelled;
        struct stat st {
        };
        if (!lstatPath(source, &st))
            return failed(TreeCopier::systemError(source, errno));
        struct stat existing {
        };
        if (!lstatPath(target, &existing)) {
            if (errno != ENOENT)
                return failed(TreeCopier::systemError(target, errno));
            QString error;
            bool kept = false;
            const Outcome result = move ? moveNew(source, target, &error, &kept)
                                        : m_copier->copyNew(source, target, &error);
            if (result == Outcome::Taken)
                continue;
            if (result == Outcome::Cancelled)
                return ItemStatus::Cancelled;
            if (result == Outcome::Failed)
                return kept ? copiedOnly(error) : failed(error);
            return ItemStatus::Done;
        }

        if (existing.st_dev == st.st_dev && existing.st_ino == st.st_ino)
            return failed((move ? QStringLiteral("移動元と移動先が同じです: ")
                                : QStringLiteral("コピー元とコピー先が同じです: ")) +
                          target);
        const bool folders = S_ISDIR(st.st_mode);
        if (folders != S_ISDIR(existing.st_mode))
            return failed(QStringLiteral("フォルダとファイルは置き換えられません: ") + target);

        OverwriteAnswer answer = OverwriteAnswer::Yes;
        if (!m_yesToAll)
            answer = ask(source, target, folders);
        switch (answer) {
        case OverwriteAnswer::No:
            return ItemStatus::Skipped;
        case OverwriteAnswer::Cancel:
            cancel();
            return ItemStatus::Cancelled;
        case OverwriteAnswer::YesToAll:
            m_yesToAll = true;
            break;
        case OverwriteAnswer::Yes:
            break;
        }
        if (folders) {
            if (depth == 0)
                tally.merged = true;
            const ItemStatus merged = merge(source, target, move, depth, tally);
            tally.lastMerged = true;
            return merged;
        }

        if (move) {
            if (::rename(QFile::encodeName(source).constData(),
                         QFile::encodeName(target).constData()) == 0)
                return ItemStatus::Done;
            if (errno != EXDEV)
                return failed(TreeCopier::systemError(source, errno));
            const QString problem = unremovable(source);
            if (!problem.isEmpty())
                return failed(problem);
        }
        QString error;
        const Outcome result = m_copier->replace(source, target, &error);
        if (result == Outcome::Cancelled)
            return ItemStatus::Cancelled;
        if (result != Outcome::Ok)
            return failed(error);
        if (move && !TreeCopier::removeTree(source, &error))
            return copiedOnly(QStringLiteral("コピーしましたが、元の項目を削除できませんでした: ") +
                              error);
        return ItemStatus::Done;
    }
    return failed(TreeCopier::systemError(target, EEXIST));
}

ItemStatus FileOperationEngine::merge(const QString &source, const QString &target, bool move,
                                      int depth, Tally &tally)
{
    QList<QByteArray> names;
    QString error;
    if (!TreeCopier::entryNames(source, &names, &error)) {
        ++tally.failures;
        if (tally.firstError.isEmpty())
            tally.firstError = error;
        return ItemStatus::Failed;
    }
    bool everything = true;
    for (const QByteArray &name : names) {
        const QString child = QFile::decodeName(name);
        if (m_keptInMerges.contains(child)) {
            everything = false;
            continue;
        }
        const QString childSource = joinPath(source, child);
        const QString childTarget = joinPath(target, child);
        // Reserved before placing: a merged sub-folder lists its entries after itself.
        const qsizetype slot = tally.placedInside.size();
        tally.placedInside.append({childSource, childTarget, false});
        const ItemStatus status = place(childSource, childTarget, move, depth + 1, tally);
        if (status == ItemStatus::Done || tally.lastMerged) {
            tally.placedInside[slot].merged = tally.lastMerged;
        } else if (status == ItemStatus::Copied) {
            // Both sides are kept: the merge as a whole did not go through.
            tally.placedInside[slot].copied = true;
            ++tally.failures;
        } else {
            tally.placedInside.removeAt(slot);
        }
        if (status == ItemStatus::Cancelled)
            return status;
        if (status == ItemStatus::Skipped)
            ++tally.keptInside;
        if (status != ItemStatus::Done)
            everything = false;
    }
    // The emptied source folder goes; one still holding kept entries stays.
    if (move && everything && ::rmdir(QFile::encodeName(source).constData()) != 0) {
        ++tally.failures;
        if (tally.firstError.isEmpty())
            tally.firstError = TreeCopier::systemError(source, errno);
    }
    return ItemStatus::Done;
}

QString FileOperationEngine::unremovable(const QString &source)
{
    QString reason;
    const auto known = m_unremovable.constFind(source);
    if (known != m_unremovable.constEnd()) {
        reason = known.value();
    } else {
        const TreeCopier::Scan scan = TreeCopier::scan(source, true, &m_cancel);
        m_progress.bytesTotal += scan.bytes;
        reason = scan.unremovable;
    }
    if (reason.isEmpty())
        return QString();
    return QStringLiteral("元の項目を削除できないため移動しません: ") + reason;
}

TreeCopier::Outcome FileOperationEngine::moveNew(const QString &source, const QString &target,
                                                 QString *error, bool *copiedOnly)
{
    const int err =
        NameRules::renameNoReplace(QFile::encodeName(source), QFile::encodeName(target));
    if (err == 0)
        return Outcome::Ok;
    if (err == EEXIST)
        return Outcome::Taken;
    if (err != EXDEV) {
        *error = TreeCopier::systemError(source, err);
        return Outcome::Failed;
    }
    const QString problem = unremovable(source);
    if (!problem.isEmpty()) {
        *error = problem;
        return Outcome::Failed;
    }
    const Outcome copied = m_copier->copyNew(source, target, error);
    if (copied != Outcome::Ok)
        return copied;
    QString removeError;
    if (!TreeCopier::removeTree(source, &removeError)) {
        // The copy is complete and the source partly gone: keep the copy.
        *error = QStringLiteral("コピーしましたが、元の項目を削除できませんでした: ") +
                 removeError + QStringLiteral("\nコピー: ") + target;
        *copiedOnly = true;
        return Outcome::Failed;
    }
    return Outcome::Ok;
}

OverwriteAnswer FileOperationEngine::ask(const QString &source, const QString &target, bool folders)
{
    if (!m_overwriteCallback)
        return OverwriteAnswer::No;
    OverwriteQuestion question;
    question.source = source;
    question.target = target;
    question.folders = folders;
    struct stat st {
    };
    if (lstatPath(source, &st)) {
        question.sourceSize = S_ISREG(st.st_mode) ? qint64(st.st_size) : 0;
        question.sourceModified = modified(st);
    }
    if (lstatPath(target, &st)) {
        question.targetSize = S_ISREG(st.st_mode) ? qint64(st.st_size) : 0;
        question.targetModified = modified(st);
    }
    report(true);
    return m_overwriteCallback(question);
}

FileOperationResult FileOperationEngine::deletePermanently(const QStringList &paths)
{
    FileOperationResult result;
    m_progress = FileOperationProgress();
    m_progress.itemsTotal = int(paths.size());
    m_clock.start();
    m_lastReport = -1;
    for (const QString &path : paths) {
        ItemOutcome item;
        struct stat st {
        };
        const QString clean = QDir::cleanPath(path);
        if (isCancelled() || isStopping()) {
            item = outcome(path, ItemStatus::Cancelled, CancelledText);
        } else if (!QDir::isAbsolutePath(path) || clean == QLatin1String("/") ||
                   !lstatPath(clean, &st)) {
            item = outcome(path, ItemStatus::Failed, QStringLiteral("見つかりません: ") + path);
        } else {
            m_currentPath = QFile::encodeName(clean);
            report(false);
            QString error;
            item = TreeCopier::removeTree(clean, &error) ? outcome(path, ItemStatus::Done)
                                                         : outcome(path, ItemStatus::Failed, error);
        }
        result.items.append(item);
        ++m_progress.itemsDone;
        report(false);
    }
    result.cancelled = isCancelled() || isStopping();
    report(true);
    return result;
}

} // namespace kazari
