#include "core/app/componentnames.h"
#include "core/itemlist/fileattributes.h"
#include "core/itemlist/folderenumerator.h"
#include "core/itemlist/viewstyle.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kazari;
using namespace Qt::StringLiterals;

class TestFolderEnumerator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void linksMasksAndSystemEntries();
    void masksKnowOnlyStarAndQuestionMark_data();
    void masksKnowOnlyStarAndQuestionMark();
    void sortPathsIgnoresCase();
    void viewStyleCycle_data();
    void viewStyleCycle();
};

void TestFolderEnumerator::linksMasksAndSystemEntries()
{
    QTemporaryDir dir;
    const QString base = dir.path() + u"/"_s;
    QDir().mkpath(base + u"real"_s);
    for (const QString &n : {u"doc.TXT"_s, u"pic.png"_s, u"sys.txt"_s}) {
        QFile f(base + n);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QVERIFY(QFile::link(base + u"real"_s, base + u"link-to-folder"_s));
    QVERIFY(QFile::link(base + u"nowhere"_s, base + u"broken-link"_s));

    FolderEntries e = FolderEnumerator::list(base);
    QVERIFY(e.listed);
    QCOMPARE(e.folders, (QStringList{u"link-to-folder"_s, u"real"_s}));
    QCOMPARE(e.files, (QStringList{u"broken-link"_s, u"doc.TXT"_s, u"pic.png"_s, u"sys.txt"_s}));

    EnumerationOptions masked;
    masked.mask = u"*.txt"_s;
    e = FolderEnumerator::list(base, masked);
    QCOMPARE(e.files, (QStringList{u"doc.TXT"_s, u"sys.txt"_s}));
    QVERIFY(e.folders.isEmpty());
    QVERIFY(FolderEnumerator::shows(base, u"doc.TXT"_s, masked));
    QVERIFY(!FolderEnumerator::shows(base, u"pic.png"_s, masked));
    QVERIFY(!FolderEnumerator::shows(base, u"missing.txt"_s));
    // An entry whose attributes cannot be read has none.
    const CaptionAttributes none = FileAttributes::captionAttributes(base + u"missing.txt"_s);
    QVERIFY(!none.folder && !none.readOnly && !none.hidden && !none.system);

    if (!FileAttributes::setSystem(base + u"sys.txt"_s, true))
        QSKIP("no extended attributes on this file system");
    QVERIFY(FileAttributes::isSystem(base + u"sys.txt"_s));
    QVERIFY(FileAttributes::captionAttributes(base + u"sys.txt"_s).system);
    EnumerationOptions noSystem;
    noSystem.showSystem = false;
    e = FolderEnumerator::list(base, noSystem);
    QVERIFY(!e.files.contains(u"sys.txt"_s));
    QVERIFY(!FolderEnumerator::shows(base, u"sys.txt"_s, noSystem));
    QVERIFY(FileAttributes::setSystem(base + u"sys.txt"_s, false));
    QVERIFY(!FileAttributes::isSystem(base + u"sys.txt"_s));
}

void TestFolderEnumerator::masksKnowOnlyStarAndQuestionMark_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QStringList>("shown");
    // The mask "Movie [1080p]*" is what Ctrl+N makes of "Movie [1080p].mkv".
    QTest::newRow("brackets") << u"Movie [1080p]*"_s << QStringList{u"Movie [1080p].mkv"_s};
    QTest::newRow("bracket as a class would") << u"Movie [1]*"_s << QStringList{};
    QTest::newRow("backslash") << u"a\\b*"_s << QStringList{u"a\\b.txt"_s};
    QTest::newRow("question mark") << u"Movie ?1080p?.mkv"_s << QStringList{u"Movie [1080p].mkv"_s};
    QTest::newRow("star") << u"*.TXT"_s << QStringList{u"a\\b.txt"_s, u"Movie 1.txt"_s};
}

void TestFolderEnumerator::masksKnowOnlyStarAndQuestionMark()
{
    QFETCH(QString, mask);
    QFETCH(QStringList, shown);
    QTemporaryDir dir;
    const QString base = dir.path() + u"/"_s;
    for (const QString &n : {u"Movie [1080p].mkv"_s, u"Movie 1.txt"_s, u"a\\b.txt"_s}) {
        QFile f(base + n);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    EnumerationOptions masked;
    masked.mask = mask;
    QCOMPARE(FolderEnumerator::list(base, masked).files, shown);
    for (const QString &n : shown)
        QVERIFY(FolderEnumerator::shows(base, n, masked));
}

void TestFolderEnumerator::sortPathsIgnoresCase()
{
    QStringList paths{u"/b/a"_s, u"/A/z"_s, u"/a/y"_s, u"/a/Y"_s};
    FolderEnumerator::sortPaths(paths);
    QCOMPARE(paths, (QStringList{u"/a/Y"_s, u"/a/y"_s, u"/A/z"_s, u"/b/a"_s}));
}

void TestFolderEnumerator::viewStyleCycle_data()
{
    QTest::addColumn<QString>("marked");
    QTest::addColumn<QString>("next");
    QTest::addColumn<int>("style");
    QTest::newRow("icons") << Component::ViewIcons << Component::ViewSmallIcons
                           << int(ListStyle::LargeIcons);
    QTest::newRow("small") << Component::ViewSmallIcons << Component::ViewList
                           << int(ListStyle::SmallIcons);
    QTest::newRow("list") << Component::ViewList << Component::ViewDetails << int(ListStyle::List);
    QTest::newRow("details") << Component::ViewDetails << Component::ViewExtendedComments
                             << int(ListStyle::Details);
    QTest::newRow("comments") << Component::ViewExtendedComments << Component::ViewIcons
                              << int(ListStyle::Details);
    QTest::newRow("tasks") << Component::ViewTaskDetails << QString() << int(ListStyle::Details);
    QTest::newRow("tree") << Component::ViewTreeList << QString() << int(ListStyle::Details);
    QTest::newRow("thumbnails") << Component::ViewThumbnails << QString()
                                << int(ListStyle::LargeIcons);
}

void TestFolderEnumerator::viewStyleCycle()
{
    QFETCH(QString, marked);
    QFETCH(QString, next);
    QFETCH(int, style);
    QCOMPARE(ViewStyle::nextInCycle(marked), next);
    QCOMPARE(int(ViewStyle::listStyleOf(marked)), style);
}

QTEST_GUILESS_MAIN(TestFolderEnumerator)
#include "tst_folderenumerator.moc"
