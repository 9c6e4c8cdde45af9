#include "core/annotations/annotationkey.h"
#include "core/annotations/annotationlist.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kazari;
using namespace Qt::StringLiterals;

namespace
{

void touch(const QString &path)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

} // namespace

class TestAnnotationList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstLineWinsAndOnlyItChanges();
    void emptyValuesAreAbsent();
    void letterCaseGuard();
    void sortKeepsTheWinningLine();
    void sortMergesLinesAddedBehindASortedHead_data();
    void sortMergesLinesAddedBehindASortedHead();
    void removeItemTakesEveryLineOfTheItemOnly();
    void renameCarriesEverythingAndReplacesLeftovers();
    void caseOnlyRenameKeepsLines();
    void refusedNamesChangeNothing();
    void recordRoundTrip();
};

void TestAnnotationList::firstLineWinsAndOnlyItChanges()
{
    AnnotationList list({u"a.txt_cmt=x"_s, u"A.TXT_cmt=y"_s});
    QCOMPARE(list.value(u"a.txt"_s, u"_cmt"_s), u"x"_s);
    QVERIFY(list.setValue(u"a.txt"_s, u"_cmt"_s, u"z"_s));
    QCOMPARE(list.lines(), (QStringList{u"a.txt_cmt=z"_s, u"A.TXT_cmt=y"_s}));
    // A line spelled differently from the name is the same item when no item of that
    // spelling exists (no guard folder: nothing exists).
    AnnotationList old({u"README.txt_CMT=old"_s});
    QCOMPARE(old.value(u"readme.TXT"_s, u"_cmt"_s), u"old"_s);
    QVERIFY(old.setValue(u"readme.TXT"_s, u"_cmt"_s, u"new"_s));
    QCOMPARE(old.lines(), QStringList{u"readme.TXT_cmt=new"_s});
}

void TestAnnotationList::emptyValuesAreAbsent()
{
    AnnotationList list({u"a.txt_cmt="_s, u"b.txt_cmt=1+1=2"_s});
    QVERIFY(list.value(u"a.txt"_s, u"_cmt"_s).isEmpty());
    QCOMPARE(list.value(u"b.txt"_s, u"_cmt"_s), u"1+1=2"_s);
    bool changed = false;
    QVERIFY(list.setValue(u"a.txt"_s, u"_cmt"_s, QString(), &changed));
    QVERIFY(changed);
    QCOMPARE(list.lines(), QStringList{u"b.txt_cmt=1+1=2"_s});
    QVERIFY(list.setValue(u"c.txt"_s, u"_cmt"_s, QString(), &changed));
    QVERIFY(!changed);
    QCOMPARE(list.size(), 1);
}

void TestAnnotationList::letterCaseGuard()
{
    QTemporaryDir dir;
    touch(dir.filePath(u"a.txt"_s));
    touch(dir.filePath(u"A.txt"_s));
    AnnotationList list({u"A.txt_cmt=upper"_s, u"A.txt_stp=mark"_s});
    list.setGuardFolder(dir.path() + u'/');

    // "A.txt" exists beside "a.txt": its lines are not those of "a.txt".
    QVERIFY(list.value(u"a.txt"_s, u"_cmt"_s).isEmpty());
    QVERIFY(list.setValue(u"a.txt"_s, u"_cmt"_s, u"lower"_s));
    QCOMPARE(list.lines(),
             (QStringList{u"A.txt_cmt=upper"_s, u"A.txt_stp=mark"_s, u"a.txt_cmt=lower"_s}));
    QCOMPARE(list.value(u"a.txt"_s, u"_cmt"_s), u"lower"_s);
    QCOMPARE(list.value(u"A.txt"_s, u"_cmt"_s), u"upper"_s);
    QVERIFY(!list.remove(u"a.txt"_s, u"_stp"_s));
    QCOMPARE(list.removeItem(u"a.txt"_s), 1);
    QCOMPARE(list.lines(), (QStringList{u"A.txt_cmt=upper"_s, u"A.txt_stp=mark"_s}));

    // Once "A.txt" is gone, its lines are an older spelling of "a.txt".
    QVERIFY(QFile::remove(dir.filePath(u"A.txt"_s)));
    QCOMPARE(list.value(u"a.txt"_s, u"_cmt"_s), u"upper"_s);
    QCOMPARE(list.removeItem(u"a.txt"_s), 2);
    QVERIFY(list.isEmpty());
}

