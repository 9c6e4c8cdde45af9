#pragma once

#include <QString>

namespace kazari
{

/// Posts a notification to the desktop's notification service (freedesktop
/// notifications over the session bus). Without a session bus or a service, and in a
/// build without D-Bus support, posting does nothing and says so.
class DesktopNotifier
{
public:
    /// Whether a notification service answers on the session bus now.
    static bool available();
    /// Posts one notification; false when no service took it.
    static bool post(const QString &summary, const QString &body);
};

} // namespace kazari
