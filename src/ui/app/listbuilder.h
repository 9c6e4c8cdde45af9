#pragma once

#include "core/app/componentnames.h"
#include "core/itemlist/itemlist.h"
#include "ui/itemlist/itemlistlook.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

class QElapsedTimer;

namespace kazari
{

class MainWindow;
struct FolderChanges;

/// What the item list shows and how: a folder, a virtual location, the found list,
/// search results or a list file; the view style, file mask and annotation filter the
/// builds apply; the title, path box and status fields each build fills.
class ListBuilder
{
public:
    explicit ListBuilder(MainWindow &window);

    /// Shows a folder: every change of folder ends here (it leaves the found list). An
    /// empty path empties the list; a path that is no existing folder is a virtual
    /// location.
    void Build_ListView(const QString &folder);
    void showSearchResults(const QStringList &paths);
    void showFoundList();
    void showListFile(const QString &file);
    /// Builds what is shown again (the list file, the found list or the folder), keeping
    /// the selection and the scroll position.
    void rebuildKeepingSelection();
    /// "更新(&R)": re-reads a list file; otherwise leaves the found list and search
    /// results and builds the current folder again.
    void refreshList();
    void currentFolderChanged(const FolderChanges &changes);
    /// Marks a view style command and shows the list in it.
    void chooseViewStyle(const QString &name);
    /// Paints the folder's picture in the title panel, tinted by its own `_oneColor`.
    void showFolderIcon(const QString &folder);
    void onShowedChanged(int showed);

    ListBuildOptions listBuildOptions() const;
    ItemListLook lookFor(const QString &command, bool fixed) const;
    /// The label, seal and placeholder pictures are read again at the next build.
    void forgetPictures() { m_pictures.reset(); }

    const QString &currentFolder() const { return m_currentFolder; }
    void setCurrentFolder(const QString &folder) { m_currentFolder = folder; }
    bool listFileMode() const { return m_listFileMode; }
    bool foundListMode() const { return m_foundListMode; }
    bool searchResultsShown() const { return m_searchResults; }
    const QString &listFile() const { return m_listFile; }
    const QString &viewCommand() const { return m_viewCommand; }
    void setViewCommand(const QString &command) { m_viewCommand = command; }
    bool viewStyleFixed() const { return m_viewStyleFixed; }
    const QString &fileMask() const { return m_fileMask; }
    void setFileMask(const QString &mask)
    {
        m_fileMask = mask.isEmpty() ? QStringLiteral("*") : mask;
    }
    const QString &annotationFilter() const { return m_annotationFilter; }
    void setAnnotationFilter(const QString &suffix) { m_annotationFilter = suffix; }

private:
    void buildFolderList(const QString &key);
    void buildPathList(const QStringList &paths, ItemListMode mode, const QString &title);
    void buildNameSpace(const QString &location);
    void finishBuild(const QString &command, bool fixed, const QElapsedTimer &timer);
    /// The menus that do not apply to a list file are off while one is shown.
    void applyListFileMenus();

    MainWindow &m_w;
    QString m_currentFolder;
    QString m_fileMask = QStringLiteral("*");
    QString m_annotationFilter;
    QString m_viewCommand = Component::ViewIcons;
    bool m_viewStyleFixed = false;
    QString m_listFile;
    bool m_listFileMode = false;
    bool m_foundListMode = false;
    bool m_searchResults = false;
    // The list's pictures as read for the present settings and size (see lookFor).
    mutable std::optional<ItemListLook> m_pictures;
    mutable std::pair<bool, int> m_picturesKey;
};

} // namespace kazari
