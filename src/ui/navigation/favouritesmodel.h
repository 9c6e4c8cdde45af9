#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QImage>
#include <QPixmap>

#include <functional>

namespace kazari
{

class Favourites;

/// The entries of the favourites (`ListView2`) in two columns: the caption and the path
/// (a category's time stamp). Categories are bold on silver with the category picture;
/// places are coloured by the first character of their caption and show their small
/// icon. Every entry's tip is the legend of the colour characters.
///
/// Entries can be dragged (to reorder them, `mimeType()` carries the line) and the list
/// takes drops of files; the pane does what a drop means.
class FavouritesModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    /// The role that holds an entry's line in `pathlist.ini`.
    static constexpr int LineRole = Qt::UserRole + 1;
    /// The role that is true for categories.
    static constexpr int CategoryRole = Qt::UserRole + 2;

    /// `icon` gives the 16-pixel picture of a place's path.
    FavouritesModel(const Favourites &favourites, std::function<QPixmap(const QString &)> icon,
                    QObject *parent = nullptr);

    /// The entries changed (after a load or a command).
    void reload();
    /// The row of the entry at a line, or -1.
    int rowOfLine(int line) const;

    /// The MIME type of a dragged entry: its line as decimal text.
    static QString mimeType() { return QStringLiteral("application/x-kazari-favourite-line"); }
    /// The category picture, drawn here.
    static QImage categoryPicture();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;

private:
    QPixmap iconOf(const QString &path) const;

    const Favourites &m_favourites;
    std::function<QPixmap(const QString &)> m_icon;
    QPixmap m_category;
    mutable QHash<QString, QPixmap> m_icons;
};

} // namespace kazari
