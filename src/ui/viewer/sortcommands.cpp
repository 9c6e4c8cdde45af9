#include "ui/viewer/sortcommands.h"
#include "core/app/componentnames.h"

#include "core/itemlist/itemsorter.h"
#include "core/itemlist/viewstyle.h"
#include "ui/app/mainwindow.h"
#include "ui/itemlist/itemlistmodel.h"
#include "ui/itemlist/itemlistview.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QPointer>
#include <QTreeView>

namespace kazari
{

namespace
{

const QString SortTypeKey = QStringLiteral(".SortType");

} // namespace

SortCommands *SortCommands::install(MainWindow &form)
{
    auto *commands = form.findChild<SortCommands *>(QString(), Qt::FindDirectChildrenOnly);
    if (!commands)
        commands = new SortCommands(form);
    return commands;
}

SortCommands::SortCommands(MainWindow &form)
    : QObject(&form)
    , m_form(form)
{
    setObjectName(QStringLiteral("SortCommands"));
    QPointer<SortCommands> self(this);
    form.addCommandHandler(
        [self](const QString &name, QAction *) { return self && self->onCommand(name); });
    connect(&form, &MainWindow::listBuilt, this, &SortCommands::applyAfterBuild);
    QHeaderView *header = form.itemListView()->detailsView()->header();
    connect(header, &QHeaderView::sectionClicked, this, &SortCommands::onHeaderClicked);
}

bool SortCommands::onCommand(const QString &name)
{
    if (name == SortOrder::noneCommand()) {
        unmarkAll();
        m_effective.reset();
        markDefault(std::nullopt);
        return true;
    }
    const std::optional<SortOrder::Order> order = SortOrder::ofCommand(name);
    if (!order)
        return false;
    chooseOrder(*order);
    return true;
}

void SortCommands::unmarkAll()
{
    for (const SortOrder::Entry &e : SortOrder::entries()) {
        if (QAction *a = m_form.commands().action(e.command))
            a->setChecked(false);
    }
}

void SortCommands::chooseOrder(SortOrder::Order order)
{
    m_ascending = !m_ascending;
    for (const SortOrder::Entry &e : SortOrder::entries()) {
        if (QAction *a = m_form.commands().action(e.command))
            a->setChecked(e.order == order);
    }
    m_effective = order;
    m_form.itemListView()->list().ListItemRefresh();
    sortWithKey(SortOrder::keyOf(order));
}

void SortCommands::onHeaderClicked(int section)
{
    m_ascending = !m_ascending;
    if (m_form.itemListView()->look().treeList)
        return;
    m_form.itemListView()->list().ListItemRefresh();
    sortWithKey(section);
}

bool SortCommands::detailsColumnsShown() const
{
    const ItemListView *view = m_form.itemListView();
    if (view->look().style != ListStyle::Details)
        return false;
    return m_form.viewStyleFixed() || m_form.viewStyleCommand() == Component::ViewDetails;
}

void SortCommands::sortWithKey(int key)
{
    ItemListView *view = m_form.itemListView();
    ItemList &list = view->list();
    if (!ItemSorter::sorts(key) || list.count() < 2)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ItemSorter::Request request;
    request.key = key;
    request.ascending = m_ascending;
    request.detailsView = detailsColumnsShown();
    ItemListModel *model = view->model();
    request.columnText = [model](int row, int column) { return model->columnText(row, column); };
    const std::vector<int> order = ItemSorter::order(list.records(), request);
    if (!order.empty())
        list.reorder(order);
    QApplication::restoreOverrideCursor();
}

void SortCommands::markDefault(std::optional<SortOrder::Order> order)
{
    for (const SortOrder::Entry &e : SortOrder::entries()) {
        QAction *a = m_form.commands().action(e.command);
        if (!a)
            continue;
        QFont f = a->font();
        f.setBold(order && *order == e.order);
        a->setFont(f);
    }
}

void SortCommands::applyAfterBuild()
{
    QList<bool> marked;
    for (const SortOrder::Entry &e : SortOrder::entries()) {
        const QAction *a = m_form.commands().action(e.command);
        marked.append(a && a->isChecked());
    }
    std::optional<SortOrder::Order> order = SortOrder::effective(marked);
    if (order) {
        // Only the order in force stays marked.
        for (const SortOrder::Entry &e : SortOrder::entries()) {
            if (QAction *a = m_form.commands().action(e.command))
                a->setChecked(e.order == *order);
        }
    }
    const std::optional<SortOrder::Order> fixed =
        SortOrder::ofFolderValue(m_form.store().current().value(QString(), SortTypeKey));
    if (fixed) {
        order = fixed;
        m_ascending = false;
    }
    m_effective = order;
    markDefault(order);
    if (!order)
        return;
    m_form.itemListView()->list().ListItemRefresh();
    sortWithKey(SortOrder::keyOf(*order));
}

} // namespace kazari
