#include "core/platform/keyvaluelist.h"

#include <QTest>

using namespace kazari;
using namespace Qt::StringLiterals;

class TestKeyValueList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lookUpIgnoresCaseFirstLineWins();
    void setReplacesFirstOrAppendsEmptyRemoves();
    void linesWithoutKeyAreKept();
    void indexStaysRightAfterEdits();
};

void TestKeyValueList::lookUpIgnoresCaseFirstLineWins()
{
    KeyValueList list({u"[heading]"_s, u"Key=first"_s, u"KEY=second"_s, u"a=b=c"_s, u"Ä=umlaut"_s});
    QCOMPARE(list.value(u"key"_s), u"first"_s);
    QCOMPARE(list.indexOfExact(u"KEY"_s), 2);
    QCOMPARE(list.value(u"a"_s), u"b=c"_s);
    QCOMPARE(list.value(u"ä"_s), u"umlaut"_s);
    QVERIFY(list.value(u"missing"_s).isNull());
    QVERIFY(!list.contains(u"[heading]"_s));
}

void TestKeyValueList::setReplacesFirstOrAppendsEmptyRemoves()
{
    KeyValueList list({u"a=1"_s, u"A=2"_s});
    list.setValue(u"a"_s, u"9"_s);
    QCOMPARE(list.lines(), (QStringList{u"a=9"_s, u"A=2"_s}));
    list.setValue(u"b"_s, u"3"_s);
    QCOMPARE(list.lines().last(), u"b=3"_s);
    list.setValue(u"A"_s, QString());
    // The first line with the key goes; the second now wins.
    QCOMPARE(list.lines(), (QStringList{u"A=2"_s, u"b=3"_s}));
    QCOMPARE(list.value(u"a"_s), u"2"_s);
}

void TestKeyValueList::linesWithoutKeyAreKept()
{
    KeyValueList list({u"garbage"_s, u""_s, u"=novalue"_s});
    list.setValue(u"x"_s, u"1"_s);
    QCOMPARE(list.lines(), (QStringList{u"garbage"_s, u""_s, u"=novalue"_s, u"x=1"_s}));
    QCOMPARE(list.value(QString(u""_s)), u"novalue"_s);
}

void TestKeyValueList::indexStaysRightAfterEdits()
{
    QStringList lines;
    for (int i = 0; i < 1000; ++i)
        lines.append(QStringLiteral("k%1=%1").arg(i));
    KeyValueList list(lines);
    QCOMPARE(list.value(u"K500"_s), u"500"_s);
    list.removeAt(0);
    QCOMPARE(list.indexOf(u"k500"_s), 499);
    list.append(u"k0=back"_s);
    QCOMPARE(list.value(u"k0"_s), u"back"_s);
    list.replaceAt(0, u"k1=changed"_s);
    QCOMPARE(list.value(u"k1"_s), u"changed"_s);
}

QTEST_GUILESS_MAIN(TestKeyValueList)
#include "tst_keyvaluelist.moc"
