#include "core/app/applicationlist.h"
#include "testsupport/recordinglauncher.h"
#include "testsupport/tempprogramfolder.h"

#include <QDir>
#include <QTest>

using namespace kazari;
using namespace Qt::StringLiterals;

using Entry = ApplicationList::Entry;

class TestApplicationList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void missingFileIsEmptyAndNotCreated();
    void onlyExistingProgramsAreListed();
    void launchPassesOneArgumentAndTheItemFolder_data();
    void launchPassesOneArgumentAndTheItemFolder();
    void launchRefusesMissingProgram();
    void hostileLinesSurviveRewrite();
    void unwritableEntriesAreRefused_data();
    void unwritableEntriesAreRefused();
};

void TestApplicationList::missingFileIsEmptyAndNotCreated()
{
    test::TempProgramFolder dir;
    ApplicationList apps(dir.folder());
    QString error;
    QVERIFY(apps.load(&error));
    QVERIFY(error.isEmpty());
    QVERIFY(apps.isEmpty());
    QVERIFY(apps.available().isEmpty());
    QVERIFY(!dir.exists(u"myappli.ini"_s));
}

void TestApplicationList::onlyExistingProgramsAreListed()
{
    test::TempProgramFolder dir;
    QVERIFY(dir.writeBytes(u"bin/edit"_s, "x"));
    QVERIFY(dir.writeBytes(u"bin/view er"_s, "x"));
    QDir().mkpath(dir.file(u"bin/folder"_s));
    const QString edit = dir.file(u"bin/edit"_s);
    const QString viewer = dir.file(u"bin/view er"_s);
    const QString text =
        u"編集=%1\n"
        "消えた=%2\n"
        "古い=C:\\Windows\\notepad.exe\n"
        "相対=bin/edit\n"
        "フォルダ=%3\n"
        "編集=%4\n"_s.arg(edit, dir.file(u"bin/gone"_s), dir.file(u"bin/folder"_s), viewer);
    QVERIFY(dir.writeBytes(u"myappli.ini"_s, text.toUtf8()));

    ApplicationList apps(dir.folder());
    QVERIFY(apps.load());
    QCOMPARE(apps.entries().size(), 6);
    // Two lines with the same name are two commands.
    const QList<Entry> expected{{u"編集"_s, edit}, {u"編集"_s, viewer}};
    QCOMPARE(apps.available(), expected);
}

void TestApplicationList::launchPassesOneArgumentAndTheItemFolder_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("folder");
    QTest::newRow("file") << u"/data/docs/report.txt"_s << u"/data/docs"_s;
    QTest::newRow("shell characters")
        << u"/data/a b/x\"; rm -rf ~ $(id) `id`.txt"_s << u"/data/a b"_s;
    QTest::newRow("folder with slash") << u"/data/docs/sub/"_s << u"/data/docs"_s;
    QTest::newRow("item at root") << u"/file"_s << u"/"_s;
}

void TestApplicationList::launchPassesOneArgumentAndTheItemFolder()
{
    QFETCH(QString, item);
    QFETCH(QString, folder);
    test::TempProgramFolder dir;
    QVERIFY(dir.writeBytes(u"tool"_s, "x"));
    test::RecordingLauncher launcher;
    QVERIFY(ApplicationList::launch({u"道具"_s, dir.file(u"tool"_s)}, item, launcher));
    QCOMPARE(launcher.started.size(), 1);
    QCOMPARE(launcher.started.at(0).program, dir.file(u"tool"_s));
    QCOMPARE(launcher.started.at(0).arguments, QStringList{item});
    QCOMPARE(launcher.started.at(0).workingFolder, folder);
}

void TestApplicationList::launchRefusesMissingProgram()
{
    test::TempProgramFolder dir;
    test::RecordingLauncher launcher;
    QVERIFY(!ApplicationList::launch({u"x"_s, dir.file(u"gone"_s)}, u"/data/a.txt"_s, launcher));
    QVERIFY(!ApplicationList::launch({u"x"_s, u"C:\\x.exe"_s}, u"/data/a.txt"_s, launcher));
    QVERIFY(launcher.started.isEmpty());
}

void TestApplicationList::hostileLinesSurviveRewrite()
{
    test::TempProgramFolder dir;
    // CP932 text with a line of bytes that do not decode, one without "=", one with an
    // empty name, and two entries.
    const QByteArray garbage = "\x81\xff\xfe\x80junk";
    const QByteArray bytes = "\x83\x81\x83\x82=/usr/bin/memo\r\n" // メモ
                             "no equals sign\r\n" +
                             garbage + "\r\n=nameless\r\nsecond=/usr/bin/second\r\n";
    QVERIFY(dir.writeBytes(u"myappli.ini"_s, bytes));

    ApplicationList apps(dir.folder());
    QVERIFY(apps.load());
    const QList<Entry> loaded{{u"メモ"_s, u"/usr/bin/memo"_s}, {u"second"_s, u"/usr/bin/second"_s}};
    QCOMPARE(apps.entries(), loaded);

    // Saving what was read gives the same bytes.
    QVERIFY(apps.setEntries(apps.entries()));
    QVERIFY(apps.save());
    QCOMPARE(dir.readBytes(u"myappli.ini"_s), bytes);

    // Dropping one entry and adding another leaves the other lines where they were.
    QVERIFY(apps.setEntries({{u"second"_s, u"/usr/bin/second"_s}, {u"新規"_s, u"/opt/new"_s}}));
    QVERIFY(apps.save());
    const QByteArray expected = "second=/usr/bin/second\r\nno equals sign\r\n" + garbage +
                                "\r\n=nameless\r\n\x90\x56\x8b\x4b=/opt/new\r\n"; // 新規
    QCOMPARE(dir.readBytes(u"myappli.ini"_s), expected);
}

void TestApplicationList::unwritableEntriesAreRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("program");
    QTest::newRow("empty name") << QString() << u"/bin/x"_s;
    QTest::newRow("empty program") << u"x"_s << QString();
    QTest::newRow("equals in name") << u"a=b"_s << u"/bin/x"_s;
    QTest::newRow("line break in name") << u"a\nb"_s << u"/bin/x"_s;
    QTest::newRow("line break in program") << u"x"_s << u"/bin/x\r/bin/y"_s;
}

void TestApplicationList::unwritableEntriesAreRefused()
{
    QFETCH(QString, name);
    QFETCH(QString, program);
    test::TempProgramFolder dir;
    QVERIFY(dir.writeBytes(u"myappli.ini"_s, "keep=/bin/keep\n"));
    ApplicationList apps(dir.folder());
    QVERIFY(apps.load());
    QString error;
    QVERIFY(!apps.setEntries({{u"ok"_s, u"/bin/ok"_s}, {name, program}}, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(apps.lines(), QStringList{u"keep=/bin/keep"_s});
}

QTEST_GUILESS_MAIN(TestApplicationList)
#include "tst_applicationlist.moc"
