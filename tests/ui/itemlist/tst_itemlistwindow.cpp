// The item list inside the main window: list builds and their status fields, view
// styles, virtual locations, refreshes and positions.
#include "core/app/componentnames.h"
#include "core/app/settings.h"
#include "core/itemlist/folderchangewatch.h"
#include "testsupport/tempprogramfolder.h"
#include "ui/app/mainwindow.h"
#include "ui/app/messagebox.h"
#include "ui/itemlist/deferreddisplay.h"
#include "ui/itemlist/itemiconview.h"
#include "ui/itemlist/itemlistmodel.h"
#include "ui/itemlist/itemlistview.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QProgressBar>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

using namespace kazari;
using namespace Qt::StringLiterals;

namespace
{

void writeBytes(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(data), data.size());
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A program folder (with `exeIni` as its exe.ini when given) and a window opened on a
// data folder.
struct Window {
    explicit Window(const QByteArray &exeIni = QByteArray())
    {
        if (!exeIni.isNull())
            writeBytes(program.file(u"exe.ini"_s), exeIni);
    }
    QString path(const QString &relative = QString()) const
    {
        return data.path() + u"/"_s + relative;
    }
    MainWindow &open()
    {
        MainWindow::Options o;
        o.programFolder = program.folder();
        o.arguments = {data.path()};
        form = std::make_unique<MainWindow>(o);
        form->FormCreate();
        return *form;
    }
    ItemList &list() { return form->itemListView()->list(); }
    QString field(MainWindow::StatusField f) const { return form->statusField(f)->text(); }

    test::TempProgramFolder program;
    QTemporaryDir data;
    std::unique_ptr<MainWindow> form;
};

} // namespace

class TestItemListWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        MessageBox::reset();
        MessageBox::answerAllWith(QMessageBox::No);
    }
    void buildFillsTheStatusFields();
    void folderViewStyleHoldsForItsFolderOnly();
    void viewStyleCommandsAndCycle();
    void recycleBinIsAVirtualLocation();
    void refreshesKeepTheSelection();
    void draggedPositionsAreStored();
    void virtualListKeepsItsDifferences();
    void iconSizeKeepsItsWholeRange();
};

void TestItemListWindow::buildFillsTheStatusFields()
{
    Window w;
    QDir().mkpath(w.path(u"d1"_s));
    QDir().mkpath(w.path(u"d2"_s));
    for (const QString &n : {u"a.txt"_s, u"b.txt"_s, u"c.txt"_s})
        writeBytes(w.path(n), "x");
    MainWindow &form = w.open();
    QCOMPARE(w.field(MainWindow::DFCount), u"D:2 + F:3 = 5"_s);
    QVERIFY2(
        QRegularExpression(u"^\\d+\\.\\d{6}秒$"_s).match(w.field(MainWindow::FileOp)).hasMatch(),
        qPrintable(w.field(MainWindow::FileOp)));
    QCOMPARE(form.secondaryStatus(), u"Build ListView mode"_s);
    QCOMPARE(form.titlePanelText(), u"     FILE"_s);
    QVERIFY(form.windowTitle().startsWith(QFileInfo(w.data.path()).fileName() + u"   "_s));

    form.resize(900, 600);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTRY_COMPARE(w.field(MainWindow::Showed), u"5"_s);
    QCOMPARE(form.progressBar()->maximum(), 5);
    QCOMPARE(form.progressBar()->value(), 5);

    form.Build_ListView(QString());
    QCOMPARE(w.field(MainWindow::DFCount), u"D: - F: -"_s);
    QCOMPARE(w.field(MainWindow::Showed), u"0"_s);
    QCOMPARE(w.field(MainWindow::FindFileName), QString());
    QCOMPARE(w.field(MainWindow::FileOp), u"-"_s);
    QCOMPARE(w.list().count(), 0);
}

void TestItemListWindow::folderViewStyleHoldsForItsFolderOnly()
{
    Window w;
    writeBytes(w.path(u"fixed/_m.ini"_s), ".ViewStyle=3\n");
    writeBytes(w.path(u"free/x.txt"_s), "x");
    MainWindow &form = w.open();
    QCOMPARE(form.itemList(), static_cast<QAbstractItemView *>(form.itemListView()->iconView()));
    form.Build_ListView(w.path(u"fixed/"_s));
    QVERIFY(form.viewStyleFixed());
    QCOMPARE(form.itemList(), static_cast<QAbstractItemView *>(form.itemListView()->detailsView()));
    QCOMPARE(form.titlePanelText(), u"     FILE [ ビュー表示固定 ]"_s);
    QCOMPARE(form.viewStyleCommand(), Component::ViewIcons);
    form.Build_ListView(w.path(u"free/"_s));
    QCOMPARE(form.itemList(), static_cast<QAbstractItemView *>(form.itemListView()->iconView()));
    QCOMPARE(form.titlePanelText(), u"     FILE"_s);
}

