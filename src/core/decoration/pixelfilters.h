#pragma once

#include "core/decoration/iconmask.h"

#include <QImage>

namespace kazari
{

/// The blue, green and red bytes of a colour number 0x00BBGGRR.
struct ColourBytes {
    int blue = 0;
    int green = 0;
    int red = 0;
    bool operator==(const ColourBytes &) const = default;
};

/// Which channels of a single-colour mask receive the pixel's grey value.
struct KeptChannels {
    bool blue = false;
    bool green = false;
    bool red = false;
    bool operator==(const KeptChannels &) const = default;
};

/// The per-pixel computations of the icon colour masks, each in place on a working
/// picture.
///
/// Working pictures are `QImage::Format_RGB32` (one 32-bit word 0xffRRGGBB per pixel,
/// which on little-endian machines is the byte sequence blue, green, red, padding); a
/// picture of another format is converted to it first. The masked filters change only
/// pixels that are icon pixels of the mask at the same column and row; pixels beyond
/// the mask count as transparent. Every rounding takes halves to the even neighbour,
/// computed in exact integers.
class PixelFilters
{
public:
    static constexpr QImage::Format WorkingFormat = QImage::Format_RGB32;

    /// `ColourBytes`: blue = bits 16 to 23, green = bits 8 to 15, red = bits 0 to 7.
    static ColourBytes colourBytes(qint32 colourNumber);

    /// `OneColourByChannels` (masked): g = (blue + green + red) div 3; each kept
    /// channel becomes g, each other channel 0.
    static void oneColourByChannels(QImage &image, const IconMask &mask, KeptChannels keep);

    /// `OneColourByColour` (masked): each channel becomes
    /// round((blue + green + red) div 3 / 255 x target channel), so white parts take the
    /// target colour and black stays black.
    static void oneColourByColour(QImage &image, const IconMask &mask, ColourBytes target);

    /// `ShiftColours` (masked): adds the amounts (-255 to 255) to red, green and blue,
    /// each sum taken modulo 256 (250 + 10 gives 4, 5 - 10 gives 251).
    static void shiftColours(QImage &image, const IconMask &mask, int red, int green, int blue);

    /// `ShiftColoursHatched` (ignores any mask): the same shift on a checkerboard; row 0
    /// starts at column 1, row 1 at column 0, and so on alternately, every second pixel.
    static void shiftColoursHatched(QImage &image, int red, int green, int blue);

    /// `Contrast` (every pixel): each byte v becomes 2v - 127.5 rounded half to even and
    /// held within 0 to 255, which is 2v - 128 held within 0 to 255.
    static void contrast(QImage &image);

    /// `Monochrome` (every pixel): all channels take
    /// round(0.299 red + 0.587 green + 0.114 blue).
    static void monochrome(QImage &image);

    /// round(0.299 red + 0.587 green + 0.114 blue), halves to even.
    static int grey(int red, int green, int blue);

    /// n / d rounded half to even, for n >= 0 and d > 0.
    static qint64 roundedDivision(qint64 numerator, qint64 denominator);
};

} // namespace kazari
