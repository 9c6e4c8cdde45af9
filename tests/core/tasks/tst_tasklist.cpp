#include "core/annotations/annotationstore.h"
#include "core/app/settings.h"
#include "core/fileops/annotationfollower.h"
#include "core/tasks/taskreminder.h"

#include "testsupport/tempprogramfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kazari;
using namespace kazari::test;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(kazari::TaskListChange)

class TestTaskList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void apply_data();
    void apply();
    void hostileFileRoundTrip();
    void unreadableFileIsNeverWritten();
    void storeOperationsKeepTheListInStep();
    void followMove_data();
    void followMove();
    void fileOperationsCarryTheirLines();
};

void TestTaskList::apply_data()
{
    QTest::addColumn<QByteArray>("before"); // null: no file
    QTest::addColumn<TaskListChange>("change");
    QTest::addColumn<QByteArray>("after"); // null: still no file
    const QByteArray none;
    QTest::newRow("open, no file: never created") << none << TaskListChange::Open << none;
    QTest::newRow("finished, no file") << none << TaskListChange::Finished << none;
    QTest::newRow("cleared, no file: written empty")
        << none << TaskListChange::Cleared << QByteArray("");
    QTest::newRow("open is appended")
        << QByteArray("/a/x\n") << TaskListChange::Open << QByteArray("/a/x\n/d/item\n");
    QTest::newRow("open, already listed")
        << QByteArray("/d/item\n/a/x\n") << TaskListChange::Open << QByteArray("/d/item\n/a/x\n");
    QTest::newRow("open, listed in another spelling")
        << QByteArray("/d//item\n") << TaskListChange::Open << QByteArray("/d//item\n");
    QTest::newRow("open, other case is another item")
        << QByteArray("/d/ITEM\n") << TaskListChange::Open << QByteArray("/d/ITEM\n/d/item\n");
    QTest::newRow("finished removes every listing")
        << QByteArray("/d/item\n/a/x\n\n/d/item\n") << TaskListChange::Finished
        << QByteArray("/a/x\n\n");
    QTest::newRow("cleared removes it")
        << QByteArray("/a/x\n/d/item\n") << TaskListChange::Cleared << QByteArray("/a/x\n");
}

void TestTaskList::apply()
{
    QFETCH(QByteArray, before);
    QFETCH(TaskListChange, change);
    QFETCH(QByteArray, after);
    TempProgramFolder pf;
    if (!before.isNull())
        QVERIFY(pf.writeBytes(u"task.ini"_s, before));
    TaskList list(pf.folder());
    QString error;
    QVERIFY2(list.apply(u"/d/item"_s, change, &error), qPrintable(error));
    QCOMPARE(pf.exists(u"task.ini"_s), !after.isNull());
    if (!after.isNull())
        QCOMPARE(pf.readBytes(u"task.ini"_s), after);
}

void TestTaskList::hostileFileRoundTrip()
{
    TempProgramFolder pf;
    // CP932 text ("タスク" is \x83\x5e\x83\x58\x83\x4e), a Windows path, a line no
    // encoding reads, blank lines, no final line end.
    const QByteArray before = "C:\\\x83\x5e\x83\x58\x83\x4e\\a.txt\r\n"
                              "\r\n"
                              "garbage = \xff\xfe\x80 line\r\n"
                              "   \r\n"
                              "/d/other";
    QVERIFY(pf.writeBytes(u"task.ini"_s, before));
    TaskList list(pf.folder());
    QVERIFY(list.apply(u"/d/item"_s, TaskListChange::Open));
    QCOMPARE(pf.readBytes(u"task.ini"_s), before + "\r\n/d/item");
    QVERIFY(list.load());
    QCOMPARE(list.lines().size(), 6);
    QCOMPARE(list.indexOf(u"/d/item"_s), 5);
    // Windows paths match without regard to case.
    QCOMPARE(list.indexOf(u"c:\\タスク\\A.TXT"_s), 0);

    QVERIFY(list.apply(u"/d/item"_s, TaskListChange::Finished));
    QCOMPARE(pf.readBytes(u"task.ini"_s), before);
    QVERIFY(list.apply(u"C:\\タスク\\A.txt"_s, TaskListChange::Cleared));
    QCOMPARE(pf.readBytes(u"task.ini"_s), before.mid(before.indexOf('\n') + 1));
}

void TestTaskList::unreadableFileIsNeverWritten()
{
    TempProgramFolder pf;
    QVERIFY(QDir().mkpath(pf.file(u"task.ini"_s)));
    TaskList list(pf.folder());
    QString error;
    QVERIFY(!list.apply(u"/d/item"_s, TaskListChange::Cleared, &error));
    QVERIFY(error.contains(u"task.ini"_s));
    QVERIFY(QFileInfo(pf.file(u"task.ini"_s)).isDir());
}

