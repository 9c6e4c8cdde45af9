// The file commands of the main window: create, rename, trash, copy and move through the
// dialog, batch creation, availability per mode and restoring from the trash location.
#include "core/annotations/annotationstore.h"
#include "core/app/componentnames.h"
#include "core/platform/trash.h"
#include "testsupport/tempprogramfolder.h"
#include "ui/app/mainwindow.h"
#include "ui/app/messagebox.h"
#include "ui/fileops/batchcreatedialog.h"
#include "ui/fileops/copymovedialog.h"
#include "ui/fileops/fileoperationscontroller.h"
#include "ui/itemlist/itemlistmodel.h"
#include "ui/itemlist/itemlistview.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>
#include <QTimer>
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
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// A window on a data folder (per-folder annotations), with scripted prompts.
struct Window {
    /// With `programDelay` the progress window keeps the program's own delay; otherwise
    /// it never shows unless a test asks for it.
    explicit Window(bool programDelay = false)
    {
        MainWindow::Options o;
        o.programFolder = program.folder();
        o.arguments = {data.path()};
        form = std::make_unique<MainWindow>(o);
        form->FormCreate();
        ops().setPrompt([this](const QString &title, const QString &label,
                               const QString &text) -> std::optional<QString> {
            prompts.append(title + u'|' + label + u'|' + text);
            if (answers.isEmpty())
                return std::nullopt;
            return answers.takeFirst();
        });
        ops().setTrash(&trash);
        if (!programDelay)
            ops().setProgressDelay(60000);
        open();
    }
    QString path(const QString &relative = QString()) const
    {
        return data.path() + u"/"_s + relative;
    }
    void open(const QString &relative = QString()) { form->Build_ListView(path(relative)); }
    FileOperationsController &ops() { return *form->fileOperations(); }
    ItemListView &view() { return *form->itemListView(); }
    void select(const QStringList &relatives)
    {
        QStringList paths;
        for (const QString &r : relatives)
            paths.append(path(r));
        view().selectPaths(paths, paths.value(0));
    }
    QString fileOp() const { return form->statusField(MainWindow::FileOp)->text(); }
    QString comment(const QString &relative)
    {
        return form->store().GetByPath(path(relative), u"_cmt"_s);
    }
    void annotate(const QString &relative, const QString &text)
    {
        QVERIFY(form->store().SetByPath(path(relative), u"_cmt"_s, text).ok);
    }

    test::TempProgramFolder program;
    QTemporaryDir data;
    QTemporaryDir trashHome;
    Trash trash{trashHome.path() + u"/Trash"_s};
    std::unique_ptr<MainWindow> form;
    QStringList answers;
    QStringList prompts;
};

} // namespace

class TestFileOperations : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        MessageBox::reset();
        MessageBox::answerAllWith(QMessageBox::No);
    }
    void newItems_data();
    void newItems();
    void renameByPromptAndInPlace();
    void protectedNamesAndNamespaceItems();
    void clickedItemIsTheSelection();
    void trashAsksAndNeverDeletesByItself_data();
    void trashAsksAndNeverDeletesByItself();
    void copyMoveDialogChecks_data();
    void copyMoveDialogChecks();
    void copyMoveDialogRunsOnTheSelection();
    void overwriteQuestionNoKeepsEverything();
    void folderIntoItselfIsRefused();
    void progressWindowCancels();
    void progressWindowOnlyForWorkThatTakesAWhile();
    void closingDuringAMoveKeepsAnnotationsWithTheFiles();
    void batchWindow();
    void availabilityAndRestore();
    void restoringKeepsTheWindowGoing();
};

