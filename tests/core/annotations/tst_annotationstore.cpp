#include "core/annotations/annotationkey.h"
#include "core/annotations/annotationstore.h"
#include "core/annotations/annotationvalues.h"
#include "core/app/componentnames.h"
#include "core/app/settings.h"

#include "readonlyfolder.h"
#include "testsupport/tempprogramfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace kazari;
using namespace kazari::test;
using namespace Qt::StringLiterals;

namespace
{

QByteArray bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(data), data.size());
}

QStringList lines(const QString &path)
{
    QStringList out = QString::fromUtf8(bytes(path)).split(u'\n');
    if (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}

// A program folder, a data folder, settings in memory and a store, with recorded
// questions and status texts.
struct Fixture {
    explicit Fixture(StorageMode mode)
    {
        settings.setSwitch(Component::CentralManagement, mode == StorageMode::Central);
        settings.setSwitch(Component::PerFolderFiles, mode == StorageMode::PerFolder);
        store.reloadModeFromSettings();
        store.setQuestionHandler([this](StoreQuestion, const QString &text) {
            questions.append(text);
            return answer;
        });
        store.setStatusHandler([this](StoreStatusField field, const QString &text) {
            if (field == StoreStatusField::IniNo)
                iniNo.append(text);
        });
    }
    QString dir(const QString &relative)
    {
        const QString path = data.path() + u'/' + relative;
        QDir().mkpath(path);
        return path + u'/';
    }
    void createIndex(const QByteArray &content = QByteArray())
    {
        pf.writeBytes(u"ini/index.ini"_s, content);
    }

    TempProgramFolder pf;
    QTemporaryDir data;
    Settings settings{pf.folder()};
    AnnotationStore store{pf.folder(), settings};
    QStringList questions;
    QStringList iniNo;
    bool answer = true;
};

StoreResult op(AnnotationStore &store, const QString &folder, const QString &name, int code,
               int seal = -1, int value = -1, const AnnotationOpInput &input = {})
{
    return store.AnnotationOp(folder, name, QPoint(5, 6), seal, value, code, input);
}

AnnotationOpInput text(const QString &t)
{
    AnnotationOpInput in;
    in.text = t;
    return in;
}

} // namespace

class TestAnnotationStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstStartInCentralMode();
    void perFolderModeAndReadOnlyFolders();
    void automaticCheckAppliesToEveryPath();
    void setByPathRegistersTheParent();
    void byPathWritesReachTheCurrentList();
    void otherFoldersUseAPrivateList();
    void savingSortsAndKeepsTheWinner();
    void registrationRespectsOtherWriters();
    void maintenanceReloadsInsteadOfSaving();
    void renameReplacesLeftovers();
    void refusedNamesLeaveFilesUntouched();
    void folderFilesMustBeRegular();
    void damagedFilesLoseNothing();
    void operations_data();
    void operations();
    void clipboardAndCarry();
    void listFileAndNamespaceModes();
    void temporaryPerFolderLastsOneLoad();
    void chooseModeStoresBothSwitches();
    void folderCommandsAndFallback();
    void writingTheFolderFileNeverReplacesAnUnreadOne();
    void saveCurrentAsksAboutTheFolderFile();
    void editFolderIsOneBatch();
};

void TestAnnotationStore::firstStartInCentralMode()
{
    Fixture f(StorageMode::Central);
    const QString a = f.dir(u"A"_s);
    const QString b = f.dir(u"B"_s);

    f.answer = false;
    StoreResult r = f.store.loadForListBuild(a);
    QVERIFY(r.declined);
    QCOMPARE(f.questions, QStringList{AnnotationStore::createIndexQuestion()});
    QVERIFY(!f.pf.exists(u"ini"_s));

    f.answer = true;
    r = f.store.loadForListBuild(a);
    QVERIFY(r.ok);
    QCOMPARE(f.pf.readBytes(u"ini/index.ini"_s), (a + u"=1\n"_s).toUtf8());
    QVERIFY(!f.pf.exists(u"ini/1.ini"_s));
    QVERIFY(f.store.current().isEmpty());

    QVERIFY(f.store.loadForListBuild(a).ok);
    QVERIFY(f.pf.exists(u"ini/1.ini"_s));
    QCOMPARE(f.store.folderStem(), u"1"_s);
    QCOMPARE(f.iniNo.mid(f.iniNo.size() - 2), (QStringList{u"-"_s, u"1"_s}));

    QVERIFY(f.store.loadForListBuild(b).ok);
    QCOMPARE(f.pf.readBytes(u"ini/index.ini"_s), (a + u"=1\n"_s + b + u"=2\n"_s).toUtf8());
    QVERIFY(f.pf.exists(u"ini/2.ini"_s));
    QCOMPARE(f.store.folderStem(), u"2"_s);
    QCOMPARE(f.questions.size(), 2);
}

