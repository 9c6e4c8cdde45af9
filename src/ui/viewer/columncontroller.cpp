#include "ui/viewer/columncontroller.h"
#include "core/app/componentnames.h"

#include "core/annotations/annotationkey.h"
#include "core/itemlist/detailscolumns.h"
#include "core/itemlist/viewstyle.h"
#include "ui/app/mainwindow.h"
#include "ui/itemlist/itemlistmodel.h"
#include "ui/itemlist/itemlistview.h"
#include "ui/viewer/labelcolumndelegate.h"

#include <QHeaderView>
#include <QPointer>
#include <QTreeView>

namespace kazari
{

namespace
{

const QString WidthsKey = QStringLiteral("ColumnsWidth0");
const QString SecondWidthsKey = QStringLiteral("ColumnsWidth1");

} // namespace

ColumnController *ColumnController::install(MainWindow &form)
{
    auto *c = form.findChild<ColumnController *>(QString(), Qt::FindDirectChildrenOnly);
    if (!c)
        c = new ColumnController(form);
    return c;
}

ColumnController::ColumnController(MainWindow &form)
    : QObject(&form)
    , m_form(form)
{
    setObjectName(QStringLiteral("ColumnController"));
    connect(&form, &MainWindow::listBuilt, this, &ColumnController::onListBuilt);
    QPointer<ColumnController> self(this);
    form.addCommandHandler([self](const QString &name, QAction *) {
        // Before the view changes to one of these, the widths of the columns shown go
        // into the settings; the main window then switches the view.
        if (self && (name == Component::ViewDetails || name == Component::ViewExtendedComments) &&
            self->m_form.itemListView()->look().style == ListStyle::Details)
            self->storeWidths();
        return false;
    });
    form.onShutdown(MainWindow::ShutdownStep::StoreColumns, [self](bool) {
        if (self)
            self->storeWidths();
    });
}

ColumnSets::Set ColumnController::chooseSet() const
{
    const QString &command = m_form.viewStyleCommand();
    const bool fixedDetails =
        m_form.viewStyleFixed() && m_form.itemListView()->look().style == ListStyle::Details;
    return ColumnSets::choose(
        m_form.listFileMode(), command == Component::ViewDetails || fixedDetails,
        command == Component::ViewTaskDetails, command == Component::ViewExtendedComments);
}

QStringList ColumnController::textsOf(int row) const
{
    Settings &settings = m_form.settings();
    // Without "コメントの表示" the items have no details columns.
    if (settings.contains(Component::ShowComments) && !settings.isOn(Component::ShowComments))
        return {};
    ItemList &list = m_form.itemListView()->list();
    if (row < 0 || row >= list.count() || !m_set)
        return {};
    const ItemRecord &record = list.at(row);
    DetailsColumns::Item item;
    item.record = &record;
    item.annotation = list.annotationOf(row);
    if (*m_set == ColumnSets::ExtendedComment) {
        const bool ownFolder = list.mode() == ItemListMode::Folder && record.depth == 0 &&
                               record.ItemType == FileSystemItem &&
                               !m_form.store().searchResultMode();
        item.extendedComment =
            ownFolder ? m_form.store().current().value(record.Name, QString(CmtExSuffix))
                      : m_form.store().GetByPath(record.PATH, QString(CmtExSuffix));
    }
    item.folderSizes = settings.isOn(Component::ShowFolderSizes);
    return DetailsColumns::texts(*m_set, item);
}

void ColumnController::onListBuilt()
{
    Settings &settings = m_form.settings();
    if (!settings.contains(WidthsKey)) {
        settings.setValue(WidthsKey, ColumnSets::defaultWidths0());
        settings.setValue(SecondWidthsKey, ColumnSets::defaultWidths1());
    }
    const ColumnSets::Set set = chooseSet();
    const bool fixed = m_form.viewStyleFixed();
    ItemListModel *model = m_form.itemListView()->model();
    const bool rebuild = !m_set || *m_set != set || fixed != m_fixed || fixed;
    m_set = set;
    m_fixed = fixed;
    if (!rebuild) {
        model->refreshColumns();
        return;
    }
    QStringList names;
    for (int i = 1; i <= 10; ++i)
        names << settings.value(QStringLiteral("CmtName") + QString::number(i));
    QPointer<ColumnController> self(this);
    model->setColumns(ColumnSets::captions(set, names),
                      [self](int row) { return self ? self->textsOf(row) : QStringList(); });
    const QList<int> widths = ColumnSets::widths(settings.value(WidthsKey));
    QTreeView *details = m_form.itemListView()->detailsView();
    // The task set's label column shows the label picture beside the number; every
    // other set shows column 2 as plain text like the other details columns.
    if (!m_labelColumn) {
        m_labelColumn = new LabelColumnDelegate(
            [self]() {
                return self ? self->m_form.itemListView()->look().labelsSmall : QList<QPixmap>();
            },
            this);
    }
    if (set == ColumnSets::Task)
        details->setItemDelegateForColumn(2, m_labelColumn);
    else if (details->itemDelegateForColumn(2) == m_labelColumn)
        details->setItemDelegateForColumn(2, details->itemDelegateForColumn(1));
    for (int c = 0; c < model->columnCount() && c < widths.size(); ++c)
        details->header()->resizeSection(c, widths.at(c));
}

void ColumnController::storeWidths()
{
    Settings &settings = m_form.settings();
    if (!settings.contains(WidthsKey)) {
        settings.setValue(WidthsKey, ColumnSets::defaultWidths0());
        settings.setValue(SecondWidthsKey, ColumnSets::defaultWidths1());
        return;
    }
    const QTreeView *details = m_form.itemListView()->detailsView();
    const int columns = m_form.itemListView()->model()->columnCount();
    QList<int> current;
    for (int c = 0; c < columns; ++c)
        current.append(details->header()->sectionSize(c));
    settings.setValue(WidthsKey, ColumnSets::storedWidths(settings.value(WidthsKey), current));
}

} // namespace kazari
