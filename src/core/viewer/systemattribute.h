#pragma once

#include <QString>

namespace kazari
{

/// The "system" file attribute. Linux has none, so it is kept in the extended attribute
/// `user.kazari.system` where the file system has extended attributes, and is off
/// everywhere else. The attribute is on when it is present with any value but "0".
class SystemAttribute
{
public:
    static constexpr const char *Name = "user.kazari.system";

    /// Whether the item at `path` (links followed) has the system attribute.
    static bool isSet(const QString &path);
    /// Sets ("1") or removes the attribute. Fails on file systems without extended
    /// attributes; removing an attribute that is not there succeeds.
    static bool set(const QString &path, bool on, QString *error = nullptr);
};

} // namespace kazari
