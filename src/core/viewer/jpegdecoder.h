#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace kazari
{

/// Decodes JPEG pictures into 24-bit pictures (`QImage::Format_RGB888`) with libjpeg's
/// decompression interface.
///
/// Nothing in a picture file can end the process: every library error comes back as a
/// null image and an error text. Grey and CMYK pictures are converted to RGB. A picture
/// whose width times height exceeds the pixel limit is refused after reading its header,
/// before anything of its size is allocated. A file that ends early or whose coded data
/// is damaged gives a null image rather than a half-grey picture.
class JpegDecoder
{
public:
    /// The default pixel limit: 100 megapixels, 300 MB as a 24-bit picture.
    static constexpr qint64 DefaultMaxPixels = 100'000'000;
    /// Progressive files with more scans than this are refused; real files have about
    /// ten, while a crafted one with thousands would keep the decoder busy for minutes.
    static constexpr int MaxScans = 1000;

    struct Result {
        /// The picture, Format_RGB888; null on failure.
        QImage image;
        /// The picture's size as stored in the file (known once the header was read, also
        /// when the picture is refused or decoded scaled down).
        QSize sourceSize;
        /// Why the picture could not be decoded.
        QString error;
    };

    /// Decodes a file. A non-empty `box` asks for a picture scaled down (in steps of
    /// 1/8) to the smallest size that still covers the box fitted with the picture's
    /// aspect ratio; the caller scales the rest of the way if it must. Such a picture is
    /// decoded much faster than the full one.
    static Result decodeFile(const QString &path, QSize box = {},
                             qint64 maxPixels = DefaultMaxPixels);
    /// Decodes bytes in memory, as `decodeFile`.
    static Result decodeBytes(const QByteArray &bytes, QSize box = {},
                              qint64 maxPixels = DefaultMaxPixels);

    /// The scale, in eighths (1 to 8), at which a picture of `source` is decoded for
    /// `box`: the smallest that is not smaller than the picture fitted into the box.
    /// An empty box gives 8 (full size).
    static int scaleEighths(QSize source, QSize box);
};

} // namespace kazari
