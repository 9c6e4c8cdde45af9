#pragma once

#include "core/navigation/pathboxhistory.h"
#include "core/navigation/tabhistory.h"

#include <QIcon>
#include <QObject>
#include <QString>

class QAction;
class QMenu;

namespace kazari
{

class DriveBar;
class MainWindow;

/// Moving between folders: the up command, the path box and its history, the folder
/// tabs, the drive bar, the program folder, the computer, the system folders and the
/// history menus. Every move ends in the main window's `Build_ListView`; after each
/// folder is shown the tabs and the path box follow it.
class NavigationController : public QObject
{
    Q_OBJECT

public:
    explicit NavigationController(MainWindow &form);
    ~NavigationController() override;

    /// Start-up: the path box gets the folders of `vtl/DirList.img` that exist.
    void loadFolderHistory();
    /// Start-up: the drive bar looks for the volumes.
    void buildDriveBar();

    const TabHistory &tabHistory() const { return m_tabs; }
    const PathBoxHistory &pathBoxHistory() const { return m_pathBox; }
    DriveBar *driveBar() const { return m_driveBar; }

    /// The path box's "開く": opens what the text names.
    void openPathBoxText(const QString &text);
    /// "上へ移動".
    void up();
    /// "マイ　コンピュータ".
    void showComputer();
    /// The folder a button of the "システムフォルダ" bar shows (the desktop's user
    /// folders); empty when it does not exist here or the button shows no folder.
    static QString systemFolder(const QString &command);
    /// A button of the "システムフォルダ" bar: its folder, or for "お気に入り" the
    /// favourites page and for "最近使ったファイル" the list of recently opened files.
    void showSystemPlace(const QString &command);

private:
    bool onCommand(const QString &name, QAction *action);
    void folderShown(const QString &folder);
    /// `openPathBoxText` once per Enter, however many ways the key reaches us.
    void openPathBoxOnce(const QString &text);
    void showTab(int index);
    QIcon folderIcon(const QString &path) const;
    void fillHistoryMenu(QMenu *menu, int kind);

    MainWindow &m_form;
    TabHistory m_tabs;
    PathBoxHistory m_pathBox;
    DriveBar *m_driveBar = nullptr;
    /// Set while the tabs are changed to follow the history, so that is no tab choice.
    bool m_syncingTabs = false;
    /// Set from an Enter in the path box until the event loop runs again.
    bool m_pathBoxOpening = false;
};

} // namespace kazari
