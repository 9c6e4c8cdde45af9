// Desktop entries and the desktop's applications: reading entries, turning Exec lines
// into argument lists, finding the applications for a file and the default browser.
#include "core/platform/desktopapplications.h"
#include "core/platform/desktopentry.h"
#include "testsupport/files.h"
#include "testsupport/recordinglauncher.h"

#include <QTemporaryDir>
#include <QTest>

using namespace kazari;
using namespace Qt::StringLiterals;

using Command = DesktopEntry::Command;
Q_DECLARE_METATYPE(QList<kazari::DesktopEntry::Command>)

namespace
{

// An entry with a program that exists everywhere, so it counts as startable.
QByteArray app(const QByteArray &name, const QByteArray &mime, const QByteArray &extra = {})
{
    return "[Desktop Entry]\nType=Application\nName=" + name + "\nExec=sh %F\nMimeType=" + mime +
           "\n" + extra;
}

} // namespace

class TestDesktopApplications : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parseEntry();
    void commands_data();
    void commands();
    void applicationsInOrderOfTheirFolders();
    void matchingApplicationsFirst();
    void defaultBrowser();
    void launchStartsEachTargetAsOneArgument();
};

void TestDesktopApplications::parseEntry()
{
    const QString text = uR"(# comment
[Desktop Entry]
Type=Application
Name=Viewer
Name[ja]=ビューア
Name[ja_JP]=画像ビューア
Name[de]=Betrachter
Icon=viewer
Exec=viewer\s--new %U
MimeType=image/png;image/x\;odd;;
NoDisplay=true
Terminal=false

[Desktop Action Other]
Name=Other
Exec=other
)"_s;
    const std::optional<DesktopEntry> e = DesktopEntry::parse(text, u"ja_JP.UTF-8"_s);
    QVERIFY(e);
    QVERIFY(e->isApplication());
    QCOMPARE(e->name, u"画像ビューア"_s);
    QCOMPARE(e->icon, u"viewer"_s);
    // The action group does not replace the entry's own keys.
    QCOMPARE(e->exec, u"viewer --new %U"_s);
    QCOMPARE(e->mimeTypes, (QStringList{u"image/png"_s, u"image/x;odd"_s}));
    QVERIFY(e->noDisplay);
    QVERIFY(!e->terminal);
    QCOMPARE(DesktopEntry::parse(text, u"ja"_s)->name, u"ビューア"_s);
    QCOMPARE(DesktopEntry::parse(text, u"fr_FR"_s)->name, u"Viewer"_s);

    // Links lead to local folders only.
    const auto link = [](const QString &url) {
        return DesktopEntry::parse(u"[Desktop Entry]\nType=Link\nURL="_s + url)->linkTarget();
    };
    QCOMPARE(link(u"file:///home/user/My%20Files/"_s), u"/home/user/My Files"_s);
    QCOMPARE(link(u"/srv/data"_s), u"/srv/data"_s);
    QCOMPARE(link(u"https://example.org/"_s), QString());
    QCOMPARE(link(u"relative/path"_s), QString());

    QVERIFY(!DesktopEntry::parse(u"[Other]\nType=Application\n"_s));
    QVERIFY(!DesktopEntry::parse(u"Type=Application\n"_s));
}

