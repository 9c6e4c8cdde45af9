#include "core/fileops/itemcreation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kazari;
using namespace Qt::StringLiterals;

namespace
{

// Makes the entries listed: a trailing "/" makes a folder, anything else a file with its own
// name as content.
void make(const QString &root, const QStringList &entries)
{
    for (const QString &e : entries) {
        if (e.endsWith(u'/')) {
            QVERIFY(QDir().mkpath(root + u'/' + e));
        } else {
            QFile f(root + u'/' + e);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(e.toUtf8());
        }
    }
}

QStringList listing(const QString &root)
{
    QStringList out;
    const QFileInfoList infos = QDir(root).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &i : infos)
        out.append(i.fileName() + (i.isDir() ? u"/"_s : QString()));
    return out;
}

} // namespace

class TestItemCreation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void create_data();
    void create();
    void refusedNames_data();
    void refusedNames();
    void batch_data();
    void batch();
    void existingFileKeepsItsContent();
};

void TestItemCreation::create_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<bool>("folder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("plainFirst");
    QTest::addColumn<QString>("created"); // empty: nothing created
    QTest::addColumn<int>("taken");
    QTest::addColumn<int>("number");

    QTest::newRow("folder free") << QStringList() << true << u"a"_s << true << u"a"_s << 0 << -1;
    QTest::newRow("folder a and a_0 taken")
        << QStringList{u"a/"_s, u"a_0/"_s} << true << u"a"_s << true << u"a_1"_s << 2 << 1;
    QTest::newRow("untitled folder always numbered")
        << QStringList() << true << ItemCreation::untitledFolderStem() << false
        << ItemCreation::untitledFolderStem() + u"0"_s << 0 << 0;
    QTest::newRow("untitled 0 taken") << QStringList{ItemCreation::untitledFolderStem() + u"0/"_s}
                                      << true << ItemCreation::untitledFolderStem() << false
                                      << ItemCreation::untitledFolderStem() + u"1"_s << 1 << 1;
    QTest::newRow("file taken") << QStringList{u"x"_s} << false << u"x"_s << true << u"x_0"_s << 1
                                << 0;
    QTest::newRow("folder where a file is: fails")
        << QStringList{u"x"_s} << true << u"x"_s << true << QString() << 0 << -1;
    QTest::newRow("file where a folder is: fails")
        << QStringList{u"x/"_s} << false << u"x"_s << true << QString() << 0 << -1;
}

void TestItemCreation::create()
{
    QFETCH(QStringList, existing);
    QFETCH(bool, folder);
    QFETCH(QString, name);
    QFETCH(bool, plainFirst);
    QFETCH(QString, created);
    QFETCH(int, taken);
    QFETCH(int, number);

    QTemporaryDir dir;
    make(dir.path(), existing);
    const QStringList before = listing(dir.path());
    int counter = 0;
    const ItemCreation::Created c = ItemCreation::create(
        dir.path(), folder ? ItemCreation::Kind::Folder : ItemCreation::Kind::File, name,
        plainFirst ? u"_"_s : QString(), &counter, plainFirst);
    if (created.isEmpty()) {
        QVERIFY(!c.ok);
        QVERIFY(!c.message.isEmpty());
        QCOMPARE(listing(dir.path()), before);
        return;
    }
    QVERIFY2(c.ok, qPrintable(c.message));
    QCOMPARE(c.path, dir.path() + u'/' + created);
    QCOMPARE(QFileInfo(c.path).isDir(), folder);
    if (!folder)
        QCOMPARE(QFileInfo(c.path).size(), 0);
    QCOMPARE(c.taken, taken);
    QCOMPARE(c.number, number);
}

void TestItemCreation::refusedNames_data()
{
    QTest::addColumn<QString>("name");
    for (const QString &n :
         {u"../x"_s, u"a/b"_s, u"/tmp/x"_s, QString(), u"."_s, u".."_s, u"_m.ini"_s, u"_M.INI"_s,
          u"_m.rule"_s, u"_m.Script"_s, u"_m.bmp"_s, QString(256, u'n')})
        QTest::newRow(qPrintable(n.left(12))) << n;
}

void TestItemCreation::refusedNames()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    QVERIFY(!ItemCreation::checkNewName(name).isEmpty());
    for (auto kind : {ItemCreation::Kind::Folder, ItemCreation::Kind::File}) {
        int counter = 0;
        const ItemCreation::Created c =
            ItemCreation::create(dir.path(), kind, name, u"_"_s, &counter);
        QVERIFY(!c.ok);
        QVERIFY(c.refused);
        const ItemCreation::Batch b = ItemCreation::createBatch(dir.path(), kind, {name});
        QVERIFY(b.created.isEmpty());
    }
    QCOMPARE(listing(dir.path()), QStringList());
}

void TestItemCreation::batch_data()
{
    QTest::addColumn<bool>("folders");
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("count");

    QTest::newRow("a b c") << true << QStringList() << QStringList{u"a"_s, u"b"_s, u"c"_s}
                           << QStringList{u"a/"_s, u"b/"_s, u"c/"_s} << 3;
    QTest::newRow("counter carries over")
        << true << QStringList{u"a/"_s, u"b/"_s} << QStringList{u"a"_s, u"b"_s}
        << QStringList{u"a/"_s, u"a_0/"_s, u"b/"_s, u"b_1/"_s} << 2;
    QTest::newRow("empty lines skipped and not counted")
        << true << QStringList() << QStringList{QString(), u"a"_s, QString()}
        << QStringList{u"a/"_s} << 1;
    QTest::newRow("same line twice") << false << QStringList() << QStringList{u"f"_s, u"f"_s}
                                     << QStringList{u"f"_s, u"f_0"_s} << 2;
    QTest::newRow("folder failure goes on")
        << true << QStringList{u"x"_s} << QStringList{u"x"_s, u"../up"_s, u"y"_s}
        << QStringList{u"x"_s, u"y/"_s} << 3;
    QTest::newRow("file failure ends the batch")
        << false << QStringList{u"d/"_s} << QStringList{u"a"_s, u"d"_s, u"z"_s}
        << QStringList{u"a"_s, u"d/"_s} << 2;
}

void TestItemCreation::batch()
{
    QFETCH(bool, folders);
    QFETCH(QStringList, existing);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, after);
    QFETCH(int, count);
    QTemporaryDir dir;
    make(dir.path(), existing);
    const ItemCreation::Batch b = ItemCreation::createBatch(
        dir.path(), folders ? ItemCreation::Kind::Folder : ItemCreation::Kind::File, lines);
    QCOMPARE(listing(dir.path()), after);
    QCOMPARE(b.lines, count);
}

void TestItemCreation::existingFileKeepsItsContent()
{
    QTemporaryDir dir;
    make(dir.path(), {u"keep"_s});
    const ItemCreation::Batch b =
        ItemCreation::createBatch(dir.path(), ItemCreation::Kind::File, {u"keep"_s});
    QCOMPARE(b.created, QStringList{dir.path() + u"/keep_0"_s});
    QFile f(dir.path() + u"/keep"_s);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("keep"));
}

QTEST_GUILESS_MAIN(TestItemCreation)
#include "tst_itemcreation.moc"
