#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QSize>

#include <vector>

namespace kazari
{

/// A monochrome mask over a picture: a pixel is "icon" (black in the mask) where the
/// icon itself is drawn, and transparent (white) elsewhere. The masked pixel filters
/// change only icon pixels. Positions outside the mask read as transparent, so a mask
/// smaller than its picture never lets a filter read past its end.
class IconMask
{
public:
    IconMask() = default;
    /// A mask of the given size, all transparent or all icon.
    explicit IconMask(QSize size, bool icon = false);

    /// Every pixel of the size is an icon pixel (a picture shown fully opaque).
    static IconMask opaque(QSize size) { return IconMask(size, true); }

    /// The mask of a surface that was filled with `fill` before the icon was drawn on
    /// it: every pixel still exactly of the fill colour counts as transparent. With a
    /// black fill, pure black pixels of the icon itself are transparent too.
    static IconMask fromSurface(const QImage &surface, const QColor &fill);

    /// Draws `picture` (alpha honoured) at `at` on a surface of `size` filled with
    /// `fill` and takes the mask of that surface. A null picture gives an all
    /// transparent mask.
    static IconMask fromPicture(const QImage &picture, QSize size, QPoint at, const QColor &fill);

    int width() const { return m_width; }
    int height() const { return m_height; }
    QSize size() const { return QSize(m_width, m_height); }
    bool isEmpty() const { return m_width <= 0 || m_height <= 0; }

    /// Whether (x, y) is an icon pixel; false outside the mask.
    bool isIcon(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= m_width || y >= m_height)
            return false;
        return m_bits[size_t(y) * size_t(m_width) + size_t(x)] != 0;
    }
    void setIcon(int x, int y, bool icon);
    /// The number of icon pixels.
    int iconPixelCount() const;

    /// The mask as a one-bit picture: black (index 1) for icon pixels, white (index 0)
    /// for transparent ones, the convention of Qt's bitmaps.
    QImage toImage() const;

    /// `picture` as ARGB32 premultiplied with every pixel outside the mask (or outside
    /// the picture) fully transparent.
    QImage applyTo(const QImage &picture) const;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<quint8> m_bits;
};

} // namespace kazari
