#include "core/navigation/dropplan.h"

#include "testsupport/files.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace kazari;
using namespace kazari::test;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(kazari::DropPlan::Place)
Q_DECLARE_METATYPE(kazari::DropPlan::Action)

class TestDropPlan : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void localPathsAreWholeLocalFilesOnly();
    void plan_data();
    void plan();
    void listFileModeAppendsWhatALineCanHold();
    void ontoFolderTakesWhatCanGo();
    void arrivedAreTheFinalNames();

private:
    QString path(const QString &relative) const { return m_data.filePath(relative); }
    QTemporaryDir m_data;
};

void TestDropPlan::initTestCase()
{
    QVERIFY(m_data.isValid());
    for (const char *dir : {"here", "there", "there/sub", "there/_m.ini.d"})
        QVERIFY(QDir().mkpath(path(QString::fromLatin1(dir))));
    for (const char *file : {"here/x.txt", "there/a.txt", "there/b.txt", "there/_m.ini",
                             "there/_M.rule", "there/_m.Script"})
        QVERIFY(writeFile(path(QString::fromLatin1(file)), "x"));
}

void TestDropPlan::localPathsAreWholeLocalFilesOnly()
{
    // A path far beyond 256 characters stays whole.
    const QString deep = path(u"there/"_s + QString(300, u'q') + u".txt"_s);
    const QList<QUrl> urls{
        QUrl(u"https://example.org/a.txt"_s), QUrl::fromLocalFile(path(u"there/a.txt"_s)),
        QUrl::fromLocalFile(path(u"there/sub/"_s)), QUrl::fromLocalFile(deep),
        QUrl(u"sftp://host/there/b.txt"_s),
        // The folder's own annotation and rule files never travel alone;
        // a folder that merely has such a name does.
        QUrl::fromLocalFile(path(u"there/_m.ini"_s)), QUrl::fromLocalFile(path(u"there/_M.rule"_s)),
        QUrl::fromLocalFile(path(u"there/_m.Script"_s)),
        QUrl::fromLocalFile(path(u"there/_m.ini.d"_s))};
    const QStringList paths = DropPlan::localPaths(urls);
    QCOMPARE(paths, (QStringList{path(u"there/a.txt"_s), path(u"there/sub"_s), deep,
                                 path(u"there/_m.ini.d"_s)}));
    QCOMPARE(paths.at(2).size(), deep.size());
    QCOMPARE(DropPlan::pendingSelection(paths).at(1), u"sub"_s);
}

void TestDropPlan::plan_data()
{
    QTest::addColumn<QStringList>("dropped"); // relative to the data folder
    QTest::addColumn<DropPlan::Place>("place");
    QTest::addColumn<QString>("current"); // relative; "::" a virtual location
    QTest::addColumn<bool>("searchResults");
    QTest::addColumn<bool>("dropAllowed");
    QTest::addColumn<bool>("ownDrag");
    QTest::addColumn<DropPlan::Action>("action");
    QTest::addColumn<int>("paths");

    const QStringList two{u"there/a.txt"_s, u"there/b.txt"_s};
    const auto list = DropPlan::Place::ItemList;
    QTest::newRow("two files onto the list")
        << two << list << u"here"_s << false << true << false << DropPlan::Action::DropMenu << 2;
    QTest::newRow("onto the window") << two << DropPlan::Place::MainWindow << u"here"_s << false
                                     << true << false << DropPlan::Action::DropMenu << 2;
    QTest::newRow("one of the current folder's own stops all")
        << QStringList{u"there/a.txt"_s, u"here/x.txt"_s} << list << u"here"_s << false << true
        << false << DropPlan::Action::Nothing << 0;
    QTest::newRow("drop not allowed")
        << two << list << u"here"_s << false << false << false << DropPlan::Action::Nothing << 0;
    QTest::newRow("own drag shows no menu")
        << two << list << u"here"_s << false << true << true << DropPlan::Action::Nothing << 0;
    QTest::newRow("search results ignore drops")
        << two << list << u"here"_s << true << true << false << DropPlan::Action::Nothing << 0;
    QTest::newRow("no copy into a virtual location")
        << two << list << u"::"_s << false << true << false << DropPlan::Action::Nothing << 0;
    QTest::newRow("only companion files")
        << QStringList{u"there/_m.ini"_s} << list << u"here"_s << false << true << false
        << DropPlan::Action::Nothing << 0;
    QTest::newRow("favourites take the current folder's items too")
        << QStringList{u"here/x.txt"_s, u"there/sub"_s} << DropPlan::Place::Favourites << u"here"_s
        << false << true << true << DropPlan::Action::AddToFavourites << 2;
    QTest::newRow("favourites with drops not allowed")
        << two << DropPlan::Place::Favourites << u"here"_s << false << false << false
        << DropPlan::Action::Nothing << 0;
    QTest::newRow("elsewhere") << two << DropPlan::Place::Elsewhere << u"here"_s << false << true
                               << false << DropPlan::Action::Nothing << 0;
}

