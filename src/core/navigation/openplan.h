#pragma once

#include "core/platform/programfolder.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace kazari
{

/// An entry of the item list as it was when the user asked to open it. The open action
/// copies these before the maze's gate, so what opens is what was selected then,
/// whatever happens to the list while the player walks.
struct OpenItem {
    QString path;
    /// Listed by a virtual location (`ItemType` 1).
    bool namespaceItem = false;
    /// A virtual location's entry that holds others (a volume, a trashed folder).
    bool container = false;
    bool operator==(const OpenItem &) const = default;
};

/// What opening a selection does, worked out without touching anything: which folder
/// the item list shows, which files the desktop opens, which paths go to the
/// recent-use lists.
///
/// One entry: a folder is shown in the item list, a file is opened with the desktop's
/// default action. Several entries: folders open in windows of their own (the desktop's
/// default action), files as for one. A symbolic link or a desktop link entry to a folder
/// stands for its target.
/// Executable files are opened like any other file: the program never runs a file
/// itself. Entries of virtual locations are browsed or opened but not recorded.
class OpenPlan
{
public:
    struct Step {
        enum Kind {
            ShowFolder,       ///< build the item list for `path`, a folder key
            ShowLocation,     ///< browse the virtual location `path`
            OpenWithDefault,  ///< the desktop's default action for the file `path`
            OpenFolderWindow, ///< the desktop's default action for the folder `path`
            ShowListFile,     ///< show the list file `path` in list-file mode
        };
        Kind kind = ShowFolder;
        QString path;
        bool operator==(const Step &) const = default;
    };

    QList<Step> steps;
    /// The paths for the recent-use lists, in the order they were opened.
    QStringList recorded;

    /// The plan for a selection in list order. `listFileMode`: the list shows a list
    /// file, whose entries may name other list files kept in the program folder's `vtl`.
    static OpenPlan make(const QList<OpenItem> &items, bool listFileMode,
                         const ProgramFolder &programFolder);

    /// A symbolic link to a folder, or a desktop link entry (".desktop", "Type=Link")
    /// whose URL is a local folder, gives the folder it leads to; any other path is
    /// returned as it is.
    static QString followFolderLink(const QString &path);
};

} // namespace kazari
