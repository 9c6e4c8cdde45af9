#include "core/annotations/indexmaintenance.h"

#include "readonlyfolder.h"
#include "testsupport/tempprogramfolder.h"

#include <QDir>
#include <QDirIterator>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

#include <sys/mount.h>

using namespace kazari;
using namespace kazari::test;
using namespace Qt::StringLiterals;

namespace
{

// Every file under the program folder with its bytes.
QMap<QString, QByteArray> snapshot(const TempProgramFolder &pf)
{
    QMap<QString, QByteArray> out;
    QDirIterator it(pf.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        out.insert(QDir(pf.path()).relativeFilePath(path),
                   pf.readBytes(QDir(pf.path()).relativeFilePath(path)));
    }
    return out;
}

} // namespace

class TestIndexMaintenance : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dropsRenumbersAndCarriesCompanions();
    void duplicateNumberOfADroppedEntryKeepsTheFile();
    void foldersThatCannotBeCheckedKeepTheirFiles();
    void existingTargetIsNeverReplaced();
    void failedRenameRestoresEverything();
    void missingIndexCreatesNothing();
    void renameNeverReplaces();
};

void TestIndexMaintenance::dropsRenumbersAndCarriesCompanions()
{
    TempProgramFolder pf;
    QTemporaryDir data;
    const QString a = data.path() + u"/A/"_s;
    const QString b = data.path() + u"/B/"_s;
    const QString c = data.path() + u"/C/"_s;
    QVERIFY(QDir().mkpath(a) && QDir().mkpath(c));
    const QString win = u"C:\\Old\\"_s;
    const QString bin = u"::{645FF040-5081-101B-9F08-00AA002F954E}\\"_s;
    pf.writeBytes(u"ini/index.ini"_s, (a + u"=1\n"_s + b + u"=2\n"_s + c + u"=3\n"_s + win +
                                       u"=4\n"_s + bin + u"=5\n"_s)
                                          .toUtf8());
    for (int n = 1; n <= 5; ++n)
        pf.writeBytes(u"ini/%1.ini"_s.arg(n), "file" + QByteArray::number(n));
    pf.writeBytes(u"rule/1.rule"_s, "rule A");
    pf.writeBytes(u"rule/2.rule"_s, "rule B");
    pf.writeBytes(u"Script/3.Script"_s, "script C");
    pf.writeBytes(u"img/2.bmp"_s, "image B");

    QStringList texts;
    const IndexMaintenance::Result r =
        IndexMaintenance(pf.folder()).run([&](const QString &t) { texts.append(t); });
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(r.kept, 4);
    QCOMPARE(r.dropped, 1);
    QCOMPARE(QString::fromUtf8(pf.readBytes(u"ini/index.ini"_s)),
             a + u"=0\n"_s + c + u"=1\n"_s + win + u"=2\n"_s + bin + u"=3\n"_s);
    const QMap<QString, QByteArray> expected{
        {u"ini/index.ini"_s, pf.readBytes(u"ini/index.ini"_s)},
        {u"ini/0.ini"_s, "file1"},
        {u"ini/1.ini"_s, "file3"},
        {u"ini/2.ini"_s, "file4"},
        {u"ini/3.ini"_s, "file5"},
        {u"rule/0.rule"_s, "rule A"},
        {u"Script/1.Script"_s, "script C"},
    };
    QCOMPARE(snapshot(pf), expected);
    QVERIFY(texts.contains(u"Delete "_s + b + u".ini"_s));
    QVERIFY(texts.contains(u"Rename1 1->0"_s));
    QVERIFY(texts.contains(u"Rename2 0->0"_s));
    QVERIFY(texts.contains(u"Rename1 3->1"_s));
    QCOMPARE(texts.last(), IndexMaintenance::doneText());
}

void TestIndexMaintenance::duplicateNumberOfADroppedEntryKeepsTheFile()
{
    TempProgramFolder pf;
    QTemporaryDir data;
    const QString a = data.path() + u"/"_s;
    pf.writeBytes(u"ini/index.ini"_s, (a + u"=1\n"_s + a + u"gone/=1\n"_s).toUtf8());
    pf.writeBytes(u"ini/1.ini"_s, "A's annotations");
    const IndexMaintenance::Result r = IndexMaintenance(pf.folder()).run();
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(pf.readBytes(u"ini/0.ini"_s), QByteArray("A's annotations"));
    QCOMPARE(QString::fromUtf8(pf.readBytes(u"ini/index.ini"_s)), a + u"=0\n"_s);
}

