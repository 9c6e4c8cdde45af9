#include "core/itemlist/shellnamespace.h"
#include "core/platform/trash.h"
#include "testsupport/fakeclock.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
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

int modeOf(const QString &path)
{
    struct stat st {
    };
    return ::lstat(native(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

// A tmpfs mounted on a fresh folder while it lives (the tests run as root in their sandbox).
class TmpfsMount
{
public:
    TmpfsMount()
    {
        m_mounted = m_dir.isValid() &&
                    ::mount("tmpfs", native(m_dir.path()).constData(), "tmpfs", 0, "size=16m") == 0;
    }
    ~TmpfsMount()
    {
        if (m_mounted)
            ::umount2(native(m_dir.path()).constData(), MNT_DETACH);
    }
    bool mounted() const { return m_mounted; }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

// Makes a folder unwritable while it lives: the immutable flag for root, the permission bits
// otherwise.
class Frozen
{
public:
    explicit Frozen(const QString &path)
        : m_path(path)
    {
        m_active =
            ::geteuid() == 0 ? setImmutable(true) : ::chmod(native(path).constData(), 0500) == 0;
    }
    ~Frozen()
    {
        if (m_active && ::geteuid() == 0)
            setImmutable(false);
        else if (m_active)
            ::chmod(native(m_path).constData(), 0700);
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

} // namespace

class TestTrash : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void homeTrashFolderFollowsEnvironment_data();
    void homeTrashFolderFollowsEnvironment();
    void trashWritesInfoThenMoves();
    void clashingAndLongNamesRoundTrip();
    void restoreNeverReplaces_data();
    void restoreNeverReplaces();
    void volumeTrash_data();
    void volumeTrash();
    void bothVolumeTrashesAreListed();
    void failedMoveRemovesInfo();
    void unusableHomeTrashRefuses();
    void eraseRemovesForGood();

private:
    std::unique_ptr<QTemporaryDir> m_data;
    QString m_home;
};

void TestTrash::init()
{
    m_data = std::make_unique<QTemporaryDir>();
    qputenv("XDG_DATA_HOME", native(m_data->path()));
    m_home = m_data->path() + u"/Trash"_s;
}

void TestTrash::cleanup()
{
    m_data.reset();
}

void TestTrash::homeTrashFolderFollowsEnvironment_data()
{
    QTest::addColumn<QString>("xdg");
    QTest::addColumn<QString>("expected");
    const QString home = QDir::homePath();
    QTest::newRow("set") << u"/data/me"_s << u"/data/me/Trash"_s;
    QTest::newRow("unset") << QString() << home + u"/.local/share/Trash"_s;
    QTest::newRow("relative is ignored") << u"rel/data"_s << home + u"/.local/share/Trash"_s;
}

void TestTrash::homeTrashFolderFollowsEnvironment()
{
    QFETCH(QString, xdg);
    QFETCH(QString, expected);
    qputenv("XDG_DATA_HOME", native(xdg));
    QCOMPARE(Trash().homeTrashFolder(), expected);
}

void TestTrash::trashWritesInfoThenMoves()
{
    test::FakeClock clock(QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)));
    QTemporaryDir dir;
    const QString folder = QFileInfo(dir.path()).canonicalFilePath();
    const QString item = folder + u"/a b%ü.txt"_s;
    QVERIFY(writeFile(item, "content"));

    Trash trash;
    const TrashResult r = trash.moveToTrash(item);
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(r.path, m_home + u"/files/a b%ü.txt"_s);
    QCOMPARE(readFile(r.path), QByteArray("content"));
    QVERIFY(!exists(item));
    QCOMPARE(readFile(m_home + u"/info/a b%ü.txt.trashinfo"_s),
             "[Trash Info]\nPath=" + native(folder).toPercentEncoding("/") +
                 "/a%20b%25%C3%BC.txt\nDeletionDate=2026-03-04T05:06:07\n");
    for (const QString &made : QStringList{m_home, m_home + u"/files"_s, m_home + u"/info"_s})
        QCOMPARE(modeOf(made), 0700);

    const QList<TrashEntry> listed = trash.entries();
    const auto mine = std::find_if(listed.begin(), listed.end(),
                                   [&](const TrashEntry &e) { return e.trashFolder == m_home; });
    QVERIFY(mine != listed.end());
    QCOMPARE(mine->originalPath, item);
    QCOMPARE(mine->deletionDate, QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)));
    QCOMPARE(mine->size, qint64(7));
    QVERIFY(!mine->isDir);

    const TrashResult back = trash.restore(*mine, Trash::RestoreMode::RefuseWhenTaken);
    QVERIFY2(back.ok, qPrintable(back.error));
    QCOMPARE(readFile(item), QByteArray("content"));
    QCOMPARE(entriesOf(m_home + u"/info"_s), QStringList());
    QCOMPARE(entriesOf(m_home + u"/files"_s), QStringList());
}

