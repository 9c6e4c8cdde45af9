#include "core/annotations/annotationlist.h"
#include "core/app/componentnames.h"
#include "core/platform/textfile.h"
#include "core/tasks/taskcheck.h"
#include "testsupport/fakeclock.h"
#include "testsupport/files.h"
#include "testsupport/tempprogramfolder.h"
#include "ui/app/mainwindow.h"
#include "ui/app/messagebox.h"
#include "ui/itemlist/itemlistmodel.h"
#include "ui/itemlist/itemlistview.h"
#include "ui/tasks/detailwindow.h"
#include "ui/tasks/taskeditorwindow.h"
#include "ui/tasks/taskpane.h"
#include "ui/viewer/selectiondetails.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

using namespace kazari;
using namespace Qt::StringLiterals;

namespace
{

using kazari::test::writeFile;

QString fieldIn(const QString &iniPath, const QString &name, const QString &suffix)
{
    TextFile::ReadResult r = TextFile::read(iniPath);
    return AnnotationList::fromDocument(std::move(r.document)).value(name, suffix);
}

// "work" with a.txt, b.txt and a folder "sub", and "other" with its own a.txt, shown by a
// main window on a fresh program folder (per-folder mode); the clock stands at
// 2026/01/01 9:00.
struct Fixture {
    explicit Fixture(const QByteArray &exeIni = QByteArray(),
                     const QByteArray &taskIni = QByteArray(), const QByteArray &workIni = "")
    {
        for (const QString &name : {u"a.txt"_s, u"b.txt"_s})
            writeFile(work() + name, "x");
        QDir().mkpath(work() + u"sub"_s);
        writeFile(work() + u"_m.ini"_s, workIni);
        writeFile(other() + u"a.txt"_s, "y");
        writeFile(other() + u"_m.ini"_s, "a.txt_cmt=elsewhere\r\na.txt_TS=2025/12/01,9:00:00\r\n"
                                         "a.txt_TE=2025/12/24,18:00:00\r\n");
        if (!exeIni.isEmpty())
            pf.writeBytes(u"exe.ini"_s, exeIni);
        if (!taskIni.isNull())
            pf.writeBytes(u"task.ini"_s, taskIni);
        MainWindow::Options o;
        o.programFolder = pf.folder();
        o.arguments = {data.path() + u"/work"_s};
        form = std::make_unique<MainWindow>(o);
        form->FormCreate();
        pane = form->findChild<TaskPane *>();
        pane->setNotifier([this](const QString &summary, const QString &body) {
            notified << summary + u'|' + body;
        });
    }
    QString work() const { return data.path() + u"/work/"_s; }
    QString other() const { return data.path() + u"/other/"_s; }
    QString field(const QString &name, const QString &suffix) const
    {
        return fieldIn(work() + u"_m.ini"_s, name, suffix);
    }
    QString taskIni() const { return QString::fromUtf8(pf.readBytes(u"task.ini"_s)); }
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

    test::FakeClock clock;
    test::TempProgramFolder pf;
    QTemporaryDir data;
    std::unique_ptr<MainWindow> form;
    TaskPane *pane = nullptr;
    QStringList notified;
};

} // namespace

class TestTaskWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        MessageBox::reset();
        MessageBox::answerAllWith(QMessageBox::Ok);
    }
    void editorWritesTheFormsAndKeepsTheList();
    void editorKeepsWhatItCouldNotRead();
    void startupCheckAnnounces();
    void refreshFillsTheTree();
    void goingToATaskTakesItsOwnItem();
    void doubleClickShakesTheItem();
    void announcementHasAnOkButton();
    void detailWindow();
    void detailWindowPictures_data();
    void detailWindowPictures();
    void detailWindowReportsFailures();
};

