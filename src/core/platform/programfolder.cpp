#include "core/platform/programfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

namespace kazari
{

namespace
{

QString clean(const QString &path)
{
    QString p = QDir::cleanPath(QDir(path).absolutePath());
    while (p.size() > 1 && p.endsWith(QLatin1Char('/')))
        p.chop(1);
    return p;
}

bool writable(const QString &dir)
{
    const QByteArray native = QFile::encodeName(dir);
    return ::access(native.constData(), W_OK | X_OK) == 0;
}

} // namespace

ProgramFolder::ProgramFolder(const QString &path)
    : m_path(path.isEmpty() ? QString() : clean(path))
{
}

QString ProgramFolder::choose(const QStringList &arguments, const QString &executableDir,
                              QString *error)
{
    QString named;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == QLatin1String("--program-folder") && i + 1 < arguments.size()) {
            named = arguments.at(i + 1);
            break;
        }
        if (a.startsWith(QLatin1String("--program-folder="))) {
            named = a.mid(17);
            break;
        }
    }
    auto fail = [error](const QString &message) {
        if (error)
            *error = message;
        return QString();
    };
    if (!named.isEmpty()) {
        QDir dir(named);
        if (!dir.exists() && !QDir().mkpath(named))
            return fail(QStringLiteral("プログラムフォルダを作れません: %1").arg(named));
        return clean(named);
    }
    if (!executableDir.isEmpty() && writable(executableDir))
        return clean(executableDir);

    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    const QString fallback = base + QStringLiteral("/kazari");
    if (!QDir().mkpath(fallback))
        return fail(QStringLiteral("プログラムフォルダを作れません: %1").arg(fallback));
    return clean(fallback);
}

QStringList ProgramFolder::withoutOption(const QStringList &arguments)
{
    QStringList out;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == QLatin1String("--program-folder")) {
            ++i;
            continue;
        }
        if (a.startsWith(QLatin1String("--program-folder=")))
            continue;
        out.append(a);
    }
    return out;
}

QString ProgramFolder::file(const QString &relative) const
{
    if (m_path == QLatin1String("/"))
        return m_path + relative;
    return m_path + QLatin1Char('/') + relative;
}

bool ProgramFolder::fileExists(const QString &relative) const
{
    return QFileInfo(file(relative)).isFile();
}

QString ProgramFolder::dataFile(const QString &relative) const
{
    const QString own = file(relative);
    if (QFileInfo::exists(own))
        return own;
    QStringList candidates;
    if (!m_executableDir.isEmpty()) {
        candidates << m_executableDir + QLatin1Char('/') + relative;
        candidates << m_executableDir + QStringLiteral("/../share/kazari/") + relative;
    }
    for (const QString &c : candidates) {
        if (QFileInfo::exists(c))
            return QDir::cleanPath(c);
    }
    return own;
}

bool ProgramFolder::isContainedName(const QString &relative)
{
    if (relative.isEmpty() || relative.contains(QChar(0)) || QDir::isAbsolutePath(relative))
        return false;
    const QStringList parts = relative.split(QLatin1Char('/'));
    for (const QString &part : parts) {
        if (part == QLatin1String(".."))
            return false;
    }
    return true;
}

} // namespace kazari
