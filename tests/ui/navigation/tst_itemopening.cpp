// Opening items from the main window: the open action through the maze's gate, the
// registered applications, the program chooser, the item pop-up with its clipboard
// commands, and the browser page.
#include "core/app/componentnames.h"
#include "core/navigation/clipboardpaths.h"
#include "core/platform/trash.h"
#include "testsupport/files.h"
#include "testsupport/recordinglauncher.h"
#include "testsupport/tempprogramfolder.h"
#include "ui/app/mainwindow.h"
#include "ui/app/messagebox.h"
#include "ui/fileops/fileoperationscontroller.h"
#include "ui/itemlist/itemlistview.h"
#include "ui/navigation/browserpage.h"
#include "ui/navigation/itemopener.h"
#include "ui/navigation/itemshellmenu.h"
#include "ui/navigation/programchooser.h"
#include "ui/rpg/rpgview.h"
#include "ui/tasks/detailwindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

using namespace kazari;
using namespace Qt::StringLiterals;

namespace
{

// A main window on a data folder with a recording launcher; the desktop's applications
// come from the test's own data folders.
struct Window {
    Window()
    {
        qputenv("XDG_DATA_HOME", (apps.path() + u"/home"_s).toLocal8Bit());
        // The file types still come from the system's MIME database.
        QDir().mkpath(apps.path() + u"/system"_s);
        QFile::link(u"/usr/share/mime"_s, apps.path() + u"/system/mime"_s);
        qputenv("XDG_DATA_DIRS", (apps.path() + u"/system"_s).toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (apps.path() + u"/config"_s).toLocal8Bit());
        qputenv("XDG_CONFIG_DIRS", (apps.path() + u"/config-system"_s).toLocal8Bit());
        MainWindow::Options o;
        o.programFolder = program.folder();
        o.arguments = {data.path()};
        o.launcher = &launcher;
        form = std::make_unique<MainWindow>(o);
        form->FormCreate();
        form->fileOperations()->setTrash(&trash);
        form->fileOperations()->setProgressDelay(60000);
    }
    QString path(const QString &relative = QString()) const
    {
        return relative.isEmpty() ? data.path() : data.path() + u"/"_s + relative;
    }
    bool write(const QString &relative, const QByteArray &bytes = "x")
    {
        return test::writeFile(path(relative), bytes);
    }
    void open(const QString &relative = QString()) { form->Build_ListView(path(relative)); }
    // Selects items of the folder shown, by name.
    void select(const QStringList &names)
    {
        QStringList paths;
        for (const QString &n : names)
            paths.append(form->currentFolder() + n);
        form->itemListView()->selectPaths(paths, paths.value(0));
    }
    bool desktopEntry(const QString &name, const QByteArray &text)
    {
        return test::writeFile(apps.path() + u"/system/applications/"_s + name,
                               "[Desktop Entry]\nType=Application\n" + text);
    }
    ItemOpener &opener() { return *form->opener(); }
    ItemShellMenu &shell() { return *opener().shellMenu(); }

    test::TempProgramFolder program;
    QTemporaryDir data;
    QTemporaryDir apps;
    QTemporaryDir trashHome;
    Trash trash{trashHome.path() + u"/Trash"_s};
    test::RecordingLauncher launcher;
    std::unique_ptr<MainWindow> form;
};

QAction *entry(QMenu *menu, const QString &name)
{
    for (QAction *a : menu->actions()) {
        if (a->objectName() == name || a->text() == name)
            return a;
    }
    return nullptr;
}

} // namespace

class TestItemOpening : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        MessageBox::reset();
        MessageBox::answerAllWith(QMessageBox::No);
        QApplication::clipboard()->clear();
    }
    void openTakesTheSelectionBeforeTheGate();
    void registeredApplicationGetsThePathAsOneArgument();
    void programChooserStartsTheChosenApplication();
    void popupForSelectionAndForTheFolder();
    void cutCopyAndPasteThroughTheClipboard();
    void browserPageShowsLocalPlacesAndHandsOnWebAddresses();
};

