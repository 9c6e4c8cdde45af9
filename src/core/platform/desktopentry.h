#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

namespace kazari
{

/// One desktop entry file (".desktop") of the desktop's application list: what the
/// program chooser shows (name, icon), which file types it declares and how it is
/// started.
///
/// Only the "[Desktop Entry]" group is read. Values are unescaped ("\s", "\n", "\t",
/// "\r", "\\"); the name is taken for the given locale when the file has one.
class DesktopEntry
{
public:
    /// A program with its arguments, started without a shell.
    struct Command {
        QString program;
        QStringList arguments;
        bool operator==(const Command &) const = default;
    };

    /// The desktop file ID ("org.example.Viewer.desktop") and the file it came from.
    QString id;
    QString file;
    QString type;
    QString name;
    QString icon;
    QString exec;
    QString tryExec;
    QString url;
    QStringList mimeTypes;
    bool noDisplay = false;
    bool hidden = false;
    bool terminal = false;

    /// Reads an entry from its text. Nothing when there is no "[Desktop Entry]" group.
    /// `locale` is a POSIX locale name ("ja_JP.UTF-8"); empty takes the system's.
    static std::optional<DesktopEntry> parse(const QString &text, const QString &locale = {});
    /// Reads an entry from a file; the ID is left to the caller.
    static std::optional<DesktopEntry> load(const QString &file, const QString &locale = {});

    bool isApplication() const { return type == QLatin1String("Application"); }
    /// A link entry ("Type=Link"): `linkTarget` is where it leads.
    bool isLink() const { return type == QLatin1String("Link"); }
    /// The local path a link entry leads to: a "file:" URL or an absolute path; empty
    /// for anything else (a web address, a relative path).
    QString linkTarget() const;

    /// Splits an Exec value into its words by the quoting rules of desktop entries.
    /// Nothing when the quoting is broken or a field code stands inside quotes (where
    /// it would become part of a text the started program may interpret).
    static std::optional<QStringList> splitExec(const QString &exec);

    /// The commands that open `targets` with this entry. Each target is one argument,
    /// never split or interpreted: local files are passed as paths, other addresses
    /// only where the entry takes URLs ("%u", "%U"). "%f" and "%u" start the program
    /// once per target, "%F" and "%U" once for all; an entry without a file code gets
    /// the targets appended. Empty when the entry cannot be started (no Exec, broken
    /// quoting, no target it can take).
    QList<Command> commands(const QList<QUrl> &targets) const;

    /// The commands for a command line typed by the user, by the same rules.
    static QList<Command> commandsFor(const QString &exec, const QList<QUrl> &targets,
                                      const QString &name = {}, const QString &icon = {},
                                      const QString &file = {});
};

} // namespace kazari
