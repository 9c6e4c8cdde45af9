#include "core/app/shelllocation.h"
#include "core/navigation/navigation.h"
#include "core/navigation/pathboxhistory.h"
#include "core/navigation/tabhistory.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kazari;
using namespace Qt::StringLiterals;

namespace
{

// "$" stands for the test's temporary folder.
QString expand(const QString &text, const QString &dir)
{
    QString t = text;
    return t.replace(u"$"_s, dir);
}

} // namespace

class TestNavigation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void parentKey_data();
    void parentKey();
    void upInListFileMode();
    void pathBoxTarget_data();
    void pathBoxTarget();
    void tabHistoryKeepsTenAndSelectsKnownFolders();
    void tabCaption_data();
    void tabCaption();
    void pathBoxHistory();

private:
    QTemporaryDir m_dir;
};

void TestNavigation::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir(m_dir.path()).mkpath(u"sub/inner"_s));
    QFile f(m_dir.filePath(u"file.txt"_s));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QVERIFY(QFile::link(m_dir.filePath(u"sub"_s), m_dir.filePath(u"link"_s)));
    QVERIFY(QFile::link(m_dir.filePath(u"gone"_s), m_dir.filePath(u"dangling"_s)));
}

void TestNavigation::parentKey_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("parent");
    const QString computer = ShellLocation::computer() + u'\\';
    QTest::newRow("folder key") << u"/a/b/"_s << u"/a/"_s;
    QTest::newRow("no trailing slash") << u"/a/b"_s << u"/a/"_s;
    QTest::newRow("below root") << u"/a/"_s << u"/"_s;
    QTest::newRow("root rebuilds root") << u"/"_s << u"/"_s;
    QTest::newRow("unclean") << u"//a//b/./"_s << u"/a/"_s;
    QTest::newRow("no location") << QString() << QString();
    QTest::newRow("relative") << u"a/b/"_s << QString();
    QTest::newRow("drive folder") << u"C:\\a\\b\\"_s << u"C:\\a\\"_s;
    QTest::newRow("drive root") << u"C:\\"_s << u"C:\\"_s;
    QTest::newRow("share folder") << u"\\\\srv\\share\\d\\"_s << u"\\\\srv\\share\\"_s;
    QTest::newRow("share root") << u"\\\\srv\\share\\"_s << u"\\\\srv\\share\\"_s;
    QTest::newRow("computer stays") << computer << computer;
    QTest::newRow("recycle bin stays")
        << ShellLocation::recycleBin() << ShellLocation::recycleBin() + u'/';
}

void TestNavigation::parentKey()
{
    QFETCH(QString, folder);
    QFETCH(QString, parent);
    QCOMPARE(Navigation::parentKey(folder), parent);
    const Navigation::UpTarget up = Navigation::up(folder, false, ProgramFolder(u"/p"_s));
    QCOMPARE(up.kind, Navigation::UpTarget::Folder);
    QCOMPARE(up.path, parent);
}

void TestNavigation::upInListFileMode()
{
    const Navigation::UpTarget up = Navigation::up(u"/a/b/"_s, true, ProgramFolder(u"/p"_s));
    QCOMPARE(up.kind, Navigation::UpTarget::ListFile);
    QCOMPARE(up.path, u"/p/vtl/virtuallist.img"_s);
}

void TestNavigation::pathBoxTarget_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("workingFolder");
    const int nothing = Navigation::Target::Nothing;
    const int folder = Navigation::Target::Folder;
    const int file = Navigation::Target::File;
    const int shell = Navigation::Target::ShellLocation;
    QTest::newRow("folder") << u"$/sub"_s << folder << u"$/sub/"_s << QString();
    QTest::newRow("trailing slash") << u"$/sub/"_s << folder << u"$/sub/"_s << QString();
    QTest::newRow("unclean") << u"$//sub/./inner/.."_s << folder << u"$/sub/"_s << QString();
    QTest::newRow("link keeps its path") << u"$/link"_s << folder << u"$/link/"_s << QString();
    QTest::newRow("file") << u"$/file.txt"_s << file << u"$/file.txt"_s << u"$"_s;
    QTest::newRow("blanks around") << u"  $/sub  "_s << folder << u"$/sub/"_s << QString();
    QTest::newRow("missing") << u"$/none"_s << nothing << QString() << QString();
    QTest::newRow("dangling link") << u"$/dangling"_s << nothing << QString() << QString();
    QTest::newRow("empty") << QString() << nothing << QString() << QString();
    QTest::newRow("relative") << u"sub"_s << nothing << QString() << QString();
    QTest::newRow("windows path") << u"C:\\Windows"_s << nothing << QString() << QString();
    QTest::newRow("windows share") << u"\\\\srv\\x"_s << nothing << QString() << QString();
    QTest::newRow("computer, any case") << u"::{20d04fe0-3aea-1069-a2d8-08002b30309d}\\"_s << shell
                                        << ShellLocation::computer() << QString();
    QTest::newRow("recycle bin") << ShellLocation::recycleBin() << shell
                                 << ShellLocation::recycleBin() << QString();
    QTest::newRow("unknown location")
        << u"::{00000000-0000-0000-0000-000000000000}"_s << nothing << QString() << QString();
}

