#include "core/annotations/annotationlist.h"
#include "core/app/componentnames.h"
#include "core/platform/textfile.h"
#include "testsupport/files.h"
#include "testsupport/tempprogramfolder.h"
#include "ui/app/mainwindow.h"
#include "ui/app/messagebox.h"
#include "ui/decoration/decorationcommands.h"
#include "ui/itemlist/itemlistmodel.h"
#include "ui/itemlist/itemlistview.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <sys/inotify.h>
#include <unistd.h>

using namespace kazari;
using namespace Qt::StringLiterals;

namespace
{

using kazari::test::readFile;
using kazari::test::writeFile;

// The value of one field as the file on disk holds it.
QString fieldIn(const QString &iniPath, const QString &name, const QString &suffix)
{
    TextFile::ReadResult r = TextFile::read(iniPath);
    return AnnotationList::fromDocument(std::move(r.document)).value(name, suffix);
}

// A folder "work" with three files and an annotation file, inside a data folder, shown by
// a main window on a fresh program folder (per-folder mode, the built-in settings).
struct Fixture {
    explicit Fixture(const QByteArray &exeIni = QByteArray())
    {
        QDir().mkpath(work());
        for (const QString &name : {u"a.txt"_s, u"b.txt"_s, u"c.txt"_s})
            writeFile(work() + name, "x");
        writeFile(work() + u"_m.ini"_s, "a.txt_label=3\r\nb.txt_label=3\r\nc.txt_s=5\r\n"
                                        "a.txt_oneColor=2\r\na.txt_RGB=1,2,3\r\n"
                                        "c.txt_CVColor=clRed\r\nb.txt_CVColor=clRed\r\n"
                                        "a.txt_cmt=first\r\n");
        if (!exeIni.isEmpty())
            pf.writeBytes(u"exe.ini"_s, exeIni);
        MainWindow::Options o;
        o.programFolder = pf.folder();
        o.arguments = {data.path() + u"/work"_s};
        form = std::make_unique<MainWindow>(o);
        form->FormCreate();
        commands = form->findChild<DecorationCommands *>();
        commands->setColourChooser([this](QWidget *) -> std::optional<QColor> {
            if (!colour.isValid())
                return std::nullopt;
            return colour;
        });
        commands->setTextAsker([this](QWidget *, const QString &caption, const QString &prompt,
                                      const QString &preset) -> std::optional<QString> {
            asked << caption << prompt << preset;
            return answer;
        });
    }
    QString work() const { return data.path() + u"/work/"_s; }
    QString workIni() const { return work() + u"_m.ini"_s; }
    QString parentIni() const { return data.path() + u"/_m.ini"_s; }
    QString field(const QString &name, const QString &suffix) const
    {
        return fieldIn(workIni(), name, suffix);
    }
    void select(const QStringList &names)
    {
        QStringList paths;
        for (const QString &n : names)
            paths << work() + n;
        form->itemListView()->selectPaths(paths);
        QCOMPARE(form->selectedPaths(), paths);
    }
    void run(const QString &command)
    {
        QAction *a = form->command(command);
        QVERIFY2(a, qPrintable(command));
        a->trigger();
    }
    QImage folderImage() const { return form->folderImage()->pixmap().toImage(); }

    test::TempProgramFolder pf;
    QTemporaryDir data;
    std::unique_ptr<MainWindow> form;
    DecorationCommands *commands = nullptr;
    QColor colour;
    std::optional<QString> answer;
    QStringList asked;
};

// Counts the times a file of a folder is written: each save puts a new copy in its place.
class SaveCounter
{
public:
    explicit SaveCounter(const QString &folder)
        : m_fd(inotify_init1(IN_NONBLOCK))
    {
        // Both halves of each rename, so that two saves in a row never merge into one
        // event (the kernel merges identical events that follow each other).
        inotify_add_watch(m_fd, QFile::encodeName(folder).constData(), IN_MOVED_FROM | IN_MOVED_TO);
    }
    ~SaveCounter() { ::close(m_fd); }
    SaveCounter(const SaveCounter &) = delete;
    SaveCounter &operator=(const SaveCounter &) = delete;
    /// The saves of `name` since the last call.
    int saves(const QString &name)
    {
        alignas(inotify_event) char buffer[16384];
        int n = 0;
        ssize_t got = 0;
        while ((got = ::read(m_fd, buffer, sizeof buffer)) > 0) {
            for (ssize_t at = 0; at < got;) {
                const auto *e = reinterpret_cast<const inotify_event *>(buffer + at);
                if ((e->mask & IN_MOVED_TO) && e->len > 0 && QFile::decodeName(e->name) == name)
                    ++n;
                at += ssize_t(sizeof(inotify_event)) + e->len;
            }
        }
        return n;
    }

private:
    int m_fd = -1;
};

} // namespace

class TestDecorationCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        MessageBox::reset();
        MessageBox::answerAllWith(QMessageBox::No);
    }
    void menusFromSettings();
    void commandsOnSelection_data();
    void commandsOnSelection();
    void captionColourUnselectsEveryItem();
    void batchRebuildsTheListOnce();
    void positionsOfASelectionSavedOnce();
    void searchResultsWriteEachItemsOwnFile();
    void treeListWritesEachItemsOwnFile();
    void iconColourEntriesOfTheTools();
    void picturesScaledBeforeUse();
    void folderOwnMaskAndCaption();
    void folderImageClicks();
    void copyAndPaste();
};

void TestDecorationCommands::menusFromSettings()
{
    Fixture f(
        "Seal_N3=\r\nSeal_N4=信号\r\nSeal_P0=/nowhere/seal.bmp\r\ncl_CaptionMask1=yellowish\r\n"
        "Tx_CaptionMaskName1=重要\r\n1Color_N0=あか\r\nLabel_List01=高\r\n");
    MainWindow &w = *f.form;
    QCOMPARE(w.command(u"cmdSeal3"_s)->text(), u"3"_s);
    QCOMPARE(w.command(u"cmdSeal4"_s)->text(), u"信号"_s);
    // A seal file that is missing: the built-in picture, and the command still works.
    QVERIFY(!w.command(u"cmdSeal0"_s)->icon().isNull());
    QCOMPARE(w.command(u"cmdLabel1"_s)->icon().pixmap(16, 16).size(), QSize(16, 16));
    QCOMPARE(w.command(u"cmdMaskColour1"_s)->toolTip(), u"あか"_s);
    QAction *yellow = w.command(u"cmdCaptionColour1"_s);
    QCOMPARE(yellow->text(), u"重要"_s);
    QCOMPARE(yellow->toolTip(), u"重要"_s);
    // The unreadable colour falls back to the preset's yellow, in the picture and the file.
    const QImage bar = yellow->icon().pixmap(16, 16).toImage();
    QCOMPARE(bar.pixelColor(8, 7).rgb(), qRgb(255, 255, 0));
    QCOMPARE(w.folderImage()->toolTip(), DecorationCommands::folderImageHint());

    f.select({u"b.txt"_s});
    f.run(u"cmdSeal0"_s);
    QCOMPARE(f.field(u"b.txt"_s, u"_s"_s), u"0"_s);
    f.select({u"b.txt"_s});
    yellow->trigger();
    QCOMPARE(f.field(u"b.txt"_s, u"_CVColor"_s), u"clYellow"_s);
}

