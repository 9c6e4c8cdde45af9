#include "core/navigation/navigation.h"

#include "core/app/shelllocation.h"

#include <QDir>
#include <QFileInfo>

namespace kazari
{

namespace
{

bool isSeparator(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}

QString chopSeparators(QString p)
{
    while (!p.isEmpty() && isSeparator(p.back()))
        p.chop(1);
    return p;
}

// "C:" and "C:\" are drive roots; "\\server\share" is the root of a network share.
bool isWindowsRoot(const QString &path)
{
    const QString p = chopSeparators(path);
    if (path.startsWith(QLatin1String("\\\\"))) {
        QString rest = p.mid(2);
        rest.replace(QLatin1Char('/'), QLatin1Char('\\'));
        return rest.split(QLatin1Char('\\'), Qt::SkipEmptyParts).size() <= 2;
    }
    return p.size() == 2 && p.at(1) == QLatin1Char(':');
}

} // namespace

bool Navigation::isWindowsPath(const QString &path)
{
    return ShellLocation::isWindowsPath(path);
}

bool Navigation::isShellLocation(const QString &path)
{
    return ShellLocation::isShellLocation(path);
}

bool Navigation::isNativePath(const QString &path)
{
    return path.startsWith(QLatin1Char('/')) && !isIdentifier(path) && !path.contains(QChar(u'\0'));
}

QString Navigation::withoutTrailingSeparator(const QString &path)
{
    if (path.isEmpty())
        return path;
    if (isWindowsPath(path)) {
        if (isWindowsRoot(path) && !path.startsWith(QLatin1String("\\\\"))) {
            // A drive root keeps its separator: "C:" alone would mean the drive's
            // working folder.
            return path.left(2) + QLatin1Char('\\');
        }
        return chopSeparators(path);
    }
    if (isShellLocation(path))
        return chopSeparators(path);
    return QDir::cleanPath(path);
}

QString Navigation::folderKey(const QString &path)
{
    if (path.isEmpty())
        return QString();
    if (isIdentifier(path)) {
        if (isSeparator(path.back()))
            return path;
        return path + (isWindowsPath(path) ? QLatin1Char('\\') : QLatin1Char('/'));
    }
    if (!isNativePath(path))
        return QString();
    QString p = QDir::cleanPath(path);
    if (p != QLatin1String("/"))
        p += QLatin1Char('/');
    return p;
}

bool Navigation::samePath(const QString &a, const QString &b)
{
    const QString x = withoutTrailingSeparator(a);
    const QString y = withoutTrailingSeparator(b);
    if (isIdentifier(x) || isIdentifier(y))
        return x.compare(y, Qt::CaseInsensitive) == 0;
    return x == y;
}

bool Navigation::isRoot(const QString &path)
{
    if (path == QLatin1String("/"))
        return true;
    return isWindowsPath(path) && isWindowsRoot(path);
}

QString Navigation::parentKey(const QString &folder)
{
    if (folder.isEmpty())
        return QString();
    if (isShellLocation(folder))
        return folderKey(folder);
    if (isWindowsPath(folder)) {
        const QString p = withoutTrailingSeparator(folder);
        if (isWindowsRoot(p))
            return folderKey(p);
        qsizetype cut = p.size() - 1;
        while (cut >= 0 && !isSeparator(p.at(cut)))
            --cut;
        return p.left(cut + 1);
    }
    if (!isNativePath(folder))
        return QString();
    const QString p = QDir::cleanPath(folder);
    if (p == QLatin1String("/"))
        return p;
    const qsizetype cut = p.lastIndexOf(QLatin1Char('/'));
    return folderKey(cut <= 0 ? QStringLiteral("/") : p.left(cut));
}

Navigation::UpTarget Navigation::up(const QString &currentFolder, bool listFileMode,
                                    const ProgramFolder &programFolder)
{
    if (listFileMode)
        return {UpTarget::ListFile, programFolder.file(listFileRelativePath())};
    return {UpTarget::Folder, parentKey(currentFolder)};
}

Navigation::Target Navigation::OpenPath(const QString &path)
{
    if (!isNativePath(path))
        return {};
    const QString p = withoutTrailingSeparator(path);
    const QFileInfo info(p);
    if (info.isDir())
        return {Target::Folder, folderKey(p), QString()};
    if (info.isFile())
        return {Target::File, p, info.path()};
    return {};
}

Navigation::Target Navigation::pathBoxTarget(const QString &text)
{
    Target target;
    if (isShellLocation(text)) {
        for (const QString &known : {ShellLocation::computer(), ShellLocation::network(),
                                     ShellLocation::recycleBin(), ShellLocation::controlPanel()}) {
            if (ShellLocation::same(text, known))
                target = {Target::ShellLocation, known, QString()};
        }
    } else {
        target = OpenPath(text);
    }
    const QString trimmed = text.trimmed();
    if (target.kind == Target::Nothing && trimmed != text)
        return pathBoxTarget(trimmed);
    return target;
}

} // namespace kazari
