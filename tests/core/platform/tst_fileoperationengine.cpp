#include "core/platform/fileoperationengine.h"
#include "core/platform/fileoperationjob.h"
#include "core/platform/trash.h"
#include "core/platform/treecopier.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <fcntl.h>
#include <grp.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace kazari;
using namespace Qt::StringLiterals;

namespace
{

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool exists(const QString &path)
{
    struct stat st {
    };
    return ::lstat(native(path).constData(), &st) == 0;
}

bool setTimes(const QString &path, qint64 seconds, long nanoseconds)
{
    const struct timespec times[2] = {{seconds, nanoseconds}, {seconds, nanoseconds}};
    return ::utimensat(AT_FDCWD, native(path).constData(), times, AT_SYMLINK_NOFOLLOW) == 0;
}

// One line per entry below `root`: type, permissions, modification time to the nanosecond,
// content digest and "user." attribute of files, target of links.
QStringList describe(const QString &root, const QString &relative = u"."_s)
{
    const QString path = relative == u"."_s ? root : root + u'/' + relative;
    struct stat st {
    };
    if (::lstat(native(path).constData(), &st) != 0)
        return {relative + u" missing"_s};
    QString line = relative + u" mode="_s + QString::number(st.st_mode, 8) + u" mtime="_s +
                   QString::number(st.st_mtim.tv_sec) + u'.' + QString::number(st.st_mtim.tv_nsec);
    QStringList out;
    if (S_ISREG(st.st_mode)) {
        line += u" size="_s + QString::number(st.st_size) + u' ' +
                QString::fromLatin1(
                    QCryptographicHash::hash(readFile(path), QCryptographicHash::Md5).toHex());
        char value[64] = {};
        const ssize_t n =
            ::lgetxattr(native(path).constData(), "user.kazari.system", value, sizeof value - 1);
        if (n > 0)
            line += u" xattr="_s + QString::fromLatin1(value, n);
    } else if (S_ISLNK(st.st_mode)) {
        char target[4096] = {};
        line += u" -> "_s +
                QString::fromLocal8Bit(target, ::readlink(native(path).constData(), target, 4095));
    } else if (S_ISDIR(st.st_mode)) {
        const QStringList names = QDir(path).entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString &name : names)
            out += describe(root, relative == u"."_s ? name : relative + u'/' + name);
    }
    out.prepend(line);
    return out;
}

// A folder on another file system than the temporary folder while it lives: a tmpfs
// mounted for the test (the tests run as root in their sandbox), else /dev/shm when that
// is another device. `mounted()` tells which.
class OtherFileSystem
{
public:
    explicit OtherFileSystem(const QByteArray &options = "size=256m", bool allowShm = true)
    {
        if (m_mountPoint.isValid() && ::mount("tmpfs", native(m_mountPoint.path()).constData(),
                                              "tmpfs", 0, options.constData()) == 0) {
            m_mounted = true;
            m_path = m_mountPoint.path();
            return;
        }
        struct stat shm {
        };
        struct stat temp {
        };
        if (allowShm && ::stat("/dev/shm", &shm) == 0 &&
            ::stat(native(QDir::tempPath()).constData(), &temp) == 0 && shm.st_dev != temp.st_dev) {
            m_shm = std::make_unique<QTemporaryDir>(u"/dev/shm/kazari-test-XXXXXX"_s);
            if (m_shm->isValid())
                m_path = m_shm->path();
        }
    }
    ~OtherFileSystem()
    {
        if (m_mounted)
            ::umount2(native(m_path).constData(), MNT_DETACH);
    }
    bool isValid() const { return !m_path.isEmpty(); }
    bool mounted() const { return m_mounted; }
    QString path() const { return m_path; }

private:
    QTemporaryDir m_mountPoint;
    std::unique_ptr<QTemporaryDir> m_shm;
    QString m_path;
    bool m_mounted = false;
};

// Makes a folder unwritable while it lives: the immutable flag for root (whom permissions do
// not stop), the permission bits otherwise.
class Frozen
{
public:
    explicit Frozen(const QString &path)
        : m_path(path)
    {
        m_active =
            ::geteuid() == 0 ? setImmutable(true) : ::chmod(native(path).constData(), 0555) == 0;
    }
    ~Frozen()
    {
        if (m_active && ::geteuid() == 0)
            setImmutable(false);
        else if (m_active)
            ::chmod(native(m_path).constData(), 0755);
    }
    bool isActive() const { return m_active; }

private:
    bool setImmutable(bool on)
    {
        const int fd = ::open(native(m_path).constData(), O_RDONLY | O_DIRECTORY);
        if (fd < 0)
            return false;
        int flags = 0;
        bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (ok) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return ok;
    }
    QString m_path;
    bool m_active = false;
};

// A small tree with what a copy must keep: nested folders, permissions, times to the
// nanosecond, a "user." attribute, relative, absolute and dangling links, a fifo.
bool makeTree(const QString &root, const QString &outside)
{
    bool ok = writeFile(root + u"/a.txt"_s, "alpha") &&
              writeFile(root + u"/sub/b.bin"_s, QByteArray(100000, 'b')) &&
              writeFile(root + u"/sub/deeper/.hidden"_s, "h") &&
              QDir().mkpath(root + u"/empty"_s) && writeFile(outside + u"/secret.txt"_s, "outside");
    ok = ok && ::chmod(native(root + u"/a.txt"_s).constData(), 0640) == 0 &&
         ::chmod(native(root + u"/sub/deeper"_s).constData(), 0750) == 0;
    ok = ok && ::symlink("sub/b.bin", native(root + u"/relative"_s).constData()) == 0 &&
         ::symlink(native(outside).constData(), native(root + u"/absolute"_s).constData()) == 0 &&
         ::symlink("nowhere", native(root + u"/dangling"_s).constData()) == 0 &&
         ::mkfifo(native(root + u"/pipe"_s).constData(), 0600) == 0;
    ::lsetxattr(native(root + u"/a.txt"_s).constData(), "user.kazari.system", "1", 1, 0);
    const char *timed[] = {"a.txt",      "sub/b.bin", "sub/deeper/.hidden",
                           "sub/deeper", "sub",       "relative",
                           "empty",      "pipe",      "."};
    for (const char *name : timed)
        ok = ok && setTimes(root + u'/' + QLatin1String(name), 1600000000, 123456789);
    return ok;
}

