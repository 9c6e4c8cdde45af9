#include "core/annotations/annotationindex.h"

#include <QSet>
#include <QTest>

using namespace kazari;
using namespace Qt::StringLiterals;

class TestAnnotationIndex : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nextNumber_data();
    void nextNumber();
    void keysCompareByKind();
    void numbersBelongToTheirFirstLine();
};

namespace
{

AnnotationIndex indexOf(const QStringList &lines)
{
    TextDocument doc;
    doc.lines = lines;
    return AnnotationIndex::fromDocument(doc);
}

} // namespace

void TestAnnotationIndex::nextNumber_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QList<int>>("filesInUse");
    QTest::addColumn<int>("expected");
    QTest::newRow("first folder") << QStringList() << QList<int>() << 1;
    QTest::newRow("lines + 1") << QStringList{u"/a/=1"_s, u"/b/=2"_s} << QList<int>() << 3;
    QTest::newRow("after maintenance") << QStringList{u"/a/=0"_s, u"/b/=1"_s} << QList<int>() << 3;
    QTest::newRow("hand-edited: named in the index")
        << QStringList{u"/a/=2"_s} << QList<int>() << 3;
    QTest::newRow("truncated: file still there")
        << QStringList{u"/a/=1"_s} << QList<int>{2, 3} << 4;
    QTest::newRow("garbage lines count as lines")
        << QStringList{u"junk"_s, u"/a/=x"_s} << QList<int>() << 3;
}

void TestAnnotationIndex::nextNumber()
{
    QFETCH(QStringList, lines);
    QFETCH(QList<int>, filesInUse);
    QFETCH(int, expected);
    const QSet<int> used(filesInUse.begin(), filesInUse.end());
    QCOMPARE(indexOf(lines).nextNumber([&](int n) { return used.contains(n); }), expected);
}

void TestAnnotationIndex::keysCompareByKind()
{
    const AnnotationIndex index = indexOf(
        {u"/Work/=1"_s, u"C:\\Old\\=2"_s, u"::{645FF040-5081-101B-9F08-00AA002F954E}\\=3"_s});
    QCOMPARE(index.numberOf(u"/Work/"_s), 1);
    QVERIFY(!index.numberOf(u"/work/"_s));
    QCOMPARE(index.numberOf(u"c:\\old\\"_s), 2);
    QCOMPARE(index.numberOf(u"::{645ff040-5081-101b-9f08-00aa002f954e}\\"_s), 3);
}

void TestAnnotationIndex::numbersBelongToTheirFirstLine()
{
    AnnotationIndex index = indexOf({u"/a/=1"_s, u"/b/=1"_s, u"/c/=bad"_s, u"/d/=-4"_s});
    QCOMPARE(index.numberOf(u"/a/"_s), 1);
    QVERIFY(!index.numberOf(u"/b/"_s));
    QVERIFY(!index.numberOf(u"/c/"_s));
    QVERIFY(!index.numberOf(u"/d/"_s));
    // Re-registering gives the line a fresh number in place instead of a second line.
    const int b = index.registerFolder(u"/b/"_s, {});
    QCOMPARE(b, 5);
    QCOMPARE(index.lines().at(1), u"/b/=5"_s);
    QCOMPARE(index.registerFolder(u"/a/"_s, {}), 1);
    QCOMPARE(index.registerFolder(u"/e/"_s, {}), 6);
    QCOMPARE(index.lineCount(), 5);
    QCOMPARE(index.numberOf(u"/e/"_s), 6);
}

QTEST_GUILESS_MAIN(TestAnnotationIndex)
#include "tst_annotationindex.moc"