void TestAnnotationList::sortKeepsTheWinningLine()
{
    // Sorting by the whole line would put "aaa" first and change what x reads.
    AnnotationList list(
        {u"x_cmt=zzz"_s, u"b_cmt=2"_s, u"X_cmt=aaa"_s, u".ViewStyle=1"_s, u"no key"_s});
    QCOMPARE(list.value(u"x"_s, u"_cmt"_s), u"zzz"_s);
    QVERIFY(list.sortLines());
    QCOMPARE(list.lines(), (QStringList{u".ViewStyle=1"_s, u"b_cmt=2"_s, u"no key"_s,
                                        u"x_cmt=zzz"_s, u"X_cmt=aaa"_s}));
    QCOMPARE(list.value(u"x"_s, u"_cmt"_s), u"zzz"_s);
    QVERIFY(!list.sortLines());
}

void TestAnnotationList::sortMergesLinesAddedBehindASortedHead_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("appended lines in between")
        << QStringList{u"a_cmt=1"_s, u"c_cmt=3"_s, u"e_cmt=5"_s, u"d_cmt=4"_s, u"b_cmt=2"_s};
    // Equal keys keep their order: the line already in the file stays the winning one.
    QTest::newRow("equal keys") << QStringList{u"a_cmt=1"_s,     u"B_cmt=head"_s, u"c_cmt=3"_s,
                                               u"b_cmt=tail1"_s, u"A_cmt=tail"_s, u"B_CMT=tail2"_s};
    QTest::newRow("before the first line")
        << QStringList{u"m_s=1"_s, u"n_s=2"_s, u".ViewStyle=1"_s, u"a_s=0"_s};
    QTest::newRow("unsorted from the start")
        << QStringList{u"z_s=1"_s, u"y_s=2"_s, u"x_s=3"_s, u"y_s=4"_s, u"a_s=5"_s};
    QTest::newRow("one line out of place at the end")
        << QStringList{u"a_s=1"_s, u"b_s=2"_s, u"c_s=3"_s, u"c_cmt=4"_s};
}

void TestAnnotationList::sortMergesLinesAddedBehindASortedHead()
{
    QFETCH(QStringList, lines);
    // The order of a stable sort of the whole list by case-folded key.
    QStringList expected = lines;
    std::stable_sort(expected.begin(), expected.end(), [](const QString &x, const QString &y) {
        return x.section(u'=', 0, 0).toCaseFolded() < y.section(u'=', 0, 0).toCaseFolded();
    });
    AnnotationList list(lines);
    QCOMPARE(list.sortLines(), expected != lines);
    QCOMPARE(list.lines(), expected);
}

void TestAnnotationList::removeItemTakesEveryLineOfTheItemOnly()
{
    AnnotationList list({u"a.txt_cmt=one"_s, u"a.txt.bak_cmt=other item"_s, u"a.txt_cmt=dup"_s,
                         u"a.txt_stp=s"_s, u"a.txt_cmtEx=\"1\""_s, u"a.txt_own=unknown suffix"_s,
                         u"b.txt_cmt=keep"_s, u"garbage"_s});
    QCOMPARE(list.removeItem(u"a.txt"_s), 4);
    QCOMPARE(list.lines(),
             (QStringList{u"a.txt.bak_cmt=other item"_s, u"a.txt_own=unknown suffix"_s,
                          u"b.txt_cmt=keep"_s, u"garbage"_s}));
    QVERIFY(list.value(u"a.txt"_s, u"_cmt"_s).isEmpty());
}

