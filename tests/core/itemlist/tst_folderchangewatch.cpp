#include "core/itemlist/folderchangewatch.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace kazari;
using namespace Qt::StringLiterals;

class TestFolderChangeWatch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reportsNamesAndAttributesOncePerPoll();
};

void TestFolderChangeWatch::reportsNamesAndAttributesOncePerPoll()
{
    QTemporaryDir dir;
    QDir().mkpath(dir.path() + u"/sub"_s);
    FolderChangeWatch watch;
    watch.setInterval(50);
    QVERIFY(!watch.start()); // no folder yet
    watch.setFolder(dir.path());
    QVERIFY(watch.start());
    QSignalSpy spy(&watch, &FolderChangeWatch::changed);

    {
        QFile f(dir.path() + u"/new.txt"_s);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QVERIFY(QFile::setPermissions(dir.path() + u"/new.txt"_s, QFileDevice::ReadOwner));
    {
        QFile f(dir.path() + u"/sub/deeper.txt"_s); // below the folder: not reported
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QVERIFY(spy.wait(2000));
    QCOMPARE(spy.size(), 1);
    const FolderChanges changes = spy.at(0).at(0).value<FolderChanges>();
    QCOMPARE(changes.names, QSet<QString>{u"new.txt"_s});
    QCOMPARE(changes.attributes, QSet<QString>{u"new.txt"_s});
    QVERIFY(!changes.lost);

    // Stopped, nothing is reported; the folder going away is.
    watch.stop();
    QVERIFY(QFile::remove(dir.path() + u"/new.txt"_s));
    QVERIFY(!spy.wait(300));
    QVERIFY(watch.start());
    QVERIFY(QDir(dir.path()).removeRecursively());
    QVERIFY(spy.wait(2000));
    QVERIFY(spy.last().at(0).value<FolderChanges>().lost);
}

QTEST_GUILESS_MAIN(TestFolderChangeWatch)
#include "tst_folderchangewatch.moc"
