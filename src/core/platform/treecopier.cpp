#include "core/platform/treecopier.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace kazari
{

namespace
{

constexpr qint64 ChunkBytes = qint64(8) << 20;
constexpr int BufferBytes = 1 << 20;
constexpr int MaxDepth = 2048;

// Closes a descriptor when it goes out of scope.
class Fd
{
public:
    explicit Fd(int fd = -1)
        : m_fd(fd)
    {
    }
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int get() const { return m_fd; }
    // Closes now and reports the result (a delayed write error shows here).
    int close()
    {
        const int r = ::close(m_fd);
        m_fd = -1;
        return r;
    }

private:
    int m_fd;
};

class Dir
{
public:
    explicit Dir(DIR *dir)
        : m_dir(dir)
    {
    }
    ~Dir()
    {
        if (m_dir)
            ::closedir(m_dir);
    }
    Dir(const Dir &) = delete;
    Dir &operator=(const Dir &) = delete;
    DIR *get() const { return m_dir; }

private:
    DIR *m_dir;
};

QByteArray join(const QByteArray &folder, const char *name)
{
    QByteArray out;
    out.reserve(folder.size() + 1 + qsizetype(std::strlen(name)));
    out.append(folder);
    if (!folder.endsWith('/'))
        out.append('/');
    out.append(name);
    return out;
}

bool isDotOrDotDot(const char *name)
{
    return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0));
}

QString decode(const QByteArray &path)
{
    return QFile::decodeName(path);
}

// Copies the "user." extended attributes; they carry Kazari's own item flags. Failures are
// ignored: a target file system without them simply does not keep them.
void copyUserAttributes(const QByteArray &source, const QByteArray &target)
{
    char names[4096];
    const ssize_t length = ::llistxattr(source.constData(), names, sizeof names);
    if (length <= 0)
        return;
    QByteArray value;
    for (ssize_t i = 0; i < length;) {
        const char *name = names + i;
        i += ssize_t(std::strlen(name)) + 1;
        if (std::strncmp(name, "user.", 5) != 0)
            continue;
        const ssize_t size = ::lgetxattr(source.constData(), name, nullptr, 0);
        if (size < 0)
            continue;
        value.resize(qsizetype(size));
        const ssize_t got = ::lgetxattr(source.constData(), name, value.data(), size_t(size));
        if (got >= 0)
            ::lsetxattr(target.constData(), name, value.constData(), size_t(got), 0);
    }
}

// Owner (where allowed), permission bits, attributes and times of `target` from `st`, for
// entries other than regular files (those are finished through their descriptor).
bool finishEntry(const QByteArray &source, const QByteArray &target, const struct stat &st,
                 QString *error)
{
    const char *path = target.constData();
    if (::lchown(path, st.st_uid, st.st_gid) != 0) {
        // Not permitted for ordinary users; the copy belongs to whoever made it.
    }
    if (!S_ISLNK(st.st_mode)) {
        if (::chmod(path, st.st_mode & 07777) != 0) {
            *error = TreeCopier::systemError(decode(target), errno);
            return false;
        }
        copyUserAttributes(source, target);
    }
    // Link times cannot be set on every file system; the link itself is what matters.
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    if (::utimensat(AT_FDCWD, path, times, AT_SYMLINK_NOFOLLOW) != 0 && !S_ISLNK(st.st_mode)) {
        *error = TreeCopier::systemError(decode(target), errno);
        return false;
    }
    return true;
}

// `isFolder`: 1 or 0 when the caller knows from the folder listing, -1 when it does not.
bool removeAt(int parent, const char *name, const QByteArray &path, int isFolder, QString *error)
{
    if (isFolder < 0) {
        struct stat st {
        };
        if (::fstatat(parent, name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
            *error = TreeCopier::systemError(decode(path), errno);
            return false;
        }
        isFolder = S_ISDIR(st.st_mode) ? 1 : 0;
    }
    if (isFolder == 0) {
        if (::unlinkat(parent, name, 0) == 0)
            return true;
        *error = TreeCopier::systemError(decode(path), errno);
        return false;
    }
    const int fd = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        *error = TreeCopier::systemError(decode(path), errno);
        return false;
    }
    Dir dir(::fdopendir(fd));
    if (!dir.get()) {
        ::close(fd);
        *error = TreeCopier::systemError(decode(path), errno);
        return false;
    }
    while (const dirent *entry = ::readdir(dir.get())) {
        if (isDotOrDotDot(entry->d_name))
            continue;
        const int hint = entry->d_type == DT_UNKNOWN ? -1 : (entry->d_type == DT_DIR ? 1 : 0);
        if (!removeAt(::dirfd(dir.get()), entry->d_name, join(path, entry->d_name), hint, error))
            return false;
    }
    if (::unlinkat(parent, name, AT_REMOVEDIR) != 0) {
        *error = TreeCopier::systemError(decode(path), errno);
        return false;
    }
    return true;
}