void TestAnnotationStore::perFolderModeAndReadOnlyFolders()
{
    Fixture f(StorageMode::PerFolder);
    const QString a = f.dir(u"A"_s);
    StoreResult r = f.store.SetByPath(a + u"x.txt"_s, u"_cmt"_s, u"hi"_s);
    QVERIFY(r.ok && r.written);
    QCOMPARE(bytes(a + u"_m.ini"_s), QByteArray("x.txt_cmt=hi\n"));
    QVERIFY(f.store.loadForListBuild(a).ok);
    QCOMPARE(f.iniNo.last(), u"_m"_s);
    QVERIFY(op(f.store, a, u"x.txt"_s, OpSetLabelSeal, -1, 2).written);
    QCOMPARE(bytes(a + u"_m.ini"_s), QByteArray("x.txt_cmt=hi\nx.txt_label=2\n"));

    const QByteArray before = bytes(a + u"_m.ini"_s);
    const QStringList entries = QDir(a).entryList(QDir::AllEntries | QDir::Hidden);
    {
        ReadOnlyFolder locked(a);
        if (!locked.isActive())
            QSKIP("cannot make a folder read-only here");
        r = op(f.store, a, u"x.txt"_s, OpSetComment, -1, -1, text(u"new"_s));
        QVERIFY(!r.ok);
        QVERIFY(!r.error.isEmpty());
        // The change stays visible until the next load.
        QCOMPARE(f.store.currentValue(u"x.txt"_s, u"_cmt"_s), u"new"_s);
        r = f.store.SetByPath(a + u"y.txt"_s, u"_cmt"_s, u"v"_s);
        QVERIFY(!r.ok);
        QVERIFY(!r.error.isEmpty());
    }
    QCOMPARE(bytes(a + u"_m.ini"_s), before);
    QCOMPARE(QDir(a).entryList(QDir::AllEntries | QDir::Hidden), entries);
}

void TestAnnotationStore::automaticCheckAppliesToEveryPath()
{
    Fixture f(StorageMode::Central);
    f.settings.setSwitch(Component::CheckFolderFilesAutomatically, true);
    const QString a = f.dir(u"A"_s);
    f.createIndex((a + u"=1\n"_s).toUtf8());
    f.pf.writeBytes(u"ini/1.ini"_s, "x_cmt=central\n");
    writeBytes(a + u"_m.ini"_s, "x_cmt=folder\n");

    QVERIFY(f.store.loadForListBuild(a).ok);
    QCOMPARE(f.store.currentValue(u"x"_s, u"_cmt"_s), u"folder"_s);
    QCOMPARE(f.iniNo.last(), u"_m&1"_s);
    QCOMPARE(f.store.GetByPath(a + u"x"_s, u"_cmt"_s), u"folder"_s);
    QVERIFY(op(f.store, a, u"y"_s, OpSetComment, -1, -1, text(u"op"_s)).written);
    QVERIFY(f.store.SetByPath(a + u"z"_s, u"_cmt"_s, u"set"_s).written);
    QCOMPARE(lines(a + u"_m.ini"_s),
             (QStringList{u"x_cmt=folder"_s, u"y_cmt=op"_s, u"z_cmt=set"_s}));
    QCOMPARE(f.pf.readBytes(u"ini/1.ini"_s), QByteArray("x_cmt=central\n"));
}

void TestAnnotationStore::setByPathRegistersTheParent()
{
    Fixture f(StorageMode::Central);
    f.createIndex("/elsewhere/=1\n");
    const QString n = f.dir(u"never opened"_s);
    const StoreResult r = f.store.SetByPath(n + u"file"_s, u"_cmt"_s, u"carried"_s);
    QVERIFY(r.ok && r.written);
    QCOMPARE(f.pf.readBytes(u"ini/index.ini"_s), ("/elsewhere/=1\n" + n + u"=2\n"_s).toUtf8());
    QCOMPARE(f.pf.readBytes(u"ini/2.ini"_s), QByteArray("file_cmt=carried\n"));
    QCOMPARE(f.store.GetByPath(n + u"file"_s, u"_cmt"_s), u"carried"_s);
    QVERIFY(f.questions.isEmpty());
    // Reading and removing never register anything.
    const QString m = f.dir(u"other"_s);
    QVERIFY(f.store.GetByPath(m + u"file"_s, u"_cmt"_s).isEmpty());
    QVERIFY(!f.store.DeleteByPath(m + u"file"_s, u"_cmt"_s).changed);
    QVERIFY(!f.store.SetByPath(m + u"file"_s, u"_cmt"_s, QString()).written);
    QCOMPARE(f.pf.readBytes(u"ini/index.ini"_s), ("/elsewhere/=1\n" + n + u"=2\n"_s).toUtf8());
}

void TestAnnotationStore::byPathWritesReachTheCurrentList()
{
    Fixture f(StorageMode::PerFolder);
    const QString a = f.dir(u"A"_s);
    writeBytes(a + u"_m.ini"_s, "a_cmt=1\n");
    QVERIFY(f.store.loadForListBuild(a).ok);
    QVERIFY(f.store.SetByPath(a + u"b"_s, u"_cmt"_s, u"2"_s).written);
    QCOMPARE(f.store.currentValue(u"b"_s, u"_cmt"_s), u"2"_s);
    QVERIFY(f.store.DeleteByPath(a + u"a"_s, u"_cmt"_s).changed);
    QVERIFY(f.store.currentValue(u"a"_s, u"_cmt"_s).isEmpty());
    QVERIFY(op(f.store, a, u"c"_s, OpSetComment, -1, -1, text(u"3"_s)).written);
    f.store.current().setValue(u"d"_s, u"_cmt"_s, u"4"_s);
    QVERIFY(f.store.SaveCurrent().written);
    QCOMPARE(lines(a + u"_m.ini"_s), (QStringList{u"b_cmt=2"_s, u"c_cmt=3"_s, u"d_cmt=4"_s}));
}

