#include "core/platform/textfile.h"
#include "testsupport/smalltmpfs.h"
#include "testsupport/tempprogramfolder.h"
#include "testsupport/withoutrootrights.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace kazari;
using namespace Qt::StringLiterals;

class TestTextFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTripKeepsBytes_data();
    void roundTripKeepsBytes();
    void decodesEncodings_data();
    void decodesEncodings();
    void cp932UpgradesToUtf8WithMarkWhenNeeded();
    void damagedLinesSurviveUnchanged();
    void damagedLinesKeepTheirOwnBytesThroughEveryRewrite();
    void writeIsAtomicAndReportsFailure();
    void fullDiskKeepsTheOldBytes();
    void regularFilesOnlyRefusesLinks();
    void missingFileIsNotAnError();
};

void TestTextFile::roundTripKeepsBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("utf8 lf") << QByteArray("a=1\nb=\xE3\x81\x82\n");
    QTest::newRow("utf8 crlf no final") << QByteArray("a=1\r\nb=2");
    QTest::newRow("utf8 cr") << QByteArray("a=1\rb=2\r");
    QTest::newRow("utf8 bom") << QByteArray("\xEF\xBB\xBFx=\xE6\xBC\xA2\r\n");
    QTest::newRow("cp932 with backslash") << QByteArray("\x83\x5C=C:\\dir\\\r\n\x95\x5C\r\n");
    QTest::newRow("utf16le") << QByteArray("\xFF\xFE"
                                           "a\0=\0"
                                           "1\0\r\0\n\0",
                                           12);
    QTest::newRow("utf16be") << QByteArray("\xFE\xFF\0a\0=\0"
                                           "1\0\n",
                                           10);
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("blank lines") << QByteArray("\n\n\n");
    QTest::newRow("nul inside") << QByteArray("a\0b=1\n", 6);
}

void TestTextFile::roundTripKeepsBytes()
{
    QFETCH(QByteArray, bytes);
    const TextDocument doc = TextFile::decode(bytes);
    QCOMPARE(TextFile::encode(doc), bytes);
}

void TestTextFile::decodesEncodings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("encoding");
    QTest::newRow("utf8") << QByteArray("\xE6\xBC\xA2=1\n") << QStringList{u"漢=1"_s}
                          << int(TextEncoding::Utf8);
    // 0x5C stays a backslash: "表" is 0x95 0x5C in CP932.
    QTest::newRow("cp932") << QByteArray("\x95\x5C\\\r\n") << QStringList{QStringLiteral(u"表\\")}
                           << int(TextEncoding::Cp932);
    QTest::newRow("mixed ends") << QByteArray("a\r\nb\nc\rd")
                                << QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s}
                                << int(TextEncoding::Utf8);
}

void TestTextFile::decodesEncodings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QFETCH(int, encoding);
    const TextDocument doc = TextFile::decode(bytes);
    QCOMPARE(doc.lines, lines);
    QCOMPARE(int(doc.format.encoding), encoding);
}

void TestTextFile::cp932UpgradesToUtf8WithMarkWhenNeeded()
{
    TextDocument doc = TextFile::decode(QByteArray("\x82\xA0=1\r\n"));
    QCOMPARE(int(doc.format.encoding), int(TextEncoding::Cp932));
    doc.lines.append(QStringLiteral(u"b=😀€"));
    TextFormat used;
    const QByteArray out = TextFile::encode(doc, &used);
    QCOMPARE(int(used.encoding), int(TextEncoding::Utf8));
    QVERIFY(used.byteOrderMark);
    QCOMPARE(out, QByteArray("\xEF\xBB\xBF\xE3\x81\x82=1\r\nb=\xF0\x9F\x98\x80\xE2\x82\xAC\r\n"));
    // And it reads back as the same lines.
    QCOMPARE(TextFile::decode(out).lines, doc.lines);

    // A character CP932 can hold keeps the file in CP932.
    TextDocument doc2 = TextFile::decode(QByteArray("\x82\xA0=1\r\n"));
    doc2.lines.append(QStringLiteral(u"い=2"));
    QCOMPARE(TextFile::encode(doc2, &used), QByteArray("\x82\xA0=1\r\n\x82\xA2=2\r\n"));
    QCOMPARE(int(used.encoding), int(TextEncoding::Cp932));
}

void TestTextFile::damagedLinesSurviveUnchanged()
{
    // Invalid in UTF-8 and in CP932: 0xFF and a lone lead byte at the end of a line.
    const QByteArray bytes("good=\x82\xA0\r\nbad=\xFF\xFE\x81\r\nlast=1\r\n");
    TextDocument doc = TextFile::decode(bytes);
    QCOMPARE(doc.lines.size(), 3);
    QCOMPARE(doc.lines.at(0), QStringLiteral(u"good=あ"));
    doc.lines[2] = QStringLiteral("last=2");
    QCOMPARE(TextFile::encode(doc), QByteArray("good=\x82\xA0\r\nbad=\xFF\xFE\x81\r\nlast=2\r\n"));
}

