// The 561 monster pictures. Each is built from its number: a body plan (slime, beast,
// bird, floating eye, ghost, golem, serpent, mushroom, spider, plant, imp, dragon,
// elemental, fish, skull), a colour scheme on the golden angle, and extras (eyes,
// horns, wings, spikes, spots, stripes, crowns, an aura) that grow more frequent and
// fiercer with the number, as the deeper floors bring the higher numbers. Drawn on
// black, which is also the battle's background.

#include "art.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <vector>

namespace rpggen
{

namespace
{

enum Body {
    Slime,
    Beast,
    Bird,
    FloatingEye,
    Ghost,
    Golem,
    Serpent,
    Mushroom,
    Spider,
    Plant,
    Imp,
    Dragon,
    Elemental,
    Fish,
    Skull,
    BodyCount
};

struct Genome {
    Body body = Slime;
    double boxWidth = 100; // design box width; the height is always 100
    QColor main;
    QColor belly;
    QColor accent;
    QColor eye;
    int eyes = 2;
    int eyeStyle = 0; // 0 round, 1 angry, 2 slit, 3 glowing
    int horns = 0;    // 0 none, 1 pair, 2 single, 3 curled
    int wings = 0;    // 0 none, 1 bat, 2 feathered, 3 insect
    bool spikes = false;
    bool spots = false;
    bool stripes = false;
    bool teeth = false;
    bool crown = false;
    bool aura = false;
    bool floating = false;
    double tier = 0;
};

// Where the extras go, in design coordinates.
struct Anchors {
    QPointF head;
    double headR = 10;
    QPointF back;
    double bodyR = 20;
};

QColor outlineOf(const QColor &c)
{
    return shade(c, 0.3);
}

void setBody(QPainter &p, const QColor &c, const QPointF &centre, double r)
{
    QRadialGradient g(centre + QPointF(-r * 0.35, -r * 0.45), r * 1.5);
    g.setColorAt(0, shade(c, 1.3));
    g.setColorAt(0.55, c);
    g.setColorAt(1, shade(c, 0.45));
    p.setBrush(g);
    p.setPen(QPen(outlineOf(c), 1.6));
}

QColor eyeColour(int i)
{
    static const QColor colours[] = {QColor(250, 220, 60), QColor(240, 60, 50),
                                     QColor(120, 240, 120), QColor(120, 200, 255),
                                     QColor(250, 140, 230)};
    return colours[i % 5];
}

Genome genomeFor(int picture)
{
    Rng rng(90001 + picture * 104729);
    Genome g;
    g.tier = picture / 560.0;
    g.body = static_cast<Body>((picture * 7 + rng.range(3)) % BodyCount);
    const double hue = std::fmod(picture * 137.50776, 360.0);
    const double sat = rng.real(0.45, 0.85) + g.tier * 0.1;
    const double val = rng.real(0.62, 0.92) - g.tier * 0.18;
    g.main = hsv(hue, sat, val);
    g.belly = hsv(hue + rng.real(-25, 25), sat * 0.45, std::min(1.0, val + 0.25));
    g.accent = hsv(hue + rng.real(120, 240), 0.75, 0.9);
    g.eye = eyeColour(rng.range(5));
    g.eyes = rng.chance(0.15) ? 1 : (rng.chance(0.12 + g.tier * 0.2) ? 3 : 2);
    g.eyeStyle = rng.range(2 + static_cast<int>(g.tier * 2.5));
    g.horns = rng.chance(0.2 + g.tier * 0.5) ? rng.between(1, 3) : 0;
    g.wings = rng.chance(0.12 + g.tier * 0.35) ? rng.between(1, 3) : 0;
    g.spikes = rng.chance(0.15 + g.tier * 0.4);
    g.spots = rng.chance(0.35);
    g.stripes = !g.spots && rng.chance(0.3);
    g.teeth = rng.chance(0.3 + g.tier * 0.5);
    g.crown = rng.chance(0.04 + g.tier * 0.12);
    g.aura = rng.chance(g.tier * 0.7);
    switch (g.body) {
    case Beast:
    case Dragon:
    case Serpent:
    case Fish:
        g.boxWidth = 125;
        break;
    case Bird:
        g.boxWidth = 115;
        break;
    default:
        g.boxWidth = 100;
        break;
    }
    if (g.wings != 0)
        g.boxWidth = std::max(g.boxWidth, 115.0);
    g.floating = g.body == FloatingEye || g.body == Ghost || g.body == Elemental ||
                 g.body == Fish || g.body == Skull || (g.body == Bird);
    return g;
}

void drawEyes(QPainter &p, const Genome &g, const QPointF &head, double r)
{
    std::vector<QPointF> at;
    const double s = r * 0.28;
    if (g.eyes == 1)
        at = {head};
    else if (g.eyes == 2)
        at = {head + QPointF(-r * 0.4, 0), head + QPointF(r * 0.4, 0)};
    else
        at = {head + QPointF(-r * 0.42, r * 0.08), head + QPointF(r * 0.42, r * 0.08),
              head + QPointF(0, -r * 0.38)};
    const double size = g.eyes == 1 ? s * 1.7 : s;
    for (const QPointF &c : at) {
        if (g.eyeStyle == 3) {
            QRadialGradient glow(c, size * 2.2);
            QColor inner = g.eye;
            QColor outer = g.eye;
            outer.setAlpha(0);
            glow.setColorAt(0, inner);
            glow.setColorAt(1, outer);
            p.setPen(Qt::NoPen);
            p.setBrush(glow);
            p.drawEllipse(c, size * 2.2, size * 2.2);
            p.setBrush(shade(g.eye, 1.5));
            p.drawEllipse(c, size * 0.6, size * 0.45);
            continue;
        }
        p.setPen(QPen(QColor(20, 16, 24), 1.2));
        p.setBrush(QColor(246, 244, 236));
        p.drawEllipse(c, size, size * 1.1);
        p.setPen(Qt::NoPen);
        p.setBrush(g.eye);
        if (g.eyeStyle == 2) {
            p.drawEllipse(c, size * 0.7, size * 0.95);
            p.setBrush(QColor(10, 8, 12));
            p.drawEllipse(c, size * 0.18, size * 0.8);
        } else {
            p.drawEllipse(c + QPointF(0, size * 0.1), size * 0.62, size * 0.7);
            p.setBrush(QColor(10, 8, 12));
            p.drawEllipse(c + QPointF(0, size * 0.15), size * 0.32, size * 0.38);
            p.setBrush(QColor(246, 246, 250));
            p.drawEllipse(c + QPointF(-size * 0.25, -size * 0.25), size * 0.18, size * 0.18);
        }
        if (g.eyeStyle == 1) {
            // Angry brows.
            p.setPen(QPen(QColor(20, 16, 24), size * 0.45, Qt::SolidLine, Qt::RoundCap));
            const double dir = c.x() < head.x() ? 1 : (c.x() > head.x() ? -1 : 0);
            p.drawLine(c + QPointF(-size * 1.1, -size * (1.1 + 0.4 * dir)),
                       c + QPointF(size * 1.1, -size * (1.1 - 0.4 * dir)));
        }
    }
}

void drawMouth(QPainter &p, const Genome &g, const QPointF &at, double width)
{
    QPainterPath mouth;
    mouth.moveTo(at + QPointF(-width / 2, 0));
    mouth.quadTo(at + QPointF(0, width * 0.55), at + QPointF(width / 2, 0));
    mouth.closeSubpath();
    p.setPen(QPen(QColor(20, 10, 16), 1.2));
    p.setBrush(QColor(90, 20, 34));
    p.drawPath(mouth);
    if (g.teeth) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(244, 240, 226));
        const int n = 4;
        for (int i = 0; i < n; ++i) {
            const double x = at.x() - width / 2 + width * (i + 0.5) / n;
            QPainterPath tooth;
            tooth.moveTo(x - width / (2.0 * n), at.y());
            tooth.lineTo(x + width / (2.0 * n), at.y());
            tooth.lineTo(x, at.y() + width * 0.18);
            tooth.closeSubpath();
            p.drawPath(tooth);
        }
    }
}

