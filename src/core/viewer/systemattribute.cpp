#include "core/viewer/systemattribute.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <sys/xattr.h>

namespace kazari
{

bool SystemAttribute::isSet(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    char value[16] = {};
    const ssize_t n = ::getxattr(native.constData(), Name, value, sizeof value);
    if (n < 0)
        return errno == ERANGE; // present with a long value
    return !(n == 1 && value[0] == '0');
}

bool SystemAttribute::set(const QString &path, bool on, QString *error)
{
    const QByteArray native = QFile::encodeName(path);
    const int rc = on ? ::setxattr(native.constData(), Name, "1", 1, 0)
                      : ::removexattr(native.constData(), Name);
    if (rc == 0 || (!on && errno == ENODATA))
        return true;
    if (error)
        *error = QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

} // namespace kazari