void TestTextFile::damagedLinesKeepTheirOwnBytesThroughEveryRewrite()
{
    // Two damaged lines that decode alike (a lone lead byte each), then a character CP932
    // cannot hold: the file becomes UTF-8 with a mark, each damaged line keeping its own
    // bytes, also when that file is read and rewritten again.
    TextDocument doc = TextFile::decode(QByteArray("x=\x81\r\nok=\x82\xA0\r\nx=\x82\r\n"));
    QCOMPARE(doc.lines.at(0), doc.lines.at(2));
    QCOMPARE(TextFile::encode(doc), QByteArray("x=\x81\r\nok=\x82\xA0\r\nx=\x82\r\n"));
    doc.lines.append(QStringLiteral(u"c=😀"));
    const QByteArray upgraded = TextFile::encode(doc);
    QCOMPARE(
        upgraded,
        QByteArray("\xEF\xBB\xBFx=\x81\r\nok=\xE3\x81\x82\r\nx=\x82\r\nc=\xF0\x9F\x98\x80\r\n"));
    TextDocument again = TextFile::decode(upgraded);
    again.lines.append(u"d=1"_s);
    QCOMPARE(TextFile::encode(again), upgraded + "d=1\r\n");
}

void TestTextFile::writeIsAtomicAndReportsFailure()
{
    test::TempProgramFolder dir;
    QVERIFY(dir.writeBytes(u"a.ini"_s, "old=1\n"));
    TextDocument doc;
    doc.lines = {u"new=2"_s};
    QString error;
    QVERIFY(TextFile::write(dir.file(u"a.ini"_s), doc, &error));
    QCOMPARE(dir.readBytes(u"a.ini"_s), QByteArray("new=2\n"));

    // A folder that cannot be written: the old bytes stay, the error is reported.
    QVERIFY(dir.writeBytes(u"ro/b.ini"_s, "keep=1\n"));
    QVERIFY(test::WithoutRootRights::letOthersIn(dir.path()));
    QVERIFY(QFile::setPermissions(dir.file(u"ro"_s),
                                  QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                      QFileDevice::ReadOther | QFileDevice::ExeOther));
    {
        // Root writes into any folder: the write runs with an ordinary user's rights.
        test::WithoutRootRights ordinary;
        QVERIFY(ordinary.ok());
        QVERIFY(!TextFile::write(dir.file(u"ro/b.ini"_s), doc, &error));
    }
    QVERIFY(!error.isEmpty());
    QCOMPARE(dir.readBytes(u"ro/b.ini"_s), QByteArray("keep=1\n"));
    QFile::setPermissions(dir.file(u"ro"_s),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void TestTextFile::fullDiskKeepsTheOldBytes()
{
    test::SmallTmpfs disk("size=64k");
    if (!disk.mounted())
        QSKIP("cannot mount a tmpfs here");
    const QString path = disk.file(u"a.ini"_s);
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        QVERIFY(old.write("keep=1\n") == 7);
    }
    {
        // Whatever room is left goes to a filler.
        QFile filler(disk.file(u"filler"_s));
        QVERIFY(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }
    TextDocument doc;
    for (int i = 0; i < 2000; ++i)
        doc.lines.append(u"line%1=%2"_s.arg(i).arg(QString(60, u'x')));
    QString error;
    QVERIFY(!TextFile::write(path, doc, &error));
    QVERIFY(!error.isEmpty());
    QFile back(path);
    QVERIFY(back.open(QIODevice::ReadOnly));
    QCOMPARE(back.readAll(), QByteArray("keep=1\n"));
    // No half-written copy is left beside it.
    QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

void TestTextFile::regularFilesOnlyRefusesLinks()
{
    test::TempProgramFolder dir;
    QVERIFY(dir.writeBytes(u"target.ini"_s, "secret=1\n"));
    QVERIFY(QFile::link(dir.file(u"target.ini"_s), dir.file(u"_m.ini"_s)));
    const auto r = TextFile::read(dir.file(u"_m.ini"_s), TextFile::RegularFilesOnly);
    QVERIFY(!r.found);
    TextDocument doc;
    doc.lines = {u"x=1"_s};
    QString error;
    QVERIFY(!TextFile::write(dir.file(u"_m.ini"_s), doc, &error, TextFile::RegularFilesOnly));
    QCOMPARE(dir.readBytes(u"target.ini"_s), QByteArray("secret=1\n"));
    QVERIFY(QFileInfo(dir.file(u"_m.ini"_s)).isSymLink());
}

void TestTextFile::missingFileIsNotAnError()
{
    test::TempProgramFolder dir;
    const auto r = TextFile::read(dir.file(u"none.ini"_s));
    QVERIFY(!r.found);
    QVERIFY(r.error.isEmpty());
    QVERIFY(!dir.exists(u"none.ini"_s));
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