void drawHorns(QPainter &p, const Genome &g, const QPointF &head, double r)
{
    if (g.horns == 0)
        return;
    const QColor bone = g.tier > 0.5 ? QColor(70, 60, 70) : QColor(236, 224, 196);
    p.setPen(QPen(outlineOf(bone), 1.2));
    QLinearGradient grad(head + QPointF(0, -r), head + QPointF(0, -r * 2));
    grad.setColorAt(0, bone);
    grad.setColorAt(1, shade(bone, g.tier > 0.5 ? 1.8 : 0.8));
    p.setBrush(grad);
    auto horn = [&](double side, double lean) {
        QPainterPath path;
        const QPointF base = head + QPointF(side * r * 0.55, -r * 0.7);
        path.moveTo(base + QPointF(-r * 0.18, 0));
        if (g.horns == 3) {
            path.cubicTo(base + QPointF(side * r * 0.9, -r * 0.2),
                         base + QPointF(side * r * 0.9, -r * 1.1),
                         base + QPointF(side * r * 0.2, -r * 0.9));
            path.cubicTo(base + QPointF(side * r * 0.6, -r * 0.8),
                         base + QPointF(side * r * 0.5, -r * 0.3), base + QPointF(r * 0.18, 0));
        } else {
            path.quadTo(base + QPointF(side * r * 0.3 * lean, -r * 0.5),
                        base + QPointF(side * r * 0.45 * lean, -r * 1.05));
            path.quadTo(base + QPointF(side * r * 0.15, -r * 0.4), base + QPointF(r * 0.18, 0));
        }
        path.closeSubpath();
        p.drawPath(path);
    };
    if (g.horns == 2) {
        QPainterPath path;
        const QPointF base = head + QPointF(0, -r * 0.8);
        path.moveTo(base + QPointF(-r * 0.2, 0));
        path.lineTo(base + QPointF(0, -r * 1.1));
        path.lineTo(base + QPointF(r * 0.2, 0));
        path.closeSubpath();
        p.drawPath(path);
        return;
    }
    horn(-1, 1.2);
    horn(1, 1.2);
}

