#include "core/app/firstfolder.h"
#include "core/app/toolbarlayout.h"
#include "testsupport/tempprogramfolder.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace kazari;
using namespace Qt::StringLiterals;

class TestStartupFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstFolder_data();
    void firstFolder();
    void toolBarLinesByPosition_data();
    void toolBarLinesByPosition();
    void toolBarRoundTrip();
};

void TestStartupFiles::firstFolder_data()
{
    QTest::addColumn<QString>("argument"); // "%1" stands for the temporary folder
    QTest::addColumn<QString>("lastPath");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("expected");
    const int F = FirstFolder::Folder, L = FirstFolder::FoundList, S = FirstFolder::ShellLocation;
    QTest::newRow("found list wins over last path")
        << u"/ShowFoundList"_s << u"%1/a"_s << L << u"%1/prog/"_s;
    QTest::newRow("found list any case") << u"/showfoundlist"_s << u""_s << L << u"%1/prog/"_s;
    QTest::newRow("folder argument") << u"%1/a"_s << u"%1/b"_s << F << u"%1/a/"_s;
    QTest::newRow("link to folder opens target")
        << u"%1/link-to-b"_s << u"%1/a"_s << F << u"%1/b/"_s;
    QTest::newRow("link to file falls back")
        << u"%1/link-to-file"_s << u"%1/a/"_s << F << u"%1/a/"_s;
    QTest::newRow("file argument falls back") << u"%1/file.txt"_s << u"%1/b"_s << F << u"%1/b/"_s;
    QTest::newRow("missing last path") << u""_s << u"%1/gone/"_s << F << u"%1/prog/"_s;
    QTest::newRow("computer") << u""_s << u"::{20d04fe0-3aea-1069-a2d8-08002b30309d}\\"_s << S
                              << u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"_s;
    QTest::newRow("network") << u""_s << u"::{208D2C60-3AEA-1069-A2D7-08002B30309D}\\"_s << S
                             << u"::{208D2C60-3AEA-1069-A2D7-08002B30309D}"_s;
    QTest::newRow("recycle bin is not a first folder")
        << u""_s << u"::{645FF040-5081-101B-9F08-00AA002F954E}\\"_s << F << u"%1/prog/"_s;
    QTest::newRow("windows path never touches the disk")
        << u"C:\\Users\\"_s << u"C:\\"_s << F << u"%1/prog/"_s;
    QTest::newRow("relative last path ignored") << u""_s << u"a"_s << F << u"%1/prog/"_s;
}

void TestStartupFiles::firstFolder()
{
    QFETCH(QString, argument);
    QFETCH(QString, lastPath);
    QFETCH(int, kind);
    QFETCH(QString, expected);
    test::TempProgramFolder dir;
    const QString root = dir.path();
    QDir(root).mkpath(u"a"_s);
    QDir(root).mkpath(u"b"_s);
    QDir(root).mkpath(u"prog"_s);
    QVERIFY(dir.writeBytes(u"file.txt"_s, "x"));
    QVERIFY(QFile::link(root + u"/b"_s, root + u"/link-to-b"_s));
    QVERIFY(QFile::link(root + u"/file.txt"_s, root + u"/link-to-file"_s));
    const QStringList args = argument.isEmpty() ? QStringList() : QStringList{argument.arg(root)};
    const FirstFolder f = FirstFolder::choose(
        args, lastPath.contains(u"%1"_s) ? lastPath.arg(root) : lastPath, root + u"/prog"_s);
    QCOMPARE(int(f.kind), kind);
    QCOMPARE(f.path, expected.contains(u"%1"_s) ? expected.arg(root) : expected);
}

void TestStartupFiles::toolBarLinesByPosition_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QList<int>>("expected"); // visible, width, height, left, top
    QTest::newRow("in order") << QStringList{u"[Bar]"_s,    u"Visible=0"_s,     u"Floating=1"_s,
                                             u"Width=50"_s, u"Height=20"_s,     u"Left=3"_s,
                                             u"Top=4"_s,    u"DockSiteName=X"_s}
                              << QList<int>{0, 50, 20, 3, 4};
    // Values are taken by position, whatever their names say.
    QTest::newRow("names out of order")
        << QStringList{u"[Bar]"_s,    u"Top=1"_s,     u"Left=0"_s,    u"Height=70"_s,
                       u"Width=30"_s, u"Visible=9"_s, u"Floating=8"_s}
        << QList<int>{1, 70, 30, 9, 8};
    QTest::newRow("short section keeps designed values")
        << QStringList{u"[Bar]"_s, u"Visible=0"_s, u"Floating=0"_s, u"Width=44"_s, u"[Other]"_s}
        << QList<int>{0, 44, 11, 12, 13};
    // The next bar's lines never fill in for the missing ones.
    QTest::newRow("section cut short before the next bar")
        << QStringList{u"[Bar]"_s,      u"Visible=0"_s, u"[Other]"_s,  u"Visible=1"_s,
                       u"Floating=0"_s, u"Width=77"_s,  u"Height=66"_s}
        << QList<int>{0, 10, 11, 12, 13};
    QTest::newRow("garbage values keep designed values")
        << QStringList{u"[Bar]"_s,  u"Visible=yes"_s, u"Floating=0"_s,     u"Width=1e3"_s,
                       u"Height"_s, u"Left=-5"_s,     u"Top=99999999999"_s}
        << QList<int>{1, 10, 11, -5, 13};
    QTest::newRow("heading missing")
        << QStringList{u"[Other]"_s, u"Visible=0"_s} << QList<int>{1, 10, 11, 12, 13};
}

void TestStartupFiles::toolBarLinesByPosition()
{
    QFETCH(QStringList, lines);
    QFETCH(QList<int>, expected);
    QList<ToolBarState> bars(1);
    bars[0].name = u"Bar"_s;
    bars[0].width = 10;
    bars[0].height = 11;
    bars[0].left = 12;
    bars[0].top = 13;
    ToolBarLayout::apply(lines, bars);
    QCOMPARE((QList<int>{bars[0].visible ? 1 : 0, bars[0].width, bars[0].height, bars[0].left,
                         bars[0].top}),
             expected);
}

void TestStartupFiles::toolBarRoundTrip()
{
    test::TempProgramFolder dir;
    QList<ToolBarState> bars(2);
    bars[0] = {u"ToolBar1"_s, true, false, 300, 26, 0, 0, u"ControlBar1"_s};
    bars[1] = {u"ToolBar2"_s, false, true, 120, 26, 300, 0, u"ControlBar1"_s};
    QVERIFY(ToolBarLayout::save(dir.file(u"ToolBar.ini"_s), bars));
    QCOMPARE(dir.readBytes(u"ToolBar.ini"_s),
             QByteArray("[ToolBar1]\nVisible=1\nFloating=0\nWidth=300\nHeight=26\nLeft=0\nTop=0\n"
                        "DockSiteName=ControlBar1\n[ToolBar2]\nVisible=0\nFloating=1\nWidth=120\n"
                        "Height=26\nLeft=300\nTop=0\nDockSiteName=ControlBar1\n"));
    QList<ToolBarState> read(2);
    read[0].name = u"ToolBar1"_s;
    read[1].name = u"ToolBar2"_s;
    QVERIFY(ToolBarLayout::load(dir.file(u"ToolBar.ini"_s), read));
    QCOMPARE(read[1].visible, false);
    QCOMPARE(read[1].floating, false); // floating is not restored
    QCOMPARE(read[1].left, 300);
}

QTEST_GUILESS_MAIN(TestStartupFiles)
#include "tst_startupfiles.moc"