void TestDecorationCommands::commandsOnSelection_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QColor>("chosen");
    QTest::addColumn<QStringList>("expectA"); // suffix=value after the command
    QTest::addColumn<QStringList>("expectC");

    const QColor none;
    QTest::newRow("label") << u"cmdLabel1"_s << none << QStringList{u"_label=1"_s}
                           << QStringList{u"_label=1"_s};
    QTest::newRow("label none") << u"cmdLabelNone"_s << none
                                << QStringList{u"_label="_s, u"_cmt=first"_s}
                                << QStringList{u"_label="_s, u"_s=5"_s};
    QTest::newRow("seal") << u"cmdSeal14"_s << none << QStringList{u"_s=14"_s, u"_label=3"_s}
                          << QStringList{u"_s=14"_s};
    QTest::newRow("seal none") << u"cmdSealNone"_s << none << QStringList{u"_s="_s, u"_label=3"_s}
                               << QStringList{u"_s="_s};
    QTest::newRow("mask colour") << u"cmdMaskColour4"_s << none
                                 << QStringList{u"_oneColor=4"_s, u"_RGB=1,2,3"_s}
                                 << QStringList{u"_oneColor=4"_s};
    QTest::newRow("mask from dialog")
        << u"cmdOneColourMask"_s << QColor(16, 32, 48) << QStringList{u"_oneColor=3153936"_s}
        << QStringList{u"_oneColor=3153936"_s};
    QTest::newRow("black mask stays a colour")
        << u"cmdOneColourMask"_s << QColor(Qt::black) << QStringList{u"_oneColor=8"_s}
        << QStringList{u"_oneColor=8"_s};
    QTest::newRow("dialog cancelled")
        << u"cmdOneColourMask"_s << none << QStringList{u"_oneColor=2"_s}
        << QStringList{u"_oneColor="_s};
    QTest::newRow("mask none") << u"cmdIconMaskNone"_s << none
                               << QStringList{u"_oneColor="_s, u"_RGB="_s, u"_label=3"_s}
                               << QStringList{u"_oneColor="_s};
    QTest::newRow("mask delete button")
        << u"cmdOneColourDelete"_s << none << QStringList{u"_oneColor="_s, u"_RGB="_s}
        << QStringList{u"_s=5"_s};
    QTest::newRow("caption preset")
        << u"cmdCaptionColour6"_s << none << QStringList{u"_CVColor=clTeal"_s}
        << QStringList{u"_CVColor=clTeal"_s};
    QTest::newRow("caption from dialog")
        << u"cmdCaptionMaskChoose"_s << QColor(0, 0, 255) << QStringList{u"_CVColor=16711680"_s}
        << QStringList{u"_CVColor=16711680"_s};
    QTest::newRow("caption none") << u"cmdCaptionMaskNone"_s << none << QStringList{u"_CVColor="_s}
                                  << QStringList{u"_CVColor="_s};
    // A stamp goes to the first selected item only.
    QTest::newRow("stamp") << u"cmdStamp0"_s << none << QStringList{u"_stp=0"_s}
                           << QStringList{u"_stp="_s};
    QTest::newRow("stamp none") << u"cmdStampNone"_s << none << QStringList{u"_stp=-1"_s}
                                << QStringList{u"_stp="_s};
}

void TestDecorationCommands::commandsOnSelection()
{
    QFETCH(QString, command);
    QFETCH(QColor, chosen);
    QFETCH(QStringList, expectA);
    QFETCH(QStringList, expectC);
    Fixture f;
    f.colour = chosen;
    const QString before = f.field(u"b.txt"_s, u"_label"_s) + f.field(u"b.txt"_s, u"_CVColor"_s);
    f.select({u"a.txt"_s, u"c.txt"_s});
    f.run(command);
    for (const auto &[name, expected] :
         {std::pair{u"a.txt"_s, expectA}, std::pair{u"c.txt"_s, expectC}}) {
        for (const QString &e : expected) {
            const QString suffix = e.section(u'=', 0, 0);
            QCOMPARE(name + suffix + u'=' + f.field(name, suffix), name + e);
        }
    }
    // The unselected item is untouched, and the file stays sorted.
    QCOMPARE(f.field(u"b.txt"_s, u"_label"_s) + f.field(u"b.txt"_s, u"_CVColor"_s), before);
    TextFile::ReadResult r = TextFile::read(f.workIni());
    QStringList sorted = r.document.lines;
    std::stable_sort(sorted.begin(), sorted.end(), [](const QString &x, const QString &y) {
        return x.section(u'=', 0, 0).compare(y.section(u'=', 0, 0), Qt::CaseInsensitive) < 0;
    });
    if (!command.startsWith(u"cmdStamp"_s) && command != u"cmdOneColourMask"_s)
        QCOMPARE(r.document.lines, sorted);
    QVERIFY(MessageBox::log().isEmpty());
}

