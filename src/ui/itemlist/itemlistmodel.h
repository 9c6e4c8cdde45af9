#pragma once

#include "core/itemlist/itemlist.h"

#include <QAbstractTableModel>

namespace kazari
{

/// The item list's records as a table model: one row per record, in list order.
///
/// `data` only reads the record (the caption, the path, the tree-list fields); it never
/// starts work, so asking every row costs nothing. Pictures are drawn by the delegate.
/// Columns beyond the name are a later addition; `columnCount` is their one place.
class ItemListModel : public QAbstractTableModel, public ItemListObserver
{
    Q_OBJECT

public:
    enum Role {
        RecordIdRole = Qt::UserRole + 1, ///< the record's id
        PathRole,                        ///< full path
        DepthRole,                       ///< tree-list indent level
        FolderRole,                      ///< a container
        ExpandedRole,                    ///< tree list: the folder is expanded
    };

    explicit ItemListModel(ItemList &list, QObject *parent = nullptr);
    ~ItemListModel() override;

    ItemList &list() { return m_list; }
    const ItemList &list() const { return m_list; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override;

    /// The row's picture or caption state changed: redraw it.
    void rowChanged(int row);

    // ItemListObserver
    void listAboutToReset() override;
    void listReset() override;
    void rowsAboutToInsert(int first, int last) override;
    void rowsInserted() override;
    void rowsAboutToRemove(int first, int last) override;
    void rowsRemoved() override;

private:
    ItemList &m_list;
};

} // namespace kazari
