#include "ui/navigation/favouritesmodel.h"

#include "core/app/colorvalue.h"
#include "core/navigation/favourites.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QMimeData>
#include <QPainter>

namespace kazari
{

FavouritesModel::FavouritesModel(const Favourites &favourites,
                                 std::function<QPixmap(const QString &)> icon, QObject *parent)
    : QAbstractTableModel(parent)
    , m_favourites(favourites)
    , m_icon(std::move(icon))
    , m_category(QPixmap::fromImage(categoryPicture()))
{
}

void FavouritesModel::reload()
{
    beginResetModel();
    m_icons.clear();
    endResetModel();
}

int FavouritesModel::rowOfLine(int line) const
{
    const QList<Favourites::Entry> &entries = m_favourites.entries();
    for (int row = 0; row < entries.size(); ++row) {
        if (entries.at(row).line == line)
            return row;
    }
    return -1;
}

int FavouritesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_favourites.entries().size());
}

int FavouritesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant FavouritesModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const Favourites::Entry &e = m_favourites.entries().at(index.row());
    const bool category = e.kind == Favourites::Entry::Category;
    switch (role) {
    case Qt::DisplayRole:
        return index.column() == 0 ? e.caption() : e.path;
    case Qt::DecorationRole:
        if (index.column() != 0)
            return QVariant();
        return category ? m_category : iconOf(e.path);
    case Qt::ForegroundRole:
        return QColor(category ? Qt::black
                               : ColorValue::toColor(Favourites::textColour(e.caption())));
    case Qt::BackgroundRole:
        if (category)
            return ColorValue::toColor(Favourites::categoryBackground());
        return QVariant();
    case Qt::FontRole:
        if (category) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return QVariant();
    case Qt::ToolTipRole:
        return Favourites::colourLegend();
    case LineRole:
        return e.line;
    case CategoryRole:
        return category;
    default:
        return QVariant();
    }
}

QVariant FavouritesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return section == 0 ? QStringLiteral("名前") : QStringLiteral("パス");
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags FavouritesModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
}

QStringList FavouritesModel::mimeTypes() const
{
    return {mimeType(), QStringLiteral("text/uri-list")};
}

QMimeData *FavouritesModel::mimeData(const QModelIndexList &indexes) const
{
    for (const QModelIndex &i : indexes) {
        if (!i.isValid() || i.row() >= rowCount())
            continue;
        auto *data = new QMimeData;
        data->setData(mimeType(), QByteArray::number(m_favourites.entries().at(i.row()).line));
        return data;
    }
    return nullptr;
}

Qt::DropActions FavouritesModel::supportedDragActions() const
{
    return Qt::MoveAction;
}

Qt::DropActions FavouritesModel::supportedDropActions() const
{
    return Qt::MoveAction | Qt::CopyAction | Qt::LinkAction;
}

QPixmap FavouritesModel::iconOf(const QString &path) const
{
    auto it = m_icons.constFind(path);
    if (it != m_icons.constEnd())
        return *it;
    const QPixmap p = m_icon ? m_icon(path) : QPixmap();
    m_icons.insert(path, p);
    return p;
}

QImage FavouritesModel::categoryPicture()
{
    // A closed box with a tab: the heading of a group of places.
    static const QImage picture = []() {
        QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QColor(64, 64, 96));
        p.setBrush(QColor(96, 128, 200));
        p.drawRect(1, 5, 13, 9);
        p.setBrush(QColor(150, 180, 235));
        p.drawRect(1, 2, 6, 3);
        p.setPen(QColor(230, 236, 250));
        p.drawLine(3, 8, 12, 8);
        p.drawLine(3, 11, 10, 11);
        p.end();
        return image;
    }();
    return picture;
}

} // namespace kazari