void TestDecorationCommands::captionColourUnselectsEveryItem()
{
    // Unselecting each item as it is coloured must not make the command skip any.
    Fixture f;
    f.select({u"a.txt"_s, u"b.txt"_s, u"c.txt"_s});
    f.run(u"cmdCaptionColour1"_s);
    for (const QString &name : {u"a.txt"_s, u"b.txt"_s, u"c.txt"_s})
        QCOMPARE(f.field(name, u"_CVColor"_s), u"clYellow"_s);
    QVERIFY(f.form->selectedPaths().isEmpty());
}

void TestDecorationCommands::batchRebuildsTheListOnce()
{
    Fixture f;
    f.select({u"a.txt"_s, u"b.txt"_s, u"c.txt"_s});
    QSignalSpy resets(f.form->itemListView()->model(), &QAbstractItemModel::modelReset);
    f.run(u"cmdLabel2"_s);
    QCOMPARE(resets.size(), 1);
    for (const QString &name : {u"a.txt"_s, u"b.txt"_s, u"c.txt"_s})
        QCOMPARE(f.field(name, u"_label"_s), u"2"_s);
    // The selection survives the rebuild, and the list shows the new labels.
    QCOMPARE(f.form->selectedPaths().size(), 3);
    QCOMPARE(f.form->store().currentValue(u"b.txt"_s, u"_label"_s), u"2"_s);
}

void TestDecorationCommands::positionsOfASelectionSavedOnce()
{
    Fixture f;
    SaveCounter counter(f.work());
    QSignalSpy resets(f.form->itemListView()->model(), &QAbstractItemModel::modelReset);
    ItemList &list = f.form->itemListView()->list();
    const QList<QPair<int, QPoint>> moves{{list.rowOfPath(f.work() + u"a.txt"_s), {10, 20}},
                                          {list.rowOfPath(f.work() + u"b.txt"_s), {30, 40}},
                                          {list.rowOfPath(f.work() + u"c.txt"_s), {50, 60}}};
    Q_EMIT f.form->itemListView()->positionsDropped(moves, QString());
    QCOMPARE(counter.saves(u"_m.ini"_s), 1);
    QCOMPARE(resets.size(), 1);
    QCOMPARE(f.field(u"a.txt"_s, u"_p"_s), u"10,20"_s);
    QCOMPARE(f.field(u"b.txt"_s, u"_p"_s), u"30,40"_s);
    QCOMPARE(f.field(u"c.txt"_s, u"_p"_s), u"50,60"_s);
    QCOMPARE(f.field(u"a.txt"_s, u"_label"_s), u"3"_s);

    f.select({u"a.txt"_s, u"c.txt"_s});
    f.run(u"cmdClearPosition"_s);
    QCOMPARE(counter.saves(u"_m.ini"_s), 1);
    QCOMPARE(resets.size(), 2);
    QCOMPARE(f.field(u"a.txt"_s, u"_p"_s), QString());
    QCOMPARE(f.field(u"b.txt"_s, u"_p"_s), u"30,40"_s);
    QCOMPARE(f.field(u"c.txt"_s, u"_p"_s), QString());
    QCOMPARE(f.form->store().currentValue(u"b.txt"_s, u"_p"_s), u"30,40"_s);
    QCOMPARE(f.form->selectedPaths().size(), 2);
    QVERIFY(MessageBox::log().isEmpty());
}

void TestDecorationCommands::searchResultsWriteEachItemsOwnFile()
{
    Fixture f;
    const QString p = f.data.path() + u"/p/"_s;
    const QString q = f.data.path() + u"/q/"_s;
    QVERIFY(writeFile(p + u"x.txt"_s, "x"));
    QVERIFY(writeFile(q + u"a.txt"_s, "x")); // same name as an item of the current folder
    const QByteArray work = readFile(f.workIni());
    f.form->showSearchResults({p + u"x.txt"_s, q + u"a.txt"_s});
    QCOMPARE(f.form->itemListView()->list().count(), 2);
    f.form->itemListView()->selectPaths({p + u"x.txt"_s, q + u"a.txt"_s});
    f.run(u"cmdLabel2"_s);
    f.form->itemListView()->selectPaths({q + u"a.txt"_s});
    f.run(u"cmdSeal7"_s);
    QCOMPARE(fieldIn(p + u"_m.ini"_s, u"x.txt"_s, u"_label"_s), u"2"_s);
    QCOMPARE(fieldIn(q + u"_m.ini"_s, u"a.txt"_s, u"_label"_s), u"2"_s);
    QCOMPARE(fieldIn(q + u"_m.ini"_s, u"a.txt"_s, u"_s"_s), u"7"_s);
    QCOMPARE(fieldIn(p + u"_m.ini"_s, u"x.txt"_s, u"_s"_s), QString());
    QCOMPARE(readFile(f.workIni()), work);
    // The results stay in the list.
    QCOMPARE(f.form->itemListView()->list().mode(), ItemListMode::SearchResult);
    QCOMPARE(f.form->itemListView()->list().count(), 2);
}