void TestTaskList::storeOperationsKeepTheListInStep()
{
    TempProgramFolder pf;
    QTemporaryDir data;
    const QString folder = data.path() + u'/';
    QFile item(folder + u"report.txt"_s);
    QVERIFY(item.open(QIODevice::WriteOnly));
    item.close();
    QVERIFY(pf.writeBytes(u"task.ini"_s, "/elsewhere\n"));

    Settings settings(pf.folder());
    AnnotationStore store(pf.folder(), settings);
    TaskReminder reminder(pf.folder(), store, settings);
    QStringList errors;
    reminder.connectStore([&](const QString &e) { errors.append(e); });
    QVERIFY(store.loadForListBuild(folder).ok);

    AnnotationOpInput open;
    open.completed = false;
    QVERIFY(
        store.AnnotationOp(folder, u"report.txt"_s, QPoint(), -1, -1, OpSetCompletion, open).ok);
    const QString path = folder + u"report.txt"_s;
    QCOMPARE(pf.readBytes(u"task.ini"_s), "/elsewhere\n" + QFile::encodeName(path) + '\n');

    AnnotationOpInput done;
    done.completed = true;
    QVERIFY(
        store.AnnotationOp(folder, u"report.txt"_s, QPoint(), -1, -1, OpSetCompletion, done).ok);
    QCOMPARE(pf.readBytes(u"task.ini"_s), QByteArray("/elsewhere\n"));
    QVERIFY(errors.isEmpty());
}

void TestTaskList::followMove_data()
{
    QTest::addColumn<QByteArray>("before"); // null: no file
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QByteArray>("after"); // null: still no file
    QTest::newRow("no file: never created")
        << QByteArray() << u"/d/a"_s << u"/d/b"_s << QByteArray();
    QTest::newRow("renamed item follows, order and blanks kept")
        << QByteArray("/x\n\n/d/a\n/y\n") << u"/d/a"_s << u"/d/b"_s
        << QByteArray("/x\n\n/d/b\n/y\n");
    QTest::newRow("items below a moved folder follow")
        << QByteArray("/d/f/a\n/d/f/sub/b\n/d/f\n") << u"/d/f/"_s << u"/e/g"_s
        << QByteArray("/e/g/a\n/e/g/sub/b\n/e/g\n");
    QTest::newRow("a sibling sharing the prefix stays")
        << QByteArray("/d/f2/a\n/d/fa\n") << u"/d/f"_s << u"/e/g"_s
        << QByteArray("/d/f2/a\n/d/fa\n");
    QTest::newRow("moved onto a listed item: listed once")
        << QByteArray("/d/a\n/x\n/e/a\n") << u"/d/a"_s << u"/e/a"_s << QByteArray("/x\n/e/a\n");
    QTest::newRow("another letter case is another item")
        << QByteArray("/d/A\n") << u"/d/a"_s << u"/d/b"_s << QByteArray("/d/A\n");
}

void TestTaskList::followMove()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QByteArray, after);
    TempProgramFolder pf;
    if (!before.isNull())
        QVERIFY(pf.writeBytes(u"task.ini"_s, before));
    TaskList list(pf.folder());
    QString error;
    QVERIFY2(list.followMove(from, to, &error), qPrintable(error));
    QCOMPARE(pf.exists(u"task.ini"_s), !after.isNull());
    if (!after.isNull())
        QCOMPARE(pf.readBytes(u"task.ini"_s), after);
}

namespace
{

ItemOutcome outcome(const QString &source, ItemStatus status, const QString &destination)
{
    ItemOutcome o;
    o.source = source;
    o.status = status;
    o.destination = destination;
    return o;
}

} // namespace

// A rename in place and a move done by the file operations take the listed lines along;
// a failed move and a copy leave them.
void TestTaskList::fileOperationsCarryTheirLines()
{
    TempProgramFolder pf;
    QTemporaryDir data;
    const QString a = data.filePath(u"a"_s);
    const QString b = data.filePath(u"b"_s);
    QVERIFY(QDir().mkpath(a) && QDir().mkpath(b));
    QVERIFY(pf.writeBytes(
        u"task.ini"_s,
        (a + u"/old.txt\n\n"_s + a + u"/keep.txt\n"_s + a + u"/sub/deep.txt\n"_s).toUtf8()));
    Settings settings(pf.folder());
    AnnotationStore store(pf.folder(), settings);
    AnnotationFollower follower(store);

    QVERIFY(follower.renamed(a + u"/old.txt"_s, u"new.txt"_s).ok());
    FileOperationRequest move;
    move.code = FileOperationCode::MoveRenaming;
    FileOperationResult moved;
    moved.items.append(outcome(a + u"/new.txt"_s, ItemStatus::Done, b + u"/new (2).txt"_s));
    moved.items.append(outcome(a + u"/keep.txt"_s, ItemStatus::Failed, QString()));
    moved.items.append(outcome(a + u"/sub"_s, ItemStatus::Done, b + u"/sub"_s));
    QVERIFY(follower.follow(move, moved).ok());
    FileOperationRequest copy;
    copy.code = FileOperationCode::CopyRenaming;
    FileOperationResult copied;
    copied.items.append(outcome(b + u"/new (2).txt"_s, ItemStatus::Done, a + u"/copy.txt"_s));
    QVERIFY(follower.follow(copy, copied).ok());

    QCOMPARE(QString::fromUtf8(pf.readBytes(u"task.ini"_s)),
             b + u"/new (2).txt\n\n"_s + a + u"/keep.txt\n"_s + b + u"/sub/deep.txt\n"_s);
}

QTEST_GUILESS_MAIN(TestTaskList)
#include "tst_tasklist.moc"
