#include "core/app/firstfolder.h"

#include "core/app/shelllocation.h"

#include <QDir>
#include <QFileInfo>

namespace kazari
{

QString FirstFolder::folderKey(const QString &path)
{
    QString p = QDir::cleanPath(QDir(path).absolutePath());
    if (!p.endsWith(QLatin1Char('/')))
        p += QLatin1Char('/');
    return p;
}

FirstFolder FirstFolder::choose(const QStringList &arguments, const QString &lastPath,
                                const QString &programFolder)
{
    FirstFolder result;
    const QString arg = arguments.isEmpty() ? QString() : arguments.first();

    if (arg.compare(QLatin1String("/ShowFoundList"), Qt::CaseInsensitive) == 0) {
        result.kind = FoundList;
        result.path = folderKey(programFolder);
        return result;
    }
    if (!arg.isEmpty() && !ShellLocation::isWindowsPath(arg)) {
        const QFileInfo info(arg);
        if (info.isSymLink()) {
            // A link plays the part of a shortcut: its target is opened when it is a
            // folder; a link to a file falls back to the last folder.
            const QFileInfo target(info.symLinkTarget());
            if (target.isDir()) {
                result.path = folderKey(target.absoluteFilePath());
                return result;
            }
        } else if (info.isDir()) {
            result.path = folderKey(info.absoluteFilePath());
            return result;
        }
    }

    const QString last = lastPath.trimmed();
    if (!last.isEmpty() && !ShellLocation::isShellLocation(last) &&
        !ShellLocation::isWindowsPath(last) && QDir::isAbsolutePath(last) &&
        QFileInfo(last).isDir()) {
        result.path = folderKey(last);
        return result;
    }
    if (ShellLocation::same(last, ShellLocation::computer()) ||
        ShellLocation::same(last, ShellLocation::network())) {
        result.kind = ShellLocation;
        result.path = ShellLocation::normalized(last);
        return result;
    }
    result.path = folderKey(programFolder);
    return result;
}

} // namespace kazari
