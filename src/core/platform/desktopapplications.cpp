#include "core/platform/desktopapplications.h"

#include "core/platform/textfile.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QSet>
#include <QStandardPaths>

#include <algorithm>

namespace kazari
{

namespace
{

QStringList envDirs(const char *name, const QStringList &fallback)
{
    QStringList out;
    for (const QString &d :
         qEnvironmentVariable(name).split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        // Relative entries are invalid and ignored.
        if (QDir::isAbsolutePath(d))
            out.append(QDir::cleanPath(d));
    }
    return out.isEmpty() ? fallback : out;
}

QString homeDir(const char *name, const QString &underHome)
{
    const QString v = qEnvironmentVariable(name);
    if (!v.isEmpty() && QDir::isAbsolutePath(v))
        return QDir::cleanPath(v);
    return QDir::homePath() + underHome;
}

bool programFound(const QString &program)
{
    if (program.isEmpty())
        return false;
    if (program.contains(QLatin1Char('/'))) {
        const QFileInfo info(program);
        return info.isAbsolute() && info.isFile() && info.isExecutable();
    }
    return !QStandardPaths::findExecutable(program).isEmpty();
}

bool startable(const DesktopEntry &e)
{
    if (!e.isApplication() || e.hidden || e.exec.isEmpty())
        return false;
    if (!e.tryExec.isEmpty() && !programFound(e.tryExec))
        return false;
    const std::optional<QStringList> words = DesktopEntry::splitExec(e.exec);
    return words && !words->isEmpty() && programFound(words->first());
}

QString canonicalType(const QMimeDatabase &db, const QString &name)
{
    const QMimeType t = db.mimeTypeForName(name);
    return t.isValid() ? t.name() : name;
}

} // namespace

DesktopApplications::DesktopApplications(QStringList dataDirs, QStringList configDirs)
    : m_dataDirs(std::move(dataDirs))
    , m_configDirs(std::move(configDirs))
{
}

QStringList DesktopApplications::standardDataDirs()
{
    QStringList out{homeDir("XDG_DATA_HOME", QStringLiteral("/.local/share"))};
    out += envDirs("XDG_DATA_DIRS",
                   {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")});
    out.removeDuplicates();
    return out;
}

QStringList DesktopApplications::standardConfigDirs()
{
    QStringList out{homeDir("XDG_CONFIG_HOME", QStringLiteral("/.config"))};
    out += envDirs("XDG_CONFIG_DIRS", {QStringLiteral("/etc/xdg")});
    out.removeDuplicates();
    return out;
}

void DesktopApplications::load(const QString &locale)
{
    m_applications.clear();
    m_all.clear();
    QSet<QString> seen;
    for (const QString &dir : std::as_const(m_dataDirs)) {
        const QString base = dir + QStringLiteral("/applications");
        QDirIterator it(base, {QStringLiteral("*.desktop")}, QDir::Files | QDir::Readable,
                        QDirIterator::Subdirectories);
        QStringList files;
        while (it.hasNext())
            files.append(it.next());
        files.sort();
        for (const QString &f : std::as_const(files)) {
            // The ID is the path below "applications" with "/" turned into "-".
            QString id = QDir(base).relativeFilePath(f);
            id.replace(QLatin1Char('/'), QLatin1Char('-'));
            if (seen.contains(id))
                continue;
            seen.insert(id);
            std::optional<DesktopEntry> e = DesktopEntry::load(f, locale);
            if (!e)
                continue;
            e->id = id;
            if (e->name.isEmpty())
                e->name = id.chopped(8);
            m_all.append(*e);
            if (startable(*e))
                m_applications.append(*e);
        }
    }
    std::stable_sort(m_applications.begin(), m_applications.end(),
                     [](const DesktopEntry &a, const DesktopEntry &b) {
                         return a.name.localeAwareCompare(b.name) < 0;
                     });
}

std::optional<DesktopEntry> DesktopApplications::byId(const QString &id) const
{
    for (const DesktopEntry &e : m_applications) {
        if (e.id == id)
            return e;
    }
    return std::nullopt;
}

QList<DesktopApplications::Choice>
DesktopApplications::forMimeType(const QString &mimeType, const QStringList &ancestors,
                                 const QStringList &aliases) const
{
    const QMimeDatabase db;
    QSet<QString> own{mimeType};
    for (const QString &a : aliases)
        own.insert(a);
    const QSet<QString> parents(ancestors.cbegin(), ancestors.cend());
    QList<Choice> out;
    for (const DesktopEntry &e : m_applications) {
        int rank = 2;
        for (const QString &declared : e.mimeTypes) {
            const QString t = canonicalType(db, declared);
            if (own.contains(declared) || own.contains(t))
                rank = 0;
            else if (rank > 1 && (parents.contains(declared) || parents.contains(t)))
                rank = 1;
        }
        if (rank == 2 && e.noDisplay)
            continue;
        out.append({e, rank});
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const Choice &a, const Choice &b) { return a.rank < b.rank; });
    return out;
}

QList<DesktopApplications::Choice> DesktopApplications::forFile(const QString &path) const
{
    const QMimeDatabase db;
    const QMimeType t = db.mimeTypeForFile(path);
    return forMimeType(t.name(), t.allAncestors(), t.aliases());
}

std::optional<DesktopEntry> DesktopApplications::defaultFor(const QString &mimeType) const
{
    QStringList lists;
    for (const QString &d : m_configDirs)
        lists.append(d + QStringLiteral("/mimeapps.list"));
    for (const QString &d : m_dataDirs)
        lists.append(d + QStringLiteral("/applications/mimeapps.list"));
    for (const QString &file : std::as_const(lists)) {
        const TextFile::ReadResult r = TextFile::read(file);
        if (!r.found)
            continue;
        bool inDefaults = false;
        for (const QString &raw : r.document.lines) {
            const QString line = raw.trimmed();
            if (line.startsWith(QLatin1Char('['))) {
                inDefaults = line == QLatin1String("[Default Applications]");
                continue;
            }
            if (!inDefaults || !line.startsWith(mimeType + QLatin1Char('=')))
                continue;
            for (const QString &id :
                 line.mid(mimeType.size() + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
                if (const std::optional<DesktopEntry> e = byId(id.trimmed()))
                    return e;
            }
        }
    }
    for (const DesktopEntry &e : m_applications) {
        if (e.mimeTypes.contains(mimeType))
            return e;
    }
    return std::nullopt;
}

std::optional<DesktopEntry> DesktopApplications::webBrowser() const
{
    for (const QString &type :
         {QStringLiteral("x-scheme-handler/https"), QStringLiteral("x-scheme-handler/http"),
          QStringLiteral("text/html")}) {
        if (std::optional<DesktopEntry> e = defaultFor(type))
            return e;
    }
    return std::nullopt;
}

bool DesktopApplications::start(const QList<DesktopEntry::Command> &commands, bool terminal,
                                const QString &workingFolder, Launcher &launcher)
{
    if (commands.isEmpty())
        return false;
    const QString emulator =
        terminal ? QStandardPaths::findExecutable(QStringLiteral("x-terminal-emulator"))
                 : QString();
    // A program that needs a terminal is not started without one: it would run unseen.
    if (terminal && emulator.isEmpty())
        return false;
    bool all = true;
    for (const DesktopEntry::Command &c : commands) {
        if (!emulator.isEmpty()) {
            all = launcher.startDetached(emulator,
                                         QStringList{QStringLiteral("-e"), c.program} + c.arguments,
                                         workingFolder) &&
                  all;
        } else {
            all = launcher.startDetached(c.program, c.arguments, workingFolder) && all;
        }
    }
    return all;
}

bool DesktopApplications::launch(const DesktopEntry &entry, const QList<QUrl> &targets,
                                 const QString &workingFolder, Launcher &launcher)
{
    return start(entry.commands(targets), entry.terminal, workingFolder, launcher);
}

bool DesktopApplications::launchCommand(const QString &commandLine, const QList<QUrl> &targets,
                                        const QString &workingFolder, Launcher &launcher)
{
    return start(DesktopEntry::commandsFor(commandLine.trimmed(), targets), false, workingFolder,
                 launcher);
}

} // namespace kazari
