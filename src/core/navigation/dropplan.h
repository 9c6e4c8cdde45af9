#pragma once

#include "core/platform/fileoperation.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace kazari
{

/// What files dropped onto the main window from another program lead to, worked out
/// before anything is done.
///
/// Only local files are taken, each path whole; the program's own companion files of a
/// folder (`_m.ini`, `_m.rule`, ...) are never taken as items of their own. Onto the
/// favourites or the free tree every path is taken. Elsewhere a path that lies directly
/// in the current folder stops the whole drop (the user dropped the folder's own items
/// back onto it); in list-file mode the paths are appended to the list file shown; in
/// search result mode they are ignored; otherwise they go to the drop menu, which copies
/// or moves them into the current folder (a folder of the file system).
class DropPlan
{
public:
    /// The control under the mouse at the drop.
    enum class Place { ItemList, MainWindow, Favourites, FreeTree, Elsewhere };
    enum class Action {
        Nothing,
        DropMenu,        ///< offer copy or move of `paths` into the current folder
        AddToFavourites, ///< add each of `paths` that exists to the favourites
        AddToFreeTree,   ///< add each of `paths` as a node of the free tree
    };

    struct Input {
        QList<QUrl> urls;
        Place place = Place::ItemList;
        /// The current folder (a folder key, or a virtual location).
        QString currentFolder;
        bool listFileMode = false;
        bool searchResultMode = false;
        /// "ドロップ可能".
        bool dropAllowed = true;
        /// The drag started in the item list itself.
        bool ownDrag = false;
    };

    Action action = Action::Nothing;
    /// The dropped paths the action works on, in drop order.
    QStringList paths;
    /// Paths to append to the list file shown (list-file mode); done even when the
    /// rest of the drop stops.
    QStringList listFileLines;
    /// Paths that cannot be kept as a line of the list file (they hold a line break).
    QStringList refused;
    /// A dropped path lay directly in the current folder.
    bool sameFolder = false;

    static DropPlan make(const Input &input);

    /// The local paths among dropped URLs, in order, without trailing separators and
    /// without the companion files of folders.
    static QStringList localPaths(const QList<QUrl> &urls);
    /// The captions to select after the drop menu's operation: the last path components.
    static QStringList pendingSelection(const QStringList &paths);
    /// The items an operation placed (their final names, also a renamed copy), in order:
    /// what is selected once the list shows the destination again.
    static QStringList arrived(const FileOperationResult &result);

    /// Items of the item list dragged onto one of its folder entries.
    struct FolderDrop {
        /// The folder key of the folder entry: where the items go.
        QString destination;
        /// The dragged items that can go, in order.
        QStringList sources;
        /// The dragged items that cannot (vanished, companion files, the destination).
        QStringList problems;
    };
    /// Checks the dragged paths against the folder entry they were dropped on; worked out
    /// at the drop, before anything rebuilds the list.
    static FolderDrop ontoFolder(const QStringList &dragged, const QString &folder);
};

} // namespace kazari