void TestFileOperations::newItems_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("existing"); // "/" at the end: a folder
    QTest::addColumn<QStringList>("answers");  // empty: cancelled
    QTest::addColumn<QString>("created");      // empty: nothing new
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("message"); // start of the message shown, empty: none

    QTest::newRow("folder a_1") << u"cmdNewFolder"_s << QStringList{u"a/"_s, u"a_0/"_s}
                                << QStringList{u"a"_s} << u"a_1/"_s << u"make D: 2"_s << QString();
    QTest::newRow("untitled folder") << u"cmdNewFolder"_s << QStringList() << QStringList{QString()}
                                     << u"名称未設定フォルダ0/"_s << u"make D: 0"_s << QString();
    QTest::newRow("folder cancelled") << u"cmdNewFolder"_s << QStringList() << QStringList()
                                      << QString() << u"make D: 0"_s << QString();
    QTest::newRow("folder outside refused")
        << u"cmdNewFolder"_s << QStringList() << QStringList{u"../x"_s} << QString()
        << u"make D: 0"_s << u"[NG]"_s;
    QTest::newRow("file beside existing")
        << u"cmdNewFile"_s << QStringList{u"n.txt"_s} << QStringList{u"n.txt"_s} << u"n.txt_0"_s
        << u"make F: n.txt_0"_s << QString();
    QTest::newRow("file empty name") << u"cmdNewFile"_s << QStringList() << QStringList{QString()}
                                     << QString() << QString() << u"ファイルを作成できません"_s;
    QTest::newRow("file companion name")
        << u"cmdNewFile"_s << QStringList() << QStringList{u"_m.ini"_s} << QString() << QString()
        << u"ファイルを作成できません"_s;
}

