// The 95 character sheets: 3 walking frames (columns) x 4 facings (rows: down, left,
// right, up) of 32 x 32 pixel-art figures on white. White is the transparent colour of
// the game, so no pixel of a figure is pure white.

#include "art.h"

#include <QPainter>

namespace rpggen
{

namespace
{

enum View { Front, Side, Back };

enum HairStyle { Short, Long, Spiky, Ponytail, TwinTails, Bob, Bald };

enum Headgear { NoHat, Helmet, WizardHat, Hood, Crown, Bandana, CatEars, Horns, Cap, Tiara };

enum Outfit { Tunic, Robe, Armour, Dress };

struct Look {
    QColor skin;
    QColor hair;
    QColor eye;
    QColor top;
    QColor bottom;
    QColor shoe;
    QColor accent;
    QColor cape;
    QColor hat;
    HairStyle hairStyle = Short;
    Headgear headgear = NoHat;
    Outfit outfit = Tunic;
    bool hasCape = false;
    bool beard = false;
    bool elfEars = false;
    bool blush = false;
};

/// A 32 x 32 pixel canvas; transparent until painted.
class Canvas
{
public:
    Canvas()
        : m_image(32, 32, QImage::Format_ARGB32)
    {
        m_image.fill(Qt::transparent);
    }

    void px(int x, int y, const QColor &c)
    {
        if (x >= 0 && x < 32 && y >= 0 && y < 32)
            m_image.setPixel(x, y, c.rgb());
    }
    bool isSet(int x, int y) const
    {
        return x >= 0 && x < 32 && y >= 0 && y < 32 && qAlpha(m_image.pixel(x, y)) != 0;
    }
    void rect(int x, int y, int w, int h, const QColor &c)
    {
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i)
                px(i, j, c);
    }
    /// A rectangle lit from the left: the rightmost columns darker.
    void shadedRect(int x, int y, int w, int h, const QColor &c, int darkColumns = 2)
    {
        rect(x, y, w, h, c);
        if (w > darkColumns + 1)
            rect(x + w - darkColumns, y, darkColumns, h, shade(c, 0.78));
    }
    /// Pixels whose centre lies inside the ellipse, shaded from the top left.
    enum Shading { Flat, Soft, Full };
    void ellipse(double cx, double cy, double rx, double ry, const QColor &c,
                 Shading shading = Full)
    {
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const double dx = (x + 0.5 - cx) / rx;
                const double dy = (y + 0.5 - cy) / ry;
                if (dx * dx + dy * dy > 1.0)
                    continue;
                QColor pc = c;
                const double light = dx * 0.6 + dy * 0.8;
                if (shading == Full) {
                    if (light > 0.55)
                        pc = shade(c, 0.78);
                    else if (light < -0.65)
                        pc = shade(c, 1.18);
                } else if (shading == Soft && dx > 0.8) {
                    pc = shade(c, 0.88);
                }
                px(x, y, pc);
            }
        }
    }
    /// Clears pixels (for cut-outs).
    void clear(int x, int y)
    {
        if (x >= 0 && x < 32 && y >= 0 && y < 32)
            m_image.setPixel(x, y, 0);
    }
    void mirror() { m_image = m_image.mirrored(true, false); }

    /// A one-pixel dark outline around the figure.
    void outline(const QColor &c)
    {
        const QImage before = m_image;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                if (qAlpha(before.pixel(x, y)) != 0)
                    continue;
                bool edge = false;
                for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const int nx = x + d.x();
                    const int ny = y + d.y();
                    if (nx >= 0 && nx < 32 && ny >= 0 && ny < 32 &&
                        qAlpha(before.pixel(nx, ny)) != 0)
                        edge = true;
                }
                if (edge)
                    m_image.setPixel(x, y, c.rgb());
            }
        }
    }
    /// White is the game's transparent colour: nothing of a figure may be pure white.
    void avoidWhite()
    {
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const QRgb v = m_image.pixel(x, y);
                if (qAlpha(v) != 0 && qRed(v) > 248 && qGreen(v) > 248 && qBlue(v) > 248)
                    m_image.setPixel(x, y, qRgb(246, 246, 250));
            }
        }
    }
    const QImage &image() const { return m_image; }

