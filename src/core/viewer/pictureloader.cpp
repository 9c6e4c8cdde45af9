#include "core/viewer/pictureloader.h"

#include <QFileInfo>
#include <QImageReader>

namespace kazari
{

namespace
{

PictureLoader::Result loadBitmap(const QString &path, QSize box, qint64 maxPixels)
{
    PictureLoader::Result result;
    QImageReader reader(path, "bmp");
    reader.setDecideFormatFromContent(false);
    const QSize size = reader.size();
    if (!size.isValid()) {
        result.error =
            QStringLiteral("ビットマップ画像を読み込めません: %1").arg(reader.errorString());
        return result;
    }
    result.sourceSize = size;
    if (qint64(size.width()) * qint64(size.height()) > maxPixels) {
        result.error =
            QStringLiteral("画像が大きすぎます (%1 x %2)").arg(size.width()).arg(size.height());
        return result;
    }
    // Qt's own allocation limit (256 MB by default) must not refuse what our limit allows:
    // four bytes per pixel while reading.
    const qint64 megabytes = (maxPixels * 4) / (1024 * 1024) + 1;
    reader.setAllocationLimit(int(qMin<qint64>(megabytes, std::numeric_limits<int>::max())));
    if (!box.isEmpty() && (size.width() > box.width() || size.height() > box.height()))
        reader.setScaledSize(size.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    QImage image = reader.read();
    if (image.isNull()) {
        result.error =
            QStringLiteral("ビットマップ画像を読み込めません: %1").arg(reader.errorString());
        return result;
    }
    result.image = image.convertToFormat(QImage::Format_RGB888);
    if (result.image.isNull())
        result.error = QStringLiteral("画像のためのメモリが足りません");
    return result;
}

} // namespace

PictureLoader::Kind PictureLoader::kindOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"bmp")
        return Kind::Bitmap;
    if (suffix == u"jpg" || suffix == u"jpeg")
        return Kind::Jpeg;
    return Kind::None;
}

PictureLoader::Result PictureLoader::load(const QString &path, QSize box, qint64 maxPixels)
{
    switch (kindOf(path)) {
    case Kind::Bitmap:
        return loadBitmap(path, box, maxPixels);
    case Kind::Jpeg: {
        JpegDecoder::Result jpeg = JpegDecoder::decodeFile(path, box, maxPixels);
        Result result;
        result.image = std::move(jpeg.image);
        result.sourceSize = jpeg.sourceSize;
        result.error = jpeg.error;
        return result;
    }
    case Kind::None:
        break;
    }
    Result result;
    result.error = QStringLiteral("画像ファイルではありません: %1").arg(path);
    return result;
}

} // namespace kazari