struct Scripted {
    QList<OverwriteAnswer> answers;
    QStringList asked;
    OverwriteAnswer operator()(const OverwriteQuestion &q)
    {
        asked.append(QFileInfo(q.target).fileName());
        return answers.isEmpty() ? OverwriteAnswer::No : answers.takeFirst();
    }
};

} // namespace

class TestFileOperationEngine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void renamesOnCollision_data();
    void renamesOnCollision();
    void overwriteAnswers_data();
    void overwriteAnswers();
    void neverReplacesWithoutYes();
    void mergesFoldersAskingInside_data();
    void mergesFoldersAskingInside();
    void refusesFolderIntoItself_data();
    void refusesFolderIntoItself();
    void sameFolderMoveDoesNothing_data();
    void sameFolderMoveDoesNothing();
    void copyKeepsTreeLinksAndTimes();
    void sparseFileKeepsSize();
    void crossDeviceMove();
    void fullDestinationLosesNothing_data();
    void fullDestinationLosesNothing();
    void unremovableSourceIsNotMoved();
    void stickyFolderRule_data();
    void stickyFolderRule();
    void stickyFolderStopsMoveBeforeCopying_data();
    void stickyFolderStopsMoveBeforeCopying();
    void destinationTurnsReadOnlyMidway();
    void cancelMidway_data();
    void cancelMidway();
    void stopFinishesTheItemUnderWay();
    void deleteGoesToTrash();
    void deletePermanentlyKeepsLinkTargets();
    void jobAsksOnMainThread_data();
    void jobAsksOnMainThread();
    void jobStopsWhileAsking_data();
    void jobStopsWhileAsking();
};

void TestFileOperationEngine::renamesOnCollision_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("folder");
    QTest::addColumn<QStringList>("existing"); // a trailing "/" makes a folder
    QTest::addColumn<QString>("expected");
    for (int code : {0, 1}) {
        const QString op = code == 0 ? u"move "_s : u"copy "_s;
        QTest::addRow("%sfree", qPrintable(op))
            << code << u"a.txt"_s << false << QStringList{} << u"a.txt"_s;
        QTest::addRow("%sfile taken", qPrintable(op))
            << code << u"a.txt"_s << false << QStringList{u"a.txt"_s} << u"a (2).txt"_s;
        QTest::addRow("%sfile taken twice", qPrintable(op))
            << code << u"a.txt"_s << false << QStringList{u"a.txt"_s, u"a (2).txt"_s}
            << u"a (3).txt"_s;
        QTest::addRow("%sname taken by a folder", qPrintable(op))
            << code << u"a.txt"_s << false << QStringList{u"a.txt/"_s} << u"a (2).txt"_s;
        QTest::addRow("%sdot file", qPrintable(op))
            << code << u".rc"_s << false << QStringList{u".rc"_s} << u".rc (2)"_s;
        QTest::addRow("%sfolder taken", qPrintable(op))
            << code << u"d.v1"_s << true << QStringList{u"d.v1/"_s} << u"d.v1 (2)"_s;
        QTest::addRow("%sfolder name taken by a file", qPrintable(op))
            << code << u"d.v1"_s << true << QStringList{u"d.v1"_s} << u"d.v1 (2)"_s;
    }
}

void TestFileOperationEngine::renamesOnCollision()
{
    QFETCH(int, code);
    QFETCH(QString, source);
    QFETCH(bool, folder);
    QFETCH(QStringList, existing);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString from = dir.filePath(u"from/"_s + source);
    QVERIFY(folder ? writeFile(from + u"/inner"_s, "new") : writeFile(from, "new"));
    QVERIFY(QDir().mkpath(dir.filePath(u"to"_s)));
    for (const QString &name : existing) {
        QVERIFY(name.endsWith(u'/') ? writeFile(dir.filePath(u"to/"_s + name + u"old"_s), "old")
                                    : writeFile(dir.filePath(u"to/"_s + name), "old"));
    }
    const QStringList before = describe(dir.filePath(u"to"_s));

    FileOperationEngine engine;
    const FileOperationResult r =
        engine.run({FileOperationCode(code), {from}, dir.filePath(u"to"_s)});
    QCOMPARE(r.items.size(), 1);
    QCOMPARE(r.items[0].status, ItemStatus::Done);
    QVERIFY(r.succeeded());
    const QString target = dir.filePath(u"to/"_s + expected);
    QCOMPARE(r.items[0].destination, target);
    QCOMPARE(readFile(folder ? target + u"/inner"_s : target), QByteArray("new"));
    QCOMPARE(exists(from), code == 1);
    // Everything that was there before is untouched.
    QStringList after = describe(dir.filePath(u"to"_s));
    for (const QString &line : before.mid(1))
        QVERIFY2(after.contains(line), qPrintable(line));
}

void TestFileOperationEngine::overwriteAnswers_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QList<int>>("answers");  // OverwriteAnswer
    QTest::addColumn<QList<int>>("statuses"); // ItemStatus
    QTest::addColumn<int>("asked");
    const int yes = int(OverwriteAnswer::Yes), all = int(OverwriteAnswer::YesToAll),
              no = int(OverwriteAnswer::No), cancel = int(OverwriteAnswer::Cancel);
    const int done = int(ItemStatus::Done), skipped = int(ItemStatus::Skipped),
              cancelled = int(ItemStatus::Cancelled);
    for (int code : {4, 5}) {
        const char *op = code == 4 ? "move" : "copy";
        QTest::addRow("%s yes, no", op)
            << code << QList<int>{yes, no} << QList<int>{done, skipped} << 2;
        QTest::addRow("%s no, yes", op)
            << code << QList<int>{no, yes} << QList<int>{skipped, done} << 2;
        QTest::addRow("%s yes to all", op)
            << code << QList<int>{all} << QList<int>{done, done} << 1;
        QTest::addRow("%s cancel", op)
            << code << QList<int>{cancel} << QList<int>{cancelled, cancelled} << 1;
    }
}

