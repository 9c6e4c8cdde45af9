#include "core/platform/pathpresence.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace kazari
{

PathPresence::State PathPresence::of(const QString &path)
{
    const QString clean = QDir::cleanPath(path);
    if (!clean.startsWith(QLatin1Char('/')))
        return State::Unreachable;
    struct stat st {
    };
    if (::lstat(QFile::encodeName(clean).constData(), &st) == 0)
        return State::Present;
    if (errno != ENOENT)
        return State::Unreachable;
    const qsizetype slash = clean.lastIndexOf(QLatin1Char('/'));
    const QByteArray parent =
        QFile::encodeName(slash == 0 ? QStringLiteral("/") : clean.left(slash));
    // Below a disk that is not plugged in, the parents are missing too.
    if (::stat(parent.constData(), &st) != 0 || !S_ISDIR(st.st_mode) ||
        ::access(parent.constData(), R_OK | X_OK) != 0)
        return State::Unreachable;
    return State::Gone;
}

} // namespace kazari
