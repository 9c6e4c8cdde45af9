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
    return parent.isValid() ? 0 : 1;
}

QVariant ItemListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const TAdditem &r = m_list.at(index.row());
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
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section == 0)
        return QStringLiteral("名前");
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags ItemListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled;
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
    const QModelIndex first = index(row, 0);
    Q_EMIT dataChanged(first, index(row, columnCount() - 1));
}

void ItemListModel::listAboutToReset()
{
    beginResetModel();
}

void ItemListModel::listReset()
{
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

} // namespace kazari