void TestFileOperations::newItems()
{
    QFETCH(QString, command);
    QFETCH(QStringList, existing);
    QFETCH(QStringList, answers);
    QFETCH(QString, created);
    QFETCH(QString, status);
    QFETCH(QString, message);

    Window w;
    for (const QString &e : existing) {
        if (e.endsWith(u'/'))
            QVERIFY(QDir().mkpath(w.path(e)));
        else
            writeBytes(w.path(e), "old");
    }
    w.open();
    const QStringList before = QDir(w.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    w.answers = answers;
    w.form->command(command)->trigger();

    QStringList after = QDir(w.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    for (const QString &b : before)
        after.removeOne(b);
    if (created.isEmpty()) {
        QCOMPARE(after, QStringList());
    } else {
        QCOMPARE(after, QStringList{created.chopped(created.endsWith(u'/') ? 1 : 0)});
        QCOMPARE(QFileInfo(w.path(created)).isDir(), created.endsWith(u'/'));
        // The new item is in the list and selected.
        QCOMPARE(w.view().selectedPaths(), QStringList{w.path(after.first())});
    }
    if (!status.isEmpty())
        QCOMPARE(w.fileOp(), status);
    if (message.isEmpty())
        QCOMPARE(MessageBox::log(), QStringList());
    else
        QVERIFY2(MessageBox::log().value(0).startsWith(message),
                 qPrintable(MessageBox::log().join(u'|')));
    for (const QString &e : existing) {
        if (!e.endsWith(u'/'))
            QCOMPARE(readBytes(w.path(e)), QByteArray("old"));
    }
    QVERIFY(!QFileInfo::exists(w.data.path() + u"/../x"_s));
}

void TestFileOperations::renameByPromptAndInPlace()
{
    Window w;
    writeBytes(w.path(u"report.txt"_s), "r");
    writeBytes(w.path(u"other.txt"_s), "o");
    QVERIFY(QDir().mkpath(w.path(u"box/inner"_s)));
    w.annotate(u"report.txt"_s, u"important"_s);
    w.annotate(u"other.txt"_s, u"theirs"_s);
    w.open();

    // A taken name: nothing changes, the caption stays.
    w.select({u"report.txt"_s});
    w.answers = {u"other.txt"_s};
    w.form->command(u"cmdRename"_s)->trigger();
    QCOMPARE(w.prompts.value(0), u"名前の変更 report.txt|新しい名前|report.txt"_s);
    QCOMPARE(MessageBox::log(), QStringList{w.path(u"report.txt"_s) + u"\n同じ名前があります。"_s});
    QCOMPARE(readBytes(w.path(u"other.txt"_s)), QByteArray("o"));
    const int row = w.view().list().rowOfPath(w.path(u"report.txt"_s));
    QVERIFY(row >= 0);
    QCOMPARE(w.view().list().at(row).Name, u"report.txt"_s);

    // Through the prompt: the annotation follows, the record takes the new path.
    MessageBox::reset();
    MessageBox::answerAllWith(QMessageBox::No);
    w.answers = {u"summary.txt"_s};
    w.form->command(u"cmdRename"_s)->trigger();
    QCOMPARE(MessageBox::log(), QStringList());
    QCOMPARE(w.fileOp(), u"Rename: "_s + w.path(u"report.txt"_s));
    QCOMPARE(w.comment(u"summary.txt"_s), u"important"_s);
    QCOMPARE(w.comment(u"report.txt"_s), QString());
    QCOMPARE(w.comment(u"other.txt"_s), u"theirs"_s);
    QCOMPARE(w.view().list().at(row).PATH, w.path(u"summary.txt"_s));

    // In place, through the model; a refused name ("a/b") changes nothing.
    ItemListModel *model = w.view().model();
    const QModelIndex index = model->index(w.view().list().rowOfPath(w.path(u"box"_s)), 0);
    QVERIFY(model->flags(index) & Qt::ItemIsEditable);
    QVERIFY(!model->setData(index, u"a/b"_s));
    QVERIFY(QFileInfo(w.path(u"box/inner"_s)).isDir());
    QVERIFY(model->setData(index, u"crate"_s));
    QVERIFY(QFileInfo(w.path(u"crate/inner"_s)).isDir());
    QCOMPARE(model->data(index).toString(), u"crate"_s);

    // "ファイル名の保護": no editing in place, the command still renames.
    QAction *protect = w.form->command(Component::ProtectFileNames);
    QVERIFY(!protect->isChecked());
    protect->trigger();
    QCOMPARE(w.view().detailsView()->editTriggers(), QAbstractItemView::NoEditTriggers);
    w.select({u"crate"_s});
    w.answers = {u"box"_s};
    w.form->command(u"cmdRename"_s)->trigger();
    QVERIFY(QFileInfo(w.path(u"box/inner"_s)).isDir());
}

void TestFileOperations::protectedNamesAndNamespaceItems()
{
    Window w;
    writeBytes(w.path(u"a.txt"_s), "a");
    w.annotate(u"a.txt"_s, u"note"_s); // writes _m.ini
    w.open();
    const QByteArray companion = readBytes(w.path(u"_m.ini"_s));

    // The folder's own annotation file is neither renamed, trashed nor taken as a new name.
    w.select({u"_m.ini"_s});
    w.answers = {u"notes.ini"_s};
    w.form->command(u"cmdRename"_s)->trigger();
    w.select({u"_m.ini"_s});
    MessageBox::script({QMessageBox::Ok, QMessageBox::Yes});
    w.form->command(u"cmdDelete"_s)->trigger();
    w.select({u"a.txt"_s});
    w.answers = {u"_m.ini"_s};
    w.form->command(u"cmdRename"_s)->trigger();
    QCOMPARE(readBytes(w.path(u"_m.ini"_s)), companion);
    QVERIFY(QFile::exists(w.path(u"a.txt"_s)));
    QCOMPARE(w.comment(u"a.txt"_s), u"note"_s);
    QVERIFY(w.trash.entries().isEmpty());
}

void TestFileOperations::clickedItemIsTheSelection()
{
    // A click in the icon view selects one cell of the row; the commands still see the row.
    Window w;
    writeBytes(w.path(u"a.txt"_s), "a");
    w.open();
    w.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    QAbstractItemView *view = w.view().currentView();
    const QModelIndex index =
        view->model()->index(w.view().list().rowOfPath(w.path(u"a.txt"_s)), 0);
    view->clearSelection();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    QCOMPARE(w.view().selectedPaths(), QStringList{w.path(u"a.txt"_s)});
    w.form->command(u"cmdDelete"_s)->trigger();
    QCOMPARE(MessageBox::log(), QStringList{u"「a.txt」をごみ箱に入れますか？"_s});
    QVERIFY(QFile::exists(w.path(u"a.txt"_s)));
}

void TestFileOperations::trashAsksAndNeverDeletesByItself_data()
{
    QTest::addColumn<bool>("trashWorks");
    QTest::addColumn<QList<QMessageBox::StandardButton>>("answers");
    QTest::addColumn<bool>("gone");
    QTest::addColumn<bool>("inTrash");

    using B = QMessageBox::StandardButton;
    QTest::newRow("confirmation declined") << true << QList<B>{QMessageBox::No} << false << false;
    QTest::newRow("to the trash") << true << QList<B>{QMessageBox::Yes} << true << true;
    QTest::newRow("trash fails, permanent declined")
        << false << QList<B>{QMessageBox::Yes, QMessageBox::No} << false << false;
    QTest::newRow("trash fails, permanent confirmed")
        << false << QList<B>{QMessageBox::Yes, QMessageBox::Yes} << true << false;
}

void TestFileOperations::trashAsksAndNeverDeletesByItself()
{
    QFETCH(bool, trashWorks);
    QFETCH(QList<QMessageBox::StandardButton>, answers);
    QFETCH(bool, gone);
    QFETCH(bool, inTrash);

    Window w;
    writeBytes(w.path(u"one.txt"_s), "1");
    writeBytes(w.path(u"two.txt"_s), "2");
    writeBytes(w.path(u"vanishing.txt"_s), "v");
    w.annotate(u"one.txt"_s, u"first"_s);
    w.annotate(u"two.txt"_s, u"second"_s);
    if (!trashWorks) // a file where the trash folder should be
        writeBytes(w.trashHome.path() + u"/Trash"_s, "not a folder");
    w.open();
    w.select({u"one.txt"_s, u"two.txt"_s, u"vanishing.txt"_s});
    QVERIFY(QFile::remove(w.path(u"vanishing.txt"_s)));

    // The warning about the vanished item comes first.
    MessageBox::script(QList<QMessageBox::StandardButton>{QMessageBox::Ok} + answers);
    w.form->command(u"cmdDelete"_s)->trigger();
    const QStringList log = MessageBox::log();
    QCOMPARE(log.value(0), w.path(u"vanishing.txt"_s) + u"\n削除できませんでした。"_s);
    QCOMPARE(log.value(1), u"2 個の項目をごみ箱に入れますか？"_s);
    if (!trashWorks)
        QVERIFY(log.value(2).endsWith(u"完全に削除しますか？（元に戻せません）"_s));
    for (const QString &name : {u"one.txt"_s, u"two.txt"_s}) {
        QCOMPARE(QFile::exists(w.path(name)), !gone);
        // The annotation goes only with the item.
        QCOMPARE(w.comment(name).isEmpty(), gone);
    }
    QCOMPARE(w.trash.entries().size(), inTrash ? 2 : 0);
    if (inTrash)
        QCOMPARE(w.fileOp(), u"del: "_s + w.path(u"one.txt"_s));
}

void TestFileOperations::copyMoveDialogChecks_data()
{
    QTest::addColumn<bool>("move");
    QTest::addColumn<QStringList>("selection");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QString>("message");

    QTest::newRow("move nothing selected")
        << true << QStringList() << u"dest"_s << u"移動するファイルが選ばれていません。"_s;
    QTest::newRow("copy nothing selected")
        << false << QStringList() << u"dest"_s << u"コピーするファイルが選ばれていません。"_s;
    QTest::newRow("move no destination") << true << QStringList{u"a.txt"_s} << QString()
                                         << u"移動するフォルダが選ばれていません。"_s;
    QTest::newRow("copy no destination") << false << QStringList{u"a.txt"_s} << QString()
                                         << u"コピーするフォルダが選ばれていません。"_s;
    QTest::newRow("move into its own folder") << true << QStringList{u"a.txt"_s} << u"."_s
                                              << u"移動するフォルダが現在の場所と同じです。"_s;
}

void TestFileOperations::copyMoveDialogChecks()
{
    QFETCH(bool, move);
    QFETCH(QStringList, selection);
    QFETCH(QString, destination);
    QFETCH(QString, message);

    Window w;
    writeBytes(w.path(u"a.txt"_s), "a");
    QVERIFY(QDir().mkpath(w.path(u"dest"_s)));
    w.annotate(u"a.txt"_s, u"note"_s);
    w.open();
    w.select(selection);
    w.form->command(move ? u"cmdMoveToFolder"_s : u"cmdCopyToFolder"_s)->trigger();
    CopyMoveDialog *dialog = w.ops().copyMoveDialog();
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->windowTitle(), move ? u"移動先フォルダ選択"_s : u"コピー先フォルダ選択"_s);
    dialog->setDestination(destination.isEmpty() ? QString()
                                                 : QDir::cleanPath(w.path(destination)));
    dialog->execute();
    QCOMPARE(MessageBox::log(), QStringList{message});
    QVERIFY(QFile::exists(w.path(u"a.txt"_s)));
    QVERIFY(!QFile::exists(w.path(u"dest/a.txt"_s)));
    QCOMPARE(w.comment(u"a.txt"_s), u"note"_s);
}

void TestFileOperations::copyMoveDialogRunsOnTheSelection()
{
    Window w;
    writeBytes(w.path(u"a.txt"_s), "a");
    writeBytes(w.path(u"b.txt"_s), "b");
    writeBytes(w.path(u"dest/a.txt"_s), "theirs");
    w.annotate(u"a.txt"_s, u"ours"_s);
    w.annotate(u"b.txt"_s, u"bee"_s);
    w.annotate(u"dest/a.txt"_s, u"theirs"_s);
    w.open();
    w.select({u"a.txt"_s, u"b.txt"_s, u"dest"_s});

    // Showing the dialog reads the list again and keeps the selection.
    w.form->command(u"cmdMoveToFolder"_s)->trigger();
    CopyMoveDialog *dialog = w.ops().copyMoveDialog();
    QCOMPARE(w.view().selectedPaths().size(), 3);
    // The destination itself is a problem; continuing moves the others, renaming on collision.
    dialog->setDestination(w.path(u"dest"_s));
    dialog->setTargetItem(w.path(u"b.txt"_s)); // left out, as after a drop onto it
    MessageBox::script({QMessageBox::Yes});
    dialog->execute();
    QCOMPARE(MessageBox::log().value(0),
             u"移動できませんでした。処理を続けますか？\n\n"_s + w.path(u"dest"_s) + u"\n"_s);
    QCOMPARE(readBytes(w.path(u"dest/a (2).txt"_s)), QByteArray("a"));
    QCOMPARE(readBytes(w.path(u"dest/a.txt"_s)), QByteArray("theirs"));
    QVERIFY(QFile::exists(w.path(u"b.txt"_s)));
    QCOMPARE(w.comment(u"dest/a (2).txt"_s), u"ours"_s);
    QCOMPARE(w.comment(u"dest/a.txt"_s), u"theirs"_s);
    QCOMPARE(w.comment(u"a.txt"_s), QString());
    QCOMPARE(w.comment(u"b.txt"_s), u"bee"_s);
    QCOMPARE(w.fileOp().left(7), u"move: /"_s);
    QCOMPARE(dialog->TargetItem(), QString());
    // The list shows the folder as it is now.
    QCOMPARE(w.view().list().rowOfPath(w.path(u"a.txt"_s)), -1);
}

void TestFileOperations::overwriteQuestionNoKeepsEverything()
{
    Window w;
    writeBytes(w.path(u"src/a.txt"_s), "new");
    writeBytes(w.path(u"dest/a.txt"_s), "old");
    w.annotate(u"src/a.txt"_s, u"new one"_s);
    w.annotate(u"dest/a.txt"_s, u"old one"_s);
    MessageBox::script({QMessageBox::No});
    w.ops().copyOrMove({w.path(u"src/a.txt"_s)}, w.path(u"dest"_s), true);
    QVERIFY(MessageBox::log().value(0).endsWith(u"置き換えますか？"_s));
    QCOMPARE(w.ops().lastResult().items.value(0).status, ItemStatus::Skipped);
    QCOMPARE(readBytes(w.path(u"dest/a.txt"_s)), QByteArray("old"));
    QCOMPARE(readBytes(w.path(u"src/a.txt"_s)), QByteArray("new"));
    QCOMPARE(w.comment(u"dest/a.txt"_s), u"old one"_s);
    QCOMPARE(w.comment(u"src/a.txt"_s), u"new one"_s);

    MessageBox::reset();
    MessageBox::script({QMessageBox::Yes});
    w.ops().copyOrMove({w.path(u"src/a.txt"_s)}, w.path(u"dest"_s), true);
    QCOMPARE(readBytes(w.path(u"dest/a.txt"_s)), QByteArray("new"));
    QCOMPARE(w.comment(u"dest/a.txt"_s), u"new one"_s);
    QCOMPARE(w.comment(u"src/a.txt"_s), QString());
}

void TestFileOperations::folderIntoItselfIsRefused()
{
    Window w;
    writeBytes(w.path(u"box/inner/x.txt"_s), "x");
    w.annotate(u"box"_s, u"the box"_s);
    for (bool move : {false, true}) {
        MessageBox::reset();
        MessageBox::answerAllWith(QMessageBox::Ok);
        w.ops().copyOrMove({w.path(u"box"_s)}, w.path(u"box/inner"_s), move);
        QCOMPARE(MessageBox::log().size(), 1);
        QVERIFY(MessageBox::log().first().contains(u"それ自体の中へは"_s));
        QCOMPARE(QDir(w.path(u"box/inner"_s)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{u"x.txt"_s});
        QCOMPARE(w.comment(u"box"_s), u"the box"_s);
    }
}

void TestFileOperations::progressWindowCancels()
{
    Window w;
    writeBytes(w.path(u"a.txt"_s), "a");
    writeBytes(w.path(u"b.txt"_s), "b");
    QVERIFY(QDir().mkpath(w.path(u"dest"_s)));
    w.annotate(u"a.txt"_s, u"stays"_s);
    w.open();

    // The pool is busy until the user has cancelled, so the work is still waiting then.
    QThreadPool pool;
    pool.setMaxThreadCount(1);
    QSemaphore gate;
    pool.start([&gate] { gate.acquire(); });
    w.ops().setThreadPool(&pool);
    w.ops().setProgressDelay(0);
    bool shown = false;
    bool listAnswered = false;
    QTimer::singleShot(50, w.form.get(), [&] {
        // The main window keeps running while the operation is under way.
        listAnswered = w.view().list().count() > 0;
        auto *progress = w.form->findChild<QProgressDialog *>(u"FileOperationProgress"_s);
        shown = progress && progress->isVisible();
        if (auto *button = progress ? progress->findChild<QPushButton *>() : nullptr)
            button->click();
        gate.release();
    });
    w.ops().ShellFileOperation({w.path(u"a.txt"_s), w.path(u"b.txt"_s)},
                               FileOperationCode::CopyRenaming, w.path(u"dest"_s));
    QVERIFY(shown);
    QVERIFY(listAnswered);
    QVERIFY(w.ops().lastResult().cancelled);
    for (const ItemOutcome &item : w.ops().lastResult().items)
        QCOMPARE(item.status, ItemStatus::Cancelled);
    QCOMPARE(QDir(w.path(u"dest"_s)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList());
    QCOMPARE(w.comment(u"a.txt"_s), u"stays"_s);
    QVERIFY(!w.ops().isBusy());
    QCOMPARE(MessageBox::log(), QStringList());
}

void TestFileOperations::progressWindowOnlyForWorkThatTakesAWhile()
{
    // With the program's own delay: a copy that is over at once shows no window; one that
    // is held back for a second and a half does.
    Window w(true);
    writeBytes(w.path(u"a.txt"_s), "a");
    writeBytes(w.path(u"b.txt"_s), "b");
    QVERIFY(QDir().mkpath(w.path(u"dest"_s)));
    w.open();
    bool seen = false;
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto *progress = w.form->findChild<QProgressDialog *>(u"FileOperationProgress"_s);
        seen = seen || (progress && progress->isVisible());
    });
    watch.start();
    w.ops().ShellFileOperation({w.path(u"a.txt"_s)}, FileOperationCode::CopyRenaming,
                               w.path(u"dest"_s));
    QVERIFY(w.ops().lastResult().succeeded());
    QVERIFY(!seen);

    QThreadPool pool;
    pool.setMaxThreadCount(1);
    QSemaphore gate;
    pool.start([&gate] { gate.acquire(); });
    w.ops().setThreadPool(&pool);
    QTimer::singleShot(1500, w.form.get(), [&gate] { gate.release(); });
    w.ops().ShellFileOperation({w.path(u"b.txt"_s)}, FileOperationCode::CopyRenaming,
                               w.path(u"dest"_s));
    QVERIFY(w.ops().lastResult().succeeded());
    QVERIFY(seen);
    pool.waitForDone();
}

void TestFileOperations::closingDuringAMoveKeepsAnnotationsWithTheFiles()
{
    // The window is closed (as at logout) while the move waits for its question about b.txt:
    // a.txt has gone over and takes its annotation along before the window is gone; b.txt
    // and c.txt stay where they are, with theirs.
    Window w;
    for (const char *name : {"a.txt", "b.txt", "c.txt"}) {
        const QString item = u"src/"_s + QLatin1String(name);
        writeBytes(w.path(item), name);
        w.annotate(item, QLatin1String(name));
    }
    writeBytes(w.path(u"dest/b.txt"_s), "old");
    w.annotate(u"dest/b.txt"_s, u"theirs"_s);
    auto state = [&w] {
        QStringList out;
        for (const QString &item : {u"src/a.txt"_s, u"dest/a.txt"_s, u"src/b.txt"_s,
                                    u"dest/b.txt"_s, u"src/c.txt"_s, u"dest/c.txt"_s})
            out << item + u'=' + QString::fromUtf8(readBytes(w.path(item))) + u'|' +
                       w.comment(item);
        return out;
    };
    const QStringList expected{u"src/a.txt=<missing>|"_s,  u"dest/a.txt=a.txt|a.txt"_s,
                               u"src/b.txt=b.txt|b.txt"_s, u"dest/b.txt=old|theirs"_s,
                               u"src/c.txt=c.txt|c.txt"_s, u"dest/c.txt=<missing>|"_s};

    MessageBox::reset(); // the question shows
    QStringList atClose;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &poll, [&] {
        QPointer<QMessageBox> box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll.stop();
        w.form->close();
        atClose = state();
        if (box)
            box->reject();
    });
    poll.start(10);
    w.ops().ShellFileOperation(
        {w.path(u"src/a.txt"_s), w.path(u"src/b.txt"_s), w.path(u"src/c.txt"_s)},
        FileOperationCode::MoveAsking, w.path(u"dest"_s));
    QCOMPARE(atClose, expected);
    QCOMPARE(state(), expected);
    const QList<ItemOutcome> items = w.ops().lastResult().items;
    QCOMPARE(items.size(), 3);
    QCOMPARE(items[0].status, ItemStatus::Done);
    QCOMPARE(items[2].status, ItemStatus::Cancelled);
    QVERIFY(!w.ops().isBusy());
}

