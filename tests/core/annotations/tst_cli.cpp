#include "testsupport/tempprogramfolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace kazari::test;
using namespace Qt::StringLiterals;

namespace
{

struct Run {
    int code = -1;
    QString out;
    QString err;
};

Run cli(const TempProgramFolder &pf, const QStringList &arguments)
{
    QProcess p;
    p.setProgram(QStringLiteral(KAZARI_BINARY_DIR "/kazari-cli"));
    p.setArguments(QStringList{u"--program-folder"_s, pf.path()} + arguments);
    p.start();
    Run r;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.code = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QByteArray bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsAndWritesLikeTheProgram();
    void refusals_data();
    void refusals();
    void centralModeCreatesTheIndexOnlyWhenTold();
    void maintainPrintsItsTexts();
};

void TestCli::readsAndWritesLikeTheProgram()
{
    TempProgramFolder pf;
    QTemporaryDir data;
    const QString item = data.path() + u"/レポート.txt"_s;
    QCOMPARE(cli(pf, {u"set"_s, item, u"_cmtEx"_s, u"\"a\",\"b\""_s}).code, 0);
    QCOMPARE(cli(pf, {u"set"_s, item, u"_s"_s, u"3"_s}).code, 0);
    QCOMPARE(cli(pf, {u"set"_s, item, u"_CMT"_s, u"two\nlines"_s}).code, 0);
    QCOMPARE(cli(pf, {u"set"_s, data.path(), u".ViewStyle"_s, u"2"_s}).code, 0);
    QCOMPARE(
        bytes(data.path() + u"/_m.ini"_s),
        (u"レポート.txt_cmtEx=\"a\",\"b\"\nレポート.txt_s=3\nレポート.txt_cmt=two lines\n.ViewStyle=2\n"_s)
            .toUtf8());

    Run r = cli(pf, {u"get"_s, item, u"_cmt"_s});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out, u"two lines\n"_s);
    r = cli(pf, {u"get"_s, item});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out, u"_cmt=two lines\n_s=3\n_cmtEx=\"a\",\"b\"\n"_s);
    QCOMPARE(cli(pf, {u"get"_s, data.path(), u".ViewStyle"_s}).out, u"2\n"_s);
    r = cli(pf, {u"list"_s, data.path()});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out.toUtf8(), bytes(data.path() + u"/_m.ini"_s));

    QCOMPARE(cli(pf, {u"del"_s, item, u"_s"_s}).code, 0);
    r = cli(pf, {u"del"_s, item, u"_s"_s});
    QCOMPARE(r.code, 1);
    QVERIFY(!r.err.isEmpty());
    QCOMPARE(cli(pf, {u"get"_s, item, u"_s"_s}).code, 1);
    QCOMPARE(cli(pf, {u"list"_s, data.path() + u"/nothing"_s}).code, 1);

    // A hand-written value that does not parse reads as absent.
    QFile f(data.path() + u"/_m.ini"_s);
    QVERIFY(f.open(QIODevice::Append));
    f.write("bad_label=9\n");
    f.close();
    QCOMPARE(cli(pf, {u"get"_s, data.path() + u"/bad"_s, u"_label"_s}).code, 1);
    QCOMPARE(cli(pf, {u"get"_s, data.path() + u"/bad"_s}).code, 1);
}

