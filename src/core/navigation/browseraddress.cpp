#include "core/navigation/browseraddress.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMimeDatabase>
#include <QStringDecoder>

#include <algorithm>

namespace kazari
{

namespace
{

QString link(const QString &path, const QString &caption)
{
    return QStringLiteral("<a href=\"%1\">%2</a>")
        .arg(QString::fromUtf8(QUrl::fromLocalFile(path).toEncoded()).toHtmlEscaped(),
             caption.toHtmlEscaped());
}

QString pageOf(const QString &title, const QString &body)
{
    return QStringLiteral("<html><head><meta charset=\"utf-8\"><title>%1</title></head>"
                          "<body><h3>%1</h3>%2</body></html>")
        .arg(title.toHtmlEscaped(), body);
}

QString decodeText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder cp932("windows-31j");
    if (cp932.isValid())
        return cp932.decode(bytes);
    return QString::fromLatin1(bytes);
}

} // namespace

BrowserAddress::Target BrowserAddress::resolve(const QString &address)
{
    const QString text = address.trimmed();
    if (text.isEmpty() || text == blank())
        return {};
    QString path;
    if (text.startsWith(QLatin1Char('/'))) {
        path = text;
    } else {
        const QUrl url(text, QUrl::StrictMode);
        const QString scheme = url.scheme().toLower();
        if ((scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
            !url.host().isEmpty())
            return {Web, QString::fromUtf8(url.toEncoded())};
        if (!url.isLocalFile())
            return {};
        path = url.toLocalFile();
    }
    if (!QDir::isAbsolutePath(path) || path.contains(QChar(u'\0')))
        return {};
    path = QDir::cleanPath(path);
    const QFileInfo info(path);
    if (info.isDir())
        return {Folder, path};
    if (info.isFile())
        return {File, path};
    return {};
}

QString BrowserAddress::addressOf(const Target &target)
{
    return target.kind == Blank ? blank() : target.location;
}

QString BrowserAddress::folderListing(const QString &folder)
{
    QDir dir(folder);
    QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
    QCollator collator;
    collator.setNumericMode(true);
    std::sort(entries.begin(), entries.end(), [&collator](const QFileInfo &a, const QFileInfo &b) {
        if (a.isDir() != b.isDir())
            return a.isDir();
        return collator.compare(a.fileName(), b.fileName()) < 0;
    });
    const QLocale locale;
    QString body = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"2\">");
    const QString parent = QFileInfo(folder).absolutePath();
    if (QDir::cleanPath(folder) != QLatin1String("/"))
        body +=
            QStringLiteral("<tr><td>%1</td><td></td></tr>").arg(link(parent, QStringLiteral("..")));
    for (const QFileInfo &e : std::as_const(entries)) {
        const QString size =
            e.isDir() ? QStringLiteral("フォルダ") : locale.formattedDataSize(e.size());
        body += QStringLiteral("<tr><td>%1</td><td align=\"right\">%2</td></tr>")
                    .arg(link(e.absoluteFilePath(),
                              e.fileName() + (e.isDir() ? QStringLiteral("/") : QString())),
                         size.toHtmlEscaped());
    }
    body += QStringLiteral("</table>");
    return pageOf(QDir::cleanPath(folder), body);
}

BrowserAddress::Page BrowserAddress::page(const Target &target, qint64 textLimit)
{
    Page p;
    if (target.kind == Folder) {
        p.text = folderListing(target.location);
        p.base = QUrl::fromLocalFile(target.location + QLatin1Char('/'));
        return p;
    }
    if (target.kind != File)
        return p;
    const QFileInfo info(target.location);
    p.base = QUrl::fromLocalFile(target.location);
    const QMimeType type = QMimeDatabase().mimeTypeForFile(info);
    if (type.inherits(QStringLiteral("text/html")) ||
        type.inherits(QStringLiteral("application/xhtml+xml"))) {
        p.content = Html;
        return p;
    }
    if (type.inherits(QStringLiteral("text/plain"))) {
        QFile f(target.location);
        if (f.open(QIODevice::ReadOnly)) {
            p.content = PlainText;
            p.text = decodeText(f.read(textLimit));
            return p;
        }
    }
    QString body;
    if (type.name().startsWith(QLatin1String("image/")))
        body = QStringLiteral("<p><img src=\"%1\"></p>")
                   .arg(QString::fromUtf8(p.base.toEncoded()).toHtmlEscaped());
    body += QStringLiteral("<p>%1<br>%2</p><p>%3</p>")
                .arg(type.comment().toHtmlEscaped(),
                     QLocale().formattedDataSize(info.size()).toHtmlEscaped(),
                     link(info.absolutePath(), QStringLiteral("フォルダを表示")));
    p.text = pageOf(info.fileName(), body);
    return p;
}

} // namespace kazari
