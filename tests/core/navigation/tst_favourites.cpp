#include "core/navigation/favourites.h"

#include "testsupport/tempprogramfolder.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace kazari;
using namespace kazari::test;
using namespace Qt::StringLiterals;

class TestFavourites : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadDropsVanishedPlacesAndKeepsForeignOnes();
    void placesThatCannotBeCheckedStay();
    void missingFileIsNotCreatedByLoading();
    void commandsEditAndSave();
    void unreadableFileIsNeverReplaced();
    void movesPassOverLinesNotShown();
    void categoryStamp();
    void textColour_data();
    void textColour();
};

void TestFavourites::loadDropsVanishedPlacesAndKeepsForeignOnes()
{
    TempProgramFolder pf;
    QTemporaryDir data;
    const QString a = data.filePath(u"a"_s);
    QVERIFY(QDir().mkpath(a));
    const QByteArray aa = QFile::encodeName(a);
    const QByteArray gone = QFile::encodeName(data.filePath(u"gone"_s));
    QVERIFY(pf.writeBytes(u"pathlist.ini"_s, "\t45000.500000=Work\r\n" + aa + "=!Project\r\n-\r\n" +
                                                 gone + "=old\r\n" + aa + "=!Project\r\n" +
                                                 "C:\\Docs=win\r\n" + aa + "\r\n"));
    Favourites f(pf.folder());
    QString error;
    QVERIFY2(f.load(&error), qPrintable(error));
    // "-", the repeated line and the vanished folder are gone from the file; the
    // Windows place stays word for word but is not shown.
    const QByteArray kept =
        "\t45000.500000=Work\r\n" + aa + "=!Project\r\nC:\\Docs=win\r\n" + aa + "\r\n";
    QCOMPARE(pf.readBytes(u"pathlist.ini"_s), kept);
    QCOMPARE(f.entries().size(), 3);
    QCOMPARE(f.entries().at(0),
             (Favourites::Entry{Favourites::Entry::Category, u"45000.500000"_s, u"Work"_s, 0}));
    QCOMPARE(f.entries().at(1), (Favourites::Entry{Favourites::Entry::Place, a, u"!Project"_s, 1}));
    QCOMPARE(f.entries().at(1).caption(), u"!Project"_s);
    // A place without display name shows its last component.
    QCOMPARE(f.entries().at(2).line, 3);
    QCOMPARE(f.entries().at(2).caption(), u"a"_s);

    // A second load changes nothing.
    QVERIFY(f.load());
    QCOMPARE(pf.readBytes(u"pathlist.ini"_s), kept);
}

void TestFavourites::placesThatCannotBeCheckedStay()
{
    // Below a missing folder (a disk that is not plugged in) or below a file, a place may
    // come back: only a place missing from a folder that is there is dropped.
    TempProgramFolder pf;
    QTemporaryDir data;
    QFile plain(data.filePath(u"plain"_s));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QByteArray unplugged = QFile::encodeName(data.filePath(u"disk/photos"_s)) + "=photos\n";
    const QByteArray underFile = QFile::encodeName(plain.fileName()) + "/sub=sub\n";
    const QByteArray gone = QFile::encodeName(data.filePath(u"gone"_s)) + "=gone\n";
    QVERIFY(pf.writeBytes(u"pathlist.ini"_s, unplugged + gone + underFile));
    Favourites f(pf.folder());
    QVERIFY(f.load());
    QCOMPARE(pf.readBytes(u"pathlist.ini"_s), unplugged + underFile);
    QCOMPARE(f.entries().size(), 2);
}

void TestFavourites::missingFileIsNotCreatedByLoading()
{
    TempProgramFolder pf;
    Favourites f(pf.folder());
    QVERIFY(f.load());
    QVERIFY(f.entries().isEmpty());
    QVERIFY(!pf.exists(u"pathlist.ini"_s));
}

