// Sorting, filtering and the details columns in the main window, driven through the
// window's own commands.
#include "core/app/componentnames.h"
#include "core/app/settings.h"
#include "testsupport/files.h"
#include "testsupport/tempprogramfolder.h"
#include "ui/app/mainwindow.h"
#include "ui/app/messagebox.h"
#include "ui/itemlist/itemlistmodel.h"
#include "ui/itemlist/itemlistview.h"
#include "ui/viewer/columncontroller.h"
#include "ui/viewer/filtercommands.h"
#include "ui/viewer/filterdialog.h"
#include "ui/viewer/labelcolumndelegate.h"
#include "ui/viewer/selectiondetails.h"
#include "ui/viewer/sortcommands.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <memory>

using namespace kazari;
using namespace Qt::StringLiterals;

namespace
{

using test::writeFile;

struct Window {
    explicit Window(const QByteArray &exeIni = QByteArray())
    {
        if (!exeIni.isNull())
            program.writeBytes(u"exe.ini"_s, exeIni);
    }
    QString path(const QString &relative = QString()) const
    {
        return data.path() + u"/"_s + relative;
    }
    MainWindow &open(const QString &folder = QString())
    {
        MainWindow::Options o;
        o.programFolder = program.folder();
        o.arguments = {folder.isEmpty() ? data.path() : folder};
        form = std::make_unique<MainWindow>(o);
        form->FormCreate();
        return *form;
    }
    ItemListView *view() const { return form->itemListView(); }
    QStringList names() const
    {
        QStringList out;
        const ItemList &list = form->itemListView()->list();
        for (int row = 0; row < list.count(); ++row)
            out << list.at(row).Name;
        return out;
    }
    void run(const QString &command)
    {
        QAction *a = form->command(command);
        QVERIFY2(a && a->isEnabled(), qPrintable(command));
        a->trigger();
    }
    void select(const QString &name)
    {
        view()->selectPaths({path(name)}, path(name));
        SelectionDetails::install(*form)->flush();
    }
    SortCommands *sorts() const { return form->findChild<SortCommands *>(); }
    FilterDialog *filterDialog() const { return form->findChild<FilterCommands *>()->dialog(); }
    bool checked(const QString &command) const { return form->command(command)->isChecked(); }

    test::TempProgramFolder program;
    QTemporaryDir data;
    std::unique_ptr<MainWindow> form;
};

} // namespace

class TestSortFilter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        MessageBox::reset();
        MessageBox::answerAllWith(QMessageBox::No);
    }
    void sortCommandsInvertTheDirection();
    void sortOrders_data();
    void sortOrders();
    void folderFixesItsSortOrder_data();
    void folderFixesItsSortOrder();
    void headerClicks();
    void treeListSortKeepsEntriesUnderTheirFolder();
    void sameExtensionAndName_data();
    void sameExtensionAndName();
    void commandsWithoutSelectionDoNothing();
    void filterDialog();
    void columnSets();
    void columnWidths();
};

void TestSortFilter::sortCommandsInvertTheDirection()
{
    Window w;
    for (const QString &n : {u"b.txt"_s, u"A.txt"_s, u"c.txt"_s})
        writeFile(w.path(n), "x");
    w.open();
    QVERIFY(!w.sorts()->ascending());
    // Right after start the first command sorts ascending, the next descending.
    w.run(Component::SortByName);
    QCOMPARE(w.names(), (QStringList{u"A.txt"_s, u"b.txt"_s, u"c.txt"_s}));
    QVERIFY(w.checked(Component::SortByName));
    w.run(Component::SortByName);
    QCOMPARE(w.names(), (QStringList{u"c.txt"_s, u"b.txt"_s, u"A.txt"_s}));

    // A build applies the marked order without turning the direction.
    w.form->Build_ListView(w.path());
    QCOMPARE(w.names(), (QStringList{u"c.txt"_s, u"b.txt"_s, u"A.txt"_s}));
    QVERIFY(w.form->command(Component::SortByName)->font().bold());

    // "なし" unmarks the orders and leaves the list as it is; the next build does not sort.
    w.run(Component::ArrangeNone);
    for (const QString &c :
         {Component::SortByName, Component::SortByIconColour, Component::SortByCaptionColour,
          Component::SortByComment, Component::SortBySize, Component::SortByType})
        QVERIFY2(!w.checked(c), qPrintable(c));
    QCOMPARE(w.names(), (QStringList{u"c.txt"_s, u"b.txt"_s, u"A.txt"_s}));
    QVERIFY(!w.form->command(Component::SortByName)->font().bold());
    w.form->Build_ListView(w.path());
    QCOMPARE(w.names().size(), 3);
    QVERIFY(w.names() != (QStringList{u"c.txt"_s, u"b.txt"_s, u"A.txt"_s}));
}