void TestItemOpening::openTakesTheSelectionBeforeTheGate()
{
    Window w;
    QVERIFY(w.write(u"work/a.txt"_s));
    QVERIFY(w.write(u"work/tool.sh"_s, "#!/bin/sh\ntouch ran\n"));
    QFile(w.path(u"work/tool.sh"_s))
        .setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(w.write(u"other/b.txt"_s));
    QVERIFY(w.program.writeBytes(u"vtl/FileList.img"_s, ""));
    w.form->show();
    RpgView *view = w.form->rpgView();
    QVERIFY(view->isRunning());

    w.open(u"work"_s);
    w.select({u"a.txt"_s, u"tool.sh"_s});
    w.opener().openSelection();
    QCOMPARE(view->waitingCount(), 1);

    // While the player walks, the list shows another folder with another selection.
    w.open(u"other"_s);
    w.select({u"b.txt"_s});
    QTest::qWait(50);
    QVERIFY(w.launcher.opened.isEmpty());
    view->game().setState(RpgGame::Walking);
    view->game().setPosition(view->game().map().goal());

    // What was selected opens; the executable goes to the desktop's default action like
    // any file, nothing is started by the program itself.
    QTRY_COMPARE(w.launcher.opened,
                 (QStringList{w.path(u"work/a.txt"_s), w.path(u"work/tool.sh"_s)}));
    QVERIFY(w.launcher.started.isEmpty());
    QVERIFY(!QFile::exists(w.path(u"work/ran"_s)));
    QCOMPARE(w.form->currentFolder(), w.path(u"other/"_s));
    QCOMPARE(w.program.readBytes(u"vtl/FileList.img"_s),
             (w.path(u"work/tool.sh"_s) + u"\n"_s + w.path(u"work/a.txt"_s) + u"\n"_s).toUtf8());
}

void TestItemOpening::registeredApplicationGetsThePathAsOneArgument()
{
    Window w;
    const QString item = u"sub dir/-n two words.txt"_s;
    QVERIFY(w.write(item));
    QVERIFY(w.write(u"bin/viewer"_s, "#!/bin/sh\n"));
    QVERIFY(w.program.writeBytes(
        u"myappli.ini"_s,
        ("Gone=/no/such/program\nView && print=" + w.path(u"bin/viewer"_s) + u"\n"_s).toUtf8()));
    w.open(u"sub dir"_s);
    w.select({u"-n two words.txt"_s});

    QMenu *menu = w.opener().registeredApplicationsMenu();
    // Programs that do not exist are left out; the caption is shown as written.
    QCOMPARE(menu->actions().size(), 1);
    QCOMPARE(menu->actions().first()->text(), u"View &&&& print"_s);
    menu->actions().first()->trigger();
    QCOMPARE(w.launcher.started.size(), 1);
    QCOMPARE(w.launcher.started.first().program, w.path(u"bin/viewer"_s));
    QCOMPARE(w.launcher.started.first().arguments, QStringList{w.path(item)});
    QCOMPARE(w.launcher.started.first().workingFolder, w.path(u"sub dir"_s));

    // A program that cannot be started is reported.
    w.launcher.result = false;
    w.opener().registeredApplicationsMenu()->actions().first()->trigger();
    QVERIFY(MessageBox::log().contains(u"コマンドを開始できませんでした"_s));

    QVERIFY(w.program.writeBytes(u"myappli.ini"_s, ""));
    menu = w.opener().registeredApplicationsMenu();
    QCOMPARE(menu->actions().size(), 1);
    QCOMPARE(menu->actions().first()->text(), u"なし"_s);
}

void TestItemOpening::programChooserStartsTheChosenApplication()
{
    Window w;
    QVERIFY(w.desktopEntry(u"archiver.desktop"_s,
                           "Name=Archiver\nExec=sh %F\nMimeType=application/zip;\n"));
    QVERIFY(w.desktopEntry(u"editor.desktop"_s,
                           "Name=Editor\nName[ja]=エディタ\nExec=sh --edit %f\n"
                           "MimeType=text/plain;\n"));
    QVERIFY(w.write(u"notes/my notes.txt"_s));
    w.open(u"notes"_s);
    w.select({u"my notes.txt"_s});

    ProgramChooser *chooser = w.opener().chooseApplication();
    QVERIFY(chooser);
    QCOMPARE(chooser->windowTitle(), u"アプリケーションから開く"_s);
    // The application for text comes first, then a line, then the others.
    QListWidget *list = chooser->list();
    QCOMPARE(list->count(), 3);
    QVERIFY(list->item(0)->font().bold());
    QVERIFY(!(list->item(1)->flags() & Qt::ItemIsSelectable));
    QCOMPARE(list->item(2)->text(), u"Archiver"_s);
    QCOMPARE(list->currentRow(), 0);
    chooser->accept();
    QCOMPARE(w.launcher.started.size(), 1);
    QCOMPARE(w.launcher.started.first().program, u"sh"_s);
    QCOMPARE(w.launcher.started.first().arguments,
             (QStringList{u"--edit"_s, w.path(u"notes/my notes.txt"_s)}));
    QCOMPARE(w.launcher.started.first().workingFolder, w.path(u"notes"_s));

    // A typed command; when nothing starts the user is told.
    w.launcher.started.clear();
    w.launcher.result = false;
    chooser = w.opener().chooseApplication();
    chooser->commandField()->setText(u"\"my tool\" --x"_s);
    chooser->accept();
    QCOMPARE(w.launcher.started.size(), 1);
    QCOMPARE(w.launcher.started.first().program, u"my tool"_s);
    QCOMPARE(w.launcher.started.first().arguments,
             (QStringList{u"--x"_s, w.path(u"notes/my notes.txt"_s)}));
    QVERIFY(MessageBox::log().contains(u"コマンドを開始できませんでした"_s));

    // Nothing selected: no chooser.
    w.form->itemListView()->selectPaths({});
    QVERIFY(!w.opener().chooseApplication());
}

