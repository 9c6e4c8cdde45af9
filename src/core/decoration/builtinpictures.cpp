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

namespace
{

void drawCheck(QPainter &p, const QRectF &r, const QColor &c)
{
    QPainterPath path;
    path.moveTo(r.left(), r.center().y());
    path.lineTo(r.left() + r.width() * 0.38, r.bottom());
    path.lineTo(r.right(), r.top());
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c, qMax(1.5, r.width() / 4.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

void drawCross(QPainter &p, const QRectF &r, const QColor &c)
{
    p.setPen(QPen(c, qMax(1.5, r.width() / 4.0), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomLeft());
}

void drawRing(QPainter &p, const QRectF &r, const QColor &c)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c, qMax(1.5, r.width() / 4.5)));
    p.drawEllipse(r);
}

void drawRecycle(QPainter &p, const QRectF &r, const QColor &c)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c, qMax(1.2, r.width() / 5.0), Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i)
        p.drawArc(r, (i * 120 + 15) * 16, 80 * 16);
    p.setBrush(c);
    p.setPen(Qt::NoPen);
    const QPointF tip(r.center().x() + r.width() / 2, r.center().y());
    p.drawPolygon(QPolygonF{tip + QPointF(-r.width() / 5, -r.height() / 8),
                            tip + QPointF(r.width() / 5, -r.height() / 8),
                            tip + QPointF(0, r.height() / 5)});
}

// A small sheet of paper or a small folder as the base of the file and folder seals.
void drawSmallPage(QPainter &p, qreal s)
{
    p.setPen(QPen(QColor(90, 100, 120), qMax(1.0, s / 16)));
    p.setBrush(QColor(252, 252, 248));
    p.drawRect(QRectF(s * 0.12, s * 0.04, s * 0.62, s * 0.86));
}

void drawSmallFolder(QPainter &p, qreal s)
{
    p.setPen(QPen(QColor(160, 110, 20), qMax(1.0, s / 16)));
    p.setBrush(QColor(240, 196, 70));
    QPainterPath f;
    f.moveTo(s * 0.04, s * 0.2);
    f.lineTo(s * 0.36, s * 0.2);
    f.lineTo(s * 0.44, s * 0.3);
    f.lineTo(s * 0.8, s * 0.3);
    f.lineTo(s * 0.8, s * 0.86);
    f.lineTo(s * 0.04, s * 0.86);
    f.closeSubpath();
    p.drawPath(f);
}

} // namespace

QImage BuiltinPictures::seal(int index, int size)
{
    if (index < 0 || index >= SealCount || size <= 0)
        return QImage();
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    const QRectF badge(s * 0.44, s * 0.44, s * 0.54, s * 0.54);
    switch (index) {
    case 0: { // work: a briefcase
        p.setPen(QPen(QColor(70, 40, 20), qMax(1.0, s / 16)));
        p.setBrush(QColor(150, 90, 40));
        p.drawRoundedRect(QRectF(s * 0.08, s * 0.32, s * 0.84, s * 0.56), s * 0.08, s * 0.08);
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(s * 0.34, s * 0.14, s * 0.32, s * 0.2), s * 0.05, s * 0.05);
        p.drawLine(QPointF(s * 0.08, s * 0.56), QPointF(s * 0.92, s * 0.56));
        break;
    }
    case 1: { // play: a ball
        p.setPen(QPen(QColor(30, 60, 140), qMax(1.0, s / 16)));
        p.setBrush(QColor(255, 210, 60));
        p.drawEllipse(QRectF(s * 0.1, s * 0.1, s * 0.8, s * 0.8));
        p.setBrush(QColor(230, 60, 60));
        p.setPen(Qt::NoPen);
        p.drawPie(QRectF(s * 0.1, s * 0.1, s * 0.8, s * 0.8), 30 * 16, 120 * 16);
        p.setBrush(QColor(60, 140, 230));
        p.drawPie(QRectF(s * 0.1, s * 0.1, s * 0.8, s * 0.8), 210 * 16, 120 * 16);
        break;
    }
    case 2: { // camera
        p.setPen(QPen(QColor(30, 30, 30), qMax(1.0, s / 16)));
        p.setBrush(QColor(80, 80, 90));
        p.drawRoundedRect(QRectF(s * 0.06, s * 0.28, s * 0.88, s * 0.6), s * 0.08, s * 0.08);
        p.drawRect(QRectF(s * 0.3, s * 0.16, s * 0.3, s * 0.14));
        p.setBrush(QColor(150, 200, 240));
        p.drawEllipse(QPointF(s * 0.5, s * 0.58), s * 0.2, s * 0.2);
        break;
    }
    case 3:
    case 4:
    case 5: { // signal lights: red, yellow, green
        const QColor colours[3] = {QColor(230, 30, 30), QColor(250, 200, 0), QColor(20, 170, 90)};
        p.setPen(QPen(QColor(40, 40, 40), qMax(1.0, s / 16)));
        p.setBrush(QColor(60, 60, 60));
        p.drawRoundedRect(QRectF(s * 0.1, s * 0.1, s * 0.8, s * 0.8), s * 0.2, s * 0.2);
        QRadialGradient g(QPointF(s * 0.44, s * 0.42), s * 0.34);
        g.setColorAt(0, colours[index - 3].lighter(160));
        g.setColorAt(1, colours[index - 3]);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(QPointF(s * 0.5, s * 0.5), s * 0.28, s * 0.28);
        break;
    }
    case 6: { // brake lamp
        p.setPen(QPen(QColor(110, 0, 0), qMax(1.0, s / 16)));
        QLinearGradient g(0, s * 0.25, 0, s * 0.75);
        g.setColorAt(0, QColor(255, 120, 120));
        g.setColorAt(1, QColor(190, 0, 0));
        p.setBrush(g);
        p.drawRoundedRect(QRectF(s * 0.06, s * 0.28, s * 0.88, s * 0.44), s * 0.12, s * 0.12);
        break;
    }
    case 7: { // tool: a wrench
        p.setPen(QPen(QColor(90, 100, 110), qMax(2.0, s / 5.5), Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(s * 0.3, s * 0.7), QPointF(s * 0.7, s * 0.3));
        p.setPen(QPen(QColor(90, 100, 110), qMax(1.5, s / 7)));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(s * 0.56, s * 0.08, s * 0.36, s * 0.36), -60 * 16, 250 * 16);
        p.drawArc(QRectF(s * 0.08, s * 0.56, s * 0.36, s * 0.36), 120 * 16, 250 * 16);
        break;
    }
    case 8: { // musical note
        p.setPen(QPen(QColor(40, 40, 120), qMax(1.2, s / 10)));
        p.drawLine(QPointF(s * 0.62, s * 0.14), QPointF(s * 0.62, s * 0.72));
        p.drawLine(QPointF(s * 0.62, s * 0.14), QPointF(s * 0.86, s * 0.3));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 40, 120));
        p.drawEllipse(QPointF(s * 0.46, s * 0.74), s * 0.19, s * 0.14);
        break;
    }
    case 9:
        drawSmallPage(p, s);
        drawCheck(p, badge, QColor(20, 150, 60));
        break;
    case 10:
        drawSmallPage(p, s);
        drawCross(p, badge.adjusted(s * 0.04, s * 0.04, -s * 0.04, -s * 0.04), QColor(210, 30, 30));
        break;
    case 11:
        drawSmallPage(p, s);
        drawRecycle(p, badge, QColor(20, 140, 70));
        break;
    case 12:
        drawSmallFolder(p, s);
        drawCheck(p, badge, QColor(20, 150, 60));
        break;
    case 13:
        drawSmallFolder(p, s);
        drawCross(p, badge.adjusted(s * 0.04, s * 0.04, -s * 0.04, -s * 0.04), QColor(210, 30, 30));
        break;
    case 14:
        drawSmallFolder(p, s);
        drawRing(p, badge, QColor(210, 30, 30));
        break;
    }
    return img;
}

