#include "core/annotations/annotationstore.h"
#include "core/app/componentnames.h"
#include "core/app/settings.h"
#include "core/decoration/itempicturecomposer.h"
#include "core/itemlist/folderchangewatch.h"
#include "core/itemlist/itemlist.h"
#include "core/itemlist/itempicturesource.h"
#include "core/itemlist/pathlistfile.h"
#include "core/itemlist/shellnamespace.h"
#include "core/platform/textfile.h"
#include "core/platform/volumeprobe.h"
#include "testsupport/tempprogramfolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <memory>

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

// A program folder, settings in memory (per-folder annotation files) and a store, with
// a data folder to list.
struct Fixture {
    Fixture()
    {
        settings.setSwitch(Component::CentralManagement, false);
        settings.setSwitch(Component::PerFolderFiles, true);
        store.reloadModeFromSettings();
    }
    QString path(const QString &relative = QString()) const
    {
        return data.path() + u"/"_s + relative;
    }
    void file(const QString &relative, const QByteArray &bytes = "x") const
    {
        writeBytes(path(relative), bytes);
    }
    void folder(const QString &relative) const { QDir().mkpath(path(relative)); }
    void annotations(const QByteArray &lines) const { file(u"_m.ini"_s, lines); }
    QStringList names() const
    {
        QStringList out;
        for (const ItemRecord &r : list.records())
            out.append(r.Name);
        return out;
    }

    test::TempProgramFolder program;
    QTemporaryDir data;
    Settings settings{program.folder()};
    AnnotationStore store{program.folder(), settings};
    ItemList list{store};
};

// Pictures of fixed colours; remembers what was asked for.
class FakeSource : public ItemPictureSource
{
public:
    QImage icon(const ItemRecord &item, int size) override
    {
        iconsAsked.append(item.Name);
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(QColor(200, 200, 200));
        return image;
    }
    QImage thumbnail(const ItemRecord &, int) override { return thumbnailImage; }
    QImage programIcon(const QString &path) override
    {
        programsAsked.append(QFileInfo(path).fileName());
        QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black);
        return image;
    }

    QStringList iconsAsked;
    QStringList programsAsked;
    QImage thumbnailImage;
};

// Records what the list told its observer, checking each bracket is closed.
class Recorder : public ItemListObserver
{
public:
    void listAboutToReset() override { log.append(u"reset"_s); }
    void listReset() override { log.append(u"/reset"_s); }
    void rowsAboutToInsert(int first, int last) override
    {
        log.append(u"insert %1-%2"_s.arg(first).arg(last));
    }
    void rowsInserted() override { log.append(u"/insert"_s); }
    void rowsAboutToRemove(int first, int last) override
    {
        log.append(u"remove %1-%2"_s.arg(first).arg(last));
    }
    void rowsRemoved() override { log.append(u"/remove"_s); }
    QStringList log;
};

} // namespace

class TestItemList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void folderBuildOrderAndRecords();
    void emptyAndUnlistableFolders();
    void folderViewStyle_data();
    void folderViewStyle();
    void positions_data();
    void positions();
    void annotationFilter();
    void deferredDisplayQueue();
    void staleTicketsAreDropped();
    void treeListRenumbersAfterEveryChange();
    void materialiseCopiesValidatedAnnotations();
    void simpleIconsTakeIconsOnlyForSingleColours();
    void emptyThumbnailFallsBackToIcon();
    void stampOfAFolder();
    void locations();
    void aVolumeThatHangsIsNotWaitedFor();
    void pathListsAreSearchResults();
    void changesOfTheFolder();
};

