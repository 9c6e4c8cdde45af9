#include "core/itemlist/columnsets.h"
#include "core/itemlist/detailscolumns.h"
#include "testsupport/files.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kazari;
using namespace Qt::StringLiterals;

class TestColumnSets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void laterSetsWin_data();
    void laterSetsWin();
    void storedWidths_data();
    void storedWidths();
    void widthsWrittenBack();
    void detailsTexts();
    void taskAndExtendedCommentTexts();
};

void TestColumnSets::laterSetsWin_data()
{
    QTest::addColumn<bool>("listFile");
    QTest::addColumn<bool>("details");
    QTest::addColumn<bool>("task");
    QTest::addColumn<bool>("extended");
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("columns");

    QTest::newRow("plain") << false << false << false << false << int(ColumnSets::Plain) << 4;
    QTest::newRow("list file") << true << false << false << false << int(ColumnSets::ListFile) << 3;
    QTest::newRow("details over list file")
        << true << true << false << false << int(ColumnSets::Details) << 6;
    QTest::newRow("task over details")
        << false << true << true << false << int(ColumnSets::Task) << 12;
    QTest::newRow("extended comment over task")
        << true << true << true << true << int(ColumnSets::ExtendedComment) << 12;
}

void TestColumnSets::laterSetsWin()
{
    QFETCH(bool, listFile);
    QFETCH(bool, details);
    QFETCH(bool, task);
    QFETCH(bool, extended);
    QFETCH(int, set);
    QFETCH(int, columns);
    const ColumnSets::Set chosen = ColumnSets::choose(listFile, details, task, extended);
    QCOMPARE(int(chosen), set);
    const QStringList captions = ColumnSets::captions(chosen, {u"一"_s, u"二"_s});
    QCOMPARE(captions.size(), columns);
    QCOMPARE(captions.mid(0, 2), (QStringList{u"名前"_s, u"コメント"_s}));
    if (chosen == ColumnSets::ExtendedComment) {
        // The captions of CmtName1 to CmtName10; names not set give empty captions.
        QCOMPARE(captions.at(2), u"一"_s);
        QCOMPARE(captions.at(3), u"二"_s);
        QCOMPARE(captions.at(11), QString());
    }
}

void TestColumnSets::storedWidths_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QList<int>>("widths");

    const QList<int> hundreds(12, 100);
    QTest::newRow("default") << ColumnSets::defaultWidths0()
                             << QList<int>{200, 200, 100, 100, 100, 100,
                                           100, 100, 100, 100, 100, 100};
    QTest::newRow("absent") << QString() << hundreds;
    QList<int> mixed = hundreds;
    mixed[0] = 250;
    mixed[4] = 150;
    mixed[5] = 0;
    QTest::newRow("bad entries give 100")
        << u"250,abc,,-5,\"150\",0,20000,99999999999,1.5, 80x"_s << mixed;
    QList<int> short3 = hundreds;
    short3[0] = 30;
    short3[1] = 40;
    QTest::newRow("too few entries") << u"30,40"_s << short3;
}

void TestColumnSets::storedWidths()
{
    QFETCH(QString, setting);
    QFETCH(QList<int>, widths);
    QCOMPARE(ColumnSets::widths(setting), widths);
}

void TestColumnSets::widthsWrittenBack()
{
    // The shown columns replace the first entries in quotes; the rest stay as written.
    QCOMPARE(ColumnSets::storedWidths(u"1,2,3,4,5,6,7,8,9,10,11,12"_s, {50, 60, 70}),
             u"\"50\",\"60\",\"70\",4,5,6,7,8,9,10,11,12"_s);
    // A short value is filled to twelve with 100.
    QCOMPARE(ColumnSets::storedWidths(u"1,2,3,4"_s, {9}),
             u"\"9\",2,3,4,100,100,100,100,100,100,100,100"_s);
    // What is written reads back as the widths of the columns.
    const QString stored =
        ColumnSets::storedWidths(ColumnSets::defaultWidths0(), {210, 190, 80, 120, 100, 60});
    QCOMPARE(ColumnSets::widths(stored).mid(0, 6), (QList<int>{210, 190, 80, 120, 100, 60}));
    QCOMPARE(ColumnSets::widths(stored).size(), 12);
}

