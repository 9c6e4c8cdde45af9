#include "core/annotations/annotationstore.h"
#include "core/app/settings.h"
#include "core/itemlist/detailscolumns.h"
#include "core/tasks/itemattributes.h"
#include "core/tasks/taskfields.h"
#include "core/tasks/taskreminder.h"

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

struct Fixture {
    Fixture()
    {
        reminder.connectStore([this](const QString &e) { errors.append(e); });
    }
    QString item(const QString &relative)
    {
        QDir(data.path()).mkpath(QFileInfo(data.filePath(relative)).path());
        QFile f(data.filePath(relative));
        if (f.open(QIODevice::WriteOnly))
            f.close();
        return data.filePath(relative);
    }
    QByteArray annotations(const QString &folder = QString())
    {
        QFile f(data.filePath(folder + u"_m.ini"_s));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    TempProgramFolder pf;
    QTemporaryDir data;
    Settings settings{pf.folder()};
    AnnotationStore store{pf.folder(), settings};
    TaskReminder reminder{pf.folder(), store, settings};
    QStringList errors;
};

} // namespace

class TestTaskFields : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writeListsAndFinishingUnlists();
    void unreadableValuesSurviveASave();
    void attributes();
    void sizeColumn_data();
    void sizeColumn();
};

void TestTaskFields::writeListsAndFinishingUnlists()
{
    Fixture f;
    const QString a = f.item(u"sub/a.txt"_s);
    QVERIFY(f.store.loadForListBuild(f.data.path()).ok);

    TaskFields t;
    t.start = TaskDateTime{QDate(2026, 1, 5), QTime(9, 0)};
    t.due = TaskDateTime{QDate(2026, 1, 9), QTime(17, 30)};
    t.importance = 3;
    t.notification = TaskNotification{1, QDate(2026, 1, 8), QTime(9, 0)};
    t.achievement = 40;
    // No task.ini yet: saving an open task creates it and lists the item.
    StoreResult r = TaskFields::write(f.store, f.reminder.taskList(), a, t);
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(f.annotations(u"sub/"_s),
             QByteArray("a.txt_cmp=40\na.txt_comp=0\na.txt_imp=3\na.txt_impN=1,2026/01/08,9:00:00\n"
                        "a.txt_TE=2026/01/09,17:30:00\na.txt_TS=2026/01/05,9:00:00\n"));
    // The current folder's file is not the item's: nothing was written there.
    QVERIFY(f.annotations().isEmpty());
    QCOMPARE(f.pf.readBytes(u"task.ini"_s), (a + u'\n').toUtf8());

    const TaskFields back = TaskFields::read(f.store, a);
    QVERIFY(back.hasTask);
    QCOMPARE(back.start, t.start);
    QCOMPARE(back.due, t.due);
    QCOMPARE(back.notification, t.notification);
    QCOMPARE(back.importance, 3);
    QCOMPARE(back.achievement, 40);
    QVERIFY(!back.finished);

    // Finishing unlists it; saving again keeps one line.
    t.finished = true;
    QVERIFY(TaskFields::write(f.store, f.reminder.taskList(), a, t).ok);
    QCOMPARE(f.pf.readBytes(u"task.ini"_s), QByteArray());
    QCOMPARE(f.store.GetByPath(a, u"_comp"_s), u"1"_s);
    t.finished = false;
    QVERIFY(TaskFields::write(f.store, f.reminder.taskList(), a, t).ok);
    QVERIFY(TaskFields::write(f.store, f.reminder.taskList(), a, t).ok);
    QCOMPARE(f.pf.readBytes(u"task.ini"_s), (a + u'\n').toUtf8());

    // Clearing removes the six fields and the listing, and leaves the comment.
    QVERIFY(f.store.SetByPath(a, u"_cmt"_s, u"keep"_s).ok);
    r = TaskFields::clear(f.store, a);
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(f.annotations(u"sub/"_s), QByteArray("a.txt_cmt=keep\n"));
    QCOMPARE(f.pf.readBytes(u"task.ini"_s), QByteArray());
    QVERIFY(!TaskFields::read(f.store, a).hasTask);
    QVERIFY(f.errors.isEmpty());
}

