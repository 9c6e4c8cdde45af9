// Times the making of item pictures: 10,000 pictures of 32 pixels through the single
// colour, colour shift and plain routes, beside the bare cost of drawing one icon onto
// a filled picture.
#include "core/decoration/itempicturecomposer.h"

#include <QElapsedTimer>
#include <QPainter>

#include <cstdio>

using namespace kazari;

namespace
{

QImage makeIcon()
{
    QImage icon(32, 32, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(QColor(230, 190, 80));
    p.drawRoundedRect(QRectF(3, 6, 26, 22), 3, 3);
    return icon;
}

} // namespace

int main()
{
    constexpr int Count = 10000;
    const QImage icon = makeIcon();

    DecorationFlags flags;
    flags.oneColourMask = true;
    flags.shiftMask = true;
    flags.commentMark = false;
    const ItemPictureComposer composer(flags);

    ItemPictureRequest request;
    request.largeList = true;
    request.background = Qt::white;
    request.icon = icon;

    QElapsedTimer timer;
    timer.start();
    qint64 checksum = 0;
    for (int i = 0; i < Count; ++i) {
        ItemDecorationValues item;
        switch (i % 4) {
        case 0:
            item.oneColour = 1 + i % 7;
            break;
        case 1:
            item.oneColour = 0x336699 + i;
            break;
        case 2:
            item.shift = ColourShift{i % 255, -(i % 100), 17};
            break;
        default:
            item.label = i % 4;
            break;
        }
        const ItemPicture picture = composer.compose(request, item);
        checksum += picture.image.pixel(16, 16);
    }
    const qint64 composeNs = timer.nsecsElapsed();

    timer.restart();
    for (int i = 0; i < Count; ++i) {
        QImage working(32, 32, QImage::Format_RGB32);
        working.fill(Qt::white);
        QPainter p(&working);
        p.drawImage(QPoint(0, 0), icon);
        p.end();
        checksum += working.pixel(16, 16);
    }
    const qint64 referenceNs = timer.nsecsElapsed();

    std::printf("compose %d item pictures (32 px): %.1f ms\n", Count, composeNs / 1e6);
    std::printf("reference, draw the icon on a filled picture: %.1f ms\n", referenceNs / 1e6);
    std::printf("ratio: %.1f (checksum %lld)\n", double(composeNs) / double(referenceNs),
                static_cast<long long>(checksum));
    return 0;
}
