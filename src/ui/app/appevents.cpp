#include "ui/app/appevents.h"

namespace kazari
{

namespace
{

struct Types {
    QEvent::Type show = QEvent::None;
    QEvent::Type build = QEvent::None;
    QEvent::Type end = QEvent::None;
};

Types &types()
{
    static Types t;
    return t;
}

} // namespace

void AppEvents::registerAll()
{
    Types &t = types();
    if (t.show != QEvent::None)
        return;
    t.show = QEvent::Type(QEvent::registerEventType());
    t.build = QEvent::Type(QEvent::registerEventType());
    t.end = QEvent::Type(QEvent::registerEventType());
}

QEvent::Type AppEvents::showListViewItem()
{
    registerAll();
    return types().show;
}

QEvent::Type AppEvents::buildListView()
{
    registerAll();
    return types().build;
}

QEvent::Type AppEvents::endThread()
{
    registerAll();
    return types().end;
}

} // namespace kazari