void TestTaskFields::unreadableValuesSurviveASave()
{
    Fixture f;
    const QString a = f.item(u"a.txt"_s);
    QFile m(f.data.filePath(u"_m.ini"_s));
    QVERIFY(m.open(QIODevice::WriteOnly));
    m.write("a.txt_TE=来週\na.txt_imp=high\na.txt_TS=2026/1/2,9:00\n");
    m.close();
    TaskFields t = TaskFields::read(f.store, a);
    QVERIFY(t.hasTask);
    QVERIFY(!t.due && !t.importance && t.start);
    QCOMPARE(t.unreadable.value(u"_TE"_s), u"来週"_s);
    QVERIFY(TaskFields::write(f.store, f.reminder.taskList(), a, t).ok);
    QCOMPARE(f.store.GetByPath(a, u"_TE"_s), u"来週"_s);
    QCOMPARE(f.store.GetByPath(a, u"_imp"_s), u"high"_s);
    QCOMPARE(f.store.GetByPath(a, u"_TS"_s), u"2026/01/02,9:00:00"_s);
    // Setting the field replaces the damaged text.
    t.importance = 0;
    QVERIFY(TaskFields::write(f.store, f.reminder.taskList(), a, t).ok);
    QCOMPARE(f.store.GetByPath(a, u"_imp"_s), u"0"_s);
}

void TestTaskFields::attributes()
{
    Fixture f;
    const QString a = f.item(u".hidden.txt"_s);
    ItemAttributes at = ItemAttributes::read(a);
    QVERIFY(at.readable && at.hidden && !at.folder && !at.readOnly);
    QCOMPARE(at.bits(), int(ItemAttributes::Hidden));

    // Read-only is the owner's write permission; hidden is not changed by the window.
    at.readOnly = true;
    at.hidden = false;
    QString error;
    QVERIFY2(ItemAttributes::apply(a, at, &error), qPrintable(error));
    QVERIFY(!(QFile::permissions(a) & QFileDevice::WriteOwner));
    at = ItemAttributes::read(a);
    QCOMPARE(at.bits(), int(ItemAttributes::ReadOnly | ItemAttributes::Hidden));
    at.readOnly = false;
    QVERIFY(ItemAttributes::apply(a, at, &error));
    QVERIFY(QFile::permissions(a) & QFileDevice::WriteOwner);

    // A folder: the folder bit is read, its read-only mark is left alone.
    const QString dir = f.data.filePath(u"d"_s);
    QVERIFY(QDir().mkpath(dir));
    at = ItemAttributes::read(dir);
    QVERIFY(at.folder);
    at.readOnly = true;
    QVERIFY(ItemAttributes::apply(dir, at, &error));
    QVERIFY(QFile::permissions(dir) & QFileDevice::WriteOwner);

    // A vanished entry is a failure, not a silent success.
    QVERIFY(!ItemAttributes::apply(f.data.filePath(u"gone"_s), at, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(ItemAttributes::sizeText(3LL * 1024 * 1024 * 1024), u"3221225472 Byte"_s);
}

void TestTaskFields::sizeColumn_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("exactly 1024") << qint64(1024) << u"1024"_s;
    QTest::newRow("1536") << qint64(1536) << u"1.50KB"_s;
    QTest::newRow("exactly 1 MiB stays KB") << qint64(1048576) << u"1024.00KB"_s;
    QTest::newRow("3 GiB") << qint64(3) * 1073741824 << u"3.00GB"_s;
    QTest::newRow("beyond 32 bits") << qint64(5) * 1073741824 + 1 << u"5.00GB"_s;
}

// The details column's size: 64-bit throughout, so large files never wrap negative.
void TestTaskFields::sizeColumn()
{
    QFETCH(qint64, bytes);
    QFETCH(QString, text);
    QCOMPARE(DetailsColumns::sizeText(bytes), text);
}

QTEST_GUILESS_MAIN(TestTaskFields)
#include "tst_taskfields.moc"
