#include "core/viewer/foldersummary.h"
#include "testsupport/withoutrootrights.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace kazari;
using namespace Qt::StringLiterals;

namespace
{

bool makeFile(const QString &path, qint64 size)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.resize(size);
}

} // namespace

class TestFolderSummary : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void countsAndListsDepthFirst();
    void summaryText();
    void fileMask_data();
    void fileMask();
    void annotationFilterAsksByFullPath();
    void linkLoopEndsAndLinksAreNotWalked();
    void unreadableFolderIsSkipped();
    void sizesAdd64Bit();
    void listingIsCappedCountingIsNot();
    void cancelStopsTheWalk();
};

void TestFolderSummary::countsAndListsDepthFirst()
{
    // One sub-folder with two files of 1 MB; "RECYCLED" is neither counted nor walked,
    // hidden entries are.
    QTemporaryDir dir;
    const QString top = dir.filePath(u"top"_s);
    QVERIFY(QDir().mkpath(top + u"/sub"_s) && QDir().mkpath(top + u"/RECYCLED/x"_s));
    QVERIFY(makeFile(top + u"/sub/a.bin"_s, 1048576));
    QVERIFY(makeFile(top + u"/sub/.b"_s, 1048576));
    QVERIFY(makeFile(top + u"/RECYCLED/c"_s, 5));

    const FolderSummary::Result result = FolderSummary::walk(top, {});
    QCOMPARE(result.folderCount, 1);
    QCOMPARE(result.fileCount, 2);
    QCOMPARE(result.totalBytes, 2097152u);
    QCOMPARE(result.unreadableFolders, 0);
    QCOMPARE(result.paths.size(), 3);
    QCOMPARE(result.paths.first(), top + u"/sub"_s);
    QCOMPARE(QSet<QString>(result.paths.begin() + 1, result.paths.end()),
             (QSet<QString>{top + u"/sub/a.bin"_s, top + u"/sub/.b"_s}));
}

void TestFolderSummary::summaryText()
{
    FolderSummary::Result result;
    result.paths = QStringList{u"/t/a"_s, u"/t/a/b.txt"_s};
    result.folderCount = 1;
    result.fileCount = 1;
    result.totalBytes = 3145728 + 524288;
    result.elapsedSeconds = 0.25;
    QCOMPARE(FolderSummary::text(result, u"t"_s, u"メモ"_s),
             u"情報取得時間 0.250000 秒\nt\nサイズ: 3.500000 MB\nフォルダ数: 1 個\n"
             "ファイル数: 1 個\nコメント: メモ\n\n内容一覧: \n/t/a\n/t/a/b.txt"_s);

    result.unreadableFolders = 2;
    result.omittedPaths = 7;
    const QString text = FolderSummary::text(result, u"t"_s, QString());
    QVERIFY(text.contains(u"ファイル数: 1 個\n読み取れなかったフォルダ: 2 個\nコメント: \n"_s));
    QVERIFY(text.endsWith(u"/t/a/b.txt\n(ほか 7 件は省略しました)"_s));
}

void TestFolderSummary::fileMask_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("mask");
    QTest::addColumn<bool>("matches");
    QTest::newRow("empty mask") << u"Readme.TXT"_s << QString() << true;
    QTest::newRow("star") << u"Readme.TXT"_s << u"*"_s << true;
    QTest::newRow("two stars") << u"Readme.TXT"_s << u"**"_s << true;
    QTest::newRow("text inside, any case") << u"Readme.TXT"_s << u"ME.t"_s << true;
    QTest::newRow("wildcards are plain text") << u"Readme.TXT"_s << u"*.txt"_s << false;
    QTest::newRow("wildcard in the name") << u"a*.txt"_s << u"*.txt"_s << true;
    QTest::newRow("question mark") << u"abc"_s << u"a?c"_s << false;
}

void TestFolderSummary::fileMask()
{
    QFETCH(QString, name);
    QFETCH(QString, mask);
    QFETCH(bool, matches);
    QCOMPARE(FolderSummary::nameMatches(name, mask), matches);
}

void TestFolderSummary::annotationFilterAsksByFullPath()
{
    QTemporaryDir dir;
    QVERIFY(QDir().mkpath(dir.filePath(u"f/g"_s)));
    QVERIFY(makeFile(dir.filePath(u"f/g/x.txt"_s), 10));
    QVERIFY(makeFile(dir.filePath(u"f/y.txt"_s), 20));
    FolderSummary::Options options;
    options.hasAnnotation = [&](const QString &path) {
        return path == dir.filePath(u"f/g/x.txt"_s);
    };
    // The folder "g" does not match but is walked.
    const FolderSummary::Result result = FolderSummary::walk(dir.filePath(u"f"_s), options);
    QCOMPARE(result.paths, QStringList{dir.filePath(u"f/g/x.txt"_s)});
    QCOMPARE(result.folderCount, 0);
    QCOMPARE(result.totalBytes, 10u);
}

