#pragma once

#include <QEvent>

namespace kazari
{

/// The application-wide messages, registered once at start-up.
struct AppEvents {
    /// "Show ListView Item Message": materialise one item of the item list.
    static QEvent::Type showListViewItem();
    /// "Build ListView Message": a watched folder changed.
    static QEvent::Type buildListView();
    /// "End Thread Message": a watcher ended (handled nowhere).
    static QEvent::Type endThread();
    /// Registers the three; later calls return the same types.
    static void registerAll();
};

} // namespace kazari
