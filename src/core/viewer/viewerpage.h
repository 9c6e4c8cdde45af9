#pragma once

#include "core/viewer/foldersummary.h"
#include "core/viewer/jpegdecoder.h"
#include "core/viewer/viewertext.h"

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

#include <atomic>
#include <functional>

namespace kazari
{

/// What the viewer page ("ビュー", the quick view of the selected item) shows, decided
/// without widgets: the page widget only copies the content into its controls.
///
/// `fill` may take long (a folder summary walks the whole subtree, a picture is
/// decoded), so the user interface runs it on a worker thread with a cancel flag and
/// drops the content of a selection that is no longer current.
class ViewerPage
{
public:
    enum class Kind {
        Missing,  ///< neither a file nor a folder: an empty document view
        Folder,   ///< "フォルダの情報"
        Picture,  ///< "画像ビュー"
        Document, ///< "文書ビュー"
    };

    struct Request {
        /// The item's full path.
        QString path;
        /// The item's caption (default: the last component of the path).
        QString caption;
        /// The item's comment (`_cmt`), empty when it has none.
        QString comment;
        /// The current folder, where the "保存" dialog starts.
        QString currentFolder;
        /// The size the title line shows; negative: the file's size (0 for a folder).
        qint64 itemSize = -1;
        /// The item list's file mask and annotation filter, for the folder summary.
        QString fileMask;
        std::function<bool(const QString &path)> hasAnnotation;
        /// A non-empty box allows a picture decoded smaller (still covering the box
        /// fitted with its aspect ratio); the page shows pictures full size.
        QSize pictureBox;
        qint64 maxPixels = JpegDecoder::DefaultMaxPixels;
        const std::atomic_bool *cancel = nullptr;
    };

    struct Content {
        Kind kind = Kind::Missing;
        /// The header: "フォルダの情報", "画像ビュー" or "文書ビュー".
        QString header;
        /// The title line; empty for a missing item, which leaves the title unchanged.
        QString title;
        bool textVisible = true;
        /// The picture view with its scroll bars.
        bool pictureVisible = false;
        QString text;
        QImage picture;
        /// The information line: "H:%d W:%d", or why the picture is not shown.
        QString info;
        /// Whether "保存" is enabled, and what its dialog starts with.
        bool saveEnabled = false;
        QString saveFile;
        QString saveFolder;
        /// What "保存" needs to write the text back safely.
        ShownText shown;
        /// The walk of a folder was cancelled: the content is incomplete.
        bool cancelled = false;
    };

    static Content fill(const Request &request);

    static QString headerText(Kind kind);
    /// The caption, a space, the size in kilobytes (halves to even) and "KB".
    static QString titleLine(const QString &caption, qint64 bytes);
    /// "SizeOver ", the size in megabytes (halves to even) and " MB".
    static QString sizeOverText(qint64 bytes);
    /// "H:%d W:%d".
    static QString pictureInfo(QSize size);

    /// The scroll bars of the picture view: each is shown only when the picture exceeds
    /// the pane in its direction, with the range 0 to `maximum`.
    struct ScrollRanges {
        bool vertical = false;
        int verticalMaximum = 0;
        bool horizontal = false;
        int horizontalMaximum = 0;
    };
    static ScrollRanges scrollRanges(QSize picture, QSize pane);
    /// Where the picture's top left corner goes for the scroll bar positions.
    static QPoint picturePosition(int horizontal, int vertical);
};

} // namespace kazari
