#include "core/app/componentnames.h"
#include "core/app/settings.h"
#include "testsupport/recordinglauncher.h"
#include "testsupport/tempprogramfolder.h"
#include "testsupport/withoutrootrights.h"
#include "ui/app/mainwindow.h"
#include "ui/app/messagebox.h"
#include "ui/app/splashwindow.h"
#include "ui/rpg/rpgview.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QProgressBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace kazari;
using namespace Qt::StringLiterals;

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        // Nothing may wait for a click: unexpected questions read as No.
        MessageBox::reset();
        MessageBox::answerAllWith(QMessageBox::No);
    }
    void startupStepsInOrder();
    void statusBarLayout();
    void gamePaneLayout();
    void closeWithoutExeIniWritesNothing();
    void closeWithExeIniWritesStateInOrder();
    void unreadExeIniIsLeftAloneAtExit();
    void freeTreeIsSavedToTheFileItWasReadFrom();
    void switchHandlerStoresAtOnceAndRebuilds();
    void shortcutsOnlyWhileListHasFocus();
    void storageModeCommands();
    void folderFileAndMaintenanceCommands();
    void applicationMenuStartsTheSelectedPath();
    void openingWaitsForTheGoalAndCloseReleases();
};

void TestMainWindow::startupStepsInOrder()
{
    test::TempProgramFolder dir;
    auto *splash = new SplashWindow;
    MainWindow::Options o;
    o.programFolder = dir.folder();
    o.splash = splash;
    MainWindow w(o);
    w.FormCreate();
    const QStringList expected{u"起動開始"_s,
                               u"メッセージセット"_s,
                               u"アプリケーション初期化"_s,
                               u"自由にツリーを読み込み"_s,
                               u"設定を読み込み"_s,
                               u"ツールバー状態設定"_s,
                               u"有効ドライブ"_s,
                               u"ウインドウ属性セット"_s,
                               u"メニュー作成"_s,
                               u"表示系初期設定"_s,
                               u"アイコン読み込み"_s,
                               u"自由にツリーの準備"_s,
                               u"フォルダ履歴"_s};
    QCOMPARE(w.startupLog(), expected);
    QCOMPARE(splash->history(), expected);
    // Without exe.ini: the defaults, the program folder as the first folder.
    QCOMPARE(w.currentFolder(), dir.path() + u"/"_s);
    QCOMPARE(w.settings().integer(u"IconSize"_s, 0), 80);
    QVERIFY(w.command(Component::PerFolderFiles));
    QVERIFY(w.command(Component::PerFolderFiles)->isChecked());
    QCOMPARE(w.statusField(MainWindow::FindFileName)->text(), u"*"_s);
    delete splash;
}

void TestMainWindow::statusBarLayout()
{
    test::TempProgramFolder dir;
    MainWindow::Options o;
    o.programFolder = dir.folder();
    MainWindow w(o);
    w.FormCreate();
    w.resize(800, 600);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QStringList names{u"D&F cnt"_s,       u"Showed"_s,  u"Notification"_s, u"ini No"_s,
                            u"GFindFileName"_s, u"File Op"_s, u"Sys msg"_s};
    int lastX = -1;
    for (int i = 0; i < 7; ++i) {
        QLabel *field = w.statusField(MainWindow::StatusField(i));
        QCOMPARE(field->objectName(), names.at(i));
        QVERIFY(field->x() > lastX);
        lastX = field->x();
    }
    QProgressBar *bar = w.progressBar();
    QCOMPARE(bar->parentWidget(), w.statusBar());
    QCOMPARE(bar->geometry(), QRect(2, 4, 30, w.statusBar()->height() - 5));
}

void TestMainWindow::gamePaneLayout()
{
    // The game's picture is as wide as the status panel and as high as its pane less the
    // header and status panel, never smaller than 320 x 480, also with the stored default
    // width of the folder pane (which is narrower).
    test::TempProgramFolder dir;
    MainWindow::Options o;
    o.programFolder = dir.folder();
    MainWindow w(o);
    w.FormCreate();
    w.resize(1100, 760);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    RpgView *view = w.rpgView();
    QWidget *pane = view->parentWidget();
    auto *status = pane->findChild<QLabel *>(u"Panel31"_s);
    QVERIFY(status);
    QCOMPARE(status->height(), 24);
    QVERIFY(view->width() >= 320);
    QVERIFY(view->height() >= 480);
    QTRY_COMPARE(view->picture().size(), QSize(status->width(), pane->height() - 48));
}