void TestItemOpening::popupForSelectionAndForTheFolder()
{
    Window w;
    QVERIFY(w.write(u"box/a.txt"_s));
    w.open(u"box"_s);
    w.select({u"a.txt"_s});
    QMenu *menu = w.shell().build();
    QStringList names;
    for (QAction *a : menu->actions()) {
        if (!a->isSeparator())
            names.append(a->objectName());
    }
    QCOMPARE(names, (QStringList{u"shellOpen"_s, u"shellOpenWith"_s, u"shellCut"_s, u"shellCopy"_s,
                                 u"shellPaste"_s, u"shellTrash"_s, u"shellCopyPath"_s,
                                 u"shellProperties"_s}));
    // Nothing on the clipboard: nothing to paste.
    QVERIFY(!entry(menu, u"shellPaste"_s)->isEnabled());

    entry(menu, u"shellCopyPath"_s)->trigger();
    QCOMPARE(QApplication::clipboard()->text(), w.path(u"box/a.txt"_s));
    entry(menu, u"shellProperties"_s)->trigger();
    auto *details = w.form->findChild<DetailWindow *>();
    QVERIFY(details && details->isVisible());
    QCOMPARE(details->boundPath(), w.path(u"box/a.txt"_s));
    // The menu's trash is the program's own trash command.
    w.shell().build();
    MessageBox::script({QMessageBox::Yes});
    entry(menu, u"shellTrash"_s)->trigger();
    QVERIFY(!QFile::exists(w.path(u"box/a.txt"_s)));
    QCOMPARE(w.trash.entriesIn(w.trashHome.path() + u"/Trash"_s).size(), 1);

    // "リンクの作成": a link beside the item, never over an existing name.
    QVERIFY(w.write(u"box/b.txt"_s));
    QVERIFY(w.write(u"box/b.txt へのリンク"_s, "mine"));
    w.form->refreshList();
    w.select({u"b.txt"_s});
    w.form->command(u"cmdCreateLink"_s)->trigger();
    const QFileInfo link(w.path(u"box/b.txt へのリンク (2)"_s));
    QVERIFY(link.isSymLink());
    QCOMPARE(link.symLinkTarget(), w.path(u"box/b.txt"_s));
    QCOMPARE(test::readFile(w.path(u"box/b.txt へのリンク"_s)), QByteArray("mine"));
    QVERIFY(w.form->itemListView()->list().rowOfPath(link.filePath()) >= 0);

    // Nothing selected: the menu is about the folder itself, which is neither cut nor
    // trashed from inside.
    w.form->itemListView()->selectPaths({});
    QCOMPARE(w.shell().targets(), QStringList{w.path(u"box"_s)});
    menu = w.shell().build();
    QVERIFY(!entry(menu, u"shellCut"_s));
    QVERIFY(!entry(menu, u"shellTrash"_s));
    QVERIFY(!entry(menu, u"shellOpen"_s));
    entry(menu, u"shellCopyPath"_s)->trigger();
    QCOMPARE(QApplication::clipboard()->text(), w.path(u"box"_s));
}