void TestAnnotationStore::otherFoldersUseAPrivateList()
{
    Fixture f(StorageMode::Central);
    f.createIndex();
    const QString a = f.dir(u"A"_s);
    const QString b = f.dir(u"B"_s);
    QVERIFY(f.store.loadForListBuild(a).ok);
    f.store.current().setValue(u"mine"_s, u"_cmt"_s, u"unsaved"_s);
    QVERIFY(op(f.store, b, u"other"_s, OpSetComment, -1, -1, text(u"b"_s)).written);
    QCOMPARE(f.store.currentFolder(), a);
    QCOMPARE(f.store.currentValue(u"mine"_s, u"_cmt"_s), u"unsaved"_s);
    QVERIFY(f.store.SaveCurrent(b).written);
    QCOMPARE(f.pf.readBytes(u"ini/1.ini"_s), QByteArray("mine_cmt=unsaved\n"));
    QCOMPARE(f.pf.readBytes(u"ini/2.ini"_s), QByteArray("other_cmt=b\n"));
}

void TestAnnotationStore::savingSortsAndKeepsTheWinner()
{
    Fixture f(StorageMode::PerFolder);
    const QString a = f.dir(u"A"_s);
    writeBytes(a + u"_m.ini"_s, "x_cmt=zzz\nb_s=1\n.ViewStyle=2\nX_cmt=aaa\n");
    QVERIFY(f.store.loadForListBuild(a).ok);
    QVERIFY(op(f.store, a, u"b"_s, OpSetLabelSeal, -1, 1).written);
    QCOMPARE(lines(a + u"_m.ini"_s), (QStringList{u".ViewStyle=2"_s, u"b_label=1"_s, u"b_s=1"_s,
                                                  u"x_cmt=zzz"_s, u"X_cmt=aaa"_s}));
    QCOMPARE(f.store.GetByPath(a + u"x"_s, u"_cmt"_s), u"zzz"_s);
    QCOMPARE(f.store.folderValue(a, u".ViewStyle"_s), u"2"_s);
}

void TestAnnotationStore::registrationRespectsOtherWriters()
{
    Fixture f(StorageMode::Central);
    f.createIndex();
    const QString a = f.dir(u"A"_s);
    const QString b = f.dir(u"B"_s);
    const QString c = f.dir(u"C"_s);
    const QString d = f.dir(u"D"_s);
    QVERIFY(f.store.loadForListBuild(a).ok);
    // A second instance registers B behind the store's back.
    f.createIndex((a + u"=1\n"_s + b + u"=2\n"_s).toUtf8());
    f.pf.writeBytes(u"ini/2.ini"_s, "b_cmt=theirs\n");
    QVERIFY(f.store.loadForListBuild(c).ok);
    QCOMPARE(f.pf.readBytes(u"ini/index.ini"_s),
             (a + u"=1\n"_s + b + u"=2\n"_s + c + u"=3\n"_s).toUtf8());
    // A truncated index: lines + 1 would reuse a file that is still there.
    f.createIndex((c + u"=3\n"_s).toUtf8());
    QVERIFY(f.store.loadForListBuild(d).ok);
    QCOMPARE(f.pf.readBytes(u"ini/index.ini"_s), (c + u"=3\n"_s + d + u"=4\n"_s).toUtf8());
    QCOMPARE(f.pf.readBytes(u"ini/2.ini"_s), QByteArray("b_cmt=theirs\n"));
    // A hand-edited index that gives B the number of C: B gets a number of its own in
    // place and never writes into C's file.
    f.createIndex((c + u"=3\n"_s + b + u"=3\n"_s).toUtf8());
    f.pf.writeBytes(u"ini/3.ini"_s, "c_cmt=C\n");
    QVERIFY(op(f.store, b, u"b"_s, OpSetComment, -1, -1, text(u"B"_s)).written);
    QCOMPARE(f.pf.readBytes(u"ini/index.ini"_s), (c + u"=3\n"_s + b + u"=5\n"_s).toUtf8());
    QCOMPARE(f.pf.readBytes(u"ini/3.ini"_s), QByteArray("c_cmt=C\n"));
    QCOMPARE(f.pf.readBytes(u"ini/5.ini"_s), QByteArray("b_cmt=B\n"));
}

