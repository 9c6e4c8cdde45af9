#include "core/decoration/stampprogram.h"

#include <QDir>

namespace kazari
{

QString StampProgram::choose(const QStringList &fileNames)
{
    static const QStringList skipped{QStringLiteral("epuninst.exe"),
                                     QStringLiteral("UnInstall.exe"), QStringLiteral("setup.exe"),
                                     QStringLiteral("unins000.exe")};
    for (const QString &name : fileNames) {
        if (!name.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
            continue;
        if (skipped.contains(name))
            continue;
        return name;
    }
    return QString();
}

QString StampProgram::find(const QString &folderPath)
{
    const QDir dir(folderPath);
    if (folderPath.isEmpty() || !dir.exists())
        return QString();
    return choose(dir.entryList({QStringLiteral("*.exe")},
                                QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted));
}

} // namespace kazari
