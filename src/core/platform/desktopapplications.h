#pragma once

#include "core/platform/desktopentry.h"
#include "core/platform/launcher.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace kazari
{

/// The desktop's applications: the desktop entries in the "applications" folder of
/// each data folder, `$XDG_DATA_HOME` (normally `~/.local/share`) first, then every
/// folder of `$XDG_DATA_DIRS`. An entry found earlier hides one of the same desktop
/// file ID found later, so a user's own copy (or a "Hidden=true" stand-in) wins.
///
/// The program chooser lists them with the ones declaring the file's type first; the
/// browser launcher finds the desktop's default web browser among them.
class DesktopApplications
{
public:
    /// An application offered for a file: `rank` 0 declares the file's own type (or an
    /// alias of it), 1 a type the file's type derives from, 2 neither.
    struct Choice {
        DesktopEntry entry;
        int rank = 2;
    };

    /// `dataDirs` in order of priority; `configDirs` are where "mimeapps.list" with the
    /// user's default applications is looked for (before the data folders).
    explicit DesktopApplications(QStringList dataDirs = standardDataDirs(),
                                 QStringList configDirs = standardConfigDirs());

    static QStringList standardDataDirs();
    static QStringList standardConfigDirs();

    /// Reads the entries again.
    void load(const QString &locale = {});
    /// Every application that can be started: "Type=Application", not hidden, with an
    /// Exec line, its TryExec program present. Sorted by name.
    const QList<DesktopEntry> &applications() const { return m_applications; }
    /// The application with a desktop file ID, if any.
    std::optional<DesktopEntry> byId(const QString &id) const;

    /// The applications for a file of MIME type `mimeType` (with its aliases and the
    /// types it derives from, most specific first): matching ones first, then the
    /// rest. Entries that ask not to be shown appear only when they match.
    QList<Choice> forMimeType(const QString &mimeType, const QStringList &ancestors,
                              const QStringList &aliases = {}) const;
    /// The same for a file, its type found by name and content.
    QList<Choice> forFile(const QString &path) const;

    /// The default application for a MIME type (or scheme handler
    /// "x-scheme-handler/https") from "mimeapps.list", else the first that declares it.
    std::optional<DesktopEntry> defaultFor(const QString &mimeType) const;
    /// The default web browser: the https handler, then the http one, then HTML.
    std::optional<DesktopEntry> webBrowser() const;

    /// Starts an application for targets through `launcher`, in `workingFolder`. A
    /// terminal application is started inside the desktop's terminal emulator, and not
    /// at all when there is none. False when nothing could be started.
    static bool launch(const DesktopEntry &entry, const QList<QUrl> &targets,
                       const QString &workingFolder, Launcher &launcher);
    /// The same for a command line typed by the user.
    static bool launchCommand(const QString &commandLine, const QList<QUrl> &targets,
                              const QString &workingFolder, Launcher &launcher);

private:
    static bool start(const QList<DesktopEntry::Command> &commands, bool terminal,
                      const QString &workingFolder, Launcher &launcher);

    QStringList m_dataDirs;
    QStringList m_configDirs;
    QList<DesktopEntry> m_applications;
    /// Every entry read, hidden ones too, for default look-ups.
    QList<DesktopEntry> m_all;
};

} // namespace kazari
