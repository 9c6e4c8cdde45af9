#include "core/navigation/clipboardpaths.h"

#include <QDir>
#include <QMimeData>
#include <QUrl>

namespace kazari
{

std::unique_ptr<QMimeData> ClipboardPaths::toMimeData(const QStringList &paths, bool cut)
{
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    QByteArray marked = cut ? QByteArrayLiteral("cut") : QByteArrayLiteral("copy");
    for (const QString &p : paths) {
        const QUrl u = QUrl::fromLocalFile(p);
        urls.append(u);
        marked += '\n' + u.toEncoded();
    }
    data->setUrls(urls);
    data->setText(paths.join(QLatin1Char('\n')));
    data->setData(copiedFilesType(), marked);
    data->setData(cutSelectionType(), cut ? QByteArrayLiteral("1") : QByteArrayLiteral("0"));
    return data;
}

ClipboardPaths ClipboardPaths::fromMimeData(const QMimeData *data)
{
    ClipboardPaths out;
    if (!data)
        return out;
    QList<QUrl> urls = data->urls();
    bool cutMarked = false;
    if (data->hasFormat(copiedFilesType())) {
        const QList<QByteArray> lines = data->data(copiedFilesType()).split('\n');
        cutMarked = !lines.isEmpty() && lines.first().trimmed() == "cut";
        if (urls.isEmpty()) {
            for (qsizetype i = 1; i < lines.size(); ++i) {
                if (!lines.at(i).trimmed().isEmpty())
                    urls.append(QUrl::fromEncoded(lines.at(i).trimmed()));
            }
        }
    }
    if (data->hasFormat(cutSelectionType()))
        cutMarked = cutMarked || data->data(cutSelectionType()).trimmed() == "1";
    for (const QUrl &u : std::as_const(urls)) {
        if (!u.isLocalFile())
            continue;
        const QString p = u.toLocalFile();
        if (QDir::isAbsolutePath(p) && !p.contains(QChar(u'\0')))
            out.paths.append(QDir::cleanPath(p));
    }
    out.cut = cutMarked && !out.paths.isEmpty();
    return out;
}

} // namespace kazari
