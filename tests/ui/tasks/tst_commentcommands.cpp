#include "core/annotations/annotationlist.h"
#include "core/app/componentnames.h"
#include "core/platform/textfile.h"
#include "core/tasks/commentediting.h"
#include "core/tasks/extendedcomment.h"
#include "testsupport/files.h"
#include "testsupport/tempprogramfolder.h"
#include "ui/app/mainwindow.h"
#include "ui/app/messagebox.h"
#include "ui/itemlist/itemdelegate.h"
#include "ui/itemlist/itemlistmodel.h"
#include "ui/itemlist/itemlistview.h"
#include "ui/tasks/commentcommands.h"
#include "ui/tasks/extendedcommenteditor.h"
#include "ui/viewer/selectiondetails.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QTreeView>

#include <memory>

using namespace kazari;
using namespace Qt::StringLiterals;

namespace
{

using kazari::test::readFile;
using kazari::test::writeFile;

QString fieldIn(const QString &iniPath, const QString &name, const QString &suffix)
{
    TextFile::ReadResult r = TextFile::read(iniPath);
    return AnnotationList::fromDocument(std::move(r.document)).value(name, suffix);
}

// "work" with three files, two of them commented, and a folder "other" holding another
// "a.txt", shown by a main window on a fresh program folder (per-folder mode).
struct Fixture {
    Fixture()
    {
        for (const QString &name : {u"a.txt"_s, u"b.txt"_s, u"c.txt"_s})
            writeFile(work() + name, "x");
        writeFile(work() + u"_m.ini"_s, "a.txt_cmt=first\r\nc.txt_cmt=third\r\n");
        writeFile(other() + u"a.txt"_s, "y");
        writeFile(other() + u"_m.ini"_s, "a.txt_cmt=elsewhere\r\n");
        MainWindow::Options o;
        o.programFolder = pf.folder();
        o.arguments = {data.path() + u"/work"_s};
        form = std::make_unique<MainWindow>(o);
        form->FormCreate();
        comments = form->findChild<CommentCommands *>();
        comments->setTextAsker([this](QWidget *, const QString &caption, const QString &prompt,
                                      const QString &preset) -> std::optional<QString> {
            asked << caption << prompt << preset;
            return answer;
        });
    }
    QString work() const { return data.path() + u"/work/"_s; }
    QString other() const { return data.path() + u"/other/"_s; }
    QString field(const QString &name, const QString &suffix = u"_cmt"_s) const
    {
        return fieldIn(work() + u"_m.ini"_s, name, suffix);
    }
    // Selects by full paths and lets the selection handlers run.
    void select(const QStringList &paths)
    {
        form->itemListView()->selectPaths(paths, paths.isEmpty() ? QString() : paths.last());
        SelectionDetails::install(*form)->flush();
    }
    void run(const QString &command)
    {
        QAction *a = form->command(command);
        QVERIFY2(a && a->isEnabled(), qPrintable(command));
        a->trigger();
    }
    QPlainTextEdit *box() const { return form->commentMemo(); }

    test::TempProgramFolder pf;
    QTemporaryDir data;
    std::unique_ptr<MainWindow> form;
    CommentCommands *comments = nullptr;
    std::optional<QString> answer;
    QStringList asked;
};

} // namespace

class TestCommentCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        MessageBox::reset();
        MessageBox::answerAllWith(QMessageBox::Ok);
    }
    void boxIsBoundToItsItem();
    void newListUnbindsTheBox();
    void clickShowsTheComment();
    void boxWritesByPath();
    void commentInput_data();
    void commentInput();
    void folderCommentOfARoot();
    void folderCommentOfAVirtualLocation();
    void quickComment_data();
    void quickComment();
    void tipShowsTheTask();
    void extendedCommentEditor();
};

void TestCommentCommands::clickShowsTheComment()
{
    // What a user does: a click on the item in the shown window fills the box.
    Fixture f;
    f.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
    QAbstractItemView *view = f.form->itemListView()->currentView();
    const QModelIndex index =
        view->model()->index(f.form->itemListView()->list().rowOfPath(f.work() + u"a.txt"_s), 0);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    QTRY_COMPARE(f.form->statusField(MainWindow::FileOp)->text(), u"first"_s);
    QTRY_COMPARE(f.box()->toPlainText(), u"first"_s);
}