void TestTaskWindows::editorWritesTheFormsAndKeepsTheList()
{
    Fixture f;
    auto *editor = f.form->findChild<TaskEditorWindow *>();
    QVERIFY(editor);
    f.select({});
    f.run(TaskEditorWindow::editCommand());
    QVERIFY(!editor->isVisible());
    QVERIFY(MessageBox::log().contains(TaskEditorWindow::noSelectionText()));

    const QString a = f.work() + u"a.txt"_s;
    const QString b = f.work() + u"b.txt"_s;
    f.select({a, b});
    f.run(TaskEditorWindow::editCommand());
    QVERIFY(editor->isVisible());
    QCOMPARE(editor->paths(), (QStringList{a, b}));
    editor->startEdit()->setDateTime(QDateTime(QDate(2026, 2, 3), QTime(8, 5, 0)));
    editor->dueBox()->setChecked(true);
    editor->dueEdit()->setDateTime(QDateTime(QDate(2026, 2, 10), QTime(17, 30, 0)));
    editor->importanceBox()->setCurrentIndex(4); // 高
    editor->noticeMethodBox()->setCurrentIndex(1);
    editor->noticeEdit()->setDateTime(QDateTime(QDate(2026, 2, 9), QTime(9, 0, 0)));
    editor->achievementBox()->setChecked(true);
    editor->achievementEdit()->setValue(40);
    editor->okButton()->click();
    QVERIFY(!editor->isVisible());
    for (const QString &name : {u"a.txt"_s, u"b.txt"_s}) {
        QCOMPARE(f.field(name, u"_TS"_s), u"2026/02/03,8:05:00"_s);
        QCOMPARE(f.field(name, u"_TE"_s), u"2026/02/10,17:30:00"_s);
        QCOMPARE(f.field(name, u"_imp"_s), u"3"_s);
        QCOMPARE(f.field(name, u"_impN"_s), u"1,2026/02/09,9:00:00"_s);
        QCOMPARE(f.field(name, u"_cmp"_s), u"40"_s);
        QCOMPARE(f.field(name, u"_comp"_s), u"0"_s);
    }
    // Listed once each, in the order written (the file is made for the first task).
    QCOMPARE(f.taskIni(), a + u'\n' + b + u'\n');

    // Finishing one unlists it; the other keeps every field it had.
    f.select({a});
    f.run(TaskEditorWindow::editCommand());
    QCOMPARE(editor->importanceBox()->currentIndex(), 4);
    editor->finishedBox()->setChecked(true);
    editor->okButton()->click();
    QCOMPARE(f.field(u"a.txt"_s, u"_comp"_s), u"1"_s);
    QCOMPARE(f.taskIni(), b + u'\n');

    // Clearing removes the six fields and the line.
    f.select({b});
    f.run(TaskEditorWindow::editCommand());
    editor->clearButton()->click();
    for (const QString &suffix : {u"_TS"_s, u"_TE"_s, u"_imp"_s, u"_impN"_s, u"_cmp"_s, u"_comp"_s})
        QCOMPARE(f.field(u"b.txt"_s, suffix), QString());
    QCOMPARE(f.taskIni(), QString());
}

void TestTaskWindows::editorKeepsWhatItCouldNotRead()
{
    Fixture f(QByteArray(), QByteArray(""),
              "a.txt_TS=2026/01/01,9:00:00\r\na.txt_TE=来週\r\na.txt_imp=9\r\n");
    auto *editor = f.form->findChild<TaskEditorWindow *>();
    f.select({f.work() + u"a.txt"_s});
    f.run(TaskEditorWindow::editCommand());
    QVERIFY(!editor->dueBox()->isChecked());
    editor->achievementBox()->setChecked(true);
    editor->achievementEdit()->setValue(70);
    editor->okButton()->click();
    QCOMPARE(f.field(u"a.txt"_s, u"_cmp"_s), u"70"_s);
    QCOMPARE(f.field(u"a.txt"_s, u"_TE"_s), u"来週"_s);
    QCOMPARE(f.field(u"a.txt"_s, u"_imp"_s), u"9"_s);
    QCOMPARE(f.field(u"a.txt"_s, u"_TS"_s), u"2026/01/01,9:00:00"_s);
}

void TestTaskWindows::startupCheckAnnounces()
{
    // The overdue task of another folder, an empty line, a notice still ahead.
    const QByteArray workIni = "b.txt_cmt=見る\r\nb.txt_TS=2025/12/30,9:00:00\r\n"
                               "b.txt_TE=2026/03/01,9:00:00\r\nb.txt_impN=1,2026/01/05,9:00:00\r\n";
    Fixture f("N23=1\r\n", QByteArray(), workIni);
    f.pf.writeBytes(u"task.ini"_s, (f.other() + u"a.txt\n\n"_s + f.work() + u"b.txt\n"_s).toUtf8());
    // The start-up check runs once the event loop is up.
    MessageBox::reset();
    MessageBox::answerAllWith(QMessageBox::Ok);
    QTRY_VERIFY(!MessageBox::log().isEmpty());
    const QString expected = u"タスクのお知らせ\n\n"_s + u"0 期日超過\n["_s + f.other() +
                             u"a.txt]\n[2025/12/24,18:00:00]\nelsewhere\n\n"_s +
                             u"2 お知らせ\n["_s + f.work() +
                             u"b.txt]\n[2026/01/05,9:00:00]\n見る\n\n"_s;
    QCOMPARE(MessageBox::log().last(), expected);
    QCOMPARE(f.form->statusField(MainWindow::SysMsg)->text(), u"Thread 2: Checked Task"_s);
    QCOMPARE(f.notified.size(), 2);
    QVERIFY(f.notified.first().startsWith(u"期日超過|"_s + f.other() + u"a.txt"_s));
}

