// The floor tiles, one per cell code: 0 floor, 7 wall, 72 spring, 73 goal, and
// variants of floors (1..6, 40..71) and blocks (8..39) for the other codes.

#include "art.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace rpggen
{

namespace
{

constexpr int T = 80;

void speckle(QPainter &p, Rng &rng, const QRectF &area, const QColor &base, int count, int alpha)
{
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        QColor c = shade(base, rng.chance(0.5) ? 0.6 : 1.35);
        c.setAlpha(alpha);
        p.setBrush(c);
        const double r = rng.real(0.5, 1.4);
        p.drawEllipse(QPointF(area.left() + rng.unit() * area.width(),
                              area.top() + rng.unit() * area.height()),
                      r, r);
    }
}

/// A bevelled stone or brick: lit from the top left.
void block(QPainter &p, Rng &rng, const QRectF &r, const QColor &base, double radius,
           double variation)
{
    const QColor c = shade(base, 1.0 + rng.real(-variation, variation));
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, shade(c, 1.12));
    g.setColorAt(1, shade(c, 0.82));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(r, radius, radius);
    p.setBrush(Qt::NoBrush);
    QColor light = shade(c, 1.35);
    light.setAlpha(170);
    QColor dark = shade(c, 0.55);
    dark.setAlpha(190);
    p.setPen(QPen(light, 1.5));
    p.drawLine(QPointF(r.left() + radius, r.top() + 1), QPointF(r.right() - radius, r.top() + 1));
    p.drawLine(QPointF(r.left() + 1, r.top() + radius), QPointF(r.left() + 1, r.bottom() - radius));
    p.setPen(QPen(dark, 1.5));
    p.drawLine(QPointF(r.left() + radius, r.bottom() - 1),
               QPointF(r.right() - radius, r.bottom() - 1));
    p.drawLine(QPointF(r.right() - 1, r.top() + radius),
               QPointF(r.right() - 1, r.bottom() - radius));
    speckle(p, rng, r.adjusted(2, 2, -2, -2), c, static_cast<int>(r.width() * r.height() / 60), 90);
}

void flagstones(QPainter &p, Rng &rng, const QColor &stone, const QColor &mortar)
{
    p.fillRect(0, 0, T, T, mortar);
    const int rows[3] = {26, 27, 27};
    int y = 0;
    for (int row = 0; row < 3; ++row) {
        const int h = rows[row];
        int x = 0;
        const int count = rng.between(2, 3);
        for (int i = 0; i < count; ++i) {
            const int remaining = T - x;
            const int w = i == count - 1 ? remaining
                                         : rng.between(remaining / (count - i) - 8,
                                                       remaining / (count - i) + 8);
            block(p, rng, QRectF(x + 1.5, y + 1.5, w - 3, h - 3), stone, 3, 0.08);
            x += w;
        }
        y += h;
    }
}

void bricks(QPainter &p, Rng &rng, const QColor &brick, const QColor &mortar)
{
    p.fillRect(0, 0, T, T, mortar);
    for (int row = 0; row < 5; ++row) {
        const int y = row * 16;
        const int offset = row % 2 == 0 ? 0 : -20;
        for (int x = offset; x < T; x += 40)
            block(p, rng, QRectF(x + 1.5, y + 1.5, 37, 13), brick, 2, 0.1);
    }
    // A raised block lit from above: a bright top edge, a dark foot.
    QLinearGradient g(0, 0, 0, T);
    g.setColorAt(0, QColor(255, 255, 255, 40));
    g.setColorAt(0.8, QColor(0, 0, 0, 30));
    g.setColorAt(1, QColor(0, 0, 0, 90));
    p.fillRect(0, 0, T, T, g);
    p.fillRect(QRectF(0, 0, T, 3), QColor(255, 240, 220, 60));
    p.fillRect(QRectF(0, T - 6, T, 6), QColor(0, 0, 0, 120));
    p.setPen(QPen(QColor(0, 0, 0, 140), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1, 1, T - 2, T - 2));
}