private:
    QImage m_image;
};

const QColor Outline(34, 26, 38);

QColor pick(Rng &rng, std::initializer_list<QColor> colours)
{
    const int i = rng.range(static_cast<int>(colours.size()));
    return *(colours.begin() + i);
}

Look lookFor(int number)
{
    Rng rng(5000 + number * 7919);
    Look look;
    look.skin = pick(rng, {QColor(255, 222, 196), QColor(246, 204, 170), QColor(226, 176, 132),
                           QColor(196, 140, 100), QColor(140, 96, 66), QColor(250, 214, 186)});
    look.hair = pick(rng, {QColor(40, 32, 30), QColor(96, 60, 36), QColor(236, 196, 92),
                           QColor(190, 70, 40), QColor(200, 200, 214), QColor(60, 90, 180),
                           QColor(230, 120, 170), QColor(70, 150, 90), QColor(130, 70, 170),
                           QColor(150, 100, 60)});
    look.eye = pick(
        rng, {QColor(30, 30, 60), QColor(40, 90, 160), QColor(50, 110, 60), QColor(120, 50, 40)});
    const double hue = rng.real(0, 360);
    look.top = hsv(hue, rng.real(0.45, 0.8), rng.real(0.55, 0.85));
    look.bottom = hsv(hue + rng.real(150, 210), rng.real(0.2, 0.5), rng.real(0.3, 0.55));
    look.shoe = hsv(rng.real(15, 35), 0.5, rng.real(0.25, 0.4));
    look.accent = hsv(hue + rng.real(90, 140), 0.7, 0.95);
    look.cape = hsv(hue + rng.real(-40, 40) + 180, 0.65, 0.6);
    look.hat = hsv(hue + rng.real(-30, 30), 0.6, 0.6);
    look.blush = rng.chance(0.4);

    switch (number % 12) {
    case 0: // adventurer
        look.hairStyle = rng.chance(0.5) ? Spiky : Short;
        look.hasCape = rng.chance(0.5);
        break;
    case 1: // knight
        look.headgear = Helmet;
        look.outfit = Armour;
        look.hasCape = true;
        look.hat = hsv(rng.real(200, 230), 0.12, rng.real(0.7, 0.85));
        break;
    case 2: // mage
        look.headgear = WizardHat;
        look.outfit = Robe;
        look.hairStyle = rng.chance(0.5) ? Long : Short;
        look.hat = look.top;
        break;
    case 3: // cleric
        look.headgear = Hood;
        look.outfit = Robe;
        look.top = hsv(hue, rng.real(0.1, 0.3), 0.9);
        look.hat = shade(look.top, 0.92);
        break;
    case 4: // thief
        look.headgear = Bandana;
        look.top = hsv(hue, 0.3, 0.35);
        look.hat = hsv(hue + 180, 0.7, 0.75);
        look.hasCape = rng.chance(0.3);
        break;
    case 5: // royal
        look.headgear = rng.chance(0.5) ? Crown : Tiara;
        look.outfit = Dress;
        look.hairStyle = rng.chance(0.5) ? Long : TwinTails;
        look.hasCape = rng.chance(0.4);
        break;
    case 6: // monk
        look.hairStyle = rng.chance(0.6) ? Bald : Ponytail;
        look.top = hsv(rng.real(20, 40), 0.8, 0.9);
        break;
    case 7: // elf
        look.hairStyle = rng.chance(0.5) ? Long : Ponytail;
        look.elfEars = true;
        look.top = hsv(rng.real(90, 150), 0.55, 0.55);
        look.hasCape = rng.chance(0.5);
        break;
    case 8: // cat folk
        look.headgear = CatEars;
        look.hairStyle = rng.chance(0.5) ? Bob : Short;
        break;
    case 9: // demon kin
        look.headgear = Horns;
        look.hairStyle = rng.chance(0.5) ? Spiky : Long;
        look.top = hsv(rng.real(260, 360), 0.6, 0.35);
        look.hasCape = true;
        look.cape = hsv(rng.real(340, 370), 0.8, 0.45);
        break;
    case 10: // villager
        look.headgear = rng.chance(0.6) ? Cap : NoHat;
        look.hairStyle = rng.chance(0.5) ? Bob : Short;
        look.outfit = rng.chance(0.3) ? Dress : Tunic;
        break;
    default: // sage
        look.headgear = rng.chance(0.5) ? Hood : WizardHat;
        look.outfit = Robe;
        look.beard = true;
        look.hair = QColor(206, 206, 214);
        look.hat = hsv(hue, 0.4, 0.45);
        look.top = hsv(hue, 0.35, 0.5);
        break;
    }
    return look;
}