void TestFolderSummary::linkLoopEndsAndLinksAreNotWalked()
{
    QTemporaryDir dir;
    const QString top = dir.filePath(u"top"_s);
    QVERIFY(QDir().mkpath(top + u"/sub"_s));
    QVERIFY(makeFile(top + u"/sub/f"_s, 100));
    QVERIFY(QFile::link(top, top + u"/sub/loop"_s));            // back up to the top
    QVERIFY(QFile::link(top + u"/sub/f"_s, top + u"/flink"_s)); // to a file
    QVERIFY(QFile::link(top + u"/gone"_s, top + u"/dangling"_s));

    const FolderSummary::Result result = FolderSummary::walk(top, {});
    QCOMPARE(result.folderCount, 2); // sub and the link to the top
    QCOMPARE(result.fileCount, 3);   // f, flink, dangling
    QCOMPARE(result.totalBytes, 100u);
    QVERIFY(result.paths.contains(top + u"/sub/loop"_s));
    QVERIFY(!result.paths.contains(top + u"/sub/loop/sub"_s));

    // A link given as the folder itself is followed.
    QCOMPARE(FolderSummary::walk(top + u"/sub/loop"_s, {}).fileCount, 3);
}

void TestFolderSummary::unreadableFolderIsSkipped()
{
    QTemporaryDir dir;
    const QString top = dir.filePath(u"top"_s);
    QVERIFY(QDir().mkpath(top + u"/closed"_s) && QDir().mkpath(top + u"/open"_s));
    QVERIFY(makeFile(top + u"/closed/hidden"_s, 5));
    QVERIFY(makeFile(top + u"/open/seen"_s, 7));
    for (const QString &folder : QStringList{dir.path(), top, top + u"/open"_s})
        QVERIFY(test::WithoutRootRights::letOthersIn(folder));
    QVERIFY(QFile::setPermissions(top + u"/closed"_s, {}));
    FolderSummary::Result result;
    {
        // Root reads every folder: the walk runs with an ordinary user's rights.
        test::WithoutRootRights ordinary;
        QVERIFY(ordinary.ok());
        result = FolderSummary::walk(top, {});
    }
    QFile::setPermissions(top + u"/closed"_s,
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(result.unreadableFolders, 1);
    QCOMPARE(result.folderCount, 2);
    QCOMPARE(result.fileCount, 1);
    QCOMPARE(result.totalBytes, 7u);
}

void TestFolderSummary::sizesAdd64Bit()
{
    // Two sparse files of 3 GiB: their sum needs more than 32 bits.
    QTemporaryDir dir;
    const qint64 threeGiB = Q_INT64_C(3) << 30;
    if (!makeFile(dir.filePath(u"a"_s), threeGiB) || !makeFile(dir.filePath(u"b"_s), threeGiB))
        QSKIP("the file system cannot hold sparse files of 3 GiB");
    const FolderSummary::Result result = FolderSummary::walk(dir.path(), {});
    QCOMPARE(result.totalBytes, quint64(2 * threeGiB));
    QVERIFY(FolderSummary::text(result, u"x"_s, {}).contains(u"サイズ: 6144.000000 MB"_s));
}

void TestFolderSummary::listingIsCappedCountingIsNot()
{
    QTemporaryDir dir;
    for (int i = 0; i < 5; ++i)
        QVERIFY(makeFile(dir.filePath(QString::number(i)), 1));
    FolderSummary::Options options;
    options.maxListedPaths = 2;
    const FolderSummary::Result result = FolderSummary::walk(dir.path(), options);
    QCOMPARE(result.paths.size(), 2);
    QCOMPARE(result.omittedPaths, 3);
    QCOMPARE(result.fileCount, 5);
}

void TestFolderSummary::cancelStopsTheWalk()
{
    QTemporaryDir dir;
    for (int i = 0; i < 20; ++i)
        QVERIFY(makeFile(dir.filePath(QString::number(i)), 1));
    std::atomic_bool cancel{false};
    FolderSummary::Options options;
    options.cancel = &cancel;
    // Set from "another thread" while the walk is under way.
    options.hasAnnotation = [&cancel](const QString &) {
        cancel = true;
        return true;
    };
    const FolderSummary::Result result = FolderSummary::walk(dir.path(), options);
    QVERIFY(result.cancelled);
    QCOMPARE(result.fileCount, 1);
}

QTEST_GUILESS_MAIN(TestFolderSummary)
#include "tst_foldersummary.moc"