void TestAnnotationStore::maintenanceReloadsInsteadOfSaving()
{
    Fixture f(StorageMode::Central);
    const QString a = f.dir(u"A"_s);
    const QString b = f.dir(u"B"_s);
    const QString c = f.dir(u"C"_s);
    f.createIndex(("/gone/=1\n" + a + u"=2\n"_s + b + u"=3\n"_s + c + u"=4\n"_s).toUtf8());
    f.pf.writeBytes(u"ini/1.ini"_s, "g_cmt=gone\n");
    f.pf.writeBytes(u"ini/2.ini"_s, "a_cmt=A\n");
    f.pf.writeBytes(u"ini/3.ini"_s, "b_cmt=B\n");
    f.pf.writeBytes(u"ini/4.ini"_s, "c_cmt=C\n");
    QVERIFY(f.store.loadForListBuild(a).ok);
    QCOMPARE(f.store.folderStem(), u"2"_s);
    QStringList texts;
    f.store.setStatusHandler([&](StoreStatusField field, const QString &t) {
        if (field == StoreStatusField::SystemMessage)
            texts.append(t);
    });
    const StoreResult r = op(f.store, a, QString(), OpMaintenance);
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(texts.last(), IndexMaintenance::doneText());
    // 2.ini now belongs to C; A's list was not written over it.
    QCOMPARE(f.pf.readBytes(u"ini/0.ini"_s), QByteArray("a_cmt=A\n"));
    QCOMPARE(f.pf.readBytes(u"ini/1.ini"_s), QByteArray("b_cmt=B\n"));
    QCOMPARE(f.pf.readBytes(u"ini/2.ini"_s), QByteArray("c_cmt=C\n"));
    QVERIFY(!f.pf.exists(u"ini/3.ini"_s));
    QCOMPARE(f.store.folderStem(), u"0"_s);
    QCOMPARE(f.store.currentFile().path, f.pf.file(u"ini/0.ini"_s));
    QCOMPARE(f.store.currentValue(u"a"_s, u"_cmt"_s), u"A"_s);
    QCOMPARE(f.store.GetByPath(c + u"c"_s, u"_cmt"_s), u"C"_s);
}

void TestAnnotationStore::renameReplacesLeftovers()
{
    Fixture f(StorageMode::PerFolder);
    const QString a = f.dir(u"A"_s);
    writeBytes(a + u"new.txt"_s, "");
    writeBytes(
        a + u"_m.ini"_s,
        "new.txt_cmt=stale\nnew.txt_s=9\nold.txt_cmt=mine\nold.txt_cmtEx=\"e\"\nold.txt_stp=0\n");
    const StoreResult r = f.store.renameItemByPath(a + u"old.txt"_s, u"new.txt"_s);
    QVERIFY(r.ok && r.written);
    QCOMPARE(lines(a + u"_m.ini"_s),
             (QStringList{u"new.txt_cmt=mine"_s, u"new.txt_cmtEx=\"e\""_s, u"new.txt_stp=0"_s}));
}

void TestAnnotationStore::refusedNamesLeaveFilesUntouched()
{
    Fixture f(StorageMode::PerFolder);
    const QString a = f.dir(u"A"_s);
    const QByteArray content = "ok_cmt=1\r\nzz_s=3\r\n";
    writeBytes(a + u"_m.ini"_s, content);
    QVERIFY(f.store.loadForListBuild(a).ok);
    const QList<StoreResult> results{
        op(f.store, a, u"a=b"_s, OpSetComment, -1, -1, text(u"x"_s)),
        op(f.store, a, u"a\nb"_s, OpRemoveItem),
        f.store.SetByPath(a + u"a=b"_s, u"_cmt"_s, u"x"_s),
        f.store.SetByPath(a + u"a\rb"_s, u"_cmt"_s, u"x"_s),
        f.store.DeleteByPath(a + u"ok=1"_s, u"_cmt"_s),
        f.store.renameItemByPath(a + u"ok"_s, u"b=c"_s),
        f.store.SetByPath(a + u"ok"_s, u"_c=mt"_s, u"x"_s),
        f.store.SetByPath(QString(), u"_cmt"_s, u"x"_s),
        f.store.SetByPath(u"/"_s, u"_cmt"_s, u"x"_s),
    };
    for (const StoreResult &r : results) {
        QVERIFY(!r.ok);
        QVERIFY(!r.error.isEmpty());
    }
    QCOMPARE(bytes(a + u"_m.ini"_s), content);
    QVERIFY(f.store.GetByPath(a + u"a=b"_s, u"_cmt"_s).isEmpty());
    QVERIFY(f.store.SetByPath(a + u"ok"_s, u"_cmt"_s, u"line1\nline2\r\nline3"_s).written);
    QCOMPARE(bytes(a + u"_m.ini"_s), QByteArray("ok_cmt=line1 line2 line3\r\nzz_s=3\r\n"));
}

void TestAnnotationStore::folderFilesMustBeRegular()
{
    Fixture f(StorageMode::PerFolder);
    const QString a = f.dir(u"A"_s);
    const QString target = f.data.path() + u"/elsewhere.txt"_s;
    writeBytes(target, "x_cmt=secret\n");
    QVERIFY(QFile::link(target, a + u"_m.ini"_s));
    QVERIFY(f.store.GetByPath(a + u"x"_s, u"_cmt"_s).isEmpty());
    QVERIFY(!f.store.SetByPath(a + u"x"_s, u"_cmt"_s, u"v"_s).ok);
    f.store.loadForListBuild(a);
    QVERIFY(f.store.current().isEmpty());
    QVERIFY(!op(f.store, a, u"x"_s, OpSetComment, -1, -1, text(u"v"_s)).ok);
    QVERIFY(!f.store.SaveCurrent().ok);
    QCOMPARE(bytes(target), QByteArray("x_cmt=secret\n"));
    QVERIFY(QFileInfo(a + u"_m.ini"_s).isSymLink());
}