void TestFileOperationEngine::overwriteAnswers()
{
    QFETCH(int, code);
    QFETCH(QList<int>, answers);
    QFETCH(QList<int>, statuses);
    QFETCH(int, asked);
    QTemporaryDir dir;
    const QStringList names{u"a.txt"_s, u"b.txt"_s};
    QStringList sources;
    for (const QString &name : names) {
        QVERIFY(writeFile(dir.filePath(u"from/"_s + name), "new " + name.toLatin1()));
        QVERIFY(writeFile(dir.filePath(u"to/"_s + name), "old " + name.toLatin1()));
        sources << dir.filePath(u"from/"_s + name);
    }

    Scripted script;
    for (int answer : answers)
        script.answers << OverwriteAnswer(answer);
    FileOperationEngine engine;
    engine.setOverwriteCallback([&script](const OverwriteQuestion &q) { return script(q); });
    const FileOperationResult r =
        engine.run({FileOperationCode(code), sources, dir.filePath(u"to"_s)});

    QCOMPARE(script.asked.size(), asked);
    QCOMPARE(r.cancelled, statuses.contains(int(ItemStatus::Cancelled)));
    QCOMPARE(r.items.size(), 2);
    for (int i = 0; i < 2; ++i) {
        const QByteArray name = names[i].toLatin1();
        const bool done = statuses[i] == int(ItemStatus::Done);
        QCOMPARE(int(r.items[i].status), statuses[i]);
        QCOMPARE(readFile(dir.filePath(u"to/"_s + names[i])), (done ? "new " : "old ") + name);
        // A move takes the source away only when it is done; a copy never does.
        QCOMPARE(exists(sources[i]), code == 5 || !done);
    }
    // No temporary copies are left behind.
    QCOMPARE(QDir(dir.filePath(u"to"_s))
                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             names);
}

void TestFileOperationEngine::neverReplacesWithoutYes()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(u"from/a.txt"_s), "new"));
    QVERIFY(writeFile(dir.filePath(u"from/file-vs-folder"_s), "new"));
    QVERIFY(writeFile(dir.filePath(u"from/folder-vs-file/x"_s), "new"));
    QVERIFY(writeFile(dir.filePath(u"from/link.txt"_s), "new"));
    QVERIFY(writeFile(dir.filePath(u"to/a.txt"_s), "old"));
    QVERIFY(writeFile(dir.filePath(u"to/file-vs-folder/x"_s), "old"));
    QVERIFY(writeFile(dir.filePath(u"to/folder-vs-file"_s), "old"));
    QVERIFY(writeFile(dir.filePath(u"victim.txt"_s), "victim"));
    QVERIFY(QFile::link(dir.filePath(u"victim.txt"_s), dir.filePath(u"to/link.txt"_s)));
    const QString to = dir.filePath(u"to"_s);

    // Without anyone to ask, nothing is replaced.
    FileOperationEngine silent;
    FileOperationResult r =
        silent.run({FileOperationCode::CopyAsking, {dir.filePath(u"from/a.txt"_s)}, to});
    QCOMPARE(r.items[0].status, ItemStatus::Skipped);
    QVERIFY(!r.succeeded());
    QCOMPARE(readFile(dir.filePath(u"to/a.txt"_s)), QByteArray("old"));

    // A file never replaces a folder nor a folder a file, whatever the answer; a link at the
    // target is replaced itself, never written through.
    for (FileOperationCode code : {FileOperationCode::CopyAsking, FileOperationCode::MoveAsking}) {
        int asked = 0;
        FileOperationEngine engine;
        engine.setOverwriteCallback([&asked](const OverwriteQuestion &) {
            ++asked;
            return OverwriteAnswer::Yes;
        });
        r = engine.run(
            {code,
             {dir.filePath(u"from/file-vs-folder"_s), dir.filePath(u"from/folder-vs-file"_s)},
             to});
        QCOMPARE(r.items[0].status, ItemStatus::Failed);
        QCOMPARE(r.items[1].status, ItemStatus::Failed);
        QVERIFY(!r.items[0].error.isEmpty());
        QCOMPARE(asked, 0);
        QCOMPARE(readFile(dir.filePath(u"to/file-vs-folder/x"_s)), QByteArray("old"));
        QCOMPARE(readFile(dir.filePath(u"to/folder-vs-file"_s)), QByteArray("old"));
        QVERIFY(exists(dir.filePath(u"from/file-vs-folder"_s)));
        QVERIFY(exists(dir.filePath(u"from/folder-vs-file/x"_s)));
    }
    FileOperationEngine engine;
    engine.setOverwriteCallback([](const OverwriteQuestion &) { return OverwriteAnswer::Yes; });
    r = engine.run({FileOperationCode::CopyAsking, {dir.filePath(u"from/link.txt"_s)}, to});
    QCOMPARE(r.items[0].status, ItemStatus::Done);
    QVERIFY(!QFileInfo(dir.filePath(u"to/link.txt"_s)).isSymLink());
    QCOMPARE(readFile(dir.filePath(u"to/link.txt"_s)), QByteArray("new"));
    QCOMPARE(readFile(dir.filePath(u"victim.txt"_s)), QByteArray("victim"));
}

void TestFileOperationEngine::mergesFoldersAskingInside_data()
{
    QTest::addColumn<int>("code");
    QTest::newRow("move") << 4;
    QTest::newRow("copy") << 5;
}

