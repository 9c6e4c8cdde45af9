// What a selection in the main window's item list shows: the status fields, the viewer
// page of the right pane and the sticky note.
#include "core/app/componentnames.h"
#include "core/app/settings.h"
#include "testsupport/files.h"
#include "testsupport/tempprogramfolder.h"
#include "ui/app/mainwindow.h"
#include "ui/app/messagebox.h"
#include "ui/itemlist/itemlistview.h"
#include "ui/sticky/stickynotewindow.h"
#include "ui/viewer/selectiondetails.h"
#include "ui/viewer/viewerpagewidget.h"

#include <QAction>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace kazari;
using namespace Qt::StringLiterals;

namespace
{

using test::writeFile;

struct Window {
    explicit Window(const QByteArray &exeIni) { program.writeBytes(u"exe.ini"_s, exeIni); }
    QString path(const QString &relative = QString()) const
    {
        return data.path() + u"/"_s + relative;
    }
    MainWindow &open()
    {
        MainWindow::Options o;
        o.programFolder = program.folder();
        o.arguments = {data.path()};
        form = std::make_unique<MainWindow>(o);
        form->FormCreate();
        details = SelectionDetails::install(*form);
        return *form;
    }
    void select(const QString &name)
    {
        form->itemListView()->selectPaths({path(name)}, path(name));
        details->flush();
    }
    // Selects an item and waits for the viewer page to show it.
    void view(const QString &name)
    {
        QSignalSpy filled(details, &SelectionDetails::viewerFilled);
        select(name);
        QVERIFY(filled.wait(10000));
    }
    void run(const QString &command)
    {
        QAction *a = form->command(command);
        QVERIFY2(a && a->isEnabled(), qPrintable(command));
        a->trigger();
    }
    ViewerPageWidget *page() const { return details->viewerPage(); }
    StickyNoteWindow *note() const { return details->stickyNote(); }
    QString line(const QString &name) const { return note()->line(name)->text(); }

    test::TempProgramFolder program;
    QTemporaryDir data;
    std::unique_ptr<MainWindow> form;
    SelectionDetails *details = nullptr;
};

void sendMouse(QWidget *w, QEvent::Type type, QPoint local, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, QPointF(local), QPointF(w->mapToGlobal(local)),
                  type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

} // namespace

class TestSelectionDetails : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        MessageBox::reset();
        MessageBox::answerAllWith(QMessageBox::No);
    }
    void statusFieldsAndCoalescing();
    void viewerPage();
    void viewerPageSwitch();
    void commentNote();
    void taskNoteAndPin();
    void balloonSwitchesExcludeEachOther();
};

void TestSelectionDetails::statusFieldsAndCoalescing()
{
    Window w("N114=0\n");
    QByteArray ini;
    for (int i = 0; i < 3000; ++i) {
        const QByteArray name = "f" + QByteArray::number(i).rightJustified(4, '0') + ".txt";
        writeFile(w.path(QString::fromLatin1(name)), "x");
        ini += name + "_cmt=c" + QByteArray::number(i) + "\r\n";
    }
    writeFile(w.path(u"_m.ini"_s), ini);
    MainWindow &form = w.open();

    w.select(u"f0007.txt"_s);
    QCOMPARE(form.statusField(MainWindow::StatusField(5))->text(), u"c7"_s);
    QCOMPARE(form.statusField(MainWindow::StatusField(6))->toolTip(), w.path(u"f0007.txt"_s));

    // Selecting every item at once runs the handler once, for the state it ends in.
    const int before = w.details->handledCount();
    w.run(u"cmdSelectAll"_s);
    QCOMPARE(form.itemListView()->selectedRows().size(), 3001);
    QTRY_COMPARE(w.details->handledCount(), before + 1);
    QTest::qWait(50);
    QCOMPARE(w.details->handledCount(), before + 1);

    w.run(u"cmdInvertSelection"_s);
    QCOMPARE(form.itemListView()->selectedRows().size(), 0);
    QTRY_COMPARE(w.details->handledCount(), before + 2);
    w.select(u"f0001.txt"_s);
    w.run(u"cmdInvertSelection"_s);
    QCOMPARE(form.itemListView()->selectedRows().size(), 3000);
    w.run(u"cmdSelectNone"_s);
    QCOMPARE(form.itemListView()->selectedRows().size(), 0);
    // Both changes before the next idle moment: handled once.
    QTRY_COMPARE(w.details->handledCount(), before + 4);
    QTest::qWait(50);
    QCOMPARE(w.details->handledCount(), before + 4);
}