void TestAnnotationStore::damagedFilesLoseNothing()
{
    Fixture f(StorageMode::PerFolder);
    const QString a = f.dir(u"A"_s);
    QByteArray content("\x00\x01\xff\xfe garbage\n", 14);
    content += "no equals sign here\n";
    content += "big_cmt=" + QByteArray(10 * 1024 * 1024, 'x') + "\n";
    content += "cp_cmt=\x82\xa0\x82\xff\xfc\n"; // a valid CP932 character, then damage
    content += "dup_cmt=first\ndup_cmt=second\n";
    content += "bad_s=99\nbad_label=x\nbad_RGB=1,2\nbad_CVColor=clFoo\nbad_TS=someday\n";
    writeBytes(a + u"_m.ini"_s, content);

    QVERIFY(f.store.SetByPath(a + u"new"_s, u"_cmt"_s, u"v"_s).written);
    QCOMPARE(bytes(a + u"_m.ini"_s), content + "new_cmt=v\n");
    QCOMPARE(f.store.GetByPath(a + u"dup"_s, u"_cmt"_s), u"first"_s);
    QCOMPARE(f.store.GetByPath(a + u"big"_s, u"_cmt"_s).size(), 10 * 1024 * 1024);
    for (const QString &suffix : {u"_s"_s, u"_label"_s, u"_RGB"_s, u"_CVColor"_s, u"_TS"_s}) {
        QVERIFY(!AnnotationValues::isValid(suffix, f.store.GetByPath(a + u"bad"_s, suffix)));
    }

    // A sorted save keeps every line, the damaged ones byte for byte.
    QVERIFY(f.store.loadForListBuild(a).ok);
    QVERIFY(op(f.store, a, u"new"_s, OpRemoveItem).written);
    QList<QByteArray> before = content.split('\n');
    QList<QByteArray> after = bytes(a + u"_m.ini"_s).split('\n');
    std::sort(before.begin(), before.end());
    std::sort(after.begin(), after.end());
    QCOMPARE(after, before);
}

void TestAnnotationStore::operations_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("seal");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("changes"); // "key=value" sets, "key=" removes
    QTest::newRow("0 label and seal")
        << 0 << 4 << 3 << QString() << QStringList{u"f_label=3"_s, u"f_s=4"_s};
    QTest::newRow("0 seal only") << 0 << 7 << -1 << QString() << QStringList{u"f_s=7"_s};
    QTest::newRow("1 label") << 1 << 0 << -1 << QString() << QStringList{u"f_label="_s};
    QTest::newRow("1 seal") << 1 << -1 << 0 << QString() << QStringList{u"f_s="_s};
    QTest::newRow("2 position") << 2 << -1 << -1 << QString() << QStringList{u"f_p=5,6"_s};
    QTest::newRow("3 position") << 3 << -1 << -1 << QString() << QStringList{u"f_p="_s};
    QTest::newRow("4 shift") << 4 << -1 << -1 << QString() << QStringList{u"f_RGB=-1,0,255"_s};
    QTest::newRow("6 masks") << 6 << -1 << -1 << QString()
                             << QStringList{u"f_RGB="_s, u"f_oneColor="_s};
    QTest::newRow("7 completion") << 7 << -1 << -1 << QString() << QStringList{u"f_comp=1"_s};
    QTest::newRow("8 task") << 8 << -1 << -1 << QString()
                            << QStringList{u"f_cmp="_s, u"f_comp="_s, u"f_imp="_s, u"f_TS="_s};
    QTest::newRow("9 caption") << 9 << -1 << -1 << u"clBlue"_s
                               << QStringList{u"f_CVColor=clBlue"_s};
    QTest::newRow("10 caption") << 10 << -1 << -1 << QString() << QStringList{u"f_CVColor="_s};
    QTest::newRow("11 item") << 11 << -1 << -1 << QString()
                             << QStringList{u"f_cmp="_s,      u"f_cmt="_s, u"f_comp="_s,
                                            u"f_CVColor="_s,  u"f_imp="_s, u"f_label="_s,
                                            u"f_oneColor="_s, u"f_p="_s,   u"f_RGB="_s,
                                            u"f_s="_s,        u"f_TS="_s,  u"f_cmtEx="_s};
    QTest::newRow("13 comment") << 13 << -1 << -1 << u"new"_s << QStringList{u"f_cmt=new"_s};
    QTest::newRow("14 remove") << 14 << -1 << -1 << QString() << QStringList{u"f_oneColor="_s};
    QTest::newRow("14 set") << 14 << -1 << 255 << QString() << QStringList{u"f_oneColor=255"_s};
    QTest::newRow("5 load only") << 5 << -1 << -1 << QString() << QStringList();
    QTest::newRow("16 unknown") << 16 << -1 << -1 << QString() << QStringList();
}