// Legs and feet for a walking frame (0, 1, 2) seen from the front or the back.
void frontLegs(Canvas &c, const Look &look, int frame)
{
    const int leftLift = frame == 0 ? 1 : 0;
    const int rightLift = frame == 2 ? 1 : 0;
    if (look.outfit == Robe || look.outfit == Dress) {
        const QColor cloth = look.outfit == Robe ? look.top : look.bottom;
        for (int y = 22; y <= 27; ++y) {
            const int spread = (y - 22) / 2;
            c.shadedRect(11 - spread, y, 10 + 2 * spread, 1, cloth, 2 + spread / 2);
        }
        c.rect(12, 28 - leftLift, 3, 2, look.shoe);
        c.rect(17, 28 - rightLift, 3, 2, look.shoe);
        return;
    }
    c.rect(12, 23, 3, 5 - leftLift, look.bottom);
    c.rect(17, 23, 3, 5 - rightLift, shade(look.bottom, 0.85));
    c.rect(12, 28 - leftLift, 3, 2, look.shoe);
    c.rect(17, 28 - rightLift, 3, 2, look.shoe);
}

void frontBody(Canvas &c, const Look &look, int frame, bool back)
{
    const QColor top = look.outfit == Armour ? look.hat : look.top;
    c.shadedRect(11, 16, 10, 7, top);
    if (look.outfit == Armour) {
        c.rect(11, 16, 10, 1, shade(top, 1.25));
        c.rect(15, 17, 2, 5, shade(top, 0.8));
        c.rect(11, 22, 10, 1, look.accent);
    } else if (look.outfit == Tunic && !back) {
        c.rect(11, 21, 10, 1, look.shoe);
        c.px(15, 21, look.accent);
        c.rect(14, 16, 4, 1, shade(top, 0.7));
        c.rect(15, 16, 2, 1, look.skin);
        c.px(15, 17, shade(top, 0.7));
        c.px(16, 17, shade(top, 0.7));
    } else if (look.outfit == Dress && !back) {
        c.rect(12, 16, 8, 1, look.accent);
    } else if (look.outfit == Robe && !back) {
        c.rect(15, 16, 2, 7, look.accent);
    }
    // Arms swing against the legs.
    const int leftSwing = frame == 0 ? -1 : (frame == 2 ? 1 : 0);
    const int rightSwing = -leftSwing;
    const QColor sleeve = shade(top, 0.9);
    c.rect(9, 17 + leftSwing, 2, 4, sleeve);
    c.rect(21, 17 + rightSwing, 2, 4, shade(sleeve, 0.85));
    c.rect(9, 21 + leftSwing, 2, 2, look.skin);
    c.rect(21, 21 + rightSwing, 2, 2, shade(look.skin, 0.9));
}

