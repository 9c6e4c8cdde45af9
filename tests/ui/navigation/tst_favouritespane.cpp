// The favourites pane: what it shows of pathlist.ini, its pop-up commands, files dropped
// onto it and entries dragged onto others.
#include "core/annotations/annotationstore.h"
#include "core/app/componentnames.h"
#include "core/navigation/favourites.h"
#include "testsupport/files.h"
#include "testsupport/recordinglauncher.h"
#include "testsupport/tempprogramfolder.h"
#include "ui/app/mainwindow.h"
#include "ui/app/messagebox.h"
#include "ui/itemlist/itemlistview.h"
#include "ui/navigation/favouritesmodel.h"
#include "ui/navigation/favouritespane.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFont>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

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
        form = std::make_unique<MainWindow>(o);
        form->FormCreate();
        pane().setPrompt([this](const QString &title, const QString &label,
                                const QString &text) -> std::optional<QString> {
            prompts.append(title + u'|' + label + u'|' + text);
            if (answers.isEmpty())
                return std::nullopt;
            return answers.takeFirst();
        });
    }
    QString path(const QString &relative = QString()) const
    {
        return relative.isEmpty() ? data.path() : data.path() + u"/"_s + relative;
    }
    FavouritesPane &pane() { return *form->findChild<FavouritesPane *>(); }
    QTreeView &view() { return *pane().view(); }
    QString file() const { return QString::fromUtf8(program.readBytes(u"pathlist.ini"_s)); }
    void writeList(const QString &text)
    {
        QVERIFY(program.writeBytes(u"pathlist.ini"_s, text.toUtf8()));
        pane().reload();
    }
    void command(const QString &caption)
    {
        for (QAction *a : pane().popup()->actions()) {
            if (a->text() == caption) {
                a->trigger();
                return;
            }
        }
        QFAIL(qPrintable(u"no command "_s + caption));
    }
    void selectRow(int row)
    {
        view().selectionModel()->setCurrentIndex(pane().model()->index(row, 0),
                                                 QItemSelectionModel::ClearAndSelect |
                                                     QItemSelectionModel::Rows);
    }
    QString caption(int row) const
    {
        return const_cast<Window *>(this)->pane().model()->index(row, 0).data().toString();
    }
    // A drag that enters the list and is dropped at `at` (a drop goes where the drag
    // was accepted).
    void drop(QMimeData *mime, const QPoint &at)
    {
        QWidget *target = view().viewport();
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(at, actions, mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        entered = enter.isAccepted();
        QDropEvent e(QPointF(at), actions, mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &e);
        dropAction = e.isAccepted() ? e.dropAction() : Qt::IgnoreAction;
        delete mime;
    }

    test::TempProgramFolder program;
    QTemporaryDir data;
    test::RecordingLauncher launcher;
    std::unique_ptr<MainWindow> form;
    QStringList answers;
    QStringList prompts;
    Qt::DropAction dropAction = Qt::IgnoreAction;
    bool entered = false;
};

} // namespace

class TestFavouritesPane : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        MessageBox::reset();
        MessageBox::answerAllWith(QMessageBox::Yes);
    }
    void showsEntriesWithColoursAndCategories();
    void commandsEditTheFile();
    void refusedPathsLeaveTheFileAlone();
    void openAndFindTarget();
    void dropsAddPlacesAndReorderEntries();
};

