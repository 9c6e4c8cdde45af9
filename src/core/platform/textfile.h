#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

namespace kazari
{

enum class TextEncoding { Utf8, Utf16LE, Utf16BE, Cp932 };
enum class LineEnding { LF, CRLF, CR };

/// How a text file was stored, so it can be written back the same way.
struct TextFormat {
    TextEncoding encoding = TextEncoding::Utf8;
    bool byteOrderMark = false;
    LineEnding lineEnding = LineEnding::LF;
    /// Whether the last line was followed by a line end.
    bool finalLineEnd = true;
};

/// The bytes of lines that did not decode cleanly, keyed by their decoded text: for each
/// such text, the bytes of every line read with that text, in file order (damaged lines
/// that decode alike each keep their own).
using DamagedLines = QHash<QString, QList<QByteArray>>;

/// A text file as a list of lines plus what is needed to write it back unchanged.
struct TextDocument {
    QStringList lines;
    TextFormat format;
    /// When lines with one of these texts are written, the first gets the first bytes
    /// read, the second the second and so on (any further ones the first), whatever the
    /// encoding written: a damaged line that nobody touched survives every save byte for
    /// byte, also when the file is rewritten as UTF-8.
    DamagedLines undecodable;
};

/// The one reader and writer of every data and settings file.
///
/// Reading: a byte-order mark decides; otherwise valid UTF-8 is UTF-8; otherwise CP932.
/// CRLF, LF and CR all end a line. Writing keeps the encoding, mark and line ending the
/// file was read with; a CP932 file that must take a character CP932 cannot hold is
/// rewritten whole as UTF-8 with a mark. Every write is atomic.
class TextFile
{
public:
    enum Option {
        NoOptions = 0,
        /// Refuse anything that is not a regular file (a symbolic link, a device...):
        /// reading finds nothing, writing fails. Used for files that come with a folder.
        RegularFilesOnly = 1,
    };

    /// The outcome of a read: `found` is false when the file does not exist (or was
    /// refused); `error` is set when it exists but could not be read.
    struct ReadResult {
        bool found = false;
        TextDocument document;
        QString error;
    };

    static ReadResult read(const QString &path, int options = NoOptions);
    static bool write(const QString &path, const TextDocument &document, QString *error = nullptr,
                      int options = NoOptions);

    /// Decodes bytes as the reader does (exposed for tests and for in-memory texts).
    static TextDocument decode(const QByteArray &bytes);
    /// Encodes a document as the writer does; `used` receives the format really written
    /// (it differs from the document's after an upgrade to UTF-8).
    static QByteArray encode(const TextDocument &document, TextFormat *used = nullptr);

    /// True when `path` names something that `options` allows reading or writing.
    static bool isAllowed(const QString &path, int options);
};

} // namespace kazari