void TestTaskWindows::refreshFillsTheTree()
{
    Fixture f(QByteArray(), QByteArray(),
              "b.txt_TS=2025/12/30,9:00:00\r\nb.txt_TE=壊れた\r\nb.txt_imp=2\r\n");
    f.pf.writeBytes(u"task.ini"_s, (f.other() + u"a.txt\n"_s + f.work() + u"b.txt\n"_s).toUtf8());
    // Automatic checking off: the tree is filled, no box is shown.
    QVERIFY(f.form->command(TaskPane::checkCommand())->isEnabled());
    f.run(TaskPane::checkCommand());
    QVERIFY(MessageBox::log().isEmpty());
    QVERIFY(f.notified.isEmpty());
    QTreeWidget *tree = f.pane->tree();
    QCOMPARE(tree->topLevelItemCount(), 1);
    QTreeWidgetItem *root = tree->topLevelItem(0);
    QCOMPARE(root->text(0), u"未完了"_s);
    QCOMPARE(root->childCount(), 2);
    QTreeWidgetItem *overdue = root->child(0);
    QCOMPARE(overdue->text(0), f.other() + u"a.txt"_s);
    QCOMPARE(overdue->foreground(0).color(), QColor(255, 0, 0));
    QCOMPARE(overdue->background(0).color(), QColor(255, 255, 0));
    QVERIFY(overdue->font(0).bold());
    QVERIFY(overdue->isExpanded());
    // comment, start, due (passed: red)
    QCOMPARE(overdue->childCount(), 3);
    QCOMPARE(overdue->child(2)->foreground(0).color(), QColor(255, 0, 0));
    // The damaged due date is shown as written; the task is neither overdue nor pending.
    QTreeWidgetItem *damaged = root->child(1);
    QCOMPARE(damaged->data(0, TaskPane::StateRole).toInt(), int(TaskItem::NoDue));
    QCOMPARE(damaged->child(1)->text(0), u"壊れた"_s);
    QCOMPARE(damaged->child(2)->text(0), u"普通"_s);
    QVERIFY(f.pane->header()->text().startsWith(u"最終更新"_s));

    // "タスク未完了の一覧" on: the pane is shown and checked again.
    f.pf.writeBytes(u"task.ini"_s, QByteArray());
    f.run(Component::OpenTasksPage);
    QVERIFY(f.form->command(Component::OpenTasksPage)->isChecked());
    QCOMPARE(tree->topLevelItemCount(), 1);
    QCOMPARE(tree->topLevelItem(0)->childCount(), 0);
}

void TestTaskWindows::goingToATaskTakesItsOwnItem()
{
    Fixture f(QByteArray(), QByteArray(), "a.txt_TS=2025/12/30,9:00:00\r\n");
    f.pf.writeBytes(u"task.ini"_s, (f.other() + u"a.txt\n"_s).toUtf8());
    f.run(TaskPane::checkCommand());
    QTreeWidgetItem *task = f.pane->tree()->topLevelItem(0)->child(0);
    // The list shows work/, whose a.txt has the same name: it is not the task's item.
    f.select({f.work() + u"b.txt"_s});
    QVERIFY(!f.pane->goToTask(task));
    QCOMPARE(f.form->selectedPaths(), (QStringList{f.work() + u"b.txt"_s}));

    f.form->showSearchResults({f.work() + u"a.txt"_s, f.other() + u"a.txt"_s});
    QVERIFY(f.pane->goToTask(task->child(0)));
    QCOMPARE(f.form->selectedPaths(), (QStringList{f.other() + u"a.txt"_s}));
}

