#include "core/annotations/annotationvalues.h"

#include "core/annotations/annotationkey.h"
#include "core/app/colorvalue.h"

namespace kazari
{

namespace
{

bool isDigits(QStringView text, qsizetype minLength, qsizetype maxLength)
{
    if (text.size() < minLength || text.size() > maxLength)
        return false;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

int digitsValue(QStringView text)
{
    int v = 0;
    for (QChar c : text)
        v = v * 10 + (c.unicode() - '0');
    return v;
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

} // namespace

std::optional<int> AnnotationValues::parseInteger(const QString &text)
{
    const QStringView t = QStringView(text).trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t.at(i) == QLatin1Char('-') || t.at(i) == QLatin1Char('+'))) {
        negative = t.at(i) == QLatin1Char('-');
        ++i;
    }
    const QStringView digits = t.sliced(i);
    if (!isDigits(digits, 1, 10))
        return std::nullopt;
    qint64 v = 0;
    for (QChar c : digits)
        v = v * 10 + (c.unicode() - '0');
    if (negative)
        v = -v;
    if (v < INT32_MIN || v > INT32_MAX)
        return std::nullopt;
    return int(v);
}

std::optional<int> AnnotationValues::parseIntegerIn(const QString &text, int low, int high)
{
    const std::optional<int> v = parseInteger(text);
    if (!v || *v < low || *v > high)
        return std::nullopt;
    return v;
}

std::optional<int> AnnotationValues::parseAchievement(const QString &text)
{
    return parseIntegerIn(text, 0, 100);
}

std::optional<bool> AnnotationValues::parseCompletion(const QString &text)
{
    const std::optional<int> v = parseIntegerIn(text, 0, 1);
    if (!v)
        return std::nullopt;
    return *v == 1;
}

std::optional<qint32> AnnotationValues::parseCaptionColour(const QString &text)
{
    if (text.trimmed().isEmpty())
        return std::nullopt;
    return ColorValue::parse(text.trimmed());
}

std::optional<int> AnnotationValues::parseImportance(const QString &text)
{
    return parseIntegerIn(text, 0, 4);
}

std::optional<TaskNotification> AnnotationValues::parseNotification(const QString &text)
{
    const QStringList fields = splitCommaText(text);
    if (fields.isEmpty() || fields.size() > 3)
        return std::nullopt;
    TaskNotification n;
    const std::optional<int> method = parseIntegerIn(fields.at(0), 0, 4);
    if (!method)
        return std::nullopt;
    n.method = *method;
    if (fields.size() > 1 && !fields.at(1).isEmpty()) {
        const std::optional<QDate> d = parseDate(fields.at(1));
        if (!d)
            return std::nullopt;
        n.date = *d;
    }
    if (fields.size() > 2 && !fields.at(2).isEmpty()) {
        const std::optional<QTime> t = parseTime(fields.at(2));
        if (!t)
            return std::nullopt;
        n.time = *t;
    }
    return n;
}

std::optional<int> AnnotationValues::parseLabel(const QString &text)
{
    return parseIntegerIn(text, 0, 3);
}

std::optional<qint32> AnnotationValues::parseOneColour(const QString &text)
{
    return parseIntegerIn(text, 0, 0xFFFFFF);
}

std::optional<QPoint> AnnotationValues::parsePosition(const QString &text)
{
    const QStringList fields = splitCommaText(text);
    if (fields.size() != 2)
        return std::nullopt;
    const std::optional<int> x = parseInteger(fields.at(0));
    const std::optional<int> y = parseInteger(fields.at(1));
    if (!x || !y)
        return std::nullopt;
    return QPoint(*x, *y);
}

std::optional<ColourShift> AnnotationValues::parseColourShift(const QString &text)
{
    const QStringList fields = splitCommaText(text);
    if (fields.size() != 3)
        return std::nullopt;
    ColourShift s;
    int *parts[] = {&s.red, &s.green, &s.blue};
    for (int i = 0; i < 3; ++i) {
        const std::optional<int> v = parseIntegerIn(fields.at(i), -255, 255);
        if (!v)
            return std::nullopt;
        *parts[i] = *v;
    }
    return s;
}

std::optional<int> AnnotationValues::parseSeal(const QString &text)
{
    return parseIntegerIn(text, 0, 14);
}

std::optional<TaskDateTime> AnnotationValues::parseTaskDateTime(const QString &text)
{
    QStringList fields = splitCommaText(text);
    // A date and time written as one field, "2024/01/05 9:30:00".
    if (fields.size() == 1 && fields.at(0).contains(QLatin1Char(' '))) {
        fields = fields.at(0).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    }
    if (fields.isEmpty() || fields.size() > 2)
        return std::nullopt;
    TaskDateTime v;
    const std::optional<QDate> d = parseDate(fields.at(0));
    if (!d)
        return std::nullopt;
    v.date = *d;
    if (fields.size() > 1 && !fields.at(1).isEmpty()) {
        const std::optional<QTime> t = parseTime(fields.at(1));
        if (!t)
            return std::nullopt;
        v.time = *t;
    }
    return v;
}

QStringList AnnotationValues::parseExtendedComment(const QString &text)
{
    QStringList fields = splitCommaText(text);
    if (fields.size() > 11)
        fields.resize(11);
    return fields;
}

std::optional<int> AnnotationValues::parseViewStyle(const QString &text)
{
    return parseIntegerIn(text, 0, 3);
}

std::optional<int> AnnotationValues::parseSortType(const QString &text)
{
    return parseIntegerIn(text, 0, 5);
}

QString AnnotationValues::formatPosition(const QPoint &point)
{
    return QString::number(point.x()) + QLatin1Char(',') + QString::number(point.y());
}

QString AnnotationValues::formatColourShift(const ColourShift &shift)
{
    return QString::number(shift.red) + QLatin1Char(',') + QString::number(shift.green) +
           QLatin1Char(',') + QString::number(shift.blue);
}

QString AnnotationValues::formatTaskDateTime(const TaskDateTime &value)
{
    return joinCommaText({formatDate(value.date), formatTime(value.time)});
}

QString AnnotationValues::formatNotification(const TaskNotification &value)
{
    return joinCommaText(
        {QString::number(value.method), formatDate(value.date), formatTime(value.time)});
}

QString AnnotationValues::formatExtendedComment(const QStringList &fields)
{
    return joinCommaText(fields, true);
}

QString AnnotationValues::formatDate(const QDate &date)
{
    if (!date.isValid())
        return QString();
    return QStringLiteral("%1/%2/%3")
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

QString AnnotationValues::formatTime(const QTime &time)
{
    if (!time.isValid())
        return QString();
    return QStringLiteral("%1:%2:%3")
        .arg(time.hour())
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(time.second(), 2, 10, QLatin1Char('0'));
}

std::optional<QDate> AnnotationValues::parseDate(const QString &text)
{
    const QStringView t = QStringView(text).trimmed();
    QList<QStringView> parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= t.size(); ++i) {
        if (i == t.size() || t.at(i) == QLatin1Char('/') || t.at(i) == QLatin1Char('-')) {
            parts.append(t.sliced(start, i - start));
            start = i + 1;
        }
    }
    if (parts.size() != 3 || !isDigits(parts.at(0), 1, 4) || !isDigits(parts.at(1), 1, 2) ||
        !isDigits(parts.at(2), 1, 2))
        return std::nullopt;
    const QDate d(digitsValue(parts.at(0)), digitsValue(parts.at(1)), digitsValue(parts.at(2)));
    if (!d.isValid())
        return std::nullopt;
    return d;
}

std::optional<QTime> AnnotationValues::parseTime(const QString &text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char(':'));
    if (parts.size() < 2 || parts.size() > 3)
        return std::nullopt;
    int v[3] = {0, 0, 0};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (!isDigits(parts.at(i), 1, 2))
            return std::nullopt;
        v[i] = digitsValue(parts.at(i));
    }
    const QTime t(v[0], v[1], v[2]);
    if (!t.isValid())
        return std::nullopt;
    return t;
}

