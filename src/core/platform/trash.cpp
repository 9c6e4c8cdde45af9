#include "core/platform/trash.h"

#include "core/platform/clock.h"
#include "core/platform/namerules.h"
#include "core/platform/textfile.h"
#include "core/platform/treecopier.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStorageInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kazari
{

namespace
{

const QString InfoSuffix = QStringLiteral(".trashinfo");
// NAME.trashinfo must itself be a valid name.
constexpr int MaxTrashNameBytes = NameRules::MaxNameBytes - 10;

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

TrashResult failure(const QString &error)
{
    TrashResult r;
    r.error = error;
    return r;
}

// A folder of the trash: created with mode 0700 when missing (with its missing parents when
// `parents`), otherwise it must be a real folder (not a link) and, when `owner` is set,
// belong to this user.
bool ensureFolder(const QString &path, bool create, bool parents, bool owner, QString *error)
{
    struct stat st {
    };
    if (!lstatPath(path, &st)) {
        if (!create) {
            *error = TreeCopier::systemError(path, ENOENT);
            return false;
        }
        if (parents && path != QLatin1String("/") &&
            !ensureFolder(parentOf(path), true, true, false, error))
            return false;
        if (::mkdir(QFile::encodeName(path).constData(), 0700) != 0 && errno != EEXIST) {
            *error = TreeCopier::systemError(path, errno);
            return false;
        }
        if (!lstatPath(path, &st)) {
            *error = TreeCopier::systemError(path, errno);
            return false;
        }
    }
    if (!S_ISDIR(st.st_mode) || (owner && st.st_uid != ::getuid())) {
        *error = QStringLiteral("ごみ箱のフォルダとして使えません: ") + path;
        return false;
    }
    return true;
}

bool ensureTrashFolders(const QString &trash, bool create, bool parents, bool owner, QString *error)
{
    return ensureFolder(trash, create, parents, owner, error) &&
           ensureFolder(joinPath(trash, QStringLiteral("files")), create, false, owner, error) &&
           ensureFolder(joinPath(trash, QStringLiteral("info")), create, false, owner, error);
}

// The device of `path`, or of its nearest existing parent folder.
dev_t deviceOfNearest(const QString &path)
{
    QString current = path;
    struct stat st {
    };
    while (::stat(QFile::encodeName(current).constData(), &st) != 0) {
        if (current == QLatin1String("/"))
            return dev_t(-1);
        current = parentOf(current);
    }
    return st.st_dev;
}

// The top folder of the volume holding `folder` (a canonical path on device `device`).
QString topFolderOf(const QString &folder, dev_t device)
{
    QString current = folder;
    while (current != QLatin1String("/")) {
        const QString up = parentOf(current);
        struct stat st {
        };
        if (::stat(QFile::encodeName(up).constData(), &st) != 0 || st.st_dev != device)
            break;
        current = up;
    }
    return current;
}

// Whether the administrator's $top/.Trash may hold users' trash folders: a real folder (not
// a link) with the sticky bit.
bool sharedTrashUsable(const QString &top)
{
    struct stat st {
    };
    return lstatPath(joinPath(top, QStringLiteral(".Trash")), &st) && S_ISDIR(st.st_mode) &&
           (st.st_mode & S_ISVTX);
}

// The trash folder of the volume whose top folder is `top`: $top/.Trash/$uid when the
// administrator's $top/.Trash passes its checks, otherwise $top/.Trash-$uid.
QString volumeTrashFolder(const QString &top, bool create, QString *error)
{
    const QString uid = QString::number(::getuid());
    if (sharedTrashUsable(top)) {
        const QString own = joinPath(joinPath(top, QStringLiteral(".Trash")), uid);
        QString ignored;
        if (ensureTrashFolders(own, create, false, true, &ignored))
            return own;
    }
    const QString own = joinPath(top, QStringLiteral(".Trash-") + uid);
    if (ensureTrashFolders(own, create, false, true, error))
        return own;
    return QString();
}

// The folder relative Path values of a trash folder are relative to.
QString topFolderOfTrash(const QString &trash)
{
    const QString parent = parentOf(trash);
    if (nameOf(trash).startsWith(QLatin1String(".Trash-")))
        return parent;
    if (nameOf(parent) == QLatin1String(".Trash"))
        return parentOf(parent);
    return parent;
}

QByteArray deletionDate()
{
    const QDateTime now = Clock::instance().now().toLocalTime();
    return (now.date().toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('T') +
            now.time().toString(QStringLiteral("HH:mm:ss")))
        .toLatin1();
}

bool writeAll(int fd, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += n;
    }
    return true;
}

bool isNetworkFileSystem(const QByteArray &type)
{
    static const QSet<QByteArray> network = {"nfs",   "nfs4",       "cifs", "smb3",
                                             "smbfs", "fuse.sshfs", "afs",  "ncpfs"};
    return network.contains(type);
}

} // namespace

