#include "ui/itemlist/itemlistview.h"

#include "ui/itemlist/deferreddisplay.h"
#include "ui/itemlist/itemdelegate.h"
#include "ui/itemlist/itemiconsource.h"
#include "ui/itemlist/itemiconview.h"
#include "ui/itemlist/itemlistmodel.h"
#include "ui/itemlist/thumbnailloader.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QStackedLayout>
#include <QStyledItemDelegate>
#include <QTreeView>

namespace kazari
{

namespace
{

// The plain text columns of the details style, with the grid lines when they are on.
class DetailsColumnDelegate : public QStyledItemDelegate
{
public:
    DetailsColumnDelegate(const ItemListLook &look, QObject *parent)
        : QStyledItemDelegate(parent)
        , m_look(look)
    {
    }
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        if (m_look.gridLines)
            ItemDelegate::drawGridLines(painter, option.rect);
    }

private:
    const ItemListLook &m_look;
};

} // namespace

ItemListView::ItemListView(AnnotationStore &store, QWidget *parent)
    : QWidget(parent)
    , m_list(std::make_unique<ItemList>(store))
    , m_thumbnails(std::make_unique<ThumbnailLoader>())
    , m_icons(std::make_unique<ItemIconSource>(m_thumbnails.get()))
{
    setObjectName(QStringLiteral("ListView1"));
    m_display = new DeferredDisplay(*m_list, *m_icons, this);
    m_model = new ItemListModel(*m_list, this);
    m_delegate = new ItemDelegate(*m_display, this);

    m_iconView = new ItemIconView(*m_list, this);
    m_iconView->setObjectName(QStringLiteral("ItemIconView"));
    m_iconView->setModel(m_model);
    m_iconView->setItemDelegate(m_delegate);
    m_iconView->setUniformItemSizes(true);
    m_iconView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_iconView->setWrapping(true);

    m_details = new QTreeView(this);
    m_details->setObjectName(QStringLiteral("ItemDetailsView"));
    m_details->setModel(m_model);
    QItemSelectionModel *ownSelection = m_details->selectionModel();
    m_details->setSelectionModel(m_iconView->selectionModel());
    delete ownSelection;
    m_details->setItemDelegate(m_delegate);
    m_details->setRootIsDecorated(false);
    m_details->setItemsExpandable(false);
    m_details->setIndentation(0);
    m_details->setUniformRowHeights(true);
    m_details->setAllColumnsShowFocus(true);
    m_details->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_details->header()->setStretchLastSection(true);
    m_details->header()->setSectionsClickable(true);
    // Only the name column is drawn with pictures; the details columns are plain text.
    auto *plainColumns = new DetailsColumnDelegate(m_look, m_details);
    connect(m_model, &QAbstractItemModel::columnsInserted, m_details,
            [this, plainColumns](const QModelIndex &, int first, int last) {
                for (int c = qMax(1, first); c <= last; ++c)
                    m_details->setItemDelegateForColumn(c, plainColumns);
            });
    m_details->viewport()->installEventFilter(this);

    m_stack = new QStackedLayout(this);
    m_stack->setContentsMargins(0, 0, 0, 0);
    m_stack->addWidget(m_iconView);
    m_stack->addWidget(m_details);
    setFocusProxy(m_iconView);

    connect(m_display, &DeferredDisplay::rowShown, this, [this](int row, int showed) {
        m_model->rowChanged(row);
        Q_EMIT showedChanged(showed);
    });
    connect(m_display, &DeferredDisplay::showedChanged, this, &ItemListView::showedChanged);
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, [this]() {
        m_display->reset();
        m_thumbnails->cancelPending();
        m_thumbnails->forgetFailures();
    });
    connect(m_thumbnails.get(), &ThumbnailLoader::ready, this, [this](const QString &path) {
        const int row = m_list->rowOfPath(path);
        if (row >= 0)
            reshowRow(row);
    });
    connect(m_iconView, &QAbstractItemView::activated, this, &ItemListView::onActivated);
    connect(m_details, &QAbstractItemView::activated, this, &ItemListView::onActivated);
    connect(m_iconView, &ItemIconView::positionsDropped, this, &ItemListView::positionsDropped);
    configureViews();
}

ItemListView::~ItemListView()
{
    // Everything that points into the records goes before them: the views, the
    // delegate, the model and the display.
    m_details->viewport()->removeEventFilter(this);
    delete m_iconView;
    delete m_details;
    m_iconView = nullptr;
    m_details = nullptr;
    delete m_delegate;
    delete m_model;
    delete m_display;
}

QAbstractItemView *ItemListView::currentView() const
{
    if (m_look.style == ListStyle::Details)
        return m_details;
    return m_iconView;
}

QListView *ItemListView::iconView() const
{
    return m_iconView;
}

void ItemListView::setLook(const ItemListLook &look)
{
    QAbstractItemView *before = currentView();
    const bool hadFocus = before->hasFocus();
    m_look = look;
    m_delegate->setLook(look);
    ItemPictureRequest request;
    request.largeList = look.largeIcons();
    request.background = look.background;
    request.placeholder = look.placeholder().toImage();
    m_display->setLook(look.flags, request);
    if (m_display->cache().size() > 0)
        m_display->invalidateAll();
    configureViews();
    if (currentView() != before) {
        if (hadFocus)
            currentView()->setFocus();
        Q_EMIT currentViewChanged(currentView());
    }
}

