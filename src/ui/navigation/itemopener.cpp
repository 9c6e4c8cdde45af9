#include "ui/navigation/itemopener.h"

#include "core/navigation/recentuselists.h"
#include "ui/app/messagebox.h"
#include "ui/app/tform1.h"
#include "ui/itemlist/itemlistview.h"
#include "ui/rpg/rpgview.h"

#include <QAction>
#include <QPointer>

namespace kazari
{

ItemOpener::ItemOpener(TForm1 &form)
    : QObject(&form)
    , m_form(form)
{
    setObjectName(QStringLiteral("ItemOpener"));
    m_form.addCommandHandler(
        [this](const QString &name, QAction *action) { return onCommand(name, action); });
}

QList<OpenItem> ItemOpener::selectedItems() const
{
    QList<OpenItem> out;
    const ItemList &list = m_form.itemListView()->list();
    for (int row : m_form.itemListView()->selectedRows()) {
        const TAdditem &r = list.at(row);
        out.append({r.PATH, r.ItemType == NamespaceItem, r.isFolder});
    }
    return out;
}

void ItemOpener::openSelection()
{
    // What opens is decided now; the list may change while the player walks.
    const QList<OpenItem> items = selectedItems();
    if (items.isEmpty())
        return;
    const OpenPlan plan = OpenPlan::make(items, m_form.listFileMode(), m_form.programFolder());
    QPointer<ItemOpener> self(this);
    m_form.rpgView()->requestOpen([self, plan]() {
        if (self)
            self->execute(plan);
    });
}

void ItemOpener::execute(const OpenPlan &plan)
{
    // While closing, waiting requests still start their files but no list is built.
    const bool buildLists = !m_form.closing();
    for (const OpenPlan::Step &step : plan.steps) {
        switch (step.kind) {
        case OpenPlan::Step::ShowFolder:
        case OpenPlan::Step::ShowLocation:
            if (buildLists) {
                m_form.leaveFoundList();
                m_form.Build_ListView(step.path);
            }
            break;
        case OpenPlan::Step::ShowListFile:
            if (buildLists)
                m_form.showListFile(step.path);
            break;
        case OpenPlan::Step::OpenWithDefault:
        case OpenPlan::Step::OpenFolderWindow:
            if (!m_form.launcher().openWithDefault(step.path))
                MessageBox::information(&m_form, QStringLiteral("コマンドを開始できませんでした"));
            break;
        }
    }
    if (plan.recorded.isEmpty())
        return;
    QString error;
    if (!RecentUseLists(m_form.programFolder()).record(plan.recorded, &error) && !error.isEmpty())
        MessageBox::warning(&m_form, error);
}

bool ItemOpener::onCommand(const QString &name, QAction *)
{
    if (name == QLatin1String("cmdOpen")) {
        openSelection();
        return true;
    }
    return false;
}

} // namespace kazari
