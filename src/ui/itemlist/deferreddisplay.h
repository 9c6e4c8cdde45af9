#pragma once

#include "core/decoration/itempicturecomposer.h"
#include "core/itemlist/itemrecord.h"
#include "ui/itemlist/itempicturecache.h"

#include <QObject>
#include <QTimer>

namespace kazari
{

class ItemList;
class ItemPictureSource;

/// The deferred display of the item list.
///
/// Painting an item asks for it (`lookup`); at the next idle moment (a zero-time timer,
/// run once the window's pending events are done) every queued item gets one posted
/// "Show ListView Item Message" carrying (list generation, record id); when the message
/// arrives the item is materialised and its picture kept in a bounded cache. A message
/// whose item is gone or belongs to an earlier build is dropped. Pictures evicted from
/// the cache send their records back to "new", so they are built again when shown.
class DeferredDisplay : public QObject
{
    Q_OBJECT

public:
    DeferredDisplay(ItemList &list, ItemPictureSource &source, QObject *parent = nullptr);

    /// The decoration switches and the picture request for this build (list size,
    /// background, placeholder).
    void setLook(const DecorationFlags &flags, const ItemPictureRequest &request);
    const DecorationFlags &flags() const { return m_composer.flags(); }

    /// Detached, nothing is built (the list is being rebuilt); attaching again resumes.
    void setAttached(bool attached);
    bool isAttached() const { return m_attached; }

    /// What to draw for a row now; null while it is on its way (the row is then asked
    /// for, once).
    const ShownItem *lookup(int row);
    /// Builds a row's picture again the next time it is drawn.
    void invalidate(int row);
    /// Builds every picture again (the decoration changed for all items).
    void invalidateAll();
    /// A new list: every picture and queued request is dropped.
    void reset();

    ItemPictureCache &cache() { return m_cache; }
    /// Whether queued work is waiting for the next idle moment.
    bool isIdlePending() const { return m_idle.isActive(); }
    /// The idle step now: one posted message per queued item.
    void postWanted();

Q_SIGNALS:
    /// A row was materialised; `showed` is the count of materialised records.
    void rowShown(int row, int showed);
    /// The count changed without a row being shown (invalidated, evicted, reset).
    void showedChanged(int showed);

protected:
    bool event(QEvent *event) override;

private:
    void show(int row);

    ItemList &m_list;
    ItemPictureSource &m_source;
    ItemPictureComposer m_composer{DecorationFlags()};
    ItemPictureRequest m_request;
    ItemPictureCache m_cache;
    QTimer m_idle;
    bool m_attached = true;
};

} // namespace kazari
