#include "ui/itemlist/itemiconsource.h"

#include "core/itemlist/itemrecord.h"
#include "ui/itemlist/thumbnailloader.h"

#include <QFileInfo>
#include <QIcon>
#include <QPainter>

namespace kazari
{

ItemIconSource::ItemIconSource(ThumbnailLoader *thumbnails)
    : m_thumbnails(thumbnails)
{
}

QImage ItemIconSource::render(const QIcon &icon, int size) const
{
    if (icon.isNull())
        return QImage();
    QImage image = icon.pixmap(QSize(size, size)).toImage();
    if (image.isNull())
        return image;
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (image.width() == size && image.height() == size)
        return image;
    // Icons of fixed sizes: scaled to fit and centred in a square of the size.
    const QImage scaled = image.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage square(size, size, QImage::Format_ARGB32_Premultiplied);
    square.fill(Qt::transparent);
    QPainter p(&square);
    p.drawImage((size - scaled.width()) / 2, (size - scaled.height()) / 2, scaled);
    return square;
}

QImage ItemIconSource::iconOfType(const QMimeType &type,
                                  QAbstractFileIconProvider::IconType fallback, int size)
{
    const QString key = type.name() + QLatin1Char('@') + QString::number(size) + QLatin1Char('#') +
                        QString::number(int(fallback));
    auto it = m_icons.constFind(key);
    if (it != m_icons.constEnd())
        return *it;
    QIcon icon = QIcon::fromTheme(type.iconName());
    if (icon.isNull())
        icon = QIcon::fromTheme(type.genericIconName());
    if (icon.isNull())
        icon = m_provider.icon(fallback);
    const QImage image = render(icon, size);
    m_icons.insert(key, image);
    return image;
}

QImage ItemIconSource::iconOfPath(const QString &path, int size)
{
    const QFileInfo info(path);
    const bool folder = info.isDir();
    const QMimeType type = m_types.mimeTypeForFile(info);
    return iconOfType(
        type, folder ? QAbstractFileIconProvider::Folder : QAbstractFileIconProvider::File, size);
}

QImage ItemIconSource::icon(const ItemRecord &item, int size)
{
    if (item.ItemType == NamespaceItem && item.volume) {
        // Known from the listing: a volume is never asked anything here, as it may hang.
        const QImage drive =
            iconOfType(m_types.mimeTypeForName(QStringLiteral("inode/mount-point")),
                       QAbstractFileIconProvider::Drive, size);
        if (item.volumeReady || drive.isNull())
            return drive;
        // Not ready: faded.
        QImage faded(drive.size(), QImage::Format_ARGB32_Premultiplied);
        faded.fill(Qt::transparent);
        QPainter p(&faded);
        p.setOpacity(0.4);
        p.drawImage(0, 0, drive);
        return faded;
    }
    return iconOfPath(item.PATH, size);
}

QImage ItemIconSource::thumbnail(const ItemRecord &item, int size)
{
    if (!m_thumbnails || item.isFolder)
        return QImage();
    return m_thumbnails->thumbnail(item.PATH, size);
}

QImage ItemIconSource::programIcon(const QString &programPath)
{
    return iconOfPath(programPath, 16);
}

} // namespace kazari
