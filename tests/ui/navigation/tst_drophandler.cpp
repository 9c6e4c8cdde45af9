// Files dropped onto the main window from another program, and the item list's own
// items dragged onto one of its folder entries.
#include "core/annotations/annotationstore.h"
#include "core/app/componentnames.h"
#include "testsupport/files.h"
#include "testsupport/recordinglauncher.h"
#include "testsupport/tempprogramfolder.h"
#include "ui/app/mainwindow.h"
#include "ui/app/messagebox.h"
#include "ui/fileops/copymovedialog.h"
#include "ui/fileops/fileoperationscontroller.h"
#include "ui/itemlist/itemlistmodel.h"
#include "ui/itemlist/itemlistview.h"
#include "ui/navigation/drophandler.h"

#include <QAbstractItemView>
#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

using namespace kazari;
using namespace Qt::StringLiterals;

namespace
{

struct Window {
    Window()
    {
        MainWindow::Options o;
        o.programFolder = program.folder();
        o.arguments = {data.path()};
        o.launcher = &launcher;
        for (const char *f :
             {"here/a.txt", "here/_m.ini", "there/a.txt", "there/b.txt", "there/_m.ini"})
            test::writeFile(path(QString::fromLatin1(f)), "x");
        QDir().mkpath(path(u"here/sub"_s));
        form = std::make_unique<MainWindow>(o);
        form->FormCreate();
        form->fileOperations()->setProgressDelay(60000);
        handler().setMenuChooser([this](QMenu &menu, const QPoint &) -> QAction * {
            menus.append(menu.title());
            chosenDuringDrop = inDrop;
            QAction *chosen = nullptr;
            for (QAction *a : menu.actions()) {
                entries.append(a->text());
                if (a->text() == choice)
                    chosen = a;
            }
            return chosen;
        });
        form->resize(900, 600);
        form->show();
        exposed = QTest::qWaitForWindowExposed(form.get());
        open(u"here"_s);
    }
    QString path(const QString &relative = QString()) const
    {
        return relative.isEmpty() ? data.path() : data.path() + u"/"_s + relative;
    }
    void open(const QString &relative) { form->Build_ListView(path(relative) + u'/'); }
    DropHandler &handler() { return *form->findChild<DropHandler *>(); }
    QWidget *list() { return form->itemList()->viewport(); }
    QPoint centreOf(const QString &relative)
    {
        const int row = form->itemListView()->list().rowOfPath(path(relative));
        return form->itemList()->visualRect(form->itemListView()->model()->index(row, 0)).center();
    }
    // A drag that enters `target` and is dropped at `at`.
    void drop(const QStringList &relatives, QWidget *target, QPoint at = QPoint(5, 5))
    {
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString &r : relatives)
            urls.append(r.contains(u"://"_s) ? QUrl(r) : QUrl::fromLocalFile(path(r)));
        mime.setUrls(urls);
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        inDrop = true;
        QDragEnterEvent enter(at, actions, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        entered = enter.isAccepted();
        QDropEvent e(QPointF(at), actions, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &e);
        inDrop = false;
        dropAction = e.isAccepted() ? e.dropAction() : Qt::IgnoreAction;
    }
    QStringList names(const QString &relative) const
    {
        return QDir(path(relative))
            .entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    }
    QStringList selectedNames() const
    {
        QStringList out;
        for (const QString &p : form->selectedPaths())
            out.append(QFileInfo(p).fileName());
        return out;
    }

    test::TempProgramFolder program;
    QTemporaryDir data;
    test::RecordingLauncher launcher;
    std::unique_ptr<MainWindow> form;
    QString choice;
    QStringList menus;
    QStringList entries;
    bool inDrop = false;
    bool chosenDuringDrop = false;
    bool entered = false;
    bool exposed = false;
    Qt::DropAction dropAction = Qt::IgnoreAction;
};

} // namespace

class TestDropHandler : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        MessageBox::reset();
        MessageBox::answerAllWith(QMessageBox::No);
    }
    void dropMenu_data();
    void dropMenu();
    void dropsThatShowNoMenu();
    void dropOntoFolderEntryUsesWhatWasDragged();
    void listFileModeAppendsTheDroppedPaths();
};

