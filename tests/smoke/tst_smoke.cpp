// Starts the real program on a temporary program folder, headless, and closes it the
// way the desktop does at logout (SIGTERM).

#include "core/app/settings.h"
#include "testsupport/tempprogramfolder.h"

#include <QDir>
#include <QProcess>
#include <QTest>

#include <csignal>

using namespace kazari;
using namespace Qt::StringLiterals;

class TestSmoke : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsWithDefaultsAndWritesNothing();
    void writesSettingsAtExitWhenExeIniExists();
    void interruptClosesTheSameWay();
    void signalDuringAQuestionClosesOrderly();

private:
    bool runAndStop(const QStringList &arguments, int signal, QByteArray *output = nullptr,
                    const QByteArray &notice = "kazari: started");
};

bool TestSmoke::runAndStop(const QStringList &arguments, int signal, QByteArray *output,
                           const QByteArray &notice)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    env.insert(u"KAZARI_NO_SPLASH"_s, u"1"_s);
    env.insert(u"KAZARI_STARTED_NOTICE"_s, u"1"_s);
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.start(QStringLiteral(KAZARI_BINARY_DIR "/kazari"), arguments);
    if (!p.waitForStarted(10000))
        return false;
    QByteArray out;
    while (!out.contains(notice)) {
        if (!p.waitForReadyRead(60000))
            break;
        out += p.readAllStandardOutput();
    }
    if (!out.contains(notice)) {
        qWarning() << "did not start:" << out << p.readAllStandardError();
        p.kill();
        p.waitForFinished();
        return false;
    }
    ::kill(pid_t(p.processId()), signal);
    if (!p.waitForFinished(60000)) {
        p.kill();
        return false;
    }
    const QByteArray err = p.readAllStandardError();
    if (output)
        *output = out + err;
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning() << "exit" << p.exitStatus() << p.exitCode() << err;
        return false;
    }
    // Sanitizer reports end the run with an error, but say so here too.
    return !err.contains("ERROR: AddressSanitizer") && !err.contains("runtime error:");
}

void TestSmoke::startsWithDefaultsAndWritesNothing()
{
    test::TempProgramFolder dir;
    QVERIFY(runAndStop({u"--program-folder"_s, dir.path()}, SIGTERM));
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

void TestSmoke::writesSettingsAtExitWhenExeIniExists()
{
    test::TempProgramFolder dir;
    QDir(dir.path()).mkpath(u"work"_s);
    QVERIFY(dir.writeBytes(u"exe.ini"_s, "[パス]\r\nLastPath=/does/not/exist/\r\nmin1=1\r\n"));
    QVERIFY(runAndStop({u"--program-folder"_s, dir.path(), dir.file(u"work"_s)}, SIGTERM));
    Settings s(dir.folder());
    QVERIFY(s.load());
    QCOMPARE(s.value(u"LastPath"_s), dir.file(u"work"_s) + u"/"_s);
    QVERIFY(s.contains(u"LastWidth"_s));
    QVERIFY(dir.readBytes(u"exe.ini"_s).startsWith("[パス]\r\n"));
    QVERIFY(dir.readBytes(u"ToolBar.ini"_s).contains("Visible="));

    // The next start opens the stored folder.
    QVERIFY(runAndStop({u"--program-folder"_s, dir.path()}, SIGTERM));
    QCOMPARE(Settings(dir.folder()).readFromFile(u"LastPath"_s), dir.file(u"work"_s) + u"/"_s);
}

void TestSmoke::interruptClosesTheSameWay()
{
    test::TempProgramFolder dir;
    QVERIFY(dir.writeBytes(u"exe.ini"_s, "IconSize=64\n"));
    QVERIFY(runAndStop({u"--program-folder"_s, dir.path()}, SIGINT));
    QCOMPARE(Settings(dir.folder()).readFromFile(u"IconSize"_s), u"64"_s);
    QVERIFY(dir.exists(u"ToolBar.ini"_s));
}

void TestSmoke::signalDuringAQuestionClosesOrderly()
{
    // Central mode without an index asks before the window is up; the logout's signal
    // must not leave the program waiting for an answer nobody gives.
    test::TempProgramFolder dir;
    QVERIFY(dir.writeBytes(u"exe.ini"_s, "InIManagement2=1\nmin1=0\n"));
    QVERIFY(runAndStop({u"--program-folder"_s, dir.path()}, SIGTERM, nullptr, "kazari: starting"));
    QVERIFY(!dir.exists(u"ini"_s)); // the question read as No
    QCOMPARE(Settings(dir.folder()).readFromFile(u"LastPath"_s), dir.path() + u"/"_s);
    QVERIFY(dir.exists(u"ToolBar.ini"_s));
}

QTEST_GUILESS_MAIN(TestSmoke)
#include "tst_smoke.moc"
