#include "core/navigation/dropplan.h"
#include "core/navigation/openplan.h"
#include "testsupport/tempprogramfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace kazari;
using namespace Qt::StringLiterals;

using Step = OpenPlan::Step;
using Place = DropPlan::Place;
using Action = DropPlan::Action;

Q_DECLARE_METATYPE(QList<kazari::OpenItem>)
Q_DECLARE_METATYPE(QList<kazari::OpenPlan::Step>)

namespace
{

// "$" stands for the test's data folder, "@" for the program folder.
QString expand(QString text, const QString &data, const QString &program = QString())
{
    text.replace(u"$"_s, data);
    return text.replace(u"@"_s, program);
}

} // namespace

/// Opening a selection and taking a drop, as plans: what is shown, opened and recorded.
class TestOpenPlan : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void plan_data();
    void plan();
    void listFileEntryOpensTheListFile();
    void drop_data();
    void drop();

private:
    QTemporaryDir m_data;
};

void TestOpenPlan::initTestCase()
{
    // $/dir, $/dir2, $/doc.txt, $/tool (executable), $/link -> dir, $/broken -> nowhere.
    QVERIFY(m_data.isValid());
    const QDir d(m_data.path());
    QVERIFY(d.mkpath(u"dir"_s));
    QVERIFY(d.mkpath(u"dir2"_s));
    for (const QString &name : {u"doc.txt"_s, u"tool"_s}) {
        QFile f(d.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QFile(d.filePath(u"tool"_s)).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    QVERIFY(QFile::link(d.filePath(u"dir"_s), d.filePath(u"link"_s)));
    QVERIFY(QFile::link(d.filePath(u"gone"_s), d.filePath(u"broken"_s)));
    // Desktop entries: a link to a folder, a link to a web page, an application.
    const QList<QPair<QString, QByteArray>> entries{
        {u"place.desktop"_s, "[Desktop Entry]\nType=Link\nName=Place\nURL=" +
                                 QUrl::fromLocalFile(d.filePath(u"dir"_s)).toEncoded() + "\n"},
        {u"web.desktop"_s, "[Desktop Entry]\nType=Link\nURL=https://example.org/\n"},
        {u"app.desktop"_s, "[Desktop Entry]\nType=Application\nExec=rm -rf %f\n"},
    };
    for (const auto &[name, text] : entries) {
        QFile f(d.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(text), text.size());
    }
}

void TestOpenPlan::plan_data()
{
    QTest::addColumn<QList<OpenItem>>("items");
    QTest::addColumn<QList<Step>>("steps");
    QTest::addColumn<QStringList>("recorded");

    const auto item = [](const QString &p) { return OpenItem{p, false, false}; };
    QTest::newRow("nothing selected") << QList<OpenItem>{} << QList<Step>{} << QStringList{};
    QTest::newRow("one folder shows it")
        << QList<OpenItem>{item(u"$/dir"_s)} << QList<Step>{{Step::ShowFolder, u"$/dir/"_s}}
        << QStringList{u"$/dir"_s};
    QTest::newRow("one file opens it")
        << QList<OpenItem>{item(u"$/doc.txt"_s)}
        << QList<Step>{{Step::OpenWithDefault, u"$/doc.txt"_s}} << QStringList{u"$/doc.txt"_s};
    // The program never runs a file itself: the desktop decides what opening it means.
    QTest::newRow("an executable goes to the default action")
        << QList<OpenItem>{item(u"$/tool"_s)} << QList<Step>{{Step::OpenWithDefault, u"$/tool"_s}}
        << QStringList{u"$/tool"_s};
    QTest::newRow("a link to a folder shows the target")
        << QList<OpenItem>{item(u"$/link"_s)} << QList<Step>{{Step::ShowFolder, u"$/dir/"_s}}
        << QStringList{u"$/dir"_s};
    QTest::newRow("a desktop link to a folder shows the target")
        << QList<OpenItem>{item(u"$/place.desktop"_s)}
        << QList<Step>{{Step::ShowFolder, u"$/dir/"_s}} << QStringList{u"$/dir"_s};
    // Other desktop entries are files: the desktop's default action decides, the
    // program never starts what an entry names.
    QTest::newRow("other desktop entries go to the default action")
        << QList<OpenItem>{item(u"$/web.desktop"_s), item(u"$/app.desktop"_s)}
        << QList<Step>{{Step::OpenWithDefault, u"$/web.desktop"_s},
                       {Step::OpenWithDefault, u"$/app.desktop"_s}}
        << QStringList{u"$/web.desktop"_s, u"$/app.desktop"_s};
    QTest::newRow("a broken link opens nothing")
        << QList<OpenItem>{item(u"$/broken"_s)} << QList<Step>{} << QStringList{};
    QTest::newRow("vanished, empty and foreign paths open nothing")
        << QList<OpenItem>{item(u"$/gone"_s), item(QString()), item(u"C:\\dir"_s)} << QList<Step>{}
        << QStringList{};
    QTest::newRow("several: folders in windows of their own, in list order")
        << QList<OpenItem>{item(u"$/dir"_s), item(u"$/doc.txt"_s), item(u"$/link"_s)}
        << QList<Step>{{Step::OpenFolderWindow, u"$/dir"_s},
                       {Step::OpenWithDefault, u"$/doc.txt"_s},
                       {Step::OpenFolderWindow, u"$/dir"_s}}
        << QStringList{u"$/dir"_s, u"$/doc.txt"_s, u"$/dir"_s};
    QTest::newRow("volume of the computer location")
        << QList<OpenItem>{{u"$/dir"_s, true, true}} << QList<Step>{{Step::ShowFolder, u"$/dir/"_s}}
        << QStringList{};
    QTest::newRow("virtual entries: browse containers, open the rest, record nothing")
        << QList<OpenItem>{{u"::{645FF040-5081-101B-9F08-00AA002F954E}"_s, true, true},
                           {u"$/doc.txt"_s, true, false},
                           {u"$/dir2"_s, false, false}}
        << QList<Step>{{Step::ShowLocation, u"::{645FF040-5081-101B-9F08-00AA002F954E}"_s},
                       {Step::OpenWithDefault, u"$/doc.txt"_s},
                       {Step::OpenWithDefault, u"$/dir2"_s}}
        << QStringList{};
}

void TestOpenPlan::plan()
{
    QFETCH(QList<OpenItem>, items);
    QFETCH(QList<Step>, steps);
    QFETCH(QStringList, recorded);
    for (OpenItem &i : items)
        i.path = expand(i.path, m_data.path());
    for (Step &s : steps)
        s.path = expand(s.path, m_data.path());
    for (QString &r : recorded)
        r = expand(r, m_data.path());

    const OpenPlan plan = OpenPlan::make(items, false, ProgramFolder());
    QCOMPARE(plan.steps, steps);
    QCOMPARE(plan.recorded, recorded);
}

void TestOpenPlan::listFileEntryOpensTheListFile()
{
    test::TempProgramFolder pf;
    QVERIFY(pf.writeBytes(u"vtl/other.img"_s, "/x\n"));
    const QList<OpenItem> entry{{u"other.img"_s, false, false}};
    const OpenPlan plan = OpenPlan::make(entry, true, pf.folder());
    QCOMPARE(plan.steps, (QList<Step>{{Step::ShowListFile, pf.file(u"vtl/other.img"_s)}}));
    QVERIFY(plan.recorded.isEmpty());
    // Outside list-file mode the same entry names nothing.
    QVERIFY(OpenPlan::make(entry, false, pf.folder()).steps.isEmpty());
    // An existing file is opened even in list-file mode.
    const QList<OpenItem> file{{m_data.filePath(u"doc.txt"_s), false, false}};
    QCOMPARE(OpenPlan::make(file, true, pf.folder()).steps.first().kind, Step::OpenWithDefault);
}

void TestOpenPlan::drop_data()
{
    QTest::addColumn<QStringList>("dropped");
    QTest::addColumn<int>("place");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("action");
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<QStringList>("listFileLines");

    const int list = int(Place::ItemList);
    const QString long300 = u"$/other/"_s + QString(300, u'x');
    QTest::newRow("two files from elsewhere: the drop menu")
        << QStringList{u"file:///elsewhere/a.txt"_s, u"file:///elsewhere/b"_s} << list << QString()
        << int(Action::DropMenu) << QStringList{u"/elsewhere/a.txt"_s, u"/elsewhere/b"_s}
        << QStringList{};
    QTest::newRow("a long path stays whole")
        << QStringList{u"file://"_s + long300} << list << QString() << int(Action::DropMenu)
        << QStringList{long300} << QStringList{};
    QTest::newRow("only local files are taken")
        << QStringList{u"https://example.invalid/a.txt"_s, u"file:///elsewhere/a.txt"_s} << list
        << QString() << int(Action::DropMenu) << QStringList{u"/elsewhere/a.txt"_s}
        << QStringList{};
    QTest::newRow("one of the folder's own items stops everything")
        << QStringList{u"file:///elsewhere/a.txt"_s, u"file://$/cur/b.txt"_s} << list << QString()
        << int(Action::Nothing) << QStringList{} << QStringList{};
    QTest::newRow("drop not allowed")
        << QStringList{u"file:///elsewhere/a.txt"_s} << list << u"off"_s << int(Action::Nothing)
        << QStringList{} << QStringList{};
    QTest::newRow("own drag shows no menu")
        << QStringList{u"file:///elsewhere/a.txt"_s} << list << u"own"_s << int(Action::Nothing)
        << QStringList{} << QStringList{};
    QTest::newRow("search results ignore drops")
        << QStringList{u"file:///elsewhere/a.txt"_s} << list << u"search"_s << int(Action::Nothing)
        << QStringList{} << QStringList{};
    QTest::newRow("list-file mode appends, line breaks refused")
        << QStringList{u"file:///elsewhere/a.txt"_s, u"file:///elsewhere/x%0Ay"_s} << list
        << u"listfile"_s << int(Action::Nothing) << QStringList{}
        << QStringList{u"/elsewhere/a.txt"_s};
    QTest::newRow("onto the favourites even the folder's own items")
        << QStringList{u"file://$/cur/b.txt"_s, u"file:///elsewhere/dir/"_s}
        << int(Place::Favourites) << QString() << int(Action::AddToFavourites)
        << QStringList{u"$/cur/b.txt"_s, u"/elsewhere/dir"_s} << QStringList{};
    QTest::newRow("onto the free tree")
        << QStringList{u"file:///elsewhere/a.txt"_s} << int(Place::FreeTree) << QString()
        << int(Action::AddToFreeTree) << QStringList{u"/elsewhere/a.txt"_s} << QStringList{};
    QTest::newRow("onto a tool bar: nothing")
        << QStringList{u"file:///elsewhere/a.txt"_s} << int(Place::Elsewhere) << QString()
        << int(Action::Nothing) << QStringList{} << QStringList{};
}

void TestOpenPlan::drop()
{
    QFETCH(QStringList, dropped);
    QFETCH(int, place);
    QFETCH(QString, mode);
    QFETCH(int, action);
    QFETCH(QStringList, paths);
    QFETCH(QStringList, listFileLines);

    DropPlan::Input in;
    for (const QString &u : std::as_const(dropped))
        in.urls.append(QUrl(expand(u, m_data.path())));
    in.place = Place(place);
    in.currentFolder = m_data.path() + u"/cur/"_s;
    in.dropAllowed = mode != u"off"_s;
    in.ownDrag = mode == u"own"_s;
    in.searchResultMode = mode == u"search"_s;
    in.listFileMode = mode == u"listfile"_s;
    for (QString &p : paths)
        p = expand(p, m_data.path());

    const DropPlan plan = DropPlan::make(in);
    QCOMPARE(int(plan.action), action);
    QCOMPARE(plan.paths, paths);
    QCOMPARE(plan.listFileLines, listFileLines);
    QCOMPARE(plan.refused.size(), mode == u"listfile"_s ? 1 : 0);
    QCOMPARE(DropPlan::pendingSelection({u"/a/b.txt"_s, u"/a/dir"_s}),
             (QStringList{u"b.txt"_s, u"dir"_s}));
}

QTEST_GUILESS_MAIN(TestOpenPlan)
#include "tst_openplan.moc"
