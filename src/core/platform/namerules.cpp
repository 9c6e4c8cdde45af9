#include "core/platform/namerules.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kazari
{

namespace
{

QString errnoText(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

QString parentOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash <= 0)
        return QStringLiteral("/");
    return path.left(slash);
}

QString joinPath(const QString &folder, const QString &name)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

// Drops whole characters from the end of `text` until its UTF-8 form has at most `bytes`.
QString shortenTo(const QString &text, qsizetype bytes)
{
    QString out = text;
    while (!out.isEmpty() && out.toUtf8().size() > bytes) {
        out.chop(1);
        if (!out.isEmpty() && out.back().isHighSurrogate())
            out.chop(1);
    }
    return out;
}

NameResult fail(NameError error, const QString &path, const QString &message)
{
    NameResult r;
    r.error = error;
    r.path = path;
    r.message = message;
    return r;
}

NameResult systemFailure(int err, const QString &path)
{
    if (err == EEXIST)
        return fail(NameError::Exists, path, QStringLiteral("同じ名前があります: ") + path);
    return fail(NameError::System, path, path + QStringLiteral(": ") + errnoText(err));
}

} // namespace

QString NameRules::checkName(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("名前が空です。");
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("「.」と「..」は名前にできません。");
    if (name.contains(QLatin1Char('/')))
        return QStringLiteral("名前に「/」は使えません。");
    if (name.contains(QChar(0)))
        return QStringLiteral("名前に NUL 文字は使えません。");
    if (QFile::encodeName(name).size() > MaxNameBytes)
        return QStringLiteral("名前が長すぎます (255 バイトまで)。");
    return QString();
}

NameResult NameRules::createFolder(const QString &folder, const QString &name)
{
    const QString path = joinPath(folder, name);
    const QString problem = checkName(name);
    if (!problem.isEmpty())
        return fail(NameError::Invalid, path, problem);
    if (::mkdir(QFile::encodeName(path).constData(), 0777) != 0) {
        const int err = errno;
        if (err == ENOENT)
            return fail(NameError::Missing, path,
                        QStringLiteral("フォルダがありません: ") + folder);
        return systemFailure(err, path);
    }
    NameResult r;
    r.path = path;
    return r;
}

NameResult NameRules::createFile(const QString &folder, const QString &name)
{
    const QString path = joinPath(folder, name);
    const QString problem = checkName(name);
    if (!problem.isEmpty())
        return fail(NameError::Invalid, path, problem);
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) {
        const int err = errno;
        if (err == ENOENT)
            return fail(NameError::Missing, path,
                        QStringLiteral("フォルダがありません: ") + folder);
        return systemFailure(err, path);
    }
    if (::close(fd) != 0)
        return systemFailure(errno, path);
    NameResult r;
    r.path = path;
    return r;
}

NameResult NameRules::renameItem(const QString &path, const QString &newName)
{
    const QString folder = parentOf(path);
    const QString target = joinPath(folder, newName);
    const QString problem = checkName(newName);
    if (!problem.isEmpty())
        return fail(NameError::Invalid, target, problem);

    const QByteArray from = QFile::encodeName(path);
    struct stat source {
    };
    if (::lstat(from.constData(), &source) != 0)
        return fail(NameError::Missing, path, QStringLiteral("見つかりません: ") + path);
    NameResult done;
    done.path = target;
    if (target == path)
        return done;

    const QByteArray to = QFile::encodeName(target);
    const int err = renameNoReplace(from, to);
    if (err == 0)
        return done;
    if (err != EEXIST)
        return systemFailure(err, target);

    // A file system that folds case finds the item itself under the new spelling. Only a
    // pure change of letter case is carried out, through a temporary name.
    struct stat taken {
    };
    const bool sameItem = ::lstat(to.constData(), &taken) == 0 && taken.st_dev == source.st_dev &&
                          taken.st_ino == source.st_ino;
    const QString oldName = path.mid(folder.size() + (folder.endsWith(QLatin1Char('/')) ? 0 : 1));
    if (!sameItem || oldName.compare(newName, Qt::CaseInsensitive) != 0)
        return systemFailure(EEXIST, target);
    for (int i = 0; i < 100; ++i) {
        const QByteArray temp = QFile::encodeName(
            joinPath(folder, QStringLiteral(".kazari-rename-%1-%2").arg(::getpid()).arg(i)));
        const int tempErr = renameNoReplace(from, temp);
        if (tempErr == EEXIST)
            continue;
        if (tempErr != 0)
            return systemFailure(tempErr, target);
        const int finalErr = renameNoReplace(temp, to);
        if (finalErr == 0)
            return done;
        ::rename(temp.constData(), from.constData());
        return systemFailure(finalErr, target);
    }
    return systemFailure(EEXIST, target);
}

int NameRules::renameNoReplace(const QByteArray &from, const QByteArray &to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    const int err = errno;
    if (err != EINVAL && err != ENOSYS && err != EOPNOTSUPP)
        return err;

    // EINVAL also means "a folder into itself"; the plain rename below reports that again.
    struct stat source {
    };
    struct stat target {
    };
    if (::lstat(from.constData(), &source) != 0)
        return errno;
    if (::lstat(to.constData(), &target) == 0)
        return EEXIST;
    if (!S_ISDIR(source.st_mode)) {
        if (::link(from.constData(), to.constData()) == 0) {
            if (::unlink(from.constData()) == 0)
                return 0;
            const int unlinkErr = errno;
            ::unlink(to.constData());
            return unlinkErr;
        }
        if (errno == EEXIST || errno == EXDEV)
            return errno;
    }
    if (::lstat(to.constData(), &target) == 0)
        return EEXIST;
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

QString NameRules::numberedName(const QString &name, int number, bool isFolder, int maxBytes)
{
    QString stem = name;
    QString extension;
    if (!isFolder) {
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        if (dot > 0 && dot < name.size() - 1) {
            stem = name.left(dot);
            extension = name.mid(dot);
        }
    }
    const QString suffix =
        number <= 1 ? QString() : QStringLiteral(" (") + QString::number(number) + QLatin1Char(')');
    const qsizetype fixed = (suffix + extension).toUtf8().size();
    if ((stem + suffix + extension).toUtf8().size() <= maxBytes)
        return stem + suffix + extension;
    if (fixed >= maxBytes) {
        // An extension too long to keep: shorten the whole name instead.
        return shortenTo(name, maxBytes - suffix.toUtf8().size()) + suffix;
    }
    return shortenTo(stem, maxBytes - fixed) + suffix + extension;
}

} // namespace kazari