void TestDropHandler::dropMenu_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QStringList>("here");  // "here" afterwards (companion files included)
    QTest::addColumn<QStringList>("there"); // what is left where they came from
    QTest::addColumn<QStringList>("selected");

    const QStringList all{u"_m.ini"_s, u"a.txt"_s, u"b.txt"_s};
    QTest::newRow("cancel") << u"キャンセル"_s << QStringList{u"_m.ini"_s, u"a.txt"_s, u"sub"_s}
                            << all << QStringList{};
    QTest::newRow("copy renaming")
        << u"コピー (同じファイルがあったら複製)"_s
        << QStringList{u"_m.ini"_s, u"a (2).txt"_s, u"a.txt"_s, u"b.txt"_s, u"sub"_s} << all
        << QStringList{u"a (2).txt"_s, u"b.txt"_s};
    // The question about a.txt is answered No: only b moves, by Kazari's engine.
    QTest::newRow("move asking") << u"移動 (上書き確認あり)"_s
                                 << QStringList{u"_m.ini"_s, u"a.txt"_s, u"b.txt"_s, u"sub"_s}
                                 << QStringList{u"_m.ini"_s, u"a.txt"_s} << QStringList{u"b.txt"_s};
    QTest::newRow("move renaming")
        << u"移動 (同じファイルがあったら複製)"_s
        << QStringList{u"_m.ini"_s, u"a (2).txt"_s, u"a.txt"_s, u"b.txt"_s, u"sub"_s}
        << QStringList{u"_m.ini"_s} << QStringList{u"a (2).txt"_s, u"b.txt"_s};
}

void TestDropHandler::dropMenu()
{
    QFETCH(QString, choice);
    QFETCH(QStringList, here);
    QFETCH(QStringList, there);
    QFETCH(QStringList, selected);
    Window w;
    QVERIFY(w.form->store().SetByPath(w.path(u"there/b.txt"_s), u"_cmt"_s, u"bee"_s).ok);
    w.choice = choice;
    // The other folder's annotation file is dropped along but never copied.
    w.drop({u"there/a.txt"_s, u"there/b.txt"_s, u"there/_m.ini"_s}, w.list());
    QVERIFY(w.entered);
    // The other program is told "copied": it never removes anything after our move.
    QCOMPARE(w.dropAction, Qt::CopyAction);
    QVERIFY(w.menus.isEmpty());
    QTRY_COMPARE(w.menus, QStringList{DropHandler::menuTitle()});
    QVERIFY(!w.chosenDuringDrop);
    QCOMPARE(w.entries,
             (QStringList{u"キャンセル"_s, u"コピー (上書き確認あり)"_s,
                          u"コピー (同じファイルがあったら複製)"_s, u"移動 (上書き確認あり)"_s,
                          u"移動 (同じファイルがあったら複製)"_s}));
    QCOMPARE(w.names(u"here"_s), here);
    QCOMPARE(w.names(u"there"_s), there);
    QCOMPARE(w.selectedNames(), selected);
    if (here.contains(u"b.txt"_s))
        QCOMPARE(w.form->store().GetByPath(w.path(u"here/b.txt"_s), u"_cmt"_s), u"bee"_s);
    QCOMPARE(w.form->currentFolder(), w.path(u"here/"_s));
}