QString TrashEntry::filesPath() const
{
    return joinPath(joinPath(trashFolder, QStringLiteral("files")), trashName);
}

QString TrashEntry::infoPath() const
{
    return joinPath(joinPath(trashFolder, QStringLiteral("info")), trashName + InfoSuffix);
}

Trash::Trash()
    : m_home(defaultHomeTrashFolder())
{
}

Trash::Trash(const QString &homeTrashFolder)
    : m_home(QDir::cleanPath(homeTrashFolder))
{
}

QString Trash::defaultHomeTrashFolder()
{
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty() || !QDir::isAbsolutePath(data))
        data = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(data + QStringLiteral("/Trash"));
}

TrashResult Trash::moveToTrash(const QString &path) const
{
    if (!QDir::isAbsolutePath(path))
        return failure(QStringLiteral("絶対パスではありません: ") + path);
    const QString clean = QDir::cleanPath(path);
    if (clean == QLatin1String("/"))
        return failure(QStringLiteral("ごみ箱に入れられません: /"));
    struct stat item {
    };
    if (!lstatPath(clean, &item))
        return failure(QStringLiteral("見つかりません: ") + clean);
    const QString parent = QFileInfo(parentOf(clean)).canonicalFilePath();
    struct stat parentStat {
    };
    if (parent.isEmpty() || !lstatPath(parent, &parentStat))
        return failure(TreeCopier::systemError(parentOf(clean), ENOENT));
    if (S_ISDIR(item.st_mode) && parentStat.st_dev != item.st_dev)
        return failure(QStringLiteral("ボリュームの最上位フォルダはごみ箱に入れられません: ") +
                       clean);
    // The item under its real folder: what the Path line records and restoring goes back to.
    const QString itemPath = joinPath(parent, nameOf(clean));
    const bool isDir = S_ISDIR(item.st_mode);

    struct Candidate {
        QString trash;
        QString top; // empty for the home trash: absolute Path
    };
    QList<Candidate> candidates;
    QString error;
    // Items of the home trash's volume go to the home trash only, even when it cannot be
    // made: a volume trash would surprise the user ("/.Trash-1000" beside the system).
    const bool homeVolume = deviceOfNearest(m_home) == item.st_dev;
    if (homeVolume && ensureTrashFolders(m_home, true, true, false, &error))
        candidates.append({m_home, QString()});
    const QString top = topFolderOf(parent, item.st_dev);
    QString volumeError;
    const QString volumeTrash = volumeTrashFolder(top, !homeVolume, &volumeError);
    if (!volumeTrash.isEmpty() && (!homeVolume || !candidates.isEmpty()))
        candidates.append({volumeTrash, top});
    if (candidates.isEmpty()) {
        return failure(QStringLiteral("ごみ箱に入れられませんでした: ") + clean +
                       QLatin1Char('\n') + (homeVolume ? error : volumeError));
    }

    TrashResult last;
    for (const Candidate &candidate : candidates) {
        const QString trash = QFileInfo(candidate.trash).canonicalFilePath();
        if (trash == itemPath || trash.startsWith(itemPath + QLatin1Char('/')))
            return failure(QStringLiteral("ごみ箱を含む項目はごみ箱に入れられません: ") + clean);
        int err = 0;
        last = trashInto(candidate.trash, itemPath, candidate.top, isDir, &err);
        // The home trash on the same device but another mount: the volume's trash may do.
        if (last.ok || err != EXDEV)
            return last;
    }
    return last;
}

