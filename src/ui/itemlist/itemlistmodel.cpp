#include "ui/itemlist/itemlistmodel.h"

#include <QMimeData>
#include <QUrl>

namespace kazari
{

ItemListModel::ItemListModel(ItemList &list, QObject *parent)
    : QAbstractTableModel(parent)
    , m_list(list)
{
    m_list.setObserver(this);
}

ItemListModel::~ItemListModel()
{
    m_list.setObserver(nullptr);
}

int ItemListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_list.count();
}

int ItemListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_captions.size());
}

QVariant ItemListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const ItemRecord &r = m_list.at(index.row());
    if (index.column() > 0) {
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
            return columnText(index.row(), index.column());
        if (role == PathRole)
            return r.PATH;
        if (role == RecordIdRole)
            return r.id;
        return QVariant();
    }
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return r.Name;
    case Qt::ToolTipRole:
    case PathRole:
        return r.PATH;
    case RecordIdRole:
        return r.id;
    case DepthRole:
        return r.depth;
    case FolderRole:
        return r.isFolder;
    case ExpandedRole:
        return r.OpenFLG != 0;
    default:
        return QVariant();
    }
}

QVariant ItemListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < m_captions.size())
        return m_captions.at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags ItemListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled;
    if (m_rename && index.column() == 0 && m_list.at(index.row()).ItemType == FileSystemItem)
        f |= Qt::ItemIsEditable;
    return f;
}

bool ItemListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !m_rename || !(flags(index) & Qt::ItemIsEditable))
        return false;
    return m_rename(index.row(), value.toString());
}

QStringList ItemListModel::mimeTypes() const
{
    return {QStringLiteral("text/uri-list")};
}

QMimeData *ItemListModel::mimeData(const QModelIndexList &indexes) const
{
    QList<QUrl> urls;
    QList<int> rows;
    for (const QModelIndex &i : indexes) {
        if (i.isValid() && !rows.contains(i.row()))
            rows.append(i.row());
    }
    std::sort(rows.begin(), rows.end());
    for (int row : std::as_const(rows)) {
        if (m_list.at(row).ItemType == FileSystemItem)
            urls.append(QUrl::fromLocalFile(m_list.at(row).PATH));
    }
    auto *data = new QMimeData;
    data->setUrls(urls);
    return data;
}

Qt::DropActions ItemListModel::supportedDragActions() const
{
    return Qt::MoveAction | Qt::CopyAction | Qt::LinkAction;
}

void ItemListModel::rowChanged(int row)
{
    if (row < 0 || row >= m_list.count())
        return;
    m_cache.remove(m_list.at(row).id);
    const QModelIndex first = index(row, 0);
    Q_EMIT dataChanged(first, index(row, columnCount() - 1));
}

void ItemListModel::listAboutToReset()
{
    beginResetModel();
}

void ItemListModel::listReset()
{
    m_cache.clear();
    endResetModel();
}

void ItemListModel::rowsAboutToInsert(int first, int last)
{
    beginInsertRows(QModelIndex(), first, last);
}

void ItemListModel::rowsInserted()
{
    endInsertRows();
}

void ItemListModel::rowsAboutToRemove(int first, int last)
{
    beginRemoveRows(QModelIndex(), first, last);
}

void ItemListModel::rowsRemoved()
{
    endRemoveRows();
}

void ItemListModel::rowsAboutToReorder()
{
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ItemListModel::rowsReordered(const std::vector<int> &order)
{
    std::vector<int> newRowOf(order.size(), -1);
    for (size_t i = 0; i < order.size(); ++i)
        newRowOf[size_t(order[i])] = int(i);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &i : before) {
        const int row =
            i.row() >= 0 && size_t(i.row()) < newRowOf.size() ? newRowOf[size_t(i.row())] : -1;
        after.append(row < 0 ? QModelIndex() : index(row, i.column()));
    }
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ItemListModel::setColumns(const QStringList &captions, ColumnTexts texts)
{
    const QStringList wanted = captions.isEmpty() ? QStringList{QStringLiteral("名前")} : captions;
    const int before = int(m_captions.size());
    const int after = int(wanted.size());
    m_texts = std::move(texts);
    m_cache.clear();
    if (after > before) {
        beginInsertColumns(QModelIndex(), before, after - 1);
        m_captions = wanted;
        endInsertColumns();
    } else if (after < before) {
        beginRemoveColumns(QModelIndex(), after, before - 1);
        m_captions = wanted;
        endRemoveColumns();
    } else {
        m_captions = wanted;
    }
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, after - 1);
    refreshColumns();
}

void ItemListModel::setColumnCaptions(const QStringList &captions)
{
    if (captions.size() != m_captions.size() || captions == m_captions)
        return;
    m_captions = captions;
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, int(m_captions.size()) - 1);
}

void ItemListModel::refreshColumns()
{
    m_cache.clear();
    if (rowCount() > 0 && columnCount() > 1)
        Q_EMIT dataChanged(index(0, 1), index(rowCount() - 1, columnCount() - 1),
                           {Qt::DisplayRole});
}

const QStringList &ItemListModel::textsOf(int row) const
{
    const quint32 id = m_list.at(row).id;
    if (const QStringList *texts = m_cache.object(id))
        return *texts;
    auto *texts = new QStringList(m_texts ? m_texts(row) : QStringList());
    // The newest entry is never the one evicted, so it outlives the insertion.
    m_cache.insert(id, texts);
    return *texts;
}

QString ItemListModel::columnText(int row, int column) const
{
    if (row < 0 || row >= m_list.count() || column < 1 || column >= m_captions.size())
        return QString();
    return textsOf(row).value(column - 1);
}

} // namespace kazari