void TestFileOperationEngine::mergesFoldersAskingInside()
{
    QFETCH(int, code);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(u"from/d/x"_s), "new x"));
    QVERIFY(writeFile(dir.filePath(u"from/d/y"_s), "new y"));
    QVERIFY(writeFile(dir.filePath(u"from/d/sub/z"_s), "new z"));
    QVERIFY(writeFile(dir.filePath(u"to/d/x"_s), "old x"));
    QVERIFY(writeFile(dir.filePath(u"to/d/keep"_s), "keep"));
    QVERIFY(writeFile(dir.filePath(u"to/d/sub/z"_s), "old z"));
    // The annotation files on both sides are left for the annotation follower.
    QVERIFY(writeFile(dir.filePath(u"from/d/_m.ini"_s), "y_cmt=new"));
    QVERIFY(writeFile(dir.filePath(u"to/d/_m.ini"_s), "keep_cmt=old"));
    QVERIFY(writeFile(dir.filePath(u"from/d/sub/_m.ini"_s), "z_cmt=new"));

    // Answers by name: the folder listing has no fixed order.
    QStringList asked;
    FileOperationEngine engine;
    engine.setOverwriteCallback([&asked](const OverwriteQuestion &q) {
        const QString name = QFileInfo(q.target).fileName();
        asked << name;
        return name == u"x"_s ? OverwriteAnswer::No : OverwriteAnswer::Yes;
    });
    const FileOperationResult r =
        engine.run({FileOperationCode(code), {dir.filePath(u"from/d"_s)}, dir.filePath(u"to"_s)});
    asked.sort();
    QCOMPARE(asked, (QStringList{u"d"_s, u"sub"_s, u"x"_s, u"z"_s}));
    QCOMPARE(r.items[0].status, ItemStatus::Done);
    QCOMPARE(r.items[0].keptInside, 1);
    QCOMPARE(readFile(dir.filePath(u"to/d/x"_s)), QByteArray("old x"));
    QCOMPARE(readFile(dir.filePath(u"to/d/y"_s)), QByteArray("new y"));
    QCOMPARE(readFile(dir.filePath(u"to/d/keep"_s)), QByteArray("keep"));
    QCOMPARE(readFile(dir.filePath(u"to/d/sub/z"_s)), QByteArray("new z"));
    // The declined entry stays in the source; what was moved is gone from it.
    QCOMPARE(readFile(dir.filePath(u"from/d/x"_s)), QByteArray("new x"));
    QCOMPARE(exists(dir.filePath(u"from/d/y"_s)), code == 5);
    QCOMPARE(exists(dir.filePath(u"from/d/sub/z"_s)), code == 5);
    QCOMPARE(readFile(dir.filePath(u"to/d/_m.ini"_s)), QByteArray("keep_cmt=old"));
    QCOMPARE(readFile(dir.filePath(u"from/d/_m.ini"_s)), QByteArray("y_cmt=new"));
    QCOMPARE(readFile(dir.filePath(u"from/d/sub/_m.ini"_s)), QByteArray("z_cmt=new"));
    QVERIFY(!exists(dir.filePath(u"to/d/sub/_m.ini"_s)));

    // What went in, for the annotations: a merged sub-folder before its own entries.
    QStringList placed;
    for (const PlacedEntry &e : r.items[0].placedInside) {
        QCOMPARE(e.destination,
                 dir.filePath(u"to/"_s) + e.source.mid(dir.filePath(u"from/"_s).size()));
        placed << e.source.mid(dir.filePath(u"from/"_s).size()) +
                      (e.merged ? u" merged"_s : QString());
    }
    QCOMPARE(placed.indexOf(u"d/sub merged"_s) < placed.indexOf(u"d/sub/z"_s), true);
    placed.sort();
    QCOMPARE(placed, (QStringList{u"d/sub merged"_s, u"d/sub/z"_s, u"d/y"_s}));
}

void TestFileOperationEngine::refusesFolderIntoItself_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("destination");
    for (int code : {0, 1, 4, 5}) {
        QTest::addRow("code %d into itself", code) << code << u"d"_s;
        QTest::addRow("code %d below itself", code) << code << u"d/sub/deeper"_s;
        QTest::addRow("code %d below itself through a link", code) << code << u"link"_s;
    }
}

void TestFileOperationEngine::refusesFolderIntoItself()
{
    QFETCH(int, code);
    QFETCH(QString, destination);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(u"d/sub/deeper/f"_s), "f"));
    QVERIFY(QFile::link(dir.filePath(u"d/sub"_s), dir.filePath(u"link"_s)));
    const QStringList before = describe(dir.filePath(u"d"_s));

    FileOperationEngine engine;
    engine.setOverwriteCallback(
        [](const OverwriteQuestion &) { return OverwriteAnswer::YesToAll; });
    const FileOperationResult r =
        engine.run({FileOperationCode(code), {dir.filePath(u"d"_s)}, dir.filePath(destination)});
    QCOMPARE(r.items[0].status, ItemStatus::Failed);
    QVERIFY(!r.items[0].error.isEmpty());
    QCOMPARE(describe(dir.filePath(u"d"_s)), before);
}

void TestFileOperationEngine::sameFolderMoveDoesNothing_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("throughLink");
    QTest::newRow("code 0") << 0 << false;
    QTest::newRow("code 4") << 4 << false;
    QTest::newRow("code 0, folder named through a link") << 0 << true;
}

void TestFileOperationEngine::sameFolderMoveDoesNothing()
{
    QFETCH(int, code);
    QFETCH(bool, throughLink);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(u"here/a.txt"_s), "a"));
    QVERIFY(QFile::link(dir.filePath(u"here"_s), dir.filePath(u"alias"_s)));
    const QStringList before = describe(dir.filePath(u"here"_s));

    int asked = 0;
    FileOperationEngine engine;
    engine.setOverwriteCallback([&asked](const OverwriteQuestion &) {
        ++asked;
        return OverwriteAnswer::Yes;
    });
    const QString source = dir.filePath(u"here/a.txt"_s);
    const FileOperationResult r = engine.run(
        {FileOperationCode(code), {source}, dir.filePath(throughLink ? u"alias"_s : u"here"_s)});
    QCOMPARE(r.items[0].status, ItemStatus::Skipped);
    QCOMPARE(r.items[0].destination, source);
    QCOMPARE(asked, 0);
    QCOMPARE(describe(dir.filePath(u"here"_s)), before);
}

