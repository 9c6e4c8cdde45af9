#include "core/itemlist/detailscolumns.h"

#include "core/annotations/annotationvalues.h"
#include "core/viewer/systemattribute.h"

#include <QFile>
#include <QMimeDatabase>

#include <sys/stat.h>

namespace kazari
{

namespace
{

struct FileFacts {
    bool readable = false;
    bool folder = false;
    qint64 size = 0;
    QDateTime modified;
    bool readOnly = false;
};

FileFacts factsOf(const QString &path)
{
    FileFacts f;
    struct stat st {
    };
    const QByteArray native = QFile::encodeName(path);
    if (::stat(native.constData(), &st) != 0 && ::lstat(native.constData(), &st) != 0)
        return f;
    f.readable = true;
    f.folder = S_ISDIR(st.st_mode);
    f.size = S_ISREG(st.st_mode) ? qint64(st.st_size) : 0;
    f.modified = QDateTime::fromSecsSinceEpoch(qint64(st.st_mtim.tv_sec));
    f.readOnly = (st.st_mode & S_IWUSR) == 0;
    return f;
}

QString typeName(const QString &path, bool folder)
{
    static const QMimeDatabase mimes;
    if (folder)
        return mimes.mimeTypeForName(QStringLiteral("inode/directory")).comment();
    return mimes.mimeTypeForFile(path, QMimeDatabase::MatchExtension).comment();
}

QString field(const QString &commaText, int index)
{
    return AnnotationValues::splitCommaText(commaText).value(index);
}

QString attributesOf(const QString &path, const FileFacts &f)
{
    if (!f.readable)
        return QStringLiteral("O");
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    QString out(6, QLatin1Char(' '));
    if (f.folder)
        out[1] = QLatin1Char('D');
    if (name.startsWith(QLatin1Char('.')))
        out[2] = QLatin1Char('H');
    if (f.readOnly)
        out[4] = QLatin1Char('R');
    if (SystemAttribute::isSet(path))
        out[5] = QLatin1Char('S');
    return out;
}

} // namespace

QString DetailsColumns::sizeText(qint64 bytes)
{
    constexpr qint64 KB = 1024;
    constexpr qint64 MB = 1048576;
    constexpr qint64 GB = 1073741824;
    if (bytes > GB)
        return QString::asprintf("%.2fGB", double(bytes) / double(GB));
    if (bytes > MB)
        return QString::asprintf("%.2fMB", double(bytes) / double(MB));
    if (bytes > KB)
        return QString::asprintf("%.2fKB", double(bytes) / double(KB));
    return QString::number(bytes);
}

QString DetailsColumns::timeText(const QDateTime &time)
{
    if (!time.isValid())
        return QString();
    return time.toString(QStringLiteral("yyyy/MM/dd H:mm:ss"));
}

QString DetailsColumns::attributesText(const QString &path)
{
    return attributesOf(path, factsOf(path));
}

QStringList DetailsColumns::texts(ColumnSets::Set set, const Item &item)
{
    QStringList out;
    if (!item.record)
        return out;
    const ItemRecord &r = *item.record;
    const FileAnnotationRec &a = item.annotation;
    const bool files = r.ItemType == FileSystemItem;
    out << a.cmt;
    switch (set) {
    case ColumnSets::ListFile:
        out << r.PATH;
        break;
    case ColumnSets::Plain: {
        out << r.PATH;
        const FileFacts f = files ? factsOf(r.PATH) : FileFacts();
        out << (f.readable && !f.folder ? sizeText(f.size) : QString());
        break;
    }
    case ColumnSets::Details: {
        const FileFacts f = files ? factsOf(r.PATH) : FileFacts();
        const bool folder = f.readable ? f.folder : r.isFolder;
        if (!folder)
            out << (f.readable ? sizeText(f.size) : QString());
        else
            out << (item.folderSizes ? sizeText(r.Size) : QString());
        out << (files ? typeName(r.PATH, folder) : QString());
        out << timeText(f.modified);
        out << (files ? attributesOf(r.PATH, f) : QStringLiteral("O"));
        break;
    }
    case ColumnSets::Task: {
        out << a.label << a.s << a.TS << a.TE << a.imp;
        out << (a.impN.isEmpty() ? QString() : field(a.impN, 0));
        out << (a.impN.isEmpty() ? QString() : field(a.impN, 1));
        out << (files ? attributesText(r.PATH) : QStringLiteral("O"));
        out << a.comp << a.oneColor;
        break;
    }
    case ColumnSets::ExtendedComment: {
        const QStringList fields = AnnotationValues::parseExtendedComment(item.extendedComment);
        for (int i = 0; i < 10; ++i)
            out << fields.value(i);
        break;
    }
    }
    return out;
}

} // namespace kazari