void TestItemList::folderBuildOrderAndRecords()
{
    Fixture f;
    f.folder(u"beta"_s);
    f.folder(u"Alpha"_s);
    f.folder(u"RECYCLER"_s);
    f.file(u"b.txt"_s);
    f.file(u"A.txt"_s);
    f.file(u"a.txt"_s);
    f.file(u"RECYCLED"_s);
    f.file(u".hidden"_s);

    Recorder recorder;
    f.list.setObserver(&recorder);
    ListBuildOptions options;
    const ListBuildResult r = f.list.buildFolder(f.data.path(), options);
    QVERIFY(r.listed);
    // Folders first, then files, each without regard to letter case, ties exact.
    QCOMPARE(f.names(), (QStringList{u"Alpha"_s, u"beta"_s, u".hidden"_s, u"A.txt"_s, u"a.txt"_s,
                                     u"b.txt"_s}));
    QCOMPARE(r.folders, 2);
    QCOMPARE(r.files, 4);
    QCOMPARE(recorder.log, (QStringList{u"reset"_s, u"/reset"_s}));
    for (int row = 0; row < f.list.count(); ++row) {
        const ItemRecord &rec = f.list.at(row);
        QCOMPARE(rec.idx, row);
        QCOMPARE(rec.imgIdx, row + 5);
        QCOMPARE(rec.F, DisplayState::New);
        QCOMPARE(rec.Loot, -1);
        QCOMPARE(rec.PATH, f.path(rec.Name));
        QCOMPARE(f.list.rowOfId(rec.id), row);
    }
    QVERIFY(f.list.at(0).isFolder);
    QCOMPARE(f.list.enumeratedPaths().size(), 6);

    // Hidden entries left out on request; a new build is a new generation.
    const quint64 generation = f.list.generation();
    options.enumeration.showHidden = false;
    f.list.buildFolder(f.data.path(), options);
    QVERIFY(!f.names().contains(u".hidden"_s));
    QVERIFY(f.list.generation() > generation);
    f.list.setObserver(nullptr);
}

void TestItemList::emptyAndUnlistableFolders()
{
    Fixture f;
    ListBuildResult r = f.list.buildFolder(f.data.path(), ListBuildOptions());
    QVERIFY(r.listed);
    QCOMPARE(r.folders + r.files, 0);

    f.file(u"x.txt"_s);
    f.list.buildFolder(f.data.path(), ListBuildOptions());
    QCOMPARE(f.list.count(), 1);
    for (const QString &missing : {f.path(u"gone"_s), f.path(u"x.txt"_s)}) {
        r = f.list.buildFolder(missing, ListBuildOptions());
        QVERIFY(!r.listed);
        QCOMPARE(r.folders, 0);
        QCOMPARE(r.files, 0);
        QCOMPARE(f.list.count(), 0);
    }
}

void TestItemList::folderViewStyle_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("style");
    QTest::newRow("details") << QByteArray(".ViewStyle=3\n") << int(ListStyle::Details);
    QTest::newRow("large icons") << QByteArray(".ViewStyle=0\n") << int(ListStyle::LargeIcons);
    QTest::newRow("out of range") << QByteArray(".ViewStyle=4\n") << -1;
    QTest::newRow("not a number") << QByteArray(".ViewStyle=x\n") << -1;
    QTest::newRow("absent") << QByteArray("a.txt_cmt=c\n") << -1;
}

void TestItemList::folderViewStyle()
{
    QFETCH(QByteArray, line);
    QFETCH(int, style);
    Fixture f;
    f.annotations(line);
    const ListBuildResult r = f.list.buildFolder(f.data.path(), ListBuildOptions());
    QCOMPARE(r.folderStyle ? int(*r.folderStyle) : -1, style);
}

void TestItemList::positions_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("read");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("plain") << QByteArray("120,40") << true << QPoint(120, 40);
    QTest::newRow("switch off") << QByteArray("120,40") << false << QPoint(-1, -1);
    QTest::newRow("one number") << QByteArray("120") << true << QPoint(-1, -1);
    QTest::newRow("three numbers") << QByteArray("1,2,3") << true << QPoint(-1, -1);
    QTest::newRow("words") << QByteArray("left,top") << true << QPoint(-1, -1);
    QTest::newRow("beyond any window") << QByteArray("99999999,4") << true << QPoint(-1, -1);
    QTest::newRow("beyond 32 bits") << QByteArray("4,99999999999") << true << QPoint(-1, -1);
}

void TestItemList::positions()
{
    QFETCH(QByteArray, value);
    QFETCH(bool, read);
    QFETCH(QPoint, expected);
    Fixture f;
    f.file(u"a.txt"_s);
    f.annotations("a.txt_p=" + value + "\n");
    ListBuildOptions options;
    options.positions = read;
    f.list.buildFolder(f.data.path(), options);
    const int row = f.list.rowOfPath(f.path(u"a.txt"_s));
    QVERIFY(row >= 0);
    QCOMPARE(f.list.at(row).Point.value_or(QPoint(-1, -1)), expected);
}

