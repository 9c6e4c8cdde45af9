#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <sys/mount.h>

namespace kazari::test
{

/// A small tmpfs of its own for the test's life, to fill up or to unplug; `mounted()` is
/// false where the machine does not let the test mount one.
class SmallTmpfs
{
public:
    explicit SmallTmpfs(const QByteArray &options = "size=64k")
    {
        m_mounted = m_dir.isValid() && ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(),
                                               "tmpfs", 0, options.constData()) == 0;
    }
    ~SmallTmpfs()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    SmallTmpfs(const SmallTmpfs &) = delete;
    SmallTmpfs &operator=(const SmallTmpfs &) = delete;

    bool mounted() const { return m_mounted; }
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

} // namespace kazari::test
