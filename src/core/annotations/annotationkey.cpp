#include "core/annotations/annotationkey.h"

namespace kazari
{

QLatin1String wholeItemSuffix(std::size_t index)
{
    return index < AnnotationSuffixes.size() ? AnnotationSuffixes[index] : CmtExSuffix;
}

QString AnnotationKey(const QString &name, QStringView suffix)
{
    return name + suffix;
}

int annotationFieldIndex(QStringView suffix)
{
    for (std::size_t i = 0; i < AnnotationSuffixes.size(); ++i) {
        if (suffix.compare(AnnotationSuffixes[i], Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

int wholeItemSuffixIndex(QStringView suffix)
{
    const int i = annotationFieldIndex(suffix);
    if (i >= 0)
        return i;
    if (suffix.compare(CmtExSuffix, Qt::CaseInsensitive) == 0)
        return int(AnnotationSuffixes.size());
    return -1;
}

QString canonicalAnnotationSuffix(QStringView suffix)
{
    const int i = wholeItemSuffixIndex(suffix);
    if (i >= 0)
        return QString(wholeItemSuffix(std::size_t(i)));
    for (QLatin1String key : {FolderViewStyleKey, FolderSortTypeKey, FolderImageKey}) {
        if (suffix.compare(key, Qt::CaseInsensitive) == 0)
            return QString(key);
    }
    return QString();
}

bool isAnnotatableName(QStringView name)
{
    for (QChar c : name) {
        if (c == QLatin1Char('=') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            return false;
    }
    return true;
}

bool isValidAnnotationSuffix(QStringView suffix)
{
    return !suffix.isEmpty() && isAnnotatableName(suffix);
}

QString sanitizeAnnotationValue(const QString &value)
{
    if (!value.contains(QLatin1Char('\r')) && !value.contains(QLatin1Char('\n')))
        return value;
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == QLatin1Char('\r')) {
            if (i + 1 < value.size() && value.at(i + 1) == QLatin1Char('\n'))
                ++i;
            out += QLatin1Char(' ');
        } else if (c == QLatin1Char('\n')) {
            out += QLatin1Char(' ');
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace kazari