void TestDecorationCommands::treeListWritesEachItemsOwnFile()
{
    Fixture f;
    QVERIFY(writeFile(f.work() + u"sub/a.txt"_s, "x")); // same name as an item above it
    f.run(Component::ViewTreeList);
    ItemListView *view = f.form->itemListView();
    QVERIFY(view->look().treeList);
    const int sub = view->list().rowOfPath(f.work() + u"sub"_s);
    QVERIFY(sub >= 0);
    view->toggleRow(sub);
    const QString inner = f.work() + u"sub/a.txt"_s;
    QVERIFY(view->list().rowOfPath(inner) >= 0);

    view->selectPaths({inner});
    f.run(u"cmdSeal7"_s);
    view->selectPaths({inner, f.work() + u"c.txt"_s});
    f.run(u"cmdCaptionColour2"_s);
    QCOMPARE(fieldIn(f.work() + u"sub/_m.ini"_s, u"a.txt"_s, u"_s"_s), u"7"_s);
    QCOMPARE(fieldIn(f.work() + u"sub/_m.ini"_s, u"a.txt"_s, u"_CVColor"_s), u"clFuchsia"_s);
    QCOMPARE(f.field(u"c.txt"_s, u"_CVColor"_s), u"clFuchsia"_s);
    // The outer a.txt keeps its own annotation, and the expanded folder stays open.
    QCOMPARE(f.field(u"a.txt"_s, u"_s"_s), QString());
    QCOMPARE(f.field(u"a.txt"_s, u"_CVColor"_s), QString());
    QCOMPARE(f.field(u"a.txt"_s, u"_label"_s), u"3"_s);
    QVERIFY(view->list().rowOfPath(inner) >= 0);
}

void TestDecorationCommands::iconColourEntriesOfTheTools()
{
    Fixture f;
    const QByteArray work = readFile(f.workIni());
    // Without a selection nothing happens, not even to the folder itself.
    f.commands->IconColorChange(3);
    f.commands->IconColorChange(0, ColourShift{1, 1, 1});
    f.commands->IconColorDel();
    QCOMPARE(readFile(f.workIni()), work);
    QVERIFY(!QFile::exists(f.parentIni()));

    f.select({u"a.txt"_s, u"c.txt"_s});
    f.commands->IconColorChange(0, ColourShift{10, -20, 255});
    QCOMPARE(f.field(u"a.txt"_s, u"_RGB"_s), u"10,-20,255"_s);
    QCOMPARE(f.field(u"c.txt"_s, u"_RGB"_s), u"10,-20,255"_s);
    QCOMPARE(f.field(u"a.txt"_s, u"_oneColor"_s), u"2"_s); // the shift leaves the mask
    f.commands->IconColorChange(123456);
    QCOMPARE(f.field(u"c.txt"_s, u"_oneColor"_s), u"123456"_s);
    f.commands->IconColorDel();
    for (const QString &name : {u"a.txt"_s, u"c.txt"_s}) {
        QCOMPARE(f.field(name, u"_RGB"_s), QString());
        QCOMPARE(f.field(name, u"_oneColor"_s), QString());
    }
    QCOMPARE(f.field(u"a.txt"_s, u"_label"_s), u"3"_s);
}

