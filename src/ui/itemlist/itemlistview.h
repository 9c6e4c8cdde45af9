#pragma once

#include "core/itemlist/itemlist.h"
#include "ui/itemlist/itemlistlook.h"

#include <QPair>
#include <QPoint>
#include <QWidget>

#include <memory>

class QAbstractItemView;
class QListView;
class QStackedLayout;
class QTreeView;

namespace kazari
{

class AnnotationStore;
class DeferredDisplay;
class ItemDelegate;
class ItemIconSource;
class ItemIconView;
class ItemListModel;
class ThumbnailLoader;

/// The item list of the main window (`ListView1`): the records (`ItemList`), their
/// model, the icon and list styles in a list view, the details styles in a table, one
/// selection shared by both, the delegate that draws the items and the deferred display
/// that builds their pictures while they are shown.
class ItemListView : public QWidget
{
    Q_OBJECT

public:
    explicit ItemListView(AnnotationStore &store, QWidget *parent = nullptr);
    ~ItemListView() override;

    ItemList &list() { return *m_list; }
    const ItemList &list() const { return *m_list; }
    ItemListModel *model() const { return m_model; }
    DeferredDisplay &display() { return *m_display; }
    ThumbnailLoader &thumbnails() { return *m_thumbnails; }
    ItemIconSource &icons() { return *m_icons; }
    ItemDelegate *delegate() const { return m_delegate; }

    /// The view that shows the list in the current style.
    QAbstractItemView *currentView() const;
    QListView *iconView() const;
    QTreeView *detailsView() const { return m_details; }

    /// Applies a look: the style, the decoration switches and the pictures. Pictures
    /// already built are built again when the look changed them.
    void setLook(const ItemListLook &look);
    const ItemListLook &look() const { return m_look; }
    /// What the tree list shows of a folder it expands.
    void setEnumerationOptions(const EnumerationOptions &options) { m_options = options; }

    /// The selected rows in list order.
    QList<int> selectedRows() const;
    /// The full paths of the selected items in list order.
    QStringList selectedPaths() const;
    /// Selects the items with these paths and makes `current` the current item.
    void selectPaths(const QStringList &paths, const QString &current = QString());
    /// The path of the current item.
    QString currentPath() const;

    /// Shows a row again: its annotations and picture are read anew when it is drawn
    /// (after a change of its annotation or file).
    void reshowRow(int row);

    /// Expands or collapses a tree-list folder item.
    void toggleRow(int row);

    /// Both views follow these.
    void setEditTriggers(int triggers);
    void setViewsAcceptDrops(bool accept);

Q_SIGNALS:
    /// An item was opened (double click, Enter) that the tree list did not toggle.
    void activated(int row);
    /// The count of materialised records changed.
    void showedChanged(int showed);
    /// The style moved the list into the other view (shortcuts follow the focus).
    void currentViewChanged(QAbstractItemView *view);
    /// Items dragged to new positions (see `ItemIconView`).
    void positionsDropped(const QList<QPair<int, QPoint>> &moves, const QString &under);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void configureViews();
    void onActivated(const QModelIndex &index);

    std::unique_ptr<ItemList> m_list;
    std::unique_ptr<ThumbnailLoader> m_thumbnails;
    std::unique_ptr<ItemIconSource> m_icons;
    DeferredDisplay *m_display = nullptr;
    ItemListModel *m_model = nullptr;
    ItemDelegate *m_delegate = nullptr;
    ItemIconView *m_iconView = nullptr;
    QTreeView *m_details = nullptr;
    QStackedLayout *m_stack = nullptr;
    ItemListLook m_look;
    EnumerationOptions m_options;
};

} // namespace kazari
