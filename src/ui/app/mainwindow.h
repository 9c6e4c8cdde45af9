#pragma once

#include "core/annotations/annotationstore.h"
#include "core/app/componentnames.h"
#include "core/app/settings.h"
#include "core/app/toolbarlayout.h"
#include "core/itemlist/itemlist.h"
#include "core/platform/launcher.h"
#include "core/platform/programfolder.h"
#include "ui/app/commandregistry.h"
#include "ui/app/listbuilder.h"
#include "ui/app/settingshost.h"
#include "ui/itemlist/itemlistlook.h"

#include <QMainWindow>
#include <QPixmap>
#include <QPointer>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

class QAbstractItemView;
class QComboBox;
class QElapsedTimer;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QSlider;
class QSplitter;
class QTabBar;
class QTabWidget;
class QToolBar;
class QTreeWidget;

namespace kazari
{

class SplashWindow;
class RpgView;
class RpgPaneCommands;
class FileOperationsController;
class ItemOpener;
class NavigationController;
class SettingsDialog;
class FolderChangeWatch;
class ItemListView;
class MainCommands;
class PaneLayout;
class WindowLifecycle;
class WindowSettings;
class ToolBarArea;
struct FolderChanges;
struct ItemListLook;

/// The main window: folder pane, item list, right pane, tool bars and status bar.
///
/// `FormCreate` runs the start-up steps in their fixed order (each step's name goes to
/// the splash window); closing runs the shutdown steps in their fixed order. Both are
/// logged so their order can be checked.
class MainWindow : public QMainWindow, public SettingsHost
{
    Q_OBJECT

public:
    struct Options {
        ProgramFolder programFolder;
        /// Command-line arguments after the program name, without program options.
        QStringList arguments;
        /// Starts programs; the desktop launcher when null.
        Launcher *launcher = nullptr;
        SplashWindow *splash = nullptr;
    };

    /// The seven status bar fields, in order.
    enum StatusField { DFCount, Showed, Notification, IniNo, FindFileName, FileOp, SysMsg };

    explicit MainWindow(Options options, QWidget *parent = nullptr);
    /// Follows the folder name in the window title.
    static QString productDescription();
    ~MainWindow() override;

    /// The start-up steps (creation of the main window's state).
    void FormCreate();

    /// The names of the start-up steps as they ran, and the shutdown steps.
    const QStringList &startupLog() const;
    const QStringList &shutdownLog() const;

    CommandRegistry &commands() { return m_commands; }
    AnnotationStore &store() { return *m_store; }
    QLabel *statusField(StatusField field) const { return m_status[size_t(field)]; }
    QProgressBar *progressBar() const { return m_progress; }
    /// The view that shows the item list now (icon and list styles, or details).
    QAbstractItemView *itemList() const;
    /// The item list with its records (`ListView1`).
    ItemListView *itemListView() const { return m_itemList; }
    /// The hidden secondary status bar: "Build ListView mode", "Owner Draw mode",
    /// "NameSpace mode".
    QString secondaryStatus() const;
    /// The marked view style command (`N28` ...).
    const QString &viewStyleCommand() const { return m_builder->viewCommand(); }
    /// The folder shown fixes its view style (`.ViewStyle`).
    bool viewStyleFixed() const { return m_builder->viewStyleFixed(); }
    /// The text of the item list's title panel.
    QString titlePanelText() const;
    /// The folder's own picture in the title panel.
    QLabel *folderImage() const { return m_folderImage; }
    /// The tool bar's switch panel beside the path box: names a list that is not a folder.
    QLabel *switchPanel() const { return m_switchPanel; }
    /// Paints the folder's picture in the title panel, tinted by its own `_oneColor`.
    void showFolderIcon(const QString &folder);
    /// The item list's pop-up menu for the list shown (another one for a list file).
    QMenu *itemListPopup() const { return listFileMode() ? m_listFilePopup : m_itemPopup; }
    /// The maze game of the folder pane; every open request passes its gate.
    RpgView *rpgView() const;
    /// New, rename, trash, copy and move of items (also for drops and other callers).
    FileOperationsController *fileOperations() const { return m_fileOperations; }
    QPlainTextEdit *commentMemo() const { return m_commentMemo; }
    QComboBox *pathBox() const { return m_pathBox; }
    QToolBar *toolBar(const QString &name) const;
    const ProgramFolder &programFolder() const { return m_options.programFolder; }
    Launcher &launcher() { return *m_launcher; }
    /// The file mask of the item list ("*" at start).
    const QString &fileMask() const { return m_builder->fileMask(); }
    bool foundListMode() const { return m_builder->foundListMode(); }