void TestDecorationCommands::picturesScaledBeforeUse()
{
    // A seal picture that is not 16 x 16 and a 16-pixel label strip of other squares.
    QTemporaryDir pictures;
    QImage seal(40, 24, QImage::Format_RGB32);
    seal.fill(QColor(0, 128, 0));
    const QString sealPath = pictures.path() + u"/seal.bmp"_s;
    QVERIFY(seal.save(sealPath));
    QImage strip(100, 25, QImage::Format_RGB32);
    const QColor squares[] = {Qt::red, QColor(0, 0, 200), Qt::green, Qt::blue};
    for (int i = 0; i < 4; ++i)
        for (int y = 0; y < 25; ++y)
            for (int x = 0; x < 25; ++x)
                strip.setPixelColor(i * 25 + x, y, squares[i]);
    const QString stripPath = pictures.path() + u"/labels.bmp"_s;
    QVERIFY(strip.save(stripPath));

    Fixture f(("Seal_P1=" + sealPath + "\r\nIu_Label_List16=" + stripPath + "\r\n").toUtf8());
    const QImage sealIcon = f.form->command(u"cmdSeal1"_s)->icon().pixmap(16, 16).toImage();
    QCOMPARE(sealIcon.size(), QSize(16, 16));
    QCOMPARE(sealIcon.pixelColor(8, 8).rgb(), qRgb(0, 128, 0));
    const QImage labelIcon = f.form->command(u"cmdLabel1"_s)->icon().pixmap(16, 16).toImage();
    QCOMPARE(labelIcon.size(), QSize(16, 16));
    QCOMPARE(labelIcon.pixelColor(0, 0).rgb(), qRgb(0, 0, 200));
    QCOMPARE(labelIcon.pixelColor(15, 15).rgb(), qRgb(0, 0, 200));
    const ItemListLook &look = f.form->itemListView()->look();
    QCOMPARE(look.labelsSmall.size(), 4);
    QCOMPARE(look.labelsSmall.at(3).size(), QSize(16, 16));
    QCOMPARE(look.seals.at(1).size(), QSize(16, 16));
}

void TestDecorationCommands::folderOwnMaskAndCaption()
{
    Fixture f;
    const QByteArray work = readFile(f.workIni());
    // The folder's own fields live in its parent's file: the current list stays as it is.
    const QStringList current = f.form->store().current().lines();
    const QString currentFile = f.form->store().currentFile().path;
    const QImage plain = f.folderImage();
    QVERIFY(f.form->selectedPaths().isEmpty());

    // Per-folder mode: the folder's own mask goes only into a file its parent already has.
    f.run(u"cmdMaskColour1"_s);
    QVERIFY(!QFile::exists(f.parentIni()));
    QCOMPARE(f.folderImage(), plain);

    QVERIFY(writeFile(f.parentIni(), ""));
    f.run(u"cmdMaskColour1"_s);
    QCOMPARE(fieldIn(f.parentIni(), u"work"_s, u"_oneColor"_s), u"255"_s);
    f.run(u"cmdCaptionColour0"_s);
    QCOMPARE(fieldIn(f.parentIni(), u"work"_s, u"_CVColor"_s), u"clRed"_s);
    f.colour = QColor(0, 0, 1);
    f.run(u"cmdOneColourMask"_s);
    QCOMPARE(fieldIn(f.parentIni(), u"work"_s, u"_oneColor"_s), u"65536"_s);
    QVERIFY(!plain.isNull());
    QVERIFY(f.folderImage() != plain);
    // The folder history shows the folder with its new picture.
    QComboBox *history = f.form->pathBox();
    const int entry = history->findText(f.data.path() + u"/work"_s);
    QVERIFY(entry >= 0);
    QCOMPARE(
        history->itemIcon(entry).pixmap(16, 16).toImage().convertToFormat(QImage::Format_RGB32),
        f.folderImage().convertToFormat(QImage::Format_RGB32));

    f.run(u"cmdIconMaskNone"_s);
    QCOMPARE(fieldIn(f.parentIni(), u"work"_s, u"_oneColor"_s), QString());
    QCOMPARE(f.folderImage(), plain);
    f.run(u"cmdCaptionMaskNone"_s);
    QCOMPARE(fieldIn(f.parentIni(), u"work"_s, u"_CVColor"_s), QString());
    // No item of the folder was touched, and nothing needing a selection ran.
    QCOMPARE(readFile(f.workIni()), work);
    f.run(u"cmdLabel0"_s);
    f.run(u"cmdStamp0"_s);
    QCOMPARE(readFile(f.workIni()), work);
    QCOMPARE(f.form->store().current().lines(), current);
    QCOMPARE(f.form->store().currentFile().path, currentFile);
}

