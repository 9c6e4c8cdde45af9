// The main window's panes, tool bars, menus and list modes, through the real window.

#include "core/app/componentnames.h"
#include "core/app/settings.h"
#include "core/app/toolbarlayout.h"
#include "core/itemlist/itemlist.h"
#include "testsupport/recordinglauncher.h"
#include "testsupport/tempprogramfolder.h"
#include "ui/app/mainwindow.h"
#include "ui/app/messagebox.h"
#include "ui/itemlist/itemdelegate.h"
#include "ui/itemlist/itemlistview.h"
#include "ui/rpg/rpgview.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSlider>
#include <QSplitter>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

using namespace kazari;
using namespace Qt::StringLiterals;

namespace
{

// An exe.ini of the user's (so state is written at exit) with the tool bar area shown.
const QByteArray BasicIni = "[x]\r\nToolbar5=1\r\nTreePanel=1\r\n";

MainWindow::Options optionsFor(const test::TempProgramFolder &dir)
{
    MainWindow::Options o;
    o.programFolder = dir.folder();
    return o;
}

bool menuEnabled(MainWindow &w, const QString &title)
{
    for (QAction *a : w.menuBar()->actions()) {
        if (a->text() == title)
            return a->isEnabled();
    }
    qWarning() << "no menu" << title;
    return false;
}

} // namespace

class TestMainWindowDisplay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        MessageBox::reset();
        MessageBox::answerAllWith(QMessageBox::No);
    }
    void toolBarsComeBackAsTheyWereLeft();
    void toolBarsTakeTheirStoredRows();
    void panesAndTheirHeaderButtons();
    void openingShowsTheHiddenGamePane();
    void gridLinesInTheDetailsView();
    void picturesAreReadOncePerSettings();
    void listFileModeMenusAndRebuilds();
    void foundListIsLeftByGoingToAFolder();
    void favouritesShownAtStartup();
    void unstorableHistoryPathIsExplained();
};

void TestMainWindowDisplay::toolBarsComeBackAsTheyWereLeft()
{
    test::TempProgramFolder dir;
    QVERIFY(dir.writeBytes(u"exe.ini"_s, BasicIni));
    {
        MainWindow w(optionsFor(dir));
        w.FormCreate();
        w.show();
        // The system folder bar is designed hidden and stays so; the others are shown.
        QVERIFY(w.toolBar(u"ToolBarSystemFolder"_s)->isHidden());
        QVERIFY(!w.toolBar(u"ToolBarFile"_s)->isHidden());
        QAction *iconBar = w.command(u"cmdToolBarIcon"_s);
        QVERIFY(iconBar);
        iconBar->trigger();
        QVERIFY(w.toolBar(u"ToolBarIcon"_s)->isHidden());
        w.close();
    }
    QList<ToolBarState> stored;
    for (const QString &name : {u"ToolBarSystemFolder"_s, u"ToolBarIcon"_s, u"ToolBarFile"_s}) {
        ToolBarState s;
        s.name = name;
        s.visible = name == u"ToolBarIcon"_s; // the opposite of what was left
        stored.append(s);
    }
    QVERIFY(ToolBarLayout::load(dir.file(u"ToolBar.ini"_s), stored));
    QCOMPARE(stored.at(0).visible, false);
    QCOMPARE(stored.at(1).visible, false);
    QCOMPARE(stored.at(2).visible, true);
    // One bar of each name: the path box and the icon size slider sit in their designed
    // bars, not in one of their own.
    QCOMPARE(dir.readBytes(u"ToolBar.ini"_s).count("[ToolBarDirectory]"), 1);

    MainWindow again(optionsFor(dir));
    again.FormCreate();
    again.show();
    QVERIFY(again.toolBar(u"ToolBarSystemFolder"_s)->isHidden());
    QVERIFY(again.toolBar(u"ToolBarIcon"_s)->isHidden());
    QVERIFY(!again.toolBar(u"ToolBarFile"_s)->isHidden());
    QVERIFY(!again.command(u"cmdToolBarIcon"_s)->isChecked());
    QCOMPARE(again.pathBox()->parentWidget(), again.toolBar(u"ToolBarDirectory"_s));
    QVERIFY(again.toolBar(u"ToolBarIconSize"_s)->findChild<QSlider *>());
}