void TestSortFilter::sortOrders_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("ascending");

    // _m.ini: a.txt blue mask and red caption, comment "zz"; b.txt no mask, comment "aa";
    // c.txt a mask that is no colour; sizes a 30, b 2, c 1000 bytes.
    QTest::newRow("icon colour: no mask first")
        << Component::SortByIconColour << QStringList{u"b.txt"_s, u"c.dat"_s, u"a.log"_s};
    QTest::newRow("comment") << Component::SortByComment
                             << QStringList{u"c.dat"_s, u"b.txt"_s, u"a.log"_s};
    QTest::newRow("size") << Component::SortBySize
                          << QStringList{u"b.txt"_s, u"a.log"_s, u"c.dat"_s};
    QTest::newRow("type") << Component::SortByType
                          << QStringList{u"c.dat"_s, u"a.log"_s, u"b.txt"_s};
    QTest::newRow("caption colour")
        << Component::SortByCaptionColour << QStringList{u"b.txt"_s, u"c.dat"_s, u"a.log"_s};
}

void TestSortFilter::sortOrders()
{
    QFETCH(QString, command);
    QFETCH(QStringList, ascending);
    Window w;
    writeFile(w.path(u"a.log"_s), QByteArray(30, 'x'));
    writeFile(w.path(u"b.txt"_s), QByteArray(2, 'x'));
    writeFile(w.path(u"c.dat"_s), QByteArray(1000, 'x'));
    writeFile(w.path(u"_m.ini"_s), "a.log_oneColor=16711680\r\na.log_CVColor=255\r\n"
                                   "a.log_cmt=zz\r\nb.txt_cmt=aa\r\nc.dat_oneColor=clNone\r\n");
    w.open();
    w.run(command);
    QStringList names = w.names();
    names.removeAll(u"_m.ini"_s);
    // "No mask" ties between b and c for the icon colour: their order is free.
    if (command == Component::SortByIconColour)
        QCOMPARE(QSet<QString>(names.begin(), names.begin() + 2),
                 QSet<QString>(ascending.begin(), ascending.begin() + 2));
    else if (command == Component::SortByCaptionColour)
        QCOMPARE(names.last(), u"a.log"_s); // "-1" sorts before "255"
    else
        QCOMPARE(names, ascending);
    QCOMPARE(names.last(), ascending.last());
    QVERIFY(w.checked(command));
}

void TestSortFilter::folderFixesItsSortOrder_data()
{
    QTest::addColumn<QByteArray>("sortType");
    QTest::addColumn<bool>("fixed");

    QTest::newRow("name") << QByteArray("0") << true;
    QTest::newRow("six does not count") << QByteArray("6") << false;
    QTest::newRow("text does not count") << QByteArray("name") << false;
    QTest::newRow("negative does not count") << QByteArray("-1") << false;
}

void TestSortFilter::folderFixesItsSortOrder()
{
    QFETCH(QByteArray, sortType);
    QFETCH(bool, fixed);
    Window w;
    for (const QString &n : {u"a.txt"_s, u"c.txt"_s, u"b.txt"_s})
        writeFile(w.path(u"sorted/"_s + n), "x");
    writeFile(w.path(u"sorted/_m.ini"_s), ".SortType=" + sortType + "\r\n");
    w.open(w.path(u"sorted"_s));
    QStringList names = w.names();
    names.removeAll(u"_m.ini"_s);
    const QStringList descending{u"c.txt"_s, u"b.txt"_s, u"a.txt"_s};
    QCOMPARE(names == descending, fixed);
    QCOMPARE(w.form->command(Component::SortByName)->font().bold(), fixed);
    if (!fixed)
        return;
    // Every build of the folder sorts descending again, even after a command turned
    // the direction.
    w.run(Component::SortByName);
    w.form->Build_ListView(w.path(u"sorted/"_s));
    names = w.names();
    names.removeAll(u"_m.ini"_s);
    QCOMPARE(names, descending);
    QVERIFY(!w.sorts()->ascending());
}