void TestMainWindow::closeWithoutExeIniWritesNothing()
{
    test::TempProgramFolder dir;
    MainWindow::Options o;
    o.programFolder = dir.folder();
    bool watchersStopped = false;
    {
        MainWindow w(o);
        w.onShutdown(MainWindow::ShutdownStep::StopWatchers, [&](bool) { watchersStopped = true; });
        w.FormCreate();
        w.show();
        w.close();
        QVERIFY(w.shutdownLog().contains(u"no exe.ini"_s));
        QVERIFY(!w.shutdownLog().contains(u"write exe.ini"_s));
    }
    QVERIFY(watchersStopped); // workers stop even when nothing is saved
    QVERIFY(!dir.exists(u"exe.ini"_s));
    QVERIFY(!dir.exists(u"ToolBar.ini"_s));
    QVERIFY(!dir.exists(u"FreeTree.ini"_s));
}

void TestMainWindow::closeWithExeIniWritesStateInOrder()
{
    test::TempProgramFolder dir;
    QDir(dir.path()).mkpath(u"start"_s);
    QVERIFY(dir.writeBytes(u"exe.ini"_s,
                           "[x]\r\nLastPath=/nowhere/\r\nIconSize=48\r\nKeepMe=1\r\nN28=1\r\n"
                           "FreeTreeName=Mine.ini\r\n"));
    QVERIFY(dir.writeBytes(u"Mine.ini.txt"_s, "")); // the tree file that makes the name count
    MainWindow::Options o;
    o.programFolder = dir.folder();
    o.arguments = {dir.file(u"start"_s)};
    {
        MainWindow w(o);
        w.FormCreate();
        QCOMPARE(w.currentFolder(), dir.file(u"start"_s) + u"/"_s);
        w.show();
        w.close();
        // Every step there, in this order (a missing step fails, not reads as -1).
        const QStringList log = w.shutdownLog();
        qsizetype last = -1;
        for (const QString &stepName : {u"stop list watch"_s, u"stop watchers"_s, u"free records"_s,
                                        u"write ToolBar.ini"_s, u"write exe.ini"_s}) {
            const qsizetype at = log.indexOf(stepName);
            QVERIFY2(at > last, qPrintable(stepName));
            last = at;
        }
    }
    Settings s(dir.folder());
    QVERIFY(s.load());
    QCOMPARE(s.value(u"LastPath"_s), dir.file(u"start"_s) + u"/"_s);
    QCOMPARE(s.value(u"IconSize"_s), u"48"_s);
    QCOMPARE(s.value(u"KeepMe"_s), u"1"_s);
    QCOMPARE(s.value(u"FreeTreeName"_s), u"Mine.ini"_s);
    QVERIFY(dir.readBytes(u"exe.ini"_s).startsWith("[x]\r\n"));
    QVERIFY(dir.readBytes(u"ToolBar.ini"_s).contains("Visible="));
}

void TestMainWindow::freeTreeIsSavedToTheFileItWasReadFrom()
{
    test::TempProgramFolder dir;
    QVERIFY(dir.writeBytes(u"exe.ini"_s, "FreeTreeName=Mine.ini\n"));
    QVERIFY(dir.writeBytes(u"Mine.ini.txt"_s, ""));
    QVERIFY(dir.writeBytes(u"FreeTree.ini"_s, "/default=icon.bmp\n"));
    QVERIFY(dir.writeBytes(u"Mine.ini"_s, "/mine=icon.bmp\r\n"));
    MainWindow::Options o;
    o.programFolder = dir.folder();
    auto runOnce = [&o]() {
        MainWindow w(o);
        w.FormCreate();
        w.show();
        w.close();
    };
    runOnce();
    QCOMPARE(dir.readBytes(u"Mine.ini"_s), QByteArray("/mine=icon.bmp\r\n"));
    QCOMPARE(dir.readBytes(u"FreeTree.ini"_s), QByteArray("/default=icon.bmp\n"));

    // A tree file that is there but cannot be read (a socket stops root too) is left as
    // it is, under either name.
    for (const QString &name : {u"Mine.ini"_s, u"FreeTree.ini"_s}) {
        if (name == u"FreeTree.ini"_s)
            QVERIFY(dir.writeBytes(u"exe.ini"_s, "N28=1\n"));
        QVERIFY(QFile::remove(dir.file(name)));
        const QByteArray path = QFile::encodeName(dir.file(name));
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        QVERIFY(path.size() < qsizetype(sizeof(address.sun_path)));
        qstrcpy(address.sun_path, path.constData());
        QCOMPARE(::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof(address)), 0);
        runOnce();
        ::close(fd);
        QVERIFY2(!QFileInfo(dir.file(name)).isFile(), qPrintable(name));
    }
}

