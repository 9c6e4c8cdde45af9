#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace kazari
{

/// Posts notifications to the desktop's notification service (freedesktop
/// notifications over the session bus). Without a session bus or a service, and in a
/// build without D-Bus support, posting does nothing and says so.
///
/// Whether the service is there is asked once and remembered: asking is a round trip
/// on the bus that the window's thread would wait for at every announcement. The answer
/// is asked again after the service appeared on or left the bus, and after a
/// notification failed.
class DesktopNotifier : public QObject
{
    Q_OBJECT

public:
    /// Whether the service answers now (may wait for the bus).
    using Ask = std::function<bool()>;
    /// Sends one notification without waiting; false when it could not be sent. A
    /// failure that shows only later is reported through `forget`.
    using Send = std::function<bool(const QString &summary, const QString &body)>;

    /// The session bus's service.
    explicit DesktopNotifier(QObject *parent = nullptr);
    /// Another service (tests).
    DesktopNotifier(Ask ask, Send send, QObject *parent = nullptr);

    /// Whether the service is there, as last asked.
    bool isAvailable();
    /// Posts one notification; false when no service took it.
    bool notify(const QString &summary, const QString &body);
    /// The next notification asks for the service again.
    void forget() { m_available.reset(); }

    /// The program's notifier, living as long as the application.
    static DesktopNotifier *shared();
    static bool available() { return shared()->isAvailable(); }
    static bool post(const QString &summary, const QString &body)
    {
        return shared()->notify(summary, body);
    }

private:
    Ask m_ask;
    Send m_send;
    std::optional<bool> m_available;
};

} // namespace kazari