void ItemListView::configureViews()
{
    const bool details = m_look.style == ListStyle::Details;
    const QSize cell = m_delegate->cellSize(font());
    m_iconView->setPositions(false, false);
    if (m_look.style == ListStyle::List) {
        m_iconView->setViewMode(QListView::ListMode);
        m_iconView->setFlow(QListView::TopToBottom);
        m_iconView->setMovement(QListView::Static);
        m_iconView->setResizeMode(QListView::Adjust);
        m_iconView->setLayoutMode(QListView::Batched);
    } else {
        const bool positions = m_look.positions && !details;
        m_iconView->setViewMode(QListView::IconMode);
        m_iconView->setFlow(QListView::LeftToRight);
        m_iconView->setMovement(positions ? QListView::Free : QListView::Static);
        // The items without a saved position flow with the window's width, also when
        // the list was laid out before the window had its size; every layout puts the
        // saved positions back (`ItemIconView::doItemsLayout`).
        m_iconView->setResizeMode(QListView::Adjust);
        m_iconView->setLayoutMode(positions ? QListView::SinglePass : QListView::Batched);
        m_iconView->setPositions(positions, m_look.dragMoves);
    }
    m_iconView->setWrapping(true);
    m_iconView->setGridSize(cell);
    m_iconView->setSpacing(0);
    m_iconView->setWordWrap(m_look.largeIcons());
    m_iconView->setDragEnabled(m_look.dragMoves && m_iconView->movement() != QListView::Static);
    m_iconView->setUniformItemSizes(true);

    m_stack->setCurrentWidget(details ? static_cast<QWidget *>(m_details) : m_iconView);
    setFocusProxy(currentView());
    // Only the view that shows the list lays it out now; the other waits until shown.
    currentView()->doItemsLayout();
}

QList<int> ItemListView::selectedRows() const
{
    // A click in the icon view selects one cell of the row, not all its columns, so the
    // rows are taken from whatever cells are selected.
    QList<int> rows;
    const QModelIndexList selected = m_iconView->selectionModel()->selectedIndexes();
    for (const QModelIndex &i : selected)
        rows.append(i.row());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

QStringList ItemListView::selectedPaths() const
{
    QStringList out;
    for (int row : selectedRows())
        out.append(m_list->at(row).PATH);
    return out;
}

QString ItemListView::currentPath() const
{
    const QModelIndex current = m_iconView->selectionModel()->currentIndex();
    if (!current.isValid() || current.row() >= m_list->count())
        return QString();
    return m_list->at(current.row()).PATH;
}

void ItemListView::selectPaths(const QStringList &paths, const QString &current)
{
    QItemSelectionModel *selection = m_iconView->selectionModel();
    QItemSelection wanted;
    for (const QString &p : paths) {
        const int row = m_list->rowOfPath(p);
        if (row >= 0)
            wanted.select(m_model->index(row, 0), m_model->index(row, 0));
    }
    selection->select(wanted, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    const int currentRow = current.isEmpty() ? -1 : m_list->rowOfPath(current);
    if (currentRow >= 0) {
        const QModelIndex index = m_model->index(currentRow, 0);
        selection->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        currentView()->scrollTo(index);
    }
}

void ItemListView::reshowRow(int row)
{
    m_display->invalidate(row);
    m_model->rowChanged(row);
}

void ItemListView::toggleRow(int row)
{
    if (!m_list->isExpandable(row))
        return;
    const int showed = m_list->showedCount();
    m_list->toggle(row, m_options);
    m_model->rowChanged(row);
    // Collapsing drops shown entries without drawing anything: say so now, or "Showed"
    // stays stale until the next item is drawn.
    if (m_list->showedCount() != showed)
        Q_EMIT showedChanged(m_list->showedCount());
}

void ItemListView::setEditTriggers(int triggers)
{
    const auto t = QAbstractItemView::EditTriggers(triggers);
    m_iconView->setEditTriggers(t);
    m_details->setEditTriggers(t);
}

void ItemListView::setViewsAcceptDrops(bool accept)
{
    m_iconView->setAcceptDrops(accept || m_look.dragMoves);
    m_details->setAcceptDrops(accept);
}

void ItemListView::onActivated(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    if (m_look.treeList && m_look.style == ListStyle::Details &&
        m_list->isExpandable(index.row())) {
        toggleRow(index.row());
        return;
    }
    Q_EMIT activated(index.row());
}

bool ItemListView::eventFilter(QObject *watched, QEvent *event)
{
    if (m_details && watched == m_details->viewport() &&
        event->type() == QEvent::MouseButtonPress && m_look.treeList) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const QPoint at = mouse->position().toPoint();
        const QModelIndex index = m_details->indexAt(at);
        if (index.isValid() && mouse->button() == Qt::LeftButton) {
            const QRect cell = m_details->visualRect(index);
            if (m_delegate->geometry(cell, index).mark.contains(at)) {
                toggleRow(index.row());
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kazari
