#pragma once

#include "core/itemlist/itemlist.h"

#include <QAbstractTableModel>
#include <QCache>
#include <QStringList>

#include <functional>

namespace kazari
{

/// The item list's records as a table model: one row per record, in list order.
///
/// `data` only reads the record (the caption, the path, the tree-list fields); it never
/// starts work, so asking every row costs nothing. Pictures are drawn by the delegate.
/// The details columns after the name come from a text source, asked once per record
/// when the row is first shown and kept until the row or the list changes, for at most
/// `ColumnTextRows` records: scrolling through a long list drops the texts of the rows
/// used least recently, and they are asked for again when those rows come back.
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
    /// Editing a caption ends in the rename handler (items of the file system only).
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    /// Renames the item at a row to a new caption; true when it was renamed.
    using RenameHandler = std::function<bool(int row, const QString &caption)>;
    void setRenameHandler(RenameHandler handler) { m_rename = std::move(handler); }
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override;

    /// The row's picture or caption state changed: redraw it (its column texts are
    /// asked for again).
    void rowChanged(int row);

    /// The texts of a row's details columns after the name, in column order.
    using ColumnTexts = std::function<QStringList(int row)>;
    /// The details columns: their captions ("名前" first) and their texts.
    void setColumns(const QStringList &captions, ColumnTexts texts);
    const QStringList &columnCaptions() const { return m_captions; }
    /// New captions for the columns shown (as many as there are; others are ignored),
    /// their texts left as they are.
    void setColumnCaptions(const QStringList &captions);
    /// The text of a details column of a row (columns from 1); empty when the row has
    /// no such column.
    QString columnText(int row, int column) const;
    /// Every row's column texts are asked for again.
    void refreshColumns();
    /// How many rows' column texts are kept.
    static constexpr int ColumnTextRows = 2000;

    // ItemListObserver
    void listAboutToReset() override;
    void listReset() override;
    void rowsAboutToInsert(int first, int last) override;
    void rowsInserted() override;
    void rowsAboutToRemove(int first, int last) override;
    void rowsRemoved() override;
    void rowsAboutToReorder() override;
    void rowsReordered(const std::vector<int> &order) override;

private:
    const QStringList &textsOf(int row) const;

    ItemList &m_list;
    RenameHandler m_rename;
    QStringList m_captions{QStringLiteral("名前")};
    ColumnTexts m_texts;
    mutable QCache<quint32, QStringList> m_cache{ColumnTextRows};
};

} // namespace kazari