void TestMainWindowDisplay::toolBarsTakeTheirStoredRows()
{
    // Stored places: the comment bar first on the top row, the file bar right of it, the
    // directory bar alone below; every other bar on a third row.
    const QStringList names{u"ToolBarFile"_s,      u"ToolBarIcon"_s,        u"ToolBarCaption"_s,
                            u"ToolBarComment"_s,   u"ToolBarIconSize"_s,    u"ToolBarDrive"_s,
                            u"ToolBarDirectory"_s, u"ToolBarSystemFolder"_s};
    QList<ToolBarState> states;
    int left = 0;
    for (const QString &name : names) {
        ToolBarState s;
        s.name = name;
        s.width = 100;
        s.height = 26;
        s.top = 60;
        s.left = (left += 110);
        states.append(s);
    }
    states[3].top = 0; // comment
    states[3].left = 0;
    states[0].top = 2; // file, same row
    states[0].left = 200;
    states[6].top = 30; // directory
    states[6].left = 0;
    test::TempProgramFolder dir;
    QVERIFY(dir.writeBytes(u"exe.ini"_s, BasicIni));
    QVERIFY(ToolBarLayout::save(dir.file(u"ToolBar.ini"_s), states));

    MainWindow w(optionsFor(dir));
    w.FormCreate();
    w.resize(1400, 700);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QToolBar *comment = w.toolBar(u"ToolBarComment"_s);
    QToolBar *file = w.toolBar(u"ToolBarFile"_s);
    QToolBar *directory = w.toolBar(u"ToolBarDirectory"_s);
    QToolBar *icon = w.toolBar(u"ToolBarIcon"_s);
    QTRY_VERIFY(comment->x() < file->x());
    QCOMPARE(comment->y(), file->y());
    QVERIFY(directory->y() > file->y());
    QVERIFY(icon->y() > directory->y());
    QVERIFY(w.toolBar(u"ToolBarSystemFolder"_s)->isHidden() == false); // stored as visible
    QCOMPARE(ToolBarLayout::rows(states).size(), 3);
    states[5].width = 0; // a bar the file does not know: the designed arrangement stays
    QVERIFY(ToolBarLayout::rows(states).isEmpty());
}

void TestMainWindowDisplay::panesAndTheirHeaderButtons()
{
    test::TempProgramFolder dir;
    QVERIFY(dir.writeBytes(u"exe.ini"_s, BasicIni));
    MainWindow w(optionsFor(dir));
    w.FormCreate();
    w.resize(1100, 700);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QWidget *list = w.findChild<QWidget *>(u"ListPane"_s);
    QVERIFY(list && list->isVisible());

    // "ファイル" hides and shows the item list pane and keeps the choice.
    QAction *filePane = w.command(Component::FilePane);
    filePane->trigger();
    QVERIFY(list->isHidden());
    QCOMPARE(Settings(dir.folder()).readFromFile(Component::FilePane), u"0"_s);
    filePane->trigger();
    QVERIFY(list->isVisible());

    // The header buttons run the same commands.
    auto *listButton = w.findChild<QToolButton *>(u"PaneButton0"_s);
    QVERIFY(listButton);
    listButton->click();
    QVERIFY(list->isHidden());
    QVERIFY(!filePane->isChecked());
    filePane->trigger();

    QWidget *game = w.rpgView()->parentWidget();
    auto *gameButton = w.findChild<QToolButton *>(u"PaneButton1"_s);
    QVERIFY(gameButton && game->isVisible());
    gameButton->click();
    QVERIFY(game->isHidden());
    QCOMPARE(Settings(dir.folder()).readFromFile(Component::FolderPane), u"0"_s);

    // The tool button "フォルダ" brings it back, with room in its splitter.
    QAction *folderButton = w.command(Component::FolderPaneButton);
    QVERIFY(folderButton);
    folderButton->trigger();
    QVERIFY(game->isVisible());
    QVERIFY(w.command(Component::FolderPane)->isChecked());
    QTRY_VERIFY(game->width() >= 320);

    // A right pane page closes from the pane's corner.
    QAction *tasks = w.command(Component::OpenTasksPage);
    tasks->trigger();
    auto *pages = w.findChild<QTabWidget *>(u"RightPane"_s);
    QVERIFY(pages && pages->isVisible());
    auto *pageButton = w.findChild<QToolButton *>(u"PaneButtonPage"_s);
    QVERIFY(pageButton);
    pageButton->click();
    QVERIFY(!tasks->isChecked());
    QVERIFY(pages->isHidden());
}

