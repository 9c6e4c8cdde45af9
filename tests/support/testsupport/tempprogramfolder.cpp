#include "testsupport/tempprogramfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kazari::test
{

TempProgramFolder::TempProgramFolder()
    : m_dir(QDir::tempPath() + QStringLiteral("/kazari-test-XXXXXX"))
{
}

bool TempProgramFolder::writeBytes(const QString &relative, const QByteArray &bytes) const
{
    const QString path = file(relative);
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

QByteArray TempProgramFolder::readBytes(const QString &relative) const
{
    QFile f(file(relative));
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

bool TempProgramFolder::exists(const QString &relative) const
{
    return QFileInfo::exists(file(relative));
}

} // namespace kazari::test