void TestFileOperationEngine::copyKeepsTreeLinksAndTimes()
{
    QTemporaryDir dir;
    QVERIFY(makeTree(dir.filePath(u"tree"_s), dir.filePath(u"outside"_s)));
    QVERIFY(QDir().mkpath(dir.filePath(u"to"_s)));
    const QStringList before = describe(dir.filePath(u"tree"_s));

    FileOperationEngine engine;
    const FileOperationResult r = engine.run(
        {FileOperationCode::CopyRenaming, {dir.filePath(u"tree"_s)}, dir.filePath(u"to"_s)});
    QCOMPARE(r.items[0].status, ItemStatus::Done);
    QCOMPARE(describe(dir.filePath(u"to/tree"_s)), before);
    QCOMPARE(describe(dir.filePath(u"tree"_s)), before);
    // The link to a folder outside stays a link: nothing of the outside was copied.
    QVERIFY(QFileInfo(dir.filePath(u"to/tree/absolute"_s)).isSymLink());
    QCOMPARE(QDir(dir.filePath(u"outside"_s)).entryList(QDir::Files), QStringList{u"secret.txt"_s});
}

void TestFileOperationEngine::sparseFileKeepsSize()
{
    QTemporaryDir dir;
    const QString source = dir.filePath(u"big.img"_s);
    const qint64 size = qint64(3) << 30;
    const qint64 marks[] = {0, qint64(3) << 29, size - 5};
    {
        const int fd = ::open(native(source).constData(), O_WRONLY | O_CREAT, 0644);
        QVERIFY(fd >= 0);
        QCOMPARE(::ftruncate(fd, size), 0);
        for (qint64 at : marks)
            QCOMPARE(::pwrite(fd, "mark!", 5, at), ssize_t(5));
        ::close(fd);
    }
    struct stat st {
    };
    QCOMPARE(::stat(native(source).constData(), &st), 0);
    if (qint64(st.st_blocks) * 512 > (qint64(64) << 20))
        QSKIP("the temporary folder's file system does not keep holes");

    FileOperationEngine engine;
    qint64 reported = 0;
    engine.setProgressCallback(
        [&reported](const FileOperationProgress &p) { reported = p.bytesDone; });
    const FileOperationResult r =
        engine.run({FileOperationCode::CopyRenaming, {source}, dir.path()});
    QCOMPARE(r.items[0].status, ItemStatus::Done);
    const QString copy = dir.filePath(u"big (2).img"_s);
    QCOMPARE(r.items[0].destination, copy);
    QCOMPARE(::stat(native(copy).constData(), &st), 0);
    QCOMPARE(qint64(st.st_size), size);
    QCOMPARE(reported, size);
    QVERIFY2(qint64(st.st_blocks) * 512 < (qint64(64) << 20), "the copy lost its holes");
    QFile f(copy);
    QVERIFY(f.open(QIODevice::ReadOnly));
    for (qint64 at : marks) {
        QVERIFY(f.seek(at));
        QCOMPARE(f.read(5), QByteArray("mark!"));
    }
    QVERIFY(f.seek(qint64(1) << 30));
    QCOMPARE(f.read(4), QByteArray(4, '\0'));
}

void TestFileOperationEngine::crossDeviceMove()
{
    OtherFileSystem other;
    if (!other.isValid())
        QSKIP("no second file system");
    QTemporaryDir dir;
    QVERIFY(makeTree(dir.filePath(u"tree"_s), dir.filePath(u"outside"_s)));
    QVERIFY(writeFile(dir.filePath(u"a.txt"_s), "new a"));
    QVERIFY(writeFile(dir.filePath(u"b.txt"_s), "new b"));
    QVERIFY(writeFile(other.path() + u"/a.txt"_s, "old a"));
    QVERIFY(writeFile(other.path() + u"/b.txt"_s, "old b"));
    const QStringList before = describe(dir.filePath(u"tree"_s));

    FileOperationEngine engine;
    FileOperationProgress last;
    engine.setProgressCallback([&last](const FileOperationProgress &p) { last = p; });
    FileOperationResult r = engine.run({FileOperationCode::MoveRenaming,
                                        {dir.filePath(u"tree"_s), dir.filePath(u"a.txt"_s)},
                                        other.path()});
    QVERIFY(r.succeeded());
    QCOMPARE(r.items[1].destination, other.path() + u"/a (2).txt"_s);
    QCOMPARE(describe(other.path() + u"/tree"_s), before);
    QVERIFY(!exists(dir.filePath(u"tree"_s)));
    QVERIFY(!exists(dir.filePath(u"a.txt"_s)));
    QCOMPARE(readFile(other.path() + u"/a.txt"_s), QByteArray("old a"));
    QCOMPARE(last.itemsDone, 2);
    QCOMPARE(last.bytesDone, last.bytesTotal);
    QCOMPARE(last.bytesTotal, qint64(100000 + 1 + 5 + 5));

    // Replacing across file systems after Yes.
    FileOperationEngine asking;
    asking.setOverwriteCallback([](const OverwriteQuestion &) { return OverwriteAnswer::Yes; });
    r = asking.run({FileOperationCode::MoveAsking, {dir.filePath(u"b.txt"_s)}, other.path()});
    QCOMPARE(r.items[0].status, ItemStatus::Done);
    QCOMPARE(readFile(other.path() + u"/b.txt"_s), QByteArray("new b"));
    QVERIFY(!exists(dir.filePath(u"b.txt"_s)));
}

void TestFileOperationEngine::fullDestinationLosesNothing_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("source");
    for (int code : {0, 1, 4, 5}) {
        QTest::addRow("code %d, tree", code) << code << u"tree"_s;
        QTest::addRow("code %d, one big file", code) << code << u"big.bin"_s;
    }
}

