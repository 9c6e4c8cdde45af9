#include "ui/app/commandregistry.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace kazari
{

CommandRegistry::CommandRegistry(QObject *parent)
    : QObject(parent)
{
}

QAction *CommandRegistry::actionFor(const MenuNode &node)
{
    QString name = node.name;
    if (name.isEmpty())
        name = QStringLiteral("_unnamed%1").arg(++m_unnamed);
    if (QAction *existing = m_actions.value(name))
        return existing;
    auto *a = new QAction(node.caption, this);
    a->setObjectName(name);
    a->setCheckable(node.checkable);
    a->setEnabled(!node.disabledByDesign);
    if (node.hidden)
        a->setVisible(false);
    if (!node.hint.isEmpty()) {
        a->setToolTip(node.hint);
        a->setStatusTip(node.hint);
    }
    if (!node.shortcut.isEmpty()) {
        a->setShortcut(QKeySequence(node.shortcut));
        a->setShortcutContext(Qt::WidgetShortcut);
    }
    if (!node.exclusiveGroup.isEmpty()) {
        QActionGroup *&group = m_groups[node.exclusiveGroup];
        if (!group) {
            group = new QActionGroup(this);
            group->setExclusive(true);
        }
        group->addAction(a);
    }
    connect(a, &QAction::triggered, this, [this, a, name]() { Q_EMIT triggered(name, a); });
    m_actions.insert(name, a);
    if (m_shortcutWidget && !a->shortcut().isEmpty())
        m_shortcutWidget->addAction(a);
    return a;
}

void CommandRegistry::addNodes(QWidget *target, const QList<MenuNode> &nodes)
{
    auto *bar = qobject_cast<QMenuBar *>(target);
    auto *menu = qobject_cast<QMenu *>(target);
    for (const MenuNode &node : nodes) {
        switch (node.kind) {
        case MenuNode::Separator:
            if (menu)
                menu->addSeparator();
            break;
        case MenuNode::Submenu: {
            QMenu *sub = bar ? bar->addMenu(node.caption) : menu->addMenu(node.caption);
            if (!node.name.isEmpty()) {
                sub->setObjectName(node.name);
                sub->menuAction()->setObjectName(node.name);
                if (!m_menus.contains(node.name))
                    m_menus.insert(node.name, sub);
                m_allMenus.insert(node.name, sub);
            }
            sub->setEnabled(!node.disabledByDesign);
            if (node.hidden)
                sub->menuAction()->setVisible(false);
            addNodes(sub, node.children);
            break;
        }
        case MenuNode::Command: {
            QAction *a = actionFor(node);
            if (bar)
                bar->addAction(a);
            else
                menu->addAction(a);
            break;
        }
        }
    }
}

void CommandRegistry::buildMainMenu(QMenuBar *bar, const QList<MenuNode> &nodes)
{
    addNodes(bar, nodes);
}

void CommandRegistry::buildMenu(QMenu *menu, const QList<MenuNode> &nodes)
{
    addNodes(menu, nodes);
}

QList<QMenu *> CommandRegistry::menus(const QString &name) const
{
    return m_allMenus.values(name);
}

QStringList CommandRegistry::checkableNames() const
{
    QStringList names;
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        if (it.value()->isCheckable() && !it.key().startsWith(QLatin1Char('_')))
            names.append(it.key());
    }
    names.sort();
    return names;
}

void CommandRegistry::bindShortcutsTo(QWidget *widget)
{
    if (m_shortcutWidget) {
        for (QAction *a : std::as_const(m_actions))
            m_shortcutWidget->removeAction(a);
    }
    m_shortcutWidget = widget;
    if (!widget)
        return;
    for (QAction *a : std::as_const(m_actions)) {
        if (!a->shortcut().isEmpty())
            widget->addAction(a);
    }
}

} // namespace kazari