QString notWritableText(const QByteArray &folder)
{
    return QStringLiteral("書き込みできません: ") + decode(folder);
}

QString stickyText(const QByteArray &entry)
{
    return QStringLiteral("ほかのユーザーの項目です (スティッキービット): ") + decode(entry);
}

void scanInto(const QByteArray &path, const struct stat &st, bool checkRemovable,
              const std::atomic_bool *cancel, TreeCopier::Scan *scan)
{
    ++scan->entries;
    if (S_ISREG(st.st_mode))
        scan->bytes += st.st_size;
    if (!S_ISDIR(st.st_mode))
        return;
    if (checkRemovable && scan->unremovable.isEmpty() &&
        ::access(path.constData(), W_OK | X_OK) != 0)
        scan->unremovable = notWritableText(path);
    const uid_t uid = ::geteuid();
    Dir dir(::opendir(path.constData()));
    if (!dir.get()) {
        if (scan->error.isEmpty())
            scan->error = TreeCopier::systemError(decode(path), errno);
        return;
    }
    while (const dirent *entry = ::readdir(dir.get())) {
        if (isDotOrDotDot(entry->d_name))
            continue;
        if (cancel && cancel->load(std::memory_order_relaxed)) {
            scan->cancelled = true;
            return;
        }
        struct stat child {
        };
        if (::fstatat(::dirfd(dir.get()), entry->d_name, &child, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (checkRemovable && scan->unremovable.isEmpty() &&
            !TreeCopier::stickyAllowsRemoval(st, child.st_uid, uid))
            scan->unremovable = stickyText(join(path, entry->d_name));
        scanInto(join(path, entry->d_name), child, checkRemovable, cancel, scan);
        if (scan->cancelled)
            return;
    }
}

} // namespace

TreeCopier::TreeCopier(const std::atomic_bool *cancel)
    : m_cancel(cancel)
{
}

QString TreeCopier::systemError(const QString &path, int err)
{
    return path + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(err));
}

bool TreeCopier::isCancelled() const
{
    return m_cancel && m_cancel->load(std::memory_order_relaxed);
}

void TreeCopier::reportBytes(qint64 bytes, const QByteArray &path)
{
    if (m_progress)
        m_progress(bytes, path);
}

TreeCopier::Outcome TreeCopier::copyNew(const QString &source, const QString &target,
                                        QString *error)
{
    const QByteArray from = QFile::encodeName(source);
    const QByteArray to = QFile::encodeName(target);
    m_createdTarget = false;
    const Outcome outcome = copyEntry(from, to, 0, error);
    if ((outcome == Outcome::Failed || outcome == Outcome::Cancelled) && m_createdTarget) {
        QString ignored;
        removeTree(target, &ignored);
    }
    return outcome;
}

TreeCopier::Outcome TreeCopier::replace(const QString &source, const QString &target,
                                        QString *error)
{
    const qsizetype slash = target.lastIndexOf(QLatin1Char('/'));
    const QString folder = slash <= 0 ? QStringLiteral("/") : target.left(slash);
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const QString temp = folder + QStringLiteral("/.kazari-%1-%2.part")
                                          .arg(::getpid())
                                          .arg(quintptr(this) % 100000 + quintptr(attempt));
        const Outcome outcome = copyNew(source, temp, error);
        if (outcome == Outcome::Taken)
            continue;
        if (outcome != Outcome::Ok)
            return outcome;
        if (::rename(QFile::encodeName(temp).constData(), QFile::encodeName(target).constData()) !=
            0) {
            *error = systemError(target, errno);
            QString ignored;
            removeTree(temp, &ignored);
            return Outcome::Failed;
        }
        return Outcome::Ok;
    }
    *error = systemError(target, EEXIST);
    return Outcome::Failed;
}