void TestTrash::clashingAndLongNamesRoundTrip()
{
    QTemporaryDir dir;
    const QString folder = QFileInfo(dir.path()).canonicalFilePath();
    const QString longName = QString(80, u'長') + u".txt"_s; // 244 bytes
    const QStringList items{folder + u"/one/same.txt"_s, folder + u"/two/same.txt"_s,
                            folder + u"/three/same.txt/inner"_s, folder + u'/' + longName,
                            folder + u"/four/"_s + longName};
    for (const QString &item : items)
        QVERIFY(writeFile(item, native(item)));
    QStringList trashed = items;
    trashed[2] = folder + u"/three/same.txt"_s; // the folder itself

    Trash trash;
    QSet<QString> names;
    for (const QString &item : trashed) {
        const TrashResult r = trash.moveToTrash(item);
        QVERIFY2(r.ok, qPrintable(r.error));
        names.insert(QFileInfo(r.path).fileName());
    }
    QCOMPARE(names.size(), trashed.size());
    for (const QString &info : entriesOf(m_home + u"/info"_s))
        QVERIFY(native(info).size() <= 255);

    const QList<TrashEntry> listed = trash.entriesIn(m_home);
    QCOMPARE(listed.size(), trashed.size());
    for (const TrashEntry &entry : listed) {
        QVERIFY(trashed.contains(entry.originalPath));
        QCOMPARE(entry.isDir, entry.originalPath.endsWith(u"three/same.txt"_s));
        const TrashResult back = trash.restore(entry, Trash::RestoreMode::RefuseWhenTaken);
        QVERIFY2(back.ok, qPrintable(back.error));
        QCOMPARE(back.path, entry.originalPath);
    }
    for (const QString &item : items)
        QCOMPARE(readFile(item), native(item));
    QCOMPARE(trash.entriesIn(m_home).size(), 0);
}

void TestTrash::restoreNeverReplaces_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("restoredName");
    const int refuse = int(Trash::RestoreMode::RefuseWhenTaken);
    const int rename = int(Trash::RestoreMode::RenameWhenTaken);
    QTest::newRow("refuse, taken") << refuse << true << false << QString();
    QTest::newRow("rename, taken") << rename << true << true << u"r (2).txt"_s;
    QTest::newRow("refuse, folder gone") << refuse << false << true << u"r.txt"_s;
}

void TestTrash::restoreNeverReplaces()
{
    QFETCH(int, mode);
    QFETCH(bool, taken);
    QFETCH(bool, ok);
    QFETCH(QString, restoredName);
    QTemporaryDir dir;
    const QString folder = QFileInfo(dir.path()).canonicalFilePath() + u"/sub"_s;
    QVERIFY(writeFile(folder + u"/r.txt"_s, "trashed"));
    Trash trash;
    QVERIFY(trash.moveToTrash(folder + u"/r.txt"_s).ok);
    if (taken)
        QVERIFY(writeFile(folder + u"/r.txt"_s, "newer"));
    else
        QVERIFY(QDir(folder).removeRecursively());

    const QList<TrashEntry> listed = trash.entriesIn(m_home);
    QCOMPARE(listed.size(), 1);
    const TrashResult r = trash.restore(listed[0], Trash::RestoreMode(mode));
    QCOMPARE(r.ok, ok);
    QCOMPARE(r.targetExists, !ok);
    if (taken)
        QCOMPARE(readFile(folder + u"/r.txt"_s), QByteArray("newer"));
    if (ok) {
        QCOMPARE(r.path, folder + u'/' + restoredName);
        QCOMPARE(readFile(r.path), QByteArray("trashed"));
        QCOMPARE(trash.entriesIn(m_home).size(), 0);
    } else {
        QVERIFY(!r.error.isEmpty());
        QCOMPARE(trash.entriesIn(m_home).size(), 1);
    }
}