void TestDecorationCommands::folderImageClicks()
{
    Fixture f;
    QVERIFY(writeFile(f.parentIni(), "work_cmt=old\r\n"));
    QLabel *image = f.form->folderImage();
    const QImage plain = f.folderImage();

    f.answer = u"新しいメモ"_s;
    QTest::mouseClick(image, Qt::LeftButton);
    QCOMPARE(f.asked, (QStringList{u" コメント"_s, u"コメント"_s, u"old"_s}));
    QCOMPARE(fieldIn(f.parentIni(), u"work"_s, u"_cmt"_s), u"新しいメモ"_s);

    f.colour = QColor(Qt::black);
    QTest::mouseClick(image, Qt::RightButton);
    QCOMPARE(fieldIn(f.parentIni(), u"work"_s, u"_oneColor"_s), u"8"_s);
    f.colour = QColor(0, 200, 0);
    QTest::mouseClick(image, Qt::RightButton);
    QCOMPARE(fieldIn(f.parentIni(), u"work"_s, u"_oneColor"_s), u"51200"_s);
    QVERIFY(!plain.isNull());
    QVERIFY(f.folderImage() != plain);

    // Cancelled: nothing changes.
    f.answer.reset();
    f.colour = QColor();
    QTest::mouseClick(image, Qt::LeftButton);
    QTest::mouseClick(image, Qt::RightButton);
    QCOMPARE(fieldIn(f.parentIni(), u"work"_s, u"_cmt"_s), u"新しいメモ"_s);
    QCOMPARE(fieldIn(f.parentIni(), u"work"_s, u"_oneColor"_s), u"51200"_s);
}

void TestDecorationCommands::copyAndPaste()
{
    Fixture f;
    const QString other = f.data.path() + u"/other/"_s;
    QVERIFY(writeFile(other + u"o.txt"_s, "x"));
    QVERIFY(writeFile(other + u"_m.ini"_s, "o.txt_Text=gone\r\no.txt_cmtEx=stays\r\n"));

    // Pasting before anything was copied leaves the items alone.
    const QByteArray work = readFile(f.workIni());
    f.select({u"b.txt"_s});
    f.run(u"cmdPasteAnnotations"_s);
    QCOMPARE(readFile(f.workIni()), work);

    f.select({u"a.txt"_s});
    f.run(u"cmdCopyAnnotations"_s);
    f.select({u"b.txt"_s, u"c.txt"_s});
    f.run(u"cmdPasteAnnotations"_s);
    for (const QString &name : {u"b.txt"_s, u"c.txt"_s}) {
        QCOMPARE(f.field(name, u"_label"_s), u"3"_s);
        QCOMPARE(f.field(name, u"_oneColor"_s), u"2"_s);
        QCOMPARE(f.field(name, u"_RGB"_s), u"1,2,3"_s);
        QCOMPARE(f.field(name, u"_cmt"_s), u"first"_s);
        QCOMPARE(f.field(name, u"_CVColor"_s), QString()); // a has none
        QCOMPARE(f.field(name, u"_s"_s), QString());
    }
    // Onto an item of another folder, found by a search: the same record.
    f.form->showSearchResults({other + u"o.txt"_s});
    f.form->itemListView()->selectPaths({other + u"o.txt"_s});
    f.run(u"cmdPasteAnnotations"_s);
    QCOMPARE(fieldIn(other + u"_m.ini"_s, u"o.txt"_s, u"_cmt"_s), u"first"_s);
    QCOMPARE(fieldIn(other + u"_m.ini"_s, u"o.txt"_s, u"_Text"_s), QString());
    QCOMPARE(fieldIn(other + u"_m.ini"_s, u"o.txt"_s, u"_cmtEx"_s), u"stays"_s);
}

QTEST_MAIN(TestDecorationCommands)
#include "tst_decorationcommands.moc"