void TestFileOperations::batchWindow()
{
    Window w;
    QVERIFY(QDir().mkpath(w.path(u"a"_s)));
    w.open();
    w.form->command(u"cmdBatchFolders"_s)->trigger();
    BatchCreateDialog *batch = w.ops().batchWindow();
    QVERIFY(batch->isVisible());
    QCOMPARE(batch->windowTitle(), u"フォルダ複数作成"_s);
    batch->textArea()->setPlainText(u"a\n\nb\n../c"_s);
    batch->pressOk();
    QVERIFY(!batch->isVisible());
    QVERIFY(QFileInfo(w.path(u"a_0"_s)).isDir());
    QVERIFY(QFileInfo(w.path(u"b"_s)).isDir());
    QVERIFY(!QFileInfo::exists(w.data.path() + u"/../c"_s));
    QCOMPARE(w.fileOp(), u"make D: 3"_s);
    QCOMPARE(MessageBox::log().size(), 1);
    QVERIFY(MessageBox::log().first().startsWith(u"[NG]"_s));

    // Showing it again empties the text; files mode never overwrites.
    writeBytes(w.path(u"f"_s), "keep");
    w.form->command(u"cmdBatchFiles"_s)->trigger();
    QCOMPARE(batch->windowTitle(), u"ファイル複数作成"_s);
    QCOMPARE(batch->textArea()->toPlainText(), QString());
    batch->textArea()->setPlainText(u"f"_s);
    batch->pressOk();
    QCOMPARE(readBytes(w.path(u"f"_s)), QByteArray("keep"));
    QCOMPARE(QFileInfo(w.path(u"f_0"_s)).size(), 0);
    QCOMPARE(w.fileOp(), u"make F: 1"_s);

    // A file that cannot be made ends the batch: the status tells what was made.
    w.form->command(u"cmdBatchFiles"_s)->trigger();
    batch->textArea()->setPlainText(u"g\nh\nno/such/folder\ni"_s);
    batch->pressOk();
    QVERIFY(QFileInfo::exists(w.path(u"g"_s)));
    QVERIFY(!QFileInfo::exists(w.path(u"i"_s)));
    QCOMPARE(w.fileOp(), u"make F: 2"_s);
}

