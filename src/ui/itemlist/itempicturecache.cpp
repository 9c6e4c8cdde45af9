#include "ui/itemlist/itempicturecache.h"

namespace kazari
{

ItemPictureCache::ItemPictureCache(qint64 maxBytes)
    : m_maxBytes(maxBytes)
{
}

qint64 ItemPictureCache::costOf(const ShownItem &item)
{
    constexpr qint64 Overhead = 512;
    const QPixmap &p = item.picture;
    return Overhead + (p.isNull() ? 0 : qint64(p.width()) * p.height() * 4);
}

const ShownItem *ItemPictureCache::find(quint32 id)
{
    auto it = m_entries.find(id);
    if (it == m_entries.end())
        return nullptr;
    m_order.splice(m_order.end(), m_order, it->position);
    return &it->item;
}

QList<quint32> ItemPictureCache::insert(quint32 id, ShownItem item)
{
    remove(id);
    Entry e;
    e.cost = costOf(item);
    e.item = std::move(item);
    e.position = m_order.insert(m_order.end(), id);
    m_bytes += e.cost;
    m_entries.insert(id, std::move(e));

    QList<quint32> evicted;
    while (m_bytes > m_maxBytes && m_order.front() != id) {
        const quint32 oldest = m_order.front();
        evicted.append(oldest);
        remove(oldest);
    }
    return evicted;
}

void ItemPictureCache::remove(quint32 id)
{
    auto it = m_entries.find(id);
    if (it == m_entries.end())
        return;
    m_bytes -= it->cost;
    m_order.erase(it->position);
    m_entries.erase(it);
}

void ItemPictureCache::clear()
{
    m_entries.clear();
    m_order.clear();
    m_bytes = 0;
}

} // namespace kazari
