#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include <functional>

class QLabel;
class QSplitter;
class QTabWidget;
class QTreeWidget;
class QWidget;

namespace kazari
{

class CommandRegistry;
class ProgramFolder;
class RpgView;
class Settings;

/// The main window's panes side by side: the folder pane (the maze game above the tree
/// view), the item list pane and the right pane with its pages. Owns the panes, their
/// header buttons and what shows or hides them; the window fills the item list pane.
class PaneLayout : public QObject
{
    Q_OBJECT

public:
    /// `runSwitch` is the window's switch handler, run after a pane command's mark has
    /// been turned (it stores the setting and calls `applySwitch`).
    PaneLayout(QWidget *window, const ProgramFolder &programFolder, CommandRegistry &commands,
               Settings &settings, std::function<void(const QString &)> runSwitch);

    QSplitter *splitter() const { return m_splitter; }
    /// The folder pane ("ウインドウフローティング").
    QSplitter *folderArea() const { return m_folderArea; }
    QWidget *gamePane() const { return m_gamePane; }
    RpgView *rpgView() const { return m_rpgView; }
    QTreeWidget *freeTree() const { return m_freeTree; }
    /// The item list pane (`File3`), empty until the window fills it.
    QWidget *listPane() const { return m_listPane; }
    QTabWidget *rightPane() const { return m_rightPane; }
    QWidget *rightPage(const QString &name) const { return m_rightPages.value(name); }

    /// A small "×" button for a pane header that runs `runPaneButton(tag)`.
    QWidget *paneButton(QWidget *header, int tag, const QString &tip);
    /// The small button with this tag on a pane or page header: 0 "ファイル", 1 the game
    /// pane, 2 to 6 the right pane's pages; 7 and 8 hide the tree view pane.
    void runPaneButton(int tag);

    /// The panes as the settings leave them at start-up.
    void applyStored();
    /// What a pane command's new mark changes in the panes.
    void applySwitch(const QString &name, bool on);
    /// The folder pane shown or hidden, with room when shown.
    void setFolderAreaShown(bool shown);
    /// Shows the game (and the folder pane), giving it room: an open request waits for
    /// the player, who must be able to walk.
    void showGamePane();
    /// The right pane shows the pages whose commands are on, and only while one is.
    void updateRightPane();

private:
    void buildGamePane();
    void buildRightPane();

    CommandRegistry &m_commands;
    Settings &m_settings;
    std::function<void(const QString &)> m_runSwitch;
    QSplitter *m_splitter = nullptr;
    QSplitter *m_folderArea = nullptr;
    QWidget *m_gamePane = nullptr;
    RpgView *m_rpgView = nullptr;
    QTreeWidget *m_freeTree = nullptr;
    QWidget *m_listPane = nullptr;
    QTabWidget *m_rightPane = nullptr;
    QHash<QString, QWidget *> m_rightPages;
};

} // namespace kazari