void rock(QPainter &p, Rng &rng, const QColor &base)
{
    p.fillRect(0, 0, T, T, shade(base, 0.45));
    for (int i = 0; i < 7; ++i) {
        const double cx = rng.real(8, 72);
        const double cy = rng.real(8, 72);
        const double r = rng.real(16, 26);
        QPainterPath path;
        const int corners = rng.between(6, 8);
        for (int k = 0; k < corners; ++k) {
            const double a = 2 * M_PI * k / corners + rng.real(-0.2, 0.2);
            const QPointF pt(cx + std::cos(a) * r * rng.real(0.75, 1.1),
                             cy + std::sin(a) * r * rng.real(0.75, 1.1));
            if (k == 0)
                path.moveTo(pt);
            else
                path.lineTo(pt);
        }
        path.closeSubpath();
        QLinearGradient g(cx - r, cy - r, cx + r, cy + r);
        const QColor c = shade(base, 1.0 + rng.real(-0.12, 0.12));
        g.setColorAt(0, shade(c, 1.25));
        g.setColorAt(1, shade(c, 0.7));
        p.setPen(QPen(shade(base, 0.35), 1.5));
        p.setBrush(g);
        p.drawPath(path);
    }
    speckle(p, rng, QRectF(0, 0, T, T), base, 60, 80);
}