void frontHead(Canvas &c, const Look &look, bool back)
{
    if (look.elfEars) {
        c.rect(7, 9, 2, 2, look.skin);
        c.px(6, 8, look.skin);
        c.rect(23, 9, 2, 2, shade(look.skin, 0.9));
        c.px(25, 8, shade(look.skin, 0.9));
    }
    // Hair that falls behind the head.
    if (look.hairStyle == Long) {
        if (back) {
            c.rect(8, 8, 16, 10, shade(look.hair, 0.85));
        } else {
            // Falling down both sides of the face to the shoulders.
            c.rect(8, 8, 3, 10, shade(look.hair, 0.85));
            c.rect(21, 8, 3, 10, shade(look.hair, 0.75));
        }
    } else if (look.hairStyle == TwinTails) {
        c.ellipse(6.5, 13, 2.5, 5, look.hair);
        c.ellipse(25.5, 13, 2.5, 5, look.hair);
    } else if (look.hairStyle == Ponytail && back) {
        c.rect(14, 14, 4, 6, shade(look.hair, 0.9));
    }
    if (back) {
        c.ellipse(16, 10, 7, 6.5, look.hairStyle == Bald ? look.skin : look.hair);
        return;
    }
    c.ellipse(16, 10, 7, 6.5, look.skin, Canvas::Soft);
    // The face.
    c.rect(12, 10, 1, 2, look.eye);
    c.rect(19, 10, 1, 2, look.eye);
    c.px(12, 10, shade(look.eye, 0.5));
    c.px(19, 10, shade(look.eye, 0.5));
    if (look.blush) {
        c.px(11, 13, QColor(240, 150, 150));
        c.px(20, 13, QColor(240, 150, 150));
    }
    c.px(15, 14, shade(look.skin, 0.75));
    c.px(16, 14, shade(look.skin, 0.75));
    // Hair on top and at the sides.
    if (look.hairStyle != Bald) {
        for (int y = 3; y <= 8; ++y)
            for (int x = 8; x <= 23; ++x)
                if (c.isSet(x, y))
                    c.px(x, y, y <= 4 ? shade(look.hair, 1.15) : look.hair);
        for (const int x : {9, 10, 13, 14, 17, 18, 21, 22})
            c.px(x, 9, look.hair);
        c.rect(9, 9, 1, look.hairStyle == Bob ? 6 : 4, look.hair);
        c.rect(22, 9, 1, look.hairStyle == Bob ? 6 : 4, shade(look.hair, 0.85));
        if (look.hairStyle == Bob) {
            c.rect(8, 10, 1, 5, look.hair);
            c.rect(23, 10, 1, 5, shade(look.hair, 0.85));
        }
        if (look.hairStyle == Spiky) {
            for (const int x : {10, 14, 18, 22}) {
                c.px(x, 3, look.hair);
                c.px(x, 2, look.hair);
                c.px(x + 1, 3, look.hair);
            }
        }
    } else {
        c.px(13, 5, shade(look.skin, 1.3));
    }
    if (look.beard) {
        for (int y = 12; y <= 18; ++y)
            c.rect(11 + (y - 12) / 2, y, 10 - (y - 12), 1, look.hair);
        c.px(15, 13, shade(look.skin, 0.7));
        c.px(16, 13, shade(look.skin, 0.7));
    }
}