void TestNavigation::pathBoxTarget()
{
    QFETCH(QString, text);
    QFETCH(int, kind);
    QFETCH(QString, path);
    QFETCH(QString, workingFolder);
    const QString dir = m_dir.path();
    const Navigation::Target t = Navigation::pathBoxTarget(expand(text, dir));
    QCOMPARE(int(t.kind), kind);
    QCOMPARE(t.path, expand(path, dir));
    QCOMPARE(t.workingFolder, expand(workingFolder, dir));
}

void TestNavigation::tabHistoryKeepsTenAndSelectsKnownFolders()
{
    TabHistory h;
    for (int i = 0; i < 10; ++i)
        QCOMPARE(h.visit(u"/f%1/"_s.arg(i)), (TabHistory::Visit{i, false, true}));
    QCOMPARE(h.entries().first(), u"/f0"_s);

    // Returning to a folder selects its tab and adds none, whatever its spelling.
    QCOMPARE(h.visit(u"/f3"_s), (TabHistory::Visit{3, false, false}));
    QCOMPARE(h.visit(u"/f3//"_s), (TabHistory::Visit{3, false, false}));
    QCOMPARE(h.size(), 10);

    // The eleventh folder pushes the first out; the tabs shift with the history.
    QCOMPARE(h.visit(u"/f10/"_s), (TabHistory::Visit{9, true, true}));
    QCOMPARE(h.size(), 10);
    QCOMPARE(h.entry(0), u"/f1"_s);
    QCOMPARE(h.entry(9), u"/f10"_s);
    QCOMPARE(h.indexOf(u"/f0"_s), -1);

    // The root keeps its separator; locations written on Windows ignore case.
    TabHistory other;
    QCOMPARE(other.visit(u"/"_s).selected, 0);
    QCOMPARE(other.entry(0), u"/"_s);
    QVERIFY(other.visit(u"C:\\Work\\"_s).appended);
    QCOMPARE(other.visit(u"c:\\work"_s), (TabHistory::Visit{1, false, false}));
    // Native paths are case-sensitive.
    QVERIFY(other.visit(u"/Work"_s).appended);
    QVERIFY(other.visit(u"/work"_s).appended);
    // The empty path (no location) is not a folder.
    QCOMPARE(other.visit(QString()).selected, -1);
    QCOMPARE(other.size(), 4);
}

void TestNavigation::tabCaption_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("caption");
    // Six pixels a character: at most ten characters fit in 64 pixels.
    QTest::newRow("fits") << u"/usr/lib/"_s << u"/usr/lib"_s;
    QTest::newRow("root") << u"/"_s << u"/"_s;
    QTest::newRow("share root never shortened")
        << u"\\\\longserver\\longshare\\"_s << u"\\\\longserver\\longshare"_s;
    QTest::newRow("leading folders go first") << u"/a/bb/cc/dd"_s << u"/.../cc/dd"_s;
    QTest::newRow("keeps what fits") << u"/aaaaa/b/cc"_s << u"/.../b/cc"_s;
    QTest::newRow("then the root") << u"/aaaa/name01"_s << u".../name01"_s;
    QTest::newRow("windows separators") << u"C:\\aaaa\\b\\c"_s << u"C:\\...\\b\\c"_s;
    QTest::newRow("long name is cut") << u"/x/averyverylongname"_s << u"averyve..."_s;
}

void TestNavigation::tabCaption()
{
    QFETCH(QString, path);
    QFETCH(QString, caption);
    const auto width = [](const QString &text) { return int(text.size()) * 6; };
    const QString shown = TabHistory::caption(path, width);
    QCOMPARE(shown, caption);
}

void TestNavigation::pathBoxHistory()
{
    const QString dir = m_dir.path();
    const QString sub = dir + u"/sub"_s;
    const QString inner = dir + u"/sub/inner"_s;
    PathBoxHistory h;
    h.loadStartup({sub + u'/', u"C:\\Windows"_s, dir + u"/none"_s, dir + u"/file.txt"_s, sub,
                   ShellLocation::computer(), u""_s, inner},
                  [](const QString &p) { return QFileInfo(p).isDir(); });
    QCOMPARE(h.entries(), (QStringList{sub, inner}));

    QCOMPARE(h.visit(inner + u'/'), 1);
    QCOMPARE(h.entries(), (QStringList{inner, sub}));
    QCOMPARE(h.visit(dir), -1);
    QCOMPARE(h.entries(), (QStringList{dir, inner, sub}));
    QCOMPARE(h.visit(QString()), -1);
    QCOMPARE(h.entries().size(), 3);
}

QTEST_GUILESS_MAIN(TestNavigation)
#include "tst_navigation.moc"