void TestMainWindow::unreadExeIniIsLeftAloneAtExit()
{
    // exe.ini is there but cannot be read at start: the exit writes neither it nor the
    // files that go with it.
    test::TempProgramFolder dir;
    const QByteArray stored = "[x]\r\nIconSize=48\r\nKeepMe=1\r\n";
    QVERIFY(dir.writeBytes(u"exe.ini"_s, stored));
    QVERIFY(test::WithoutRootRights::letOthersIn(dir.path()));
    QVERIFY(QFile::setPermissions(dir.file(u"exe.ini"_s), QFile::WriteOwner));
    MainWindow::Options o;
    o.programFolder = dir.folder();
    {
        MainWindow w(o);
        {
            // Root reads every file: the start runs with an ordinary user's rights.
            test::WithoutRootRights ordinary;
            QVERIFY(ordinary.ok());
            w.FormCreate();
        }
        QVERIFY(w.settings().readFailed());
        w.show();
        w.close();
        QVERIFY(w.shutdownLog().contains(u"no exe.ini"_s));
        QVERIFY(!w.shutdownLog().contains(u"write exe.ini"_s));
    }
    QVERIFY(QFile::setPermissions(dir.file(u"exe.ini"_s), QFile::ReadOwner | QFile::WriteOwner));
    QCOMPARE(dir.readBytes(u"exe.ini"_s), stored);
    QVERIFY(!dir.exists(u"ToolBar.ini"_s));
}

void TestMainWindow::switchHandlerStoresAtOnceAndRebuilds()
{
    test::TempProgramFolder dir;
    QVERIFY(dir.writeBytes(u"exe.ini"_s, "N306=0\n"));
    MainWindow::Options o;
    o.programFolder = dir.folder();
    MainWindow w(o);
    w.FormCreate();
    QAction *hidden = w.command(Component::ShowHiddenFiles);
    QVERIFY(hidden);
    QVERIFY(hidden->isCheckable());
    QVERIFY(!hidden->isChecked());
    hidden->trigger(); // Qt toggles the mark before the handler runs
    QVERIFY(hidden->isChecked());
    QCOMPARE(Settings(dir.folder()).readFromFile(Component::ShowHiddenFiles), u"1"_s);
    QVERIFY(w.settings().isOn(Component::ShowHiddenFiles));
    hidden->trigger();
    QCOMPARE(Settings(dir.folder()).readFromFile(Component::ShowHiddenFiles), u"0"_s);
}