void TestColumnSets::detailsTexts()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(u"memo.txt"_s);
    QVERIFY(test::writeFile(file, QByteArray(1536, 'x')));
    const QString folder = dir.filePath(u"sub"_s);
    QVERIFY(QDir().mkpath(folder));
    const QString readOnly = dir.filePath(u"fixed.txt"_s);
    QVERIFY(test::writeFile(readOnly, "x"));
    QVERIFY(QFile::setPermissions(readOnly, QFileDevice::ReadOwner));

    auto texts = [](ColumnSets::Set set, const QString &path, bool isFolder, qint64 size = 0,
                    bool folderSizes = false) {
        ItemRecord r;
        r.PATH = path;
        r.Name = path.mid(path.lastIndexOf(u'/') + 1);
        r.isFolder = isFolder;
        r.Size = size;
        DetailsColumns::Item item;
        item.record = &r;
        item.annotation.cmt = u"note"_s;
        item.folderSizes = folderSizes;
        return DetailsColumns::texts(set, item);
    };

    QStringList t = texts(ColumnSets::Details, file, false);
    QCOMPARE(t.size(), 5);
    QCOMPARE(t.at(0), u"note"_s);
    QCOMPARE(t.at(1), u"1.50KB"_s);
    QVERIFY(!t.at(2).isEmpty()); // the type name
    QCOMPARE(t.at(3), QFileInfo(file).lastModified().toString(u"yyyy/MM/dd H:mm:ss"_s));
    QCOMPARE(t.at(4), u"      "_s);

    t = texts(ColumnSets::Details, folder, true, 4096);
    QCOMPARE(t.at(1), QString()); // no folder sizes without "フォルダ容量の表示"
    QCOMPARE(t.at(4), u" D    "_s);
    t = texts(ColumnSets::Details, folder, true, 4096, true);
    QCOMPARE(t.at(1), u"4.00KB"_s);

    QCOMPARE(texts(ColumnSets::Details, readOnly, false).at(4), u"    R "_s);
    // A vanished item: no size, no time, and "O" for attributes that cannot be read.
    t = texts(ColumnSets::Details, dir.filePath(u"gone.txt"_s), false);
    QCOMPARE(t.size(), 5);
    QCOMPARE(t.at(1), QString());
    QCOMPARE(t.at(3), QString());
    QCOMPARE(t.at(4), u"O"_s);

    QCOMPARE(texts(ColumnSets::Plain, file, false), (QStringList{u"note"_s, file, u"1.50KB"_s}));
    QCOMPARE(texts(ColumnSets::ListFile, file, false), (QStringList{u"note"_s, file}));
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void TestColumnSets::taskAndExtendedCommentTexts()
{
    ItemRecord r;
    r.PATH = u"/nowhere/plan.txt"_s;
    r.Name = u"plan.txt"_s;
    DetailsColumns::Item item;
    item.record = &r;
    item.annotation.cmt = u"c"_s;
    item.annotation.label = u"2"_s;
    item.annotation.s = u"7"_s;
    item.annotation.TS = u"2026/03/10,9:00:00"_s;
    item.annotation.TE = u"2026/03/11,9:00:00"_s;
    item.annotation.imp = u"3"_s;
    item.annotation.impN = u"1,2026/03/11,8:00:00"_s;
    item.annotation.comp = u"0"_s;
    item.annotation.oneColor = u"255"_s;
    const QStringList task = DetailsColumns::texts(ColumnSets::Task, item);
    QCOMPARE(task,
             (QStringList{u"c"_s, u"2"_s, u"7"_s, u"2026/03/10,9:00:00"_s, u"2026/03/11,9:00:00"_s,
                          u"3"_s, u"1"_s, u"2026/03/11"_s, u"O"_s, u"0"_s, u"255"_s}));

    // Eleven quoted fields, one holding a comma; the ten named ones get columns.
    item.extendedComment =
        u"\"a,b\",\"2\",\"\",\"4\",\"5\",\"6\",\"7\",\"8\",\"9\",\"10\",\"11\""_s;
    const QStringList extended = DetailsColumns::texts(ColumnSets::ExtendedComment, item);
    QCOMPARE(extended.size(), 11);
    QCOMPARE(extended.at(0), u"c"_s);
    QCOMPARE(extended.at(1), u"a,b"_s);
    QCOMPARE(extended.at(3), QString());
    QCOMPARE(extended.at(10), u"10"_s);
    // Without an extended comment the columns are there and empty.
    item.extendedComment.clear();
    QCOMPARE(DetailsColumns::texts(ColumnSets::ExtendedComment, item),
             QStringList(u"c"_s) + QStringList(10));
}

QTEST_GUILESS_MAIN(TestColumnSets)
#include "tst_columnsets.moc"