void TestFileOperationEngine::fullDestinationLosesNothing()
{
    QFETCH(int, code);
    QFETCH(QString, source);
    OtherFileSystem tiny("size=256k", false);
    if (!tiny.mounted())
        QSKIP("cannot mount a small file system here");
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(u"tree/one"_s), QByteArray(150000, '1')));
    QVERIFY(writeFile(dir.filePath(u"tree/sub/two"_s), QByteArray(150000, '2')));
    QVERIFY(writeFile(dir.filePath(u"big.bin"_s), QByteArray(1 << 20, 'x')));
    const QStringList before = describe(dir.path());

    FileOperationEngine engine;
    const FileOperationResult r =
        engine.run({FileOperationCode(code), {dir.filePath(source)}, tiny.path()});
    QCOMPARE(r.items[0].status, ItemStatus::Failed);
    QVERIFY(!r.items[0].error.isEmpty());
    QCOMPARE(describe(dir.path()), before);
    QCOMPARE(QDir(tiny.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
}

void TestFileOperationEngine::destinationTurnsReadOnlyMidway()
{
    // The other file system is remounted read-only while the second item is being copied:
    // the first item is moved, the second stays whole at home.
    OtherFileSystem other;
    if (!other.mounted())
        QSKIP("cannot mount a tmpfs here");
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(u"first.txt"_s), "first"));
    QVERIFY(makeTree(dir.filePath(u"tree"_s), dir.filePath(u"outside"_s)));
    const QStringList before = describe(dir.filePath(u"tree"_s));

    FileOperationEngine engine;
    bool readOnly = false;
    bool named = false;
    const QByteArray mountPoint = native(other.path());
    engine.setProgressCallback(
        [&](const FileOperationProgress &p) {
            // Between entries no file is open for writing, so the remount goes through.
            if (!named && p.currentPath.endsWith(u"/sub/b.bin"_s)) {
                named = true;
                readOnly = ::mount(nullptr, mountPoint.constData(), nullptr, MS_REMOUNT | MS_RDONLY,
                                   nullptr) == 0;
            }
        },
        0);
    const FileOperationResult r =
        engine.run({FileOperationCode::MoveRenaming,
                    {dir.filePath(u"first.txt"_s), dir.filePath(u"tree"_s)},
                    other.path()});
    // Progress names every entry as it goes; only the remount may be out of reach here.
    QVERIFY2(named, "no progress named the entry sub/b.bin");
    if (!readOnly)
        QSKIP("cannot remount the tmpfs read-only");
    QCOMPARE(r.items[0].status, ItemStatus::Done);
    QCOMPARE(r.items[1].status, ItemStatus::Failed);
    QVERIFY(!r.items[1].error.isEmpty());
    QCOMPARE(readFile(other.path() + u"/first.txt"_s), QByteArray("first"));
    QCOMPARE(describe(dir.filePath(u"tree"_s)), before);
    QVERIFY(::mount(nullptr, mountPoint.constData(), nullptr, MS_REMOUNT, nullptr) == 0);
}

void TestFileOperationEngine::unremovableSourceIsNotMoved()
{
    OtherFileSystem other;
    if (!other.isValid())
        QSKIP("no second file system");
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(u"locked/tree/f"_s), "f"));
    QVERIFY(writeFile(dir.filePath(u"open/tree/g"_s), "g"));
    const QStringList before = describe(dir.path());
    {
        Frozen locked(dir.filePath(u"locked"_s));
        Frozen inner(dir.filePath(u"open/tree"_s));
        if (!locked.isActive() || !inner.isActive())
            QSKIP("cannot make a folder unwritable here");
        FileOperationEngine engine;
        const FileOperationResult r =
            engine.run({FileOperationCode::MoveRenaming,
                        {dir.filePath(u"locked/tree"_s), dir.filePath(u"open/tree"_s)},
                        other.path()});
        QCOMPARE(r.items[0].status, ItemStatus::Failed);
        QCOMPARE(r.items[1].status, ItemStatus::Failed);
    }
    QCOMPARE(describe(dir.path()), before);
    QCOMPARE(QDir(other.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
}

void TestFileOperationEngine::stickyFolderRule_data()
{
    QTest::addColumn<int>("folderMode");
    QTest::addColumn<int>("folderOwner");
    QTest::addColumn<int>("entryOwner");
    QTest::addColumn<int>("uid");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("not sticky") << 0777 << 2000 << 3000 << 1000 << true;
    QTest::newRow("sticky, someone else's entry") << 01777 << 2000 << 3000 << 1000 << false;
    QTest::newRow("sticky, own entry") << 01777 << 2000 << 1000 << 1000 << true;
    QTest::newRow("sticky, own folder") << 01777 << 1000 << 3000 << 1000 << true;
    QTest::newRow("sticky, root") << 01777 << 2000 << 3000 << 0 << true;
}

void TestFileOperationEngine::stickyFolderRule()
{
    QFETCH(int, folderMode);
    QFETCH(int, folderOwner);
    QFETCH(int, entryOwner);
    QFETCH(int, uid);
    QFETCH(bool, allowed);
    struct stat folder {
    };
    folder.st_mode = S_IFDIR | mode_t(folderMode);
    folder.st_uid = uid_t(folderOwner);
    QCOMPARE(TreeCopier::stickyAllowsRemoval(folder, uid_t(entryOwner), uid_t(uid)), allowed);
}

void TestFileOperationEngine::stickyFolderStopsMoveBeforeCopying_data()
{
    QTest::addColumn<QString>("source");
    QTest::newRow("item in a sticky folder") << u"shared/theirs.txt"_s;
    QTest::newRow("sticky folder inside the item") << u"home/mine"_s;
}

void TestFileOperationEngine::stickyFolderStopsMoveBeforeCopying()
{
    // As user 1000, in folders of user 2000 with the sticky bit (like /tmp) that hold a file
    // of user 3000: the move is refused before anything is copied.
    QFETCH(QString, source);
    if (::geteuid() != 0)
        QSKIP("needs root to hand the files to other users");
    OtherFileSystem other;
    if (!other.isValid())
        QSKIP("no second file system");
    QTemporaryDir dir;
    auto own = [&dir](const QString &relative, uid_t uid, mode_t mode) {
        const QByteArray path = native(dir.filePath(relative));
        return ::chown(path.constData(), uid, uid) == 0 && ::chmod(path.constData(), mode) == 0;
    };
    QVERIFY(writeFile(dir.filePath(u"shared/theirs.txt"_s), "theirs"));
    QVERIFY(writeFile(dir.filePath(u"home/mine/box/theirs.txt"_s), "theirs"));
    QVERIFY(own(u"."_s, 0, 0755) && own(u"shared"_s, 2000, 01777) &&
            own(u"shared/theirs.txt"_s, 3000, 0644) && own(u"home"_s, 1000, 0755) &&
            own(u"home/mine"_s, 1000, 0755) && own(u"home/mine/box"_s, 2000, 01777) &&
            own(u"home/mine/box/theirs.txt"_s, 3000, 0644));
    QCOMPARE(::chmod(native(other.path()).constData(), 0777), 0);
    const QStringList before = describe(dir.path());

    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(1000) != 0 || ::setuid(1000) != 0)
            ::_exit(100);
        FileOperationEngine engine;
        const FileOperationResult r =
            engine.run({FileOperationCode::MoveRenaming, {dir.filePath(source)}, other.path()});
        ::_exit(r.items.size() == 1 ? int(r.items[0].status) : 101);
    }
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), int(ItemStatus::Failed));
    QCOMPARE(describe(dir.path()), before);
    QCOMPARE(QDir(other.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
}

void TestFileOperationEngine::cancelMidway_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("otherDevice");
    QTest::newRow("copy") << 1 << false;
    QTest::newRow("move across file systems") << 0 << true;
    QTest::newRow("asking copy across file systems") << 5 << true;
}

