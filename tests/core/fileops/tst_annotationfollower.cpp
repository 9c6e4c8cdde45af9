#include "../annotations/readonlyfolder.h"
#include "annotatedfolders.h"

#include <optional>
#include <sys/mount.h>

using namespace kazari;
using namespace kazari::test;
using namespace Qt::StringLiterals;

namespace
{

using Fixture = AnnotatedFolders;

// A small tmpfs while it lives (the tests run as root in their sandbox).
struct Tmpfs {
    explicit Tmpfs(const char *options)
    {
        mounted =
            ::mount("tmpfs", QFile::encodeName(dir.path()).constData(), "tmpfs", 0, options) == 0;
    }
    ~Tmpfs()
    {
        if (mounted)
            ::umount2(QFile::encodeName(dir.path()).constData(), MNT_DETACH);
    }
    QString path() const { return dir.path(); }
    QTemporaryDir dir;
    bool mounted = false;
};

} // namespace

class TestAnnotationFollower : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void followsOnlyDoneItems_data();
    void followsOnlyDoneItems();
    void sameFolderMoveKeepsEverything();
    void deleteRemovesOnlyTrashed();
    void centralFolderMoveKeepsFilesAttached();
    void centralFolderCopyTakesItsInsideAlong_data();
    void centralFolderCopyTakesItsInsideAlong();
    void renameFollows_data();
    void renameFollows();
    void mergedFolderKeepsEveryonesAnnotations_data();
    void mergedFolderKeepsEveryonesAnnotations();
    void failedDestinationKeepsSource();
    void fullOtherFileSystemLosesNothing();
    void moveThatCannotRemoveItsSourceCopies_data();
    void moveThatCannotRemoveItsSourceCopies();
};

void TestAnnotationFollower::followsOnlyDoneItems_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("answer");
    // Where the source's annotation ends up, and what the destination's own item keeps.
    QTest::addColumn<QString>("carriedTo");
    QTest::addColumn<bool>("sourceKeeps");
    QTest::addColumn<QString>("ownComment");

    for (StorageMode mode : {StorageMode::PerFolder, StorageMode::Central}) {
        const QByteArray m = mode == StorageMode::Central ? "central " : "per-folder ";
        const int md = int(mode);
        QTest::newRow(QByteArray(m + "copy, collision renamed").constData())
            << md << int(FileOperationCode::CopyRenaming) << int(OverwriteAnswer::No)
            << u"to/a (2).txt"_s << true << u"theirs"_s;
        QTest::newRow(QByteArray(m + "move, collision renamed").constData())
            << md << int(FileOperationCode::MoveRenaming) << int(OverwriteAnswer::No)
            << u"to/a (2).txt"_s << false << u"theirs"_s;
        QTest::newRow(QByteArray(m + "move, replace answered No").constData())
            << md << int(FileOperationCode::MoveAsking) << int(OverwriteAnswer::No) << QString()
            << true << u"theirs"_s;
        QTest::newRow(QByteArray(m + "copy, cancelled at the question").constData())
            << md << int(FileOperationCode::CopyAsking) << int(OverwriteAnswer::Cancel) << QString()
            << true << u"theirs"_s;
        QTest::newRow(QByteArray(m + "move, replace answered Yes").constData())
            << md << int(FileOperationCode::MoveAsking) << int(OverwriteAnswer::Yes)
            << u"to/a.txt"_s << false << u"ours"_s;
    }
}

void TestAnnotationFollower::followsOnlyDoneItems()
{
    QFETCH(int, mode);
    QFETCH(int, code);
    QFETCH(int, answer);
    QFETCH(QString, carriedTo);
    QFETCH(bool, sourceKeeps);
    QFETCH(QString, ownComment);

    Fixture f{StorageMode(mode)};
    touch(f.path(u"from/a.txt"_s), "ours");
    touch(f.path(u"to/a.txt"_s), "theirs");
    f.annotate(u"from/a.txt"_s, u"ours"_s);
    f.annotate(u"to/a.txt"_s, u"theirs"_s);

    f.run(FileOperationCode(code), {u"from/a.txt"_s}, u"to"_s, OverwriteAnswer(answer));
    QVERIFY(f.followed.ok());

    if (!carriedTo.isEmpty()) {
        QCOMPARE(f.comment(carriedTo), u"ours"_s);
        QCOMPARE(f.extended(carriedTo), u"ours ex"_s);
    }
    QCOMPARE(f.comment(u"to/a.txt"_s), ownComment);
    QCOMPARE(f.comment(u"from/a.txt"_s), sourceKeeps ? u"ours"_s : QString());
    QCOMPARE(f.extended(u"from/a.txt"_s), sourceKeeps ? u"ours ex"_s : QString());
}

