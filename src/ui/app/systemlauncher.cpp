#include "ui/app/systemlauncher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace kazari
{

bool SystemLauncher::openWithDefault(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool SystemLauncher::startDetached(const QString &program, const QStringList &arguments,
                                   const QString &workingFolder)
{
    return QProcess::startDetached(program, arguments, workingFolder);
}

} // namespace kazari