void TestFileOperationEngine::cancelMidway()
{
    QFETCH(int, code);
    QFETCH(bool, otherDevice);
    OtherFileSystem other;
    if (otherDevice && !other.isValid())
        QSKIP("no second file system");
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(u"from/first.bin"_s), QByteArray(1 << 20, 'f')));
    QVERIFY(writeFile(dir.filePath(u"from/big/inner.bin"_s), QByteArray(64 << 20, 'b')));
    QVERIFY(writeFile(dir.filePath(u"from/last.bin"_s), "last"));
    const QString to = otherDevice ? other.path() : dir.filePath(u"to"_s);
    QVERIFY(QDir().mkpath(to));
    const QStringList names{u"first.bin"_s, u"big"_s, u"last.bin"_s};
    QStringList sources;
    for (const QString &name : names)
        sources << dir.filePath(u"from/"_s + name);

    FileOperationEngine engine;
    engine.setProgressCallback(
        [&engine](const FileOperationProgress &p) {
            if (p.bytesDone > (qint64(20) << 20))
                engine.cancel();
        },
        0);
    const FileOperationResult r = engine.run({FileOperationCode(code), sources, to});
    QVERIFY(r.cancelled);
    QCOMPARE(r.items.size(), 3);
    QCOMPARE(r.items[0].status, ItemStatus::Done);
    QCOMPARE(r.items[1].status, ItemStatus::Cancelled);
    QCOMPARE(r.items[2].status, ItemStatus::Cancelled);
    QCOMPARE(QDir(to).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{u"first.bin"_s});
    QCOMPARE(QFileInfo(dir.filePath(u"from/big/inner.bin"_s)).size(), qint64(64) << 20);
    QVERIFY(exists(dir.filePath(u"from/last.bin"_s)));
    QCOMPARE(exists(dir.filePath(u"from/first.bin"_s)), code != 0);
}

void TestFileOperationEngine::stopFinishesTheItemUnderWay()
{
    // Asked to stop while the big folder is being copied across file systems: the folder is
    // finished and moved, the last item is not begun.
    OtherFileSystem other;
    if (!other.isValid())
        QSKIP("no second file system");
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(u"from/first.bin"_s), QByteArray(1 << 20, 'f')));
    QVERIFY(writeFile(dir.filePath(u"from/big/inner.bin"_s), QByteArray(64 << 20, 'b')));
    QVERIFY(writeFile(dir.filePath(u"from/last.bin"_s), "last"));
    QStringList sources;
    for (const char *name : {"first.bin", "big", "last.bin"})
        sources << dir.filePath(u"from/"_s + QLatin1String(name));

    FileOperationEngine engine;
    engine.setProgressCallback(
        [&engine](const FileOperationProgress &p) {
            if (p.bytesDone > (qint64(20) << 20))
                engine.stopAfterCurrentItem();
        },
        0);
    const FileOperationResult r =
        engine.run({FileOperationCode::MoveRenaming, sources, other.path()});
    QVERIFY(r.cancelled);
    QCOMPARE(r.items.size(), 3);
    QCOMPARE(r.items[0].status, ItemStatus::Done);
    QCOMPARE(r.items[1].status, ItemStatus::Done);
    QCOMPARE(r.items[2].status, ItemStatus::Cancelled);
    QCOMPARE(QFileInfo(other.path() + u"/big/inner.bin"_s).size(), qint64(64) << 20);
    QVERIFY(!exists(dir.filePath(u"from/big"_s)));
    QCOMPARE(readFile(dir.filePath(u"from/last.bin"_s)), QByteArray("last"));
    QVERIFY(!exists(other.path() + u"/last.bin"_s));
}