void TestSortFilter::headerClicks()
{
    Window w("Detail1=1\nN28=0\n");
    writeFile(w.path(u"a.txt"_s), QByteArray(5000, 'x'));
    writeFile(w.path(u"b.txt"_s), QByteArray(10, 'x'));
    writeFile(w.path(u"c.txt"_s), QByteArray(300, 'x'));
    w.open();
    QHeaderView *header = w.view()->detailsView()->header();
    // Column 2 in the details view sorts by size, as a number ("4.88KB" < "10" as text).
    Q_EMIT header->sectionClicked(2);
    QVERIFY(w.sorts()->ascending());
    QCOMPARE(w.names(), (QStringList{u"b.txt"_s, u"c.txt"_s, u"a.txt"_s}));
    Q_EMIT header->sectionClicked(0);
    QCOMPARE(w.names(), (QStringList{u"c.txt"_s, u"b.txt"_s, u"a.txt"_s}));

    // In the tree list a click turns the direction but does not sort.
    w.run(Component::ViewTreeList);
    const QStringList before = w.names();
    const bool direction = w.sorts()->ascending();
    Q_EMIT header->sectionClicked(0);
    QCOMPARE(w.sorts()->ascending(), !direction);
    QCOMPARE(w.names(), before);
}

void TestSortFilter::treeListSortKeepsEntriesUnderTheirFolder()
{
    Window w("Detail1=0\nN28=0\nN90=1\n");
    writeFile(w.path(u"m/z.txt"_s), "x");
    writeFile(w.path(u"m/a.txt"_s), "x");
    writeFile(w.path(u"b.txt"_s), "x");
    writeFile(w.path(u"y.txt"_s), "x");
    w.open();
    ItemListView *view = w.view();
    view->toggleRow(view->list().rowOfPath(w.path(u"m"_s)));
    QCOMPARE(w.names().size(), 5);
    // Both directions: each level sorted, the folder's entries right below it.
    w.run(Component::SortByName);
    QCOMPARE(w.names(), (QStringList{u"b.txt"_s, u"m"_s, u"a.txt"_s, u"z.txt"_s, u"y.txt"_s}));
    w.run(Component::SortByName);
    QCOMPARE(w.names(), (QStringList{u"y.txt"_s, u"m"_s, u"z.txt"_s, u"a.txt"_s, u"b.txt"_s}));
    QCOMPARE(view->list().at(2).PATH, w.path(u"m/z.txt"_s));
    // Collapsing takes away the folder's own entries and nothing else.
    view->toggleRow(view->list().rowOfPath(w.path(u"m"_s)));
    QCOMPARE(w.names(), (QStringList{u"y.txt"_s, u"m"_s, u"b.txt"_s}));
    QCOMPARE(view->list().at(2).PATH, w.path(u"b.txt"_s));
}

void TestSortFilter::sameExtensionAndName_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QStringList>("listed");

    const QString ext = u"cmdFilterSameExtension"_s;
    const QString name = u"cmdFilterSameName"_s;
    QTest::newRow("Ctrl+K memo.txt") << ext << u"memo.txt"_s << u"txt"_s << u"*.txt"_s
                                     << QStringList{u"memo.txt"_s, u"todo.txt"_s};
    QTest::newRow("Ctrl+K without extension")
        << ext << u"README"_s << QString() << u"**"_s
        << QStringList{u"README"_s, u"memo.log"_s, u"memo.txt"_s, u"todo.txt"_s};
    QTest::newRow("Ctrl+N memo.txt") << name << u"memo.txt"_s << u"memo"_s << u"memo*"_s
                                     << QStringList{u"memo.log"_s, u"memo.txt"_s};
}