void TestItemListWindow::viewStyleCommandsAndCycle()
{
    Window w("N28=1\nN27=0\n");
    writeBytes(w.path(u"x.txt"_s), "x");
    MainWindow &form = w.open();
    QAction *small = form.command(Component::ViewSmallIcons);
    QVERIFY(small);
    small->trigger();
    QCOMPARE(form.viewStyleCommand(), Component::ViewSmallIcons);
    QCOMPARE(form.itemListView()->look().style, ListStyle::SmallIcons);
    Settings stored(w.program.folder());
    QVERIFY(stored.load());
    QVERIFY(stored.isOn(Component::ViewSmallIcons));
    QCOMPARE(stored.value(Component::ViewIcons), u"0"_s);
    QVERIFY(small->isChecked());
    QVERIFY(!form.command(Component::ViewIcons)->isChecked());

    // "表示": small icons, list, details, comment details, back to icons.
    QAction *cycle = form.command(u"cmdCycleViewStyle"_s);
    QVERIFY(cycle);
    const QStringList expected{Component::ViewList, Component::ViewDetails,
                               Component::ViewExtendedComments, Component::ViewIcons};
    for (const QString &next : expected) {
        cycle->trigger();
        QCOMPARE(form.viewStyleCommand(), next);
    }
    form.command(Component::ViewDetails)->trigger();
    QCOMPARE(form.itemList(), static_cast<QAbstractItemView *>(form.itemListView()->detailsView()));
    // The menu shortcuts follow the list into the other view.
    QVERIFY(form.itemList()->actions().contains(form.command(u"cmdRefresh"_s)));
    form.command(Component::ViewTaskDetails)->trigger();
    cycle->trigger(); // not in the cycle: nothing happens
    QCOMPARE(form.viewStyleCommand(), Component::ViewTaskDetails);
    QVERIFY(form.command(Component::ViewTaskDetails)->isChecked());
}

void TestItemListWindow::recycleBinIsAVirtualLocation()
{
    QTemporaryDir home;
    const QByteArray savedHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
    writeBytes(home.path() + u"/Trash/files/x.txt"_s, "x");
    writeBytes(home.path() + u"/Trash/info/x.txt.trashinfo"_s,
               "[Trash Info]\nPath=/home/u/%E3%83%A1%E3%83%A2.txt\n");
    Window w;
    MainWindow &form = w.open();
    form.Build_ListView(u"::{645FF040-5081-101B-9F08-00AA002F954E}"_s);
    qputenv("XDG_DATA_HOME", savedHome);
    QVERIFY(form.windowTitle().startsWith(u"ごみ箱   "_s));
    QCOMPARE(form.secondaryStatus(), u"NameSpace mode"_s);
    QVERIFY(form.store().shellNamespaceMode());
    QCOMPARE(w.field(MainWindow::DFCount), QString());
    QCOMPARE(w.list().count(), 1);
    QCOMPARE(w.list().at(0).Name, u"メモ.txt"_s);
    QCOMPARE(w.list().at(0).PATH, home.path() + u"/Trash/files/x.txt"_s);

    // A location that cannot be parsed: an empty list.
    form.Build_ListView(u"/no/such/folder/"_s);
    QCOMPARE(w.list().count(), 0);
    QCOMPARE(w.field(MainWindow::DFCount), u"D:0 + F:0 = 0"_s);
    form.Build_ListView(w.data.path() + u"/"_s);
    QVERIFY(!form.store().shellNamespaceMode());
}