void drawCrown(QPainter &p, const QPointF &head, double r)
{
    const QColor gold(240, 196, 60);
    QPainterPath crown;
    const double y = head.y() - r * 0.85;
    crown.moveTo(head.x() - r * 0.5, y);
    crown.lineTo(head.x() - r * 0.55, y - r * 0.5);
    crown.lineTo(head.x() - r * 0.25, y - r * 0.25);
    crown.lineTo(head.x(), y - r * 0.6);
    crown.lineTo(head.x() + r * 0.25, y - r * 0.25);
    crown.lineTo(head.x() + r * 0.55, y - r * 0.5);
    crown.lineTo(head.x() + r * 0.5, y);
    crown.closeSubpath();
    p.setPen(QPen(QColor(120, 80, 10), 1));
    p.setBrush(gold);
    p.drawPath(crown);
    p.setBrush(QColor(220, 40, 60));
    p.drawEllipse(QPointF(head.x(), y - r * 0.15), r * 0.08, r * 0.08);
}

void drawWings(QPainter &p, const Genome &g, const QPointF &back, double span)
{
    if (g.wings == 0)
        return;
    for (const double side : {-1.0, 1.0}) {
        QPainterPath wing;
        const QPointF root = back + QPointF(side * span * 0.12, 0);
        if (g.wings == 1) { // bat
            wing.moveTo(root);
            wing.lineTo(root + QPointF(side * span * 0.55, -span * 0.55));
            wing.lineTo(root + QPointF(side * span * 0.95, -span * 0.25));
            wing.quadTo(root + QPointF(side * span * 0.8, -span * 0.05),
                        root + QPointF(side * span * 0.72, span * 0.15));
            wing.quadTo(root + QPointF(side * span * 0.55, 0),
                        root + QPointF(side * span * 0.45, span * 0.22));
            wing.quadTo(root + QPointF(side * span * 0.3, span * 0.05),
                        root + QPointF(side * span * 0.1, span * 0.25));
            wing.closeSubpath();
            p.setPen(QPen(outlineOf(g.main), 1.4));
            p.setBrush(shade(g.main, 0.6));
            p.drawPath(wing);
            p.setPen(QPen(shade(g.main, 0.35), 1.2));
            p.drawLine(root, root + QPointF(side * span * 0.72, span * 0.15));
            p.drawLine(root, root + QPointF(side * span * 0.45, span * 0.22));
            continue;
        }
        if (g.wings == 2) { // feathered
            p.setPen(QPen(outlineOf(g.belly), 1.1));
            for (int k = 0; k < 5; ++k) {
                QPainterPath feather;
                const QPointF tip =
                    root + QPointF(side * span * (0.5 + k * 0.1), -span * (0.5 - k * 0.16));
                feather.moveTo(root);
                feather.quadTo(root + (tip - root) * 0.5 + QPointF(0, -span * 0.12), tip);
                feather.quadTo(root + (tip - root) * 0.5 + QPointF(0, span * 0.1), root);
                p.setBrush(shade(g.belly, 1.0 - k * 0.08));
                p.drawPath(feather);
            }
            continue;
        }
        // insect
        QColor film = g.accent;
        film.setAlpha(150);
        p.setPen(QPen(shade(g.accent, 0.5), 1));
        p.setBrush(film);
        p.drawEllipse(root + QPointF(side * span * 0.4, -span * 0.3), span * 0.4, span * 0.18);
        p.drawEllipse(root + QPointF(side * span * 0.35, -span * 0.02), span * 0.32, span * 0.13);
    }
}

void drawSpikes(QPainter &p, const Genome &g, const QPointF &from, const QPointF &to, double size)
{
    p.setPen(QPen(outlineOf(g.accent), 1));
    p.setBrush(g.accent);
    const int n = 5;
    for (int i = 0; i < n; ++i) {
        const QPointF at = from + (to - from) * ((i + 0.5) / n);
        QPainterPath spike;
        spike.moveTo(at + QPointF(-size * 0.5, size * 0.3));
        spike.lineTo(at + QPointF(0, -size));
        spike.lineTo(at + QPointF(size * 0.5, size * 0.3));
        spike.closeSubpath();
        p.drawPath(spike);
    }
}

void drawPattern(QPainter &p, const Genome &g, Rng &rng, const QPainterPath &shape)
{
    p.save();
    p.setClipPath(shape, Qt::IntersectClip);
    const QRectF box = shape.boundingRect();
    if (g.spots) {
        p.setPen(Qt::NoPen);
        QColor c = shade(g.main, 0.7);
        c.setAlpha(170);
        p.setBrush(c);
        for (int i = 0; i < 7; ++i) {
            const double r = rng.real(box.width() * 0.05, box.width() * 0.11);
            p.drawEllipse(QPointF(box.left() + rng.unit() * box.width(),
                                  box.top() + rng.unit() * box.height()),
                          r, r * 0.8);
        }
    } else if (g.stripes) {
        QColor c = shade(g.main, 0.55);
        c.setAlpha(170);
        p.setPen(QPen(c, box.width() * 0.06));
        for (double x = box.left(); x < box.right(); x += box.width() * 0.18)
            p.drawLine(QPointF(x, box.top()), QPointF(x + box.width() * 0.1, box.bottom()));
    }
    p.restore();
}

// --- body plans: each draws itself and says where the head is ---