void TestSortFilter::sameExtensionAndName()
{
    QFETCH(QString, command);
    QFETCH(QString, item);
    QFETCH(QString, field);
    QFETCH(QString, mask);
    QFETCH(QStringList, listed);
    Window w;
    for (const QString &n : {u"memo.txt"_s, u"memo.log"_s, u"todo.txt"_s, u"README"_s})
        writeFile(w.path(n), "x");
    w.open();
    w.select(item);
    w.run(command);
    QCOMPARE(w.form->fileMask(), mask);
    QCOMPARE(w.form->statusField(MainWindow::FindFileName)->text(), mask);
    QCOMPARE(command == u"cmdFilterSameName"_s ? w.filterDialog()->nameText()
                                               : w.filterDialog()->typeText(),
             field);
    QStringList names = w.names();
    names.sort();
    QCOMPARE(names, listed);
    QVERIFY(w.checked(u"cmdFilter"_s));
    QVERIFY(!w.filterDialog()->isVisible());
}

void TestSortFilter::commandsWithoutSelectionDoNothing()
{
    Window w;
    for (const QString &n : {u"memo.txt"_s, u"todo.log"_s})
        writeFile(w.path(n), "x");
    w.open();
    for (const QString &command : {u"cmdFilterSameExtension"_s, u"cmdFilterSameName"_s}) {
        w.run(command);
        QCOMPARE(w.form->fileMask(), u"*"_s);
        QCOMPARE(w.names().size(), 2);
        QVERIFY(!w.checked(u"cmdFilter"_s));
        QCOMPARE(w.filterDialog()->nameText(), QString());
        QCOMPARE(w.filterDialog()->typeText(), QString());
    }
}

void TestSortFilter::filterDialog()
{
    Window w;
    for (const QString &n : {u"plan.txt"_s, u"done.txt"_s, u"memo.txt"_s, u"pic.bmp"_s})
        writeFile(w.path(n), "x");
    writeFile(w.path(u"_m.ini"_s), "plan.txt_comp=0\r\ndone.txt_comp=1\r\nmemo.txt_cmt=m\r\n");
    w.open();
    w.run(u"cmdFilterSettings"_s);
    FilterDialog *dialog = w.filterDialog();
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->windowTitle(), u"フィルタの設定"_s);

    // "タスク": only the items that have _comp.
    dialog->setOption(8);
    dialog->setButton()->click();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(w.form->annotationFilter(), u"_comp"_s);
    QCOMPARE(w.form->fileMask(), u"*.*"_s);
    QStringList names = w.names();
    names.sort();
    QCOMPARE(names, (QStringList{u"done.txt"_s, u"plan.txt"_s}));
    QVERIFY(w.checked(u"cmdFilter"_s));

    // Name and type texts make the mask.
    dialog->setOption(0);
    dialog->findChild<QLineEdit *>(u"FileTypeEdit"_s)->setText(u"bmp"_s);
    dialog->setButton()->click();
    QCOMPARE(w.form->fileMask(), u"*.bmp"_s);
    QCOMPARE(w.names(), QStringList{u"pic.bmp"_s});

    // "解除": every item again, the option back at "なし", the button released.
    dialog->setOption(1);
    w.run(u"cmdFilterSettings"_s);
    dialog->clearButton()->click();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->option(), 0);
    QCOMPARE(w.form->fileMask(), u"*"_s);
    QCOMPARE(w.form->annotationFilter(), QString());
    QCOMPARE(w.names().size(), 5);
    QVERIFY(!w.checked(u"cmdFilter"_s));

    // The button pressed sets the mask from the dialog's texts and shows the dialog;
    // "何もしないで閉じる" only hides it.
    w.run(u"cmdFilter"_s);
    QVERIFY(dialog->isVisible());
    QCOMPARE(w.form->fileMask(), u"*.bmp"_s);
    dialog->closeButton()->click();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(w.form->fileMask(), u"*.bmp"_s);
    // Released: as "解除".
    w.run(u"cmdFilter"_s);
    QCOMPARE(w.form->fileMask(), u"*"_s);
    QCOMPARE(w.names().size(), 5);
}

