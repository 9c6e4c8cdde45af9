#include "ui/viewer/filtercommands.h"

#include "core/itemlist/filtermask.h"
#include "ui/app/mainwindow.h"
#include "ui/itemlist/itemlistview.h"
#include "ui/viewer/filterdialog.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QListView>
#include <QPointer>

namespace kazari
{

FilterCommands *FilterCommands::install(MainWindow &form)
{
    auto *c = form.findChild<FilterCommands *>(QString(), Qt::FindDirectChildrenOnly);
    if (!c)
        c = new FilterCommands(form);
    return c;
}

FilterCommands::FilterCommands(MainWindow &form)
    : QObject(&form)
    , m_form(form)
{
    setObjectName(QStringLiteral("FilterCommands"));
    m_dialog = new FilterDialog(&form);
    connect(m_dialog, &FilterDialog::setClicked, this, &FilterCommands::applyDialog);
    connect(m_dialog, &FilterDialog::clearClicked, this, &FilterCommands::clearFilter);
    QPointer<FilterCommands> self(this);
    form.addCommandHandler([self](const QString &name, QAction *action) {
        return self && self->onCommand(name, action);
    });
}

bool FilterCommands::onCommand(const QString &name, QAction *action)
{
    if (name == QLatin1String("cmdFilterSettings")) {
        m_dialog->show();
        m_dialog->raise();
        return true;
    }
    if (name == QLatin1String("cmdFilter")) {
        if (action && action->isChecked()) {
            m_form.setFileMask(FilterMask::fromDialog(m_dialog->nameText(), m_dialog->typeText()));
            m_dialog->show();
            m_dialog->raise();
        } else {
            clearFilter();
        }
        return true;
    }
    if (name == QLatin1String("cmdFilterSameExtension")) {
        const QString item = selectedName();
        if (item.isEmpty())
            return true;
        const FilterMask::Pick pick = FilterMask::sameExtension(item);
        m_dialog->setTypeText(pick.field);
        setMaskAndRebuild(pick.mask);
        return true;
    }
    if (name == QLatin1String("cmdFilterSameName")) {
        const QString item = selectedName();
        if (item.isEmpty())
            return true;
        const FilterMask::Pick pick = FilterMask::sameName(item);
        m_dialog->setNameText(pick.field);
        setMaskAndRebuild(pick.mask);
        return true;
    }
    return false;
}

QString FilterCommands::selectedName() const
{
    ItemListView *view = m_form.itemListView();
    const QList<int> rows = view->selectedRows();
    if (rows.isEmpty())
        return QString();
    int row = rows.first();
    const QModelIndex current = view->iconView()->selectionModel()->currentIndex();
    if (current.isValid() && rows.contains(current.row()))
        row = current.row();
    return view->list().at(row).Name;
}

void FilterCommands::setMaskAndRebuild(const QString &mask)
{
    m_form.setFileMask(mask);
    m_dialog->hide();
    rebuild();
    setButton(true);
}

void FilterCommands::applyDialog()
{
    m_form.setFileMask(FilterMask::fromDialog(m_dialog->nameText(), m_dialog->typeText()));
    m_form.setAnnotationFilter(m_dialog->annotationSuffix());
    m_dialog->hide();
    rebuild();
    setButton(true);
}

void FilterCommands::clearFilter()
{
    m_dialog->hide();
    if (!m_form.searchResultsShown())
        m_form.setFileMask(QString());
    m_form.setAnnotationFilter(QString());
    m_dialog->setOption(0);
    rebuild();
    setButton(false);
}

void FilterCommands::setButton(bool pressed)
{
    if (QAction *button = m_form.commands().action(QStringLiteral("cmdFilter")))
        button->setChecked(pressed);
}

void FilterCommands::rebuild()
{
    m_form.Build_ListView(m_form.currentFolder());
}

} // namespace kazari