Anchors slime(QPainter &p, const Genome &g, Rng &rng)
{
    QPainterPath shape;
    shape.moveTo(14, 94);
    shape.cubicTo(8, 60, 30, 26, 50, 24);
    shape.cubicTo(70, 26, 92, 60, 86, 94);
    for (int i = 0; i < 4; ++i)
        shape.quadTo(80 - i * 18, 98, 72 - i * 18, 94);
    shape.closeSubpath();
    setBody(p, g.main, QPointF(50, 60), 40);
    p.drawPath(shape);
    drawPattern(p, g, rng, shape);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 110));
    p.drawEllipse(QPointF(34, 44), 7, 11);
    drawMouth(p, g, QPointF(50, 74), 18);
    return {QPointF(50, 62), 22, QPointF(50, 50), 30};
}

Anchors beast(QPainter &p, const Genome &g, Rng &rng)
{
    // Tail.
    p.setPen(QPen(outlineOf(g.main), 7, Qt::SolidLine, Qt::RoundCap));
    QPainterPath tail;
    tail.moveTo(98, 62);
    tail.cubicTo(116, 56, 112, 34, 120, 28);
    p.setBrush(Qt::NoBrush);
    p.drawPath(tail);
    p.setPen(QPen(g.main, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(tail);
    // Legs.
    for (const double x : {44.0, 58.0, 84.0, 98.0}) {
        setBody(p, shade(g.main, x == 58.0 || x == 98.0 ? 0.75 : 0.9), QPointF(x, 84), 8);
        p.drawRoundedRect(QRectF(x - 5, 70, 10, 26), 4, 4);
    }
    QPainterPath body;
    body.addEllipse(QPointF(72, 64), 32, 20);
    setBody(p, g.main, QPointF(72, 64), 32);
    p.drawPath(body);
    drawPattern(p, g, rng, body);
    p.setPen(Qt::NoPen);
    p.setBrush(g.belly);
    p.drawEllipse(QPointF(72, 74), 22, 8);
    if (g.spikes)
        drawSpikes(p, g, QPointF(52, 46), QPointF(96, 48), 9);
    // Head with ears and snout.
    for (const double side : {-1.0, 1.0}) {
        QPainterPath ear;
        ear.moveTo(34 + side * 10, 30);
        ear.lineTo(34 + side * 14, 12);
        ear.lineTo(34 + side * 2, 24);
        ear.closeSubpath();
        setBody(p, g.main, QPointF(34, 20), 10);
        p.drawPath(ear);
    }
    setBody(p, g.main, QPointF(34, 42), 20);
    p.drawEllipse(QPointF(34, 42), 20, 18);
    setBody(p, g.belly, QPointF(30, 52), 10);
    p.drawEllipse(QPointF(30, 53), 12, 8);
    p.setBrush(QColor(30, 20, 24));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(30, 48), 3, 2);
    drawMouth(p, g, QPointF(30, 56), 12);
    return {QPointF(34, 38), 16, QPointF(76, 50), 30};
}

Anchors bird(QPainter &p, const Genome &g, Rng &rng)
{
    Genome winged = g;
    if (winged.wings == 0)
        winged.wings = 2;
    drawWings(p, winged, QPointF(57, 50), 56);
    // Feet.
    p.setPen(QPen(QColor(230, 170, 60), 3, Qt::SolidLine, Qt::RoundCap));
    for (const double x : {50.0, 64.0}) {
        p.drawLine(QPointF(x, 80), QPointF(x, 92));
        p.drawLine(QPointF(x, 92), QPointF(x - 5, 96));
        p.drawLine(QPointF(x, 92), QPointF(x + 5, 96));
    }
    QPainterPath body;
    body.addEllipse(QPointF(57, 58), 20, 26);
    setBody(p, g.main, QPointF(57, 58), 24);
    p.drawPath(body);
    drawPattern(p, g, rng, body);
    p.setPen(Qt::NoPen);
    p.setBrush(g.belly);
    p.drawEllipse(QPointF(57, 66), 12, 16);
    // Beak.
    QPainterPath beak;
    beak.moveTo(51, 50);
    beak.lineTo(57, 62);
    beak.lineTo(63, 50);
    beak.closeSubpath();
    p.setPen(QPen(QColor(120, 70, 10), 1));
    p.setBrush(QColor(250, 190, 60));
    p.drawPath(beak);
    return {QPointF(57, 42), 16, QPointF(57, 50), 24};
}

Anchors floatingEye(QPainter &p, const Genome &g, Rng &rng)
{
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 5; ++i) {
        const double x = 34 + i * 8;
        QPainterPath t;
        t.moveTo(x, 62);
        t.cubicTo(x - 8, 74, x + 8, 82, x + rng.real(-6, 6), 96);
        p.setPen(QPen(outlineOf(g.main), 5, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(t);
        p.setPen(QPen(shade(g.main, 0.8), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(t);
    }
    QPainterPath ball;
    ball.addEllipse(QPointF(50, 46), 30, 30);
    setBody(p, g.main, QPointF(50, 46), 30);
    p.drawPath(ball);
    drawPattern(p, g, rng, ball);
    Genome one = g;
    one.eyes = 1;
    drawEyes(p, one, QPointF(50, 44), 26);
    return {QPointF(50, 46), 28, QPointF(50, 44), 30};
}

Anchors ghost(QPainter &p, const Genome &g, Rng &)
{
    QPainterPath shape;
    shape.moveTo(22, 90);
    shape.lineTo(22, 44);
    shape.cubicTo(22, 14, 78, 14, 78, 44);
    shape.lineTo(78, 90);
    for (int i = 0; i < 4; ++i)
        shape.quadTo(78 - i * 14 - 7, 98 - (i % 2) * 10, 78 - (i + 1) * 14, 90);
    shape.closeSubpath();
    QLinearGradient grad(0, 20, 0, 96);
    grad.setColorAt(0, shade(g.belly, 1.2));
    grad.setColorAt(1, shade(g.main, 0.35));
    p.setPen(QPen(outlineOf(g.main), 1.5));
    p.setBrush(grad);
    p.drawPath(shape);
    // Arms.
    p.setBrush(shade(g.belly, 0.9));
    p.drawEllipse(QPointF(18, 58), 8, 5);
    p.drawEllipse(QPointF(82, 58), 8, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 10, 40));
    p.drawEllipse(QPointF(50, 64), 6, 8);
    return {QPointF(50, 44), 20, QPointF(50, 48), 28};
}

Anchors golem(QPainter &p, const Genome &g, Rng &rng)
{
    const QColor stone = mix(g.main, QColor(120, 116, 110), 0.55);
    auto slab = [&](const QRectF &r) {
        setBody(p, stone, r.center(), std::max(r.width(), r.height()) / 2);
        p.drawRoundedRect(r, 4, 4);
    };
    slab(QRectF(30, 76, 14, 20));
    slab(QRectF(56, 76, 14, 20));
    slab(QRectF(12, 40, 16, 38));
    slab(QRectF(72, 40, 16, 38));
    QPainterPath torso;
    torso.addRoundedRect(QRectF(26, 36, 48, 44), 6, 6);
    setBody(p, stone, QPointF(50, 58), 30);
    p.drawPath(torso);
    drawPattern(p, g, rng, torso);
    slab(QRectF(36, 14, 28, 26));
    // Cracks and moss.
    p.setPen(QPen(shade(stone, 0.35), 1.2));
    p.drawLine(QPointF(40, 44), QPointF(46, 56));
    p.drawLine(QPointF(46, 56), QPointF(42, 66));
    p.drawLine(QPointF(62, 48), QPointF(58, 60));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(80, 140, 60, 180));
    p.drawEllipse(QPointF(30, 40), 6, 3);
    p.drawEllipse(QPointF(70, 78), 5, 3);
    p.setBrush(g.accent);
    p.drawEllipse(QPointF(50, 58), 5, 5);
    Genome glowing = g;
    glowing.eyeStyle = 3;
    drawEyes(p, glowing, QPointF(50, 27), 12);
    return {QPointF(50, 26), 13, QPointF(50, 50), 28};
}

Anchors serpent(QPainter &p, const Genome &g, Rng &)
{
    QPainterPath spine;
    spine.moveTo(118, 90);
    spine.cubicTo(80, 100, 40, 92, 56, 74);
    spine.cubicTo(72, 56, 100, 64, 90, 46);
    spine.cubicTo(82, 32, 50, 40, 42, 34);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(outlineOf(g.main), 19, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(spine);
    p.setPen(QPen(g.main, 16, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(spine);
    p.setPen(QPen(g.belly, 5, Qt::SolidLine, Qt::RoundCap));
    p.translate(0, 4);
    p.drawPath(spine);
    p.translate(0, -4);
    if (g.stripes || g.spots) {
        p.setPen(QPen(shade(g.main, 0.5), 3, Qt::DashLine));
        p.drawPath(spine);
    }
    if (g.spikes)
        drawSpikes(p, g, QPointF(62, 64), QPointF(96, 50), 6);
    setBody(p, g.main, QPointF(34, 32), 16);
    p.drawEllipse(QPointF(34, 32), 18, 13);
    drawMouth(p, g, QPointF(26, 38), 14);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 40, 60));
    p.drawRect(QRectF(12, 37, 8, 1.5));
    return {QPointF(36, 28), 13, QPointF(80, 60), 26};
}

Anchors mushroom(QPainter &p, const Genome &g, Rng &rng)
{
    setBody(p, QColor(236, 222, 196), QPointF(50, 74), 22);
    p.drawRoundedRect(QRectF(34, 50, 32, 42), 12, 12);
    p.setBrush(QColor(120, 80, 60));
    p.drawEllipse(QPointF(40, 94), 7, 4);
    p.drawEllipse(QPointF(60, 94), 7, 4);
    QPainterPath cap;
    cap.moveTo(10, 56);
    cap.cubicTo(10, 12, 90, 12, 90, 56);
    cap.quadTo(50, 64, 10, 56);
    cap.closeSubpath();
    setBody(p, g.main, QPointF(50, 36), 40);
    p.drawPath(cap);
    p.setPen(Qt::NoPen);
    p.setBrush(shade(g.belly, 1.25));
    for (int i = 0; i < 6; ++i)
        p.drawEllipse(QPointF(rng.real(22, 78), rng.real(26, 48)), rng.real(3, 6), rng.real(3, 5));
    drawMouth(p, g, QPointF(50, 80), 12);
    return {QPointF(50, 68), 14, QPointF(50, 40), 36};
}

Anchors spider(QPainter &p, const Genome &g, Rng &rng)
{
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 4; ++i) {
        for (const double side : {-1.0, 1.0}) {
            const QPointF root(50 + side * 6, 58 + i * 3);
            const QPointF knee = root + QPointF(side * (20 + i * 3), -18 + i * 4);
            const QPointF foot = knee + QPointF(side * (10 + i * 2), 36 - i * 2);
            p.setPen(QPen(outlineOf(g.main), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPolyline(QPolygonF({root, knee, foot}));
            p.setPen(QPen(shade(g.main, 0.8), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPolyline(QPolygonF({root, knee, foot}));
        }
    }
    QPainterPath abdomen;
    abdomen.addEllipse(QPointF(50, 44), 22, 20);
    setBody(p, g.main, QPointF(50, 44), 22);
    p.drawPath(abdomen);
    drawPattern(p, g, rng, abdomen);
    p.setPen(Qt::NoPen);
    p.setBrush(g.accent);
    p.drawEllipse(QPointF(50, 40), 5, 8);
    setBody(p, shade(g.main, 0.85), QPointF(50, 68), 14);
    p.drawEllipse(QPointF(50, 68), 15, 12);
    p.setPen(QPen(QColor(30, 20, 20), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(45, 78), QPointF(43, 86));
    p.drawLine(QPointF(55, 78), QPointF(57, 86));
    return {QPointF(50, 67), 12, QPointF(50, 44), 22};
}

Anchors plant(QPainter &p, const Genome &g, Rng &)
{
    const QColor leaf(70, 150, 70);
    p.setPen(QPen(shade(leaf, 0.4), 6, Qt::SolidLine, Qt::RoundCap));
    QPainterPath stem;
    stem.moveTo(50, 96);
    stem.cubicTo(40, 80, 60, 66, 50, 50);
    p.setBrush(Qt::NoBrush);
    p.drawPath(stem);
    p.setPen(QPen(leaf, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(stem);
    for (const double side : {-1.0, 1.0}) {
        QPainterPath l;
        l.moveTo(50, 90);
        l.quadTo(50 + side * 30, 70, 50 + side * 36, 88);
        l.quadTo(50 + side * 20, 96, 50, 90);
        setBody(p, leaf, QPointF(50 + side * 20, 86), 16);
        p.drawPath(l);
    }
    const int petals = 8;
    for (int k = 0; k < petals; ++k) {
        const double a = 2 * M_PI * k / petals;
        p.save();
        p.translate(50, 40);
        p.rotate(a * 180 / M_PI);
        setBody(p, g.main, QPointF(24, 0), 12);
        p.drawEllipse(QPointF(24, 0), 13, 8);
        p.restore();
    }
    setBody(p, g.accent, QPointF(50, 40), 18);
    p.drawEllipse(QPointF(50, 40), 18, 18);
    Genome fanged = g;
    fanged.teeth = true;
    drawMouth(p, fanged, QPointF(50, 46), 20);
    return {QPointF(50, 34), 14, QPointF(50, 40), 24};
}

Anchors imp(QPainter &p, const Genome &g, Rng &rng)
{
    Genome winged = g;
    if (winged.wings == 0)
        winged.wings = 1;
    drawWings(p, winged, QPointF(50, 50), 50);
    // Tail with an arrow tip.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(shade(g.main, 0.7), 3, Qt::SolidLine, Qt::RoundCap));
    QPainterPath tail;
    tail.moveTo(58, 78);
    tail.cubicTo(80, 92, 90, 70, 84, 60);
    p.drawPath(tail);
    p.setPen(QPen(outlineOf(g.main), 1));
    p.setBrush(shade(g.main, 0.7));
    QPainterPath tip;
    tip.moveTo(84, 52);
    tip.lineTo(90, 62);
    tip.lineTo(78, 62);
    tip.closeSubpath();
    p.drawPath(tip);
    for (const double x : {42.0, 58.0}) {
        setBody(p, shade(g.main, 0.8), QPointF(x, 86), 8);
        p.drawRoundedRect(QRectF(x - 5, 74, 10, 22), 4, 4);
    }
    QPainterPath body;
    body.addEllipse(QPointF(50, 64), 17, 18);
    setBody(p, g.main, QPointF(50, 64), 18);
    p.drawPath(body);
    drawPattern(p, g, rng, body);
    setBody(p, g.main, QPointF(28, 62), 6);
    p.drawEllipse(QPointF(30, 62), 5, 10);
    p.drawEllipse(QPointF(70, 62), 5, 10);
    setBody(p, g.main, QPointF(50, 36), 17);
    p.drawEllipse(QPointF(50, 36), 17, 16);
    // Pointed ears.
    for (const double side : {-1.0, 1.0}) {
        QPainterPath ear;
        ear.moveTo(50 + side * 14, 32);
        ear.lineTo(50 + side * 26, 26);
        ear.lineTo(50 + side * 15, 40);
        ear.closeSubpath();
        p.drawPath(ear);
    }
    Genome grin = g;
    grin.teeth = true;
    drawMouth(p, grin, QPointF(50, 43), 14);
    Genome horned = g;
    if (horned.horns == 0)
        horned.horns = 1;
    drawHorns(p, horned, QPointF(50, 34), 14);
    return {QPointF(50, 33), 13, QPointF(50, 50), 22};
}

Anchors dragon(QPainter &p, const Genome &g, Rng &rng)
{
    Genome winged = g;
    winged.wings = 1;
    drawWings(p, winged, QPointF(76, 48), 60);
    // Tail.
    QPainterPath tail;
    tail.moveTo(96, 68);
    tail.cubicTo(116, 74, 118, 92, 124, 90);
    tail.cubicTo(112, 98, 100, 84, 88, 80);
    tail.closeSubpath();
    setBody(p, g.main, QPointF(110, 84), 14);
    p.drawPath(tail);
    for (const double x : {56.0, 92.0}) {
        setBody(p, shade(g.main, 0.8), QPointF(x, 86), 8);
        p.drawRoundedRect(QRectF(x - 7, 72, 14, 24), 5, 5);
    }
    QPainterPath body;
    body.addEllipse(QPointF(76, 66), 28, 19);
    setBody(p, g.main, QPointF(76, 66), 28);
    p.drawPath(body);
    drawPattern(p, g, rng, body);
    // Belly plates.
    p.setPen(QPen(shade(g.belly, 0.6), 1));
    p.setBrush(g.belly);
    for (int i = 0; i < 4; ++i)
        p.drawRoundedRect(QRectF(60 + i * 9, 72, 8, 10), 2, 2);
    drawSpikes(p, g, QPointF(56, 48), QPointF(98, 52), 7);
    // Neck and head.
    QPainterPath neck;
    neck.moveTo(56, 56);
    neck.cubicTo(40, 52, 38, 38, 34, 30);
    neck.lineTo(46, 28);
    neck.cubicTo(50, 38, 56, 44, 66, 50);
    neck.closeSubpath();
    setBody(p, g.main, QPointF(46, 40), 16);
    p.drawPath(neck);
    QPainterPath head;
    head.moveTo(48, 22);
    head.cubicTo(44, 12, 22, 14, 14, 26);
    head.lineTo(12, 34);
    head.cubicTo(24, 38, 40, 38, 50, 32);
    head.closeSubpath();
    setBody(p, g.main, QPointF(32, 26), 18);
    p.drawPath(head);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 10, 10));
    p.drawEllipse(QPointF(16, 26), 1.6, 1.2);
    drawMouth(p, g, QPointF(24, 33), 14);
    Genome horned = g;
    if (horned.horns == 0)
        horned.horns = 1;
    drawHorns(p, horned, QPointF(40, 22), 10);
    return {QPointF(34, 23), 9, QPointF(76, 50), 28};
}

Anchors elemental(QPainter &p, const Genome &g, Rng &rng)
{
    QPainterPath flame;
    flame.moveTo(50, 96);
    flame.cubicTo(14, 94, 16, 60, 28, 48);
    flame.cubicTo(26, 60, 36, 62, 36, 50);
    flame.cubicTo(34, 32, 46, 20, 50, 4);
    flame.cubicTo(56, 22, 72, 30, 66, 52);
    flame.cubicTo(70, 58, 76, 52, 74, 42);
    flame.cubicTo(88, 58, 86, 94, 50, 96);
    QRadialGradient heat(50, 70, 46);
    heat.setColorAt(0, shade(g.belly, 1.4));
    heat.setColorAt(0.5, g.main);
    heat.setColorAt(1, shade(g.main, 0.4));
    p.setPen(QPen(shade(g.main, 0.5), 1.4));
    p.setBrush(heat);
    p.drawPath(flame);
    QPainterPath inner;
    inner.moveTo(50, 92);
    inner.cubicTo(30, 90, 34, 64, 44, 56);
    inner.cubicTo(46, 64, 54, 62, 52, 44);
    inner.cubicTo(66, 56, 72, 90, 50, 92);
    QColor core = shade(g.belly, 1.5);
    core.setAlpha(200);
    p.setPen(Qt::NoPen);
    p.setBrush(core);
    p.drawPath(inner);
    for (int i = 0; i < 5; ++i) {
        QColor ember = g.accent;
        ember.setAlpha(200);
        p.setBrush(ember);
        p.drawEllipse(QPointF(rng.real(20, 80), rng.real(10, 50)), 1.5, 1.5);
    }
    return {QPointF(50, 64), 18, QPointF(50, 60), 28};
}

Anchors fish(QPainter &p, const Genome &g, Rng &rng)
{
    QPainterPath tailFin;
    tailFin.moveTo(96, 50);
    tailFin.lineTo(122, 28);
    tailFin.quadTo(112, 50, 122, 74);
    tailFin.closeSubpath();
    setBody(p, g.accent, QPointF(110, 50), 16);
    p.drawPath(tailFin);
    QPainterPath dorsal;
    dorsal.moveTo(46, 30);
    dorsal.quadTo(66, 4, 86, 32);
    dorsal.closeSubpath();
    p.drawPath(dorsal);
    QPainterPath body;
    body.moveTo(10, 50);
    body.cubicTo(20, 20, 80, 18, 100, 50);
    body.cubicTo(80, 80, 20, 80, 10, 50);
    setBody(p, g.main, QPointF(55, 50), 44);
    p.drawPath(body);
    drawPattern(p, g, rng, body);
    p.setPen(QPen(shade(g.main, 0.5), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(34, 34, 16, 32), -60 * 16, 120 * 16);
    Genome fanged = g;
    fanged.teeth = true;
    drawMouth(p, fanged, QPointF(20, 56), 14);
    p.setPen(QPen(QColor(160, 220, 255, 180), 1));
    for (int i = 0; i < 3; ++i)
        p.drawEllipse(QPointF(8 + i * 5, 30 - i * 8), 2.0 + i, 2.0 + i);
    return {QPointF(34, 46), 14, QPointF(60, 40), 30};
}

Anchors skull(QPainter &p, const Genome &g, Rng &)
{
    // Wisps beneath.
    for (int i = 0; i < 3; ++i) {
        QColor wisp = g.main;
        wisp.setAlpha(120);
        p.setPen(QPen(wisp, 6 - i, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        QPainterPath w;
        w.moveTo(40 + i * 10, 74);
        w.cubicTo(30 + i * 12, 84, 56 + i * 6, 88, 46 + i * 10, 98);
        p.drawPath(w);
    }
    const QColor bone(232, 224, 204);
    setBody(p, bone, QPointF(50, 42), 30);
    p.drawEllipse(QPointF(50, 42), 30, 28);
    p.drawRoundedRect(QRectF(34, 60, 32, 18), 6, 6);
    p.setPen(QPen(shade(bone, 0.5), 1.2));
    for (int i = 0; i < 5; ++i)
        p.drawLine(QPointF(38 + i * 6, 64), QPointF(38 + i * 6, 76));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 12, 20));
    p.drawEllipse(QPointF(38, 44), 9, 10);
    p.drawEllipse(QPointF(62, 44), 9, 10);
    QPainterPath nose;
    nose.moveTo(50, 52);
    nose.lineTo(46, 60);
    nose.lineTo(54, 60);
    nose.closeSubpath();
    p.drawPath(nose);
    Genome glow = g;
    glow.eyeStyle = 3;
    glow.eyes = 2;
    drawEyes(p, glow, QPointF(50, 45), 30);
    return {QPointF(50, 40), 28, QPointF(50, 44), 30};
}

} // namespace

QImage drawMonster(int picture)
{
    const Genome g = genomeFor(picture);
    Rng rng(777 + picture * 31337);
    const int height = std::min(128, 84 + static_cast<int>(g.tier * 36) + rng.range(9));
    const int width = std::min(180, static_cast<int>(std::lround(height * g.boxWidth / 100.0)));
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double scale = std::min(width / g.boxWidth, height / 100.0) * 0.94;
    p.translate((width - g.boxWidth * scale) / 2, height - 100 * scale - height * 0.02);
    p.scale(scale, scale);

    if (g.aura) {
        QRadialGradient aura(g.boxWidth / 2, 55, 60);
        QColor inner = g.accent;
        inner.setAlpha(110);
        QColor outer = g.accent;
        outer.setAlpha(0);
        aura.setColorAt(0, inner);
        aura.setColorAt(1, outer);
        p.setPen(Qt::NoPen);
        p.setBrush(aura);
        p.drawEllipse(QPointF(g.boxWidth / 2, 55), 62, 52);
    }
    // Ground shadow.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 38, 48));
    p.drawEllipse(QPointF(g.boxWidth / 2, 96), g.boxWidth * (g.floating ? 0.22 : 0.36), 3.5);

    // Wings behind the body for the plans that do not draw their own.
    const bool ownWings = g.body == Bird || g.body == Imp || g.body == Dragon;
    if (!ownWings && g.wings != 0) {
        const QPointF back(g.boxWidth / 2,
                           g.body == Beast || g.body == Serpent || g.body == Fish ? 44 : 46);
        drawWings(p, g, back, 52);
    }

    Anchors a;
    switch (g.body) {
    case Slime:
        a = slime(p, g, rng);
        break;
    case Beast:
        a = beast(p, g, rng);
        break;
    case Bird:
        a = bird(p, g, rng);
        break;
    case FloatingEye:
        a = floatingEye(p, g, rng);
        break;
    case Ghost:
        a = ghost(p, g, rng);
        break;
    case Golem:
        a = golem(p, g, rng);
        break;
    case Serpent:
        a = serpent(p, g, rng);
        break;
    case Mushroom:
        a = mushroom(p, g, rng);
        break;
    case Spider:
        a = spider(p, g, rng);
        break;
    case Plant:
        a = plant(p, g, rng);
        break;
    case Imp:
        a = imp(p, g, rng);
        break;
    case Dragon:
        a = dragon(p, g, rng);
        break;
    case Elemental:
        a = elemental(p, g, rng);
        break;
    case Fish:
        a = fish(p, g, rng);
        break;
    default:
        a = skull(p, g, rng);
        break;
    }
    // The face and the head's extras.
    if (g.body != FloatingEye && g.body != Golem && g.body != Skull)
        drawEyes(p, g, a.head, a.headR);
    // Imps and dragons grow their own horns; a mushroom's face is on its stem.
    if (g.body != Imp && g.body != Dragon && g.body != Mushroom)
        drawHorns(p, g, a.head, a.headR);
    if (g.crown)
        drawCrown(p, a.head + QPointF(0, -(g.horns != 0 ? a.headR * 0.3 : 0)), a.headR);
    if (g.spikes && (g.body == Slime || g.body == Golem || g.body == FloatingEye))
        drawSpikes(p, g, a.back + QPointF(-a.bodyR * 0.6, -a.bodyR * 0.9),
                   a.back + QPointF(a.bodyR * 0.6, -a.bodyR * 0.9), 6);
    return image;
}

} // namespace rpggen
