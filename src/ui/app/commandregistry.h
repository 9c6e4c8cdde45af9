#pragma once

#include "ui/app/menucatalog.h"

#include <QHash>
#include <QObject>
#include <QPointer>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;
class QWidget;

namespace kazari
{

/// The main window's commands by component name.
///
/// Builds the menus from the catalogue, one QAction per command name, so a command that
/// appears in the main menu, a pop-up menu and on a tool bar is one action with one
/// check mark. Other parts of the program find commands and submenus by name and
/// attach their behaviour to them.
class CommandRegistry : public QObject
{
    Q_OBJECT

public:
    explicit CommandRegistry(QObject *parent = nullptr);

    /// Fills a menu bar with the catalogue's main menu.
    void buildMainMenu(QMenuBar *bar, const QList<MenuNode> &nodes);
    /// Fills a pop-up menu; commands already known reuse their action.
    void buildMenu(QMenu *menu, const QList<MenuNode> &nodes);

    /// The action of a command (nullptr when unknown).
    QAction *action(const QString &name) const { return m_actions.value(name); }
    /// A submenu by name (nullptr when unknown).
    QMenu *menu(const QString &name) const { return m_menus.value(name); }
    /// Every menu built under this name (the main menu's and the pop-up menu's copies).
    QList<QMenu *> menus(const QString &name) const;
    /// The action for `node`, created on first use.
    QAction *actionFor(const MenuNode &node);
    QList<QAction *> actions() const { return m_actions.values(); }
    QStringList checkableNames() const;

    /// Menu shortcuts work only while `widget` itself has the keyboard focus: not while
    /// a caption is being edited in it, not while another control has the focus.
    void bindShortcutsTo(QWidget *widget);

Q_SIGNALS:
    /// A command was chosen (after a checkable command has toggled its mark).
    void triggered(const QString &name, QAction *action);

private:
    void addNodes(QWidget *menuOrBar, const QList<MenuNode> &nodes);

    QHash<QString, QAction *> m_actions;
    QHash<QString, QMenu *> m_menus;
    QMultiHash<QString, QMenu *> m_allMenus;
    QHash<QString, QActionGroup *> m_groups;
    QPointer<QWidget> m_shortcutWidget;
    int m_unnamed = 0;
};

} // namespace kazari