void TestCommentCommands::boxIsBoundToItsItem()
{
    Fixture f;
    f.select({f.work() + u"a.txt"_s});
    QCOMPARE(f.box()->toPlainText(), u"first"_s);
    QCOMPARE(f.comments->boundPath(), f.work() + u"a.txt"_s);

    // Typed for a.txt, then the selection moves: the text goes to a.txt, not b.txt.
    f.box()->setPlainText(u"changed"_s);
    f.select({f.work() + u"b.txt"_s});
    QCOMPARE(f.field(u"a.txt"_s), u"changed"_s);
    QCOMPARE(f.field(u"b.txt"_s), QString());
    QCOMPARE(f.box()->toPlainText(), QString());

    // Shown and left unchanged: nothing is written, nothing is wiped.
    const QByteArray before = readFile(f.work() + u"_m.ini"_s);
    f.select({f.work() + u"c.txt"_s});
    f.run(u"cmdCommentSet"_s);
    f.select({});
    QCOMPARE(readFile(f.work() + u"_m.ini"_s), before);
    QVERIFY(f.comments->boundPath().isEmpty());
    // Without an item the box registers nothing.
    f.box()->setPlainText(u"stray"_s);
    QVERIFY(!f.comments->commitBox());

    // Enter registers; an empty box removes the line; line breaks never reach the file.
    f.select({f.work() + u"c.txt"_s});
    f.box()->setPlainText(u"two\nlines"_s);
    f.box()->setFocus();
    QTest::keyClick(f.box(), Qt::Key_Return);
    QCOMPARE(f.field(u"c.txt"_s), u"two lines"_s);
    f.box()->setPlainText(QString());
    f.run(u"cmdCommentSet"_s);
    QVERIFY(!readFile(f.work() + u"_m.ini"_s).contains("c.txt_cmt"));
}

void TestCommentCommands::newListUnbindsTheBox()
{
    Fixture f;
    f.select({f.work() + u"b.txt"_s});
    QCOMPARE(f.comments->boundPath(), f.work() + u"b.txt"_s);
    // The item goes and the list is built anew: the box belongs to nothing, and what is
    // typed then writes no line for the item that is gone.
    QVERIFY(QFile::remove(f.work() + u"b.txt"_s));
    f.run(u"cmdRefresh"_s);
    QVERIFY(f.comments->boundPath().isEmpty());
    QCOMPARE(f.box()->toPlainText(), QString());
    f.box()->setPlainText(u"for nothing"_s);
    f.box()->setFocus();
    QTest::keyClick(f.box(), Qt::Key_Return);
    QVERIFY(!readFile(f.work() + u"_m.ini"_s).contains("b.txt"));
    QCOMPARE(MessageBox::log(), QStringList());

    // An edit typed before the rebuild still reaches its item when that is there.
    f.select({f.work() + u"c.txt"_s});
    f.box()->setPlainText(u"kept"_s);
    f.run(u"cmdRefresh"_s);
    QCOMPARE(f.field(u"c.txt"_s), u"kept"_s);
    // A write for an item that is gone is refused and says so.
    QVERIFY(QFile::remove(f.work() + u"c.txt"_s));
    QString why;
    QVERIFY(!CommentEditing::canWrite(f.form->store(), f.work() + u"c.txt"_s, &why));
    QCOMPARE(why, CommentEditing::missingItemText() + f.work() + u"c.txt"_s);
}

void TestCommentCommands::boxWritesByPath()
{
    Fixture f;
    // Search results: another folder's a.txt beside this folder's b.txt.
    f.form->showSearchResults({f.other() + u"a.txt"_s, f.work() + u"b.txt"_s});
    f.select({f.other() + u"a.txt"_s});
    QCOMPARE(f.box()->toPlainText(), u"elsewhere"_s);
    f.box()->setPlainText(u"moved on"_s);
    f.run(u"cmdCommentSet"_s);
    QCOMPARE(fieldIn(f.other() + u"_m.ini"_s, u"a.txt"_s, u"_cmt"_s), u"moved on"_s);
    QCOMPARE(f.field(u"a.txt"_s), u"first"_s);
}

void TestCommentCommands::commentInput_data()
{
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<QVariant>("answer");      // invalid: cancelled
    QTest::addColumn<QStringList>("expected"); // a, b, c afterwards

    QTest::newRow("three items") << QStringList{u"a.txt"_s, u"b.txt"_s, u"c.txt"_s}
                                 << QVariant(u"同じ"_s)
                                 << QStringList{u"同じ"_s, u"同じ"_s, u"同じ"_s};
    QTest::newRow("cancelled") << QStringList{u"a.txt"_s, u"b.txt"_s} << QVariant()
                               << QStringList{u"first"_s, QString(), u"third"_s};
    QTest::newRow("empty answer removes") << QStringList{u"a.txt"_s} << QVariant(QString())
                                          << QStringList{QString(), QString(), u"third"_s};
}

