#include "core/platform/namerules.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace kazari;
using namespace Qt::StringLiterals;

class TestNameRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void checkName_data();
    void checkName();
    void numberedName_data();
    void numberedName();
    void createNeverReplaces_data();
    void createNeverReplaces();
    void renameNeverReplaces_data();
    void renameNeverReplaces();

private:
    static bool write(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    }
    static QByteArray read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
};

void TestNameRules::checkName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("valid");
    QTest::newRow("plain") << u"a.txt"_s << true;
    QTest::newRow("japanese") << u"報告書.txt"_s << true;
    QTest::newRow("leading dot") << u".hidden"_s << true;
    QTest::newRow("spaces and star") << u" a *?b "_s << true;
    QTest::newRow("255 bytes") << QString(255, u'x') << true;
    QTest::newRow("85 three-byte chars") << QString(85, u'あ') << true;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("dot") << u"."_s << false;
    QTest::newRow("dot dot") << u".."_s << false;
    QTest::newRow("parent path") << u"../x"_s << false;
    QTest::newRow("slash inside") << u"a/b"_s << false;
    QTest::newRow("absolute") << u"/tmp/x"_s << false;
    QTest::newRow("nul") << u"a"_s + QChar(0) + u"b"_s << false;
    QTest::newRow("256 bytes") << QString(256, u'x') << false;
    QTest::newRow("86 three-byte chars") << QString(86, u'あ') << false;
}

void TestNameRules::checkName()
{
    QFETCH(QString, name);
    QFETCH(bool, valid);
    QCOMPARE(NameRules::isValidName(name), valid);
    QCOMPARE(NameRules::checkName(name).isEmpty(), valid);
}

void TestNameRules::numberedName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("folder");
    QTest::addColumn<int>("maxBytes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("first is the name") << u"a.txt"_s << 1 << false << 255 << u"a.txt"_s;
    QTest::newRow("file") << u"report.txt"_s << 2 << false << 255 << u"report (2).txt"_s;
    QTest::newRow("third") << u"report.txt"_s << 3 << false << 255 << u"report (3).txt"_s;
    QTest::newRow("no extension") << u"README"_s << 2 << false << 255 << u"README (2)"_s;
    QTest::newRow("dot file") << u".bashrc"_s << 2 << false << 255 << u".bashrc (2)"_s;
    QTest::newRow("dot file with ext")
        << u".config.json"_s << 2 << false << 255 << u".config (2).json"_s;
    QTest::newRow("last extension") << u"a.tar.gz"_s << 2 << false << 255 << u"a.tar (2).gz"_s;
    QTest::newRow("trailing dot") << u"name."_s << 2 << false << 255 << u"name. (2)"_s;
    QTest::newRow("folder") << u"photos"_s << 2 << true << 255 << u"photos (2)"_s;
    QTest::newRow("folder with dot") << u"v1.0"_s << 2 << true << 255 << u"v1.0 (2)"_s;
    QTest::newRow("already numbered") << u"a (2).txt"_s << 2 << false << 255 << u"a (2) (2).txt"_s;
    QTest::newRow("too long: stem shortened") << QString(251, u'x') + u".txt"_s << 2 << false << 255
                                              << QString(247, u'x') + u" (2).txt"_s;
    QTest::newRow("too long: whole characters") << QString(83, u'あ') + u".txt"_s << 2 << false
                                                << 255 << QString(82, u'あ') + u" (2).txt"_s;
    QTest::newRow("trash limit") << QString(250, u'y') << 1 << false << 245 << QString(245, u'y');
}

void TestNameRules::numberedName()
{
    QFETCH(QString, name);
    QFETCH(int, number);
    QFETCH(bool, folder);
    QFETCH(int, maxBytes);
    QFETCH(QString, expected);
    const QString got = NameRules::numberedName(name, number, folder, maxBytes);
    QCOMPARE(got, expected);
    QVERIFY(got.toUtf8().size() <= maxBytes);
}

