#include "core/navigation/recentuselists.h"

#include "testsupport/tempprogramfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kazari;
using namespace kazari::test;
using namespace Qt::StringLiterals;

class TestRecentUseLists : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void classify_data();
    void classify();
    void putOnTop_data();
    void putOnTop();
    void recordsOnlyIntoExistingFiles();
    void keepsForeignLinesAndTheFileFormat();
    void unreadableFileIsLeftAlone();
    void pathWithLineBreakIsRefused_data();
    void pathWithLineBreakIsRefused();
};

void TestRecentUseLists::classify_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("isFolder");
    QTest::addColumn<int>("kind"); // -1: not recorded
    QTest::newRow("folder") << u"/a/b"_s << true << int(RecentUseLists::Folders);
    QTest::newRow("folder named like a program")
        << u"/a/b.exe"_s << true << int(RecentUseLists::Folders);
    QTest::newRow("root") << u"/"_s << true << int(RecentUseLists::Folders);
    QTest::newRow("program") << u"/a/run.exe"_s << false << int(RecentUseLists::Programs);
    QTest::newRow("upper-case extension") << u"/a/RUN.EXE"_s << false << int(RecentUseLists::Files);
    QTest::newRow("longer extension") << u"/a/run.exe.txt"_s << false << int(RecentUseLists::Files);
    QTest::newRow("document") << u"/a/readme"_s << false << int(RecentUseLists::Files);
    QTest::newRow("no location") << QString() << true << -1;
    QTest::newRow("windows path") << u"C:\\run.exe"_s << false << -1;
    QTest::newRow("relative") << u"run.exe"_s << false << -1;
}

void TestRecentUseLists::classify()
{
    QFETCH(QString, path);
    QFETCH(bool, isFolder);
    QFETCH(int, kind);
    const std::optional<RecentUseLists::Kind> k = RecentUseLists::classify(path, isFolder);
    QCOMPARE(k ? int(*k) : -1, kind);
}

void TestRecentUseLists::putOnTop_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("new on top") << QStringList{u"/b"_s} << u"/a"_s << 3
                                << QStringList{u"/a"_s, u"/b"_s};
    QTest::newRow("known moves up, not doubled")
        << QStringList{u"/b"_s, u"/a"_s, u"/c"_s} << u"/a"_s << 3
        << QStringList{u"/a"_s, u"/b"_s, u"/c"_s};
    QTest::newRow("native paths keep their case")
        << QStringList{u"/A"_s} << u"/a"_s << 3 << QStringList{u"/a"_s, u"/A"_s};
    QTest::newRow("windows paths ignore case and keep their spelling")
        << QStringList{u"/x"_s, u"C:\\Docs\\A.TXT"_s} << u"c:\\docs\\a.txt"_s << 3
        << QStringList{u"C:\\Docs\\A.TXT"_s, u"/x"_s};
    QTest::newRow("full list drops the oldest") << QStringList{u"/b"_s, u"/c"_s, u"/d"_s} << u"/a"_s
                                                << 3 << QStringList{u"/a"_s, u"/b"_s, u"/c"_s};
    QTest::newRow("overlong list is cut to the limit")
        << QStringList{u"/b"_s, u"/c"_s, u"/d"_s, u"/e"_s} << u"/c"_s << 2
        << QStringList{u"/c"_s, u"/b"_s};
}

void TestRecentUseLists::putOnTop()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, path);
    QFETCH(int, limit);
    QFETCH(QStringList, expected);
    RecentUseLists::putOnTop(lines, path, limit);
    QCOMPARE(lines, expected);
}