void TestCommentCommands::commentInput()
{
    QFETCH(QStringList, selected);
    QFETCH(QVariant, answer);
    QFETCH(QStringList, expected);
    Fixture f;
    QStringList paths;
    for (const QString &n : selected)
        paths << f.work() + n;
    f.select(paths);
    if (answer.isValid())
        f.answer = answer.toString();
    f.run(u"cmdCommentInput"_s);
    QCOMPARE(f.asked, (QStringList{u" コメント"_s, u"コメント"_s, QString()}));
    QCOMPARE((QStringList{f.field(u"a.txt"_s), f.field(u"b.txt"_s), f.field(u"c.txt"_s)}),
             expected);
    // The box shows what its item holds now.
    QCOMPARE(f.box()->toPlainText(), f.field(selected.last()));
}

void TestCommentCommands::folderCommentOfARoot()
{
    Fixture f;
    // Nothing selected: the folder's own comment, kept in the parent's file (created).
    QVERIFY(!QFile::exists(f.data.path() + u"/_m.ini"_s));
    f.answer = u"作業フォルダ"_s;
    f.run(u"cmdCommentInput"_s);
    QCOMPARE(fieldIn(f.data.path() + u"/_m.ini"_s, u"work"_s, u"_cmt"_s), u"作業フォルダ"_s);
    f.answer = u"again"_s;
    f.run(u"cmdCommentInput"_s);
    QCOMPARE(f.asked.mid(3), (QStringList{u" コメント"_s, u"コメント"_s, u"作業フォルダ"_s}));
    QCOMPARE(fieldIn(f.data.path() + u"/_m.ini"_s, u"work"_s, u"_cmt"_s), u"again"_s);

    f.form->Build_ListView(u"/"_s);
    f.select({});
    f.run(u"cmdCommentInput"_s);
    QVERIFY(MessageBox::log().contains(CommentEditing::rootFolderText()));
}