void frontHeadgear(Canvas &c, const Look &look, bool back)
{
    switch (look.headgear) {
    case Helmet:
        c.ellipse(16, 8, 8, 6, look.hat);
        c.rect(8, 8, 2, 6, shade(look.hat, 0.9));
        c.rect(22, 8, 2, 6, shade(look.hat, 0.75));
        if (!back)
            c.rect(10, 8, 12, 1, shade(look.hat, 0.6));
        c.rect(15, 0, 2, 3, look.accent);
        c.rect(14, 1, 4, 1, shade(look.accent, 0.85));
        break;
    case WizardHat:
        c.ellipse(16, 6.5, 10, 2.2, shade(look.hat, 0.9));
        for (int y = 0; y <= 5; ++y)
            c.shadedRect(16 - (y + 1) / 2 - 1 + (y < 2 ? 2 : 0), y, (y + 1) + 2, 1, look.hat, 1);
        c.rect(11, 5, 10, 1, look.accent);
        break;
    case Hood:
        c.ellipse(16, 9.5, 8.5, 7.5, look.hat);
        if (!back)
            c.ellipse(16, 11, 6, 5, look.skin, Canvas::Soft);
        if (!back) {
            c.rect(12, 10, 1, 2, look.eye);
            c.rect(19, 10, 1, 2, look.eye);
            c.px(15, 14, shade(look.skin, 0.75));
            c.px(16, 14, shade(look.skin, 0.75));
            if (look.beard)
                for (int y = 13; y <= 17; ++y)
                    c.rect(11 + (y - 13) / 2, y, 10 - (y - 13), 1, look.hair);
        }
        break;
    case Crown: {
        const QColor gold(236, 190, 60);
        c.rect(10, 3, 12, 2, gold);
        for (const int x : {10, 15, 20}) {
            c.px(x, 1, gold);
            c.px(x + 1, 2, gold);
            c.px(x, 2, gold);
        }
        c.px(16, 3, look.accent);
        break;
    }
    case Tiara:
        c.rect(10, 5, 12, 1, QColor(230, 200, 110));
        if (!back)
            c.px(16, 4, look.accent);
        break;
    case Bandana:
        c.rect(9, 5, 14, 2, look.hat);
        c.rect(9, 7, 14, 1, shade(look.hat, 0.75));
        c.px(23, 7, look.hat);
        c.px(24, 8, look.hat);
        c.px(24, 9, shade(look.hat, 0.8));
        break;
    case CatEars:
        for (int i = 0; i < 4; ++i) {
            c.rect(9, 1 + i, 1 + i, 1, look.hair);
            c.rect(23 - i, 1 + i, 1 + i, 1, look.hair);
        }
        if (!back) {
            c.px(10, 3, QColor(240, 160, 170));
            c.px(22, 3, QColor(240, 160, 170));
        }
        break;
    case Horns: {
        // Curving outwards and up from the temples.
        const QColor bone(226, 214, 184);
        const QPoint left[] = {{9, 5}, {10, 5}, {8, 4}, {9, 4}, {7, 3}, {8, 3}, {7, 2}, {7, 1}};
        for (const QPoint q : left) {
            c.px(q.x(), q.y(), q.y() <= 2 ? shade(bone, 0.8) : bone);
            c.px(31 - q.x(), q.y(), shade(q.y() <= 2 ? shade(bone, 0.8) : bone, 0.9));
        }
        break;
    }
    case Cap:
        c.ellipse(16, 6, 7.5, 4, look.hat);
        if (!back)
            c.rect(10, 8, 12, 1, shade(look.hat, 0.7));
        break;
    case NoHat:
        break;
    }
}

// Side views face left; the right-facing row is their mirror.
void sideLegs(Canvas &c, const Look &look, int frame)
{
    if (look.outfit == Robe || look.outfit == Dress) {
        const QColor cloth = look.outfit == Robe ? look.top : look.bottom;
        for (int y = 22; y <= 27; ++y) {
            const int spread = (y - 22) / 2;
            c.shadedRect(12 - spread, y, 8 + spread, 1, cloth, 2);
        }
        const int step = frame == 1 ? 0 : (frame == 0 ? -1 : 1);
        c.rect(12 + step, 28, 3, 2, look.shoe);
        c.rect(16 - step, 28, 3, 2, shade(look.shoe, 0.8));
        return;
    }
    if (frame == 1) {
        c.rect(14, 23, 4, 5, look.bottom);
        c.rect(13, 28, 5, 2, look.shoe);
        return;
    }
    // The far leg darker, the legs apart.
    const bool leftFront = frame == 0;
    c.rect(leftFront ? 17 : 11, 23, 3, 5, shade(look.bottom, 0.75));
    c.rect(leftFront ? 17 : 10, 28, 4, 2, shade(look.shoe, 0.8));
    c.rect(leftFront ? 11 : 17, 23, 3, 5, look.bottom);
    c.rect(leftFront ? 10 : 17, 28, 4, 2, look.shoe);
}