void TestItemList::annotationFilter()
{
    Fixture f;
    for (const QString &n : {u"a.txt"_s, u"b.txt"_s, u"c.txt"_s})
        f.file(n);
    f.annotations("a.txt_cmt=one\nc.txt_label=1\nb.txt_cmt=\n");
    ListBuildOptions options;
    options.annotationFilter = u"_cmt"_s;
    const ListBuildResult r = f.list.buildFolder(f.data.path(), options);
    QCOMPARE(f.names(), QStringList{u"a.txt"_s});
    // The counts are those of the folder, not of the filtered list.
    QCOMPARE(r.files, 4);
}

void TestItemList::deferredDisplayQueue()
{
    Fixture f;
    for (int i = 0; i < 5; ++i)
        f.file(u"f%1.txt"_s.arg(i));
    f.list.buildFolder(f.data.path(), ListBuildOptions());
    QVERIFY(!f.list.hasWanted());
    QVERIFY(f.list.requestDisplay(3));
    QVERIFY(!f.list.requestDisplay(3)); // already wanted
    QVERIFY(f.list.requestDisplay(1));
    QVERIFY(!f.list.requestDisplay(99));
    QCOMPARE(f.list.at(3).F, DisplayState::Wanted);

    const QList<DisplayTicket> tickets = f.list.takeWanted();
    QCOMPARE(tickets.size(), 2);
    QCOMPARE(tickets.at(0).id, f.list.at(3).id);
    QCOMPARE(f.list.at(3).F, DisplayState::Posted);
    QVERIFY(f.list.takeWanted().isEmpty());
    QCOMPARE(f.list.rowForTicket(tickets.at(1)), 1);

    FakeSource source;
    ItemPictureComposer composer{DecorationFlags()};
    f.list.materialise(1, composer, source, ItemPictureRequest());
    f.list.materialise(1, composer, source, ItemPictureRequest()); // counted once
    QCOMPARE(f.list.showedCount(), 1);
    QCOMPARE(f.list.at(1).F, DisplayState::Shown);
    // A ticket for a record that is shown already is stale.
    QCOMPARE(f.list.rowForTicket(tickets.at(1)), -1);
    QVERIFY(f.list.invalidate(1));
    QCOMPARE(f.list.showedCount(), 0);
    QVERIFY(!f.list.invalidate(1));
    QCOMPARE(f.list.at(1).F, DisplayState::New);
}

void TestItemList::staleTicketsAreDropped()
{
    Fixture f;
    f.folder(u"dir"_s);
    f.file(u"dir/inner.txt"_s);
    f.file(u"z.txt"_s);
    f.list.buildFolder(f.data.path(), ListBuildOptions());

    // A message that outlives a rebuild names nothing, whatever now sits in its row.
    f.list.requestDisplay(1);
    const DisplayTicket beforeRebuild = f.list.takeWanted().first();
    f.list.buildFolder(f.data.path(), ListBuildOptions());
    f.list.requestDisplay(1);
    f.list.takeWanted();
    QCOMPARE(f.list.rowForTicket(beforeRebuild), -1);

    // A message for an item removed by a collapse is dropped; one for an item that moved
    // reaches that item at its new row.
    f.list.expand(0, EnumerationOptions());
    QCOMPARE(f.list.count(), 3);
    f.list.requestDisplay(1); // dir/inner.txt
    const DisplayTicket inner = f.list.takeWanted().first();
    QVERIFY(f.list.at(2).F == DisplayState::Posted); // z.txt, asked before the expansion
    f.list.collapse(0);
    QCOMPARE(f.list.count(), 2);
    QCOMPARE(f.list.rowForTicket(inner), -1);
    QVERIFY(f.list.requestDisplay(0));
    QCOMPARE(f.list.takeWanted().size(), 1);

    // A sort moves the records under the waiting messages: each still reaches its own.
    f.list.buildFolder(f.data.path(), ListBuildOptions());
    QVERIFY(f.list.requestDisplay(1)); // z.txt
    const DisplayTicket z = f.list.takeWanted().first();
    QVERIFY(f.list.reorder({1, 0}));
    QCOMPARE(f.list.at(0).Name, u"z.txt"_s);
    QCOMPARE(f.list.rowForTicket(z), 0);
}