void TestMainWindowDisplay::openingShowsTheHiddenGamePane()
{
    // Both ways of hiding the game pane, restored at start: an open request must still be
    // released by walking, so the pane comes back with room to walk in.
    test::TempProgramFolder dir;
    QVERIFY(dir.writeBytes(u"exe.ini"_s, BasicIni + "path1=0\r\nToolButton5=0\r\n"));
    QVERIFY(dir.writeBytes(u"file.txt"_s, "x"));
    test::RecordingLauncher launcher;
    MainWindow::Options o = optionsFor(dir);
    o.launcher = &launcher;
    MainWindow w(o);
    w.FormCreate();
    w.resize(1100, 700);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QWidget *game = w.rpgView()->parentWidget();
    QVERIFY(!game->isVisible());
    w.itemListView()->selectPaths({dir.file(u"file.txt"_s)}, dir.file(u"file.txt"_s));
    w.openSelection();
    QVERIFY(launcher.opened.isEmpty()); // waits for the player
    QTRY_VERIFY(game->isVisible());
    QTRY_VERIFY(w.rpgView()->width() > 0);
    QVERIFY(w.command(Component::FloatingWindows)->isChecked());
    QVERIFY(w.command(Component::FolderPane)->isChecked());
}

void TestMainWindowDisplay::gridLinesInTheDetailsView()
{
    test::TempProgramFolder dir;
    QVERIFY(dir.writeBytes(u"exe.ini"_s, BasicIni));
    QVERIFY(dir.writeBytes(u"a.txt"_s, "x"));
    MainWindow w(optionsFor(dir));
    w.FormCreate();
    w.resize(1000, 600);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.command(Component::ViewDetails)->trigger();
    QTreeView *details = w.itemListView()->detailsView();
    QTRY_VERIFY(details->isVisible());
    const QRect cell = details->visualRect(details->model()->index(0, 0));
    QVERIFY(cell.isValid());
    auto lineAt = [&]() {
        const QImage shot = details->viewport()->grab().toImage();
        return shot.pixelColor(cell.center().x(), cell.bottom()) == ItemDelegate::gridLineColour();
    };
    QVERIFY(!lineAt());
    QAction *grid = w.command(Component::GridLines);
    QVERIFY(grid);
    grid->trigger();
    QVERIFY(w.itemListView()->look().gridLines);
    QTRY_VERIFY(lineAt());
    QCOMPARE(Settings(dir.folder()).readFromFile(Component::GridLines), u"1"_s);
}

void TestMainWindowDisplay::picturesAreReadOncePerSettings()
{
    test::TempProgramFolder dir;
    QVERIFY(dir.writeBytes(u"exe.ini"_s, BasicIni));
    MainWindow w(optionsFor(dir));
    w.FormCreate();
    const ItemListLook first = w.itemListView()->look();
    QVERIFY(!first.seals.isEmpty());
    w.Build_ListView(w.currentFolder());
    w.refreshList();
    const ItemListLook again = w.itemListView()->look();
    // The same pictures, not read again: the pixmaps share their data.
    QCOMPARE(again.seals.first().cacheKey(), first.seals.first().cacheKey());
    QCOMPARE(again.placeholderLarge.cacheKey(), first.placeholderLarge.cacheKey());
}

void TestMainWindowDisplay::listFileModeMenusAndRebuilds()
{
    test::TempProgramFolder dir;
    QVERIFY(dir.writeBytes(u"exe.ini"_s, BasicIni));
    QVERIFY(dir.writeBytes(u"a.txt"_s, "x"));
    QVERIFY(dir.writeBytes(u"vtl/mine.img"_s, dir.file(u"a.txt"_s).toUtf8() + "\r\n"));
    QVERIFY(dir.writeBytes(u"vtl/virtuallist.img"_s, dir.file(u"a.txt"_s).toUtf8() + "\r\n"));
    MainWindow w(optionsFor(dir));
    w.FormCreate();
    const QStringList menus{u"ファイル(&F)"_s, u"編集(&E)"_s,   u"表示"_s,
                            u"マスク(&M)"_s,   u"シール(&S)"_s, u"ラベル(&L)"_s};
    for (const QString &m : menus)
        QVERIFY2(menuEnabled(w, m), qPrintable(m));
    QCOMPARE(w.itemListPopup()->objectName(), u"PopupMenu1"_s);

    w.showListFile(dir.file(u"vtl/mine.img"_s));
    QVERIFY(w.listFileMode());
    for (const QString &m : menus)
        QVERIFY2(!menuEnabled(w, m), qPrintable(m));
    QCOMPARE(w.itemListPopup()->objectName(), u"ListFilePopupMenu"_s);
    QVERIFY(!w.itemListPopup()->findChildren<QMenu *>().isEmpty() ||
            !w.itemListPopup()->actions().isEmpty());

    // A display switch rebuilds the list file, not the folder shown before it.
    w.command(Component::ShowHiddenFiles)->trigger();
    QVERIFY(w.listFileMode());
    QCOMPARE(w.itemListView()->list().mode(), ItemListMode::ListFile);
    QVERIFY(w.windowTitle().startsWith(u"リスト: mine.img"_s));

    // Up shows the virtual disc image and names it in the switch panel.
    w.statusField(MainWindow::SysMsg)->clear();
    w.command(u"cmdUp"_s)->trigger();
    QVERIFY(w.windowTitle().startsWith(u"リスト: virtuallist.img"_s));
    QCOMPARE(w.switchPanel()->text(), u"仮想ディスクイメージ"_s);
    QVERIFY(w.statusField(MainWindow::SysMsg)->text().isEmpty());

    // Going to a folder gives everything back.
    w.Build_ListView(dir.path());
    QVERIFY(!w.listFileMode());
    QVERIFY(w.switchPanel()->text().isEmpty());
    for (const QString &m : menus)
        QVERIFY2(menuEnabled(w, m), qPrintable(m));
    QCOMPARE(w.itemListPopup()->objectName(), u"PopupMenu1"_s);
}

