#include "core/decoration/pixelfilters.h"

#include <algorithm>

namespace kazari
{

namespace
{

bool prepare(QImage &image)
{
    if (image.isNull())
        return false;
    if (image.format() != PixelFilters::WorkingFormat)
        image.convertTo(PixelFilters::WorkingFormat);
    return true;
}

// Calls f(pixel) for every pixel of the picture that the mask marks as icon.
template <typename F> void forMaskedPixels(QImage &image, const IconMask &mask, F f)
{
    if (!prepare(image))
        return;
    const int width = std::min(image.width(), mask.width());
    const int height = std::min(image.height(), mask.height());
    for (int y = 0; y < height; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            if (mask.isIcon(x, y))
                line[x] = f(line[x]);
        }
    }
}

template <typename F> void forAllPixels(QImage &image, F f)
{
    if (!prepare(image))
        return;
    for (int y = 0; y < image.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = f(line[x]);
    }
}

QRgb shifted(QRgb p, int red, int green, int blue)
{
    // Two's complement makes "& 0xFF" the residue modulo 256 for negative sums too.
    return qRgb((qRed(p) + red) & 0xFF, (qGreen(p) + green) & 0xFF, (qBlue(p) + blue) & 0xFF);
}

} // namespace

ColourBytes PixelFilters::colourBytes(qint32 colourNumber)
{
    const quint32 n = quint32(colourNumber);
    return ColourBytes{int((n >> 16) & 0xFFu), int((n >> 8) & 0xFFu), int(n & 0xFFu)};
}

qint64 PixelFilters::roundedDivision(qint64 numerator, qint64 denominator)
{
    qint64 q = numerator / denominator;
    const qint64 twiceRest = 2 * (numerator % denominator);
    if (twiceRest > denominator || (twiceRest == denominator && (q % 2) != 0))
        ++q;
    return q;
}

int PixelFilters::grey(int red, int green, int blue)
{
    return int(roundedDivision(qint64(red) * 299 + qint64(green) * 587 + qint64(blue) * 114, 1000));
}

void PixelFilters::oneColourByChannels(QImage &image, const IconMask &mask, KeptChannels keep)
{
    forMaskedPixels(image, mask, [keep](QRgb p) {
        const int g = (qRed(p) + qGreen(p) + qBlue(p)) / 3;
        return qRgb(keep.red ? g : 0, keep.green ? g : 0, keep.blue ? g : 0);
    });
}

void PixelFilters::oneColourByColour(QImage &image, const IconMask &mask, ColourBytes target)
{
    const auto channel = [](int g, int t) {
        return int(roundedDivision(qint64(g) * std::clamp(t, 0, 255), 255));
    };
    forMaskedPixels(image, mask, [&](QRgb p) {
        const int g = (qRed(p) + qGreen(p) + qBlue(p)) / 3;
        return qRgb(channel(g, target.red), channel(g, target.green), channel(g, target.blue));
    });
}

void PixelFilters::shiftColours(QImage &image, const IconMask &mask, int red, int green, int blue)
{
    forMaskedPixels(image, mask, [=](QRgb p) { return shifted(p, red, green, blue); });
}

void PixelFilters::shiftColoursHatched(QImage &image, int red, int green, int blue)
{
    if (!prepare(image))
        return;
    for (int y = 0; y < image.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = (y % 2 == 0) ? 1 : 0; x < image.width(); x += 2)
            line[x] = shifted(line[x], red, green, blue);
    }
}

void PixelFilters::contrast(QImage &image)
{
    const auto stretch = [](int v) { return std::clamp(2 * v - 128, 0, 255); };
    forAllPixels(image, [&](QRgb p) {
        return qRgb(stretch(qRed(p)), stretch(qGreen(p)), stretch(qBlue(p)));
    });
}

void PixelFilters::monochrome(QImage &image)
{
    forAllPixels(image, [](QRgb p) {
        const int g = grey(qRed(p), qGreen(p), qBlue(p));
        return qRgb(g, g, g);
    });
}

} // namespace kazari