void TestAnnotationFollower::sameFolderMoveKeepsEverything()
{
    Fixture f{StorageMode::PerFolder};
    touch(f.path(u"here/a.txt"_s));
    f.annotate(u"here/a.txt"_s, u"stays"_s);
    const QByteArray before = readAll(f.path(u"here/_m.ini"_s));
    QVERIFY(!before.isEmpty());
    const FileOperationResult r =
        f.run(FileOperationCode::MoveRenaming, {u"here/a.txt"_s}, u"here"_s);
    QCOMPARE(r.items.value(0).status, ItemStatus::Skipped);
    QCOMPARE(f.comment(u"here/a.txt"_s), u"stays"_s);
    QCOMPARE(readAll(f.path(u"here/_m.ini"_s)), before);
}

void TestAnnotationFollower::deleteRemovesOnlyTrashed()
{
    Fixture f{StorageMode::PerFolder};
    touch(f.path(u"d/gone.txt"_s));
    touch(f.path(u"d/kept.txt"_s));
    f.annotate(u"d/gone.txt"_s, u"gone"_s);
    f.annotate(u"d/kept.txt"_s, u"kept"_s);
    f.annotate(u"d/vanished.txt"_s, u"orphan"_s); // no such file: the trash fails it
    const FileOperationResult r =
        f.run(FileOperationCode::Delete, {u"d/gone.txt"_s, u"d/vanished.txt"_s}, QString());
    QCOMPARE(r.items.value(0).status, ItemStatus::Done);
    QCOMPARE(r.items.value(1).status, ItemStatus::Failed);
    QCOMPARE(f.comment(u"d/gone.txt"_s), QString());
    QCOMPARE(f.extended(u"d/gone.txt"_s), QString());
    QCOMPARE(f.comment(u"d/vanished.txt"_s), u"orphan"_s);
    QCOMPARE(f.comment(u"d/kept.txt"_s), u"kept"_s);
}

void TestAnnotationFollower::centralFolderMoveKeepsFilesAttached()
{
    // A folder with a sub-folder, both annotated inside, moved into a folder never opened.
    Fixture f{StorageMode::Central};
    touch(f.path(u"src/box/inner.txt"_s));
    touch(f.path(u"src/box/deep/leaf.txt"_s));
    f.dir(u"dest"_s);
    f.annotate(u"src/box"_s, u"the box"_s);
    f.annotate(u"src/box/inner.txt"_s, u"inner"_s);
    f.annotate(u"src/box/deep/leaf.txt"_s, u"leaf"_s);

    const FileOperationResult r = f.run(FileOperationCode::MoveRenaming, {u"src/box"_s}, u"dest"_s);
    QCOMPARE(r.items.value(0).status, ItemStatus::Done);
    QVERIFY(f.followed.ok());
    QCOMPARE(f.comment(u"dest/box"_s), u"the box"_s);
    QCOMPARE(f.comment(u"dest/box/inner.txt"_s), u"inner"_s);
    QCOMPARE(f.extended(u"dest/box/deep/leaf.txt"_s), u"leaf ex"_s);
    QCOMPARE(f.comment(u"src/box"_s), QString());

    // A copy of the moved folder does not take over its files.
    f.run(FileOperationCode::CopyRenaming, {u"dest/box"_s}, u"src"_s);
    QCOMPARE(f.comment(u"src/box"_s), u"the box"_s);
    QCOMPARE(f.comment(u"dest/box/inner.txt"_s), u"inner"_s);
}

