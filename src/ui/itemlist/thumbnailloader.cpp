#include "ui/itemlist/thumbnailloader.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMimeDatabase>
#include <QStandardPaths>
#include <QUrl>

#include <sys/stat.h>

namespace kazari
{

namespace
{

qint64 bytesOf(const QImage &image)
{
    return 256 + image.sizeInBytes();
}

} // namespace

ThumbnailLoader::ThumbnailLoader(QObject *parent)
    : QObject(parent)
    , m_cancel(std::make_shared<std::atomic<bool>>(false))
{
    m_pool.setMaxThreadCount(1);
}

ThumbnailLoader::~ThumbnailLoader()
{
    m_cancel->store(true);
    m_pool.clear();
    m_pool.waitForDone();
}

ThumbnailLoader::Key ThumbnailLoader::keyOf(const QString &path, int size)
{
    struct stat st {
    };
    QString stamp = QStringLiteral("-");
    if (::stat(QFile::encodeName(path).constData(), &st) == 0)
        stamp = QString::asprintf("%lld.%ld.%lld.%ld.%lld", qint64(st.st_mtim.tv_sec),
                                  long(st.st_mtim.tv_nsec), qint64(st.st_ctim.tv_sec),
                                  long(st.st_ctim.tv_nsec), qint64(st.st_size));
    return QString::number(size) + QLatin1Char(':') + stamp + QLatin1Char(':') + path;
}

bool ThumbnailLoader::isPicture(const QString &path)
{
    static const QSet<QString> types = [] {
        QSet<QString> out;
        for (const QByteArray &t : QImageReader::supportedMimeTypes())
            out.insert(QString::fromLatin1(t));
        return out;
    }();
    static const QMimeDatabase db;
    return types.contains(db.mimeTypeForFile(path, QMimeDatabase::MatchExtension).name());
}

QString ThumbnailLoader::sharedCacheEntry(const QString &path, int size)
{
    const QByteArray uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toEncoded();
    const QString name =
        QString::fromLatin1(QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex()) +
        QStringLiteral(".png");
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                         QStringLiteral("/thumbnails/");
    const char *const folders[] = {"normal", "large", "x-large", "xx-large"};
    const int sides[] = {128, 256, 512, 1024};
    const qint64 mtime = QFileInfo(path).lastModified().toSecsSinceEpoch();
    for (int i = 0; i < 4; ++i) {
        if (sides[i] < size && i < 3)
            continue;
        const QString entry = base + QLatin1String(folders[i]) + QLatin1Char('/') + name;
        if (!QFileInfo(entry).isFile())
            continue;
        // A thumbnail of an older version of the file is stale.
        QImageReader reader(entry);
        const QString stamp = reader.text(QStringLiteral("Thumb::MTime"));
        if (!stamp.isEmpty() && stamp.toLongLong() != mtime)
            continue;
        return entry;
    }
    return QString();
}

QImage ThumbnailLoader::decode(const QString &path, int size)
{
    const QString shared = sharedCacheEntry(path, size);
    QImageReader reader(shared.isEmpty() ? path : shared);
    reader.setAutoTransform(true);
    if (!reader.canRead())
        return QImage();
    const QSize full = reader.size();
    if (full.isValid() && (full.width() > size || full.height() > size))
        reader.setScaledSize(full.scaled(size, size, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    QImage image = reader.read();
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        return QImage();
    if (image.width() > size || image.height() > size)
        image = image.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image;
}

QImage ThumbnailLoader::thumbnail(const QString &path, int size)
{
    const Key key = keyOf(path, size);
    auto it = m_done.find(key);
    if (it != m_done.end()) {
        m_order.splice(m_order.end(), m_order, it->position);
        return it->image;
    }
    if (m_pending.contains(key) || m_failed.contains(key))
        return QImage();
    if (!isPicture(path) && sharedCacheEntry(path, size).isEmpty()) {
        m_failed.insert(key);
        return QImage();
    }
    m_pending.insert(key);
    const std::shared_ptr<std::atomic<bool>> cancel = m_cancel;
    m_pool.start([this, cancel, key, path, size]() {
        if (cancel->load())
            return;
        const QImage image = decode(path, size);
        if (cancel->load())
            return;
        QMetaObject::invokeMethod(
            this, [this, key, path, image]() { finished(key, path, image); }, Qt::QueuedConnection);
    });
    return QImage();
}

bool ThumbnailLoader::isPending(const QString &path, int size) const
{
    return m_pending.contains(keyOf(path, size));
}

void ThumbnailLoader::finished(const Key &key, const QString &path, const QImage &image)
{
    if (!m_pending.remove(key))
        return; // dropped by cancelPending
    if (image.isNull()) {
        m_failed.insert(key);
        return;
    }
    store(key, image);
    Q_EMIT ready(path);
}

void ThumbnailLoader::store(const Key &key, const QImage &image)
{
    Entry e;
    e.image = image;
    e.position = m_order.insert(m_order.end(), key);
    m_bytes += bytesOf(image);
    m_done.insert(key, e);
    while (m_bytes > m_maxBytes && m_order.size() > 1) {
        const Key oldest = m_order.front();
        m_order.pop_front();
        m_bytes -= bytesOf(m_done.value(oldest).image);
        m_done.remove(oldest);
    }
}

void ThumbnailLoader::cancelPending()
{
    m_cancel->store(true);
    m_pool.clear();
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    m_pending.clear();
}

void ThumbnailLoader::forget()
{
    cancelPending();
    m_done.clear();
    m_order.clear();
    m_bytes = 0;
    m_failed.clear();
}

void ThumbnailLoader::waitForDone()
{
    m_pool.waitForDone();
}

} // namespace kazari
