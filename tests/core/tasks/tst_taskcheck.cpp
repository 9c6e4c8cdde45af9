#include "core/annotations/annotationstore.h"
#include "core/app/componentnames.h"
#include "core/app/settings.h"
#include "core/tasks/taskreminder.h"

#include "testsupport/fakeclock.h"
#include "testsupport/tempprogramfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kazari;
using namespace kazari::test;
using namespace Qt::StringLiterals;

namespace
{

// A program folder, a data folder whose `_m.ini` holds the annotations, the store and a
// reminder on a clock standing at 2026/01/01 9:00:00.
struct Fixture {
    Fixture() { settings.setSwitch(Component::AutomaticTaskCheck, true); }
    QString item(const QString &name)
    {
        QFile f(data.filePath(name));
        if (f.open(QIODevice::WriteOnly))
            f.close();
        return data.filePath(name);
    }
    void annotate(const QStringList &lines)
    {
        QFile f(data.filePath(u"_m.ini"_s));
        if (f.open(QIODevice::WriteOnly))
            f.write((lines.join(u'\n') + u'\n').toUtf8());
    }
    void listTasks(const QStringList &paths)
    {
        pf.writeBytes(u"task.ini"_s, (paths.join(u'\n') + u'\n').toUtf8());
    }

    FakeClock clock;
    TempProgramFolder pf;
    QTemporaryDir data;
    Settings settings{pf.folder()};
    AnnotationStore store{pf.folder(), settings};
    TaskReminder reminder{pf.folder(), store, settings, &clock};
};

QStringList describe(const TaskItem &item)
{
    QStringList out;
    for (const TaskDetail &d : item.details) {
        static const char *const kinds[] = {"comment", "start", "due", "notice", "done", "imp"};
        QString s = QString::fromLatin1(kinds[d.kind]);
        const bool dated = d.kind == TaskDetail::Start || d.kind == TaskDetail::Due ||
                           d.kind == TaskDetail::Notice;
        if (dated && !d.moment.isValid())
            s += u'?'; // shown as written: the value does not read
        else if (d.kind == TaskDetail::Start || d.kind == TaskDetail::Due)
            s += d.passed ? u'+' : u'-';
        out.append(s + u':' + d.text);
    }
    return out;
}

} // namespace

class TestTaskCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void check_data();
    void check();
    void numbersCountEmptyLinesAndMessageIsExact();
    void detailsOfATask();
    void triggersAndMissingFiles();
    void damagedTaskLeavesTheOthersChecked();
};

