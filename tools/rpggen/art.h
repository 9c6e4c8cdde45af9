#pragma once

// Shared helpers of the picture generator: a small deterministic random generator and
// colour arithmetic. Everything the generator draws depends only on these, so a build
// always produces the same pictures.

#include <QColor>
#include <QImage>
#include <QString>

#include <algorithm>
#include <cmath>

namespace rpggen
{

class Rng
{
public:
    explicit Rng(quint64 seed)
        : m_state(seed * 0x2545F4914F6CDD1Dull + 0x1234567ull)
    {
    }
    quint32 next()
    {
        m_state += 0x9E3779B97F4A7C15ull;
        quint64 z = m_state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return static_cast<quint32>((z ^ (z >> 31)) >> 32);
    }
    /// 0 .. n - 1.
    int range(int n) { return n <= 1 ? 0 : static_cast<int>(next() % static_cast<quint32>(n)); }
    /// lo .. hi inclusive.
    int between(int lo, int hi) { return lo + range(hi - lo + 1); }
    double unit() { return next() / 4294967296.0; }
    double real(double lo, double hi) { return lo + (hi - lo) * unit(); }
    bool chance(double p) { return unit() < p; }

private:
    quint64 m_state;
};

inline int clamp255(double v)
{
    return std::clamp(static_cast<int>(std::lround(v)), 0, 255);
}

/// A colour from hue (degrees), saturation and value (0..1).
inline QColor hsv(double h, double s, double v)
{
    h = std::fmod(std::fmod(h, 360.0) + 360.0, 360.0);
    return QColor::fromHsvF(static_cast<float>(h / 360.0),
                            static_cast<float>(std::clamp(s, 0.0, 1.0)),
                            static_cast<float>(std::clamp(v, 0.0, 1.0)));
}

/// Brighter (factor > 1) or darker (factor < 1), keeping the hue.
inline QColor shade(const QColor &c, double factor)
{
    if (factor >= 1.0) {
        const double t = std::min(1.0, factor - 1.0);
        return QColor(clamp255(c.red() + (255 - c.red()) * t),
                      clamp255(c.green() + (255 - c.green()) * t),
                      clamp255(c.blue() + (255 - c.blue()) * t));
    }
    return QColor(clamp255(c.red() * factor), clamp255(c.green() * factor),
                  clamp255(c.blue() * factor));
}

inline QColor mix(const QColor &a, const QColor &b, double t)
{
    return QColor(clamp255(a.red() + (b.red() - a.red()) * t),
                  clamp255(a.green() + (b.green() - a.green()) * t),
                  clamp255(a.blue() + (b.blue() - a.blue()) * t));
}

/// Saves a picture as a 24-bit bitmap file.
bool saveBitmap(const QImage &image, const QString &path);

QImage drawTile(int code);
QImage drawCharacterSheet(int number);
QImage drawMonster(int picture);
QImage drawWindow(int width, int height);
QImage drawArrow(int direction);

} // namespace rpggen