void TestCommentCommands::folderCommentOfAVirtualLocation()
{
    // The computer: a virtual location has no folder above it to hold its comment. It says
    // so before asking, and writes nothing.
    Fixture f;
    f.form->Build_ListView(u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"_s);
    f.select({});
    f.answer = u"lost"_s;
    f.run(u"cmdCommentInput"_s);
    QVERIFY(f.asked.isEmpty());
    QVERIFY(MessageBox::log().contains(CommentEditing::virtualLocationText()));
}

void TestCommentCommands::quickComment_data()
{
    QTest::addColumn<QString>("style"); // the view style command
    QTest::newRow("large icons: over the picture") << Component::ViewIcons;
    QTest::newRow("small icons: over the caption") << Component::ViewSmallIcons;
    QTest::newRow("list: over the item") << Component::ViewList;
    QTest::newRow("details: over the second column") << Component::ViewDetails;
}

void TestCommentCommands::quickComment()
{
    QFETCH(QString, style);
    Fixture f;
    writeFile(f.work() + u"_m.ini"_s, "a.txt_cmt=a rather long comment\r\nc.txt_cmt=third\r\n");
    f.form->refreshList();
    f.form->resize(900, 700);
    f.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
    f.run(style);
    // "クイックコメント" has no menu entry of its own; its setting checks it at start-up.
    f.form->command(Component::QuickComment)->setChecked(true);

    ItemListView *view = f.form->itemListView();
    const QString a = f.work() + u"a.txt"_s;
    f.select({a});
    QLineEdit *field = f.comments->quickField();
    QVERIFY(field);
    QVERIFY(field->isVisible());
    QCOMPARE(field->text(), u"a rather long comment"_s);
    QAbstractItemView *shown = view->currentView();
    QCOMPARE(field->parentWidget(), shown->viewport());

    const int row = view->list().rowOfPath(a);
    const QModelIndex index = view->model()->index(row, 0);
    const QRect cell = shown->visualRect(index);
    const QRect at = field->geometry();
    if (style == Component::ViewDetails) {
        QHeaderView *header = static_cast<QTreeView *>(shown)->header();
        QCOMPARE(at.left(), header->sectionViewportPosition(1));
        QCOMPARE(at.width(), header->sectionSize(1));
        QCOMPARE(at.top(), cell.top());
    } else {
        const ItemDelegate::Geometry parts = view->delegate()->geometry(cell, index);
        const QRect area = style == Component::ViewIcons        ? parts.picture
                           : style == Component::ViewSmallIcons ? parts.caption
                                                                : cell;
        QCOMPARE(at.topLeft(), area.topLeft());
        // Ten pixels for each of the comment's 21 characters.
        QCOMPARE(at.width(), qMax(area.width(), 210));
    }

    // Typed over a.txt, then another item is selected: the text goes to a.txt, and the
    // field moves on to show c.txt's comment.
    field->setText(u"quick"_s);
    f.select({f.work() + u"c.txt"_s});
    QCOMPARE(f.field(u"a.txt"_s), u"quick"_s);
    QCOMPARE(f.field(u"c.txt"_s), u"third"_s);
    QCOMPARE(field->text(), u"third"_s);
    // Leaving the field registers it and shows it in the comment box.
    field->setText(u"changed"_s);
    Q_EMIT field->editingFinished();
    QCOMPARE(f.field(u"c.txt"_s), u"changed"_s);
    QCOMPARE(f.box()->toPlainText(), u"changed"_s);

    // Switched off, the field stays hidden.
    f.form->command(Component::QuickComment)->setChecked(false);
    f.select({a});
    QVERIFY(!field->isVisible());
}

void TestCommentCommands::tipShowsTheTask()
{
    Fixture f;
    writeFile(f.work() + u"_m.ini"_s,
              "a.txt_cmt=first\r\na.txt_TE=2030/01/02,9:00:00\r\na.txt_imp=3\r\n");
    f.form->refreshList();
    const int row = f.form->itemListView()->list().rowOfPath(f.work() + u"a.txt"_s);
    QCOMPARE(f.comments->tipText(row),
             u"a.txt\nコメント : first\n完了度 : \n完  了 : \n重要度 : 3\n通知日 : \n"
             "開始日 : \n期  日 : 2030/01/02,9:00:00"_s);
    QVERIFY(f.form->command(u"cmdHintTips"_s)->isEnabled());

    // Over the item, with the tips on: the comment is shown as written, not as markup.
    writeFile(f.work() + u"_m.ini"_s, "a.txt_cmt=<b>bold</b>\r\n");
    f.form->refreshList();
    f.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
    f.form->command(u"cmdHintTips"_s)->setChecked(true);
    QAbstractItemView *view = f.form->itemListView()->currentView();
    const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
    QHelpEvent help(QEvent::ToolTip, at, view->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(view->viewport(), &help);
    QTRY_VERIFY(QToolTip::isVisible());
    QVERIFY(QToolTip::text().contains(u"コメント : &lt;b&gt;bold&lt;/b&gt;"_s));
}

void TestCommentCommands::extendedCommentEditor()
{
    Fixture f;
    writeFile(f.work() + u"_m.ini"_s, "a.txt_cmtEx=\"x\",,,,,,,,,,\"hidden, kept\"\r\n");
    f.form->refreshList();
    auto *editor = f.form->findChild<ExtendedCommentEditor *>();
    QVERIFY(editor);

    // Nothing selected: "保存" says so and writes nothing.
    f.select({});
    f.run(u"cmdCommentProEdit"_s);
    QVERIFY(editor->isVisible());
    QVERIFY(!editor->save());
    QVERIFY(MessageBox::log().contains(ExtendedComment::notSelectedText()));

    f.select({f.work() + u"a.txt"_s});
    QCOMPARE(editor->boundPath(), f.work() + u"a.txt"_s);
    QCOMPARE(editor->windowTitle(), u"a.txt コメント Professional 編集"_s);
    QTableWidget *grid = editor->grid();
    QCOMPARE(grid->item(0, 0)->text(), u"コメント1"_s);
    QCOMPARE(grid->item(0, 1)->text(), u"x"_s);
    QVERIFY(grid->isRowHidden(10));
    grid->item(1, 1)->setText(u"say \"hi\", then"_s);
    grid->item(2, 0)->setText(u"担当"_s);

    // The selection moves while the window shows: it follows, and saves for its item.
    editor->saveButton()->click();
    QCOMPARE(f.field(u"a.txt"_s, u"_cmtEx"_s),
             u"\"x\",\"say \"\"hi\"\", then\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\","
             "\"hidden, kept\""_s);
    QCOMPARE(f.form->settings().value(u"CmtName3"_s), u"担当"_s);
    // Shown as "コメント Professional 詳細", the columns take the new name at once.
    f.run(Component::ViewExtendedComments);
    f.select({f.work() + u"a.txt"_s});
    grid->item(3, 0)->setText(u"期限"_s);
    editor->saveButton()->click();
    const ItemListModel *model = f.form->itemListView()->model();
    QCOMPARE(model->headerData(4, Qt::Horizontal).toString(), u"担当"_s);
    QCOMPARE(model->headerData(5, Qt::Horizontal).toString(), u"期限"_s);
    QCOMPARE(model->columnText(f.form->itemListView()->list().rowOfPath(f.work() + u"a.txt"_s), 3),
             u"say \"hi\", then"_s);
    f.select({f.work() + u"b.txt"_s});
    QCOMPARE(editor->boundPath(), f.work() + u"b.txt"_s);
    QCOMPARE(grid->item(1, 1)->text(), QString());
    QCOMPARE(grid->item(2, 0)->text(), u"担当"_s);
}

QTEST_MAIN(TestCommentCommands)
#include "tst_commentcommands.moc"
