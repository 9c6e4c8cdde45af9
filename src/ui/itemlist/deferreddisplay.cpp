#include "ui/itemlist/deferreddisplay.h"

#include "core/itemlist/itemlist.h"
#include "ui/app/appevents.h"

#include <QCoreApplication>
#include <QEvent>

namespace kazari
{

namespace
{

class ShowItemEvent : public QEvent
{
public:
    explicit ShowItemEvent(const DisplayTicket &ticket)
        : QEvent(AppEvents::showListViewItem())
        , m_ticket(ticket)
    {
    }
    const DisplayTicket &ticket() const { return m_ticket; }

private:
    DisplayTicket m_ticket;
};

} // namespace

DeferredDisplay::DeferredDisplay(ItemList &list, ItemPictureSource &source, QObject *parent)
    : QObject(parent)
    , m_list(list)
    , m_source(source)
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(0);
    connect(&m_idle, &QTimer::timeout, this, &DeferredDisplay::postWanted);
}

void DeferredDisplay::setLook(const DecorationFlags &flags, const ItemPictureRequest &request)
{
    m_composer = ItemPictureComposer(flags);
    m_request = request;
}

void DeferredDisplay::setAttached(bool attached)
{
    m_attached = attached;
    if (attached && m_list.hasWanted())
        m_idle.start();
    else if (!attached)
        m_idle.stop();
}

const ShownItem *DeferredDisplay::lookup(int row)
{
    if (row < 0 || row >= m_list.count())
        return nullptr;
    const ItemRecord &record = m_list.at(row);
    if (record.F == DisplayState::Shown) {
        if (const ShownItem *item = m_cache.find(record.id))
            return item;
        m_list.invalidate(row); // the picture went away: build it again
    }
    if (m_list.requestDisplay(row) && m_attached && !m_idle.isActive())
        m_idle.start();
    return nullptr;
}

void DeferredDisplay::postWanted()
{
    m_idle.stop();
    if (!m_attached)
        return;
    const QList<DisplayTicket> tickets = m_list.takeWanted();
    for (const DisplayTicket &t : tickets)
        QCoreApplication::postEvent(this, new ShowItemEvent(t));
}

bool DeferredDisplay::event(QEvent *event)
{
    if (event->type() == AppEvents::showListViewItem()) {
        const int row = m_list.rowForTicket(static_cast<ShowItemEvent *>(event)->ticket());
        if (row >= 0)
            show(row);
        return true;
    }
    return QObject::event(event);
}

void DeferredDisplay::show(int row)
{
    const MaterialisedItem m = m_list.materialise(row, m_composer, m_source, m_request);
    ShownItem item;
    if (!m.picture.keepsPlaceholder && !m.picture.image.isNull())
        item.picture = QPixmap::fromImage(m.picture.image);
    item.overlay = m.picture.overlay;
    item.stateImage = m.picture.stateImage;
    item.values = m.values;
    item.attributes = m.attributes;
    const quint32 id = m_list.at(row).id;
    const QList<quint32> evicted = m_cache.insert(id, std::move(item));
    for (quint32 gone : evicted) {
        const int r = m_list.rowOfId(gone);
        if (r >= 0)
            m_list.invalidate(r);
    }
    Q_EMIT rowShown(row, m_list.showedCount());
}

void DeferredDisplay::invalidate(int row)
{
    if (row < 0 || row >= m_list.count())
        return;
    m_cache.remove(m_list.at(row).id);
    if (m_list.invalidate(row))
        Q_EMIT showedChanged(m_list.showedCount());
}

void DeferredDisplay::invalidateAll()
{
    m_cache.clear();
    for (int row = 0; row < m_list.count(); ++row)
        m_list.invalidate(row);
    Q_EMIT showedChanged(m_list.showedCount());
}

void DeferredDisplay::reset()
{
    m_cache.clear();
    m_idle.stop();
    Q_EMIT showedChanged(m_list.showedCount());
}

} // namespace kazari