void TestNameRules::createNeverReplaces_data()
{
    QTest::addColumn<bool>("folder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("error");
    QTest::newRow("file: new") << false << u"new.txt"_s << int(NameError::None);
    QTest::newRow("file: other case is another name")
        << false << u"A.txt"_s << int(NameError::None);
    QTest::newRow("file: existing file") << false << u"a.txt"_s << int(NameError::Exists);
    QTest::newRow("file: dangling link") << false << u"dangling"_s << int(NameError::Exists);
    QTest::newRow("file: existing folder") << false << u"sub"_s << int(NameError::Exists);
    QTest::newRow("file: invalid") << false << u"../x"_s << int(NameError::Invalid);
    QTest::newRow("folder: new") << true << u"new"_s << int(NameError::None);
    QTest::newRow("folder: existing file") << true << u"a.txt"_s << int(NameError::Exists);
    QTest::newRow("folder: existing folder") << true << u"sub"_s << int(NameError::Exists);
    QTest::newRow("folder: empty") << true << QString() << int(NameError::Invalid);
}

void TestNameRules::createNeverReplaces()
{
    QFETCH(bool, folder);
    QFETCH(QString, name);
    QFETCH(int, error);
    QTemporaryDir dir;
    QVERIFY(write(dir.filePath(u"a.txt"_s), "keep"));
    QVERIFY(QDir(dir.path()).mkdir(u"sub"_s));
    QVERIFY(QFile::link(dir.filePath(u"nowhere/target"_s), dir.filePath(u"dangling"_s)));

    const NameResult r = folder ? NameRules::createFolder(dir.path(), name)
                                : NameRules::createFile(dir.path(), name);
    QCOMPARE(int(r.error), error);
    QCOMPARE(r.message.isEmpty(), r.ok());
    QCOMPARE(read(dir.filePath(u"a.txt"_s)), QByteArray("keep"));
    QVERIFY(!QFileInfo::exists(dir.filePath(u"nowhere"_s)));
    if (r.ok()) {
        const QFileInfo made(dir.filePath(name));
        QVERIFY(folder ? made.isDir() : (made.isFile() && made.size() == 0));
    }
}

void TestNameRules::renameNeverReplaces_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<int>("error");
    QTest::newRow("free name") << u"b"_s << u"c"_s << int(NameError::None);
    QTest::newRow("same name") << u"b"_s << u"b"_s << int(NameError::None);
    QTest::newRow("other case of an existing name") << u"b"_s << u"A.txt"_s << int(NameError::None);
    QTest::newRow("existing file") << u"b"_s << u"a.txt"_s << int(NameError::Exists);
    QTest::newRow("existing folder") << u"b"_s << u"sub"_s << int(NameError::Exists);
    QTest::newRow("folder onto file") << u"sub"_s << u"a.txt"_s << int(NameError::Exists);
    QTest::newRow("dangling link") << u"b"_s << u"dangling"_s << int(NameError::Exists);
    QTest::newRow("missing source") << u"gone"_s << u"c"_s << int(NameError::Missing);
    QTest::newRow("path as name") << u"b"_s << u"sub/c"_s << int(NameError::Invalid);
    QTest::newRow("dot dot") << u"b"_s << u".."_s << int(NameError::Invalid);
}

void TestNameRules::renameNeverReplaces()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(int, error);
    QTemporaryDir dir;
    QVERIFY(write(dir.filePath(u"a.txt"_s), "keep"));
    QVERIFY(write(dir.filePath(u"b"_s), "moving"));
    QVERIFY(QDir(dir.path()).mkdir(u"sub"_s));
    QVERIFY(QFile::link(dir.filePath(u"nowhere"_s), dir.filePath(u"dangling"_s)));

    const NameResult r = NameRules::renameItem(dir.filePath(from), to);
    QCOMPARE(int(r.error), error);
    QCOMPARE(read(dir.filePath(u"a.txt"_s)), QByteArray("keep"));
    QVERIFY(QFileInfo(dir.filePath(u"sub"_s)).isDir());
    QVERIFY(QFileInfo(dir.filePath(u"dangling"_s)).isSymLink());
    if (r.ok()) {
        QCOMPARE(r.path, dir.filePath(to));
        QCOMPARE(read(dir.filePath(to)), QByteArray("moving"));
    } else if (from == u"b"_s) {
        QCOMPARE(read(dir.filePath(u"b"_s)), QByteArray("moving"));
    }
}

QTEST_GUILESS_MAIN(TestNameRules)
#include "tst_namerules.moc"