void TestDropHandler::dropsThatShowNoMenu()
{
    Window w;
    w.choice = u"コピー (同じファイルがあったら複製)"_s;
    auto settle = []() { QTest::qWait(30); };

    // One of the dropped items already lies here: nothing at all happens.
    w.drop({u"there/b.txt"_s, u"here/a.txt"_s}, w.list());
    settle();
    // Only web addresses, or only a companion file.
    w.drop({u"https://example.org/x.txt"_s}, w.list());
    settle();
    w.drop({u"there/_m.ini"_s}, w.list());
    settle();
    // Our own drag dropped back onto the list (not onto a folder entry).
    w.handler().setOwnDrag(true);
    w.drop({u"there/b.txt"_s}, w.list());
    QVERIFY(!w.handler().ownDrag());
    settle();
    // In shell namespace mode there is no folder to copy into.
    w.form->Build_ListView(u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"_s);
    w.drop({u"there/b.txt"_s}, w.list());
    settle();
    QVERIFY(w.menus.isEmpty());

    // With "ドロップ可能" off the list and the window refuse drops.
    w.open(u"here"_s);
    w.form->command(Component::AcceptDrops)->trigger();
    QVERIFY(!w.form->settings().isOn(Component::AcceptDrops));
    w.drop({u"there/b.txt"_s}, w.list());
    QVERIFY(!w.entered);
    w.drop({u"there/b.txt"_s}, w.form.get());
    QVERIFY(!w.entered);
    settle();
    QVERIFY(w.menus.isEmpty());
    QCOMPARE(w.names(u"here"_s), (QStringList{u"_m.ini"_s, u"a.txt"_s, u"sub"_s}));
}

void TestDropHandler::dropOntoFolderEntryUsesWhatWasDragged()
{
    Window w;
    QVERIFY(test::writeFile(w.path(u"here/b.txt"_s), "b"));
    QVERIFY(w.form->store().SetByPath(w.path(u"here/a.txt"_s), u"_cmt"_s, u"aye"_s).ok);
    w.open(u"here"_s);
    const QPoint folder = w.centreOf(u"here/sub"_s);

    // Without "フォルダに直接ドロップ可能" the own drop does nothing.
    w.form->itemListView()->selectPaths({w.path(u"here/a.txt"_s), w.path(u"here/b.txt"_s)});
    w.handler().setOwnDrag(true);
    w.drop({u"here/a.txt"_s, u"here/b.txt"_s}, w.list(), folder);
    QTest::qWait(30);
    QCOMPARE(w.names(u"here/sub"_s), QStringList{});

    w.form->command(Component::DropOntoFolders)->trigger();
    QVERIFY(w.form->settings().isOn(Component::DropOntoFolders));
    w.form->fileOperations()->copyMoveDialog()->setMoveChosen(true);
    w.handler().setOwnDrag(true);
    w.drop({u"here/a.txt"_s, u"here/b.txt"_s, u"here/_m.ini"_s}, w.list(), folder);
    // The list is rebuilt elsewhere before the drop's work runs: what was dragged and
    // the folder dropped on still decide.
    w.open(u"there"_s);
    // a.txt's comment follows it into the folder's own annotation file; the dragged
    // "_m.ini" of "here" stays where it is.
    QTRY_COMPARE(w.names(u"here/sub"_s), (QStringList{u"_m.ini"_s, u"a.txt"_s, u"b.txt"_s}));
    QCOMPARE(w.names(u"here"_s), (QStringList{u"_m.ini"_s, u"sub"_s}));
    QCOMPARE(w.names(u"there"_s), (QStringList{u"_m.ini"_s, u"a.txt"_s, u"b.txt"_s}));
    QCOMPARE(w.form->currentFolder(), w.path(u"here/sub/"_s));
    QCOMPARE(w.form->statusField(MainWindow::SysMsg)->text(), u"drop to sub"_s);
    QCOMPARE(w.selectedNames(), (QStringList{u"a.txt"_s, u"b.txt"_s}));
    QCOMPARE(w.form->store().GetByPath(w.path(u"here/sub/a.txt"_s), u"_cmt"_s), u"aye"_s);
    QVERIFY(w.menus.isEmpty());
    QVERIFY(MessageBox::log().isEmpty());

    // A dragged item that vanished before the drop is asked about; No stops it all.
    QVERIFY(test::writeFile(w.path(u"here/sub/c.txt"_s), "c"));
    QVERIFY(QDir().mkpath(w.path(u"here/sub/deeper"_s)));
    w.open(u"here/sub"_s);
    const QPoint deeper = w.centreOf(u"here/sub/deeper"_s);
    w.handler().setOwnDrag(true);
    w.drop({u"here/sub/c.txt"_s, u"here/sub/vanished.txt"_s}, w.list(), deeper);
    QTRY_COMPARE(MessageBox::log().size(), 2);
    QVERIFY(MessageBox::log().at(0).contains(w.path(u"here/sub/vanished.txt"_s)));
    QCOMPARE(MessageBox::log().at(1), u"移動をしませんでした。"_s);
    QCOMPARE(w.names(u"here/sub/deeper"_s), QStringList{});
}

void TestDropHandler::listFileModeAppendsTheDroppedPaths()
{
    Window w;
    const QString listFile = w.program.file(u"vtl/mine.img"_s);
    QVERIFY(test::writeFile(listFile, QFile::encodeName(w.path(u"there/a.txt"_s)) + "\n"));
    w.form->showListFile(listFile);
    QCOMPARE(w.form->itemListView()->list().count(), 1);
    QVERIFY(test::writeFile(w.path(u"there/two\nlines"_s), "x"));
    w.drop({u"there/b.txt"_s, u"there/two\nlines"_s}, w.list());
    QTRY_COMPARE(w.form->itemListView()->list().count(), 2);
    QCOMPARE(test::readFile(listFile), QFile::encodeName(w.path(u"there/a.txt"_s)) + "\n" +
                                           QFile::encodeName(w.path(u"there/b.txt"_s)) + "\n");
    QCOMPARE(MessageBox::log().size(), 1);
    QVERIFY(w.menus.isEmpty());
}

QTEST_MAIN(TestDropHandler)
#include "tst_drophandler.moc"
