#include "core/decoration/stampprogram.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kazari;
using namespace Qt::StringLiterals;

class TestStampProgram : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void choose_data();
    void choose();
    void findInFolder();
};

void TestStampProgram::choose_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("expected");
    QTest::newRow("setup skipped") << QStringList{u"setup.exe"_s, u"tool.exe"_s} << u"tool.exe"_s;
    QTest::newRow("only installers") << QStringList{u"setup.exe"_s, u"unins000.exe"_s} << QString();
    QTest::newRow("names compared exactly") << QStringList{u"Setup.exe"_s} << u"Setup.exe"_s;
    QTest::newRow("first in order, any case")
        << QStringList{u"a.txt"_s, u"b.EXE"_s, u"c.exe"_s} << u"b.EXE"_s;
    QTest::newRow("none") << QStringList{u"exe"_s, u"x.exe.txt"_s} << QString();
}

void TestStampProgram::choose()
{
    QFETCH(QStringList, names);
    QFETCH(QString, expected);
    QCOMPARE(StampProgram::choose(names), expected);
}

void TestStampProgram::findInFolder()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const QString &name : {u"setup.exe"_s, u"tool.exe"_s}) {
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QVERIFY(QDir(dir.path()).mkdir(u"sub.exe"_s)); // a folder is no program
    QCOMPARE(StampProgram::find(dir.path()), u"tool.exe"_s);
    QVERIFY(QFile::remove(dir.filePath(u"tool.exe"_s)));
    QCOMPARE(StampProgram::find(dir.path()), QString());
    QCOMPARE(StampProgram::find(dir.filePath(u"setup.exe"_s)), QString());
}

QTEST_GUILESS_MAIN(TestStampProgram)
#include "tst_stampprogram.moc"