void TestFileOperationEngine::deleteGoesToTrash()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(u"a.txt"_s), "a"));
    QVERIFY(writeFile(dir.filePath(u"d/x"_s), "x"));
    Trash trash(dir.filePath(u"data/Trash"_s));
    FileOperationEngine engine;
    engine.setTrash(&trash);
    const FileOperationResult r =
        engine.run({FileOperationCode::Delete,
                    {dir.filePath(u"a.txt"_s), dir.filePath(u"gone"_s), dir.filePath(u"d"_s)},
                    QString()});
    QCOMPARE(r.items[0].status, ItemStatus::Done);
    QCOMPARE(r.items[1].status, ItemStatus::Failed);
    QCOMPARE(r.items[2].status, ItemStatus::Done);
    QCOMPARE(r.items[0].destination, dir.filePath(u"data/Trash/files/a.txt"_s));
    QCOMPARE(readFile(dir.filePath(u"data/Trash/files/d/x"_s)), QByteArray("x"));
    QVERIFY(!exists(dir.filePath(u"a.txt"_s)));

    // A trash that cannot be made: the item stays where it is and the result says so.
    QVERIFY(writeFile(dir.filePath(u"b.txt"_s), "b"));
    QVERIFY(writeFile(dir.filePath(u"plainfile"_s), ""));
    Trash broken(dir.filePath(u"plainfile/Trash"_s));
    engine.setTrash(&broken);
    const FileOperationResult failed =
        engine.run({FileOperationCode::Delete, {dir.filePath(u"b.txt"_s)}, QString()});
    QCOMPARE(failed.items[0].status, ItemStatus::Failed);
    QVERIFY(!failed.items[0].error.isEmpty());
    QCOMPARE(readFile(dir.filePath(u"b.txt"_s)), QByteArray("b"));
}

void TestFileOperationEngine::deletePermanentlyKeepsLinkTargets()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(u"tree/sub/f"_s), "f"));
    QVERIFY(writeFile(dir.filePath(u"outside/keep"_s), "keep"));
    QVERIFY(QFile::link(dir.filePath(u"outside"_s), dir.filePath(u"tree/sub/link"_s)));
    FileOperationEngine engine;
    const FileOperationResult r =
        engine.deletePermanently({dir.filePath(u"tree"_s), dir.filePath(u"gone"_s), u"/"_s});
    QCOMPARE(r.items[0].status, ItemStatus::Done);
    QCOMPARE(r.items[1].status, ItemStatus::Failed);
    QCOMPARE(r.items[2].status, ItemStatus::Failed);
    QVERIFY(!exists(dir.filePath(u"tree"_s)));
    QCOMPARE(readFile(dir.filePath(u"outside/keep"_s)), QByteArray("keep"));
}

void TestFileOperationEngine::jobAsksOnMainThread_data()
{
    QTest::addColumn<bool>("answerer");
    QTest::newRow("dialog answers through the signal") << false;
    QTest::newRow("answers given in advance") << true;
}

void TestFileOperationEngine::jobAsksOnMainThread()
{
    QFETCH(bool, answerer);
    QTemporaryDir dir;
    for (const char *name : {"a.txt", "b.txt"}) {
        QVERIFY(writeFile(dir.filePath(u"from/"_s + QLatin1String(name)), "new"));
        QVERIFY(writeFile(dir.filePath(u"to/"_s + QLatin1String(name)), "old"));
    }
    FileOperationJob job({FileOperationCode::CopyAsking,
                          {dir.filePath(u"from/a.txt"_s), dir.filePath(u"from/b.txt"_s)},
                          dir.filePath(u"to"_s)});
    QThread *const mainThread = QThread::currentThread();
    QStringList asked;
    bool elsewhere = false;
    auto decide = [&](const OverwriteQuestion &q) {
        elsewhere = elsewhere || QThread::currentThread() != mainThread;
        asked << QFileInfo(q.target).fileName();
        return asked.size() == 1 ? OverwriteAnswer::Yes : OverwriteAnswer::No;
    };
    if (answerer) {
        job.setAnswerer([&](const OverwriteQuestion &q) { return decide(q); });
    } else {
        connect(&job, &FileOperationJob::overwriteQuestion, this,
                [&](const OverwriteQuestion &q) { job.answer(decide(q)); });
    }
    QSignalSpy progress(&job, &FileOperationJob::progress);
    QSignalSpy finished(&job, &FileOperationJob::finished);
    job.start();
    QVERIFY(finished.wait(20000));
    QCOMPARE(asked.size(), 2);
    QVERIFY(!elsewhere);
    const auto r = finished.at(0).at(0).value<FileOperationResult>();
    QCOMPARE(r.items[0].status, ItemStatus::Done);
    QCOMPARE(r.items[1].status, ItemStatus::Skipped);
    QVERIFY(job.isFinished());
    QCOMPARE(job.result().items.size(), 2);
    QVERIFY(progress.size() >= 1);
    QCOMPARE(progress.last().at(0).value<FileOperationProgress>().itemsDone, 2);
    QCOMPARE(readFile(dir.filePath(u"to/a.txt"_s)), QByteArray("new"));
    QCOMPARE(readFile(dir.filePath(u"to/b.txt"_s)), QByteArray("old"));
}

void TestFileOperationEngine::jobStopsWhileAsking_data()
{
    QTest::addColumn<bool>("destroy");
    QTest::newRow("cancel") << false;
    QTest::newRow("destroy the job") << true;
}

void TestFileOperationEngine::jobStopsWhileAsking()
{
    QFETCH(bool, destroy);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(u"from/a.txt"_s), "new"));
    QVERIFY(writeFile(dir.filePath(u"to/a.txt"_s), "old"));
    auto *job = new FileOperationJob(
        {FileOperationCode::MoveAsking, {dir.filePath(u"from/a.txt"_s)}, dir.filePath(u"to"_s)});
    QSignalSpy questions(job, &FileOperationJob::overwriteQuestion);
    QSignalSpy finished(job, &FileOperationJob::finished);
    job->start();
    QVERIFY(questions.wait(20000));
    if (destroy) {
        delete job; // must not hang on the pending question
    } else {
        job->cancel();
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.at(0).at(0).value<FileOperationResult>().items[0].status,
                 ItemStatus::Cancelled);
        delete job;
    }
    QCOMPARE(readFile(dir.filePath(u"to/a.txt"_s)), QByteArray("old"));
    QCOMPARE(readFile(dir.filePath(u"from/a.txt"_s)), QByteArray("new"));
}

QTEST_GUILESS_MAIN(TestFileOperationEngine)
#include "tst_fileoperationengine.moc"
