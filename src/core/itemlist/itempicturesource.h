#pragma once

#include <QImage>
#include <QString>

namespace kazari
{

struct ItemRecord;

/// Where the item list gets the pictures an item's picture is made from. The user
/// interface supplies the desktop's icons and picture thumbnails; tests supply plain
/// pictures. Each call is made only when the item's route needs that picture.
class ItemPictureSource
{
public:
    virtual ~ItemPictureSource() = default;
    /// The item's icon at about `size` pixels, alpha honoured; null when there is none.
    virtual QImage icon(const ItemRecord &item, int size) = 0;
    /// The item's picture content fitted into `size` x `size`; null when the item has
    /// none or it is not ready yet (the icon is shown centred then).
    virtual QImage thumbnail(const ItemRecord &item, int size) = 0;
    /// The 16-pixel icon of a program file, for the stamp overlay of a folder.
    virtual QImage programIcon(const QString &programPath) = 0;
};

} // namespace kazari