void sideBody(Canvas &c, const Look &look, int frame)
{
    const QColor top = look.outfit == Armour ? look.hat : look.top;
    c.shadedRect(12, 16, 8, 7, top);
    if (look.outfit == Tunic)
        c.rect(12, 21, 8, 1, look.shoe);
    if (look.outfit == Armour)
        c.rect(12, 22, 8, 1, look.accent);
    const int swing = frame == 0 ? -2 : (frame == 2 ? 2 : 0);
    c.rect(15 + swing, 17, 2, 4, shade(top, 0.85));
    c.rect(15 + swing, 21, 2, 2, look.skin);
}

void sideHead(Canvas &c, const Look &look)
{
    if (look.hairStyle == Long)
        c.rect(15, 8, 8, 10, shade(look.hair, 0.85));
    if (look.hairStyle == Ponytail) {
        c.rect(21, 9, 3, 2, look.hair);
        c.rect(22, 11, 2, 5, shade(look.hair, 0.85));
    }
    if (look.hairStyle == TwinTails)
        c.ellipse(22, 13, 2.5, 5, look.hair);
    c.ellipse(15.5, 10, 7, 6.5, look.skin, Canvas::Soft);
    c.px(8, 11, look.skin); // nose
    c.rect(11, 10, 1, 2, look.eye);
    c.px(11, 10, shade(look.eye, 0.5));
    if (look.blush)
        c.px(12, 13, QColor(240, 150, 150));
    c.px(10, 14, shade(look.skin, 0.75));
    if (look.hairStyle != Bald) {
        for (int y = 3; y <= 16; ++y) {
            for (int x = 8; x <= 23; ++x) {
                const bool top = y <= 7;
                const bool backOfHead = x >= 15 + (y > 12 ? 1 : 0);
                if (c.isSet(x, y) &&
                    (top || (backOfHead &&
                             y <= (look.hairStyle == Short || look.hairStyle == Spiky ? 13 : 16))))
                    c.px(x, y, y <= 4 ? shade(look.hair, 1.15) : look.hair);
            }
        }
        c.px(10, 8, look.hair);
        c.px(11, 8, look.hair);
        if (look.hairStyle == Spiky) {
            for (const int x : {12, 16, 20}) {
                c.px(x, 2, look.hair);
                c.px(x + 1, 2, look.hair);
                c.px(x + 2, 1, look.hair);
            }
        }
        if (look.hairStyle == Bob)
            c.rect(15, 13, 8, 3, look.hair);
    }
    if (look.elfEars) {
        c.rect(17, 9, 2, 2, look.skin);
        c.px(19, 8, look.skin);
    }
    if (look.beard) {
        for (int y = 12; y <= 17; ++y)
            c.rect(8 + (y - 12) / 3, y, 6 - (y - 12) / 2, 1, look.hair);
    }
}

