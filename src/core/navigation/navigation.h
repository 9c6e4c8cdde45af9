#pragma once

#include "core/platform/programfolder.h"

#include <QString>

namespace kazari
{

/// The rules for moving between places that need no window: how a path is written in
/// the histories, the up command, what the text of the path box names and what opening
/// a path leads to.
///
/// Native paths are absolute with "/". Windows paths found in old files ("C:\...",
/// "\\server\...") and virtual locations ("::{…}") are identifiers: they are compared
/// without regard to case and never handed to the file system.
class Navigation
{
public:
    /// Where opening a path leads.
    struct Target {
        enum Kind {
            Nothing,       ///< nothing happens (empty, missing, relative, a Windows path)
            Folder,        ///< build the item list for `path`, a folder key (trailing "/")
            File,          ///< start `path` with the default action in `workingFolder`
            ShellLocation, ///< show the virtual location `path` ("::{…}")
        };
        Kind kind = Nothing;
        QString path;
        QString workingFolder;
        bool operator==(const Target &) const = default;
    };

    /// What the up command does.
    struct UpTarget {
        enum Kind {
            Folder,   ///< build the item list for `path`
            ListFile, ///< show the list file `path` in list-file mode
        };
        Kind kind = Folder;
        QString path;
        bool operator==(const UpTarget &) const = default;
    };

    /// The caption of the tool bar switch panel while up shows the list file.
    static QString listFileCaption() { return QStringLiteral("仮想ディスクイメージ"); }
    /// The list file shown by up in list-file mode, relative to the program folder.
    static QString listFileRelativePath() { return QStringLiteral("vtl/virtuallist.img"); }

    static bool isWindowsPath(const QString &path);
    static bool isShellLocation(const QString &path);
    /// A Windows path or a virtual location: never handed to the file system.
    static bool isIdentifier(const QString &path)
    {
        return isWindowsPath(path) || isShellLocation(path);
    }
    /// An absolute native path ("/..."), the only kind the file system is asked about.
    static bool isNativePath(const QString &path);

    /// The path without trailing separators, the way the histories hold folders; the
    /// root "/" (and a drive root "C:\") keeps its separator. Native paths are cleaned.
    static QString withoutTrailingSeparator(const QString &path);
    /// The folder key: a native path cleaned with one trailing "/"; identifiers keep
    /// their spelling and get a trailing separator. Empty for an empty or relative path.
    static QString folderKey(const QString &path);
    /// Whether two paths name the same place: native paths compare exactly (after
    /// cleaning and without trailing separators), identifiers without regard to case.
    static bool samePath(const QString &a, const QString &b);
    /// Whether a path without trailing separator is a root ("/", "C:", "C:\",
    /// "\\server\share").
    static bool isRoot(const QString &path);

    /// The parent's folder key of a folder: "/a/b/" gives "/a/", a root gives itself,
    /// a virtual location stays where it is. Pure: the file system is not asked.
    static QString parentKey(const QString &folder);
    /// The up command for the current folder.
    static UpTarget up(const QString &currentFolder, bool listFileMode,
                       const ProgramFolder &programFolder);

    /// `OpenPath`: an existing folder is shown in the item list, an existing file is
    /// started with its default action, its folder as working folder; nothing happens
    /// otherwise. Links are followed to decide, but the path keeps its spelling.
    static Target OpenPath(const QString &path);
    /// What the text typed or chosen in the path box names: the known virtual locations,
    /// else `OpenPath` of the text without trailing separator. Blanks around the text are
    /// dropped only when the text as typed names nothing.
    static Target pathBoxTarget(const QString &text);
};

} // namespace kazari