void TestMainWindowDisplay::foundListIsLeftByGoingToAFolder()
{
    test::TempProgramFolder dir;
    QVERIFY(dir.writeBytes(u"exe.ini"_s, BasicIni));
    QDir(dir.path()).mkpath(u"other"_s);
    QVERIFY(dir.writeBytes(u"other/b.txt"_s, "x"));
    QVERIFY(dir.writeBytes(u"a.txt"_s, "x"));
    QVERIFY(dir.writeBytes(u"Found.txt"_s, dir.file(u"a.txt"_s).toUtf8() + "=\"\"\r\n"));
    MainWindow::Options o = optionsFor(dir);
    o.arguments = {u"/ShowFoundList"_s};
    MainWindow w(o);
    w.FormCreate();
    QCOMPARE(w.itemListView()->list().mode(), ItemListMode::FoundList);
    QVERIFY(w.windowTitle().startsWith(u"検索結果"_s));

    // A rebuild for a display switch keeps it.
    w.command(Component::ShowHiddenFiles)->trigger();
    QCOMPARE(w.itemListView()->list().mode(), ItemListMode::FoundList);

    // Going to a folder leaves it.
    w.Build_ListView(dir.file(u"other"_s));
    QCOMPARE(w.itemListView()->list().mode(), ItemListMode::Folder);
    QVERIFY(w.windowTitle().startsWith(u"other"_s));
    QVERIFY(!w.foundListMode());
    w.refreshList();
    QCOMPARE(w.currentFolder(), dir.file(u"other"_s) + u"/"_s);
}

void TestMainWindowDisplay::favouritesShownAtStartup()
{
    test::TempProgramFolder dir;
    QVERIFY(dir.writeBytes(u"exe.ini"_s, BasicIni + "N123=0\r\nN124=1\r\n"));
    MainWindow w(optionsFor(dir));
    w.FormCreate();
    w.show();
    auto *pages = w.findChild<QTabWidget *>(u"RightPane"_s);
    QVERIFY(pages->isVisible());
    QVERIFY(w.command(Component::FavouritesPage)->isChecked());
    QCOMPARE(pages->tabText(pages->currentIndex()), u"よく使う項目"_s);
}

void TestMainWindowDisplay::unstorableHistoryPathIsExplained()
{
    test::TempProgramFolder dir;
    QVERIFY(dir.writeBytes(u"exe.ini"_s, BasicIni));
    QVERIFY(dir.writeBytes(u"vtl/FileList.img"_s, ""));
    QVERIFY(dir.writeBytes(u"a=b.txt"_s, "x"));
    test::RecordingLauncher launcher;
    MainWindow::Options o = optionsFor(dir);
    o.launcher = &launcher;
    MainWindow w(o);
    w.FormCreate();
    w.openPaths({dir.file(u"a=b.txt"_s)});
    QCOMPARE(launcher.opened.size(), 1); // it is opened all the same
    QVERIFY(!dir.readBytes(u"vtl/FileList.img"_s).contains("a=b"));
    QCOMPARE(MessageBox::log().size(), 1);
}

QTEST_MAIN(TestMainWindowDisplay)
#include "tst_mainwindowdisplay.moc"