void TestSelectionDetails::viewerPage()
{
    Window w("N114=1\n");
    QFile big(w.path(u"big.dat"_s));
    QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(3 * 1048576));
    big.close();
    QFile one(w.path(u"folder/sub/one"_s));
    QDir().mkpath(w.path(u"folder/sub"_s));
    QVERIFY(one.open(QIODevice::WriteOnly) && one.resize(1048576));
    one.close();
    writeFile(w.path(u"folder/sub/two"_s), QByteArray(1048576, 'x'));
    writeFile(w.path(u"memo.txt"_s), QByteArray(10 * 1024 - 2, 'a') + "\r\n");
    QVERIFY(QImage(30, 20, QImage::Format_RGB32).save(w.path(u"PIC.BMP"_s), "BMP"));
    writeFile(w.path(u"_m.ini"_s), "folder_cmt=資料\r\n");
    MainWindow &form = w.open();
    QVERIFY(form.rightPage(Component::SimpleFileView)->isAncestorOf(w.page()));
    ViewerPageWidget *page = w.page();

    w.view(u"folder"_s);
    QCOMPARE(page->headerLabel()->text(), u"フォルダの情報"_s);
    const QStringList lines = page->textView()->toPlainText().split(u'\n');
    QVERIFY(lines.at(0).startsWith(u"情報取得時間 "_s));
    QCOMPARE(lines.mid(1, 8),
             (QStringList{u"folder"_s, u"サイズ: 2.000000 MB"_s, u"フォルダ数: 1 個"_s,
                          u"ファイル数: 2 個"_s, u"コメント: 資料"_s, QString(), u"内容一覧: "_s,
                          w.path(u"folder/sub"_s)}));
    QCOMPARE(lines.size(), 11);
    QCOMPARE(page->titleLabel()->text(), u"folder 0KB"_s);
    QVERIFY(!page->saveButton()->isEnabled());

    w.view(u"PIC.BMP"_s);
    QCOMPARE(page->headerLabel()->text(), u"画像ビュー"_s);
    QCOMPARE(page->infoLabel()->text(), u"H:20 W:30"_s);
    QVERIFY(page->pictureView()->isVisibleTo(page));
    QVERIFY(!page->textView()->isVisibleTo(page));
    QCOMPARE(page->picture().size(), QSize(30, 20));

    w.view(u"memo.txt"_s);
    QCOMPARE(page->headerLabel()->text(), u"文書ビュー"_s);
    QCOMPARE(page->titleLabel()->text(), u"memo.txt 10KB"_s);
    QVERIFY(page->textView()->isVisibleTo(page));
    QVERIFY(!page->pictureView()->isVisibleTo(page));
    QCOMPARE(page->textView()->toPlainText().size(), 10 * 1024 - 2);
    QVERIFY(page->saveButton()->isEnabled());

    w.view(u"big.dat"_s);
    QCOMPARE(page->textView()->toPlainText(), u"SizeOver 3 MB"_s);
    QVERIFY(!page->saveButton()->isEnabled());
}

void TestSelectionDetails::viewerPageSwitch()
{
    // The right pane shows at start while one of its pages is switched on, and follows
    // the switch of "簡易ファイルビュー" afterwards.
    for (const bool on : {true, false}) {
        Window w(on ? "N114=1\n" : "N114=0\n");
        writeFile(w.path(u"memo.txt"_s), "text");
        MainWindow &form = w.open();
        auto *pane = form.findChild<QTabWidget *>(u"RightPane"_s);
        QVERIFY(pane);
        QCOMPARE(pane->isVisibleTo(&form), on);
        if (on)
            continue;
        QSignalSpy filled(w.details, &SelectionDetails::viewerFilled);
        w.select(u"memo.txt"_s);
        QTest::qWait(50);
        QCOMPARE(filled.size(), 0);

        w.run(Component::SimpleFileView);
        QVERIFY(pane->isVisibleTo(&form));
        QCOMPARE(pane->currentWidget(), form.rightPage(Component::SimpleFileView));
        w.view(u"memo.txt"_s);
        QCOMPARE(w.page()->textView()->toPlainText(), u"text"_s);
        w.run(Component::SimpleFileView);
        QVERIFY(!pane->isVisibleTo(&form));
    }
}

void TestSelectionDetails::commentNote()
{
    Window w("N33=1\nN34=0\n");
    writeFile(w.path(u"a.txt"_s), "x");
    writeFile(w.path(u"b.txt"_s), "x");
    writeFile(w.path(u"_m.ini"_s), "a.txt_cmt=hello\r\na.txt_label=1\r\nb.txt_label=9\r\n");
    w.open();
    w.select(u"a.txt"_s);
    StickyNoteWindow *note = w.note();
    QVERIFY(note->isVisible());
    QCOMPARE(note->size(), QSize(252, 44));
    QCOMPARE(w.line(u"fileName"_s), u"ファイル名: a.txt"_s);
    QCOMPARE(w.line(u"comment"_s), u"コメント: hello"_s);
    QCOMPARE(note->noteColour(), QColor(255, 255, 0));
    QVERIFY(!note->line(u"importance"_s)->isVisibleTo(note));

    w.select(u"b.txt"_s);
    QCOMPARE(w.line(u"comment"_s), u"コメント: なし"_s);
    QCOMPARE(note->noteColour(), QColor(192, 192, 192));

    // Deselecting hides the note.
    w.run(u"cmdSelectNone"_s);
    w.details->flush();
    QVERIFY(!note->isVisible());
}

