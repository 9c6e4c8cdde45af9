#pragma once

#include "core/platform/textfile.h"

#include <QString>

#include <functional>

namespace kazari
{

/// What the document view shows of a file, kept so that "保存" can write it back.
struct ShownText {
    /// The file shown.
    QString path;
    /// Whether the text view holds the file's own text. When it does not (a file that is
    /// no ".txt" file shows an empty view), saving over the file needs a confirmation.
    bool loadedAsText = false;
    /// The file's lines and how they were stored (encoding, mark, line ending).
    TextDocument document;
};

/// Reading text for the document view and writing it back with "保存".
///
/// Reading never takes more than the limit: a larger file is not read at all. Writing
/// goes through `TextFile`, so a file is written back in the encoding and with the line
/// ends it was read with, atomically.
class ViewerText
{
public:
    /// Files from this size on are not read into the document view.
    static constexpr qint64 MaxBytes = 2097152;

    struct LoadResult {
        bool ok = false;
        /// The file was at least `limit` bytes; nothing was read.
        bool tooLarge = false;
        qint64 size = 0;
        ShownText shown;
        /// The text for the view, lines joined with "\n".
        QString text;
        QString error;
    };

    /// Reads a regular file of fewer than `limit` bytes.
    static LoadResult load(const QString &path, qint64 limit = MaxBytes);

    /// The text of the view for a shown document, lines joined with "\n".
    static QString viewText(const ShownText &shown);

    /// Asked before a file is replaced that was not loaded as text into the view; true
    /// replaces it. The argument is the question for the user.
    using Confirm = std::function<bool(const QString &question)>;

    struct SaveResult {
        bool ok = false;
        /// The confirmation was asked and answered No, or could not be asked.
        bool declined = false;
        QString error;
    };

    /// Writes `text` (the view's text; any line end splits lines) to `target`.
    ///
    /// The text is stored in the format `shown` was loaded with (a new text in UTF-8
    /// without a mark and LF); when it is the unchanged view text of the shown file, its
    /// bytes are written back unchanged. An existing `target` that is not the file whose
    /// text was loaded into the view is replaced only after `confirm` says yes; without a
    /// `confirm` it is never replaced. The user interface should therefore turn off its
    /// file dialog's own overwrite question so the user is asked once.
    static SaveResult save(const QString &target, const QString &text, const ShownText &shown,
                           const Confirm &confirm);

    /// The question asked before replacing `target`.
    static QString overwriteQuestion(const QString &target);
};

} // namespace kazari