void TestDesktopApplications::commands_data()
{
    QTest::addColumn<QString>("exec");
    QTest::addColumn<QStringList>("targets");
    QTest::addColumn<QList<Command>>("expected");

    const QString a = u"/tmp/a file.txt"_s;
    const QString b = u"/tmp/-b;$(rm -rf ~)`x`.txt"_s;
    QTest::newRow("%f: once per file, each path whole")
        << u"edit --open %f"_s << QStringList{a, b}
        << QList<Command>{{u"edit"_s, {u"--open"_s, a}}, {u"edit"_s, {u"--open"_s, b}}};
    QTest::newRow("%F: once for all") << u"edit %F --end"_s << QStringList{a, b}
                                      << QList<Command>{{u"edit"_s, {a, b, u"--end"_s}}};
    QTest::newRow("%u takes a web address, local files as paths")
        << u"browse %u"_s << QStringList{u"https://example.org/x?y=1"_s, a}
        << QList<Command>{{u"browse"_s, {u"https://example.org/x?y=1"_s}}, {u"browse"_s, {a}}};
    QTest::newRow("%f cannot take a web address")
        << u"edit %f"_s << QStringList{u"https://example.org/"_s} << QList<Command>{};
    QTest::newRow("no file code: the paths are appended")
        << u"viewer --fullscreen"_s << QStringList{a}
        << QList<Command>{{u"viewer"_s, {u"--fullscreen"_s, a}}};
    QTest::newRow("no targets: the program alone")
        << u"edit %f"_s << QStringList{} << QList<Command>{{u"edit"_s, {}}};
    QTest::newRow("code inside a word")
        << u"tool --file=%f"_s << QStringList{a} << QList<Command>{{u"tool"_s, {u"--file="_s + a}}};
    QTest::newRow("quoting, escapes, %% and deprecated codes")
        << uR"("/opt/My App/run" "say \"hi\" \$HOME" 100%% %d %f)"_s << QStringList{a}
        << QList<Command>{{u"/opt/My App/run"_s, {u"say \"hi\" $HOME"_s, u"100%"_s, a}}};
    QTest::newRow("%i %c %k") << u"run %i --name %c --from %k %F"_s << QStringList{a}
                              << QList<Command>{{u"run"_s,
                                                 {u"--icon"_s, u"ic"_s, u"--name"_s, u"App"_s,
                                                  u"--from"_s, u"/apps/app.desktop"_s, a}}};
    // A field code inside quotes would paste the path into a text the program
    // interprets (a shell line); the entry is refused.
    QTest::newRow("code inside quotes is refused")
        << uR"(sh -c "cat %f")"_s << QStringList{a} << QList<Command>{};
    QTest::newRow("broken quoting is refused")
        << uR"(edit "%f)"_s << QStringList{a} << QList<Command>{};
    // The file itself is never the program.
    QTest::newRow("a code as the program is refused")
        << u"%f --run"_s << QStringList{a} << QList<Command>{};
    QTest::newRow("two kinds of file code are refused")
        << u"edit %f %U"_s << QStringList{a} << QList<Command>{};
    QTest::newRow("empty Exec") << QString() << QStringList{a} << QList<Command>{};
}

void TestDesktopApplications::commands()
{
    QFETCH(QString, exec);
    QFETCH(QStringList, targets);
    QFETCH(QList<Command>, expected);
    QList<QUrl> urls;
    for (const QString &t : targets)
        urls.append(t.startsWith(u'/') ? QUrl::fromLocalFile(t) : QUrl(t));
    const QList<Command> got =
        DesktopEntry::commandsFor(exec, urls, u"App"_s, u"ic"_s, u"/apps/app.desktop"_s);
    QCOMPARE(got, expected);
}

void TestDesktopApplications::applicationsInOrderOfTheirFolders()
{
    QTemporaryDir home;
    QTemporaryDir system;
    const QString h = home.path() + u"/applications/"_s;
    const QString s = system.path() + u"/applications/"_s;
    // The user's copy of "editor" hides the system's; "Hidden" hides "gone" entirely.
    QVERIFY(test::writeFile(h + u"editor.desktop"_s, app("My Editor", "text/plain;")));
    QVERIFY(test::writeFile(s + u"editor.desktop"_s, app("System Editor", "text/plain;")));
    QVERIFY(test::writeFile(h + u"gone.desktop"_s, "[Desktop Entry]\nType=Application\n"
                                                   "Name=Gone\nExec=sh\nHidden=true\n"));
    QVERIFY(test::writeFile(s + u"gone.desktop"_s, app("Gone", "text/plain;")));
    // Sub-folders make the ID with "-".
    QVERIFY(test::writeFile(s + u"vendor/tool.desktop"_s, app("Tool", "")));
    // Not started: a missing program, a link, a missing TryExec.
    QVERIFY(test::writeFile(s + u"missing.desktop"_s,
                            "[Desktop Entry]\nType=Application\nName=M\nExec=no-such-prog-x %f\n"));
    QVERIFY(test::writeFile(s + u"link.desktop"_s, "[Desktop Entry]\nType=Link\nURL=/tmp\n"));
    QVERIFY(test::writeFile(s + u"try.desktop"_s, app("Try", "", "TryExec=/no/such/program\n")));

    DesktopApplications apps({home.path(), system.path()}, {});
    apps.load(u"C"_s);
    QStringList names;
    for (const DesktopEntry &e : apps.applications())
        names.append(e.id + u':' + e.name);
    QCOMPARE(names, (QStringList{u"editor.desktop:My Editor"_s, u"vendor-tool.desktop:Tool"_s}));
}