void TestTaskCheck::check_data()
{
    QTest::addColumn<QStringList>("fields"); // suffix=value for the item t.txt
    QTest::addColumn<bool>("shown");
    QTest::addColumn<int>("state");
    QTest::addColumn<QStringList>("details");
    QTest::addColumn<QStringList>("announced"); // kind and "when" of each block

    const QString start = u"_TS=2026/01/01,8:00:00"_s;
    const QString startShown = u"start+:2026/01/01,8:00:00"_s;
    const int pending = TaskItem::Pending;
    const int overdue = TaskItem::Overdue;
    const int noDue = TaskItem::NoDue;

    QTest::newRow("due later today")
        << QStringList{start, u"_TE=2026/01/01,17:00:00"_s} << true << pending
        << QStringList{startShown, u"due-:2026/01/01,17:00:00"_s} << QStringList{};
    QTest::newRow("overdue by one second")
        << QStringList{start, u"_TE=2026/01/01,8:59:59"_s} << true << overdue
        << QStringList{startShown, u"due+:2026/01/01,8:59:59"_s}
        << QStringList{u"期日超過 2026/01/01,8:59:59"_s};
    QTest::newRow("due this very second")
        << QStringList{start, u"_TE=2026/01/01,9:00:00"_s} << true << overdue
        << QStringList{startShown, u"due+:2026/01/01,9:00:00"_s}
        << QStringList{u"期日超過 2026/01/01,9:00:00"_s};
    QTest::newRow("not yet due, lenient date")
        << QStringList{u"_TS=2026-1-2,9:00"_s, u"_TE=2026/1/3,0:00:00"_s} << true << pending
        << QStringList{u"start-:2026-1-2,9:00"_s, u"due-:2026/1/3,0:00:00"_s} << QStringList{};
    QTest::newRow("no start: not shown") << QStringList{u"_TE=2026/01/01,8:00:00"_s} << false
                                         << noDue << QStringList{} << QStringList{};
    QTest::newRow("start that does not read: shown as written")
        << QStringList{u"_TS=yesterday"_s, u"_TE=2026/01/01,8:00:00"_s} << true << overdue
        << QStringList{u"start?:yesterday"_s, u"due+:2026/01/01,8:00:00"_s}
        << QStringList{u"期日超過 2026/01/01,8:00:00"_s};
    QTest::newRow("due that does not read: neither pending nor overdue")
        << QStringList{start, u"_TE=2026/13/01,9:00:00"_s, u"_impN=1,2026/01/02,9:00:00"_s} << true
        << noDue
        << QStringList{startShown, u"due?:2026/13/01,9:00:00"_s, u"notice:2026/01/02,9:00:00"_s}
        << QStringList{u"お知らせ 2026/01/02,9:00:00"_s};
    QTest::newRow("due written as words")
        << QStringList{start, u"_TE=来週の金曜"_s} << true << noDue
        << QStringList{startShown, u"due?:来週の金曜"_s} << QStringList{};
    QTest::newRow("finished task is not listed")
        << QStringList{start, u"_TE=2025/12/31,9:00:00"_s, u"_comp=1"_s} << false << noDue
        << QStringList{} << QStringList{};
    QTest::newRow("open task marked 0 is listed")
        << QStringList{start, u"_TE=2025/12/31,9:00:00"_s, u"_comp=0"_s} << true << overdue
        << QStringList{startShown, u"due+:2025/12/31,9:00:00"_s}
        << QStringList{u"期日超過 2025/12/31,9:00:00"_s};
    QTest::newRow("notice due now")
        << QStringList{start, u"_TE=2026/01/05,9:00:00"_s, u"_impN=1,2026/01/01,9:00:00"_s} << true
        << pending
        << QStringList{startShown, u"due-:2026/01/05,9:00:00"_s, u"notice:2026/01/01,9:00:00"_s}
        << QStringList{u"お知らせ 2026/01/01,9:00:00"_s};
    QTest::newRow("notice passed")
        << QStringList{start, u"_TE=2026/01/05,9:00:00"_s, u"_impN=4,2026/01/01,8:59:59"_s} << true
        << pending
        << QStringList{startShown, u"due-:2026/01/05,9:00:00"_s, u"notice:2026/01/01,8:59:59"_s}
        << QStringList{};
    QTest::newRow("notice method 0")
        << QStringList{start, u"_TE=2026/01/05,9:00:00"_s, u"_impN=0,2026/01/02,9:00:00"_s} << true
        << pending << QStringList{startShown, u"due-:2026/01/05,9:00:00"_s} << QStringList{};
    QTest::newRow("notice without due")
        << QStringList{start, u"_impN=1,2026/01/02,9:00:00"_s} << true << noDue
        << QStringList{startShown} << QStringList{};
    QTest::newRow("notice date that does not read")
        << QStringList{start, u"_TE=2026/01/05,9:00:00"_s, u"_impN=1,2026/02/30,9:00:00"_s} << true
        << pending
        << QStringList{startShown, u"due-:2026/01/05,9:00:00"_s, u"notice?:1,2026/02/30,9:00:00"_s}
        << QStringList{};
    QTest::newRow("notice method that does not read")
        << QStringList{start, u"_TE=2026/01/05,9:00:00"_s, u"_impN=x,2026/01/02,9:00:00"_s} << true
        << pending
        << QStringList{startShown, u"due-:2026/01/05,9:00:00"_s, u"notice?:x,2026/01/02,9:00:00"_s}
        << QStringList{};
}

