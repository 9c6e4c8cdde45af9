#include "core/annotations/annotationstore.h"
#include "core/app/componentnames.h"
#include "core/app/settings.h"
#include "testsupport/tempprogramfolder.h"
#include "ui/itemlist/deferreddisplay.h"
#include "ui/itemlist/itemdelegate.h"
#include "ui/itemlist/itemlistlook.h"
#include "ui/itemlist/itemlistmodel.h"
#include "ui/itemlist/itemlistview.h"
#include "ui/itemlist/listpictures.h"
#include "ui/itemlist/thumbnailloader.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QListView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
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

struct Fixture {
    Fixture()
    {
        settings.loadDefaults();
        settings.setSwitch(Component::CentralManagement, false);
        settings.setSwitch(Component::PerFolderFiles, true);
        store.reloadModeFromSettings();
    }
    QString path(const QString &relative = QString()) const
    {
        return data.path() + u"/"_s + relative;
    }
    void files(int count)
    {
        for (int i = 0; i < count; ++i)
            writeBytes(path(u"file%1.txt"_s.arg(i, 4, 10, QLatin1Char('0'))), "x");
    }
    ItemListLook look(ListStyle style = ListStyle::LargeIcons)
    {
        ItemListLook l;
        l.style = style;
        l.flags = DecorationFlags::fromSettings(settings);
        l.flags.largeIconView = style == ListStyle::LargeIcons;
        ListPictures::load(l, settings, program.folder());
        return l;
    }
    void build(ItemListView &view, const ItemListLook &l, const ListBuildOptions &options = {})
    {
        view.display().setAttached(false);
        view.list().buildFolder(data.path(), options);
        view.setLook(l);
        view.display().setAttached(true);
    }
    int shownRecords(const ItemListView &view) const
    {
        int n = 0;
        for (const ItemRecord &r : view.list().records())
            n += r.F == DisplayState::Shown;
        return n;
    }

    test::TempProgramFolder program;
    QTemporaryDir data;
    Settings settings{program.folder()};
    AnnotationStore store{program.folder(), settings};
};

// Lets the deferred display finish what the shown rows asked for.
void settle(ItemListView &view)
{
    for (int i = 0; i < 50; ++i) {
        QCoreApplication::processEvents();
        if (!view.display().isIdlePending() && !view.list().hasWanted())
            break;
        QTest::qWait(5);
    }
    QCoreApplication::processEvents();
}

} // namespace

class TestItemListView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void modelFollowsBuildsAndTreeChanges();
    void onlyShownItemsAreBuilt();
    void messagesOfAnEarlierBuildAreDropped();
    void picturesStayWithinTheirBound();
    void detailsTextsStayWithinTheirBound();
    void placeholderIsSharedNotCopied();
    void savedPositionsAndSelection();
    void thumbnailsArriveLater();
    void thumbnailsFollowTheFile();
    void onlyItemsDrawnAsHiddenAreDimmed();
};

