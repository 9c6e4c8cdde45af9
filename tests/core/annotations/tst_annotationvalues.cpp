#include "core/annotations/annotationkey.h"
#include "core/annotations/annotationvalues.h"

#include <QTest>

using namespace kazari;
using namespace Qt::StringLiterals;

class TestAnnotationValues : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void validity_data();
    void validity();
    void taskFieldsReadBackWhatTheyWrite();
    void datesAreReadLeniently_data();
    void datesAreReadLeniently();
    void commaTextKeepsCommasQuotesAndBlanks();
    void suffixesAreMatchedWhole();
    void lineBreaksInValuesBecomeSpaces();
};

void TestAnnotationValues::validity_data()
{
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    const struct {
        const char *suffix;
        const char *text;
        bool valid;
    } rows[] = {
        {"_cmp", "100", true},
        {"_cmp", "101", false},
        {"_cmp", "-1", false},
        {"_comp", "1", true},
        {"_comp", "0", true},
        {"_comp", "2", false},
        {"_CVColor", "clRed", true},
        {"_CVColor", "255", true},
        {"_CVColor", "clFoo", false},
        {"_imp", "4", true},
        {"_imp", "5", false},
        {"_impN", "1,2024/01/05,9:00:00", true},
        {"_impN", "0,,", true},
        {"_impN", "5,,", false},
        {"_impN", "1,someday,9:00", false},
        {"_label", "3", true},
        {"_label", "9", false},
        {"_label", "x", false},
        {"_oneColor", "7", true},
        {"_oneColor", "16777215", true},
        {"_oneColor", "16777216", false},
        {"_oneColor", "-5", false},
        {"_p", "10,-5", true},
        {"_p", "10", false},
        {"_RGB", "-255,0,255", true},
        {"_RGB", "1,2", false},
        {"_RGB", "256,0,0", false},
        {"_s", "14", true},
        {"_s", "99", false},
        {"_TS", "2024/1/5,9:30", true},
        {"_TE", "2024-01-05,09:30:00", true},
        {"_TE", "2024/13/01,0:00:00", false},
        {"_TS", "yesterday", false},
        {"_TS", "2024/02/30", false},
        {"_cmt", "1+1=2", true},
        {"_cmt", "", false},
        {".ViewStyle", "3", true},
        {".ViewStyle", "4", false},
        {".SortType", "5", true},
        {".SortType", "6", false},
        {".FolderImage", "1", true},
        {".FolderImage", "0", false},
        {"_label", "99999999999999", false},
    };
    for (const auto &row : rows) {
        QTest::addRow("%s=%s", row.suffix, row.text)
            << QString::fromUtf8(row.suffix) << QString::fromUtf8(row.text) << row.valid;
    }
}

void TestAnnotationValues::validity()
{
    QFETCH(QString, suffix);
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(AnnotationValues::isValid(suffix, text), valid);
}

void TestAnnotationValues::taskFieldsReadBackWhatTheyWrite()
{
    const TaskDateTime start{QDate(2025, 3, 4), QTime(7, 5, 9)};
    const QString text = AnnotationValues::formatTaskDateTime(start);
    QCOMPARE(text, u"2025/03/04,7:05:09"_s);
    QCOMPARE(AnnotationValues::parseTaskDateTime(text), start);

    const TaskNotification note{3, QDate(2025, 12, 31), QTime(23, 59, 0)};
    QCOMPARE(AnnotationValues::parseNotification(AnnotationValues::formatNotification(note)), note);

    const ColourShift shift{-255, 0, 17};
    QCOMPARE(AnnotationValues::parseColourShift(AnnotationValues::formatColourShift(shift)), shift);
    QCOMPARE(AnnotationValues::parsePosition(AnnotationValues::formatPosition(QPoint(-3, 40))),
             QPoint(-3, 40));
}

void TestAnnotationValues::datesAreReadLeniently_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QTime>("time");
    QTest::newRow("system form") << u"2024/01/05,9:30:00"_s << QDate(2024, 1, 5) << QTime(9, 30);
    QTest::newRow("short parts") << u"2024/1/5,9:30"_s << QDate(2024, 1, 5) << QTime(9, 30);
    QTest::newRow("dashes") << u"2024-01-05,09:30:07"_s << QDate(2024, 1, 5) << QTime(9, 30, 7);
    QTest::newRow("one field") << u"2024/01/05 9:30:00"_s << QDate(2024, 1, 5) << QTime(9, 30);
    QTest::newRow("no time") << u"2024/01/05"_s << QDate(2024, 1, 5) << QTime();
}

void TestAnnotationValues::datesAreReadLeniently()
{
    QFETCH(QString, text);
    QFETCH(QDate, date);
    QFETCH(QTime, time);
    const std::optional<TaskDateTime> v = AnnotationValues::parseTaskDateTime(text);
    QVERIFY(v);
    QCOMPARE(v->date, date);
    QCOMPARE(v->time, time);
}

void TestAnnotationValues::commaTextKeepsCommasQuotesAndBlanks()
{
    const QStringList fields{u"plain"_s, u"a, b"_s, u"say \"hi\""_s, QString(), u"最後"_s};
    const QString text = AnnotationValues::formatExtendedComment(fields);
    QCOMPARE(text, u"\"plain\",\"a, b\",\"say \"\"hi\"\"\",\"\",\"最後\""_s);
    QCOMPARE(AnnotationValues::parseExtendedComment(text), fields);
    QCOMPARE(AnnotationValues::splitCommaText(u" x , y ,"_s),
             (QStringList{u"x"_s, u"y"_s, QString()}));

    QStringList twelve;
    for (int i = 0; i < 12; ++i)
        twelve.append(QString::number(i));
    QCOMPARE(AnnotationValues::parseExtendedComment(twelve.join(u',')).size(), 11);
}

void TestAnnotationValues::suffixesAreMatchedWhole()
{
    QCOMPARE(wholeItemSuffixIndex(u"_cmt"), 1);
    QCOMPARE(wholeItemSuffixIndex(u"_CMTEX"), 15);
    QCOMPARE(wholeItemSuffixIndex(u"_impN"), 5);
    QCOMPARE(wholeItemSuffixIndex(u"_cmtE"), -1);
    QCOMPARE(canonicalAnnotationSuffix(u"_cvcolor"), u"_CVColor"_s);
    QCOMPARE(canonicalAnnotationSuffix(u".viewstyle"), u".ViewStyle"_s);
    QVERIFY(canonicalAnnotationSuffix(u"_nope").isNull());
    QCOMPARE(AnnotationKey(u"report.doc"_s, u"_cmt"), u"report.doc_cmt"_s);
}

void TestAnnotationValues::lineBreaksInValuesBecomeSpaces()
{
    QCOMPARE(sanitizeAnnotationValue(u"a\r\nb\rc\nd"_s), u"a b c d"_s);
    QVERIFY(!isAnnotatableName(u"a=b"));
    QVERIFY(!isAnnotatableName(u"a\nb"));
    QVERIFY(isAnnotatableName(u"a b.txt"));
}

QTEST_GUILESS_MAIN(TestAnnotationValues)
#include "tst_annotationvalues.moc"