void TestAnnotationStore::operations()
{
    QFETCH(int, code);
    QFETCH(int, seal);
    QFETCH(int, value);
    QFETCH(QString, text);
    QFETCH(QStringList, changes);
    const QStringList initial{u"f_cmp=10"_s,    u"f_cmt=c"_s,         u"f_cmtEx=\"x\""_s,
                              u"f_comp=0"_s,    u"f_CVColor=clRed"_s, u"f_imp=2"_s,
                              u"f_label=1"_s,   u"f_oneColor=3"_s,    u"f_p=1,1"_s,
                              u"f_RGB=1,2,3"_s, u"f_s=2"_s,           u"f_TS=2024/01/01,0:00:00"_s,
                              u"g_cmt=other"_s};
    Fixture f(StorageMode::PerFolder);
    const QString a = f.dir(u"A"_s);
    writeBytes(a + u"_m.ini"_s, (initial.join(u'\n') + u'\n').toUtf8());
    QVERIFY(f.store.loadForListBuild(a).ok);
    QStringList tasks;
    f.store.setTaskListHandler([&](const QString &path, TaskListChange change) {
        tasks.append(path + u' ' + QString::number(int(change)));
    });
    AnnotationOpInput input;
    input.text = text;
    input.rgb = {-1, 0, 255};
    input.completed = true;
    const StoreResult r = f.store.AnnotationOp(a, u"f"_s, QPoint(5, 6), seal, value, code, input);
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(r.written, !changes.isEmpty());

    QStringList expected = initial;
    for (const QString &change : changes) {
        const QString key = change.section(u'=', 0, 0);
        const QString v = change.section(u'=', 1);
        for (qsizetype i = 0; i < expected.size(); ++i) {
            if (expected.at(i).startsWith(key + u'=')) {
                if (v.isEmpty())
                    expected.removeAt(i);
                else
                    expected[i] = key + u'=' + v;
                break;
            }
        }
    }
    QCOMPARE(lines(a + u"_m.ini"_s), expected);
    QCOMPARE(f.store.current().lines(), expected);
    if (code == OpSetCompletion)
        QCOMPARE(tasks, QStringList{a + u"f 1"_s});
    else if (code == OpClearTask)
        QCOMPARE(tasks, QStringList{a + u"f 2"_s});
    else
        QVERIFY(tasks.isEmpty());
}

void TestAnnotationStore::clipboardAndCarry()
{
    Fixture f(StorageMode::Central);
    f.createIndex();
    const QString a = f.dir(u"A"_s);
    const QString b = f.dir(u"B"_s);
    const QString c = f.dir(u"C"_s);
    QVERIFY(f.store.loadForListBuild(a).ok); // 1.ini
    f.store.current().setValue(u"f"_s, u"_cmt"_s, u"comment"_s);
    f.store.current().setValue(u"f"_s, u"_s"_s, u"2"_s);
    f.store.current().setValue(u"f"_s, u"_cmtEx"_s, u"\"ex\""_s);
    f.store.current().setValue(u"f.bak"_s, u"_cmt"_s, u"other item"_s);
    QVERIFY(f.store.SaveCurrent().written);

    QVERIFY(op(f.store, a, u"f"_s, OpCopyRecord).ok);
    QCOMPARE(f.store.clipboard().cmt, u"comment"_s);
    QCOMPARE(f.store.clipboard().s, u"2"_s);
    QVERIFY(op(f.store, b, u"h"_s, OpPasteRecord).written); // B becomes 2.ini
    QCOMPARE(f.pf.readBytes(u"ini/2.ini"_s), QByteArray("h_cmt=comment\nh_s=2\n"));

    // Moving f into C, which holds a leftover line of another "f" and was never opened.
    QVERIFY(f.store.SetByPath(c + u"f"_s, u"_label"_s, u"3"_s).written); // C becomes 3.ini
    const StoreResult r = f.store.carryItemByPath(a + u"f"_s, c + u"f"_s, true);
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(lines(f.pf.file(u"ini/3.ini"_s)),
             (QStringList{u"f_cmt=comment"_s, u"f_s=2"_s, u"f_cmtEx=\"ex\""_s}));
    QCOMPARE(f.pf.readBytes(u"ini/1.ini"_s), QByteArray("f.bak_cmt=other item\n"));
    QVERIFY(f.store.currentValue(u"f"_s, u"_cmt"_s).isEmpty());

    // Copying under another name in the same folder (a collision copy).
    QVERIFY(f.store.carryItemByPath(c + u"f"_s, c + u"f (2)"_s).ok);
    QCOMPARE(f.store.GetByPath(c + u"f (2)"_s, u"_cmtEx"_s), u"\"ex\""_s);
    QCOMPARE(f.store.GetByPath(c + u"f"_s, u"_cmt"_s), u"comment"_s);
}