void TestFileOperations::availabilityAndRestore()
{
    Window w;
    // The trash location lists the user's trash: the test's XDG_DATA_HOME.
    w.ops().setTrash(nullptr);
    writeBytes(w.path(u"back.txt"_s), "b");
    w.annotate(u"back.txt"_s, u"comes back"_s);
    w.open();
    w.select({u"back.txt"_s});
    MessageBox::script({QMessageBox::Yes});
    w.form->command(u"cmdDelete"_s)->trigger();
    QVERIFY(!QFile::exists(w.path(u"back.txt"_s)));
    QCOMPARE(w.comment(u"back.txt"_s), QString());
    QVERIFY(!w.form->command(u"cmdRestoreFromTrash"_s)->isEnabled());
    QVERIFY(w.form->command(u"cmdRename"_s)->isEnabled());

    w.form->Build_ListView(u"::{645FF040-5081-101B-9F08-00AA002F954E}"_s);
    for (const QString &name : {u"cmdRename"_s, u"cmdDelete"_s, u"cmdCopyToFolder"_s,
                                u"cmdMoveToFolder"_s, u"cmdNewFolder"_s})
        QVERIFY2(!w.form->command(name)->isEnabled(), qPrintable(name));
    QVERIFY(w.form->command(u"cmdRestoreFromTrash"_s)->isEnabled());
    // "元の場所に戻す" can be reached: its menu in the item list's pop-up stays open.
    const QList<QMenu *> fileMenus = w.form->commands().menus(u"FileOperationsMenu"_s);
    QVERIFY(!fileMenus.isEmpty());
    for (QMenu *menu : fileMenus) {
        QVERIFY(menu->menuAction()->isEnabled());
        QVERIFY(menu->actions().contains(w.form->command(u"cmdRestoreFromTrash"_s)));
    }
    // The entry of this test's item (the user's trash may hold others of the same name).
    QString trashed;
    for (const TrashEntry &e : Trash().entries()) {
        if (e.originalPath == w.path(u"back.txt"_s))
            trashed = e.filesPath();
    }
    const int row = w.view().list().rowOfPath(trashed);
    QVERIFY(row >= 0);
    QVERIFY(!(w.view().model()->flags(w.view().model()->index(row, 0)) & Qt::ItemIsEditable));
    QCOMPARE(w.view().list().at(row).Name, u"back.txt"_s);
    w.view().selectPaths({trashed});
    w.form->command(u"cmdRestoreFromTrash"_s)->trigger();
    QCOMPARE(readBytes(w.path(u"back.txt"_s)), QByteArray("b"));
    QCOMPARE(w.comment(u"back.txt"_s), u"comes back"_s);

    w.open();
    QVERIFY(w.form->command(u"cmdRename"_s)->isEnabled());
    QVERIFY(!w.form->command(u"cmdRestoreFromTrash"_s)->isEnabled());

    // Other shell locations close the menu as a whole.
    w.form->Build_ListView(u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"_s);
    for (QMenu *menu : fileMenus)
        QVERIFY(!menu->menuAction()->isEnabled());
}

void TestFileOperations::restoringKeepsTheWindowGoing()
{
    Window w;
    w.ops().setTrash(nullptr);
    writeBytes(w.path(u"kept.txt"_s), "k");
    writeBytes(w.path(u"taken.txt"_s), "t");
    w.open();
    w.select({u"kept.txt"_s, u"taken.txt"_s});
    MessageBox::script({QMessageBox::Yes});
    w.form->command(u"cmdDelete"_s)->trigger();
    writeBytes(w.path(u"taken.txt"_s), "new");
    QStringList trashed;
    for (const TrashEntry &e : Trash().entries()) {
        if (e.originalPath == w.path(u"kept.txt"_s) || e.originalPath == w.path(u"taken.txt"_s))
            trashed.append(e.filesPath());
    }
    QCOMPARE(trashed.size(), 2);
    w.form->Build_ListView(u"::{645FF040-5081-101B-9F08-00AA002F954E}"_s);
    w.view().selectPaths(trashed);
    QCOMPARE(w.view().selectedRows().size(), 2);

    // The window handles its events while the items are looked up and moved back.
    bool returned = false;
    bool handledMeanwhile = false;
    QTimer::singleShot(0, w.form.get(), [&]() { handledMeanwhile = !returned; });
    MessageBox::script({QMessageBox::Yes}); // the taken one beside the new file
    w.form->command(u"cmdRestoreFromTrash"_s)->trigger();
    returned = true;
    QVERIFY(handledMeanwhile);
    QCOMPARE(readBytes(w.path(u"kept.txt"_s)), QByteArray("k"));
    QCOMPARE(readBytes(w.path(u"taken.txt"_s)), QByteArray("new"));
    QCOMPARE(readBytes(w.path(u"taken (2).txt"_s)), QByteArray("t"));
    QVERIFY(MessageBox::log().last().endsWith(u"別の名前で戻しますか？"_s));
    for (const QString &path : std::as_const(trashed))
        QVERIFY(!QFileInfo::exists(path));
}

QTEST_MAIN(TestFileOperations)
#include "tst_fileoperations.moc"
