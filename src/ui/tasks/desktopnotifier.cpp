#include "ui/tasks/desktopnotifier.h"

#ifdef KAZARI_HAVE_DBUS
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QVariantMap>
#endif

namespace kazari
{

namespace
{

#ifdef KAZARI_HAVE_DBUS
const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
#endif

} // namespace

bool DesktopNotifier::available()
{
#ifdef KAZARI_HAVE_DBUS
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return false;
    return bus.interface()->isServiceRegistered(Service).value();
#else
    return false;
#endif
}

bool DesktopNotifier::post(const QString &summary, const QString &body)
{
#ifdef KAZARI_HAVE_DBUS
    if (!available())
        return false;
    QDBusMessage call =
        QDBusMessage::createMethodCall(Service, Path, Service, QStringLiteral("Notify"));
    call << QStringLiteral("Kazari") << uint(0) << QStringLiteral("appointment-soon") << summary
         << body << QStringList() << QVariantMap() << int(-1);
    // Never wait on a slow service: the task check runs on the window's thread.
    return QDBusConnection::sessionBus().send(call);
#else
    Q_UNUSED(summary);
    Q_UNUSED(body);
    return false;
#endif
}

} // namespace kazari