QStringList AnnotationValues::splitCommaText(const QString &text)
{
    QStringList out;
    const qsizetype n = text.size();
    if (QStringView(text).trimmed().isEmpty())
        return out;
    qsizetype i = 0;
    while (true) {
        while (i < n && isBlank(text.at(i)))
            ++i;
        QString field;
        if (i < n && text.at(i) == QLatin1Char('"')) {
            ++i;
            while (i < n) {
                const QChar c = text.at(i);
                if (c == QLatin1Char('"')) {
                    if (i + 1 < n && text.at(i + 1) == QLatin1Char('"')) {
                        field += c;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += c;
                ++i;
            }
            // Anything between the closing quote and the next comma is dropped.
            while (i < n && text.at(i) != QLatin1Char(','))
                ++i;
        } else {
            const qsizetype start = i;
            while (i < n && text.at(i) != QLatin1Char(','))
                ++i;
            field = text.mid(start, i - start);
            while (!field.isEmpty() && isBlank(field.back()))
                field.chop(1);
        }
        out.append(field);
        if (i >= n)
            break;
        ++i; // the comma
    }
    return out;
}

QString AnnotationValues::joinCommaText(const QStringList &fields, bool quoteAll)
{
    QString out;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += QLatin1Char(',');
        const QString &f = fields.at(i);
        bool quote = quoteAll;
        for (QChar c : f) {
            if (c == QLatin1Char(',') || c == QLatin1Char('"') || c.isSpace()) {
                quote = true;
                break;
            }
        }
        if (quote) {
            QString q = f;
            q.replace(QLatin1Char('"'), QLatin1String("\"\""));
            out += QLatin1Char('"') + q + QLatin1Char('"');
        } else {
            out += f;
        }
    }
    return out;
}

bool AnnotationValues::isValid(const QString &suffix, const QString &text)
{
    if (text.isEmpty())
        return false;
    const QString s = canonicalAnnotationSuffix(suffix);
    if (s == QLatin1String("_cmp"))
        return parseAchievement(text).has_value();
    if (s == QLatin1String("_comp"))
        return parseCompletion(text).has_value();
    if (s == QLatin1String("_CVColor"))
        return parseCaptionColour(text).has_value();
    if (s == QLatin1String("_imp"))
        return parseImportance(text).has_value();
    if (s == QLatin1String("_impN"))
        return parseNotification(text).has_value();
    if (s == QLatin1String("_label"))
        return parseLabel(text).has_value();
    if (s == QLatin1String("_oneColor"))
        return parseOneColour(text).has_value();
    if (s == QLatin1String("_p"))
        return parsePosition(text).has_value();
    if (s == QLatin1String("_RGB"))
        return parseColourShift(text).has_value();
    if (s == QLatin1String("_s"))
        return parseSeal(text).has_value();
    if (s == QLatin1String("_TE") || s == QLatin1String("_TS"))
        return parseTaskDateTime(text).has_value();
    if (s == FolderViewStyleKey)
        return parseViewStyle(text).has_value();
    if (s == FolderSortTypeKey)
        return parseSortType(text).has_value();
    if (s == FolderImageKey)
        return text == QLatin1String("1");
    return true; // _cmt, _Text, _stp, _cmtEx and unknown keys hold free text
}

QString AnnotationValues::describeExpected(const QString &suffix)
{
    const QString s = canonicalAnnotationSuffix(suffix);
    if (s == QLatin1String("_cmp"))
        return QStringLiteral("an integer from 0 to 100");
    if (s == QLatin1String("_comp"))
        return QStringLiteral("1 (finished) or 0 (open)");
    if (s == QLatin1String("_CVColor"))
        return QStringLiteral("a colour name such as clRed or a colour number");
    if (s == QLatin1String("_imp"))
        return QStringLiteral("an integer from 0 to 4");
    if (s == QLatin1String("_impN"))
        return QStringLiteral("method 0 to 4, date yyyy/MM/dd and time H:mm:ss joined by \",\"");
    if (s == QLatin1String("_label"))
        return QStringLiteral("an integer from 0 to 3");
    if (s == QLatin1String("_oneColor"))
        return QStringLiteral("1 to 7 or a colour number from 0 to 16777215");
    if (s == QLatin1String("_p"))
        return QStringLiteral("two integers x,y");
    if (s == QLatin1String("_RGB"))
        return QStringLiteral("three integers r,g,b from -255 to 255");
    if (s == QLatin1String("_s"))
        return QStringLiteral("an integer from 0 to 14");
    if (s == QLatin1String("_TE") || s == QLatin1String("_TS"))
        return QStringLiteral("a date yyyy/MM/dd and a time H:mm:ss joined by \",\"");
    if (s == FolderViewStyleKey)
        return QStringLiteral("an integer from 0 to 3");
    if (s == FolderSortTypeKey)
        return QStringLiteral("an integer from 0 to 5");
    if (s == FolderImageKey)
        return QStringLiteral("1");
    return QStringLiteral("one line of text");
}

} // namespace kazari
