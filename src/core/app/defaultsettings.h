#pragma once

#include <QStringList>

namespace kazari
{

/// The built-in settings text used when `exe.ini` does not exist: headings for people
/// and every key with its designed value, in the order the file is written.
class DefaultSettings
{
public:
    static const QStringList &lines();
};

} // namespace kazari
