#include "core/annotations/annotationstore.h"
#include "core/app/componentnames.h"
#include "core/app/settings.h"
#include "core/tasks/commentediting.h"
#include "core/tasks/extendedcomment.h"

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

// Per-folder mode: each folder keeps its annotations in its own `_m.ini`.
struct Fixture {
    QString folder(const QString &name)
    {
        QDir(data.path()).mkpath(name);
        return data.filePath(name);
    }
    QString item(const QString &relative)
    {
        QFile f(data.filePath(relative));
        if (f.open(QIODevice::WriteOnly))
            f.close();
        return data.filePath(relative);
    }
    QByteArray fileOf(const QString &folderName)
    {
        QFile f(folderName.isEmpty() ? data.filePath(u"_m.ini"_s)
                                     : data.filePath(folderName + u"/_m.ini"_s));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void write(const QString &folderName, const QByteArray &bytes)
    {
        QFile f(data.filePath(folderName + u"/_m.ini"_s));
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }

    TempProgramFolder pf;
    QTemporaryDir data;
    Settings settings{pf.folder()};
    AnnotationStore store{pf.folder(), settings};
};

} // namespace

class TestCommentEditing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void commentsGoToTheFolderThatHoldsEachItem();
    void folderComment();
    void virtualLocations();
    void toolTip();
    void extendedComment_data();
    void extendedComment();
    void extendedCommentNames();
};

void TestCommentEditing::commentsGoToTheFolderThatHoldsEachItem()
{
    Fixture f;
    f.folder(u"cur"_s);
    f.folder(u"other"_s);
    const QString a = f.item(u"cur/a.txt"_s);
    const QString b = f.item(u"cur/b.txt"_s);
    const QString x = f.item(u"other/a.txt"_s);
    f.write(u"cur"_s, "b.txt_cmt=old\n");
    QVERIFY(f.store.loadForListBuild(f.data.filePath(u"cur"_s)).ok);

    // An item of another folder with the same name as one of the current folder (as in
    // search results) is written into its own folder's file.
    StoreResult r = CommentEditing::setComments(f.store, {a, x, b}, u"見積もり"_s);
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(f.fileOf(u"cur"_s), QByteArray("a.txt_cmt=見積もり\nb.txt_cmt=見積もり\n"));
    QCOMPARE(f.fileOf(u"other"_s), QByteArray("a.txt_cmt=見積もり\n"));
    QCOMPARE(f.store.currentValue(u"a.txt"_s, u"_cmt"_s), u"見積もり"_s);

    // An empty comment removes the line; a line break cannot end up in the file.
    r = CommentEditing::setComments(f.store, {b}, QString());
    QVERIFY(r.ok && r.changed);
    r = CommentEditing::setComments(f.store, {x}, u"one\ntwo"_s);
    QVERIFY(r.ok);
    QCOMPARE(f.fileOf(u"cur"_s), QByteArray("a.txt_cmt=見積もり\n"));
    QCOMPARE(f.fileOf(u"other"_s), QByteArray("a.txt_cmt=one two\n"));
    QVERIFY(f.store.currentValue(u"b.txt"_s, u"_cmt"_s).isEmpty());
}

void TestCommentEditing::folderComment()
{
    Fixture f;
    const QString sub = f.folder(u"sub"_s);
    // The parent has no _m.ini yet: it is created.
    QVERIFY(!QFile::exists(f.data.filePath(u"_m.ini"_s)));
    StoreResult r = CommentEditing::setFolderComment(f.store, sub + u'/', u"作業中"_s);
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(f.fileOf(QString()), QByteArray("sub_cmt=作業中\n"));
    QCOMPARE(CommentEditing::folderComment(f.store, sub + u'/'), u"作業中"_s);
    // Nothing was written into the folder itself.
    QVERIFY(!QFile::exists(sub + u"/_m.ini"_s));

    r = CommentEditing::setFolderComment(f.store, u"/"_s, u"x"_s);
    QVERIFY(!r.ok);
    QCOMPARE(r.error, CommentEditing::rootFolderText());
    QVERIFY(!CommentEditing::setComments(f.store, {u"/"_s}, u"x"_s).ok);
}