    /// The full paths of the selected items, in list order (supplied by the item list).
    QStringList selectedPaths() const;
    void setSelectionProvider(std::function<QStringList()> provider)
    {
        m_selectedPaths = std::move(provider);
    }

    /// Shows the maze game of the folder pane (and the pane itself), giving it room: an
    /// open request waits for the player, who must be able to walk.
    void showGamePane();
    /// The small button with this tag on a pane or page header: 0 "ファイル", 1 the game
    /// pane, 2 to 6 the right pane's pages; 7 and 8 hide the tree view pane.
    void runPaneButton(int tag);

    /// The item list's open action: the selected items are opened once the player of the
    /// folder pane's game has reached the goal of a new floor.
    void openSelection();
    /// Opens paths now (what the gate releases): a folder is shown in the item list, a file
    /// is started with the desktop's default action; both go to the recent-use lists.
    void openPaths(const QStringList &paths);

    /// Shows a folder in the item list: every change of folder ends here. An empty
    /// path empties the list; a path that is no existing folder is a virtual location.
    void Build_ListView(const QString &folder);
    /// Search results in the item list (search result mode, title "検索結果").
    void showSearchResults(const QStringList &paths);
    /// The list of paths in "Found.txt" (`/ShowFoundList`), kept through rebuilds until
    /// the user goes to a folder or refreshes.
    void showFoundList();
    /// The lines of a list file in the item list (list-file mode, title "リスト: ").
    void showListFile(const QString &file);
    /// The annotation filter ("拡張属性のフィルタ"): only items with this suffix.
    void setAnnotationFilter(const QString &suffix) { m_builder->setAnnotationFilter(suffix); }
    const QString &annotationFilter() const { return m_builder->annotationFilter(); }
    /// Sets the file mask the next build applies (an empty mask counts as "*").
    void setFileMask(const QString &mask) { m_builder->setFileMask(mask); }
    /// A page of the right pane by its command name (`N114` ...), or nullptr.
    QWidget *rightPage(const QString &name) const;
    /// Whether the list shows search results (annotations looked up by path).
    bool searchResultsShown() const { return m_builder->searchResultsShown(); }
    bool listFileMode() const { return m_builder->listFileMode(); }
    /// The list file shown in list-file mode.
    const QString &listFile() const { return m_builder->listFile(); }
    /// The folder tabs (`TabControl1`), a view of the navigation's tab history.
    QTabBar *folderTabs() const { return m_folderTabs; }
    /// The free tree (`TreeView2`).
    QTreeWidget *freeTree() const;
    /// The window is closing: waiting open requests still start files, build no list.
    bool closing() const { return m_closing; }
    /// Opening a folder leaves the found list.
    NavigationController *navigation() const { return m_navigation; }
    ItemOpener *opener() const { return m_opener; }
    /// "更新(&R)": re-reads a list file; otherwise leaves search result mode and builds
    /// the current folder again, keeping the selection.
    void refreshList();
    /// The current-folder refresh after a change in the folder.
    void currentFolderChanged(const FolderChanges &changes);
    /// The watch on the current folder.
    FolderChangeWatch *folderWatch() const { return m_folderWatch; }

    /// Registers work to run at a shutdown step ("stop watchers", "free tree" ...), so
    /// subsystems built later hook into the fixed order without changing it.
    enum class ShutdownStep {
        ReleaseGate,   ///< close query: release waiting open requests
        StopListWatch, ///< 1: the item list's own folder watch and idle work
        StopWatchers,  ///< 3: every folder watcher
        StoreColumns,  ///< 4: column widths (only with exe.ini)
        SaveFreeTree,  ///< 5: the free tree text (only with exe.ini)
        ReleaseTools,  ///< 6: open tool windows
        FreeTreePane,  ///< 7: the free tree pane (files only with exe.ini)
        FreeRecords,   ///< 8: item records
        StoreState,    ///< 10: extra state values into the settings list
    };
    void onShutdown(ShutdownStep step, std::function<void(bool withFiles)> work);

    /// Lets a part of the program take commands by name: handlers run before the main
    /// window's own, in the order added; one that returns true has handled the command.
    using CommandHandler = std::function<bool(const QString &name, QAction *action)>;
    void addCommandHandler(CommandHandler handler);