void TestAnnotationFollower::centralFolderCopyTakesItsInsideAlong_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QString>("copy"); // where the copy of outer/box ends up
    QTest::addColumn<bool>("staleKey");
    const int renaming = int(FileOperationCode::CopyRenaming);
    QTest::newRow("copy") << renaming << u"outer/box"_s << u"dest"_s << u"dest/box"_s << false;
    QTest::newRow("copy beside itself")
        << renaming << u"outer/box"_s << u"outer"_s << u"outer/box (2)"_s << false;
    QTest::newRow("copy where a folder of the same name was")
        << renaming << u"outer/box"_s << u"dest"_s << u"dest/box"_s << true;
    QTest::newRow("copy merged into a folder of the same name")
        << int(FileOperationCode::CopyAsking) << u"outer"_s << u"dest"_s << u"dest/outer/box"_s
        << false;
}

void TestAnnotationFollower::centralFolderCopyTakesItsInsideAlong()
{
    QFETCH(int, code);
    QFETCH(QString, item);
    QFETCH(QString, destination);
    QFETCH(QString, copy);
    QFETCH(bool, staleKey);
    Fixture f{StorageMode::Central};
    touch(f.path(u"outer/box/inner.txt"_s));
    touch(f.path(u"outer/box/deep/leaf.txt"_s));
    f.dir(u"dest/outer"_s);
    f.annotate(u"outer/box"_s, u"the box"_s);
    f.annotate(u"outer/box/inner.txt"_s, u"inner"_s);
    f.annotate(u"outer/box/deep/leaf.txt"_s, u"leaf"_s);
    if (staleKey) {
        // A folder of that name was annotated inside and then removed outside the program.
        touch(f.path(copy + u"/old.txt"_s));
        f.annotate(copy + u"/old.txt"_s, u"old"_s);
        f.annotate(copy + u"/inner.txt"_s, u"stale"_s);
        QVERIFY(QDir(f.path(copy)).removeRecursively());
    }

    const FileOperationResult r =
        f.run(FileOperationCode(code), {item}, destination, OverwriteAnswer::Yes);
    QCOMPARE(r.items.value(0).status, ItemStatus::Done);
    QVERIFY(QFileInfo(f.path(copy + u"/deep/leaf.txt"_s)).isFile());
    QVERIFY(f.followed.ok());
    QCOMPARE(f.comment(copy), u"the box"_s);
    QCOMPARE(f.comment(copy + u"/inner.txt"_s), u"inner"_s);
    QCOMPARE(f.extended(copy + u"/deep/leaf.txt"_s), u"leaf ex"_s);
    QCOMPARE(f.comment(copy + u"/old.txt"_s), QString());

    // The copy has files of its own: changing it leaves the original alone.
    f.annotate(copy + u"/inner.txt"_s, u"changed"_s);
    QCOMPARE(f.comment(u"outer/box/inner.txt"_s), u"inner"_s);
    QCOMPARE(f.comment(u"outer/box/deep/leaf.txt"_s), u"leaf"_s);
}

void TestAnnotationFollower::renameFollows_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("per-folder") << int(StorageMode::PerFolder);
    QTest::newRow("central") << int(StorageMode::Central);
}

void TestAnnotationFollower::renameFollows()
{
    QFETCH(int, mode);
    Fixture f{StorageMode(mode)};
    touch(f.path(u"r/b"_s));
    touch(f.path(u"r/a.txt"_s));
    touch(f.path(u"r/sub/inside.txt"_s));
    f.annotate(u"r/b"_s, u"bee"_s);
    f.annotate(u"r/a.txt"_s, u"sibling"_s);
    f.annotate(u"r/sub/inside.txt"_s, u"inside"_s);

    // A name differing from a sibling's only in case never takes the sibling's lines.
    QVERIFY(QFile::rename(f.path(u"r/b"_s), f.path(u"r/A.txt"_s)));
    QVERIFY(AnnotationFollower(f.store).renamed(f.path(u"r/b"_s), u"A.txt"_s).ok());
    QCOMPARE(f.comment(u"r/A.txt"_s), u"bee"_s);
    QCOMPARE(f.comment(u"r/a.txt"_s), u"sibling"_s);

    // A renamed folder keeps the annotations of what is inside it.
    QVERIFY(QFile::rename(f.path(u"r/sub"_s), f.path(u"r/renamed"_s)));
    QVERIFY(AnnotationFollower(f.store).renamed(f.path(u"r/sub"_s), u"renamed"_s).ok());
    QCOMPARE(f.comment(u"r/renamed/inside.txt"_s), u"inside"_s);
}

