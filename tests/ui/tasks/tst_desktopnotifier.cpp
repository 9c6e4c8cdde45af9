#include "ui/tasks/desktopnotifier.h"

#include <QTest>

using namespace kazari;
using namespace Qt::StringLiterals;

class TestDesktopNotifier : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void asksForTheServiceOnce();
};

// A fake bus: counts how often the service is looked for and what was sent.
struct FakeBus {
    bool present = true;
    bool sendWorks = true;
    int asked = 0;
    QStringList sent;
    DesktopNotifier notifier{[this]() {
                                 ++asked;
                                 return present;
                             },
                             [this](const QString &summary, const QString &) {
                                 if (sendWorks)
                                     sent.append(summary);
                                 return sendWorks;
                             }};
};

void TestDesktopNotifier::asksForTheServiceOnce()
{
    FakeBus bus;
    for (int i = 0; i < 5; ++i)
        QVERIFY(bus.notifier.notify(u"n%1"_s.arg(i), u"body"_s));
    QCOMPARE(bus.asked, 1);
    QCOMPARE(bus.sent.size(), 5);

    // The service left the bus: the next announcement asks again, and that answer holds.
    bus.present = false;
    bus.notifier.forget();
    QVERIFY(!bus.notifier.notify(u"gone"_s, u"body"_s));
    QVERIFY(!bus.notifier.notify(u"gone"_s, u"body"_s));
    QCOMPARE(bus.asked, 2);
    QCOMPARE(bus.sent.size(), 5);

    // It came back; a notification that fails makes the next one ask again.
    bus.present = true;
    bus.notifier.forget();
    bus.sendWorks = false;
    QVERIFY(!bus.notifier.notify(u"lost"_s, u"body"_s));
    QCOMPARE(bus.asked, 3);
    bus.sendWorks = true;
    QVERIFY(bus.notifier.notify(u"again"_s, u"body"_s));
    QCOMPARE(bus.asked, 4);
    QCOMPARE(bus.sent.last(), u"again"_s);
}

QTEST_GUILESS_MAIN(TestDesktopNotifier)
#include "tst_desktopnotifier.moc"