void TestFavouritesPane::showsEntriesWithColoursAndCategories()
{
    Window w;
    QVERIFY(QDir().mkpath(w.path(u"proj"_s)));
    QVERIFY(test::writeFile(w.path(u"notes.txt"_s), "n"));
    w.writeList(u"\t46023.250000=Work\n"_s + w.path(u"proj"_s) + u"=!Project\n"_s +
                w.path(u"gone"_s) + u"=old\n"_s + w.path(u"notes.txt"_s) + u"=-todo\n"_s +
                w.path(u"proj"_s) + u"\n"_s);
    QAbstractItemModelTester tester(w.pane().model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    // The vanished place went from the file at the load.
    QVERIFY(!w.file().contains(u"gone"_s));
    FavouritesModel *m = w.pane().model();
    QCOMPARE(m->rowCount(), 4);
    QCOMPARE(m->columnCount(), 2);

    const QModelIndex category = m->index(0, 0);
    QCOMPARE(category.data().toString(), u"Work"_s);
    QVERIFY(category.data(Qt::FontRole).value<QFont>().bold());
    QCOMPARE(category.data(Qt::BackgroundRole).value<QColor>(), QColor(192, 192, 192));
    QCOMPARE(m->index(0, 1).data().toString(), u"46023.250000"_s);

    QCOMPARE(m->index(1, 0).data().toString(), u"!Project"_s);
    QCOMPARE(m->index(1, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(0, 255, 255));
    QCOMPARE(m->index(1, 1).data().toString(), w.path(u"proj"_s));
    QCOMPARE(m->index(2, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
    // Without display name: the last component, in black.
    QCOMPARE(m->index(3, 0).data().toString(), u"proj"_s);
    QCOMPARE(m->index(3, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::black));
    QVERIFY(!m->index(1, 0).data(Qt::DecorationRole).value<QPixmap>().isNull());
    QCOMPARE(m->index(2, 1).data(Qt::ToolTipRole).toString().split(u'\n').size(), 15);

    // Selecting shows the name and the path in the header lines.
    w.pane().resize(2000, 300);
    w.selectRow(1);
    QCOMPARE(w.pane().headerName(), u"!Project"_s);
    QCOMPARE(w.pane().headerPath(), w.path(u"proj"_s));
}

void TestFavouritesPane::commandsEditTheFile()
{
    Window w;
    QVERIFY(QDir().mkpath(w.path(u"sub"_s)));
    QVERIFY(test::writeFile(w.path(u"a.txt"_s), "a"));
    QVERIFY(w.form->store().SetByPath(w.path(), u"_cmt"_s, u"#home"_s).ok);
    QVERIFY(w.form->store().SetByPath(w.path(u"a.txt"_s), u"_cmt"_s, u"file a"_s).ok);
    w.form->Build_ListView(w.path());

    // The current place goes in with its comment; adding it again refreshes the name.
    w.command(u"現在の場所を追加"_s);
    QCOMPARE(w.file(), w.path() + u"=#home\n"_s);
    QCOMPARE(w.pane().selectedLine(), 0);
    QVERIFY(w.form->store().SetByPath(w.path(), u"_cmt"_s, u"#house"_s).ok);
    w.command(u"現在の場所を追加"_s);
    QCOMPARE(w.file(), w.path() + u"=#house\n"_s);

    // The item selected in the list, also through the main menu's command.
    w.form->itemListView()->selectPaths({w.path(u"a.txt"_s)});
    w.form->command(u"cmdAddToFavourites"_s)->trigger();
    QCOMPARE(w.file(), w.path() + u"=#house\n"_s + w.path(u"a.txt"_s) + u"=file a\n"_s);
    QCOMPARE(w.pane().selectedLine(), 1);

    // A category before the selected entry.
    w.command(u"カテゴリを作成"_s);
    QStringList lines = w.file().split(u'\n');
    QCOMPARE(lines.size(), 4);
    QVERIFY(lines.at(1).startsWith(u'\t'));
    QVERIFY(lines.at(1).endsWith(u"=新しいカテゴリ"_s));
    QCOMPARE(w.caption(1), u"新しいカテゴリ"_s);
    QCOMPARE(w.pane().selectedLine(), 1);

    // Renaming asks with the current name; a line break in the answer becomes a space.
    w.answers = {u"Mine\nand more"_s};
    w.command(u"名前の編集"_s);
    QCOMPARE(w.prompts, QStringList{u"名前の編集|名前を入力してください|新しいカテゴリ"_s});
    QCOMPARE(w.caption(1), u"Mine and more"_s);
    // Cancelled: nothing changes.
    const QString before = w.file();
    w.command(u"名前の編集"_s);
    QCOMPARE(w.file(), before);

    w.command(u"項目を上へ移動"_s);
    QCOMPARE(w.caption(0), u"Mine and more"_s);
    QCOMPARE(w.pane().selectedLine(), 0);
    w.command(u"項目を上へ移動"_s);
    QCOMPARE(w.caption(0), u"Mine and more"_s);
    w.command(u"項目を下へ移動"_s);
    w.command(u"項目を下へ移動"_s);
    QCOMPARE(w.caption(2), u"Mine and more"_s);
    w.command(u"削除"_s);
    QCOMPARE(w.file(), w.path() + u"=#house\n"_s + w.path(u"a.txt"_s) + u"=file a\n"_s);
    QCOMPARE(w.pane().model()->rowCount(), 2);
    QVERIFY(MessageBox::log().isEmpty());
}

void TestFavouritesPane::refusedPathsLeaveTheFileAlone()
{
    Window w;
    QVERIFY(QDir().mkpath(w.path(u"x=y"_s)));
    QVERIFY(QDir().mkpath(w.path(u"two\nlines"_s)));
    QVERIFY(QDir().mkpath(w.path(u"ok"_s)));
    w.writeList(w.path(u"ok"_s) + u"=fine\n"_s);
    const QString before = w.file();

    // "=" would end the path early; a line break would make two lines.
    for (const QString &bad : {u"x=y"_s, u"two\nlines"_s}) {
        MessageBox::reset();
        MessageBox::answerAllWith(QMessageBox::Yes);
        w.form->Build_ListView(w.path(bad));
        w.command(u"現在の場所を追加"_s);
        QCOMPARE(w.file(), before);
        QCOMPARE(MessageBox::log().size(), 1);
        QVERIFY(MessageBox::log().first().contains(w.path(bad)));
    }
    // One message for all refused paths of a drop; the others go in.
    MessageBox::reset();
    MessageBox::answerAllWith(QMessageBox::Yes);
    w.pane().addPlaces({w.path(u"x=y"_s), w.path(u"two\nlines"_s), w.path()});
    QCOMPARE(MessageBox::log().size(), 1);
    QCOMPARE(w.file(), before + w.path() + u"=\n"_s);
}

void TestFavouritesPane::openAndFindTarget()
{
    Window w;
    QVERIFY(QDir().mkpath(w.path(u"deep/inner"_s)));
    QVERIFY(test::writeFile(w.path(u"deep/doc.txt"_s), "d"));
    w.writeList(w.path(u"deep/inner"_s) + u"=inner\n"_s + w.path(u"deep/doc.txt"_s) +
                u"=doc\n\t1.0=cat\n"_s);
    w.form->resize(900, 600);
    w.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));

    w.selectRow(0);
    w.command(u"開く"_s);
    QCOMPARE(w.form->currentFolder(), w.path(u"deep/inner/"_s));
    w.selectRow(1);
    w.command(u"開く"_s);
    QCOMPARE(w.launcher.opened, QStringList{w.path(u"deep/doc.txt"_s)});
    QCOMPARE(w.form->currentFolder(), w.path(u"deep/inner/"_s));
    // A category opens nothing.
    w.selectRow(2);
    w.command(u"開く"_s);
    QCOMPARE(w.launcher.opened.size(), 1);

    // The parent folder is shown with the item selected, and the item shakes a moment.
    w.selectRow(1);
    w.command(u"リンク先を探す"_s);
    QCOMPARE(w.form->currentFolder(), w.path(u"deep/"_s));
    QCOMPARE(w.form->selectedPaths(), QStringList{w.path(u"deep/doc.txt"_s)});
    QVERIFY(w.form->itemList()->viewport()->findChild<QWidget *>(u"ShakeOverlay"_s));
    QTRY_VERIFY(!w.form->itemList()->viewport()->findChild<QWidget *>(u"ShakeOverlay"_s));

    // A favourite whose place vanished does nothing and is gone after the next load.
    QVERIFY(QDir(w.path(u"deep/inner"_s)).removeRecursively());
    w.selectRow(0);
    w.command(u"開く"_s);
    QCOMPARE(w.form->currentFolder(), w.path(u"deep/"_s));
    w.pane().reload();
    QVERIFY(!w.file().contains(u"inner"_s));
}

void TestFavouritesPane::dropsAddPlacesAndReorderEntries()
{
    Window w;
    QVERIFY(QDir().mkpath(w.path(u"one"_s)));
    QVERIFY(test::writeFile(w.path(u"b.txt"_s), "b"));
    QVERIFY(w.form->store().SetByPath(w.path(u"b.txt"_s), u"_cmt"_s, u"bee"_s).ok);
    w.writeList(w.path(u"one"_s) + u"=first\n"_s);
    w.pane().resize(400, 300);

    // Files dropped from another program are added with their comments once the drop
    // has returned; a web address and a vanished file are passed over.
    auto *mime = new QMimeData;
    mime->setUrls({QUrl::fromLocalFile(w.path(u"b.txt"_s)), QUrl(u"https://example.org/x"_s),
                   QUrl::fromLocalFile(w.path(u"gone.txt"_s))});
    w.drop(mime, QPoint(5, 5));
    QCOMPARE(w.dropAction, Qt::CopyAction);
    QCOMPARE(w.file(), w.path(u"one"_s) + u"=first\n"_s);
    QTRY_COMPARE(w.file(), w.path(u"one"_s) + u"=first\n"_s + w.path(u"b.txt"_s) + u"=bee\n"_s);
    QCOMPARE(w.pane().selectedLine(), 1);

    // An entry dragged onto another takes its place.
    mime = w.pane().model()->mimeData({w.pane().model()->index(1, 0)});
    QVERIFY(mime);
    w.drop(mime, w.view().visualRect(w.pane().model()->index(0, 0)).center());
    QTRY_COMPARE(w.caption(0), u"bee"_s);
    QCOMPARE(w.file(), w.path(u"b.txt"_s) + u"=bee\n"_s + w.path(u"one"_s) + u"=first\n"_s);
    QCOMPARE(w.pane().selectedLine(), 0);

    // With "ドロップ可能" off nothing is taken.
    w.form->settings().storeSetting(Component::AcceptDrops, u"0"_s, false);
    mime = new QMimeData;
    mime->setUrls({QUrl::fromLocalFile(w.path())});
    w.drop(mime, QPoint(5, 5));
    QVERIFY(!w.entered);
    QTest::qWait(20);
    QCOMPARE(w.pane().model()->rowCount(), 2);
}

QTEST_MAIN(TestFavouritesPane)
#include "tst_favouritespane.moc"