void TestCli::refusals_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("code");
    QTest::newRow("help") << QStringList{u"--help"_s} << 0;
    QTest::newRow("no command") << QStringList() << 2;
    QTest::newRow("unknown command") << QStringList{u"frob"_s} << 2;
    QTest::newRow("unknown option") << QStringList{u"--frob"_s, u"list"_s, u"x"_s} << 2;
    QTest::newRow("bad mode") << QStringList{u"--mode"_s, u"both"_s, u"list"_s, u"DATA"_s} << 2;
    QTest::newRow("unknown suffix") << QStringList{u"get"_s, u"DATA/a"_s, u"_nope"_s} << 2;
    QTest::newRow("too few") << QStringList{u"set"_s, u"DATA/a"_s, u"_cmt"_s} << 2;
    QTest::newRow("too many") << QStringList{u"maintain"_s, u"x"_s} << 2;
    QTest::newRow("seal out of range") << QStringList{u"set"_s, u"DATA/a"_s, u"_s"_s, u"99"_s} << 2;
    QTest::newRow("colour name") << QStringList{u"set"_s, u"DATA/a"_s, u"_CVColor"_s, u"clFoo"_s}
                                 << 2;
    QTest::newRow("name with =") << QStringList{u"set"_s, u"DATA/a=b"_s, u"_cmt"_s, u"x"_s} << 2;
    QTest::newRow("root") << QStringList{u"set"_s, u"/"_s, u"_cmt"_s, u"x"_s} << 2;
}

void TestCli::refusals()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, code);
    TempProgramFolder pf;
    QTemporaryDir data;
    const QByteArray content = "a_cmt=keep\n";
    QFile f(data.path() + u"/_m.ini"_s);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();
    arguments.replaceInStrings(u"DATA"_s, data.path());
    const Run r = cli(pf, arguments);
    QCOMPARE(r.code, code);
    if (code == 0)
        QVERIFY(r.out.startsWith(u"Usage: kazari-cli"_s));
    else
        QVERIFY(r.err.startsWith(u"kazari-cli: "_s));
    QCOMPARE(bytes(data.path() + u"/_m.ini"_s), content);
    QVERIFY(!pf.exists(u"exe.ini"_s));
}

void TestCli::centralModeCreatesTheIndexOnlyWhenTold()
{
    TempProgramFolder pf;
    QTemporaryDir data;
    pf.writeBytes(u"exe.ini"_s, "InIManagement2=1\nmin1=0\n");
    const QString item = data.path() + u"/a.txt"_s;
    Run r = cli(pf, {u"set"_s, item, u"_cmt"_s, u"hello"_s});
    QCOMPARE(r.code, 2);
    QVERIFY(r.err.contains(u"--yes"_s));
    QVERIFY(!pf.exists(u"ini"_s));
    QCOMPARE(cli(pf, {u"get"_s, item, u"_cmt"_s}).code, 1);

    QCOMPARE(cli(pf, {u"--yes"_s, u"set"_s, item, u"_cmt"_s, u"hello"_s}).code, 0);
    QCOMPARE(pf.readBytes(u"ini/index.ini"_s), (data.path() + u"/=1\n"_s).toUtf8());
    QCOMPARE(pf.readBytes(u"ini/1.ini"_s), QByteArray("a.txt_cmt=hello\n"));
    QCOMPARE(cli(pf, {u"get"_s, item, u"_cmt"_s}).out, u"hello\n"_s);
    // --mode overrides exe.ini for one call.
    QCOMPARE(cli(pf, {u"--mode"_s, u"folder"_s, u"get"_s, item, u"_cmt"_s}).code, 1);
    QCOMPARE(pf.readBytes(u"exe.ini"_s), QByteArray("InIManagement2=1\nmin1=0\n"));
}

void TestCli::maintainPrintsItsTexts()
{
    TempProgramFolder pf;
    QTemporaryDir data;
    QCOMPARE(cli(pf, {u"maintain"_s}).code, 1);
    const QString gone = data.path() + u"/gone/"_s;
    pf.writeBytes(u"ini/index.ini"_s, (gone + u"=1\n"_s + data.path() + u"/=2\n"_s).toUtf8());
    pf.writeBytes(u"ini/1.ini"_s, "x");
    pf.writeBytes(u"ini/2.ini"_s, "y");
    const Run r = cli(pf, {u"maintain"_s});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out, u"Delete "_s + gone +
                        u".ini\nRename1 2->0\nRename2 0->0\n管理情報の整備が完了しました\n"_s);
    QCOMPARE(pf.readBytes(u"ini/0.ini"_s), QByteArray("y"));
    QVERIFY(!pf.exists(u"ini/1.ini"_s));
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