void TestTrash::volumeTrash_data()
{
    QTest::addColumn<QString>("shared"); // how $topdir/.Trash is prepared
    QTest::addColumn<QString>("expected");
    const QString uid = QString::number(::getuid());
    QTest::newRow("no shared trash") << u"none"_s << u".Trash-"_s + uid;
    QTest::newRow("shared trash with sticky bit") << u"sticky"_s << u".Trash/"_s + uid;
    QTest::newRow("shared trash without sticky bit") << u"plain"_s << u".Trash-"_s + uid;
    QTest::newRow("shared trash is a link") << u"link"_s << u".Trash-"_s + uid;
}

void TestTrash::volumeTrash()
{
    QFETCH(QString, shared);
    QFETCH(QString, expected);
    TmpfsMount volume;
    if (!volume.mounted())
        QSKIP("cannot mount a file system here");
    const QString top = volume.path();
    const QString sharedPath = top + u"/.Trash"_s;
    if (shared == u"sticky"_s || shared == u"plain"_s) {
        QVERIFY(QDir().mkdir(sharedPath));
        QCOMPARE(::chmod(native(sharedPath).constData(), shared == u"sticky"_s ? 01777 : 0777), 0);
    } else if (shared == u"link"_s) {
        QVERIFY(QDir().mkdir(top + u"/elsewhere"_s));
        QCOMPARE(::chmod(native(top + u"/elsewhere"_s).constData(), 01777), 0);
        QVERIFY(QFile::link(top + u"/elsewhere"_s, sharedPath));
    }
    QVERIFY(writeFile(top + u"/m/x y.txt"_s, "on the volume"));

    test::FakeClock clock(QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
    Trash trash;
    const TrashResult r = trash.moveToTrash(top + u"/m/x y.txt"_s);
    QVERIFY2(r.ok, qPrintable(r.error));
    const QString folder = top + u'/' + expected;
    QCOMPARE(r.path, folder + u"/files/x y.txt"_s);
    QCOMPARE(modeOf(folder), 0700);
    QCOMPARE(readFile(folder + u"/info/x y.txt.trashinfo"_s),
             QByteArray("[Trash Info]\nPath=m/x%20y.txt\nDeletionDate=2026-01-02T03:04:05\n"));
    QVERIFY(!exists(m_home + u"/files/x y.txt"_s));

    const QList<TrashEntry> listed = trash.entries();
    const auto mine = std::find_if(listed.begin(), listed.end(),
                                   [&](const TrashEntry &e) { return e.trashFolder == folder; });
    QVERIFY(mine != listed.end());
    QCOMPARE(mine->originalPath, top + u"/m/x y.txt"_s);
    QVERIFY(trash.restore(*mine, Trash::RestoreMode::RefuseWhenTaken).ok);
    QCOMPARE(readFile(top + u"/m/x y.txt"_s), QByteArray("on the volume"));
}

void TestTrash::bothVolumeTrashesAreListed()
{
    // An item trashed before $topdir/.Trash was prepared stays in $topdir/.Trash-$uid; the
    // next one goes to $topdir/.Trash/$uid. Both are listed, here and in the trash location.
    TmpfsMount volume;
    if (!volume.mounted())
        QSKIP("cannot mount a file system here");
    const QString top = volume.path();
    const QString uid = QString::number(::getuid());
    QVERIFY(writeFile(top + u"/early.txt"_s, "early"));
    QVERIFY(writeFile(top + u"/late.txt"_s, "late"));
    Trash trash;
    QVERIFY(trash.moveToTrash(top + u"/early.txt"_s).ok);
    QVERIFY(QDir().mkdir(top + u"/.Trash"_s));
    QCOMPARE(::chmod(native(top + u"/.Trash"_s).constData(), 01777), 0);
    QCOMPARE(trash.moveToTrash(top + u"/late.txt"_s).path,
             top + u"/.Trash/"_s + uid + u"/files/late.txt"_s);

    const QStringList folders{top + u"/.Trash/"_s + uid, top + u"/.Trash-"_s + uid};
    for (const QString &folder : folders)
        QVERIFY2(ShellNamespace::trashFolders().contains(folder), qPrintable(folder));
    QStringList listed;
    for (const NamespaceEntry &e : ShellNamespace::trashEntries(ShellNamespace::trashFolders()))
        listed.append(e.path);
    QList<TrashEntry> mine;
    for (const TrashEntry &e : trash.entries()) {
        if (folders.contains(e.trashFolder))
            mine.append(e);
    }
    QCOMPARE(mine.size(), 2);
    for (const TrashEntry &e : std::as_const(mine)) {
        QVERIFY2(listed.contains(e.filesPath()), qPrintable(e.filesPath()));
        QVERIFY(trash.restore(e, Trash::RestoreMode::RefuseWhenTaken).ok);
    }
    QCOMPARE(readFile(top + u"/early.txt"_s), QByteArray("early"));
    QCOMPARE(readFile(top + u"/late.txt"_s), QByteArray("late"));
}

void TestTrash::failedMoveRemovesInfo()
{
    QTemporaryDir dir;
    const QString item = QFileInfo(dir.path()).canonicalFilePath() + u"/stay.txt"_s;
    QVERIFY(writeFile(item, "stay"));
    QVERIFY(QDir().mkpath(m_home + u"/files"_s));
    QVERIFY(QDir().mkpath(m_home + u"/info"_s));
    {
        Frozen files(m_home + u"/files"_s);
        if (!files.isActive())
            QSKIP("cannot make a folder unwritable here");
        const TrashResult r = Trash().moveToTrash(item);
        QVERIFY(!r.ok);
        QVERIFY(!r.error.isEmpty());
    }
    QCOMPARE(readFile(item), QByteArray("stay"));
    QCOMPARE(entriesOf(m_home + u"/info"_s), QStringList());
}

void TestTrash::unusableHomeTrashRefuses()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(u"plainfile"_s), ""));
    QVERIFY(writeFile(dir.filePath(u"item.txt"_s), "item"));
    qputenv("XDG_DATA_HOME", native(dir.filePath(u"plainfile"_s)));
    const QString rootTrash = u"/.Trash-"_s + QString::number(::getuid());
    const bool rootTrashBefore = exists(rootTrash);

    const TrashResult r = Trash().moveToTrash(dir.filePath(u"item.txt"_s));
    QVERIFY(!r.ok);
    QVERIFY(!r.error.isEmpty());
    QCOMPARE(readFile(dir.filePath(u"item.txt"_s)), QByteArray("item"));
    // Never a trash of its own elsewhere on the volume, nor in the working folder.
    QCOMPARE(exists(rootTrash), rootTrashBefore);
    QCOMPARE(entriesOf(dir.path()), (QStringList{u"item.txt"_s, u"plainfile"_s}));
}

void TestTrash::eraseRemovesForGood()
{
    QTemporaryDir dir;
    const QString folder = QFileInfo(dir.path()).canonicalFilePath();
    QVERIFY(writeFile(folder + u"/d/f"_s, "f"));
    QVERIFY(writeFile(folder + u"/outside/keep"_s, "keep"));
    QVERIFY(QFile::link(folder + u"/outside"_s, folder + u"/d/link"_s));
    Trash trash;
    QVERIFY(trash.moveToTrash(folder + u"/d"_s).ok);
    const QList<TrashEntry> listed = trash.entriesIn(m_home);
    QCOMPARE(listed.size(), 1);
    QVERIFY(listed[0].isDir);
    QCOMPARE(listed[0].size, qint64(1));
    QVERIFY(trash.erase(listed[0]).ok);
    QCOMPARE(entriesOf(m_home + u"/files"_s), QStringList());
    QCOMPARE(entriesOf(m_home + u"/info"_s), QStringList());
    QCOMPARE(readFile(folder + u"/outside/keep"_s), QByteArray("keep"));
}

QTEST_GUILESS_MAIN(TestTrash)
#include "tst_trash.moc"
