#include "core/viewer/viewertext.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kazari
{

namespace
{

QStringList splitViewText(const QString &text)
{
    if (text.isEmpty())
        return {};
    QString normal = text;
    normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normal.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return normal.split(QLatin1Char('\n'));
}

bool sameFile(const QString &a, const QString &b)
{
    struct stat sa {
    }, sb{};
    if (::stat(QFile::encodeName(a).constData(), &sa) != 0 ||
        ::stat(QFile::encodeName(b).constData(), &sb) != 0)
        return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool existsAsAnything(const QString &path)
{
    struct stat st {
    };
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

} // namespace

ViewerText::LoadResult ViewerText::load(const QString &path, qint64 limit)
{
    LoadResult result;
    result.shown.path = path;
    // O_NONBLOCK so that a named pipe never blocks the open; only regular files are read.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        result.error = QString::fromLocal8Bit(std::strerror(errno));
        return result;
    }
    struct stat st {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        result.error = QStringLiteral("通常のファイルではありません: %1").arg(path);
        return result;
    }
    result.size = st.st_size;
    if (result.size >= limit) {
        ::close(fd);
        result.tooLarge = true;
        return result;
    }
    // The file may grow between the size check and the read: never take more than the
    // limit.
    QByteArray bytes;
    bytes.resize(qsizetype(qMin(limit, result.size + 1)));
    qsizetype got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got >= limit)
                break;
            bytes.resize(qsizetype(qMin(limit, 2 * qint64(got) + 4096)));
        }
        const ssize_t n = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            result.error = QString::fromLocal8Bit(std::strerror(errno));
            ::close(fd);
            return result;
        }
        if (n == 0)
            break;
        got += n;
    }
    ::close(fd);
    if (got >= limit) {
        result.size = got;
        result.tooLarge = true;
        return result;
    }
    bytes.truncate(got);
    result.size = got;
    result.shown.document = TextFile::decode(bytes);
    result.shown.loadedAsText = true;
    result.text = viewText(result.shown);
    result.ok = true;
    return result;
}

QString ViewerText::viewText(const ShownText &shown)
{
    return shown.document.lines.join(QLatin1Char('\n'));
}

QString ViewerText::overwriteQuestion(const QString &target)
{
    return QStringLiteral(
               "%1\nこのファイルはテキストとして読み込まれていません。\n上書きしますか？")
        .arg(target);
}

ViewerText::SaveResult ViewerText::save(const QString &target, const QString &text,
                                        const ShownText &shown, const Confirm &confirm)
{
    SaveResult result;
    const bool ownText = shown.loadedAsText && sameFile(target, shown.path);
    if (!ownText && existsAsAnything(target)) {
        if (!confirm || !confirm(overwriteQuestion(target))) {
            result.declined = true;
            return result;
        }
    }

    TextDocument document;
    if (shown.loadedAsText) {
        document.format = shown.document.format;
        document.undecodable = shown.document.undecodable;
        document.lines = text == viewText(shown) ? shown.document.lines : splitViewText(text);
    } else {
        document.lines = splitViewText(text);
    }
    result.ok = TextFile::write(target, document, &result.error);
    return result;
}

} // namespace kazari