void TestRecentUseLists::recordsOnlyIntoExistingFiles()
{
    TempProgramFolder pf;
    QTemporaryDir data;
    const QString folder = data.filePath(u"folder"_s);
    QVERIFY(QDir().mkpath(folder));
    const QString doc = data.filePath(u"doc.txt"_s);
    const QString app = data.filePath(u"tool.exe"_s);
    for (const QString &f : {doc, app}) {
        QFile file(f);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(pf.writeBytes(u"vtl/FileList.img"_s, "/old\n"));
    QVERIFY(pf.writeBytes(u"vtl/DirList.img"_s, ""));

    RecentUseLists lists(pf.folder());
    QString error;
    QVERIFY2(lists.record({doc, folder + u'/', app, u"::{whatever}"_s, doc}, &error),
             qPrintable(error));
    // The program list does not exist, so the program is not recorded and no file is made.
    QVERIFY(!pf.exists(u"vtl/AppList.img"_s));
    QCOMPARE(lists.lines(RecentUseLists::Files), (QStringList{doc, u"/old"_s}));
    QCOMPARE(lists.lines(RecentUseLists::Folders), QStringList{folder});

    // Opening three files puts the last one opened on top.
    QVERIFY(pf.writeBytes(u"vtl/AppList.img"_s, ""));
    QVERIFY(lists.record({app, doc}));
    QCOMPARE(lists.lines(RecentUseLists::Programs), QStringList{app});
    QCOMPARE(lists.lines(RecentUseLists::Files), (QStringList{doc, u"/old"_s}));
}

void TestRecentUseLists::keepsForeignLinesAndTheFileFormat()
{
    TempProgramFolder pf;
    QTemporaryDir data;
    const QString folder = data.path();
    // A list written on Windows: CRLF, CP932 ("\x83\x74\x83\x48\x83\x8b\x83\x5f" is
    // "フォルダ"), a vanished Windows folder and a virtual location.
    const QByteArray old = "C:\\\x83\x74\x83\x48\x83\x8b\x83\x5f\r\n"
                           "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\r\n"
                           "\\\\server\\share\r\n";
    QVERIFY(pf.writeBytes(u"vtl/DirList.img"_s, old));
    RecentUseLists lists(pf.folder());
    QVERIFY(lists.record({folder}));
    QByteArray expected = QFile::encodeName(folder) + "\r\n" + old;
    QCOMPARE(pf.readBytes(u"vtl/DirList.img"_s), expected);

    // Recording it again changes nothing.
    QVERIFY(lists.record({folder}));
    QCOMPARE(pf.readBytes(u"vtl/DirList.img"_s), expected);
}

void TestRecentUseLists::unreadableFileIsLeftAlone()
{
    TempProgramFolder pf;
    QVERIFY(QDir().mkpath(pf.file(u"vtl/FileList.img"_s)));
    QVERIFY(pf.writeBytes(u"vtl/DirList.img"_s, "/old\n"));
    QTemporaryDir data;
    const QString doc = data.filePath(u"doc"_s);
    QFile file(doc);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    RecentUseLists lists(pf.folder());
    QString error;
    QVERIFY(!lists.record({doc, data.path()}, &error));
    QVERIFY(error.contains(u"FileList.img"_s));
    // The other list is still kept up to date.
    QCOMPARE(lists.lines(RecentUseLists::Folders), (QStringList{data.path(), u"/old"_s}));
}

void TestRecentUseLists::pathWithLineBreakIsRefused_data()
{
    QTest::addColumn<QString>("name");
    // A file named with a line break would read back as two entries.
    QTest::newRow("line break") << u"two\nlines.txt"_s;
    QTest::newRow("carriage return") << u"two\rlines.txt"_s;
    QTest::newRow("equals sign") << u"key=value.txt"_s;
}

void TestRecentUseLists::pathWithLineBreakIsRefused()
{
    QFETCH(QString, name);
    TempProgramFolder pf;
    QVERIFY(pf.writeBytes(u"vtl/FileList.img"_s, "/old\n"));
    QTemporaryDir data;
    const QString broken = data.filePath(name);
    const QString plain = data.filePath(u"plain.txt"_s);
    for (const QString &f : {broken, plain}) {
        QFile file(f);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    RecentUseLists lists(pf.folder());
    QString error;
    QVERIFY(!lists.record({broken}, &error));
    QVERIFY(error.contains(u"改行"_s));
    QCOMPARE(pf.readBytes(u"vtl/FileList.img"_s), QByteArray("/old\n"));

    // The other paths of the same request are still recorded.
    QVERIFY(!lists.record({plain, broken}, &error));
    QCOMPARE(lists.lines(RecentUseLists::Files), (QStringList{plain, u"/old"_s}));
}

QTEST_GUILESS_MAIN(TestRecentUseLists)
#include "tst_recentuselists.moc"
