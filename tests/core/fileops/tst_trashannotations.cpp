// Annotations of items sent to the trash stay with their trash entries: restoring brings
// them back, removing an entry for good drops them.
#include "annotatedfolders.h"
#include "core/fileops/trashannotations.h"

using namespace kazari;
using namespace kazari::test;
using namespace Qt::StringLiterals;

namespace
{

struct Fixture : AnnotatedFolders {
    using AnnotatedFolders::AnnotatedFolders;
    // Trashes like the file commands do: the engine, then the annotations follow.
    void trashItem(const QString &relative)
    {
        QCOMPARE(run(FileOperationCode::Delete, {relative}, QString()).items.value(0).status,
                 ItemStatus::Done);
        QVERIFY(followed.ok());
    }
    TrashEntry entryOf(const QString &relative) const
    {
        for (const TrashEntry &e : trash.entriesIn(trash.homeTrashFolder())) {
            if (e.originalPath == path(relative))
                return e;
        }
        return TrashEntry();
    }
    QStringList kept() const { return QDir(pf.file(u"vtl/trash"_s)).entryList(QDir::Files); }
};

} // namespace

class TestTrashAnnotations : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void restoringBringsThemBack_data();
    void restoringBringsThemBack();
    void goneEntryLeavesNothingBehind_data();
    void goneEntryLeavesNothingBehind();
};

void TestTrashAnnotations::restoringBringsThemBack_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("taken"); // something new took the name meanwhile
    for (StorageMode mode : {StorageMode::PerFolder, StorageMode::Central}) {
        const char *m = mode == StorageMode::Central ? "central" : "per-folder";
        for (const QString &item : {u"a.txt"_s, u"box"_s}) {
            for (bool taken : {false, true})
                QTest::addRow("%s, %s, %s", m, qPrintable(item),
                              taken ? "restored beside a newcomer" : "back in place")
                    << int(mode) << item << taken;
        }
    }
}

void TestTrashAnnotations::restoringBringsThemBack()
{
    QFETCH(int, mode);
    QFETCH(QString, item);
    QFETCH(bool, taken);
    Fixture f{StorageMode(mode)};
    touch(f.path(u"d/a.txt"_s));
    touch(f.path(u"d/box/inner.txt"_s));
    touch(f.path(u"d/box/deep/leaf.txt"_s));
    touch(f.path(u"d/other.txt"_s));
    f.annotate(u"d/"_s + item, u"mine"_s);
    f.annotate(u"d/box/inner.txt"_s, u"inner"_s);
    f.annotate(u"d/box/deep/leaf.txt"_s, u"leaf"_s);
    f.annotate(u"d/other.txt"_s, u"other"_s);

    f.trashItem(u"d/"_s + item);
    QCOMPARE(f.comment(u"d/"_s + item), QString());
    QCOMPARE(f.comment(u"d/other.txt"_s), u"other"_s);
    if (taken) {
        // The place is free of the trashed item's annotations, for what is inside it too.
        if (item == u"box"_s)
            QVERIFY(QDir().mkpath(f.path(u"d/box/inner.txt"_s)));
        else
            touch(f.path(u"d/a.txt"_s));
        QCOMPARE(f.comment(u"d/"_s + item), QString());
        if (item == u"box"_s)
            QCOMPARE(f.comment(u"d/box/inner.txt"_s), QString());
    }

    const TrashEntry entry = f.entryOf(u"d/"_s + item);
    QVERIFY(!entry.trashName.isEmpty());
    const TrashResult r = f.trash.restore(entry, taken ? Trash::RestoreMode::RenameWhenTaken
                                                       : Trash::RestoreMode::RefuseWhenTaken);
    QVERIFY2(r.ok, qPrintable(r.error));
    QString error;
    QVERIFY2(TrashAnnotations(f.store).restored(entry, r.path, &error), qPrintable(error));

    const QString back = QFileInfo(r.path).fileName();
    QCOMPARE(back, taken ? (item == u"box"_s ? u"box (2)"_s : u"a (2).txt"_s) : item);
    QCOMPARE(f.comment(u"d/"_s + back), u"mine"_s);
    QCOMPARE(f.store.GetByPath(r.path, u"_cmtEx"_s), u"mine ex"_s);
    QCOMPARE(f.comment(u"d/"_s + item), taken ? QString() : u"mine"_s);
    QCOMPARE(f.comment(u"d/box/inner.txt"_s), item == u"box"_s && taken ? QString() : u"inner"_s);
    if (item == u"box"_s) {
        QCOMPARE(f.comment(u"d/"_s + back + u"/inner.txt"_s), u"inner"_s);
        QCOMPARE(f.comment(u"d/"_s + back + u"/deep/leaf.txt"_s), u"leaf"_s);
    }
    QCOMPARE(f.kept(), QStringList());
}

void TestTrashAnnotations::goneEntryLeavesNothingBehind_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("elsewhere"); // emptied and refilled by another program
    for (StorageMode mode : {StorageMode::PerFolder, StorageMode::Central}) {
        const char *m = mode == StorageMode::Central ? "central" : "per-folder";
        for (const QString &item : {u"a.txt"_s, u"box"_s}) {
            QTest::addRow("%s, %s, removed for good", m, qPrintable(item))
                << int(mode) << item << false;
            QTest::addRow("%s, %s, emptied elsewhere", m, qPrintable(item))
                << int(mode) << item << true;
        }
    }
}

void TestTrashAnnotations::goneEntryLeavesNothingBehind()
{
    // An annotated item is trashed and its entry goes; then another item of the same name
    // takes the same place in the trash and is restored: it gets nothing of the first.
    QFETCH(int, mode);
    QFETCH(QString, item);
    QFETCH(bool, elsewhere);
    Fixture f{StorageMode(mode)};
    const QString inside = item == u"box"_s ? u"/inner.txt"_s : QString();
    touch(f.path(u"d/"_s + item + (inside.isEmpty() ? QString() : inside)));
    f.annotate(u"d/"_s + item, u"first"_s);
    if (!inside.isEmpty())
        f.annotate(u"d/"_s + item + inside, u"first inside"_s);
    f.trashItem(u"d/"_s + item);
    const TrashEntry first = f.entryOf(u"d/"_s + item);
    QVERIFY(!first.trashName.isEmpty());
    if (elsewhere) {
        QVERIFY(f.trash.erase(first).ok);
    } else {
        QVERIFY(TrashAnnotations(f.store).erase(f.trash, first).ok);
        QCOMPARE(f.kept(), QStringList());
    }

    const QString second = elsewhere ? u"e/"_s + item : u"d/"_s + item;
    touch(f.path(second + (inside.isEmpty() ? QString() : inside)));
    if (elsewhere)
        QVERIFY(f.trash.moveToTrash(f.path(second)).ok);
    else
        f.trashItem(second);
    const TrashEntry entry = f.entryOf(second);
    QCOMPARE(entry.filesPath(), first.filesPath());
    const TrashResult r = f.trash.restore(entry, Trash::RestoreMode::RefuseWhenTaken);
    QVERIFY(r.ok);
    QString error;
    QVERIFY(TrashAnnotations(f.store).restored(entry, r.path, &error));
    QCOMPARE(f.comment(second), QString());
    if (!inside.isEmpty())
        QCOMPARE(f.comment(second + inside), QString());
    QCOMPARE(f.kept(), QStringList());
}

QTEST_GUILESS_MAIN(TestTrashAnnotations)
#include "tst_trashannotations.moc"