    // SettingsHost
    Settings &settings() override { return m_settings; }
    QAction *command(const QString &name) override { return m_commands.action(name); }
    QString currentFolder() const override { return m_builder->currentFolder(); }
    QString browserAddress() const override { return m_browserAddress; }
    void setBrowserAddress(const QString &address) override { m_browserAddress = address; }
    QColor listColor() const override;
    void setListColor(const QColor &color) override;
    QColor listTextColor() const override;
    QFont listFont() const override;
    void setListFont(const QFont &font, const QColor &textColor) override;
    int iconSize() const override;
    void setIconSize(int size) override;
    bool windowAtBack() const override;
    void setWindowAtBack(bool atBack) override;
    QStringList layoutSummary() const override;
    QList<WatchedFolder> watchedFolders() const override;
    void settingsApplied(bool rebuildList) override;

Q_SIGNALS:
    /// A list build has finished: the records, the view style and the look are in place.
    void listBuilt();
    /// A folder or virtual location is shown in the item list (after its build).
    void folderShown(const QString &folder);

public Q_SLOTS:
    /// The generic switch handler of checkable commands: the command's mark has already
    /// been inverted when it runs (Qt toggles a checkable action before `triggered`).
    void MenuItem_Clicks(const QString &name);

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWidgets();
    void buildMenusAndToolBars();
    void buildStatusBar();
    void placeProgressBar();
    void buildDriveBar();
    void applyViewAndPanes();
    void readFreeTree();
    void loadFolderHistory();
    /// Rebuilds the "アプリ一覧" menu from `myappli.ini`.
    void fillApplicationMenu(QMenu *menu);
    void showStoreError(const StoreResult &result);
    void showSettingsDialog();
    void FormClose();
    void storePositions(const QList<QPair<int, QPoint>> &moves, const QString &under);
    void clearPositions();
    void onIconSizeChanged(int size);

    friend class ListBuilder;
    friend class MainCommands;
    friend class WindowLifecycle;
    friend class WindowSettings;

    Options m_options;
    std::unique_ptr<Launcher> m_ownLauncher;
    Launcher *m_launcher = nullptr;
    Settings m_settings;
    std::unique_ptr<AnnotationStore> m_store;
    CommandRegistry m_commands;
    QPointer<SplashWindow> m_splash;
    SettingsDialog *m_settingsDialog = nullptr;

    std::function<QStringList()> m_selectedPaths;

    std::unique_ptr<ListBuilder> m_builder;
    std::unique_ptr<MainCommands> m_mainCommands;
    std::unique_ptr<WindowLifecycle> m_lifecycle;
    std::unique_ptr<WindowSettings> m_windowSettings;
    // Panes.
    PaneLayout *m_panes = nullptr;
    std::unique_ptr<ToolBarArea> m_toolBars;
    RpgPaneCommands *m_rpgCommands = nullptr;
    FileOperationsController *m_fileOperations = nullptr;
    NavigationController *m_navigation = nullptr;
    ItemOpener *m_opener = nullptr;
    QWidget *m_titlePanel = nullptr;
    QLabel *m_folderImage = nullptr;
    QLabel *m_titleLabel = nullptr;
    QTabBar *m_folderTabs = nullptr;
    ItemListView *m_itemList = nullptr;
    FolderChangeWatch *m_folderWatch = nullptr;
    QLabel *m_secondaryStatus = nullptr;
    QPlainTextEdit *m_commentMemo = nullptr;
    QMenu *m_itemPopup = nullptr;
    QMenu *m_listFilePopup = nullptr;
    QComboBox *m_pathBox = nullptr;
    QSlider *m_iconSizeSlider = nullptr;
    QLabel *m_iconSizeLabel = nullptr;
    QLabel *m_switchPanel = nullptr;
    QToolBar *m_driveBar = nullptr;
    std::array<QLabel *, 7> m_status{};
    QProgressBar *m_progress = nullptr;

    // State.
    QString m_browserAddress;
    QString m_freeTreeFileName;
    QString m_pathListFileName;
    QStringList m_freeTreeText;
    /// The free tree file is there but could not be read: it is never written over.
    bool m_freeTreeUnread = false;
    QStringList m_watchedFolders;
    QColor m_listColor = Qt::white;
    QColor m_listTextColor = Qt::black;
    // The colour numbers as stored: a system colour stays a system colour unless the
    // user picks another colour.
    qint32 m_listColorNumber = 0xFFFFFF;
    qint32 m_listTextColorNumber = -16777208;
    QPixmap m_placeholderSmall;
    QPixmap m_placeholderLarge;
    QString m_osText;
    bool m_listFocused = false;
    bool m_titleFullPath = false;
    bool m_closing = false;
    bool m_closed = false;
    int m_treeType = 0;
};

} // namespace kazari
