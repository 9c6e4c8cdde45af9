#include "core/platform/textfile.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QStringDecoder>
#include <QStringEncoder>

#include <sys/stat.h>

namespace kazari
{

namespace
{

constexpr const char *Cp932Name = "windows-31j";

// Splits at CRLF, LF and CR. Returns the pieces and notes the first line ending seen and
// whether the text ended with one.
template <typename Seq, typename Ch> QList<Seq> splitLines(const Seq &text, TextFormat &format)
{
    QList<Seq> out;
    bool sawEnding = false;
    qsizetype start = 0;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const Ch c = text.at(i);
        if (c == Ch('\n') || c == Ch('\r')) {
            out.append(text.mid(start, i - start));
            LineEnding ending = LineEnding::LF;
            if (c == Ch('\r')) {
                if (i + 1 < n && text.at(i + 1) == Ch('\n')) {
                    ending = LineEnding::CRLF;
                    ++i;
                } else {
                    ending = LineEnding::CR;
                }
            }
            if (!sawEnding) {
                format.lineEnding = ending;
                sawEnding = true;
            }
            ++i;
            start = i;
            continue;
        }
        ++i;
    }
    if (start < n) {
        out.append(text.mid(start));
        format.finalLineEnd = false;
    } else {
        format.finalLineEnd = true;
    }
    return out;
}

QByteArray lineEndBytes(LineEnding ending)
{
    switch (ending) {
    case LineEnding::CRLF:
        return QByteArrayLiteral("\r\n");
    case LineEnding::CR:
        return QByteArrayLiteral("\r");
    case LineEnding::LF:
        break;
    }
    return QByteArrayLiteral("\n");
}

QString lineEndText(LineEnding ending)
{
    return QString::fromLatin1(lineEndBytes(ending));
}

bool isAsciiBytes(const QByteArray &bytes)
{
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

bool isAscii(const QString &s)
{
    for (QChar c : s) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

// Notes the bytes of every line whose text some damaged line also decoded to.
void keepDamagedLines(TextDocument &doc, const QList<QByteArray> &raw, const QSet<QString> &damaged)
{
    if (damaged.isEmpty())
        return;
    for (qsizetype i = 0; i < doc.lines.size(); ++i) {
        if (damaged.contains(doc.lines.at(i)))
            doc.undecodable[doc.lines.at(i)].append(raw.at(i));
    }
}

// Hands out the bytes read for damaged lines: each line with a damaged text takes the
// next bytes read with that text.
class DamagedBytes
{
public:
    explicit DamagedBytes(const DamagedLines &lines)
        : m_lines(lines)
    {
    }
    const QByteArray *take(const QString &line)
    {
        if (m_lines.isEmpty())
            return nullptr;
        const auto it = m_lines.constFind(line);
        if (it == m_lines.cend() || it->isEmpty())
            return nullptr;
        const int n = m_taken[line]++;
        return &it->at(n < it->size() ? n : 0);
    }

private:
    const DamagedLines &m_lines;
    QHash<QString, int> m_taken;
};

QString joinLines(const TextDocument &doc)
{
    const QString sep = lineEndText(doc.format.lineEnding);
    QString text = doc.lines.join(sep);
    if (doc.format.finalLineEnd && !doc.lines.isEmpty())
        text += sep;
    return text;
}

} // namespace

TextDocument TextFile::decode(const QByteArray &bytes)
{
    TextDocument doc;
    TextFormat &f = doc.format;
    f.finalLineEnd = true;

    if (bytes.startsWith("\xEF\xBB\xBF")) {
        f.encoding = TextEncoding::Utf8;
        f.byteOrderMark = true;
        // Lines that are not UTF-8 (damaged lines of a file that was rewritten from CP932)
        // keep their bytes.
        const QList<QByteArray> raw = splitLines<QByteArray, char>(bytes.sliced(3), f);
        QSet<QString> damaged;
        QStringDecoder dec(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        doc.lines.reserve(raw.size());
        for (const QByteArray &line : raw) {
            dec.resetState();
            const QString text = dec.decode(line);
            if (dec.hasError())
                damaged.insert(text);
            doc.lines.append(text);
        }
        keepDamagedLines(doc, raw, damaged);
        return doc;
    }
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        const bool le = bytes.at(0) == '\xFF';
        f.encoding = le ? TextEncoding::Utf16LE : TextEncoding::Utf16BE;
        f.byteOrderMark = true;
        QStringDecoder dec(le ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                           QStringDecoder::Flag::Stateless);
        const QString text = dec.decode(QByteArrayView(bytes).sliced(2));
        doc.lines = splitLines<QString, QChar>(text, f);
        return doc;
    }

    // Bytes of CR and LF never occur inside a UTF-8 or CP932 character, so the lines can
    // be cut before decoding and each damaged one kept as it was.
    const QList<QByteArray> raw = splitLines<QByteArray, char>(bytes, f);

    {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8.decode(bytes);
        if (!utf8.hasError()) {
            f.encoding = TextEncoding::Utf8;
            f.byteOrderMark = false;
            doc.lines.reserve(raw.size());
            for (const QByteArray &line : raw)
                doc.lines.append(QString::fromUtf8(line));
            return doc;
        }
    }

    f.encoding = TextEncoding::Cp932;
    f.byteOrderMark = false;
    doc.lines.reserve(raw.size());
    QStringDecoder decoder(Cp932Name, QStringDecoder::Flag::Stateless);
    QStringEncoder encoder(Cp932Name, QStringEncoder::Flag::Stateless);
    QSet<QString> damaged;
    for (const QByteArray &line : raw) {
        if (isAsciiBytes(line)) {
            doc.lines.append(QString::fromLatin1(line));
            continue;
        }
        decoder.resetState();
        const QString text = decoder.decode(line);
        // A line is kept byte for byte unless it encodes back to exactly what was read:
        // the decoder replaces what it cannot read without always saying so.
        encoder.resetState();
        if (encoder.encode(text) != line)
            damaged.insert(text);
        doc.lines.append(text);
    }
    keepDamagedLines(doc, raw, damaged);
    return doc;
}

QByteArray TextFile::encode(const TextDocument &document, TextFormat *used)
{
    TextFormat f = document.format;
    QByteArray out;

    if (f.encoding == TextEncoding::Cp932) {
        const QByteArray sep = lineEndBytes(f.lineEnding);
        QStringEncoder enc(Cp932Name, QStringEncoder::Flag::Stateless);
        DamagedBytes damaged(document.undecodable);
        bool fits = true;
        for (qsizetype i = 0; i < document.lines.size() && fits; ++i) {
            const QString &line = document.lines.at(i);
            if (i > 0)
                out += sep;
            if (const QByteArray *raw = damaged.take(line)) {
                out += *raw;
                continue;
            }
            if (isAscii(line)) {
                out += line.toLatin1();
                continue;
            }
            enc.resetState();
            QByteArray bytes = enc.encode(line);
            if (enc.hasError()) {
                fits = false;
                break;
            }
            out += bytes;
        }
        if (fits) {
            if (f.finalLineEnd && !document.lines.isEmpty())
                out += sep;
            if (used)
                *used = f;
            return out;
        }
        // CP932 cannot hold a character: the whole file becomes UTF-8 with a mark.
        f.encoding = TextEncoding::Utf8;
        f.byteOrderMark = true;
        out.clear();
    }

    if (f.encoding == TextEncoding::Utf8 && !document.undecodable.isEmpty()) {
        if (f.byteOrderMark)
            out = QByteArrayLiteral("\xEF\xBB\xBF");
        const QByteArray sep = lineEndBytes(f.lineEnding);
        DamagedBytes damaged(document.undecodable);
        for (qsizetype i = 0; i < document.lines.size(); ++i) {
            if (i > 0)
                out += sep;
            const QString &line = document.lines.at(i);
            const QByteArray *raw = damaged.take(line);
            out += raw ? *raw : line.toUtf8();
        }
        if (f.finalLineEnd && !document.lines.isEmpty())
            out += sep;
        if (used)
            *used = f;
        return out;
    }

    const QString text = joinLines(document);
    switch (f.encoding) {
    case TextEncoding::Utf8:
        if (f.byteOrderMark)
            out = QByteArrayLiteral("\xEF\xBB\xBF");
        out += text.toUtf8();
        break;
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE: {
        const bool le = f.encoding == TextEncoding::Utf16LE;
        QStringEncoder enc(le ? QStringEncoder::Utf16LE : QStringEncoder::Utf16BE,
                           QStringEncoder::Flag::Stateless);
        out = le ? QByteArrayLiteral("\xFF\xFE") : QByteArrayLiteral("\xFE\xFF");
        f.byteOrderMark = true;
        out += enc.encode(text);
        break;
    }
    case TextEncoding::Cp932:
        break;
    }
    if (used)
        *used = f;
    return out;
}

bool TextFile::isAllowed(const QString &path, int options)
{
    if (!(options & RegularFilesOnly))
        return true;
    struct stat st {
    };
    const QByteArray native = QFile::encodeName(path);
    if (::lstat(native.constData(), &st) != 0)
        return true; // does not exist yet: may be created
    return S_ISREG(st.st_mode);
}

TextFile::ReadResult TextFile::read(const QString &path, int options)
{
    ReadResult result;
    if (path.isEmpty())
        return result;
    QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return result;
    if (!isAllowed(path, options) || info.isDir()) {
        result.error = QStringLiteral("通常のファイルではありません: %1").arg(path);
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.errorString();
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.error = file.errorString();
        return result;
    }
    result.found = true;
    result.document = decode(bytes);
    return result;
}

bool TextFile::write(const QString &path, const TextDocument &document, QString *error, int options)
{
    auto fail = [error](const QString &message) {
        if (error)
            *error = message;
        return false;
    };
    if (path.isEmpty())
        return fail(QStringLiteral("ファイル名がありません"));
    if (!isAllowed(path, options))
        return fail(QStringLiteral("通常のファイルではないため書き込みません: %1").arg(path));

    const QByteArray bytes = encode(document);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString message = file.errorString();
        file.cancelWriting();
        return fail(message);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

} // namespace kazari