void TestAnnotationFollower::mergedFolderKeepsEveryonesAnnotations_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("declineX"); // answer No for the entry x inside
    for (StorageMode mode : {StorageMode::PerFolder, StorageMode::Central}) {
        const QByteArray m = mode == StorageMode::Central ? "central " : "per-folder ";
        for (int code : {int(FileOperationCode::MoveAsking), int(FileOperationCode::CopyAsking)}) {
            const QByteArray c = code == int(FileOperationCode::MoveAsking) ? "move" : "copy";
            QTest::newRow(QByteArray(m + c + ", all").constData()) << int(mode) << code << false;
            QTest::newRow(QByteArray(m + c + ", x declined").constData())
                << int(mode) << code << true;
        }
    }
}

void TestAnnotationFollower::mergedFolderKeepsEveryonesAnnotations()
{
    // "d" goes onto a "d" of its own with annotated items on both sides; Yes merges.
    QFETCH(int, mode);
    QFETCH(int, code);
    QFETCH(bool, declineX);
    const bool move = code == int(FileOperationCode::MoveAsking);
    Fixture f{StorageMode(mode)};
    for (const QString &name : {u"from/d/x"_s, u"from/d/y"_s, u"from/d/sub/z"_s, u"to/d/x"_s,
                                u"to/d/keep"_s, u"to/d/sub/z"_s}) {
        touch(f.path(name));
        f.annotate(name, name);
    }
    f.annotate(u"from/d"_s, u"from d"_s);
    // Listed tasks inside, of the merged folders themselves and of the destination.
    const QStringList listed{u"from/d/x"_s,   u"from/d/y"_s, u"from/d/sub/z"_s,
                             u"from/d/sub"_s, u"from/d"_s,   u"to/d/keep"_s};
    QString taskLines;
    for (const QString &name : listed)
        taskLines += f.path(name) + u'\n';
    QVERIFY(f.pf.writeBytes(u"task.ini"_s, taskLines.toUtf8()));

    FileOperationRequest request{FileOperationCode(code), {f.path(u"from/d"_s)}, f.path(u"to"_s)};
    FileOperationEngine engine;
    engine.setOverwriteCallback([declineX](const OverwriteQuestion &q) {
        return declineX && q.target.endsWith(u"/x"_s) ? OverwriteAnswer::No : OverwriteAnswer::Yes;
    });
    const FileOperationResult result = engine.run(request);
    QCOMPARE(result.items.value(0).status, ItemStatus::Done);
    QVERIFY(AnnotationFollower(f.store).follow(request, result).ok());

    // The destination's own items keep theirs; what went in brings its own.
    QCOMPARE(f.comment(u"to/d/keep"_s), u"to/d/keep"_s);
    QCOMPARE(f.comment(u"to/d/x"_s), declineX ? u"to/d/x"_s : u"from/d/x"_s);
    QCOMPARE(f.comment(u"to/d/y"_s), u"from/d/y"_s);
    QCOMPARE(f.extended(u"to/d/sub/z"_s), u"from/d/sub/z ex"_s);
    QCOMPARE(f.comment(u"to/d"_s), u"from d"_s);

    // The source keeps what stayed; a move empties it, and an emptied folder goes.
    QCOMPARE(f.comment(u"from/d/x"_s), move && !declineX ? QString() : u"from/d/x"_s);
    QCOMPARE(f.comment(u"from/d/y"_s), move ? QString() : u"from/d/y"_s);
    QCOMPARE(f.comment(u"from/d/sub/z"_s), move ? QString() : u"from/d/sub/z"_s);
    const bool sourceGone = move && !declineX;
    QCOMPARE(QFileInfo::exists(f.path(u"from/d"_s)), !sourceGone);
    QCOMPARE(QFileInfo::exists(f.path(u"from/d/sub"_s)), !move);
    QCOMPARE(f.comment(u"from/d"_s), sourceGone ? QString() : u"from d"_s);

    // task.ini: what went in is listed where it is now; what stayed, and a merged folder
    // that is still there, keep their lines.
    QStringList expected;
    for (const QString &name : listed) {
        const bool stays = !move || name == u"to/d/keep"_s || (name == u"from/d/x"_s && declineX) ||
                           (name == u"from/d"_s && !sourceGone);
        expected << f.path(stays ? name : QString(name).replace(u"from/"_s, u"to/"_s));
    }
    QCOMPARE(QString::fromUtf8(f.pf.readBytes(u"task.ini"_s)).split(u'\n', Qt::SkipEmptyParts),
             expected);
}

