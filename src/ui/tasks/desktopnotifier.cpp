#include "ui/tasks/desktopnotifier.h"

#include <QCoreApplication>
#include <QPointer>

#ifdef KAZARI_HAVE_DBUS
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
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

DesktopNotifier::DesktopNotifier(QObject *parent)
    : QObject(parent)
{
#ifdef KAZARI_HAVE_DBUS
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        m_available = false;
        return;
    }
    m_ask = []() {
        QDBusConnection session = QDBusConnection::sessionBus();
        return session.isConnected() && session.interface() &&
               session.interface()->isServiceRegistered(Service).value();
    };
    m_send = [this](const QString &summary, const QString &body) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(Service, Path, Service, QStringLiteral("Notify"));
        call << QStringLiteral("Kazari") << uint(0) << QStringLiteral("appointment-soon") << summary
             << body << QStringList() << QVariantMap() << int(-1);
        // Never wait on a slow service: the task check runs on the window's thread. An
        // error answer comes later and makes the next notification ask again.
        auto *reply =
            new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
        connect(reply, &QDBusPendingCallWatcher::finished, this,
                [this](QDBusPendingCallWatcher *w) {
                    if (w->isError())
                        forget();
                    w->deleteLater();
                });
        return true;
    };
    auto *watcher =
        new QDBusServiceWatcher(Service, bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, [this]() { forget(); });
#else
    m_available = false;
#endif
}

DesktopNotifier::DesktopNotifier(Ask ask, Send send, QObject *parent)
    : QObject(parent)
    , m_ask(std::move(ask))
    , m_send(std::move(send))
{
}

bool DesktopNotifier::isAvailable()
{
    if (!m_available)
        m_available = m_ask && m_ask();
    return *m_available;
}

bool DesktopNotifier::notify(const QString &summary, const QString &body)
{
    if (!isAvailable() || !m_send)
        return false;
    if (m_send(summary, body))
        return true;
    forget();
    return false;
}

DesktopNotifier *DesktopNotifier::shared()
{
    // Owned by the application, so it goes while the bus connection is still there.
    static QPointer<DesktopNotifier> notifier;
    if (!notifier)
        notifier = new DesktopNotifier(QCoreApplication::instance());
    return notifier;
}

} // namespace kazari
