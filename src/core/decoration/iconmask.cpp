#include "core/decoration/iconmask.h"

#include <QPainter>

#include <algorithm>

namespace kazari
{

IconMask::IconMask(QSize size, bool icon)
    : m_width(std::max(0, size.width()))
    , m_height(std::max(0, size.height()))
    , m_bits(size_t(m_width) * size_t(m_height), icon ? 1 : 0)
{
}

IconMask IconMask::fromSurface(const QImage &surface, const QColor &fill)
{
    IconMask mask(surface.size());
    if (mask.isEmpty())
        return mask;
    const QImage rgb = surface.format() == QImage::Format_RGB32
                           ? surface
                           : surface.convertToFormat(QImage::Format_RGB32);
    const QRgb key = fill.rgb() & 0x00FFFFFFu;
    for (int y = 0; y < mask.m_height; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        quint8 *bits = mask.m_bits.data() + size_t(y) * size_t(mask.m_width);
        for (int x = 0; x < mask.m_width; ++x)
            bits[x] = (line[x] & 0x00FFFFFFu) != key ? 1 : 0;
    }
    return mask;
}

IconMask IconMask::fromPicture(const QImage &picture, QSize size, QPoint at, const QColor &fill)
{
    if (size.isEmpty())
        return IconMask();
    QImage surface(size, QImage::Format_RGB32);
    surface.fill(fill);
    if (!picture.isNull()) {
        QPainter painter(&surface);
        painter.drawImage(at, picture);
    }
    return fromSurface(surface, fill);
}

void IconMask::setIcon(int x, int y, bool icon)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    m_bits[size_t(y) * size_t(m_width) + size_t(x)] = icon ? 1 : 0;
}

int IconMask::iconPixelCount() const
{
    return int(std::count(m_bits.begin(), m_bits.end(), quint8(1)));
}

QImage IconMask::toImage() const
{
    if (isEmpty())
        return QImage();
    QImage image(size(), QImage::Format_Mono);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x)
            image.setPixel(x, y, isIcon(x, y) ? 1 : 0);
    }
    return image;
}

QImage IconMask::applyTo(const QImage &picture) const
{
    if (picture.isNull())
        return QImage();
    QImage out = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < out.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if (!isIcon(x, y))
                line[x] = 0;
        }
    }
    return out;
}

} // namespace kazari