void TestItemListView::modelFollowsBuildsAndTreeChanges()
{
    Fixture f;
    writeBytes(f.path(u"dir/a.txt"_s), "a");
    writeBytes(f.path(u"dir/sub/b.txt"_s), "b");
    writeBytes(f.path(u"top.txt"_s), "t");
    ItemListView view(f.store);
    QAbstractItemModelTester tester(view.model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    ItemListLook look = f.look(ListStyle::Details);
    look.treeList = true;
    look.flags.treeList = true;
    f.build(view, look);
    QCOMPARE(view.currentView(), static_cast<QAbstractItemView *>(view.detailsView()));
    QCOMPARE(view.model()->rowCount(), 2);
    view.toggleRow(0);
    QCOMPARE(view.model()->rowCount(), 4);
    QCOMPARE(view.model()->index(1, 0).data(ItemListModel::DepthRole).toInt(), 1);
    view.toggleRow(1); // dir/sub
    QCOMPARE(view.model()->rowCount(), 5);
    QCOMPARE(view.model()->index(2, 0).data(ItemListModel::PathRole).toString(),
             f.path(u"dir/sub/b.txt"_s));
    view.toggleRow(0);
    QCOMPARE(view.model()->rowCount(), 2);
    f.build(view, look);
    // Reading the model starts no work.
    for (const ItemRecord &r : view.list().records())
        QCOMPARE(r.F, DisplayState::New);

    // Collapsing a folder whose entries were shown tells the new count at once.
    view.resize(600, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.toggleRow(0);
    QTRY_COMPARE(view.list().showedCount(), 4);
    QSignalSpy showed(&view, &ItemListView::showedChanged);
    view.toggleRow(0);
    QVERIFY(!showed.isEmpty());
    QCOMPARE(showed.last().at(0).toInt(), 2);
}

void TestItemListView::onlyShownItemsAreBuilt()
{
    Fixture f;
    f.files(400);
    ItemListView view(f.store);
    view.resize(400, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QSignalSpy showed(&view, &ItemListView::showedChanged);
    f.build(view, f.look());
    settle(view);
    const int shown = view.list().showedCount();
    QVERIFY2(shown > 0 && shown < 100, qPrintable(QString::number(shown)));
    QCOMPARE(f.shownRecords(view), shown);
    QVERIFY(!showed.isEmpty());
    QCOMPARE(showed.last().at(0).toInt(), shown);
    const QModelIndex first = view.iconView()->indexAt(QPoint(20, 20));
    QVERIFY(first.isValid());
    QCOMPARE(view.list().at(first.row()).F, DisplayState::Shown);
    QCOMPARE(view.list().at(399).F, DisplayState::New);
}

void TestItemListView::messagesOfAnEarlierBuildAreDropped()
{
    Fixture f;
    f.files(10);
    ItemListView view(f.store);
    f.build(view, f.look());
    for (int row = 0; row < 10; ++row)
        QVERIFY(view.display().lookup(row) == nullptr);
    view.display().postWanted(); // ten messages on their way
    f.build(view, f.look());     // ...and a new list before they arrive
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    QCOMPARE(view.list().showedCount(), 0);
    QCOMPARE(f.shownRecords(view), 0);

    // Messages of this build are applied to their own records.
    QVERIFY(view.display().lookup(7) == nullptr);
    view.display().postWanted();
    QCoreApplication::processEvents();
    QCOMPARE(view.list().at(7).F, DisplayState::Shown);
    QVERIFY(view.display().lookup(7) != nullptr);
    QCOMPARE(view.list().showedCount(), 1);
}

void TestItemListView::picturesStayWithinTheirBound()
{
    Fixture f;
    f.files(600);
    ItemListView view(f.store);
    view.resize(400, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    // Room for about forty 32-pixel pictures.
    const qint64 bound = 40 * (512 + 32 * 32 * 4);
    view.display().cache().setMaxBytes(bound);
    f.build(view, f.look());
    settle(view);
    QScrollBar *bar = view.iconView()->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    for (int v = 0; v <= bar->maximum(); v += std::max(1, bar->pageStep())) {
        bar->setValue(v);
        view.iconView()->viewport()->repaint();
        settle(view);
        QVERIFY(view.display().cache().bytes() <= bound);
        // Only records whose pictures are kept count as shown.
        QCOMPARE(f.shownRecords(view), view.display().cache().size());
        QCOMPARE(view.list().showedCount(), view.display().cache().size());
    }
    // What scrolled out of the bound is built again when shown again.
    bar->setValue(0);
    view.iconView()->viewport()->repaint();
    settle(view);
    const QModelIndex first = view.iconView()->indexAt(QPoint(20, 20));
    QCOMPARE(view.list().at(first.row()).F, DisplayState::Shown);
}

void TestItemListView::detailsTextsStayWithinTheirBound()
{
    Fixture f;
    ItemListView view(f.store);
    const int rows = ItemListModel::ColumnTextRows + 1;
    f.files(rows);
    view.list().buildFolder(f.path(), {});
    QCOMPARE(view.model()->rowCount(), rows);
    QHash<int, int> asked;
    view.model()->setColumns({u"名前"_s, u"コメント"_s}, [&asked](int row) {
        ++asked[row];
        return QStringList{QString::number(row)};
    });
    for (int row = 0; row < rows; ++row)
        QCOMPARE(view.model()->columnText(row, 1), QString::number(row));
    // Rows used lately are kept; the one used longest ago made room and is asked again.
    QCOMPARE(view.model()->columnText(rows - 1, 1), QString::number(rows - 1));
    QCOMPARE(asked.value(rows - 1), 1);
    QCOMPARE(view.model()->columnText(0, 1), u"0"_s);
    QCOMPARE(asked.value(0), 2);
}

void TestItemListView::placeholderIsSharedNotCopied()
{
    Fixture f;
    f.files(3);
    writeBytes(f.path(u"_m.ini"_s), "file0001.txt_oneColor=2\n");
    ItemListView view(f.store);
    view.resize(400, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    ItemListLook look = f.look();
    look.flags.simpleIcons = true;
    ListPictures::load(look, f.settings, f.program.folder());
    f.build(view, look);
    settle(view);
    QCOMPARE(view.list().showedCount(), 4);
    for (int row = 0; row < 4; ++row) {
        const ShownItem *item = view.display().lookup(row);
        QVERIFY(item);
        const bool tinted = view.list().at(row).Name == u"file0001.txt"_s;
        QCOMPARE(item->picture.isNull(), !tinted);
        if (!tinted)
            QCOMPARE(ItemPictureCache::costOf(*item), 512);
    }
}

void TestItemListView::savedPositionsAndSelection()
{
    Fixture f;
    f.files(5);
    writeBytes(f.path(u"_m.ini"_s), "file0003.txt_p=120,40\nfile0001.txt_p=oops\n");
    ItemListView view(f.store);
    view.resize(600, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    ItemListLook look = f.look();
    look.positions = true;
    ListBuildOptions options;
    options.positions = true;
    f.build(view, look, options);
    settle(view);
    const int row = view.list().rowOfPath(f.path(u"file0003.txt"_s));
    QListView *icons = view.iconView();
    QCOMPARE(icons->visualRect(view.model()->index(row, 0)).topLeft(), QPoint(120, 40));
    // A relayout keeps it there.
    icons->doItemsLayout();
    QCOMPARE(icons->visualRect(view.model()->index(row, 0)).topLeft(), QPoint(120, 40));
    // The other items follow the window's width, also when the list was laid out narrow
    // (as before the window first gets its size); the placed one stays.
    const QModelIndex first = view.model()->index(0, 0);
    const QModelIndex last = view.model()->index(view.model()->rowCount() - 1, 0);
    view.resize(100, 400);
    QTRY_VERIFY(icons->visualRect(last).top() > icons->visualRect(first).top());
    view.resize(600, 400);
    QTRY_COMPARE(icons->visualRect(last).top(), icons->visualRect(first).top());
    QCOMPARE(icons->visualRect(view.model()->index(row, 0)).topLeft(), QPoint(120, 40));

    const QStringList wanted{f.path(u"file0002.txt"_s), f.path(u"file0004.txt"_s)};
    view.selectPaths(wanted, wanted.last());
    QCOMPARE(view.selectedPaths(), wanted);
    QCOMPARE(view.currentPath(), wanted.last());
}

void TestItemListView::thumbnailsArriveLater()
{
    QTemporaryDir dir;
    const QString picture = dir.path() + u"/wide.png"_s;
    QImage image(400, 100, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(picture));
    writeBytes(dir.path() + u"/fake.png"_s, "not a picture");

    ThumbnailLoader loader;
    QSignalSpy ready(&loader, &ThumbnailLoader::ready);
    QVERIFY(loader.thumbnail(picture, 64).isNull());
    QVERIFY(loader.isPending(picture, 64));
    QVERIFY(ready.wait(5000));
    QCOMPARE(ready.first().first().toString(), picture);
    const QImage thumbnail = loader.thumbnail(picture, 64);
    QCOMPARE(thumbnail.size(), QSize(64, 16));

    // A file that gives nothing is not tried again.
    QVERIFY(loader.thumbnail(dir.path() + u"/fake.png"_s, 64).isNull());
    loader.waitForDone();
    QCoreApplication::processEvents();
    QVERIFY(!loader.isPending(dir.path() + u"/fake.png"_s, 64));
    QVERIFY(loader.thumbnail(dir.path() + u"/fake.png"_s, 64).isNull());
    QVERIFY(!loader.isPending(dir.path() + u"/fake.png"_s, 64));
    // Text files are never queued.
    QVERIFY(loader.thumbnail(dir.path() + u"/notes.txt"_s, 64).isNull());
    QVERIFY(!loader.isPending(dir.path() + u"/notes.txt"_s, 64));
}

void TestItemListView::thumbnailsFollowTheFile()
{
    Fixture f;
    ItemListView view(f.store);
    ThumbnailLoader &loader = view.thumbnails();
    QSignalSpy ready(&loader, &ThumbnailLoader::ready);
    const QString picture = f.path(u"p.png"_s);
    auto thumbnailOf = [&](const QString &path) {
        if (loader.thumbnail(path, 64).isNull() && !ready.wait(5000))
            return QImage();
        return loader.thumbnail(path, 64);
    };
    QImage image(400, 100, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(picture));
    QCOMPARE(thumbnailOf(picture).pixelColor(0, 0), QColor(Qt::red));

    // The picture is replaced: the new one is shown, not the thumbnail of the old.
    image = QImage(100, 400, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QVERIFY(image.save(picture));
    // (dated apart from the first, however quickly it was written)
    QFile written(picture);
    QVERIFY(written.open(QIODevice::ReadWrite));
    QVERIFY(written.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                                QFileDevice::FileModificationTime));
    written.close();
    const QImage changed = thumbnailOf(picture);
    QCOMPARE(changed.size(), QSize(16, 64));
    QCOMPARE(changed.pixelColor(0, 0), QColor(Qt::blue));

    // A picture that could not be read (still being copied) is tried again when the list
    // is built again.
    const QString late = f.path(u"late.png"_s);
    writeBytes(late, "\x89PNG");
    QVERIFY(loader.thumbnail(late, 64).isNull());
    QTRY_VERIFY(!loader.isPending(late, 64));
    QVERIFY(loader.thumbnail(late, 64).isNull());
    QVERIFY(!loader.isPending(late, 64));
    f.build(view, f.look());
    QVERIFY(loader.thumbnail(late, 64).isNull());
    QVERIFY(loader.isPending(late, 64));
}

QTEST_MAIN(TestItemListView)
#include "tst_itemlistview.moc"

void TestItemListView::onlyItemsDrawnAsHiddenAreDimmed()
{
    // A hidden read-only file is drawn in the read-only colour, so at full strength; a
    // hidden file alone is dimmed.
    Fixture f;
    writeBytes(f.path(u"plain.txt"_s), "x");
    writeBytes(f.path(u".hidden.txt"_s), "x");
    writeBytes(f.path(u".readonly.txt"_s), "x");
    QVERIFY(QFile::setPermissions(f.path(u".readonly.txt"_s), QFile::ReadOwner | QFile::ReadUser));
    f.settings.setSwitch(Component::CaptionExtensions, true);
    f.settings.setSwitch(Component::CaptionLabels, true);
    f.settings.setSwitch(Component::NewListEngine, false);
    ItemListView view(f.store);
    view.resize(600, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    f.build(view, f.look());
    settle(view);
    QListView *icons = view.iconView();
    const QImage shot = icons->viewport()->grab().toImage();
    auto picture = [&](const QString &name) {
        const QModelIndex index = view.model()->index(view.list().rowOfPath(f.path(name)), 0);
        const QRect rect = view.delegate()->geometry(icons->visualRect(index), index).picture;
        return shot.copy(rect);
    };
    const QImage plain = picture(u"plain.txt"_s);
    QVERIFY(!plain.isNull());
    QCOMPARE(picture(u".readonly.txt"_s), plain);
    QVERIFY(picture(u".hidden.txt"_s) != plain);
}