void TestAnnotationFollower::failedDestinationKeepsSource()
{
    // The destination's annotation file cannot be written (a folder in its place): the
    // moved item's lines stay in the source file rather than being lost.
    Fixture f{StorageMode::PerFolder};
    touch(f.path(u"from/a.txt"_s));
    f.annotate(u"from/a.txt"_s, u"safe"_s);
    f.dir(u"to/_m.ini"_s);
    f.run(FileOperationCode::MoveRenaming, {u"from/a.txt"_s}, u"to"_s);
    QVERIFY(!f.followed.ok());
    QVERIFY(QFile::exists(f.path(u"to/a.txt"_s)));
    QCOMPARE(f.store.folderList(f.path(u"from"_s)).value(u"a.txt"_s, u"_cmt"_s), u"safe"_s);
}

void TestAnnotationFollower::fullOtherFileSystemLosesNothing()
{
    // A small tmpfs: the first file fits, the second fills it up midway.
    QTemporaryDir mountPoint;
    if (::mount("tmpfs", QFile::encodeName(mountPoint.path()).constData(), "tmpfs", 0,
                "size=256k") != 0)
        QSKIP("cannot mount a tmpfs here");
    struct Unmount {
        QString path;
        ~Unmount() { ::umount2(QFile::encodeName(path).constData(), MNT_DETACH); }
    } unmount{mountPoint.path()};

    Fixture f{StorageMode::PerFolder};
    touch(f.path(u"from/small.txt"_s), QByteArray(1000, 's'));
    touch(f.path(u"from/big.bin"_s), QByteArray(1024 * 1024, 'b'));
    f.annotate(u"from/small.txt"_s, u"small"_s);
    f.annotate(u"from/big.bin"_s, u"big"_s);

    FileOperationRequest request{FileOperationCode::MoveRenaming,
                                 {f.path(u"from/small.txt"_s), f.path(u"from/big.bin"_s)},
                                 mountPoint.path()};
    FileOperationEngine engine;
    const FileOperationResult result = engine.run(request);
    QCOMPARE(result.items.value(0).status, ItemStatus::Done);
    QCOMPARE(result.items.value(1).status, ItemStatus::Failed);
    QVERIFY(AnnotationFollower(f.store).follow(request, result).ok());

    // The moved file and its annotation are on the other side; the other is whole at home.
    QCOMPARE(f.store.GetByPath(mountPoint.path() + u"/small.txt"_s, u"_cmt"_s), u"small"_s);
    QCOMPARE(f.comment(u"from/small.txt"_s), QString());
    QCOMPARE(readAll(f.path(u"from/big.bin"_s)), QByteArray(1024 * 1024, 'b'));
    QCOMPARE(f.comment(u"from/big.bin"_s), u"big"_s);
    QCOMPARE(f.extended(u"from/big.bin"_s), u"big ex"_s);
    QVERIFY(!QFileInfo::exists(mountPoint.path() + u"/big.bin"_s));
}

