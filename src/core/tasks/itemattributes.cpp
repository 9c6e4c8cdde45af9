#include "core/tasks/itemattributes.h"

#include "core/itemlist/fileattributes.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace kazari
{

int ItemAttributes::bits() const
{
    return (readOnly ? ReadOnly : 0) | (hidden ? Hidden : 0) | (system ? System : 0) |
           (volume ? Volume : 0) | (folder ? Folder : 0) | (archive ? Archive : 0);
}

ItemAttributes ItemAttributes::read(const QString &path)
{
    ItemAttributes a;
    const QFileInfo info(path);
    if (path.isEmpty() || (!info.exists() && !info.isSymLink()))
        return a;
    a.readable = true;
    a.folder = info.isDir();
    a.hidden = info.fileName().startsWith(QLatin1Char('.'));
    a.readOnly = !(info.permissions() & QFileDevice::WriteOwner);
    a.system = FileAttributes::isSystem(path);
    return a;
}

bool ItemAttributes::apply(const QString &path, const ItemAttributes &wanted, QString *error)
{
    const ItemAttributes now = read(path);
    QStringList failed;
    if (!now.readable) {
        failed.append(QStringLiteral("項目が見つかりません: %1").arg(path));
    } else {
        if (!now.folder && now.readOnly != wanted.readOnly) {
            // The "User" flags describe the running user's access; Qt would write them back
            // as owner bits, so only the owner, group and other flags are kept.
            QFileDevice::Permissions p =
                QFile::permissions(path) &
                ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
            if (wanted.readOnly)
                p &= ~QFileDevice::WriteOwner;
            else
                p |= QFileDevice::WriteOwner;
            if (!QFile::setPermissions(path, p) || read(path).readOnly != wanted.readOnly)
                failed.append(QStringLiteral("読み出し専用を変更できませんでした: %1").arg(path));
        }
        if (now.system != wanted.system && !FileAttributes::setSystem(path, wanted.system))
            failed.append(QStringLiteral("システム属性を変更できませんでした: %1").arg(path));
    }
    if (failed.isEmpty())
        return true;
    if (error)
        *error = failed.join(QLatin1Char('\n'));
    return false;
}

QString ItemAttributes::sizeText(qint64 bytes)
{
    return QString::number(bytes) + QStringLiteral(" Byte");
}

} // namespace kazari
