#include "core/viewer/stickynotecontent.h"

#include "core/annotations/annotationvalues.h"

#include <algorithm>
#include <cmath>

namespace kazari
{

namespace
{

QString importanceText(const QString &imp, StickyNoteContent::Content &c)
{
    using Colour = StickyNoteContent::Colour;
    if (imp.isEmpty()) {
        c.colour = Colour::ButtonFace;
        return QStringLiteral("重要度: なし");
    }
    c.colour = Colour::Setting;
    const std::optional<int> v = AnnotationValues::parseInteger(imp);
    static const char *const names[] = {"なし", "低", "普通", "高", "至急"};
    if (v && *v >= 0 && *v <= 4) {
        c.settingIndex = *v;
        return QStringLiteral("重要度: ") + QString::fromUtf8(names[*v]);
    }
    c.settingIndex = 5;
    return QStringLiteral("重要度: なし");
}

StickyNoteContent::Colour labelColour(const QString &label)
{
    using Colour = StickyNoteContent::Colour;
    if (label.isEmpty())
        return Colour::ButtonFace;
    switch (AnnotationValues::parseInteger(label).value_or(-1)) {
    case 0:
        return Colour::Red;
    case 1:
        return Colour::Yellow;
    case 2:
        return Colour::Green;
    case 3:
        return Colour::Blue;
    default:
        return Colour::Silver;
    }
}

QString methodText(const QString &impN)
{
    const QString first = AnnotationValues::splitCommaText(impN).value(0);
    static const char *const names[] = {"なし", "指定日", "開始日", "期日", "毎日"};
    const std::optional<int> v = AnnotationValues::parseInteger(first);
    const int m = v && *v >= 0 && *v <= 4 ? *v : 0;
    return QStringLiteral("通知方法: ") + QString::fromUtf8(names[m]);
}

// A date and a time of a task field, when both are present and valid.
std::optional<QDateTime> moment(const QString &date, const QString &time)
{
    const std::optional<QDate> d = AnnotationValues::parseDate(date.trimmed());
    const std::optional<QTime> t = AnnotationValues::parseTime(time.trimmed());
    if (!d || !t)
        return std::nullopt;
    return QDateTime(*d, *t);
}

} // namespace

QSize StickyNoteContent::clientSize(Variant variant)
{
    return QSize(Width, variant == Variant::Task ? TaskHeight : CommentHeight);
}

QString StickyNoteContent::hours(qint64 milliseconds)
{
    // Tenths of an hour, halves to even, exactly: 360000 ms a tenth.
    constexpr qint64 tenth = 360000;
    qint64 q = milliseconds / tenth;
    qint64 r = milliseconds % tenth;
    if (r < 0) {
        r += tenth;
        --q;
    }
    if (2 * r > tenth || (2 * r == tenth && (q % 2) != 0))
        ++q;
    const bool negative = q < 0;
    const qint64 a = negative ? -q : q;
    return (negative ? QStringLiteral("-") : QString()) + QString::number(a / 10) +
           QLatin1Char('.') + QString::number(a % 10);
}

StickyNoteContent::Content StickyNoteContent::fill(Variant variant, const QString &caption,
                                                   const FileAnnotationRec &a, const QDateTime &now)
{
    Content c;
    c.variant = variant;
    c.fileName = QStringLiteral("ファイル名: ") + caption;
    c.comment =
        a.cmt.isEmpty() ? QStringLiteral("コメント: なし") : QStringLiteral("コメント: ") + a.cmt;
    if (variant == Variant::Comment) {
        c.colour = labelColour(a.label);
        return c;
    }

    // Achievement: the bar holds 0 to 100, the line shows the bar.
    const std::optional<int> cmp = AnnotationValues::parseInteger(a.cmp);
    c.achievement = std::clamp(cmp.value_or(0), 0, 100);
    c.achievementLine =
        QStringLiteral("達成率: ") + QString::number(c.achievement) + QStringLiteral("％");

    if (!a.comp.isEmpty()) {
        const bool open = a.comp == QLatin1String("0");
        c.completionLine = open ? QStringLiteral("<< 未完了 >>") : QStringLiteral("<< 完了 >>");
        c.completion = open ? Completion::Open : Completion::Completed;
    }

    c.importance = importanceText(a.imp, c);

    c.remainingLabel = QStringLiteral("残り時間");
    c.start = a.TS.isEmpty() ? QStringLiteral("開始: なし") : QStringLiteral("開始: ") + a.TS;
    c.deadline = a.TE.isEmpty() ? QStringLiteral("期日: なし") : QStringLiteral("期日: ") + a.TE;
    c.method = methodText(a.impN);
    const QStringList n = AnnotationValues::splitCommaText(a.impN);
    c.notification = a.impN.isEmpty()
                         ? QStringLiteral("通知: なし")
                         : QStringLiteral("通知: ") + n.value(1) + QLatin1Char(',') + n.value(2);

    c.wholeTime = QStringLiteral("全体時間: 0.0 h");
    c.remainingTime = QStringLiteral("残り時間: 0.0 h");
    c.remainingBar = 0;
    const QStringList ts = AnnotationValues::splitCommaText(a.TS);
    const QStringList te = AnnotationValues::splitCommaText(a.TE);
    const std::optional<QDateTime> start = moment(ts.value(0), ts.value(1));
    const std::optional<QDateTime> end = moment(te.value(0), te.value(1));
    // Without a valid start and deadline the times and the bar stay at zero.
    if (!start || !end)
        return c;

    const qint64 whole = start->msecsTo(*end);
    c.wholeTime = QStringLiteral("全体時間: ") + hours(whole) + QStringLiteral(" h");
    if (whole == 0)
        return c;
    if (whole < 0) {
        c.colour = Colour::Tooltip;
        c.redText = true;
    }
    const qint64 elapsed = start->msecsTo(now);
    const qint64 remaining = whole - elapsed;
    c.remainingTime = QStringLiteral("残り時間: ") + hours(remaining) + QStringLiteral(" h");
    if (remaining < 0) {
        c.colour = Colour::Tooltip;
        c.redText = true;
    }
    const double ratio = double(elapsed) / double(whole);
    if (ratio > 0) {
        const double percent = std::trunc(std::min(ratio * 100.0, 1e9));
        const qint64 p = qint64(percent);
        c.remainingBar = int(std::clamp<qint64>(100 - p, 0, 100));
        c.remainingPercent = QString::number(100 - p) + QStringLiteral(" %");
    } else {
        // Nothing of the time has gone yet.
        c.remainingBar = 100;
    }
    return c;
}

QPoint StickyNoteContent::place(QPoint mouse, const QRect &screen, QSize note)
{
    const int x = mouse.x() - screen.left();
    const int y = mouse.y() - screen.top();
    const int w2 = screen.width() / 2;
    const int h2 = screen.height() / 2;
    const int w = note.width();
    const int h = note.height();
    QPoint at;
    if (y < h2)
        at = x < w2 ? QPoint(x + 8, y + 8) : QPoint(x - 8 - w, y - 8);
    else
        at = x < w2 ? QPoint(x - 8, y - 8 - h) : QPoint(x - 8 - w, y - 8 - h);
    return at + screen.topLeft();
}

} // namespace kazari