void TestItemList::treeListRenumbersAfterEveryChange()
{
    Fixture f;
    f.folder(u"a/deep/deeper"_s);
    f.file(u"a/deep/deeper/leaf.txt"_s);
    f.file(u"a/deep/one.txt"_s);
    f.file(u"a/a1.txt"_s);
    f.file(u"a/a2.txt"_s);
    f.folder(u"b"_s);
    f.file(u"b/b1.txt"_s);
    f.file(u"top.txt"_s);
    f.list.buildFolder(f.data.path(), ListBuildOptions());
    QCOMPARE(f.names(), (QStringList{u"a"_s, u"b"_s, u"top.txt"_s}));

    auto check = [&f]() {
        for (int row = 0; row < f.list.count(); ++row) {
            const ItemRecord &r = f.list.at(row);
            if (r.idx != row || r.imgIdx != row + 5 || r.LootS != row)
                return u"row %1 numbered %2/%3"_s.arg(row).arg(r.idx).arg(r.imgIdx);
            if (f.list.LV_GetPath(row) != r.PATH)
                return u"row %1: %2 != %3"_s.arg(row).arg(f.list.LV_GetPath(row), r.PATH);
            if (r.Loot >= 0 && (r.LootA != row - r.Loot || r.LootN != f.list.at(r.Loot).Name))
                return u"row %1: parent fields"_s.arg(row);
        }
        return QString();
    };
    Recorder recorder;
    f.list.setObserver(&recorder);
    // Expanding "b" first and then "a" above it moves "b"'s children: their parent
    // links must follow.
    f.list.toggle(1, EnumerationOptions());
    QCOMPARE(f.names(), (QStringList{u"a"_s, u"b"_s, u"b1.txt"_s, u"top.txt"_s}));
    QVERIFY(f.store.searchResultMode());
    f.list.toggle(0, EnumerationOptions());
    // Inserted files first, then folders, each directly below the folder.
    QCOMPARE(f.names(), (QStringList{u"a"_s, u"deep"_s, u"a2.txt"_s, u"a1.txt"_s, u"b"_s,
                                     u"b1.txt"_s, u"top.txt"_s}));
    QCOMPARE(check(), QString());
    f.list.toggle(1, EnumerationOptions()); // a/deep
    f.list.toggle(2, EnumerationOptions()); // a/deep/deeper
    QCOMPARE(check(), QString());
    QCOMPARE(f.list.at(3).PATH, f.path(u"a/deep/deeper/leaf.txt"_s));
    QCOMPARE(f.list.at(3).depth, 3);

    // Collapsing "a" removes every deeper item below it and restores the earlier rows.
    f.list.toggle(0, EnumerationOptions());
    QCOMPARE(f.names(), (QStringList{u"a"_s, u"b"_s, u"b1.txt"_s, u"top.txt"_s}));
    QCOMPARE(check(), QString());
    QCOMPARE(f.list.at(2).Loot, 1);
    QVERIFY(!f.list.isExpandable(3));
    QCOMPARE(
        recorder.log,
        (QStringList{u"insert 2-2"_s, u"/insert"_s, u"insert 1-3"_s, u"/insert"_s, u"insert 2-3"_s,
                     u"/insert"_s, u"insert 3-3"_s, u"/insert"_s, u"remove 1-6"_s, u"/remove"_s}));
    f.list.setObserver(nullptr);
}

