#pragma once

#include <QHash>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <list>
#include <memory>

namespace kazari
{

/// Picture thumbnails for the item list, decoded off the main thread.
///
/// A thumbnail comes from the desktop's shared thumbnail cache when it holds a fresh
/// one for the file, otherwise from the picture itself, decoded at the size asked for
/// (`QImageReader::setScaledSize`, so a large photograph is never decoded whole when
/// its format can scale). Until it is ready the item shows its icon; `ready` then
/// names the file so the item can be built again. Results are kept, least recently
/// used dropped first, within a bound in bytes, under the file's path, its size and
/// its modification and change times, so a file written since gets a new thumbnail.
/// A file that gave nothing is not tried again while it stays as it is, until
/// `forgetFailures` (every list build does it: a file still being written when it
/// was first shown gets another chance on the refresh).
class ThumbnailLoader : public QObject
{
    Q_OBJECT

public:
    explicit ThumbnailLoader(QObject *parent = nullptr);
    ~ThumbnailLoader() override;

    static constexpr qint64 DefaultMaxBytes = 32ll * 1024 * 1024;

    /// The thumbnail when it is ready; otherwise null, and the file is queued when it
    /// may have one (a picture format this program reads, or an entry in the shared
    /// cache).
    QImage thumbnail(const QString &path, int size);
    /// Whether a file is being decoded now or waits for it.
    bool isPending(const QString &path, int size) const;
    /// Drops queued work (a new list is being built); results already made are kept.
    void cancelPending();
    /// Forgets every result and failure.
    void forget();
    /// Files that gave nothing are tried again when next asked for.
    void forgetFailures() { m_failed.clear(); }
    /// Waits until no work runs (tests, shutdown).
    void waitForDone();

    /// Whether this program can decode the file as a picture (by its name).
    static bool isPicture(const QString &path);
    /// The entry of the shared thumbnail cache for a file at a size, if it is fresh.
    static QString sharedCacheEntry(const QString &path, int size);
    /// Decodes a thumbnail fitted into `size` x `size` (the work done off the thread).
    static QImage decode(const QString &path, int size);

Q_SIGNALS:
    void ready(const QString &path);

private:
    using Key = QString;
    static Key keyOf(const QString &path, int size);
    void finished(const Key &key, const QString &path, const QImage &image);
    void store(const Key &key, const QImage &image);

    QThreadPool m_pool;
    std::shared_ptr<std::atomic<bool>> m_cancel;
    QSet<Key> m_pending;
    QSet<Key> m_failed;
    struct Entry {
        QImage image;
        std::list<Key>::iterator position;
    };
    QHash<Key, Entry> m_done;
    std::list<Key> m_order;
    qint64 m_bytes = 0;
    qint64 m_maxBytes = DefaultMaxBytes;
};

} // namespace kazari