void TestSortFilter::columnSets()
{
    Window w("CmtName1=種別\nCmtName2=担当\n");
    writeFile(w.path(u"plan.txt"_s), QByteArray(1536, 'x'));
    writeFile(w.path(u"_m.ini"_s),
              "plan.txt_cmt=見積\r\nplan.txt_imp=2\r\nplan.txt_cmtEx=\"社内\",\"山田\"\r\n");
    w.open();
    ItemListModel *model = w.view()->model();
    ColumnController *columns = w.form->findChild<ColumnController *>();
    const int row = w.names().indexOf(u"plan.txt"_s);
    QVERIFY(row >= 0);
    auto captions = [&] { return model->columnCaptions(); };

    QCOMPARE(captions(), (QStringList{u"名前"_s, u"コメント"_s, u"フルパス"_s, u"サイズ"_s}));
    QCOMPARE(model->columnText(row, 1), u"見積"_s);

    w.run(Component::ViewDetails);
    QCOMPARE(*columns->currentSet(), ColumnSets::Details);
    QCOMPARE(captions().size(), 6);
    QCOMPARE(model->columnText(w.names().indexOf(u"plan.txt"_s), 2), u"1.50KB"_s);

    w.run(Component::ViewTaskDetails);
    QCOMPARE(*columns->currentSet(), ColumnSets::Task);
    QCOMPARE(captions().size(), 12);
    QCOMPARE(captions().at(6), u"重要度"_s);
    QCOMPARE(model->columnText(w.names().indexOf(u"plan.txt"_s), 6), u"2"_s);
    // A column the row has no text for is empty, also past the last column.
    QCOMPARE(model->columnText(w.names().indexOf(u"plan.txt"_s), 40), QString());
    // The label column draws the label picture; in other sets column 2 is plain text.
    QTreeView *details = w.view()->detailsView();
    QVERIFY(qobject_cast<LabelColumnDelegate *>(details->itemDelegateForColumn(2)));

    w.run(Component::ViewExtendedComments);
    QCOMPARE(*columns->currentSet(), ColumnSets::ExtendedComment);
    QCOMPARE(captions().mid(2, 2), (QStringList{u"種別"_s, u"担当"_s}));
    QCOMPARE(model->columnText(w.names().indexOf(u"plan.txt"_s), 3), u"山田"_s);
    QVERIFY(!qobject_cast<LabelColumnDelegate *>(details->itemDelegateForColumn(2)));
    QCOMPARE(details->itemDelegateForColumn(2), details->itemDelegateForColumn(1));
}

void TestSortFilter::columnWidths()
{
    Window w("Detail1=1\nN28=0\nColumnsWidth0=abc,300,,\"90\",x\n");
    writeFile(w.path(u"a.txt"_s), "x");
    w.open();
    QHeaderView *header = w.view()->detailsView()->header();
    QCOMPARE(header->sectionSize(0), 100);
    QCOMPARE(header->sectionSize(1), 300);
    QCOMPARE(header->sectionSize(2), 100);
    QCOMPARE(header->sectionSize(3), 90);

    // Before switching to "リスト" the widths shown go into the setting, in quotes.
    header->resizeSection(0, 123);
    w.run(Component::ViewDetails);
    const QString stored = w.form->settings().value(u"ColumnsWidth0"_s);
    QVERIFY2(stored.startsWith(u"\"123\",\"300\",\"100\",\"90\",\"100\",\"100\","_s),
             qPrintable(stored));
    QCOMPARE(stored.split(u',').size(), 12);

    // Without the setting the defaults are set first, at the first build.
    Window fresh("N28=1\n");
    writeFile(fresh.path(u"a.txt"_s), "x");
    fresh.open();
    QCOMPARE(fresh.form->settings().value(u"ColumnsWidth0"_s),
             u"200,200,100,100,100,100,100,100,100,100,100,100"_s);
    QCOMPARE(fresh.form->settings().value(u"ColumnsWidth1"_s),
             u"200,100,100,100,100,100,100,100,100,100,100,100"_s);
}

QTEST_MAIN(TestSortFilter)
#include "tst_sortfilter.moc"