void TestItemOpening::cutCopyAndPasteThroughTheClipboard()
{
    Window w;
    QVERIFY(w.write(u"from/f.txt"_s, "data"));
    QDir().mkpath(w.path(u"to"_s));
    QDir().mkpath(w.path(u"moved"_s));
    w.open(u"from"_s);
    QVERIFY(w.form->store().SetByPath(w.path(u"from/f.txt"_s), u"_cmt"_s, u"note"_s).ok);

    // "コピー(&C)" of the edit menu: the desktop's copy format.
    w.select({u"f.txt"_s});
    w.form->command(u"cmdCopy"_s)->trigger();
    const ClipboardPaths copied =
        ClipboardPaths::fromMimeData(QApplication::clipboard()->mimeData());
    QCOMPARE(copied.paths, QStringList{w.path(u"from/f.txt"_s)});
    QVERIFY(!copied.cut);

    // "貼り付け(&P)" copies into the current folder; the comment comes along.
    w.open(u"to"_s);
    w.form->command(u"cmdPaste"_s)->trigger();
    QCOMPARE(test::readFile(w.path(u"to/f.txt"_s)), QByteArray("data"));
    QVERIFY(QFile::exists(w.path(u"from/f.txt"_s)));
    QCOMPARE(w.form->store().GetByPath(w.path(u"to/f.txt"_s), u"_cmt"_s), u"note"_s);
    // Pasting the copy where it already lies makes a renamed duplicate.
    w.open(u"from"_s);
    w.shell().paste();
    QVERIFY(QFile::exists(w.path(u"from/f (2).txt"_s)));

    // A cut moves, and the clipboard is emptied once the items have gone.
    w.select({u"f.txt"_s});
    w.form->command(u"cmdCut"_s)->trigger();
    QVERIFY(ClipboardPaths::fromMimeData(QApplication::clipboard()->mimeData()).cut);
    w.open(u"moved"_s);
    QVERIFY(entry(w.shell().build(), u"shellPaste"_s)->isEnabled());
    w.shell().paste();
    QVERIFY(QFile::exists(w.path(u"moved/f.txt"_s)));
    QVERIFY(!QFile::exists(w.path(u"from/f.txt"_s)));
    QCOMPARE(w.form->store().GetByPath(w.path(u"moved/f.txt"_s), u"_cmt"_s), u"note"_s);
    QVERIFY(ClipboardPaths::fromMimeData(QApplication::clipboard()->mimeData()).paths.isEmpty());

    // Paste goes only into a folder of the file system.
    auto *data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(w.path(u"to/f.txt"_s))});
    QApplication::clipboard()->setMimeData(data);
    w.form->Build_ListView(u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"_s);
    w.shell().paste();
    QVERIFY(!QFile::exists(w.path(u"moved/f (2).txt"_s)));
}

void TestItemOpening::browserPageShowsLocalPlacesAndHandsOnWebAddresses()
{
    Window w;
    QVERIFY(w.desktopEntry(u"web.desktop"_s,
                           "Name=Web\nExec=sh --open %u\nMimeType=x-scheme-handler/https;\n"));
    QVERIFY(w.write(u"site/index.html"_s, "<html><body><p>Hello <b>page</b></p></body></html>"));
    QVERIFY(w.write(u"site/<b>odd<b> & co.txt"_s, "plain <i>text</i>"));
    w.open(u"site"_s);
    QVERIFY(!w.form->command(Component::BrowserPage)->isChecked());

    // "ブラウザで開く" on a page: the browser page shows and displays it.
    w.select({u"index.html"_s});
    w.form->command(u"cmdOpenInBrowser"_s)->trigger();
    QVERIFY(w.form->command(Component::BrowserPage)->isChecked());
    auto *pane = w.form->findChild<QTabWidget *>(u"RightPane"_s);
    QVERIFY(pane && !pane->isHidden());
    QCOMPARE(pane->currentWidget(), w.form->rightPage(Component::BrowserPage));
    BrowserPage *page = w.opener().browserPage();
    QCOMPARE(page->address(), w.path(u"site/index.html"_s));
    QCOMPARE(page->view()->toPlainText().trimmed(), u"Hello page"_s);
    QCOMPARE(w.form->browserAddress(), w.path(u"site/index.html"_s));

    // A text file shows as text, however it looks.
    w.select({u"<b>odd<b> & co.txt"_s});
    w.opener().openInBrowser();
    QCOMPARE(page->view()->toPlainText(), u"plain <i>text</i>"_s);

    // Nothing selected: the folder's listing, names as text.
    w.form->itemListView()->selectPaths({});
    w.opener().openInBrowser();
    QCOMPARE(page->address(), w.path(u"site"_s));
    QVERIFY(page->view()->toPlainText().contains(u"<b>odd<b> & co.txt"_s));
    QVERIFY(page->view()->toPlainText().contains(u"index.html"_s));

    // A web address goes to the desktop's browser; the page stays where it was.
    page->addressField()->setText(u"https://example.org/a?b=c"_s);
    QTest::keyClick(page->addressField(), Qt::Key_Return);
    QCOMPARE(w.launcher.started.size(), 1);
    QCOMPARE(w.launcher.started.first().program, u"sh"_s);
    QCOMPARE(w.launcher.started.first().arguments,
             (QStringList{u"--open"_s, u"https://example.org/a?b=c"_s}));
    QCOMPARE(page->address(), w.path(u"site"_s));

    // A location without a file behind it shows the blank page.
    w.form->Build_ListView(u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"_s);
    w.form->itemListView()->selectPaths({});
    w.opener().openInBrowser();
    QCOMPARE(page->address(), u"about:blank"_s);
}

QTEST_MAIN(TestItemOpening)
#include "tst_itemopening.moc"
