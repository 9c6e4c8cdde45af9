#include "core/decoration/builtinpictures.h"

#include <QPainter>
#include <QPainterPath>

namespace kazari
{

namespace
{

QImage canvas(int width, int height, const QColor &fill)
{
    QImage img(width, height, QImage::Format_RGB32);
    img.fill(fill);
    return img;
}

// A page with a folded corner, the shape every file placeholder shares.
void drawPage(QPainter &p, const QRectF &r, const QColor &paper, const QColor &edge)
{
    const qreal fold = r.width() * 0.3;
    QPainterPath page;
    page.moveTo(r.left(), r.top());
    page.lineTo(r.right() - fold, r.top());
    page.lineTo(r.right(), r.top() + fold);
    page.lineTo(r.right(), r.bottom());
    page.lineTo(r.left(), r.bottom());
    page.closeSubpath();
    p.setPen(QPen(edge, qMax(1.0, r.width() / 16)));
    p.setBrush(paper);
    p.drawPath(page);
    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    p.setBrush(edge.lighter(170));
    p.drawPath(corner);
}

QRectF pageRect(int size)
{
    const qreal m = size / 8.0;
    return QRectF(m * 1.3, m * 0.6, size - m * 2.6, size - m * 1.2);
}

} // namespace

QImage BuiltinPictures::reading(int size)
{
    QImage img = canvas(size, size, Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = pageRect(size);
    drawPage(p, r, QColor(250, 250, 244), QColor(120, 130, 150));
    // Three dots: something is coming.
    const qreal d = qMax(2.0, size / 9.0);
    const qreal y = r.center().y() + d / 2;
    p.setPen(Qt::NoPen);
    const QColor dots[3] = {QColor(70, 120, 200), QColor(110, 150, 215), QColor(160, 190, 230)};
    for (int i = 0; i < 3; ++i) {
        const qreal x = r.center().x() + (i - 1) * d * 1.5;
        p.setBrush(dots[i]);
        p.drawEllipse(QPointF(x, y), d / 2, d / 2);
    }
    return img;
}

QImage BuiltinPictures::nilread(int size)
{
    QImage img = canvas(size, size, Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = pageRect(size);
    drawPage(p, r, QColor(236, 236, 236), QColor(150, 150, 150));
    p.setPen(QPen(QColor(185, 185, 185), qMax(1.0, size / 16.0)));
    const qreal step = r.height() / 5;
    for (int i = 2; i <= 4; ++i)
        p.drawLine(QPointF(r.left() + step * 0.7, r.top() + step * i),
                   QPointF(r.right() - step * 0.7, r.top() + step * i));
    return img;
}

QImage BuiltinPictures::returnPicture(int size)
{
    QImage img = canvas(size, size, Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    // A bent arrow pointing up and to the left: back to the parent folder.
    QPainterPath arrow;
    arrow.moveTo(s * 0.15, s * 0.35);
    arrow.lineTo(s * 0.42, s * 0.08);
    arrow.lineTo(s * 0.69, s * 0.35);
    arrow.lineTo(s * 0.52, s * 0.35);
    arrow.lineTo(s * 0.52, s * 0.62);
    arrow.quadTo(s * 0.52, s * 0.74, s * 0.64, s * 0.74);
    arrow.lineTo(s * 0.88, s * 0.74);
    arrow.lineTo(s * 0.88, s * 0.92);
    arrow.lineTo(s * 0.6, s * 0.92);
    arrow.quadTo(s * 0.32, s * 0.92, s * 0.32, s * 0.64);
    arrow.lineTo(s * 0.32, s * 0.35);
    arrow.closeSubpath();
    p.setPen(QPen(QColor(30, 90, 40), qMax(1.0, s / 20)));
    p.setBrush(QColor(70, 170, 80));
    p.drawPath(arrow);
    return img;
}

QImage BuiltinPictures::labelStrip(int size)
{
    QImage img = canvas(size * 4, size, transparentKey());
    QPainter p(&img);
    // No antialiasing: edge pixels blended with the key colour would show as a fringe.
    const QColor colours[4] = {QColor(220, 30, 30), QColor(240, 200, 0), QColor(30, 160, 60),
                               QColor(30, 80, 220)};
    for (int i = 0; i < 4; ++i) {
        // A tag in the lower left corner, where it does not hide the icon.
        const int w = qMax(6, size * 7 / 16);
        const int h = qMax(5, size * 5 / 16);
        const QRect tag(i * size + 1, size - h - 1, w, h);
        p.fillRect(tag, colours[i].darker(150));
        p.fillRect(tag.adjusted(1, 1, -1, -1), colours[i]);
        if (size >= 24)
            p.fillRect(QRect(tag.left() + 2, tag.top() + 2, w / 3, 2), colours[i].lighter(160));
    }
    return img;
}

QImage BuiltinPictures::folder(int size, int variant)
{
    QImage img = canvas(size, size, Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    QColor body(240, 196, 70);
    if (variant == 3)
        body = QColor(245, 245, 245);
    const QColor edge = variant == 3 ? QColor(140, 140, 140) : QColor(170, 120, 20);
    p.setPen(QPen(edge, qMax(1.0, s / 20)));
    // Tab and back.
    QPainterPath back;
    back.moveTo(s * 0.06, s * 0.2);
    back.lineTo(s * 0.4, s * 0.2);
    back.lineTo(s * 0.48, s * 0.3);
    back.lineTo(s * 0.94, s * 0.3);
    back.lineTo(s * 0.94, s * 0.86);
    back.lineTo(s * 0.06, s * 0.86);
    back.closeSubpath();
    p.setBrush(body.darker(112));
    p.drawPath(back);
    // Front flap; the open folder tilts it.
    QPainterPath front;
    if (variant == 2) {
        front.moveTo(s * 0.18, s * 0.42);
        front.lineTo(s * 0.99, s * 0.42);
        front.lineTo(s * 0.86, s * 0.86);
        front.lineTo(s * 0.04, s * 0.86);
    } else {
        front.moveTo(s * 0.06, s * 0.38);
        front.lineTo(s * 0.94, s * 0.38);
        front.lineTo(s * 0.94, s * 0.86);
        front.lineTo(s * 0.06, s * 0.86);
    }
    front.closeSubpath();
    p.setBrush(body);
    p.drawPath(front);
    if (variant == 1) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 40, 60));
        p.drawEllipse(QPointF(s * 0.72, s * 0.64), s * 0.13, s * 0.13);
    }
    return img;
}

} // namespace kazari