TreeCopier::Outcome TreeCopier::copyEntry(const QByteArray &source, const QByteArray &target,
                                          int depth, QString *error)
{
    if (isCancelled())
        return Outcome::Cancelled;
    struct stat st {
    };
    if (::lstat(source.constData(), &st) != 0) {
        *error = systemError(decode(source), errno);
        return Outcome::Failed;
    }
    reportBytes(0, source);

    if (S_ISREG(st.st_mode))
        return copyFile(source, target, error);

    if (S_ISDIR(st.st_mode)) {
        if (depth > MaxDepth ||
            m_createdFolders.contains({quint64(st.st_dev), quint64(st.st_ino)})) {
            *error =
                QStringLiteral("フォルダをそれ自体の中にはコピーできません: ") + decode(source);
            return Outcome::Failed;
        }
        // Private until finished: nobody else writes into a half-made copy.
        if (::mkdir(target.constData(), 0700) != 0) {
            if (errno == EEXIST && depth == 0)
                return Outcome::Taken;
            *error = systemError(decode(target), errno);
            return Outcome::Failed;
        }
        m_createdTarget = true;
        struct stat made {
        };
        if (::lstat(target.constData(), &made) == 0)
            m_createdFolders.insert({quint64(made.st_dev), quint64(made.st_ino)});
        QList<QByteArray> names;
        if (!entryNames(decode(source), &names, error))
            return Outcome::Failed;
        for (const QByteArray &name : names) {
            const Outcome outcome = copyEntry(join(source, name.constData()),
                                              join(target, name.constData()), depth + 1, error);
            if (outcome == Outcome::Taken) {
                *error = systemError(decode(join(target, name.constData())), EEXIST);
                return Outcome::Failed;
            }
            if (outcome != Outcome::Ok)
                return outcome;
        }
        return finishEntry(source, target, st, error) ? Outcome::Ok : Outcome::Failed;
    }

    if (S_ISLNK(st.st_mode)) {
        QByteArray link(qsizetype(st.st_size > 0 ? st.st_size : 255) + 1, Qt::Uninitialized);
        ssize_t length = 0;
        for (;;) {
            length = ::readlink(source.constData(), link.data(), size_t(link.size()));
            if (length < 0) {
                *error = systemError(decode(source), errno);
                return Outcome::Failed;
            }
            if (length < link.size())
                break;
            link.resize(link.size() * 2);
        }
        link.truncate(qsizetype(length));
        if (::symlink(link.constData(), target.constData()) != 0) {
            if (errno == EEXIST && depth == 0)
                return Outcome::Taken;
            *error = systemError(decode(target), errno);
            return Outcome::Failed;
        }
        m_createdTarget = true;
        return finishEntry(source, target, st, error) ? Outcome::Ok : Outcome::Failed;
    }

    // Fifos, sockets and device nodes: made anew, not read.
    if (::mknod(target.constData(), st.st_mode & (S_IFMT | 0700), st.st_rdev) != 0) {
        if (errno == EEXIST && depth == 0)
            return Outcome::Taken;
        *error = systemError(decode(target), errno);
        return Outcome::Failed;
    }
    m_createdTarget = true;
    return finishEntry(source, target, st, error) ? Outcome::Ok : Outcome::Failed;
}