void TestTaskWindows::doubleClickShakesTheItem()
{
    Fixture f("N60=1\r\n", QByteArray(), "b.txt_TS=2025/12/30,9:00:00\r\n");
    f.pf.writeBytes(u"task.ini"_s, (f.work() + u"b.txt\n"_s).toUtf8());
    f.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
    f.run(TaskPane::checkCommand());
    QTreeWidget *tree = f.pane->tree();
    QVERIFY(tree->isVisible());
    QTreeWidgetItem *task = tree->topLevelItem(0)->child(0);
    QVERIFY(task);

    ItemListView *view = f.form->itemListView();
    QListView *icons = view->iconView();
    const QModelIndex index =
        view->model()->index(view->list().rowOfPath(f.work() + u"b.txt"_s), 0);
    const int home = icons->visualRect(index).left();
    const QListView::Movement movement = icons->movement();
    const bool dragEnabled = icons->dragEnabled();
    QList<int> steps;
    f.pane->setShakePause([&]() { steps << icons->visualRect(index).left() - home; });

    // A double click, as the user makes it: a click, then the second press.
    const QRect rect = tree->visualItemRect(task);
    const QPoint at(rect.left() + 20, rect.center().y());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(f.form->selectedPaths(), QStringList{f.work() + u"b.txt"_s});
    // Nine times 16 pixels to the right and back, as the user sees it.
    QList<int> expected;
    for (int i = 0; i < 9; ++i)
        expected << 16 << 0;
    QCOMPARE(steps, expected);
    // Back where it stood, the list as it was.
    QCOMPARE(icons->visualRect(index).left(), home);
    QCOMPARE(icons->movement(), movement);
    QCOMPARE(icons->dragEnabled(), dragEnabled);

    // The details style does not shake.
    steps.clear();
    f.run(Component::ViewDetails);
    QVERIFY(f.pane->goToTask(task));
    QVERIFY(steps.isEmpty());
}

void TestTaskWindows::announcementHasAnOkButton()
{
    Fixture f("N23=1\r\n");
    // No answers scripted: the real box comes up; it has OK alone.
    MessageBox::reset();
    QMessageBox::StandardButtons buttons;
    QString text;
    QTimer watch;
    connect(&watch, &QTimer::timeout, [&]() {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        buttons = box->standardButtons();
        text = box->text();
        box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->reject();
    });
    watch.start(20);
    QTRY_VERIFY(!text.isEmpty());
    QCOMPARE(text, u"タスクのお知らせ\n\n"_s);
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

void TestTaskWindows::detailWindow()
{
    Fixture f(QByteArray(), QByteArray(), "a.txt_cmt=ここ\r\n");
    auto *window = f.form->findChild<DetailWindow *>();
    QVERIFY(window);
    // The other folder's a.txt, shown among search results: its own comment, by path.
    f.form->showSearchResults({f.work() + u"a.txt"_s, f.other() + u"a.txt"_s, f.work() + u"sub"_s});
    f.select({f.other() + u"a.txt"_s});
    f.run(DetailWindow::openCommand());
    QVERIFY(window->isVisible());
    QCOMPARE(window->heading()->text(), u"a.txt の属性"_s);
    QCOMPARE(window->properties()->item(0, 1)->text(), u"elsewhere"_s);
    QCOMPARE(window->properties()->item(1, 1)->text(), u"1 Byte"_s);
    QCOMPARE(window->properties()->item(4, 1)->text(), f.other() + u"a.txt"_s);
    QVERIFY(!window->properties()->item(1, 1)->flags().testFlag(Qt::ItemIsEditable));
    // No caption colour: a white swatch.
    QCOMPARE(window->captionSwatch()->pixmap().toImage().pixelColor(2, 2), QColor(Qt::white));

    // Read-only and the comment in one step, both to this item.
    window->readOnlyBox()->setChecked(true);
    window->properties()->item(0, 1)->setText(u"見直し"_s);
    window->applyButton()->click();
    QVERIFY(!(QFile::permissions(f.other() + u"a.txt"_s) & QFileDevice::WriteOwner));
    QCOMPARE(fieldIn(f.other() + u"_m.ini"_s, u"a.txt"_s, u"_cmt"_s), u"見直し"_s);
    QCOMPARE(f.field(u"a.txt"_s, u"_cmt"_s), u"ここ"_s);
    // A comment written elsewhere since is not put back to what the window showed.
    QVERIFY(f.form->store().SetByPath(f.other() + u"a.txt"_s, u"_cmt"_s, u"newer"_s).ok);
    window->readOnlyBox()->setChecked(false);
    window->applyButton()->click();
    QVERIFY(QFile::permissions(f.other() + u"a.txt"_s) & QFileDevice::WriteOwner);
    QCOMPARE(fieldIn(f.other() + u"_m.ini"_s, u"a.txt"_s, u"_cmt"_s), u"newer"_s);
    QCOMPARE(window->properties()->item(0, 1)->text(), u"newer"_s);

    // The colours go to the same item.
    window->setColourChooser([](QWidget *) -> std::optional<QColor> { return QColor(0, 0, 255); });
    QVERIFY(window->chooseCaptionColour());
    QCOMPARE(fieldIn(f.other() + u"_m.ini"_s, u"a.txt"_s, u"_CVColor"_s), u"16711680"_s);
    QCOMPARE(window->captionSwatch()->pixmap().toImage().pixelColor(2, 2), QColor(0, 0, 255));
    window->setColourChooser([](QWidget *) -> std::optional<QColor> { return QColor(Qt::black); });
    QVERIFY(window->chooseOneColour());
    QCOMPARE(fieldIn(f.other() + u"_m.ini"_s, u"a.txt"_s, u"_oneColor"_s), u"8"_s);

    // It follows the selection: a folder shows its folder bit, which cannot be changed.
    f.select({f.work() + u"sub"_s});
    QCOMPARE(window->heading()->text(), u"sub の属性"_s);
    QVERIFY(window->folderBox()->isChecked());
    QVERIFY(!window->folderBox()->isEnabled());
    QVERIFY(!window->readOnlyBox()->isEnabled());
    QVERIFY(window->applySettings());
    QVERIFY(QFileInfo(f.work() + u"sub"_s).isDir());

    // Without a selection "情報をみる" does nothing, not even show the item of last time.
    window->close();
    f.select({});
    f.run(DetailWindow::openCommand());
    QVERIFY(!window->isVisible());
}

void TestTaskWindows::detailWindowPictures_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<int>("size");
    QTest::newRow("large icons") << Component::ViewIcons << 32;
    QTest::newRow("small icons") << Component::ViewSmallIcons << 16;
    QTest::newRow("details") << Component::ViewDetails << 16;
}

