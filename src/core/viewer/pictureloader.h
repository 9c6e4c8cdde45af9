#pragma once

#include "core/viewer/jpegdecoder.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace kazari
{

/// Loads the pictures the viewer page shows: bitmap files (".bmp") and JPEG files
/// (".jpg", ".jpeg"), chosen by the extension compared in lower case, as 24-bit
/// pictures. Pictures larger than the pixel limit are refused before their pixels are
/// allocated. Safe to call from a worker thread.
class PictureLoader
{
public:
    enum class Kind { None, Bitmap, Jpeg };

    struct Result {
        /// The picture, Format_RGB888; null on failure.
        QImage image;
        /// The picture's size in the file (also known when it was refused or scaled).
        QSize sourceSize;
        QString error;
    };

    /// The picture kind of a file name; `None` for every other extension.
    static Kind kindOf(const QString &path);

    /// Loads a picture of a kind other than `None`. A non-empty `box` allows a smaller
    /// picture that still covers the box fitted with the picture's aspect ratio.
    static Result load(const QString &path, QSize box = {},
                       qint64 maxPixels = JpegDecoder::DefaultMaxPixels);
};

} // namespace kazari