void TestItemListWindow::refreshesKeepTheSelection()
{
    Window w;
    for (const QString &n : {u"a.txt"_s, u"b.txt"_s, u"c.txt"_s})
        writeBytes(w.path(n), "x");
    MainWindow &form = w.open();
    form.folderWatch()->setInterval(30);
    form.Build_ListView(w.data.path() + u"/"_s);
    QVERIFY(form.folderWatch()->isActive());
    const QStringList selected{w.path(u"a.txt"_s), w.path(u"c.txt"_s)};
    form.itemListView()->selectPaths(selected, selected.first());
    QCOMPARE(form.selectedPaths(), selected);

    // The program's first annotation creates _m.ini: a new name, so the list is built
    // again, and the selection stays.
    quint64 generation = w.list().generation();
    QVERIFY(form.store().SetByPath(w.path(u"a.txt"_s), u"_cmt"_s, u"one"_s).ok);
    QTRY_VERIFY(w.list().generation() != generation);
    QCOMPARE(form.selectedPaths(), selected);
    QVERIFY(w.list().rowOfPath(w.path(u"_m.ini"_s)) >= 0);

    // Saving it again changes no name: no rebuild.
    generation = w.list().generation();
    QVERIFY(form.store().SetByPath(w.path(u"b.txt"_s), u"_cmt"_s, u"two"_s).ok);
    QTest::qWait(200);
    QCOMPARE(w.list().generation(), generation);
    QCOMPARE(form.selectedPaths(), selected);

    // A new file is a new name.
    writeBytes(w.path(u"d.txt"_s), "x");
    QTRY_VERIFY(w.list().generation() != generation);
    QVERIFY(w.list().rowOfPath(w.path(u"d.txt"_s)) >= 0);
    QCOMPARE(form.selectedPaths(), selected);

    // "更新(&R)" too.
    generation = w.list().generation();
    form.command(u"cmdRefresh"_s)->trigger();
    QVERIFY(w.list().generation() != generation);
    QCOMPARE(form.selectedPaths(), selected);
}

void TestItemListWindow::draggedPositionsAreStored()
{
    Window w("N76=1\nN107=0\nN28=1\n");
    writeBytes(w.path(u"a.txt"_s), "x");
    writeBytes(w.path(u"b.txt"_s), "x");
    MainWindow &form = w.open();
    form.resize(800, 600);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(form.itemListView()->look().dragMoves);
    const int row = w.list().rowOfPath(w.path(u"a.txt"_s));
    QListView *icons = form.itemListView()->iconView();
    Q_EMIT static_cast<ItemIconView *>(icons)->positionsDropped({{row, QPoint(200, 64)}},
                                                                u"b.txt"_s);
    QVERIFY(readBytes(w.path(u"_m.ini"_s)).contains("a.txt_p=200,64"));
    QCOMPARE(w.field(MainWindow::FileOp), u"Drop: b.txt"_s);
    const int moved = w.list().rowOfPath(w.path(u"a.txt"_s));
    QCOMPARE(w.list().at(moved).Point, std::optional<QPoint>(QPoint(200, 64)));
    QCOMPARE(icons->visualRect(form.itemListView()->model()->index(moved, 0)).topLeft(),
             QPoint(200, 64));

    form.itemListView()->selectPaths({w.path(u"a.txt"_s)});
    form.command(u"cmdClearPosition"_s)->trigger();
    QVERIFY(!readBytes(w.path(u"_m.ini"_s)).contains("a.txt_p"));
    QVERIFY(!w.list().at(w.list().rowOfPath(w.path(u"a.txt"_s))).Point);
}

void TestItemListWindow::virtualListKeepsItsDifferences()
{
    // "新ファイルリストエンジンを使用（高速）": no positions, no labels, its own status text.
    Window w("N325=1\nN76=1\nN28=1\n");
    writeBytes(w.path(u"a.txt"_s), "x");
    writeBytes(w.path(u"_m.ini"_s), "a.txt_p=50,50\na.txt_label=1\na.txt_s=2\n");
    MainWindow &form = w.open();
    QCOMPARE(form.secondaryStatus(), u"Owner Draw mode"_s);
    const int row = w.list().rowOfPath(w.path(u"a.txt"_s));
    QVERIFY(!w.list().at(row).Point);
    QVERIFY(!form.itemListView()->look().positions);
    form.resize(600, 400);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTRY_VERIFY(form.itemListView()->display().lookup(row) != nullptr);
    const ShownItem *shown = form.itemListView()->display().lookup(row);
    QVERIFY(!shown->overlay);
    QVERIFY(!shown->stateImage);
}

void TestItemListWindow::iconSizeKeepsItsWholeRange()
{
    // A stored size beyond the common icon sizes survives the start and reaches the
    // pictures; the label beside the slider shows it.
    Window w("N28=1\nN119=1\nIconSize=400\n");
    writeBytes(w.path(u"a.txt"_s), "x");
    MainWindow &form = w.open();
    QCOMPARE(form.iconSize(), 400);
    QCOMPARE(form.itemListView()->look().pictureSize(), 400);
    QCOMPARE(form.findChild<QLabel *>(u"IconSizeLabel"_s)->text(), u"400"_s);
    QVERIFY(readBytes(w.program.file(u"exe.ini"_s)).contains("IconSize=400"));
    form.setIconSize(8);
    QCOMPARE(form.itemListView()->look().pictureSize(), 8);
    QVERIFY(readBytes(w.program.file(u"exe.ini"_s)).contains("IconSize=8"));
}

QTEST_MAIN(TestItemListWindow)
#include "tst_itemlistwindow.moc"
