#pragma once

#include "core/decoration/captioncolours.h"
#include "core/decoration/itemdecorationvalues.h"

#include <QHash>
#include <QList>
#include <QPixmap>

#include <list>
#include <optional>

namespace kazari
{

/// What the delegate draws for a materialised item.
struct ShownItem {
    /// The finished picture; null when the item keeps the shared placeholder.
    QPixmap picture;
    std::optional<int> overlay;    ///< label overlay image
    std::optional<int> stateImage; ///< seal state image
    ItemDecorationValues values;   ///< for the caption colours
    CaptionAttributes attributes;
};

/// The pictures of materialised items by record id, bounded in bytes: inserting past
/// the bound evicts the least recently used entries and reports their ids, so their
/// records can go back to "new" and be built again when they are shown again.
class ItemPictureCache
{
public:
    explicit ItemPictureCache(qint64 maxBytes = DefaultMaxBytes);

    static constexpr qint64 DefaultMaxBytes = 48ll * 1024 * 1024;

    /// The entry of an id, made the most recently used; null when absent.
    const ShownItem *find(quint32 id);
    bool contains(quint32 id) const { return m_entries.contains(id); }
    /// Inserts or replaces an entry; returns the ids evicted to make room (never `id`).
    QList<quint32> insert(quint32 id, ShownItem item);
    void remove(quint32 id);
    void clear();

    qint64 bytes() const { return m_bytes; }
    qint64 maxBytes() const { return m_maxBytes; }
    void setMaxBytes(qint64 maxBytes) { m_maxBytes = maxBytes; }
    int size() const { return int(m_entries.size()); }

    /// What an entry is counted as: its picture's bytes plus a fixed overhead.
    static qint64 costOf(const ShownItem &item);

private:
    struct Entry {
        ShownItem item;
        std::list<quint32>::iterator position;
        qint64 cost = 0;
    };

    qint64 m_maxBytes;
    qint64 m_bytes = 0;
    std::list<quint32> m_order; // least recently used first
    QHash<quint32, Entry> m_entries;
};

} // namespace kazari