void TestCommentEditing::virtualLocations()
{
    Fixture f;
    const QString a = f.item(u"a.txt"_s);
    // The computer has no folder above it to keep its own comment.
    const QString computer = u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"_s;
    StoreResult r = CommentEditing::setFolderComment(f.store, computer, u"x"_s);
    QVERIFY(!r.ok);
    QCOMPARE(r.error, CommentEditing::virtualLocationText());

    // While a virtual location is shown, folders' own files are never written: a comment
    // for one of its items is refused, not dropped with a success.
    f.store.setShellNamespaceMode(true);
    r = CommentEditing::setComments(f.store, {a}, u"x"_s);
    QVERIFY(!r.ok);
    QCOMPARE(r.error, AnnotationStore::noFolderFileText());
    QVERIFY(!ExtendedComment::write(f.store, a, {u"x"_s}).ok);
    QVERIFY(!QFile::exists(f.data.filePath(u"_m.ini"_s)));

    // Central management keeps it in the program folder, virtual location or not.
    f.settings.setSwitch(Component::CentralManagement, true);
    f.settings.setSwitch(Component::PerFolderFiles, false);
    f.store.reloadModeFromSettings();
    f.store.setQuestionHandler([](StoreQuestion, const QString &) { return true; });
    QVERIFY(f.pf.writeBytes(u"ini/index.ini"_s, QByteArray()));
    r = CommentEditing::setComments(f.store, {a}, u"kept"_s);
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(f.store.GetByPath(a, u"_cmt"_s), u"kept"_s);
}

void TestCommentEditing::toolTip()
{
    FileAnnotationRec rec;
    rec.cmt = u"報告書"_s;
    rec.cmp = u"40"_s;
    rec.imp = u"3"_s;
    rec.TE = u"2026/01/02,9:00:00"_s;
    QCOMPARE(CommentEditing::toolTipText(u"a.txt"_s, rec),
             u"a.txt\nコメント : 報告書\n完了度 : 40\n完  了 : \n重要度 : 3\n通知日 : \n"
             "開始日 : \n期  日 : 2026/01/02,9:00:00"_s);
}

void TestCommentEditing::extendedComment_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("stored");
    const QStringList empties(9);
    QTest::newRow("comma and quote survive")
        << (QStringList{u"a,b"_s, u"say \"hi\""_s} + empties)
        << u"\"a,b\",\"say \"\"hi\"\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\""_s;
    QTest::newRow("eleventh field kept")
        << (QStringList(10) << u"hidden"_s)
        << u"\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"hidden\""_s;
    QTest::newRow("all empty: no extended comment") << QStringList(11) << QString();
}

void TestCommentEditing::extendedComment()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, stored);
    Fixture f;
    const QString a = f.item(u"a.txt"_s);
    f.write(QString(), "a.txt_cmtEx=\"old\"\n");
    const StoreResult r = ExtendedComment::write(f.store, a, fields);
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(f.store.GetByPath(a, u"_cmtEx"_s), stored);
    QCOMPARE(ExtendedComment::read(f.store, a), fields);
}

void TestCommentEditing::extendedCommentNames()
{
    Fixture f;
    QStringList names = ExtendedComment::names(f.settings);
    QCOMPARE(names.size(), 10);
    QCOMPARE(names.first(), u"コメント1"_s);
    names[2] = u"担当\n者"_s;
    ExtendedComment::storeNames(f.settings, names);
    QCOMPARE(f.settings.value(u"CmtName3"_s), u"担当 者"_s);
    // A value with fewer fields reads as eleven.
    QCOMPARE(ExtendedComment::fields(u"x"_s).size(), 11);
}

QTEST_GUILESS_MAIN(TestCommentEditing)
#include "tst_commentediting.moc"
