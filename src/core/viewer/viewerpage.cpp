#include "core/viewer/viewerpage.h"

#include "core/viewer/pictureloader.h"
#include "core/viewer/systemattribute.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace kazari
{

namespace
{

// bytes / unit rounded to the nearest whole number, halves to the even neighbour.
qint64 roundedUnits(qint64 bytes, qint64 unit)
{
    if (bytes <= 0)
        return 0;
    const qint64 whole = bytes / unit;
    const qint64 rest = bytes % unit;
    if (2 * rest > unit || (2 * rest == unit && (whole % 2) != 0))
        return whole + 1;
    return whole;
}

QString captionOf(const ViewerPage::Request &request)
{
    if (!request.caption.isEmpty())
        return request.caption;
    return QFileInfo(request.path).fileName();
}

} // namespace

QString ViewerPage::headerText(Kind kind)
{
    switch (kind) {
    case Kind::Folder:
        return QStringLiteral("フォルダの情報");
    case Kind::Picture:
        return QStringLiteral("画像ビュー");
    case Kind::Missing:
    case Kind::Document:
        break;
    }
    return QStringLiteral("文書ビュー");
}

QString ViewerPage::titleLine(const QString &caption, qint64 bytes)
{
    return caption + QLatin1Char(' ') + QString::number(roundedUnits(bytes, 1024)) +
           QStringLiteral("KB");
}

QString ViewerPage::sizeOverText(qint64 bytes)
{
    return QStringLiteral("SizeOver ") + QString::number(roundedUnits(bytes, 1048576)) +
           QStringLiteral(" MB");
}

QString ViewerPage::pictureInfo(QSize size)
{
    return QString::asprintf("H:%d W:%d", size.height(), size.width());
}

ViewerPage::ScrollRanges ViewerPage::scrollRanges(QSize picture, QSize pane)
{
    ScrollRanges ranges;
    if (picture.height() > pane.height()) {
        ranges.vertical = true;
        ranges.verticalMaximum = picture.height() - pane.height() + 67;
    }
    if (picture.width() > pane.width()) {
        ranges.horizontal = true;
        ranges.horizontalMaximum = picture.width() - pane.width() + 16;
    }
    return ranges;
}

QPoint ViewerPage::picturePosition(int horizontal, int vertical)
{
    return QPoint(-horizontal, 51 - vertical);
}

ViewerPage::Content ViewerPage::fill(const Request &request)
{
    Content content;
    struct stat st {
    };
    const QByteArray native = QFile::encodeName(request.path);
    if (request.path.isEmpty() || ::stat(native.constData(), &st) != 0) {
        content.kind = Kind::Missing;
        content.header = headerText(content.kind);
        return content;
    }
    const QString caption = captionOf(request);
    const bool regular = S_ISREG(st.st_mode);
    const qint64 fileSize = regular ? qint64(st.st_size) : 0;
    content.title = titleLine(caption, request.itemSize >= 0 ? request.itemSize : fileSize);

    if (S_ISDIR(st.st_mode)) {
        content.kind = Kind::Folder;
        content.header = headerText(content.kind);
        FolderSummary::Options options;
        options.fileMask = request.fileMask;
        options.hasAnnotation = request.hasAnnotation;
        options.cancel = request.cancel;
        const FolderSummary::Result summary = FolderSummary::walk(request.path, options);
        content.cancelled = summary.cancelled;
        content.text = FolderSummary::text(summary, caption, request.comment);
        return content;
    }

    if (PictureLoader::kindOf(request.path) != PictureLoader::Kind::None) {
        content.kind = Kind::Picture;
        content.header = headerText(content.kind);
        content.textVisible = false;
        content.pictureVisible = true;
        if (!regular) {
            // A named pipe or device with a picture's name would block or never end.
            content.info = QStringLiteral("通常のファイルではありません");
            return content;
        }
        PictureLoader::Result picture =
            PictureLoader::load(request.path, request.pictureBox, request.maxPixels);
        if (picture.image.isNull()) {
            content.info = picture.error;
            return content;
        }
        content.picture = std::move(picture.image);
        content.info =
            pictureInfo(picture.sourceSize.isValid() ? picture.sourceSize : content.picture.size());
        return content;
    }

    content.kind = Kind::Document;
    content.header = headerText(content.kind);
    if (!regular || SystemAttribute::isSet(request.path))
        return content;
    if (fileSize >= ViewerText::MaxBytes) {
        content.text = sizeOverText(fileSize);
        return content;
    }
    content.shown.path = request.path;
    if (QFileInfo(request.path).suffix().toLower() == u"txt") {
        ViewerText::LoadResult loaded = ViewerText::load(request.path);
        if (loaded.tooLarge) {
            // The file grew past the limit since it was measured.
            content.text = sizeOverText(loaded.size);
            return content;
        }
        if (loaded.ok) {
            content.shown = std::move(loaded.shown);
            content.text = std::move(loaded.text);
        }
    }
    content.saveEnabled = true;
    content.saveFile = request.path;
    content.saveFolder = request.currentFolder;
    return content;
}

} // namespace kazari