TrashResult Trash::trashInto(const QString &trashFolder, const QString &itemPath,
                             const QString &topFolder, bool isDir, int *errnoOut) const
{
    QString recorded = itemPath;
    if (!topFolder.isEmpty())
        recorded = itemPath.mid(topFolder == QLatin1String("/") ? 1 : topFolder.size() + 1);
    const QByteArray info = QByteArrayLiteral("[Trash Info]\nPath=") +
                            QFile::encodeName(recorded).toPercentEncoding("/") +
                            QByteArrayLiteral("\nDeletionDate=") + deletionDate() + '\n';
    const QByteArray from = QFile::encodeName(itemPath);
    const QString name = nameOf(itemPath);

    for (int number = 1; number < 100000; ++number) {
        const QString trashName = NameRules::numberedName(name, number, isDir, MaxTrashNameBytes);
        const QByteArray infoPath =
            QFile::encodeName(trashFolder + QStringLiteral("/info/") + trashName + InfoSuffix);
        const int fd = ::open(infoPath.constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            *errnoOut = errno;
            return failure(QStringLiteral("ごみ箱に入れられませんでした: ") +
                           TreeCopier::systemError(QFile::decodeName(infoPath), errno));
        }
        const bool written = writeAll(fd, info);
        const int writeErr = errno;
        if (::close(fd) != 0 || !written) {
            const int err = written ? errno : writeErr;
            ::unlink(infoPath.constData());
            *errnoOut = err;
            return failure(QStringLiteral("ごみ箱に入れられませんでした: ") +
                           TreeCopier::systemError(QFile::decodeName(infoPath), err));
        }
        const QString target = trashFolder + QStringLiteral("/files/") + trashName;
        const int err = NameRules::renameNoReplace(from, QFile::encodeName(target));
        if (err == 0) {
            TrashResult done;
            done.ok = true;
            done.path = target;
            return done;
        }
        ::unlink(infoPath.constData());
        if (err == EEXIST)
            continue; // an item without its info file holds the name
        *errnoOut = err;
        return failure(QStringLiteral("ごみ箱に入れられませんでした: ") +
                       TreeCopier::systemError(itemPath, err));
    }
    *errnoOut = EEXIST;
    return failure(QStringLiteral("ごみ箱に入れられませんでした: ") + itemPath);
}

QStringList Trash::trashFolders() const
{
    return trashFolders(VolumeProbe::mountTable());
}

QStringList Trash::trashFolders(const QList<MountPoint> &volumes) const
{
    QStringList out;
    QSet<QString> seen;
    auto add = [&](const QString &trash) {
        QString ignored;
        if (!ensureTrashFolders(trash, false, false, trash != m_home, &ignored))
            return;
        const QString canonical = QFileInfo(trash).canonicalFilePath();
        if (canonical.isEmpty() || seen.contains(canonical))
            return;
        seen.insert(canonical);
        out.append(trash);
    };
    add(m_home);
    const QString uid = QString::number(::getuid());
    for (const MountPoint &volume : volumes) {
        if (isNetworkFileSystem(volume.type.toUtf8()))
            continue;
        const QString &top = volume.root;
        if (sharedTrashUsable(top))
            add(joinPath(joinPath(top, QStringLiteral(".Trash")), uid));
        add(joinPath(top, QStringLiteral(".Trash-") + uid));
    }
    return out;
}