void sideHeadgear(Canvas &c, const Look &look)
{
    switch (look.headgear) {
    case Helmet:
        c.ellipse(16, 8, 7.5, 6, look.hat);
        c.rect(18, 8, 5, 6, shade(look.hat, 0.85));
        c.rect(9, 8, 9, 1, shade(look.hat, 0.6));
        c.rect(17, 0, 2, 3, look.accent);
        c.rect(18, 1, 4, 1, shade(look.accent, 0.85));
        break;
    case WizardHat:
        c.ellipse(15.5, 6.5, 10, 2.2, shade(look.hat, 0.9));
        for (int y = 0; y <= 5; ++y)
            c.shadedRect(15 - y / 2 + (5 - y) / 2, y, y + 3, 1, look.hat, 1);
        c.px(20, 0, look.hat);
        c.rect(11, 5, 10, 1, look.accent);
        break;
    case Hood:
        c.ellipse(16.5, 9.5, 8, 7.5, look.hat);
        c.ellipse(12.5, 11, 4.5, 5, look.skin, Canvas::Soft);
        c.px(8, 11, look.skin);
        c.rect(11, 10, 1, 2, look.eye);
        if (look.beard)
            for (int y = 13; y <= 17; ++y)
                c.rect(8 + (y - 13) / 3, y, 5 - (y - 13) / 2, 1, look.hair);
        break;
    case Crown: {
        const QColor gold(236, 190, 60);
        c.rect(11, 3, 10, 2, gold);
        for (const int x : {11, 15, 19}) {
            c.px(x, 1, gold);
            c.px(x, 2, gold);
        }
        c.px(13, 3, look.accent);
        break;
    }
    case Tiara:
        c.rect(10, 5, 10, 1, QColor(230, 200, 110));
        c.px(10, 4, look.accent);
        break;
    case Bandana:
        c.rect(9, 5, 14, 2, look.hat);
        c.rect(9, 7, 14, 1, shade(look.hat, 0.75));
        c.px(23, 8, look.hat);
        c.px(24, 9, look.hat);
        c.px(24, 10, shade(look.hat, 0.8));
        break;
    case CatEars:
        for (int i = 0; i < 4; ++i)
            c.rect(16, 1 + i, 1 + i, 1, look.hair);
        c.px(17, 3, QColor(240, 160, 170));
        break;
    case Horns: {
        const QColor bone(226, 214, 184);
        const QPoint horn[] = {{15, 4}, {16, 4}, {16, 3}, {17, 3},
                               {17, 2}, {18, 2}, {18, 1}, {19, 0}};
        for (const QPoint q : horn)
            c.px(q.x(), q.y(), q.y() <= 1 ? shade(bone, 0.8) : bone);
        break;
    }
    case Cap:
        c.ellipse(16.5, 6, 7, 4, look.hat);
        c.rect(6, 8, 6, 1, shade(look.hat, 0.7));
        break;
    case NoHat:
        break;
    }
}

QImage drawCell(const Look &look, int frame, int facing)
{
    Canvas c;
    if (facing == 0 || facing == 3) {
        const bool back = facing == 3;
        if (look.hasCape && !back)
            c.rect(10, 16, 12, 11, shade(look.cape, 0.7));
        frontLegs(c, look, frame);
        frontBody(c, look, frame, back);
        if (look.hasCape && back) {
            for (int y = 16; y <= 27; ++y)
                c.shadedRect(10 - (y - 16) / 6, y, 12 + (y - 16) / 3, 1, look.cape, 2);
            c.rect(12, 16, 8, 1, look.accent);
        }
        frontHead(c, look, back);
        frontHeadgear(c, look, back);
    } else {
        if (look.hasCape)
            for (int y = 16; y <= 27; ++y)
                c.rect(17, y, 3 + (y - 16) / 3, 1, look.cape);
        sideLegs(c, look, frame);
        sideBody(c, look, frame);
        sideHead(c, look);
        sideHeadgear(c, look);
        if (facing == 2)
            c.mirror();
    }
    c.outline(Outline);
    c.avoidWhite();
    return c.image();
}

} // namespace

QImage drawCharacterSheet(int number)
{
    const Look look = lookFor(number);
    QImage sheet(96, 128, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    for (int facing = 0; facing < 4; ++facing) {
        for (int frame = 0; frame < 3; ++frame)
            p.drawImage(frame * 32, facing * 32, drawCell(look, frame, facing));
    }
    p.end();
    return sheet;
}

} // namespace rpggen
