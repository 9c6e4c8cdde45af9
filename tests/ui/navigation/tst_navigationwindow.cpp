// Moving between folders in the main window: tabs, path box, up, the drive bar, the
// system folder buttons, and what the recent-use lists refuse.
#include "core/app/componentnames.h"
#include "core/navigation/openplan.h"
#include "testsupport/files.h"
#include "testsupport/recordinglauncher.h"
#include "testsupport/tempprogramfolder.h"
#include "ui/app/mainwindow.h"
#include "ui/app/messagebox.h"
#include "ui/itemlist/itemlistview.h"
#include "ui/navigation/drivebar.h"
#include "ui/navigation/itemopener.h"
#include "ui/navigation/navigationcontroller.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <memory>

using namespace kazari;
using namespace Qt::StringLiterals;

namespace
{

struct Window {
    explicit Window(const QByteArray &exeIni = QByteArray())
    {
        if (!exeIni.isEmpty())
            program.writeBytes(u"exe.ini"_s, exeIni);
        MainWindow::Options o;
        o.programFolder = program.folder();
        o.arguments = {data.path()};
        o.launcher = &launcher;
        form = std::make_unique<MainWindow>(o);
        form->FormCreate();
    }
    QString path(const QString &relative = QString()) const
    {
        return relative.isEmpty() ? data.path() : data.path() + u"/"_s + relative;
    }
    void open(const QString &relative) { form->Build_ListView(path(relative)); }
    NavigationController &navigation() { return *form->navigation(); }

    test::TempProgramFolder program;
    QTemporaryDir data;
    test::RecordingLauncher launcher;
    std::unique_ptr<MainWindow> form;
};

} // namespace

class TestNavigationWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        MessageBox::reset();
        MessageBox::answerAllWith(QMessageBox::No);
    }
    void tabsAlwaysOpenTheFolderTheyShow();
    void pathBoxAndUp();
    void driveBarNeverWaitsForTheVolumes();
    void driveBarEndsItsLookWithTheWindow();
    void systemFolderButtons();
    void historyRefusesPathsItCannotHold();
};

void TestNavigationWindow::tabsAlwaysOpenTheFolderTheyShow()
{
    Window w("ToolButton39=1\r\n");
    // The first folder has its tab from the start.
    w.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    QCOMPARE(w.form->folderTabs()->count(), 1);
    QVERIFY(w.form->folderTabs()->isVisible());
    QVERIFY(w.form->folderTabs()->height() > 0);
    for (int i = 0; i <= 10; ++i)
        QVERIFY(QDir().mkpath(w.path(u"f"_s + QString::number(i))));
    for (int i = 0; i <= 10; ++i)
        w.open(u"f"_s + QString::number(i));
    QTabBar *tabs = w.form->folderTabs();
    QVERIFY(!tabs->isHidden());
    // Ten tabs, the oldest gone; each tab is its history entry.
    QCOMPARE(tabs->count(), 10);
    const TabHistory &history = w.navigation().tabHistory();
    for (int i = 0; i < tabs->count(); ++i)
        QCOMPARE(tabs->tabToolTip(i), history.entry(i));
    QCOMPARE(history.entry(0), w.path(u"f1"_s));
    QCOMPARE(tabs->currentIndex(), 9);

    // Choosing a tab opens exactly its folder, also after the strip has shifted.
    tabs->setCurrentIndex(2);
    QCOMPARE(w.form->currentFolder(), w.path(u"f3/"_s));
    QCOMPARE(tabs->count(), 10);
    // Going to a folder that has a tab selects it and adds none.
    w.open(u"f7"_s);
    QCOMPARE(tabs->currentIndex(), 6);
    QCOMPARE(tabs->count(), 10);
}