namespace
{

// The entry of one info file of a trash folder, without its size; false when the info
// file cannot be read or names no original path, or the item is gone.
bool readEntry(const QString &trashFolder, const QString &infoName, const QString &top,
               TrashEntry *entry)
{
    const TextFile::ReadResult read =
        TextFile::read(joinPath(joinPath(trashFolder, QStringLiteral("info")), infoName),
                       TextFile::RegularFilesOnly);
    if (!read.found)
        return false;
    entry->trashFolder = trashFolder;
    entry->trashName = infoName.chopped(InfoSuffix.size());
    bool inGroup = false;
    QString recorded;
    for (const QString &rawLine : read.document.lines) {
        const QString line = rawLine.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inGroup = line == QLatin1String("[Trash Info]");
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (!inGroup || eq < 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        if (key == QLatin1String("Path") && recorded.isEmpty())
            recorded = QFile::decodeName(QByteArray::fromPercentEncoding(value.toUtf8()));
        else if (key == QLatin1String("DeletionDate") && !entry->deletionDate.isValid())
            entry->deletionDate = QDateTime::fromString(value, Qt::ISODate);
    }
    if (recorded.isEmpty())
        return false;
    entry->originalPath =
        QDir::cleanPath(QDir::isAbsolutePath(recorded) ? recorded : joinPath(top, recorded));
    struct stat st {
    };
    if (!lstatPath(entry->filesPath(), &st))
        return false;
    entry->isDir = S_ISDIR(st.st_mode);
    if (S_ISREG(st.st_mode))
        entry->size = st.st_size;
    return true;
}

} // namespace

QList<TrashEntry> Trash::entries() const
{
    QList<TrashEntry> out;
    for (const QString &trash : trashFolders())
        out.append(entriesIn(trash));
    return out;
}

QList<TrashEntry> Trash::entriesIn(const QString &trashFolder) const
{
    QList<TrashEntry> out;
    const QDir infoDir(joinPath(trashFolder, QStringLiteral("info")));
    const QStringList infos = infoDir.entryList(
        {QStringLiteral("*.trashinfo")}, QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    const QString top = topFolderOfTrash(trashFolder);
    for (const QString &infoName : infos) {
        TrashEntry entry;
        if (!readEntry(trashFolder, infoName, top, &entry))
            continue;
        if (entry.isDir)
            entry.size = TreeCopier::scan(entry.filesPath(), false).bytes;
        out.append(entry);
    }
    return out;
}

bool Trash::entryOf(const QString &filesPath, TrashEntry *entry) const
{
    const QString item = QDir::cleanPath(filesPath);
    const QString files = parentOf(item);
    const QString name = nameOf(item);
    if (nameOf(files) != QLatin1String("files") || !NameRules::isValidName(name))
        return false;
    const QString trashFolder = parentOf(files);
    TrashEntry found;
    if (!readEntry(trashFolder, name + InfoSuffix, topFolderOfTrash(trashFolder), &found))
        return false;
    *entry = found;
    return true;
}

TrashResult Trash::restore(const TrashEntry &entry, RestoreMode mode) const
{
    const QString source = entry.filesPath();
    struct stat st {
    };
    if (!lstatPath(source, &st))
        return failure(QStringLiteral("ごみ箱に見つかりません: ") + entry.trashName);
    if (!QDir::isAbsolutePath(entry.originalPath) || entry.originalPath == QLatin1String("/"))
        return failure(QStringLiteral("元の場所がわかりません: ") + entry.trashName);
    const QString original = QDir::cleanPath(entry.originalPath);
    const QString folder = parentOf(original);
    const QString name = nameOf(original);
    if (!NameRules::isValidName(name))
        return failure(QStringLiteral("元の場所がわかりません: ") + entry.trashName);
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder))
        return failure(QStringLiteral("フォルダを作れませんでした: ") + folder);

    const QByteArray from = QFile::encodeName(source);
    for (int number = 1; number < 100000; ++number) {
        const QString target =
            joinPath(folder, NameRules::numberedName(name, number, S_ISDIR(st.st_mode)));
        int err = NameRules::renameNoReplace(from, QFile::encodeName(target));
        QString warning;
        if (err == EXDEV) {
            TreeCopier copier;
            QString copyError;
            const TreeCopier::Outcome outcome = copier.copyNew(source, target, &copyError);
            if (outcome == TreeCopier::Outcome::Taken) {
                err = EEXIST;
            } else if (outcome != TreeCopier::Outcome::Ok) {
                return failure(copyError);
            } else {
                err = 0;
                QString removeError;
                if (!TreeCopier::removeTree(source, &removeError))
                    warning =
                        QStringLiteral("ごみ箱の中の項目を削除できませんでした: ") + removeError;
            }
        }
        if (err == EEXIST) {
            if (mode == RestoreMode::RenameWhenTaken)
                continue;
            TrashResult taken = failure(QStringLiteral("同じ名前があります: ") + original);
            taken.targetExists = true;
            return taken;
        }
        if (err != 0)
            return failure(TreeCopier::systemError(target, err));
        ::unlink(QFile::encodeName(entry.infoPath()).constData());
        TrashResult done;
        done.ok = true;
        done.path = target;
        done.error = warning;
        return done;
    }
    return failure(QStringLiteral("同じ名前があります: ") + original);
}

TrashResult Trash::erase(const TrashEntry &entry) const
{
    QString error;
    struct stat st {
    };
    if (lstatPath(entry.filesPath(), &st) && !TreeCopier::removeTree(entry.filesPath(), &error))
        return failure(error);
    if (::unlink(QFile::encodeName(entry.infoPath()).constData()) != 0 && errno != ENOENT)
        return failure(TreeCopier::systemError(entry.infoPath(), errno));
    TrashResult done;
    done.ok = true;
    return done;
}

} // namespace kazari