void TestAnnotationList::renameCarriesEverythingAndReplacesLeftovers()
{
    QStringList lines;
    for (std::size_t i = 0; i < WholeItemSuffixCount; ++i)
        lines.append(u"old"_s + wholeItemSuffix(i) + u"=v"_s + QString::number(i));
    lines.append(u"new_cmt=leftover"_s);
    lines.append(u"new_s=9"_s);
    lines.append(u"other_cmt=keep"_s);
    AnnotationList list(lines);
    QCOMPARE(list.renameItem(u"old"_s, u"new"_s), int(WholeItemSuffixCount));
    QCOMPARE(list.size(), qsizetype(WholeItemSuffixCount) + 1);
    for (std::size_t i = 0; i < WholeItemSuffixCount; ++i) {
        QCOMPARE(list.lines().at(qsizetype(i)),
                 u"new"_s + wholeItemSuffix(i) + u"=v"_s + QString::number(i));
    }
    QCOMPARE(list.value(u"new"_s, u"_stp"_s), u"v14"_s);
    QCOMPARE(list.value(u"new"_s, u"_cmtEx"_s), u"v15"_s);
    QCOMPARE(list.value(u"other"_s, u"_cmt"_s), u"keep"_s);
    QVERIFY(list.itemFields(u"old"_s).isEmpty());
}

void TestAnnotationList::caseOnlyRenameKeepsLines()
{
    AnnotationList list({u"Report.doc_cmt=mine"_s, u"report.doc_s=3"_s});
    QCOMPARE(list.renameItem(u"report.doc"_s, u"REPORT.doc"_s), 2);
    QCOMPARE(list.lines(), (QStringList{u"REPORT.doc_cmt=mine"_s, u"REPORT.doc_s=3"_s}));
}

void TestAnnotationList::refusedNamesChangeNothing()
{
    const QStringList lines{u"a_cmt=1"_s};
    AnnotationList list(lines);
    QVERIFY(!list.setValue(u"x=y"_s, u"_cmt"_s, u"v"_s));
    QVERIFY(!list.setValue(u"x\ny"_s, u"_cmt"_s, u"v"_s));
    QVERIFY(!list.setValue(u"x"_s, u"_c=mt"_s, u"v"_s));
    QCOMPARE(list.renameItem(u"a"_s, u"b\rc"_s), -1);
    QCOMPARE(list.lines(), lines);
    QVERIFY(list.setValue(u"a"_s, u"_cmt"_s, u"two\r\nlines"_s));
    QCOMPARE(list.lines(), QStringList{u"a_cmt=two lines"_s});
}

void TestAnnotationList::recordRoundTrip()
{
    AnnotationList list({u"a_cmt=c"_s, u"a_label=2"_s, u"a_cmtEx=\"e\""_s});
    FileAnnotationRec rec = list.record(u"a"_s);
    QCOMPARE(rec.cmt, u"c"_s);
    QCOMPARE(rec.label, u"2"_s);
    QVERIFY(rec.s.isEmpty());
    rec.label.clear();
    rec.s = u"4"_s;
    QVERIFY(list.applyRecord(u"b"_s, list.record(u"a"_s)));
    QVERIFY(list.applyRecord(u"a"_s, rec));
    QCOMPARE(list.value(u"a"_s, u"_s"_s), u"4"_s);
    QVERIFY(list.value(u"a"_s, u"_label"_s).isEmpty());
    QCOMPARE(list.value(u"b"_s, u"_label"_s), u"2"_s);
    // The record has the fifteen fields only.
    QVERIFY(list.value(u"b"_s, u"_cmtEx"_s).isEmpty());
    QVERIFY(!list.applyRecord(u"a"_s, rec));
}

QTEST_GUILESS_MAIN(TestAnnotationList)
#include "tst_annotationlist.moc"
