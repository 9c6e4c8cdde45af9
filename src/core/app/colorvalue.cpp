#include "core/app/colorvalue.h"

#include <array>

namespace kazari
{

namespace
{

struct NamedColor {
    const char *name;
    quint32 value;
};

constexpr quint32 Sys = 0xFF000000u;

// The constant names files written by older versions use, with their colour numbers.
constexpr std::array<NamedColor, 54> Named{{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clLtGray", 0xC0C0C0},
    {"clDkGray", 0x808080},
    {"clMoneyGreen", 0xC0DCC0},
    {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},
    {"clNone", 0x1FFFFFFF},
    {"clDefault", 0x20000000},
    {"clScrollBar", Sys | 0},
    {"clBackground", Sys | 1},
    {"clActiveCaption", Sys | 2},
    {"clInactiveCaption", Sys | 3},
    {"clMenu", Sys | 4},
    {"clWindow", Sys | 5},
    {"clWindowFrame", Sys | 6},
    {"clMenuText", Sys | 7},
    {"clWindowText", Sys | 8},
    {"clCaptionText", Sys | 9},
    {"clActiveBorder", Sys | 10},
    {"clInactiveBorder", Sys | 11},
    {"clAppWorkSpace", Sys | 12},
    {"clHighlight", Sys | 13},
    {"clHighlightText", Sys | 14},
    {"clBtnFace", Sys | 15},
    {"clBtnShadow", Sys | 16},
    {"clGrayText", Sys | 17},
    {"clBtnText", Sys | 18},
    {"clInactiveCaptionText", Sys | 19},
    {"clBtnHighlight", Sys | 20},
    {"cl3DDkShadow", Sys | 21},
    {"cl3DLight", Sys | 22},
    {"clInfoText", Sys | 23},
    {"clInfoBk", Sys | 24},
    {"clHotLight", Sys | 26},
    {"clGradientActiveCaption", Sys | 27},
    {"clGradientInactiveCaption", Sys | 28},
    {"clMenuHighlight", Sys | 29},
    {"clMenuBar", Sys | 30},
}};

// Classic desktop defaults of the system colours, as 0xRRGGBB.
constexpr std::array<quint32, 31> SystemDefaults{{
    0xC8C8C8, 0x000000, 0x0054E3, 0x7A96DF, 0xFFFFFF, 0xFFFFFF, 0x000000, 0x000000,
    0x000000, 0xFFFFFF, 0xD4D0C8, 0xD4D0C8, 0x808080, 0x316AC5, 0xFFFFFF, 0xECE9D8,
    0xACA899, 0xACA899, 0x000000, 0xD8E4F8, 0xFFFFFF, 0x716F64, 0xF1EFE2, 0x000000,
    0xFFFFE1, 0xB5B5B5, 0x000080, 0x3D95FF, 0x9DB9EB, 0x316AC5, 0xECE9D8,
}};

std::optional<qint64> parseInteger(const QString &text)
{
    bool ok = false;
    const QString t = text.trimmed();
    if (t.startsWith(QLatin1Char('$'))) {
        const qint64 v = t.mid(1).toLongLong(&ok, 16);
        return ok ? std::optional<qint64>(v) : std::nullopt;
    }
    const qint64 v = t.toLongLong(&ok, 10);
    return ok ? std::optional<qint64>(v) : std::nullopt;
}

} // namespace

std::optional<qint32> ColorValue::parse(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    if (t.startsWith(QLatin1String("cl"), Qt::CaseInsensitive)) {
        for (const NamedColor &c : Named) {
            if (t.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
                return qint32(c.value);
        }
        return std::nullopt;
    }
    const std::optional<qint64> v = parseInteger(t);
    if (!v)
        return std::nullopt;
    // Anything a 32-bit colour number can hold: decimal texts of negative system colours
    // and of unsigned hexadecimal numbers both arrive here.
    if (*v < INT32_MIN || *v > qint64(UINT32_MAX))
        return std::nullopt;
    return qint32(quint32(quint64(*v) & 0xFFFFFFFFu));
}

QString ColorValue::toText(qint32 number)
{
    for (const NamedColor &c : Named) {
        if (qint32(c.value) == number)
            return QLatin1String(c.name);
    }
    return QString::number(number);
}

QColor ColorValue::toColor(qint32 number)
{
    quint32 bgr = quint32(number);
    if (isSystemColor(number)) {
        const int index = systemIndex(number);
        const quint32 rgb = index < int(SystemDefaults.size()) ? SystemDefaults[size_t(index)] : 0;
        return QColor(int((rgb >> 16) & 0xFF), int((rgb >> 8) & 0xFF), int(rgb & 0xFF));
    }
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

qint32 ColorValue::fromColor(const QColor &color)
{
    const QColor c = color.toRgb();
    return qint32(quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16));
}

int ColorValue::brightness(const QColor &color)
{
    const QColor c = color.toRgb();
    // round(0.299 r + 0.587 g + 0.114 b) in exact thousandths, halves to the even neighbour.
    const int sum = c.red() * 299 + c.green() * 587 + c.blue() * 114;
    int q = sum / 1000;
    const int r = sum % 1000;
    if (r > 500 || (r == 500 && (q % 2) == 1))
        ++q;
    return q;
}

} // namespace kazari
