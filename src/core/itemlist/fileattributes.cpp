#include "core/itemlist/fileattributes.h"

#include <QFile>
#include <QFileInfo>

#include <sys/xattr.h>

namespace kazari
{

bool FileAttributes::isSystem(const QString &path)
{
    const QByteArray encoded = QFile::encodeName(path);
    char value[8] = {};
    const ssize_t n = ::lgetxattr(encoded.constData(), systemAttributeName(), value, sizeof value);
    return n == 1 && value[0] == '1';
}

bool FileAttributes::setSystem(const QString &path, bool on)
{
    const QByteArray encoded = QFile::encodeName(path);
    if (on)
        return ::lsetxattr(encoded.constData(), systemAttributeName(), "1", 1, 0) == 0;
    return ::lremovexattr(encoded.constData(), systemAttributeName()) == 0 || errno == ENODATA;
}

CaptionAttributes FileAttributes::captionAttributes(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return CaptionAttributes();
    return CaptionAttributes::fromFileInfo(info, isSystem(path));
}

} // namespace kazari