void TestTaskWindows::detailWindowPictures()
{
    QFETCH(QString, style);
    QFETCH(int, size);
    // a.txt: red caption colour (0x0000FF), seal 2, label 1; b.txt: none of them.
    Fixture f(QByteArray(), QByteArray(), "a.txt_CVColor=255\r\na.txt_s=2\r\na.txt_label=1\r\n");
    auto *window = f.form->findChild<DetailWindow *>();
    f.run(style);
    f.select({f.work() + u"a.txt"_s});
    f.run(DetailWindow::openCommand());

    const QPixmap picture = window->picture()->pixmap();
    QVERIFY(!picture.isNull());
    QVERIFY(picture.width() <= size && picture.height() <= size);
    const QImage swatch = window->captionSwatch()->pixmap().toImage();
    QCOMPARE(swatch.size(), QSize(size, size));
    QCOMPARE(swatch.pixelColor(size / 2, size / 2), QColor(255, 0, 0));
    QCOMPARE(window->sealPicture()->pixmap().size(), QSize(size, size));
    const QSize label = window->labelPicture()->pixmap().size();
    QCOMPARE(qMax(label.width(), label.height()), size);

    // The mask: two colours, black where the icon has its own pixels.
    const QImage mask =
        window->maskPicture()->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(mask.size(), QSize(size, size));
    int black = 0;
    for (int y = 0; y < mask.height(); ++y) {
        for (int x = 0; x < mask.width(); ++x) {
            const QRgb p = mask.pixel(x, y) & 0xFFFFFF;
            QVERIFY(p == 0 || p == 0xFFFFFF);
            black += p == 0;
        }
    }
    QVERIFY(black > 0);

    // Following the selection to an item without them: a white swatch, no seal, no label.
    f.select({f.work() + u"b.txt"_s});
    QCOMPARE(window->captionSwatch()->pixmap().toImage().pixelColor(size / 2, size / 2),
             QColor(Qt::white));
    QVERIFY(window->sealPicture()->pixmap().isNull());
    QVERIFY(window->labelPicture()->pixmap().isNull());
}

void TestTaskWindows::detailWindowReportsFailures()
{
    Fixture f;
    auto *window = f.form->findChild<DetailWindow *>();
    const QString b = f.work() + u"b.txt"_s;
    f.select({b});
    f.run(DetailWindow::openCommand());
    QCOMPARE(window->boundPath(), b);
    QVERIFY(QFile::remove(b));
    window->properties()->item(0, 1)->setText(u"lost"_s);
    QVERIFY(!window->applySettings());
    QVERIFY(!MessageBox::log().isEmpty());
    QVERIFY(MessageBox::log().last().contains(b));
}

QTEST_MAIN(TestTaskWindows)
#include "tst_taskwindows.moc"
