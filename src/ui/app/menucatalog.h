#pragma once

#include <QList>
#include <QString>

namespace kazari
{

/// One command or submenu of a menu, as the program's menus are laid out.
///
/// `name` is the command's component name (`N28`, `Detail1`, `InIManagement2`): the key
/// its check mark is stored under and the name other parts of the program use to find
/// the command (`CommandRegistry::action`). Submenus and separators may have no name.
struct MenuNode {
    enum Kind { Command, Submenu, Separator };

    Kind kind = Command;
    QString name;
    QString caption;
    /// A QKeySequence text ("Ctrl+C", "F5", "Shift+F1"); empty for none.
    QString shortcut;
    bool checkable = false;
    /// Commands that exclude each other (the view styles) share a group name.
    QString exclusiveGroup;
    /// Shown but disabled in the menu by design (the rule and script commands).
    bool disabledByDesign = false;
    /// Tool tip and status bar text ("フォルダビューの表示"); empty for none.
    QString hint;
    /// Not shown by design (developer commands, hidden tool buttons). The command still
    /// exists, so its check mark and setting keep working.
    bool hidden = false;
    /// A submenu whose leading commands are built from the settings at start-up (seals,
    /// labels, caption and mask colours, registered applications, history lists). The main
    /// window inserts them before the fixed `children` listed here and names them after
    /// the submenu: "cmdSeal0".."cmdSeal14", "cmdLabel0".."cmdLabel3",
    /// "cmdMaskColour1".."cmdMaskColour7" (the `_oneColor` codes),
    /// "cmdCaptionColour0".."cmdCaptionColour6"; tool buttons refer to these names.
    bool filledAtRunTime = false;
    QList<MenuNode> children;

    static MenuNode command(QString name, QString caption, QString shortcut = QString())
    {
        MenuNode n;
        n.name = std::move(name);
        n.caption = std::move(caption);
        n.shortcut = std::move(shortcut);
        return n;
    }
    static MenuNode toggle(QString name, QString caption, QString shortcut = QString())
    {
        MenuNode n = command(std::move(name), std::move(caption), std::move(shortcut));
        n.checkable = true;
        return n;
    }
    static MenuNode submenu(QString name, QString caption, QList<MenuNode> children)
    {
        MenuNode n;
        n.kind = Submenu;
        n.name = std::move(name);
        n.caption = std::move(caption);
        n.children = std::move(children);
        return n;
    }
    static MenuNode separator()
    {
        MenuNode n;
        n.kind = Separator;
        return n;
    }
};

/// The layout of the main window's menus, pop-up menus and tool bars: captions,
/// component names, shortcuts and check marks. Behaviour is attached elsewhere, by name.
class MenuCatalog
{
public:
    /// The main menu bar: one Submenu node per top-level menu, in order.
    static const QList<MenuNode> &mainMenu();
    /// The item list's pop-up menu.
    static const QList<MenuNode> &itemListPopup();
    /// The item list's pop-up menu while a list file is shown: only what works on the
    /// lines of a list (no file operations, no decorations, no positions).
    static const QList<MenuNode> &listFilePopup();

    /// A tool bar: its component name, its caption and its buttons (commands by name,
    /// reusing the menu command's action when `name` matches one).
    struct ToolBarDesign {
        QString name;
        QString caption;
        QList<MenuNode> buttons;
        /// Shown when `ToolBar.ini` does not say otherwise.
        bool visible = true;
    };
    static const QList<ToolBarDesign> &toolBars();
};

} // namespace kazari