void TestTaskCheck::check()
{
    QFETCH(QStringList, fields);
    QFETCH(bool, shown);
    QFETCH(int, state);
    QFETCH(QStringList, details);
    QFETCH(QStringList, announced);
    Fixture f;
    const QString path = f.item(u"t.txt"_s);
    QStringList lines;
    for (const QString &field : fields)
        lines.append(u"t.txt"_s + field);
    f.annotate(lines);
    f.listTasks({path});

    const std::optional<TaskCheckResult> r = f.reminder.check(TaskReminder::Trigger::Refresh);
    QVERIFY(r);
    QVERIFY(r->error.isEmpty());
    QCOMPARE(r->lineCount, 1);
    QCOMPARE(r->tasks.size(), shown ? 1 : 0);
    QStringList blocks;
    for (const TaskAnnouncement &a : r->announcements) {
        QCOMPARE(a.path, path);
        blocks.append((a.kind == TaskAnnouncement::Overdue ? u"期日超過 "_s : u"お知らせ "_s) +
                      a.when);
    }
    QCOMPARE(blocks, announced);
    if (!shown)
        return;
    const TaskItem &task = r->tasks.first();
    QCOMPARE(task.path, path);
    QCOMPARE(int(task.state), state);
    QCOMPARE(describe(task), details);
    QVERIFY(task.folderExists);
}

void TestTaskCheck::numbersCountEmptyLinesAndMessageIsExact()
{
    Fixture f;
    const QString a = f.item(u"a.txt"_s);
    const QString c = f.item(u"c.txt"_s);
    f.annotate({u"a.txt_TS=2025/12/01,9:00:00"_s, u"a.txt_TE=2025/12/31,9:00:00"_s,
                u"c.txt_cmt=見積もり"_s, u"c.txt_TS=2025/12/01,9:00:00"_s,
                u"c.txt_TE=2026/01/01,8:00:00"_s, u"c.txt_impN=1,2026/01/02,10:00:00"_s});
    f.listTasks({a, QString(), c});

    std::optional<TaskCheckResult> r = f.reminder.check(TaskReminder::Trigger::Startup);
    QVERIFY(r);
    QVERIFY(r->announce);
    QCOMPARE(r->lineCount, 3);
    QCOMPARE(r->headerText(), u"最終更新2026/01/01 9:00:00"_s);
    QCOMPARE(r->tasks.size(), 2);
    QCOMPARE(r->tasks.at(1).number, 2);
    QCOMPARE(r->messageText(), u"タスクのお知らせ\n\n"
                               "0 期日超過\n[%1]\n[2025/12/31,9:00:00]\n\n\n"
                               "2 期日超過\n[%2]\n[2026/01/01,8:00:00]\n見積もり\n\n"
                               "2 お知らせ\n[%2]\n[2026/01/02,10:00:00]\n見積もり\n\n"_s.arg(a, c));

    // Without automatic checking the tree still marks overdue tasks, but nothing is
    // announced.
    f.settings.setSwitch(Component::AutomaticTaskCheck, false);
    r = f.reminder.check(TaskReminder::Trigger::Refresh);
    QVERIFY(r);
    QVERIFY(!r->announce);
    QVERIFY(r->announcements.isEmpty());
    QCOMPARE(int(r->tasks.at(0).state), int(TaskItem::Overdue));
}