void TestSelectionDetails::taskNoteAndPin()
{
    Window w("N33=0\nN34=1\ncl_FusenFormColor3=clRed\n");
    for (const QString &n : {u"a.txt"_s, u"b.txt"_s, u"c.txt"_s})
        writeFile(w.path(n), "x");
    writeFile(w.path(u"_m.ini"_s), "a.txt_cmp=40\r\na.txt_imp=3\r\na.txt_comp=0\r\n"
                                   "b.txt_cmp=250\r\nb.txt_comp=1\r\n");
    w.open();
    StickyNoteWindow *note = w.note();

    w.select(u"a.txt"_s);
    QVERIFY(note->isVisible());
    QCOMPARE(note->size(), QSize(252, 162));
    QCOMPARE(note->achievementBar()->value(), 40);
    QCOMPARE(w.line(u"importance"_s), u"重要度: 高"_s);
    QCOMPARE(w.line(u"completionLine"_s), u"<< 未完了 >>"_s);
    QCOMPARE(note->noteColour(), QColor(Qt::red));

    // 250 lies outside the bar: the bar shows its end, not the previous item's 40.
    w.select(u"b.txt"_s);
    QCOMPARE(note->achievementBar()->value(), 100);
    QCOMPARE(w.line(u"achievementLine"_s), u"達成率: 100％"_s);
    QCOMPARE(w.line(u"completionLine"_s), u"<< 完了 >>"_s);

    // Dragging pins the note; the next selections fill it where it is.
    QVERIFY(!note->isPinned());
    const QPoint start = note->pos();
    sendMouse(note, QEvent::MouseButtonPress, QPoint(10, 10), Qt::LeftButton);
    sendMouse(note, QEvent::MouseMove, QPoint(60, 40), Qt::LeftButton);
    sendMouse(note, QEvent::MouseButtonRelease, QPoint(60, 40), Qt::NoButton);
    QVERIFY(note->isPinned());
    const QPoint pinned = note->pos();
    QVERIFY(pinned != start);
    QCursor::setPos(QPoint(900, 700));
    w.select(u"c.txt"_s);
    QCOMPARE(note->pos(), pinned);
    QCOMPARE(w.line(u"fileName"_s), u"ファイル名: c.txt"_s);
    QCOMPARE(note->achievementBar()->value(), 0);

    // "閉じる" hides it and drops the pin.
    QAction *close = nullptr;
    for (QAction *a : note->popupMenu()->actions())
        if (a->text() == u"閉じる"_s)
            close = a;
    QVERIFY(close);
    QAction *pin = note->popupMenu()->findChild<QAction *>(Component::StickyNotePinned);
    QVERIFY(pin);
    QCOMPARE(pin->text(), u"位置固定解除"_s);
    close->trigger();
    QVERIFY(!note->isVisible());
    QVERIFY(!note->isPinned());
    QCOMPARE(pin->text(), u"位置固定"_s);
}

void TestSelectionDetails::balloonSwitchesExcludeEachOther()
{
    Window w("N33=1\nN34=0\n");
    writeFile(w.path(u"a.txt"_s), "x");
    w.open();
    w.select(u"a.txt"_s);
    QVERIFY(w.note()->isVisible());
    // A new list hides the note of an item that is gone.
    QVERIFY(QFile::remove(w.path(u"a.txt"_s)));
    w.run(u"cmdRefresh"_s);
    QVERIFY(!w.note()->isVisible());
    writeFile(w.path(u"a.txt"_s), "x");
    w.run(u"cmdRefresh"_s);
    w.select(u"a.txt"_s);
    QVERIFY(w.note()->isVisible());

    // Choosing the task balloon hides the note, unticks and stores the other.
    w.run(Component::TaskAndCommentTips);
    QVERIFY(!w.note()->isVisible());
    QVERIFY(w.form->command(Component::TaskAndCommentTips)->isChecked());
    QVERIFY(!w.form->command(Component::CommentTips)->isChecked());
    Settings stored(w.program.folder());
    QVERIFY(stored.load());
    QCOMPARE(stored.value(Component::TaskAndCommentTips), u"1"_s);
    QCOMPARE(stored.value(Component::CommentTips), u"0"_s);
    w.select(u"a.txt"_s);
    QCOMPARE(w.note()->size(), QSize(252, 162));

    // Both off: selections leave the note hidden.
    w.run(Component::TaskAndCommentTips);
    w.run(u"cmdSelectNone"_s);
    w.details->flush();
    w.select(u"a.txt"_s);
    QVERIFY(!w.note()->isVisible());
}

QTEST_MAIN(TestSelectionDetails)
#include "tst_selectiondetails.moc"
