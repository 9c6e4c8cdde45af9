#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace kazari
{

/// What files dropped onto the main window from another program lead to, worked out
/// before anything is done.
///
/// Only local files are taken, each path whole. Onto the favourites or the free tree
/// every path is taken. Elsewhere a path that lies directly in the current folder
/// stops the whole drop (the user dropped the folder's own items back onto it); in
/// list-file mode the paths are appended to the list file shown; in search result mode
/// they are ignored; otherwise they go to the drop menu, which copies or moves them
/// into the current folder.
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

    /// The local paths among dropped URLs, in order, without trailing separators.
    static QStringList localPaths(const QList<QUrl> &urls);
    /// The captions to select after the drop menu's operation: the last path components.
    static QStringList pendingSelection(const QStringList &paths);
};

} // namespace kazari