void TestMainWindow::shortcutsOnlyWhileListHasFocus()
{
    // The real commands' keys: F5 refreshes and Backspace goes up only from the item
    // list; in the path box they stay the box's own keys.
    test::TempProgramFolder dir;
    MainWindow::Options o;
    o.programFolder = dir.folder();
    MainWindow w(o);
    w.FormCreate();
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QAction *refresh = w.command(u"cmdRefresh"_s);
    QVERIFY(refresh);
    QCOMPARE(refresh->shortcut(), QKeySequence(Qt::Key_F5));
    QSignalSpy refreshed(refresh, &QAction::triggered);
    const QString start = w.currentFolder();

    w.pathBox()->setFocus();
    QTRY_VERIFY(w.pathBox()->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    QCOMPARE(refreshed.count(), 0);
    QCOMPARE(w.currentFolder(), start);

    w.itemList()->setFocus();
    QTRY_VERIFY(w.itemList()->hasFocus());
    QTest::keyClick(w.itemList(), Qt::Key_F5);
    QCOMPARE(refreshed.count(), 1);
    QTest::keyClick(w.itemList(), Qt::Key_Backspace);
    QVERIFY(w.currentFolder() != start);
    QVERIFY(start.startsWith(w.currentFolder()));
}

void TestMainWindow::storageModeCommands()
{
    test::TempProgramFolder dir;
    QVERIFY(dir.writeBytes(u"exe.ini"_s, "InIManagement2=1\nmin1=0\n"));
    QDir(dir.path()).mkpath(u"work"_s);
    MainWindow::Options o;
    o.programFolder = dir.folder();
    o.arguments = {dir.file(u"work"_s)};
    MessageBox::script({QMessageBox::Yes}); // create the central index
    MainWindow w(o);
    w.FormCreate();
    QCOMPARE(MessageBox::log().size(), 1);
    QVERIFY(dir.exists(u"ini/index.ini"_s));
    QVERIFY(w.command(Component::CentralManagement)->isChecked());

    // Choosing the other mode stores both marks at once.
    w.command(Component::PerFolderFiles)->trigger();
    QVERIFY(w.command(Component::PerFolderFiles)->isChecked());
    QVERIFY(!w.command(Component::CentralManagement)->isChecked());
    Settings s(dir.folder());
    QVERIFY(s.load());
    QVERIFY(s.isOn(Component::PerFolderFiles));
    QVERIFY(!s.isOn(Component::CentralManagement));
    QCOMPARE(w.statusField(MainWindow::IniNo)->text(), u"_m"_s);
}

void TestMainWindow::folderFileAndMaintenanceCommands()
{
    test::TempProgramFolder dir;
    QVERIFY(dir.writeBytes(u"exe.ini"_s, "InIManagement2=1\nmin1=0\n"));
    QDir(dir.path()).mkpath(u"work"_s);
    const QString work = dir.file(u"work"_s) + u"/"_s;
    QVERIFY(dir.writeBytes(u"work/a.txt"_s, "x"));
    QVERIFY(dir.writeBytes(u"work/_m.ini"_s, "a.txt_cmt=local\n"));
    QVERIFY(dir.writeBytes(u"ini/index.ini"_s, "/gone/=1\n" + work.toUtf8() + "=2\n"));
    QVERIFY(dir.writeBytes(u"ini/1.ini"_s, "b_cmt=gone\n"));
    QVERIFY(dir.writeBytes(u"ini/2.ini"_s, "a.txt_cmt=central\n"));
    QVERIFY(dir.writeBytes(u"rule/2.rule"_s, "rule\n"));
    test::RecordingLauncher launcher;
    MainWindow::Options o;
    o.programFolder = dir.folder();
    o.arguments = {work};
    o.launcher = &launcher;
    MainWindow w(o);
    w.FormCreate();
    auto comment = [&w]() { return w.store().currentValue(u"a.txt"_s, u"_cmt"_s); };
    QCOMPARE(comment(), u"central"_s);
    QCOMPARE(w.statusField(MainWindow::IniNo)->text(), u"2"_s);

    // "一時的に個々の設定ファイルを使用する": one load from the folder's own file.
    QAction *temporary = w.command(Component::TemporaryPerFolderFiles);
    temporary->trigger();
    QCOMPARE(comment(), u"local"_s);
    QVERIFY(!temporary->isChecked());
    w.Build_ListView(work);
    QCOMPARE(comment(), u"central"_s);

    // "現在の設定を直接に編集" opens the folder's numbered file.
    w.command(Component::EditCurrentFolderFile)->trigger();
    QCOMPARE(launcher.opened, QStringList{dir.file(u"ini/2.ini"_s)});

    // "現在のフォルダ設定を書き出す" writes the current list into the folder's _m.ini.
    w.command(Component::WriteCurrentFolderFile)->trigger();
    QCOMPARE(dir.readBytes(u"work/_m.ini"_s), QByteArray("a.txt_cmt=central\n"));

    // "管理情報整備" renumbers with the companion files; the list follows its file.
    w.command(u"cmdMaintainIndex"_s)->trigger();
    QCOMPARE(dir.readBytes(u"ini/index.ini"_s), work.toUtf8() + "=0\n");
    QCOMPARE(dir.readBytes(u"ini/0.ini"_s), QByteArray("a.txt_cmt=central\n"));
    QCOMPARE(dir.readBytes(u"rule/0.rule"_s), QByteArray("rule\n"));
    QVERIFY(!dir.exists(u"ini/1.ini"_s) && !dir.exists(u"ini/2.ini"_s));
    QCOMPARE(w.statusField(MainWindow::SysMsg)->text(), u"管理情報の整備が完了しました"_s);
    QCOMPARE(w.statusField(MainWindow::IniNo)->text(), u"0"_s);
    QCOMPARE(comment(), u"central"_s);
    QCOMPARE(MessageBox::log().size(), 0);
}

void TestMainWindow::applicationMenuStartsTheSelectedPath()
{
    test::TempProgramFolder dir;
    const QString program = dir.file(u"tool.sh"_s);
    QVERIFY(dir.writeBytes(u"tool.sh"_s, "#!/bin/sh\n"));
    QVERIFY(
        dir.writeBytes(u"myappli.ini"_s, "見る=" + program.toUtf8() + "\nない=/no/such/program\n"));
    test::RecordingLauncher launcher;
    MainWindow::Options o;
    o.programFolder = dir.folder();
    o.launcher = &launcher;
    MainWindow w(o);
    w.FormCreate();
    const QString item = dir.file(u"sub dir/a b.txt"_s);
    w.setSelectionProvider([&item]() { return QStringList{item}; });
    const QList<QMenu *> menus = w.commands().menus(u"AppListMenu"_s);
    QVERIFY(!menus.isEmpty());
    QMenu *menu = menus.first();
    Q_EMIT menu->aboutToShow();
    QCOMPARE(menu->actions().size(), 1); // the missing program is not offered
    QCOMPARE(menu->actions().first()->text(), u"見る"_s);
    menu->actions().first()->trigger();
    QCOMPARE(launcher.started.size(), 1);
    QCOMPARE(launcher.started.first().program, program);
    QCOMPARE(launcher.started.first().arguments, QStringList{item});
    QCOMPARE(launcher.started.first().workingFolder, dir.file(u"sub dir"_s));

    QVERIFY(dir.writeBytes(u"myappli.ini"_s, ""));
    Q_EMIT menu->aboutToShow();
    QCOMPARE(menu->actions().size(), 1);
    QCOMPARE(menu->actions().first()->text(), u"なし"_s);
}

void TestMainWindow::openingWaitsForTheGoalAndCloseReleases()
{
    test::TempProgramFolder dir;
    QDir(dir.path()).mkpath(u"sub"_s);
    QVERIFY(dir.writeBytes(u"file.txt"_s, "x"));
    QVERIFY(dir.writeBytes(u"vtl/FileList.img"_s, ""));
    test::RecordingLauncher launcher;
    MainWindow::Options o;
    o.programFolder = dir.folder();
    o.launcher = &launcher;
    MainWindow w(o);
    w.FormCreate();

    // Opened now (what the gate releases): files start, a folder is shown.
    w.openPaths({dir.file(u"file.txt"_s), dir.file(u"sub"_s)});
    QCOMPARE(launcher.opened, QStringList{dir.file(u"file.txt"_s)});
    QCOMPARE(w.currentFolder(), dir.file(u"sub"_s) + u"/"_s);
    QVERIFY(dir.readBytes(u"vtl/FileList.img"_s).contains("file.txt"));

    // Through the gate: nothing opens until the goal, closing releases it.
    launcher.opened.clear();
    bool released = false;
    w.rpgView()->requestOpen([&]() {
        released = true;
        w.openPaths({dir.file(u"file.txt"_s)});
    });
    QVERIFY(!released);
    QVERIFY(launcher.opened.isEmpty());
    w.show();
    w.close();
    QVERIFY(released);
    QCOMPARE(launcher.opened.size(), 1);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
