// The message windows and the direction arrows. The game blends both at about half
// opacity over the floor, so they are drawn dark with bright edges.

#include "art.h"

#include <QPainter>
#include <QPainterPath>

namespace rpggen
{

QImage drawWindow(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF outer(1.5, 1.5, width - 3, height - 3);
    QLinearGradient g(0, 0, 0, height);
    g.setColorAt(0, QColor(36, 48, 104));
    g.setColorAt(1, QColor(10, 14, 44));
    p.setPen(QPen(QColor(226, 232, 250), 3));
    p.setBrush(g);
    p.drawRoundedRect(outer, 8, 8);
    p.setPen(QPen(QColor(120, 136, 190), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(outer.adjusted(4, 4, -4, -4), 5, 5);
    // A soft sheen along the top.
    QLinearGradient sheen(0, 6, 0, std::min(40, height / 3));
    sheen.setColorAt(0, QColor(255, 255, 255, 40));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sheen);
    p.drawRoundedRect(outer.adjusted(5, 5, -5, -height * 0.5), 4, 4);
    // Corner studs.
    p.setBrush(QColor(240, 200, 90));
    for (const QPointF c : {QPointF(8, 8), QPointF(width - 8, 8), QPointF(8, height - 8),
                            QPointF(width - 8, height - 8)})
        p.drawEllipse(c, 2.2, 2.2);
    return image;
}

QImage drawArrow(int direction)
{
    QImage image(96, 96, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(48, 48);
    // Drawn pointing up, then turned: 0 up, 1 right, 2 down, 3 left.
    p.rotate(direction * 90);
    // A square button: the whole picture is blended over the floor, so it fills it.
    QRadialGradient plate(0, 0, 64);
    plate.setColorAt(0, QColor(60, 72, 122));
    plate.setColorAt(1, QColor(16, 20, 46));
    p.setPen(QPen(QColor(150, 164, 214), 2.5));
    p.setBrush(plate);
    p.drawRoundedRect(QRectF(-46.5, -46.5, 93, 93), 10, 10);
    p.setPen(QPen(QColor(90, 104, 160), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(-41.5, -41.5, 83, 83), 7, 7);
    QPainterPath arrow;
    arrow.moveTo(0, -30);
    arrow.lineTo(24, -4);
    arrow.lineTo(10, -4);
    arrow.lineTo(10, 26);
    arrow.lineTo(-10, 26);
    arrow.lineTo(-10, -4);
    arrow.lineTo(-24, -4);
    arrow.closeSubpath();
    QLinearGradient g(0, -30, 0, 26);
    g.setColorAt(0, QColor(255, 236, 150));
    g.setColorAt(1, QColor(220, 150, 40));
    p.setPen(QPen(QColor(90, 50, 10), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(g);
    p.drawPath(arrow);
    return image;
}

} // namespace rpggen