void TestNavigationWindow::pathBoxAndUp()
{
    Window w;
    QVERIFY(QDir().mkpath(w.path(u"a/b"_s)));
    QVERIFY(test::writeFile(w.path(u"a/doc.txt"_s), "x"));
    QComboBox *box = w.form->pathBox();

    // Enter in the box opens the folder it names; a file is opened by the desktop.
    box->setEditText(w.path(u"a/b/"_s));
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    QCOMPARE(w.form->currentFolder(), w.path(u"a/b/"_s));
    box->setEditText(w.path(u"a/doc.txt"_s));
    QTest::qWait(1);
    // The key reaches the box more than once; the file is still started once.
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    QCOMPARE(w.launcher.opened, QStringList{w.path(u"a/doc.txt"_s)});
    QCOMPARE(w.form->currentFolder(), w.path(u"a/b/"_s));
    // Something that is not there does nothing.
    QTest::qWait(1);
    box->setEditText(w.path(u"missing"_s));
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    QCOMPARE(w.form->currentFolder(), w.path(u"a/b/"_s));

    // Ctrl+Up in the item list, and the up command; at the root up stays there.
    w.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    QAbstractItemView *list = w.form->itemListView()->currentView();
    list->setFocus();
    QTRY_VERIFY(list->hasFocus());
    QTest::keyClick(list, Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(w.form->currentFolder(), w.path(u"a/"_s));
    w.form->command(u"cmdUp"_s)->trigger();
    QCOMPARE(w.form->currentFolder(), w.path() + u"/"_s);
    w.form->Build_ListView(u"/"_s);
    w.navigation().up();
    QCOMPARE(w.form->currentFolder(), u"/"_s);

    // The box keeps every folder, the latest on top, without duplicates.
    QStringList entries;
    for (int i = 0; i < box->count(); ++i)
        entries.append(box->itemText(i));
    QCOMPARE(entries.first(), u"/"_s);
    QCOMPARE(entries.count(w.path(u"a"_s)), 1);
    QCOMPARE(entries.count(w.path(u"a/b"_s)), 1);
}

void TestNavigationWindow::driveBarNeverWaitsForTheVolumes()
{
    Window w;
    DriveBar *bar = w.navigation().driveBar();
    QVERIFY(bar);
    // A volume that takes its time (a network mount that hangs) keeps only its own
    // button waiting.
    auto gate = std::make_shared<QSemaphore>();
    bar->setLister([gate]() {
        gate->acquire();
        return QList<NamespaceEntry>{{u"/"_s, u"/"_s, true}, {u"data"_s, u"/media/data"_s, true}};
    });
    QElapsedTimer timer;
    timer.start();
    bar->rebuild();
    QVERIFY(timer.elapsed() < 1000);
    QVERIFY(bar->scanning());
    QCOMPARE(bar->roots(), QStringList{u"/"_s});
    QSignalSpy scanned(bar, &DriveBar::scanned);
    gate->release();
    QVERIFY(scanned.wait());
    QCOMPARE(bar->roots(), (QStringList{u"/"_s, u"/media/data"_s}));
}

void TestNavigationWindow::driveBarEndsItsLookWithTheWindow()
{
    auto started = std::make_shared<QSemaphore>();
    auto gate = std::make_shared<QSemaphore>();
    auto done = std::make_shared<std::atomic<bool>>(false);
    {
        Window w;
        DriveBar *bar = w.navigation().driveBar();
        QVERIFY(bar);
        QTRY_VERIFY(!bar->scanning());
        bar->setLister([started, gate, done]() {
            started->release();
            gate->tryAcquire(1, 300); // a volume slow to answer, within the time limit
            done->store(true);
            return QList<NamespaceEntry>{};
        });
        bar->rebuild();
        QVERIFY(started->tryAcquire(1, 5000));
    }
    // The window waited for the look it had started: nothing of it runs afterwards.
    QVERIFY(done->load());
}

void TestNavigationWindow::systemFolderButtons()
{
    Window w;
    // "最近使ったファイル": the program's own list of recently opened files.
    w.form->command(u"cmdSystemFolderRecent"_s)->trigger();
    QVERIFY(MessageBox::log().last().contains(u"vtl/FileList.img"_s));
    QVERIFY(test::writeFile(w.program.file(u"vtl/FileList.img"_s),
                            (w.path(u"seen.txt"_s) + u"\n"_s).toUtf8()));
    QVERIFY(test::writeFile(w.path(u"seen.txt"_s), "x"));
    w.form->command(u"cmdSystemFolderRecent"_s)->trigger();
    QVERIFY(w.form->listFileMode());
    QCOMPARE(w.form->itemListView()->list().count(), 1);
    QCOMPARE(w.form->itemListView()->list().at(0).PATH, w.path(u"seen.txt"_s));

    // "お気に入り": the favourites page.
    w.form->command(u"cmdSystemFolderFavourites"_s)->trigger();
    QVERIFY(w.form->command(Component::FavouritesPage)->isChecked());

    // "テンプレート": the desktop's user folder, wherever the user put it.
    QTemporaryDir config;
    const QString templates = w.path(u"Vorlagen"_s);
    QVERIFY(QDir().mkpath(templates));
    QVERIFY(test::writeFile(config.path() + u"/user-dirs.dirs"_s,
                            "XDG_TEMPLATES_DIR=\"" + templates.toUtf8() + "\"\n"));
    const QByteArray before = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    w.form->command(u"cmdSystemFolderTemplates"_s)->trigger();
    qputenv("XDG_CONFIG_HOME", before);
    QCOMPARE(w.form->currentFolder(), templates + u"/"_s);
}

void TestNavigationWindow::historyRefusesPathsItCannotHold()
{
    Window w;
    QVERIFY(w.program.writeBytes(u"vtl/FileList.img"_s, "/old\n"));
    QVERIFY(test::writeFile(w.path(u"key=value.txt"_s), "x"));
    OpenPlan plan;
    plan.steps.append({OpenPlan::Step::OpenWithDefault, w.path(u"key=value.txt"_s)});
    plan.recorded.append(w.path(u"key=value.txt"_s));
    // What the gate releases: the file opens, the list refuses it with a message and
    // stays as it was.
    w.form->opener()->execute(plan);
    QCOMPARE(w.launcher.opened, QStringList{w.path(u"key=value.txt"_s)});
    QVERIFY(MessageBox::log().last().contains(u"履歴に記録できません"_s));
    QCOMPARE(w.program.readBytes(u"vtl/FileList.img"_s), QByteArray("/old\n"));
}

QTEST_MAIN(TestNavigationWindow)
#include "tst_navigationwindow.moc"