void TestItemList::materialiseCopiesValidatedAnnotations()
{
    Fixture f;
    f.file(u"good.txt"_s, "12345");
    f.file(u"bad.txt"_s);
    f.annotations("good.txt_oneColor=3\ngood.txt_CVColor=clYellow\ngood.txt_cmt=note\n"
                  "good.txt_label=2\ngood.txt_s=14\n"
                  "bad.txt_oneColor=clFoo\nbad.txt_CVColor=99999999999\nbad.txt_label=9\n"
                  "bad.txt_s=15\nbad.txt_RGB=1,2\nbad.txt_TS=2020/13/45\n");
    f.list.buildFolder(f.data.path(), ListBuildOptions());
    FakeSource source;
    ItemPictureComposer composer{DecorationFlags()};
    const int good = f.list.rowOfPath(f.path(u"good.txt"_s));
    const int bad = f.list.rowOfPath(f.path(u"bad.txt"_s));

    MaterialisedItem m = f.list.materialise(good, composer, source, ItemPictureRequest());
    const ItemRecord &g = f.list.at(good);
    QCOMPARE(g.IconRGB, u"3"_s);
    QCOMPARE(g.CaptionRGB, u"clYellow"_s);
    QCOMPARE(g.Comment, u"note"_s);
    QCOMPARE(g.Size, 5);
    QCOMPARE(g.FileType, u".txt"_s);
    QCOMPARE(m.picture.overlay, std::optional<int>(2));
    QCOMPARE(m.picture.stateImage, std::optional<int>(14));
    QVERIFY(!m.picture.image.isNull());

    m = f.list.materialise(bad, composer, source, ItemPictureRequest());
    const ItemRecord &b = f.list.at(bad);
    QCOMPARE(b.IconRGB, u"-1"_s);
    QCOMPARE(b.CaptionRGB, u"-1"_s);
    QVERIFY(!m.picture.overlay);
    QVERIFY(!m.picture.stateImage);
    QVERIFY(!m.values.shift);
    QVERIFY(!m.values.taskStart);
    QVERIFY(!m.values.captionColour);
}

void TestItemList::simpleIconsTakeIconsOnlyForSingleColours()
{
    Fixture f;
    f.file(u"tinted.txt"_s);
    f.file(u"plain.txt"_s);
    f.annotations("tinted.txt_oneColor=1\n");
    f.list.buildFolder(f.data.path(), ListBuildOptions());
    DecorationFlags flags;
    flags.simpleIcons = true; // "シンプルアイコン" with "マスク(単一カラー)"
    ItemPictureComposer composer(flags);
    FakeSource source;
    const int tinted = f.list.rowOfPath(f.path(u"tinted.txt"_s));
    const int plain = f.list.rowOfPath(f.path(u"plain.txt"_s));
    const MaterialisedItem t = f.list.materialise(tinted, composer, source, ItemPictureRequest());
    const MaterialisedItem p = f.list.materialise(plain, composer, source, ItemPictureRequest());
    QCOMPARE(source.iconsAsked, QStringList{u"tinted.txt"_s});
    QVERIFY(p.picture.keepsPlaceholder);
    QVERIFY(p.picture.image.isNull());
    // The real icon, tinted red: grey 200 becomes red 200; the mask is the picture's size.
    QCOMPARE(t.picture.working.pixelColor(16, 16), QColor(200, 0, 0));
    QCOMPARE(t.picture.filterMask.size(), QSize(32, 32));
    QCOMPARE(f.list.showedCount(), 2);
}

void TestItemList::emptyThumbnailFallsBackToIcon()
{
    Fixture f;
    f.file(u"picture.png"_s);
    f.list.buildFolder(f.data.path(), ListBuildOptions());
    DecorationFlags flags;
    flags.thumbnails = true;
    flags.customIconSize = true;
    flags.iconSize = 64;
    ItemPictureComposer composer(flags);
    FakeSource source;
    for (const QImage &thumbnail : {QImage(), QImage(0, 0, QImage::Format_RGB32)}) {
        source.thumbnailImage = thumbnail;
        f.list.invalidate(0);
        const MaterialisedItem m = f.list.materialise(0, composer, source, ItemPictureRequest());
        QCOMPARE(m.picture.image.size(), QSize(64, 64));
        QCOMPARE(m.picture.filterMask.size(), QSize(64, 64));
        // The 32-pixel icon in the middle of the frame.
        QCOMPARE(m.picture.working.pixelColor(32, 32), QColor(200, 200, 200));
        QCOMPARE(m.picture.working.pixelColor(2, 2), QColor(Qt::white));
    }
}

void TestItemList::stampOfAFolder()
{
    Fixture f;
    f.file(u"tools/setup.exe"_s);
    f.file(u"tools/tool.exe"_s);
    f.file(u"installer/setup.exe"_s);
    f.list.buildFolder(f.data.path(), ListBuildOptions());
    DecorationFlags flags;
    flags.stamp = true;
    ItemPictureComposer composer(flags);
    FakeSource source;
    const int tools = f.list.rowOfPath(f.path(u"tools"_s));
    const int installer = f.list.rowOfPath(f.path(u"installer"_s));
    const MaterialisedItem m = f.list.materialise(tools, composer, source, ItemPictureRequest());
    f.list.materialise(installer, composer, source, ItemPictureRequest());
    QCOMPARE(source.programsAsked, QStringList{u"tool.exe"_s});
    // The program's icon at (8, 8) of the large picture.
    QCOMPARE(m.picture.working.pixelColor(12, 12), QColor(Qt::black));
}