TreeCopier::Outcome TreeCopier::copyFile(const QByteArray &source, const QByteArray &target,
                                         QString *error)
{
    Fd in(::open(source.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (in.get() < 0) {
        *error = systemError(decode(source), errno);
        return Outcome::Failed;
    }
    struct stat st {
    };
    if (::fstat(in.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        *error = systemError(decode(source), S_ISREG(st.st_mode) ? errno : EINVAL);
        return Outcome::Failed;
    }
    Fd out(::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (out.get() < 0) {
        if (errno == EEXIST)
            return Outcome::Taken;
        *error = systemError(decode(target), errno);
        return Outcome::Failed;
    }
    m_createdTarget = true;
    auto failed = [&](Outcome outcome) {
        ::unlink(target.constData());
        return outcome;
    };
    const bool sparse = qint64(st.st_blocks) * 512 < qint64(st.st_size);
    const Outcome data = copyData(in.get(), out.get(), st.st_size, sparse, source, error);
    if (data != Outcome::Ok)
        return failed(data);
    if (::fchown(out.get(), st.st_uid, st.st_gid) != 0) {
        // Not permitted for ordinary users; the copy belongs to whoever made it.
    }
    if (::fchmod(out.get(), st.st_mode & 07777) != 0) {
        *error = systemError(decode(target), errno);
        return failed(Outcome::Failed);
    }
    copyUserAttributes(source, target);
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    if (::futimens(out.get(), times) != 0 || out.close() != 0) {
        *error = systemError(decode(target), errno);
        return failed(Outcome::Failed);
    }
    return Outcome::Ok;
}

TreeCopier::Outcome TreeCopier::copyData(int in, int out, qint64 size, bool sparse,
                                         const QByteArray &path, QString *error)
{
    if (size <= 0)
        return Outcome::Ok;
    if (!sparse)
        return copyRange(in, out, 0, size, path, error);

    qint64 offset = 0;
    qint64 holes = 0;
    while (offset < size) {
        const off_t data = ::lseek(in, off_t(offset), SEEK_DATA);
        if (data < 0) {
            if (errno == ENXIO) {
                holes += size - offset;
                break;
            }
            // No hole support after all: copy the rest as it reads.
            const Outcome rest = copyRange(in, out, offset, size - offset, path, error);
            if (rest != Outcome::Ok)
                return rest;
            offset = size;
            break;
        }
        off_t hole = ::lseek(in, data, SEEK_HOLE);
        if (hole < 0 || hole > size)
            hole = off_t(size);
        holes += qint64(data) - offset;
        const Outcome part = copyRange(in, out, data, qint64(hole) - qint64(data), path, error);
        if (part != Outcome::Ok)
            return part;
        offset = hole;
    }
    if (::ftruncate(out, off_t(size)) != 0) {
        *error = systemError(decode(path), errno);
        return Outcome::Failed;
    }
    reportBytes(holes, path);
    return Outcome::Ok;
}

TreeCopier::Outcome TreeCopier::copyRange(int in, int out, qint64 offset, qint64 length,
                                          const QByteArray &path, QString *error)
{
    qint64 done = 0;
    while (m_useCopyRange && done < length) {
        if (isCancelled())
            return Outcome::Cancelled;
        off_t inOffset = off_t(offset + done);
        off_t outOffset = inOffset;
        const ssize_t n = ::copy_file_range(in, &inOffset, out, &outOffset,
                                            size_t(std::min(length - done, ChunkBytes)), 0);
        if (n > 0) {
            done += n;
            reportBytes(n, path);
            continue;
        }
        if (n == 0)
            break; // end of file, or a file system that reports nothing: read it below
        if (errno == EINTR)
            continue;
        if (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP ||
            errno == EBADF || errno == ETXTBSY) {
            if (done == 0)
                m_useCopyRange = false;
            break;
        }
        *error = systemError(decode(path), errno);
        return Outcome::Failed;
    }

    if (done < length && m_buffer.isEmpty())
        m_buffer.resize(BufferBytes);
    while (done < length) {
        if (isCancelled())
            return Outcome::Cancelled;
        const ssize_t got =
            ::pread(in, m_buffer.data(), size_t(std::min<qint64>(length - done, m_buffer.size())),
                    off_t(offset + done));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            *error = systemError(decode(path), errno);
            return Outcome::Failed;
        }
        if (got == 0)
            break; // the file became shorter while it was copied
        for (ssize_t written = 0; written < got;) {
            const ssize_t w = ::pwrite(out, m_buffer.constData() + written, size_t(got - written),
                                       off_t(offset + done + written));
            if (w < 0) {
                if (errno == EINTR)
                    continue;
                *error = systemError(decode(path), errno);
                return Outcome::Failed;
            }
            written += w;
        }
        done += got;
        reportBytes(got, path);
    }
    return Outcome::Ok;
}

bool TreeCopier::removeTree(const QString &path, QString *error)
{
    const QByteArray native = QFile::encodeName(path);
    const qsizetype slash = native.lastIndexOf('/');
    const QByteArray parent = slash <= 0 ? QByteArray("/") : native.left(slash);
    const QByteArray name = native.mid(slash + 1);
    if (name.isEmpty() || name == "." || name == "..") {
        *error = systemError(path, EINVAL);
        return false;
    }
    Fd parentFd(::open(parent.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (parentFd.get() < 0) {
        *error = systemError(decode(parent), errno);
        return false;
    }
    return removeAt(parentFd.get(), name.constData(), native, -1, error);
}

TreeCopier::Scan TreeCopier::scan(const QString &path, bool checkRemovable,
                                  const std::atomic_bool *cancel)
{
    Scan result;
    const QByteArray native = QFile::encodeName(path);
    struct stat st {
    };
    if (::lstat(native.constData(), &st) != 0) {
        result.error = systemError(path, errno);
        return result;
    }
    if (checkRemovable) {
        const qsizetype slash = native.lastIndexOf('/');
        const QByteArray parent = slash <= 0 ? QByteArray("/") : native.left(slash);
        struct stat folder {
        };
        if (::access(parent.constData(), W_OK | X_OK) != 0)
            result.unremovable = notWritableText(parent);
        else if (::stat(parent.constData(), &folder) == 0 &&
                 !stickyAllowsRemoval(folder, st.st_uid, ::geteuid()))
            result.unremovable = stickyText(native);
    }
    scanInto(native, st, checkRemovable, cancel, &result);
    return result;
}

bool TreeCopier::stickyAllowsRemoval(const struct stat &folder, uid_t entryOwner, uid_t uid)
{
    return !(folder.st_mode & S_ISVTX) || uid == 0 || uid == entryOwner || uid == folder.st_uid;
}

bool TreeCopier::entryNames(const QString &path, QList<QByteArray> *names, QString *error)
{
    Dir dir(::opendir(QFile::encodeName(path).constData()));
    if (!dir.get()) {
        *error = systemError(path, errno);
        return false;
    }
    errno = 0;
    while (const dirent *entry = ::readdir(dir.get())) {
        if (!isDotOrDotDot(entry->d_name))
            names->append(QByteArray(entry->d_name));
    }
    if (errno != 0) {
        *error = systemError(path, errno);
        return false;
    }
    return true;
}

} // namespace kazari
