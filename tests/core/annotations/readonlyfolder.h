#pragma once

#include <QFile>
#include <QString>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace kazari::test
{

/// Makes a folder unwritable while it lives: by its permissions, or, for a test run as
/// root (which permissions do not stop), by the immutable flag. `isActive()` is false
/// when neither works on this file system.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString &path)
        : m_path(path)
    {
        if (::geteuid() != 0) {
            m_permissions = QFile::permissions(path);
            m_active = QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
            return;
        }
        m_immutable = setImmutable(true);
        m_active = m_immutable;
    }
    ~ReadOnlyFolder()
    {
        if (!m_active)
            return;
        if (m_immutable)
            setImmutable(false);
        else
            QFile::setPermissions(m_path, m_permissions);
    }
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

    bool isActive() const { return m_active; }

private:
    bool setImmutable(bool on)
    {
        const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_DIRECTORY);
        if (fd < 0)
            return false;
        int flags = 0;
        bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (ok) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return ok;
    }

    QString m_path;
    QFile::Permissions m_permissions;
    bool m_active = false;
    bool m_immutable = false;
};

} // namespace kazari::test
