#include "core/itemlist/pathlistfile.h"

#include "core/app/shelllocation.h"
#include "core/platform/textfile.h"

#include <QDir>
#include <QFileInfo>

namespace kazari
{

namespace
{

bool existsHere(const QString &path)
{
    if (path.isEmpty() || ShellLocation::isWindowsPath(path) || !QDir::isAbsolutePath(path))
        return false;
    return QFileInfo::exists(path);
}

QStringList existing(const QString &file, QString (*pathOf)(const QString &))
{
    const TextFile::ReadResult r = TextFile::read(file);
    QStringList out;
    if (!r.found)
        return out;
    for (const QString &line : r.document.lines) {
        const QString path = pathOf(line);
        if (existsHere(path))
            out.append(path);
    }
    return out;
}

QString wholeLine(const QString &line)
{
    return line.trimmed();
}

} // namespace

QString PathListFile::foundListPath(const QString &line)
{
    const qsizetype at = line.indexOf(QLatin1String("=\""));
    return at < 0 ? line.trimmed() : line.left(at);
}

QStringList PathListFile::readListFile(const QString &file)
{
    return existing(file, &wholeLine);
}

QStringList PathListFile::readFoundList(const QString &file)
{
    return existing(file, &PathListFile::foundListPath);
}

} // namespace kazari