void TestAnnotationFollower::moveThatCannotRemoveItsSourceCopies_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("item");    // moved from "from" to the other file system
    QTest::addColumn<QString>("frozen");  // made unchangeable while the copy runs
    QTest::addColumn<QString>("arrives"); // the name at the destination
    QTest::newRow("file, renamed on collision")
        << int(FileOperationCode::MoveRenaming) << u"a.txt"_s << u""_s << u"a (2).txt"_s;
    QTest::newRow("folder, removal stops part-way")
        << int(FileOperationCode::MoveRenaming) << u"box"_s << u"/box/sub"_s << u"box"_s;
    QTest::newRow("file replacing another")
        << int(FileOperationCode::MoveAsking) << u"a.txt"_s << u""_s << u"a.txt"_s;
}

void TestAnnotationFollower::moveThatCannotRemoveItsSourceCopies()
{
    // The source's folder turns unchangeable after the removal check, while the copy runs:
    // both sides stay, the item counts as copied and its annotation is copied, not moved.
    QFETCH(int, code);
    QFETCH(QString, item);
    QFETCH(QString, frozen);
    QFETCH(QString, arrives);
    Tmpfs other("size=4m");
    if (!other.mounted)
        QSKIP("cannot mount a tmpfs here");
    Fixture f{StorageMode::PerFolder};
    touch(f.path(u"from/a.txt"_s), "a");
    touch(f.path(u"from/box/first.txt"_s));
    touch(f.path(u"from/box/sub/b.txt"_s), "b");
    touch(other.path() + u"/a.txt"_s, "old");
    f.annotate(u"from/a.txt"_s, u"a"_s);
    f.annotate(u"from/box"_s, u"box"_s);
    f.annotate(u"from/box/sub/b.txt"_s, u"b"_s);

    std::optional<ReadOnlyFolder> freeze;
    FileOperationRequest request{
        FileOperationCode(code), {f.path(u"from/"_s + item)}, other.path()};
    FileOperationEngine engine;
    engine.setOverwriteCallback([](const OverwriteQuestion &) { return OverwriteAnswer::Yes; });
    engine.setProgressCallback(
        [&](const FileOperationProgress &p) {
            if (!freeze && p.currentPath.startsWith(f.path(u"from/"_s)))
                freeze.emplace(f.path(u"from"_s + frozen));
        },
        0);
    const FileOperationResult result = engine.run(request);
    const bool frozeMidway = freeze && freeze->isActive();
    freeze.reset();
    if (!frozeMidway)
        QSKIP("cannot make a folder unchangeable here");
    QCOMPARE(result.items.value(0).status, ItemStatus::Copied);
    QVERIFY(!result.succeeded());
    QVERIFY(!result.items.value(0).error.isEmpty());
    const QString moved = other.path() + u'/' + arrives;
    QCOMPARE(result.items.value(0).destination, moved);
    QVERIFY(AnnotationFollower(f.store).follow(request, result).ok());

    const QString leaf = item == u"box"_s ? u"box/sub/b.txt"_s : item;
    const QString leafThere = item == u"box"_s ? leaf : arrives;
    QCOMPARE(readAll(other.path() + u'/' + leafThere), readAll(f.path(u"from/"_s + leaf)));
    QCOMPARE(f.store.GetByPath(moved, u"_cmt"_s), f.comment(u"from/"_s + item));
    QCOMPARE(f.store.GetByPath(moved, u"_cmtEx"_s), f.comment(u"from/"_s + item) + u" ex"_s);
    QCOMPARE(f.comment(u"from/"_s + item), item == u"box"_s ? u"box"_s : u"a"_s);
    QCOMPARE(f.comment(u"from/"_s + leaf), item == u"box"_s ? u"b"_s : u"a"_s);
    QCOMPARE(f.store.GetByPath(other.path() + u'/' + leafThere, u"_cmt"_s),
             f.comment(u"from/"_s + leaf));
    if (arrives == u"a (2).txt"_s)
        QCOMPARE(readAll(other.path() + u"/a.txt"_s), QByteArray("old"));
}

QTEST_GUILESS_MAIN(TestAnnotationFollower)
#include "tst_annotationfollower.moc"