void TestDropPlan::plan()
{
    QFETCH(QStringList, dropped);
    QFETCH(DropPlan::Place, place);
    QFETCH(QString, current);
    QFETCH(bool, searchResults);
    QFETCH(bool, dropAllowed);
    QFETCH(bool, ownDrag);
    QFETCH(DropPlan::Action, action);
    QFETCH(int, paths);

    DropPlan::Input in;
    for (const QString &d : dropped)
        in.urls.append(QUrl::fromLocalFile(path(d)));
    in.place = place;
    in.currentFolder =
        current == u"::"_s ? u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\"_s : path(current) + u'/';
    in.searchResultMode = searchResults;
    in.dropAllowed = dropAllowed;
    in.ownDrag = ownDrag;
    const DropPlan plan = DropPlan::make(in);
    QCOMPARE(plan.action, action);
    QCOMPARE(plan.paths.size(), paths);
}

void TestDropPlan::listFileModeAppendsWhatALineCanHold()
{
    DropPlan::Input in;
    in.urls = {QUrl::fromLocalFile(path(u"there/a.txt"_s)),
               QUrl::fromLocalFile(path(u"there/line\nbreak"_s))};
    in.currentFolder = path(u"here/"_s);
    in.listFileMode = true;
    const DropPlan plan = DropPlan::make(in);
    QCOMPARE(plan.action, DropPlan::Action::Nothing);
    QCOMPARE(plan.listFileLines, QStringList{path(u"there/a.txt"_s)});
    QCOMPARE(plan.refused, QStringList{path(u"there/line\nbreak"_s)});
}

void TestDropPlan::ontoFolderTakesWhatCanGo()
{
    const DropPlan::FolderDrop drop = DropPlan::ontoFolder(
        {path(u"there/a.txt"_s), path(u"there/gone.txt"_s), path(u"there/_m.ini"_s),
         path(u"there/sub/"_s), path(u"there/b.txt"_s)},
        path(u"there/sub"_s));
    QCOMPARE(drop.destination, path(u"there/sub/"_s));
    QCOMPARE(drop.sources, (QStringList{path(u"there/a.txt"_s), path(u"there/b.txt"_s)}));
    QCOMPARE(drop.problems, (QStringList{path(u"there/gone.txt"_s), path(u"there/_m.ini"_s),
                                         path(u"there/sub"_s)}));
}

void TestDropPlan::arrivedAreTheFinalNames()
{
    FileOperationResult result;
    result.items = {{u"/s/a.txt"_s, ItemStatus::Done, u"/d/a (2).txt"_s, {}, 0, false, {}},
                    {u"/s/b.txt"_s, ItemStatus::Failed, {}, u"denied"_s, 0, false, {}},
                    {u"/s/c.txt"_s, ItemStatus::Cancelled, {}, {}, 0, false, {}},
                    {u"/d/e.txt"_s, ItemStatus::Skipped, u"/d/e.txt"_s, {}, 0, false, {}}};
    QCOMPARE(DropPlan::arrived(result), (QStringList{u"/d/a (2).txt"_s, u"/d/e.txt"_s}));
}

QTEST_GUILESS_MAIN(TestDropPlan)
#include "tst_dropplan.moc"
