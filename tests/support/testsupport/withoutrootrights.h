#pragma once

#include <QFile>
#include <QString>

#include <unistd.h>

namespace kazari::test
{

/// While it lives, file permissions count as for an ordinary user: when the tests run as
/// root, the effective user becomes "nobody"; otherwise nothing changes. The fixture's
/// folders must let others in (`letOthersIn`) for that user to reach them.
class WithoutRootRights
{
public:
    WithoutRootRights()
        : m_wasRoot(::geteuid() == 0)
    {
        if (m_wasRoot)
            m_ok = ::seteuid(Nobody) == 0;
    }
    ~WithoutRootRights()
    {
        if (m_wasRoot && m_ok)
            static_cast<void>(::seteuid(0));
    }
    WithoutRootRights(const WithoutRootRights &) = delete;
    WithoutRootRights &operator=(const WithoutRootRights &) = delete;

    /// False when root could not give up its rights.
    bool ok() const { return m_ok; }

    /// Read and enter rights for everybody on a folder of the fixture.
    static bool letOthersIn(const QString &folder)
    {
        return QFile::setPermissions(
            folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                        QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);
    }

private:
    static constexpr uid_t Nobody = 65534;
    bool m_wasRoot = false;
    bool m_ok = true;
};

} // namespace kazari::test
