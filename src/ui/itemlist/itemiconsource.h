#pragma once

#include "core/itemlist/itempicturesource.h"

#include <QFileIconProvider>
#include <QHash>
#include <QImage>
#include <QMimeDatabase>

namespace kazari
{

class ThumbnailLoader;

/// The desktop's pictures for the item list: icons by MIME type from the icon theme
/// (the style's file, folder and drive icons where the theme has none), made once per
/// type and size; thumbnails through a `ThumbnailLoader`.
class ItemIconSource : public ItemPictureSource
{
public:
    explicit ItemIconSource(ThumbnailLoader *thumbnails = nullptr);

    QImage icon(const ItemRecord &item, int size) override;
    QImage thumbnail(const ItemRecord &item, int size) override;
    QImage programIcon(const QString &programPath) override;

    /// The icon of a path (a folder's own icon for the panel header).
    QImage iconOfPath(const QString &path, int size);
    /// How many different icons have been made (one per type and size).
    int cachedIcons() const { return int(m_icons.size()); }

private:
    QImage iconOfType(const QMimeType &type, QAbstractFileIconProvider::IconType fallback,
                      int size);
    QImage render(const QIcon &icon, int size) const;

    ThumbnailLoader *m_thumbnails = nullptr;
    QMimeDatabase m_types;
    QFileIconProvider m_provider;
    QHash<QString, QImage> m_icons;
};

} // namespace kazari