QImage BuiltinPictures::colourBar(const QColor &colour)
{
    QImage img(16, 4, QImage::Format_ARGB32_Premultiplied);
    img.fill(colour.rgb());
    return img;
}

QImage BuiltinPictures::colourBarButton(const QColor &colour)
{
    QImage img(16, 16, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.drawImage(QPoint(0, 6), colourBar(colour));
    return img;
}

QImage BuiltinPictures::maskColourButton(const QColor &colour)
{
    QImage img(16, 16, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(2.5, 1.5, 11, 13);
    QLinearGradient shade(r.topLeft(), r.bottomRight());
    shade.setColorAt(0, QColor(colour).lighter(160));
    shade.setColorAt(1, colour);
    p.setPen(QPen(QColor(colour).darker(180), 1));
    p.setBrush(shade);
    p.drawRoundedRect(r, 1.5, 1.5);
    return img;
}

namespace
{

QImage transparentButton()
{
    QImage img(16, 16, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

QLinearGradient spectrum(const QPointF &from, const QPointF &to)
{
    QLinearGradient g(from, to);
    const QColor stops[] = {QColor(255, 0, 0),   QColor(255, 255, 0), QColor(0, 200, 0),
                            QColor(0, 255, 255), QColor(0, 0, 255),   QColor(255, 0, 255)};
    for (int i = 0; i < 6; ++i)
        g.setColorAt(i / 5.0, stops[i]);
    return g;
}

void crossOut(QPainter &p)
{
    p.setPen(QPen(QColor(200, 20, 20), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3, 3), QPointF(13, 13));
    p.drawLine(QPointF(13, 3), QPointF(3, 13));
}

const QRectF MaskPage(2.5, 1.5, 11, 13);

} // namespace

QImage BuiltinPictures::maskChoiceButton()
{
    QImage img = transparentButton();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(70, 70, 70), 1));
    p.setBrush(spectrum(MaskPage.topLeft(), MaskPage.bottomRight()));
    p.drawRoundedRect(MaskPage, 1.5, 1.5);
    return img;
}

QImage BuiltinPictures::maskRemovalButton()
{
    QImage img = transparentButton();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(MaskPage, 1.5, 1.5);
    crossOut(p);
    return img;
}

QImage BuiltinPictures::captionChoiceButton()
{
    QImage img = transparentButton();
    QPainter p(&img);
    p.fillRect(QRectF(0, 6, 16, 4), spectrum(QPointF(0, 0), QPointF(16, 0)));
    return img;
}

QImage BuiltinPictures::captionRemovalButton()
{
    QImage img = transparentButton();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(0.5, 6.5, 15, 3));
    crossOut(p);
    return img;
}

} // namespace kazari