void TestTaskCheck::detailsOfATask()
{
    Fixture f;
    const QString t = f.item(u"t.txt"_s);
    const QString u = f.item(u"u.txt"_s);
    const QString v = f.item(u"v.txt"_s);
    f.annotate({u"t.txt_TS=2026/01/01,8:00:00"_s, u"t.txt_TE=2026/01/02,8:00:00"_s,
                u"t.txt_impN=3,2026/01/02,7:00:00"_s, u"t.txt_cmt=報告"_s, u"t.txt_cmp=40"_s,
                u"t.txt_imp=4"_s, u"u.txt_TS=2026/01/01,10:00:00"_s, u"u.txt_imp=7"_s,
                u"u.txt_cmp=150"_s, u"v.txt_TS=2026/01/01,8:00:00"_s, u"v.txt_imp=high"_s});
    f.listTasks({t, u, v, u"relative/path"_s, u"C:\\old\\task.txt"_s});
    const std::optional<TaskCheckResult> r = f.reminder.check(TaskReminder::Trigger::Refresh);
    QVERIFY(r);
    QCOMPARE(r->tasks.size(), 3);
    QCOMPARE(describe(r->tasks.at(0)),
             (QStringList{u"comment:報告"_s, u"start+:2026/01/01,8:00:00"_s,
                          u"due-:2026/01/02,8:00:00"_s, u"notice:2026/01/02,7:00:00"_s,
                          u"done:40"_s, u"imp:重要"_s}));
    // An importance out of range shows as written; an achievement out of range or an
    // importance that is no number reads as absent.
    QCOMPARE(describe(r->tasks.at(1)), (QStringList{u"start-:2026/01/01,10:00:00"_s, u"imp:7"_s}));
    QCOMPARE(describe(r->tasks.at(2)), QStringList{u"start+:2026/01/01,8:00:00"_s});
}

void TestTaskCheck::triggersAndMissingFiles()
{
    Fixture f;
    f.settings.setSwitch(Component::AutomaticTaskCheck, false);
    f.settings.setSwitch(Component::OpenTasksPage, false);
    QVERIFY(!f.reminder.check(TaskReminder::Trigger::Startup));
    QVERIFY(f.reminder.check(TaskReminder::Trigger::PendingListShown));
    f.settings.setSwitch(Component::OpenTasksPage, true);
    std::optional<TaskCheckResult> r = f.reminder.check(TaskReminder::Trigger::Startup);
    QVERIFY(r);
    QVERIFY(!r->announce);

    // No task.ini: an empty check; announcing shows the heading alone.
    f.settings.setSwitch(Component::AutomaticTaskCheck, true);
    r = f.reminder.check(TaskReminder::Trigger::Refresh);
    QVERIFY(r && r->tasks.isEmpty() && r->error.isEmpty());
    QCOMPARE(r->messageText(), u"タスクのお知らせ\n\n"_s);

    // A task.ini that cannot be read: an empty check that says why.
    QVERIFY(QDir().mkpath(f.pf.file(u"task.ini"_s)));
    r = f.reminder.check(TaskReminder::Trigger::Refresh);
    QVERIFY(r && r->tasks.isEmpty());
    QVERIFY(!r->error.isEmpty());
}

void TestTaskCheck::damagedTaskLeavesTheOthersChecked()
{
    Fixture f;
    const QString a = f.item(u"a.txt"_s);
    const QString b = f.item(u"b.txt"_s);
    const QString c = f.item(u"c.txt"_s);
    f.annotate({u"a.txt_TS=2025/12/01,9:00:00"_s, u"a.txt_TE=2025/12/31,9:00:00"_s,
                u"b.txt_TS=2025/12/01,9:00:00"_s, u"b.txt_TE=2025/12/32,25:00:00"_s,
                u"b.txt_impN=9,someday"_s, u"c.txt_TS=2025/12/01,9:00:00"_s,
                u"c.txt_TE=2025/12/31,10:00:00"_s});
    f.listTasks({a, b, c});
    const std::optional<TaskCheckResult> r = f.reminder.check(TaskReminder::Trigger::Refresh);
    QVERIFY(r);
    QCOMPARE(r->tasks.size(), 3);
    QCOMPARE(int(r->tasks.at(0).state), int(TaskItem::Overdue));
    QCOMPARE(int(r->tasks.at(1).state), int(TaskItem::NoDue));
    QCOMPARE(int(r->tasks.at(2).state), int(TaskItem::Overdue));
    QCOMPARE(r->announcements.size(), 2);
    QCOMPARE(r->announcements.at(0).number, 0);
    QCOMPARE(r->announcements.at(1).number, 2);
}

QTEST_GUILESS_MAIN(TestTaskCheck)
#include "tst_taskcheck.moc"