void TestAnnotationStore::listFileAndNamespaceModes()
{
    {
        Fixture f(StorageMode::Central);
        f.createIndex();
        const QString a = f.dir(u"A"_s);
        const QString b = f.dir(u"B"_s);
        QVERIFY(f.store.loadForListBuild(a).ok);
        QCOMPARE(f.store.folderStem(), u"1"_s);
        f.store.setListFileMode(true);
        QVERIFY(f.store.loadForListBuild(b).ok);
        QCOMPARE(f.store.currentFile().kind, AnnotationFileRef::Kind::ListFile);
        QCOMPARE(f.store.folderStem(), u"1"_s);
        QCOMPARE(f.iniNo.last(), u"disc img"_s);
        QVERIFY(op(f.store, b, u"x"_s, OpSetComment, -1, -1, text(u"L"_s)).written);
        QCOMPARE(f.pf.readBytes(u"vtl/vdiscimg.ini"_s), QByteArray("x_cmt=L\n"));
        QCOMPARE(f.store.GetByPath(a + u"x"_s, u"_cmt"_s), u"L"_s);
    }
    {
        Fixture f(StorageMode::PerFolder);
        const QString a = f.dir(u"A"_s);
        f.store.setShellNamespaceMode(true);
        QVERIFY(f.store.loadForListBuild(a).ok);
        const StoreResult r = op(f.store, a, u"x"_s, OpSetComment, -1, -1, text(u"v"_s));
        QVERIFY(r.ok && !r.written);
        QVERIFY(!f.store.SetByPath(a + u"x"_s, u"_cmt"_s, u"v"_s).written);
        QCOMPARE(f.store.writeCurrentToFolderFile().error, AnnotationStore::noFolderFileText());
        QVERIFY(!QFileInfo::exists(a + u"_m.ini"_s));
    }
}

void TestAnnotationStore::temporaryPerFolderLastsOneLoad()
{
    Fixture f(StorageMode::Central);
    f.createIndex();
    const QString a = f.dir(u"A"_s);
    writeBytes(a + u"_m.ini"_s, "x_cmt=folder\n");
    QVERIFY(f.store.loadForListBuild(a).ok);
    QVERIFY(f.store.currentValue(u"x"_s, u"_cmt"_s).isEmpty());
    QVERIFY(f.store.toggleTemporaryPerFolder());
    QCOMPARE(f.store.mode(), StorageMode::PerFolder);
    QVERIFY(f.store.loadForListBuild(a).ok);
    QCOMPARE(f.store.currentValue(u"x"_s, u"_cmt"_s), u"folder"_s);
    QVERIFY(!f.store.isTemporaryPerFolder());
    QCOMPARE(f.store.mode(), StorageMode::Central);
    QVERIFY(f.store.loadForListBuild(a).ok);
    QVERIFY(f.store.currentValue(u"x"_s, u"_cmt"_s).isEmpty());
    QVERIFY(f.store.toggleTemporaryPerFolder());
    QVERIFY(!f.store.toggleTemporaryPerFolder());
    QCOMPARE(f.store.mode(), StorageMode::Central);
}

void TestAnnotationStore::chooseModeStoresBothSwitches()
{
    Fixture f(StorageMode::PerFolder);
    f.pf.writeBytes(u"exe.ini"_s, "InIManagement2=0\r\nmin1=1\r\n");
    QVERIFY(f.settings.load());
    f.store.reloadModeFromSettings();
    QVERIFY(!f.store.chooseMode(StorageMode::PerFolder));
    QVERIFY(f.store.chooseMode(StorageMode::Central));
    QCOMPARE(f.pf.readBytes(u"exe.ini"_s), QByteArray("InIManagement2=1\r\nmin1=0\r\n"));
    Settings fresh(f.pf.folder());
    QVERIFY(fresh.load());
    QCOMPARE(AnnotationStore(f.pf.folder(), fresh).mode(), StorageMode::Central);
    // The marks follow the chosen mode, not the one-load temporary one.
    QVERIFY(f.store.toggleTemporaryPerFolder());
    QVERIFY(f.store.chooseMode(StorageMode::PerFolder));
    QCOMPARE(f.pf.readBytes(u"exe.ini"_s), QByteArray("InIManagement2=0\r\nmin1=1\r\n"));
    // With no exe.ini the built-in defaults choose per-folder mode.
    Settings defaults{ProgramFolder()};
    QCOMPARE(AnnotationStore(f.pf.folder(), defaults).mode(), StorageMode::PerFolder);
}

void TestAnnotationStore::folderCommandsAndFallback()
{
    Fixture f(StorageMode::Central);
    f.createIndex();
    const QString a = f.dir(u"A"_s);
    QVERIFY(f.store.loadForListBuild(a).ok);
    QCOMPARE(f.store.centralFileForEditing(), f.pf.file(u"ini/1.ini"_s));
    QCOMPARE(f.store.companionFile(CompanionKind::Rules), f.pf.file(u"rule/1.rule"_s));
    f.store.current().setValue(u"x"_s, u"_cmt"_s, u"local"_s);
    QVERIFY(f.store.writeCurrentToFolderFile().written);
    QCOMPARE(bytes(a + u"_m.ini"_s), QByteArray("x_cmt=local\n"));
    // Search results look in the other mode's file when the first has nothing.
    QVERIFY(f.store.GetByPath(a + u"x"_s, u"_cmt"_s).isEmpty());
    f.store.setSearchResultMode(true);
    QCOMPARE(f.store.GetByPath(a + u"x"_s, u"_cmt"_s), u"local"_s);
}

