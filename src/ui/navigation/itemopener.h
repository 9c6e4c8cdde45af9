#pragma once

#include "core/navigation/openplan.h"

#include <QObject>
#include <QPoint>

class QAction;
class QMenu;

namespace kazari
{

class BrowserPage;
class ItemShellMenu;
class ProgramChooser;
class MainWindow;

/// Opening items of the item list: the open action through the maze's gate, opening
/// with a registered application or a chosen one, the browser page, and the item
/// pop-up that stands for the desktop's own menu (open, open with, cut, copy, paste,
/// trash, copy path, properties).
class ItemOpener : public QObject
{
    Q_OBJECT

public:
    explicit ItemOpener(MainWindow &form);

    /// The open action: the selection is copied now and opened once the player of the
    /// folder pane's game has reached the goal of a new floor.
    void openSelection();
    /// The selection as it is now.
    QList<OpenItem> selectedItems() const;
    /// Carries out a plan now (what the gate releases) and records the opened paths.
    void execute(const OpenPlan &plan);

    /// "登録アプリケーションから開く": the menu of `myappli.ini`, filled afresh each time.
    /// Choosing an entry starts its program with the selected item's full path as its
    /// one argument, in the item's folder.
    QMenu *registeredApplicationsMenu();
    /// "アプリケーションから開く": the program chooser for a path (the first selected
    /// item when empty). Shown without waiting; what is chosen starts with the path, in
    /// the path's folder.
    ProgramChooser *chooseApplication(const QString &path = QString());
    /// "ブラウザで開く": shows the browser page with the selected item, or the current
    /// folder when nothing is selected ("about:blank" when that is no file or folder).
    void openInBrowser();

    BrowserPage *browserPage() const { return m_browser; }
    ItemShellMenu *shellMenu() const { return m_shellMenu; }

private:
    bool onCommand(const QString &name, QAction *action);
    void startChosen(ProgramChooser *chooser);
    /// Expands or collapses the folder's entry when the list is a tree list and one
    /// folder is opened; false when the folder is to be shown instead.
    bool toggleTreeRow(const QString &folder, bool single);
    bool openWeb(const QString &url);

    MainWindow &m_form;
    QMenu *m_registered = nullptr;
    BrowserPage *m_browser = nullptr;
    ItemShellMenu *m_shellMenu = nullptr;
    bool m_browserRestored = false;
};

} // namespace kazari