void TestIndexMaintenance::foldersThatCannotBeCheckedKeepTheirFiles()
{
    // Only a folder missing from a parent that is there is known to be gone. A folder on a
    // disk that is not plugged in, or below something that is not a folder, may come
    // back: its entry and files stay, and the closing text counts it.
    TempProgramFolder pf;
    QTemporaryDir data;
    QTemporaryDir disk;
    const QByteArray mountPoint = QFile::encodeName(disk.path());
    if (::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=1m") != 0)
        QSKIP("cannot mount a tmpfs here");
    const QString onDisk = disk.path() + u"/photos/2024/"_s;
    const bool made = QDir().mkpath(onDisk);
    QCOMPARE(::umount(mountPoint.constData()), 0); // the disk is unplugged
    QVERIFY(made && !QFileInfo::exists(onDisk));
    const QString gone = data.path() + u"/gone/"_s;
    QFile plain(data.filePath(u"plain"_s));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QString underFile = plain.fileName() + u"/sub/"_s;
    pf.writeBytes(u"ini/index.ini"_s,
                  (onDisk + u"=1\n"_s + gone + u"=2\n"_s + underFile + u"=3\n"_s).toUtf8());
    for (int n = 1; n <= 3; ++n)
        pf.writeBytes(u"ini/%1.ini"_s.arg(n), "file" + QByteArray::number(n));
    pf.writeBytes(u"rule/1.rule"_s, "rule 1");
    pf.writeBytes(u"img/3.bmp"_s, "image 3");

    QStringList texts;
    const IndexMaintenance::Result r =
        IndexMaintenance(pf.folder()).run([&](const QString &t) { texts.append(t); });
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(r.dropped, 1);
    QCOMPARE(r.unreachable, 2);
    QCOMPARE(QString::fromUtf8(pf.readBytes(u"ini/index.ini"_s)),
             onDisk + u"=0\n"_s + underFile + u"=1\n"_s);
    const QMap<QString, QByteArray> expected{
        {u"ini/index.ini"_s, pf.readBytes(u"ini/index.ini"_s)},
        {u"ini/0.ini"_s, "file1"},
        {u"ini/1.ini"_s, "file3"},
        {u"rule/0.rule"_s, "rule 1"},
        {u"img/1.bmp"_s, "image 3"},
    };
    QCOMPARE(snapshot(pf), expected);
    QCOMPARE(texts.last(), IndexMaintenance::doneText(2));
    QVERIFY(texts.last().contains(u"2 件"_s));
}

void TestIndexMaintenance::existingTargetIsNeverReplaced()
{
    TempProgramFolder pf;
    QTemporaryDir data;
    pf.writeBytes(u"ini/index.ini"_s, (data.path() + u"/=4\n"_s).toUtf8());
    pf.writeBytes(u"ini/4.ini"_s, "mine");
    pf.writeBytes(u"ini/0.ini"_s, "stray file nobody registered");
    const QMap<QString, QByteArray> before = snapshot(pf);
    const IndexMaintenance::Result r = IndexMaintenance(pf.folder()).run();
    QVERIFY(!r.ok);
    QVERIFY(r.error.contains(u"0.ini"_s));
    QCOMPARE(snapshot(pf), before);
}

void TestIndexMaintenance::failedRenameRestoresEverything()
{
    TempProgramFolder pf;
    QTemporaryDir data;
    const QString a = data.path() + u"/A/"_s;
    const QString c = data.path() + u"/C/"_s;
    QVERIFY(QDir().mkpath(a) && QDir().mkpath(c));
    pf.writeBytes(u"ini/index.ini"_s, (a + u"=2\n/gone/=3\n"_s + c + u"=5\n"_s).toUtf8());
    pf.writeBytes(u"ini/2.ini"_s, "A");
    pf.writeBytes(u"ini/3.ini"_s, "gone");
    pf.writeBytes(u"ini/5.ini"_s, "C");
    pf.writeBytes(u"rule/5.rule"_s, "rule C");
    const QMap<QString, QByteArray> before = snapshot(pf);
    {
        // The numbered files move first; the rules folder then refuses its rename.
        ReadOnlyFolder locked(pf.file(u"rule"_s));
        if (!locked.isActive())
            QSKIP("cannot make a folder read-only here");
        const IndexMaintenance::Result r = IndexMaintenance(pf.folder()).run();
        QVERIFY(!r.ok);
        QVERIFY(!r.error.isEmpty());
    }
    QCOMPARE(snapshot(pf), before);
}

void TestIndexMaintenance::missingIndexCreatesNothing()
{
    TempProgramFolder pf;
    const IndexMaintenance::Result r = IndexMaintenance(pf.folder()).run();
    QVERIFY(!r.ok);
    QVERIFY(r.noIndex);
    QVERIFY(snapshot(pf).isEmpty());
    QVERIFY(!pf.exists(u"ini"_s));
}

void TestIndexMaintenance::renameNeverReplaces()
{
    TempProgramFolder pf;
    pf.writeBytes(u"x"_s, "x");
    pf.writeBytes(u"y"_s, "y");
    QString error;
    QVERIFY(!IndexMaintenance::renameNoReplace(pf.file(u"x"_s), pf.file(u"y"_s), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(pf.readBytes(u"y"_s), QByteArray("y"));
    QVERIFY(IndexMaintenance::renameNoReplace(pf.file(u"x"_s), pf.file(u"z"_s), &error));
    QCOMPARE(pf.readBytes(u"z"_s), QByteArray("x"));
}

QTEST_GUILESS_MAIN(TestIndexMaintenance)
#include "tst_indexmaintenance.moc"