void TestItemList::locations()
{
    Fixture f;
    ListBuildResult r = f.list.buildLocation(u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\"_s);
    QVERIFY(r.listed);
    QCOMPARE(r.displayName, u"マイ コンピュータ"_s);
    QVERIFY(f.store.shellNamespaceMode());
    QVERIFY(f.list.count() >= 1);
    QCOMPARE(f.list.at(0).PATH, u"/"_s);
    QCOMPARE(f.list.at(0).ItemType, int(NamespaceItem));
    QVERIFY(f.list.at(0).isFolder);

    r = f.list.buildLocation(u"::{208d2c60-3aea-1069-a2d7-08002b30309d}"_s);
    QVERIFY(r.listed);
    QCOMPARE(r.displayName, u"マイ ネットワーク"_s);
    QCOMPARE(f.list.count(), 0);

    for (const QString &nonsense : {u"::{00000000-0000-0000-0000-000000000000}"_s,
                                    u"C:\\Windows\\"_s, u"/no/such/folder/"_s}) {
        r = f.list.buildLocation(nonsense);
        QVERIFY(!r.listed);
        QCOMPARE(f.list.count(), 0);
        QCOMPARE(r.folders + r.files, 0);
    }

    // The recycle bin: one item per trashed entry, named after its original path.
    f.file(u"Trash/files/report.txt"_s);
    f.file(u"Trash/files/report.2.txt"_s);
    f.folder(u"Trash/files/old folder"_s);
    f.file(u"Trash/info/report.2.txt.trashinfo"_s,
           "[Trash Info]\nPath=/home/u/%E8%A8%98%E9%8C%B2.txt\nDeletionDate=2024-01-01T00:00:00\n");
    const QList<NamespaceEntry> trash = ShellNamespace::trashEntries({f.path(u"Trash"_s)});
    QCOMPARE(trash.size(), 3);
    QStringList captions;
    for (const NamespaceEntry &e : trash)
        captions.append(e.caption);
    QVERIFY(captions.contains(u"記録.txt"_s));
    QVERIFY(captions.contains(u"report.txt"_s));
    QVERIFY(captions.contains(u"old folder"_s));
}

void TestItemList::aVolumeThatHangsIsNotWaitedFor()
{
    // A network volume whose server is gone hangs until the gate opens.
    auto gate = std::make_shared<QSemaphore>();
    auto hungAsks = std::make_shared<std::atomic<int>>(0);
    const std::chrono::milliseconds limit(500);
    VolumeProbe probe(
        [gate, hungAsks](const QString &root) {
            if (root == u"/mnt/server"_s) {
                ++*hungAsks;
                gate->acquire();
                gate->release(); // open for good
            }
            return VolumeAnswer{root != u"/media/cdrom"_s,
                                root == u"/media/usb"_s ? u"STICK"_s : QString()};
        },
        limit);
    const QList<MountPoint> mounts{{u"/"_s, u"ext4"_s},
                                   {u"/proc"_s, u"proc"_s},
                                   {u"/media/usb"_s, u"vfat"_s},
                                   {u"/mnt/server"_s, u"nfs4"_s},
                                   {u"/media/cdrom"_s, u"iso9660"_s},
                                   {u"/run/user/1"_s, u"tmpfs"_s}};
    auto look = [&]() {
        QStringList out;
        for (const NamespaceEntry &v : ShellNamespace::volumes(mounts, probe)) {
            if (!v.volume || !v.container)
                out.append(u"not a volume: "_s + v.path);
            out.append(v.path + u'|' + v.caption + (v.ready ? u""_s : u" not ready"_s));
        }
        return out;
    };
    QElapsedTimer timer;
    timer.start();
    // The volume that said it is not ready is left out, the one that did not answer is
    // shown as not ready.
    const QStringList first{u"/|/"_s, u"/media/usb|STICK"_s, u"/mnt/server|server not ready"_s};
    QCOMPARE(look(), first);
    QVERIFY(timer.elapsed() < limit.count() + 2500);
    // Looking again neither waits the time limit again nor asks the hung volume twice.
    timer.restart();
    QCOMPARE(look(), first);
    QVERIFY(timer.elapsed() < limit.count());
    QCOMPARE(hungAsks->load(), 1);

    // Once it answers it is asked afresh and shown as it is.
    gate->release();
    QVERIFY(probe.waitIdle(std::chrono::seconds(5)));
    QCOMPARE(look(), (QStringList{u"/|/"_s, u"/media/usb|STICK"_s, u"/mnt/server|server"_s}));
    QCOMPARE(hungAsks->load(), 2);
    QVERIFY(probe.waitIdle(std::chrono::seconds(5)));
}

void TestItemList::pathListsAreSearchResults()
{
    Fixture f;
    f.folder(u"one/sub"_s);
    f.file(u"one/x.txt"_s);
    f.file(u"two/y.txt"_s);
    f.file(u"two/_m.ini"_s, "y.txt_cmt=from two\n");
    writeBytes(f.program.file(u"Found.txt"_s),
               (f.path(u"two/y.txt"_s) + u"=\"from two\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\n"_s +
                f.path(u"gone.txt"_s) + u"=\"\",\"\"\n"_s + u"C:\\old\\z.txt=\"\"\n"_s +
                f.path(u"one/sub"_s) + u"=\"\"\n"_s)
                   .toUtf8());
    const QStringList paths = PathListFile::readFoundList(f.program.file(u"Found.txt"_s));
    QCOMPARE(paths, (QStringList{f.path(u"two/y.txt"_s), f.path(u"one/sub"_s)}));

    const ListBuildResult r =
        f.list.buildPaths(f.program.path(), paths + QStringList{f.path(u"one/x.txt"_s)},
                          ItemListMode::FoundList, ListBuildOptions());
    QVERIFY(f.store.searchResultMode());
    QCOMPARE(r.folders, 1);
    QCOMPARE(r.files, 2);
    QCOMPARE(f.names(), (QStringList{u"sub"_s, u"x.txt"_s, u"y.txt"_s}));
    // Annotations by each item's own path.
    QCOMPARE(f.list.annotationOf(2).cmt, u"from two"_s);

    // A folder build leaves search result mode.
    f.list.buildFolder(f.path(u"one"_s), ListBuildOptions());
    QVERIFY(!f.store.searchResultMode());
}

void TestItemList::changesOfTheFolder()
{
    Fixture f;
    f.file(u"a.txt"_s);
    f.file(u".dot"_s);
    f.annotations("a.txt_cmt=c\n");
    EnumerationOptions options;
    options.showHidden = false;
    ListBuildOptions build;
    build.enumeration = options;
    f.list.buildFolder(f.data.path(), build);

    auto verdict = [&](QSet<QString> names, QSet<QString> attributes = {}) {
        FolderChanges c;
        c.names = std::move(names);
        c.attributes = std::move(attributes);
        return f.list.judgeChanges(c, options);
    };
    // The program's own save of the annotation file writes a new copy and renames it
    // over the old one: the names in the folder stay the same.
    TextFile::ReadResult doc = TextFile::read(f.path(u"_m.ini"_s));
    doc.document.lines.append(u"a.txt_label=1"_s);
    QVERIFY(TextFile::write(f.path(u"_m.ini"_s), doc.document));
    ChangeVerdict v = verdict({u"_m.ini"_s, u"_m.ini.XyZ123"_s});
    QVERIFY(!v.rebuild);
    QCOMPARE(v.reshow, QList<int>{f.list.rowOfPath(f.path(u"_m.ini"_s))});

    f.file(u".hidden-new"_s);
    QVERIFY(!verdict({u".hidden-new"_s}).rebuild); // not shown anyway
    f.file(u"new.txt"_s);
    QVERIFY(verdict({u"new.txt"_s}).rebuild);
    QVERIFY(QFile::remove(f.path(u"a.txt"_s)));
    QVERIFY(verdict({u"a.txt"_s}).rebuild);
    QVERIFY(verdict({}, {u"_m.ini"_s}).rebuild);
    QVERIFY(!verdict({}, {u"unlisted"_s}).rebuild);
    FolderChanges lost;
    lost.lost = true;
    QVERIFY(f.list.judgeChanges(lost, options).rebuild);
}

QTEST_GUILESS_MAIN(TestItemList)
#include "tst_itemlist.moc"