void crate(QPainter &p, Rng &rng, const QColor &wood)
{
    p.fillRect(0, 0, T, T, shade(wood, 0.4));
    block(p, rng, QRectF(3, 3, T - 6, T - 6), wood, 3, 0.02);
    p.setPen(QPen(shade(wood, 0.5), 2));
    for (int y = 18; y < T - 6; y += 15)
        p.drawLine(QPointF(6, y), QPointF(T - 6, y));
    p.setPen(QPen(shade(wood, 0.62), 6));
    p.drawLine(QPointF(8, 8), QPointF(T - 8, T - 8));
    p.setPen(QPen(shade(wood, 1.2), 2));
    p.drawLine(QPointF(10, 8), QPointF(T - 8, T - 10));
    p.setPen(QPen(QColor(70, 70, 80), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(4.5, 4.5, T - 9, T - 9));
    p.setBrush(QColor(150, 150, 160));
    p.setPen(Qt::NoPen);
    for (const QPointF c :
         {QPointF(8, 8), QPointF(T - 8, 8), QPointF(8, T - 8), QPointF(T - 8, T - 8)})
        p.drawEllipse(c, 2, 2);
}

void bookshelf(QPainter &p, Rng &rng, const QColor &wood)
{
    p.fillRect(0, 0, T, T, shade(wood, 0.5));
    p.fillRect(QRectF(3, 3, T - 6, T - 6), shade(wood, 0.3));
    for (int shelf = 0; shelf < 3; ++shelf) {
        const double top = 5 + shelf * 25;
        double x = 6;
        while (x < T - 10) {
            const double w = rng.real(4, 8);
            const double h = rng.real(14, 20);
            const QColor c = hsv(rng.real(0, 360), rng.real(0.4, 0.8), rng.real(0.45, 0.8));
            p.fillRect(QRectF(x, top + 20 - h, w - 1, h), c);
            p.fillRect(QRectF(x, top + 20 - h + 3, w - 1, 2), shade(c, 1.5));
            x += w;
        }
        p.fillRect(QRectF(3, top + 20, T - 6, 4), shade(wood, 1.1));
    }
    p.setPen(QPen(shade(wood, 0.3), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(2, 2, T - 4, T - 4));
}

void grass(QPainter &p, Rng &rng, const QColor &green, bool flowers)
{
    QRadialGradient g(T / 2.0, T / 2.0, T * 0.8);
    g.setColorAt(0, shade(green, 1.1));
    g.setColorAt(1, shade(green, 0.85));
    p.fillRect(0, 0, T, T, g);
    for (int i = 0; i < 120; ++i) {
        const double x = rng.real(0, T);
        const double y = rng.real(0, T);
        p.setPen(QPen(shade(green, rng.real(0.6, 1.4)), 1.2));
        p.drawLine(QPointF(x, y), QPointF(x + rng.real(-2, 2), y - rng.real(3, 6)));
    }
    if (flowers) {
        for (int i = 0; i < 9; ++i) {
            const QPointF c(rng.real(8, 72), rng.real(8, 72));
            const QColor petal =
                hsv(rng.chance(0.5) ? rng.real(330, 380) : rng.real(40, 60), 0.55, 1.0);
            p.setPen(Qt::NoPen);
            p.setBrush(petal);
            for (int k = 0; k < 5; ++k) {
                const double a = 2 * M_PI * k / 5;
                p.drawEllipse(c + QPointF(std::cos(a) * 2.6, std::sin(a) * 2.6), 2.0, 2.0);
            }
            p.setBrush(QColor(250, 210, 60));
            p.drawEllipse(c, 1.6, 1.6);
        }
    }
}

void planks(QPainter &p, Rng &rng, const QColor &wood)
{
    for (int i = 0; i < 5; ++i) {
        const QColor c = shade(wood, 1.0 + rng.real(-0.1, 0.1));
        p.fillRect(QRectF(0, i * 16, T, 16), c);
        p.setPen(QPen(shade(c, 0.85), 1));
        for (int k = 0; k < 3; ++k) {
            const double y = i * 16 + rng.real(3, 13);
            p.drawLine(QPointF(0, y), QPointF(T, y + rng.real(-1, 1)));
        }
        p.setPen(QPen(shade(wood, 0.45), 2));
        p.drawLine(QPointF(0, i * 16 + 15), QPointF(T, i * 16 + 15));
        const double joint = rng.real(10, 70);
        p.drawLine(QPointF(joint, i * 16), QPointF(joint, i * 16 + 15));
        p.setPen(Qt::NoPen);
        p.setBrush(shade(wood, 0.4));
        p.drawEllipse(QPointF(joint - 4, i * 16 + 8), 1.2, 1.2);
        p.drawEllipse(QPointF(joint + 4, i * 16 + 8), 1.2, 1.2);
    }
}

void carpet(QPainter &p, Rng &rng, const QColor &base, const QColor &trim)
{
    p.fillRect(0, 0, T, T, base);
    speckle(p, rng, QRectF(0, 0, T, T), base, 90, 60);
    p.setPen(QPen(trim, 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(6, 6, T - 12, T - 12));
    p.setPen(QPen(shade(trim, 0.8), 1.5));
    p.drawRect(QRectF(11, 11, T - 22, T - 22));
    QPainterPath diamond;
    diamond.moveTo(40, 22);
    diamond.lineTo(58, 40);
    diamond.lineTo(40, 58);
    diamond.lineTo(22, 40);
    diamond.closeSubpath();
    p.setBrush(shade(base, 0.8));
    p.setPen(QPen(trim, 2));
    p.drawPath(diamond);
    p.setBrush(trim);
    p.drawEllipse(QPointF(40, 40), 4, 4);
}

void checker(QPainter &p, const QColor &a, const QColor &b)
{
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            const QColor c = (x + y) % 2 == 0 ? a : b;
            QLinearGradient g(x * 20, y * 20, x * 20 + 20, y * 20 + 20);
            g.setColorAt(0, shade(c, 1.1));
            g.setColorAt(1, shade(c, 0.9));
            p.fillRect(QRectF(x * 20, y * 20, 20, 20), g);
        }
    }
    p.setPen(QPen(QColor(0, 0, 0, 60), 1));
    for (int k = 0; k <= 4; ++k) {
        p.drawLine(QPointF(k * 20, 0), QPointF(k * 20, T));
        p.drawLine(QPointF(0, k * 20), QPointF(T, k * 20));
    }
}

void runeCircle(QPainter &p, const QColor &glow, double radius)
{
    p.setBrush(Qt::NoBrush);
    QColor halo = glow;
    halo.setAlpha(70);
    p.setPen(QPen(halo, 7));
    p.drawEllipse(QPointF(40, 40), radius, radius);
    p.setPen(QPen(glow, 2));
    p.drawEllipse(QPointF(40, 40), radius, radius);
    p.setPen(QPen(glow, 1.2));
    p.drawEllipse(QPointF(40, 40), radius - 5, radius - 5);
    for (int k = 0; k < 12; ++k) {
        const double a = 2 * M_PI * k / 12;
        const QPointF c(40 + std::cos(a) * (radius - 2.5), 40 + std::sin(a) * (radius - 2.5));
        p.drawLine(c + QPointF(-1.5, -1.5), c + QPointF(1.5, 1.5));
        if (k % 2 == 0)
            p.drawLine(c + QPointF(1.5, -1.5), c + QPointF(-1.5, 1.5));
    }
}

const QColor FloorStone(76, 72, 88);
const QColor FloorMortar(28, 26, 34);

void floorTile(QPainter &p, Rng &rng, int variant)
{
    switch (variant % 16) {
    case 0:
        flagstones(p, rng, FloorStone, FloorMortar);
        break;
    case 1: // moss
        flagstones(p, rng, FloorStone, FloorMortar);
        for (int i = 0; i < 14; ++i) {
            p.setPen(Qt::NoPen);
            QColor m = hsv(rng.real(85, 120), 0.55, rng.real(0.35, 0.6));
            m.setAlpha(150);
            p.setBrush(m);
            p.drawEllipse(QPointF(rng.real(0, T), rng.real(0, T)), rng.real(2, 6), rng.real(2, 5));
        }
        break;
    case 2: { // cracked
        flagstones(p, rng, shade(FloorStone, 0.9), FloorMortar);
        p.setPen(QPen(QColor(25, 22, 30), 1.3));
        QPointF at(rng.real(10, 70), rng.real(10, 70));
        for (int i = 0; i < 7; ++i) {
            const QPointF next = at + QPointF(rng.real(-12, 12), rng.real(-12, 12));
            p.drawLine(at, next);
            at = next;
        }
        break;
    }
    case 3: { // packed earth
        p.fillRect(0, 0, T, T, QColor(110, 84, 58));
        speckle(p, rng, QRectF(0, 0, T, T), QColor(110, 84, 58), 260, 140);
        break;
    }
    case 4:
        planks(p, rng, QColor(132, 92, 56));
        break;
    case 5:
        carpet(p, rng, QColor(140, 28, 38), QColor(220, 176, 70));
        break;
    case 6:
        checker(p, QColor(200, 196, 186), QColor(60, 58, 70));
        break;
    case 7:
        grass(p, rng, QColor(70, 130, 60), false);
        break;
    case 8:
        grass(p, rng, QColor(78, 140, 64), true);
        break;
    case 9: // sand
        p.fillRect(0, 0, T, T, QColor(214, 190, 130));
        speckle(p, rng, QRectF(0, 0, T, T), QColor(214, 190, 130), 300, 120);
        p.setPen(QPen(QColor(190, 160, 100, 120), 1.5));
        for (int y = 12; y < T; y += 18)
            p.drawArc(QRectF(rng.real(-20, 10), y, 90, 14), 0, 180 * 16);
        break;
    case 10: // snow
        p.fillRect(0, 0, T, T, QColor(214, 226, 240));
        speckle(p, rng, QRectF(0, 0, T, T), QColor(190, 206, 226), 200, 120);
        break;
    case 11:
        carpet(p, rng, QColor(34, 58, 120), QColor(210, 200, 150));
        break;
    case 12:
        checker(p, QColor(170, 120, 70), QColor(110, 70, 40));
        break;
    case 13: // rune floor
        flagstones(p, rng, shade(FloorStone, 0.85), FloorMortar);
        runeCircle(p, hsv(rng.real(180, 300), 0.6, 1.0), 30);
        break;
    case 14: // puddle
        flagstones(p, rng, FloorStone, FloorMortar);
        {
            QRadialGradient g(40, 44, 24);
            g.setColorAt(0, QColor(70, 110, 150, 200));
            g.setColorAt(1, QColor(40, 60, 90, 0));
            p.setPen(Qt::NoPen);
            p.setBrush(g);
            p.drawEllipse(QPointF(40, 44), 26, 16);
        }
        break;
    default: // fallen leaves
        flagstones(p, rng, FloorStone, FloorMortar);
        for (int i = 0; i < 16; ++i) {
            p.setPen(Qt::NoPen);
            p.setBrush(hsv(rng.real(10, 50), 0.8, rng.real(0.6, 0.95)));
            p.save();
            p.translate(rng.real(0, T), rng.real(0, T));
            p.rotate(rng.real(0, 360));
            p.drawEllipse(QPointF(0, 0), 4, 2);
            p.restore();
        }
        break;
    }
}

void blockTile(QPainter &p, Rng &rng, int variant)
{
    switch (variant % 6) {
    case 0:
        bricks(p, rng, hsv(25 + variant * 11, 0.22 + (variant % 3) * 0.08, 0.52),
               QColor(34, 30, 32));
        break;
    case 1:
        rock(p, rng, hsv(variant * 37, 0.15, 0.5));
        break;
    case 2:
        crate(p, rng, hsv(28 + variant % 5 * 4, 0.55, 0.62));
        break;
    case 3:
        bookshelf(p, rng, QColor(110, 72, 40));
        break;
    case 4:
        bricks(p, rng, hsv(200 + variant * 9, 0.25, 0.5), QColor(24, 26, 36));
        break;
    default:
        rock(p, rng, hsv(15 + variant * 5, 0.45, 0.45));
        break;
    }
}

void spring(QPainter &p, Rng &rng)
{
    flagstones(p, rng, FloorStone, FloorMortar);
    // Stone rim.
    QRadialGradient rim(36, 36, 36);
    rim.setColorAt(0.0, QColor(170, 166, 176));
    rim.setColorAt(1.0, QColor(96, 92, 104));
    p.setPen(QPen(QColor(40, 36, 46), 2));
    p.setBrush(rim);
    p.drawEllipse(QPointF(40, 40), 33, 33);
    // Water.
    QRadialGradient water(34, 32, 30);
    water.setColorAt(0.0, QColor(150, 230, 255));
    water.setColorAt(0.55, QColor(40, 140, 220));
    water.setColorAt(1.0, QColor(16, 60, 140));
    p.setPen(QPen(QColor(20, 40, 80), 1.5));
    p.setBrush(water);
    p.drawEllipse(QPointF(40, 40), 26, 26);
    p.setBrush(Qt::NoBrush);
    for (int k = 0; k < 3; ++k) {
        p.setPen(QPen(QColor(220, 245, 255, 150 - k * 40), 1.4));
        p.drawEllipse(QPointF(40, 42), 6.0 + k * 6.0, 4.0 + k * 4.0);
    }
    // Sparkles.
    p.setPen(Qt::NoPen);
    for (const QPointF c : {QPointF(30, 30), QPointF(50, 36), QPointF(38, 52)}) {
        p.setBrush(QColor(250, 252, 255, 230));
        QPainterPath star;
        star.moveTo(c + QPointF(0, -4));
        star.lineTo(c + QPointF(1, -1));
        star.lineTo(c + QPointF(4, 0));
        star.lineTo(c + QPointF(1, 1));
        star.lineTo(c + QPointF(0, 4));
        star.lineTo(c + QPointF(-1, 1));
        star.lineTo(c + QPointF(-4, 0));
        star.lineTo(c + QPointF(-1, -1));
        star.closeSubpath();
        p.drawPath(star);
    }
}

void goal(QPainter &p, Rng &rng)
{
    flagstones(p, rng, FloorStone, FloorMortar);
    // A stairway going down, lit from the top.
    const QRectF well(17, 17, 46, 46);
    p.fillRect(well.adjusted(-3, -3, 3, 3), QColor(30, 26, 34));
    for (int i = 0; i < 6; ++i) {
        const double y = well.top() + i * 7.6;
        const double inset = i * 1.8;
        const QColor step = shade(QColor(170, 160, 150), 1.0 - i * 0.14);
        p.fillRect(QRectF(well.left() + inset, y, well.width() - 2 * inset, 5.6), step);
        p.fillRect(QRectF(well.left() + inset, y + 5.6, well.width() - 2 * inset, 2.0),
                   shade(step, 0.5));
    }
    QLinearGradient dark(0, well.top(), 0, well.bottom());
    dark.setColorAt(0, QColor(0, 0, 0, 0));
    dark.setColorAt(1, QColor(0, 0, 0, 200));
    p.fillRect(well, dark);
    p.setPen(QPen(QColor(60, 54, 64), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(well.adjusted(-2, -2, 2, 2));
    runeCircle(p, QColor(255, 208, 80), 37);
}

} // namespace

QImage drawTile(int code)
{
    QImage image(T, T, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Rng rng(1000 + code);
    if (code == 72)
        spring(p, rng);
    else if (code == 73)
        goal(p, rng);
    else if (code >= 7 && code <= 39)
        blockTile(p, rng, code - 7);
    else if (code <= 6)
        floorTile(p, rng, code);
    else
        floorTile(p, rng, code - 40 + 7);
    return image;
}

} // namespace rpggen
