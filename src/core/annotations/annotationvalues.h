#pragma once

#include <QDate>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QTime>

#include <optional>

namespace kazari
{

/// A task date with its time ("_TS", "_TE"): "yyyy/MM/dd,H:mm:ss". The time may be
/// missing (null) in hand-written values.
struct TaskDateTime {
    QDate date;
    QTime time;
    bool operator==(const TaskDateTime &) const = default;
};

/// A task notification ("_impN"): method, date and time. Method 0 "なし", 1 "指定日",
/// 2 "開始日", 3 "期日", 4 "毎日"; below 1 means no notification. Date and time may be
/// empty (null).
struct TaskNotification {
    int method = 0;
    QDate date;
    QTime time;
    bool operator==(const TaskNotification &) const = default;
};

/// A colour shift ("_RGB"): red, green and blue offsets from -255 to 255.
struct ColourShift {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const ColourShift &) const = default;
};

/// The text forms of annotation values.
///
/// Every parser returns nothing for a value that does not convert or is out of range,
/// so such a value reads exactly as an absent one; every formatter writes a text its
/// parser reads back. Dates are written "yyyy/MM/dd" and times "H:mm:ss" whatever the
/// locale, and read leniently (one- or two-digit parts, "/" or "-", seconds optional).
class AnnotationValues
{
public:
    static std::optional<int> parseInteger(const QString &text);
    static std::optional<int> parseIntegerIn(const QString &text, int low, int high);

    /// `_cmp`: achievement 0 to 100 percent.
    static std::optional<int> parseAchievement(const QString &text);
    /// `_comp`: "1" finished, "0" open.
    static std::optional<bool> parseCompletion(const QString &text);
    /// `_CVColor`: a colour constant name or colour number.
    static std::optional<qint32> parseCaptionColour(const QString &text);
    /// `_imp`: importance 0 to 4.
    static std::optional<int> parseImportance(const QString &text);
    static std::optional<TaskNotification> parseNotification(const QString &text);
    /// `_label`: 0 to 3.
    static std::optional<int> parseLabel(const QString &text);
    /// `_oneColor`: 1 to 7 are the fixed mask colours, any other value 0 to 0xFFFFFF a
    /// colour number.
    static std::optional<qint32> parseOneColour(const QString &text);
    /// `_p`: "x,y".
    static std::optional<QPoint> parsePosition(const QString &text);
    static std::optional<ColourShift> parseColourShift(const QString &text);
    /// `_s`: seal 0 to 14.
    static std::optional<int> parseSeal(const QString &text);
    /// `_TS`, `_TE`.
    static std::optional<TaskDateTime> parseTaskDateTime(const QString &text);
    /// `_cmtEx`: up to eleven text fields (more are ignored).
    static QStringList parseExtendedComment(const QString &text);
    static std::optional<int> parseViewStyle(const QString &text);
    static std::optional<int> parseSortType(const QString &text);

    static QString formatPosition(const QPoint &point);
    static QString formatColourShift(const ColourShift &shift);
    static QString formatTaskDateTime(const TaskDateTime &value);
    static QString formatNotification(const TaskNotification &value);
    /// Every field quoted, joined by ",".
    static QString formatExtendedComment(const QStringList &fields);

    static QString formatDate(const QDate &date);
    static QString formatTime(const QTime &time);
    static std::optional<QDate> parseDate(const QString &text);
    static std::optional<QTime> parseTime(const QString &text);

    /// A comma-separated list: fields in double quotes may hold "," and spaces, a
    /// doubled quote stands for one; blanks around unquoted fields are dropped.
    static QStringList splitCommaText(const QString &text);
    /// Joins fields, quoting those that hold ",", a blank or a quote (or all fields).
    static QString joinCommaText(const QStringList &fields, bool quoteAll = false);

    /// Whether a stored value of this suffix or folder key reads as present. Free-text
    /// fields and unknown suffixes are valid when not empty.
    static bool isValid(const QString &suffix, const QString &text);
    /// Why a value is not valid for the suffix, in plain words (empty when valid).
    static QString describeExpected(const QString &suffix);
};

} // namespace kazari