void TestFavourites::commandsEditAndSave()
{
    TempProgramFolder pf;
    QTemporaryDir data;
    const QString a = data.filePath(u"a"_s);
    const QString b = data.filePath(u"b.txt"_s);
    QVERIFY(QDir().mkpath(a));
    QVERIFY(pf.writeBytes(u"pathlist.ini"_s, QFile::encodeName(a) + "=one\n"));
    Favourites f(pf.folder());
    QVERIFY(f.load());

    // Adding a listed place refreshes its name; a new one is appended.
    QCOMPARE(f.addPlace(a + u'/', u"comment\nwith break"_s), 0);
    QCOMPARE(f.addPlace(b, QString()), 1);
    QCOMPARE(f.lines(), (QStringList{a + u"=comment with break"_s, b + u'='}));
    // A path with "=" cannot be told apart from its name afterwards.
    QString error;
    QCOMPARE(f.addPlace(data.filePath(u"x=y"_s), u"n"_s, &error), -1);
    QVERIFY(!error.isEmpty());
    QCOMPARE(f.addPlace(u"relative"_s, u"n"_s), -1);
    // Nor can a path with a line break; the file stays as it was.
    const QByteArray before = pf.readBytes(u"pathlist.ini"_s);
    error.clear();
    QCOMPARE(f.addPlace(data.filePath(u"x\ny"_s), u"n"_s, &error), -1);
    QVERIFY(!error.isEmpty());
    QCOMPARE(pf.readBytes(u"pathlist.ini"_s), before);

    const QDateTime when(QDate(2026, 1, 1), QTime(6, 0));
    QCOMPARE(f.addCategory(1, when), 1);
    QCOMPARE(f.lines().at(1), u"\t46023.250000=新しいカテゴリ"_s);
    QVERIFY(f.rename(1, u"Mine"_s));
    QVERIFY(f.moveUp(1));
    QVERIFY(!f.moveUp(0));
    QVERIFY(f.moveDown(1));
    QVERIFY(!f.moveDown(2));
    QVERIFY(f.remove(1));
    const QStringList expected{u"\t46023.250000=Mine"_s, a + u"=comment with break"_s};
    QCOMPARE(f.lines(), expected);
    QCOMPARE(QString::fromUtf8(pf.readBytes(u"pathlist.ini"_s)), expected.join(u'\n') + u'\n');

    // Adding a place is an explicit wish to keep it: the file is made when missing.
    TempProgramFolder empty;
    Favourites g(empty.folder());
    QCOMPARE(g.addPlace(a, u"x"_s), 0);
    QCOMPARE(empty.readBytes(u"pathlist.ini"_s), QFile::encodeName(a) + "=x\n");
}

void TestFavourites::unreadableFileIsNeverReplaced()
{
    TempProgramFolder pf;
    QVERIFY(QDir().mkpath(pf.file(u"pathlist.ini"_s)));
    Favourites f(pf.folder());
    QString error;
    QVERIFY(!f.load(&error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(f.addPlace(pf.path(), u"x"_s), -1);
    QCOMPARE(f.addCategory(-1, QDateTime::currentDateTime()), -1);
    QVERIFY(QFileInfo(pf.file(u"pathlist.ini"_s)).isDir());
}

void TestFavourites::movesPassOverLinesNotShown()
{
    // A Windows place between two shown entries is kept but not shown: moving an entry
    // up or down changes places with the entry the user sees next to it.
    TempProgramFolder pf;
    QTemporaryDir data;
    const QString a = data.filePath(u"a"_s);
    const QString b = data.filePath(u"b"_s);
    QVERIFY(QDir().mkpath(a));
    QVERIFY(QDir().mkpath(b));
    QVERIFY(pf.writeBytes(u"pathlist.ini"_s, QFile::encodeName(a) + "=A\nC:\\Docs=win\n" +
                                                 QFile::encodeName(b) + "=B\n"));
    Favourites f(pf.folder());
    QVERIFY(f.load());
    QCOMPARE(f.entries().size(), 2);
    QVERIFY(f.moveUp(2));
    QCOMPARE(f.lines(), (QStringList{b + u"=B"_s, a + u"=A"_s, u"C:\\Docs=win"_s}));
    QVERIFY(!f.moveUp(0));
    QVERIFY(f.moveDown(0));
    QCOMPARE(f.entries().at(0).name, u"A"_s);
    QCOMPARE(f.entries().at(1).name, u"B"_s);
    QVERIFY(!f.moveDown(f.entries().at(1).line));
}

void TestFavourites::categoryStamp()
{
    QCOMPARE(Favourites::categoryStamp(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), u"0.000000"_s);
    QCOMPARE(Favourites::categoryStamp(QDateTime(QDate(1900, 1, 1), QTime(18, 0))), u"2.750000"_s);
}

void TestFavourites::textColour_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("colour");
    QTest::newRow("aqua") << u"!a"_s << 16776960;
    QTest::newRow("silver $") << u"$a"_s << 12632256;
    QTest::newRow("silver &") << u"&a"_s << 12632256;
    QTest::newRow("green") << u"\\a"_s << 32768;
    QTest::newRow("teal") << u"_a"_s << 8421376;
    QTest::newRow("plain") << u"a!"_s << 0;
    QTest::newRow("empty") << QString() << 0;
}

void TestFavourites::textColour()
{
    QFETCH(QString, name);
    QFETCH(int, colour);
    QCOMPARE(Favourites::textColour(name), colour);
}

QTEST_GUILESS_MAIN(TestFavourites)
#include "tst_favourites.moc"
