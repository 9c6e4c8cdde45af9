#pragma once

#include <QColor>
#include <QString>

#include <optional>

namespace kazari
{

/// Colour numbers as stored in settings: 0x00BBGGRR (red in the low byte) as decimal
/// text, a colour constant name ("clRed", "clBtnFace"), or a hexadecimal "$00BBGGRR".
/// Negative numbers 0xFF0000nn name the desktop's system colour nn.
class ColorValue
{
public:
    /// The colour number of a settings text, or nothing when it does not convert.
    static std::optional<qint32> parse(const QString &text);
    /// The constant name of a colour number ("clRed"), or its decimal text.
    static QString toText(qint32 number);

    static bool isSystemColor(qint32 number)
    {
        return (quint32(number) & 0xFF000000u) == 0xFF000000u;
    }
    static int systemIndex(qint32 number) { return int(quint32(number) & 0xFFu); }

    /// The RGB colour of a colour number; system colours take the classic desktop
    /// defaults unless the user interface resolves them from its palette first.
    static QColor toColor(qint32 number);
    /// The colour number of an RGB colour.
    static qint32 fromColor(const QColor &color);

    /// The brightness the program compares against 128 to choose black or white text.
    static int brightness(const QColor &color);
};

} // namespace kazari