void TestAnnotationStore::writingTheFolderFileNeverReplacesAnUnreadOne()
{
    // A _m.ini that its owner may write but not read: what it holds is unknown, so the
    // current list never replaces it. Root reads anything, so a test run as root acts as
    // that other owner while the store works.
    Fixture f(StorageMode::Central);
    f.createIndex();
    const QString a = f.dir(u"A"_s);
    QVERIFY(f.store.loadForListBuild(a).ok);
    f.store.current().setValue(u"x"_s, u"_cmt"_s, u"central"_s);
    const QString file = a + u"_m.ini"_s;
    writeBytes(file, "x_cmt=only here\n");
    constexpr uid_t Nobody = 65534;
    const bool root = ::geteuid() == 0;
    if (root) {
        QVERIFY(::chown(QFile::encodeName(a).constData(), Nobody, Nobody) == 0);
        QVERIFY(::chown(QFile::encodeName(file).constData(), Nobody, Nobody) == 0);
        QVERIFY(QFile::setPermissions(f.data.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                         QFile::ExeOwner | QFile::ExeGroup |
                                                         QFile::ExeOther));
    }
    QVERIFY(QFile::setPermissions(file, QFile::WriteOwner));
    if (root)
        QCOMPARE(::seteuid(Nobody), 0);
    const StoreResult r = f.store.writeCurrentToFolderFile();
    if (root)
        QCOMPARE(::seteuid(0), 0);
    QVERIFY(!r.ok);
    QVERIFY(r.error.startsWith(u"このフォルダの設定ファイルを読めないため"_s));
    QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner));
    QCOMPARE(bytes(file), QByteArray("x_cmt=only here\n"));
}

void TestAnnotationStore::saveCurrentAsksAboutTheFolderFile()
{
    Fixture f(StorageMode::Central);
    f.createIndex();
    f.settings.setSwitch(Component::CheckFolderFilesAutomatically, true);
    const QString a = f.dir(u"A"_s);
    QVERIFY(f.store.loadForListBuild(a).ok);
    QCOMPARE(f.store.currentFile().kind, AnnotationFileRef::Kind::CentralFile);
    writeBytes(a + u"_m.ini"_s, "old=1\n");
    f.store.current().setValue(u"x"_s, u"_cmt"_s, u"1"_s);
    f.answer = false;
    QVERIFY(f.store.SaveCurrent().written);
    QCOMPARE(f.questions.last(), AnnotationStore::saveIntoFolderFileQuestion());
    QCOMPARE(f.pf.readBytes(u"ini/1.ini"_s), QByteArray("x_cmt=1\n"));
    f.answer = true;
    QVERIFY(f.store.SaveCurrent().written);
    QCOMPARE(bytes(a + u"_m.ini"_s), QByteArray("x_cmt=1\n"));
}

void TestAnnotationStore::editFolderIsOneBatch()
{
    Fixture f(StorageMode::PerFolder);
    const QString a = f.dir(u"A"_s);
    const QString b = f.dir(u"B"_s);
    writeBytes(a + u"_m.ini"_s, "z_cmt=keep\n");
    QVERIFY(f.store.loadForListBuild(a).ok);
    const auto label = [](AnnotationList &list) {
        bool any = false;
        for (const QString &name : {u"x"_s, u"y"_s, u"w"_s}) {
            bool changed = false;
            list.setValue(name, u"_label"_s, u"1"_s, &changed);
            any |= changed;
        }
        return any;
    };
    const StoreResult r = f.store.editFolder(a, label, true, false);
    QVERIFY(r.written);
    QCOMPARE(lines(a + u"_m.ini"_s),
             (QStringList{u"w_label=1"_s, u"x_label=1"_s, u"y_label=1"_s, u"z_cmt=keep"_s}));
    QCOMPARE(f.store.currentValue(u"y"_s, u"_label"_s), u"1"_s);
    // Another folder without a file: nothing is created unless asked.
    QVERIFY(!f.store.editFolder(b, label, true, false).written);
    QVERIFY(!QFile::exists(b + u"_m.ini"_s));
    // B gets values of its own: a leak into the current list (A's) would show.
    const auto otherLabel = [](AnnotationList &list) {
        bool changed = false;
        list.setValue(u"w"_s, u"_label"_s, u"3"_s, &changed);
        return changed;
    };
    QVERIFY(f.store.editFolder(b, otherLabel, true, true).written);
    QCOMPARE(lines(b + u"_m.ini"_s), QStringList{u"w_label=3"_s});
    QCOMPARE(f.store.currentValue(u"w"_s, u"_label"_s), u"1"_s);
    QCOMPARE(lines(a + u"_m.ini"_s).first(), u"w_label=1"_s);
}

QTEST_GUILESS_MAIN(TestAnnotationStore)
#include "tst_annotationstore.moc"