void TestDesktopApplications::matchingApplicationsFirst()
{
    QTemporaryDir dir;
    const QString a = dir.path() + u"/applications/"_s;
    QVERIFY(test::writeFile(a + u"a.desktop"_s, app("Archive", "application/zip;")));
    QVERIFY(test::writeFile(a + u"b.desktop"_s, app("Big Text", "text/plain;")));
    QVERIFY(test::writeFile(a + u"c.desktop"_s, app("C Source", "text/x-csrc;")));
    QVERIFY(test::writeFile(a + u"d.desktop"_s, app("Detail", "text/plain;", "NoDisplay=true\n")));
    QVERIFY(test::writeFile(a + u"e.desktop"_s, app("Extra", "image/png;", "NoDisplay=true\n")));

    DesktopApplications apps({dir.path()}, {});
    apps.load(u"C"_s);
    QStringList got;
    for (const DesktopApplications::Choice &c : apps.forFile(dir.path() + u"/main.c"_s))
        got.append(QString::number(c.rank) + u' ' + c.entry.name);
    // The C source's own type, then what it derives from (plain text), then the rest;
    // a hidden-from-menus entry only where it fits.
    QCOMPARE(got, (QStringList{u"0 C Source"_s, u"1 Big Text"_s, u"1 Detail"_s, u"2 Archive"_s}));
}

void TestDesktopApplications::defaultBrowser()
{
    QTemporaryDir data;
    QTemporaryDir config;
    const QString a = data.path() + u"/applications/"_s;
    QVERIFY(test::writeFile(a + u"first.desktop"_s, app("First", "x-scheme-handler/https;")));
    QVERIFY(test::writeFile(a + u"chosen.desktop"_s, app("Chosen", "text/html;")));
    {
        DesktopApplications apps({data.path()}, {config.path()});
        apps.load(u"C"_s);
        // Without a choice: the first that declares https.
        QCOMPARE(apps.webBrowser()->id, u"first.desktop"_s);
    }
    // The user's choice; an ID that is not installed is passed over.
    QVERIFY(test::writeFile(config.path() + u"/mimeapps.list"_s,
                            "[Added Associations]\nx-scheme-handler/https=first.desktop;\n"
                            "[Default Applications]\n"
                            "x-scheme-handler/https=gone.desktop;chosen.desktop;\n"));
    DesktopApplications apps({data.path()}, {config.path()});
    apps.load(u"C"_s);
    QCOMPARE(apps.webBrowser()->id, u"chosen.desktop"_s);
    QVERIFY(!apps.defaultFor(u"application/x-nothing"_s));
}

void TestDesktopApplications::launchStartsEachTargetAsOneArgument()
{
    const std::optional<DesktopEntry> e =
        DesktopEntry::parse(u"[Desktop Entry]\nType=Application\nName=V\nExec=viewer %f\n"_s);
    QVERIFY(e);
    test::RecordingLauncher launcher;
    const QString odd = u"/data/-n name with spaces.txt"_s;
    QVERIFY(DesktopApplications::launch(*e, {QUrl::fromLocalFile(odd)}, u"/data"_s, launcher));
    QCOMPARE(launcher.started.size(), 1);
    QCOMPARE(launcher.started.first().program, u"viewer"_s);
    QCOMPARE(launcher.started.first().arguments, QStringList{odd});
    QCOMPARE(launcher.started.first().workingFolder, u"/data"_s);

    // A typed command line follows the same rules.
    launcher.started.clear();
    QVERIFY(DesktopApplications::launchCommand(u"  \"my viewer\" -x "_s, {QUrl::fromLocalFile(odd)},
                                               u"/data"_s, launcher));
    QCOMPARE(launcher.started.first().program, u"my viewer"_s);
    QCOMPARE(launcher.started.first().arguments, (QStringList{u"-x"_s, odd}));

    // A terminal program runs in the desktop's terminal, never unseen without one.
    const std::optional<DesktopEntry> console = DesktopEntry::parse(
        u"[Desktop Entry]\nType=Application\nName=C\nExec=console %F\nTerminal=true\n"_s);
    QTemporaryDir bin;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toLocal8Bit());
    launcher.started.clear();
    QVERIFY(
        !DesktopApplications::launch(*console, {QUrl::fromLocalFile(odd)}, u"/data"_s, launcher));
    QVERIFY(launcher.started.isEmpty());
    const QString terminal = bin.path() + u"/x-terminal-emulator"_s;
    QVERIFY(test::writeFile(terminal, "#!/bin/sh\n"));
    QFile(terminal).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    QVERIFY(
        DesktopApplications::launch(*console, {QUrl::fromLocalFile(odd)}, u"/data"_s, launcher));
    qputenv("PATH", path);
    QCOMPARE(launcher.started.first().program, terminal);
    QCOMPARE(launcher.started.first().arguments, (QStringList{u"-e"_s, u"console"_s, odd}));

    // Nothing started is reported.
    launcher.result = false;
    QVERIFY(!DesktopApplications::launch(*e, {QUrl::fromLocalFile(odd)}, u"/data"_s, launcher));
    QVERIFY(!DesktopApplications::launchCommand(u"sh -c \"%f\""_s, {QUrl::fromLocalFile(odd)},
                                                u"/data"_s, launcher));
}

QTEST_GUILESS_MAIN(TestDesktopApplications)
#include "tst_desktopapplications.moc"
