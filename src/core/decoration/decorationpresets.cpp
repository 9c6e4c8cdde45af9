#include "core/decoration/decorationpresets.h"

#include "core/app/colorvalue.h"
#include "core/app/settings.h"
#include "core/decoration/onecolourcode.h"

#include <array>

namespace kazari
{

namespace
{

constexpr std::array<const char *, DecorationPresets::CaptionPresetCount> DefaultColours = {
    "clRed", "clYellow", "clFuchsia", "clSilver", "clBlue", "clAqua", "clTeal"};

const std::array<QString, DecorationPresets::CaptionPresetCount> &defaultNames()
{
    static const std::array<QString, DecorationPresets::CaptionPresetCount> names = {
        QStringLiteral("必須"), QStringLiteral("重要"),   QStringLiteral("進行中"),
        QStringLiteral("未決"), QStringLiteral("個人用"), QStringLiteral("計画1"),
        QStringLiteral("計画2")};
    return names;
}

bool inRange(int k, int count)
{
    return k >= 0 && k < count;
}

} // namespace

QString DecorationPresets::defaultCaptionColourText(int k)
{
    if (!inRange(k, CaptionPresetCount))
        return QString();
    return QString::fromLatin1(DefaultColours[size_t(k)]);
}

QString DecorationPresets::defaultCaptionName(int k)
{
    if (!inRange(k, CaptionPresetCount))
        return QString();
    return defaultNames()[size_t(k)];
}

CaptionPreset DecorationPresets::captionPreset(const Settings &settings, int k)
{
    CaptionPreset preset;
    if (!inRange(k, CaptionPresetCount))
        return preset;
    const QString n = QString::number(k);
    const QString nameKey = QStringLiteral("Tx_CaptionMaskName") + n;
    preset.name = settings.contains(nameKey) ? settings.value(nameKey) : defaultCaptionName(k);

    const QString text = settings.value(QStringLiteral("cl_CaptionMask") + n).trimmed();
    const std::optional<qint32> colour = ColorValue::parse(text);
    if (!text.isEmpty() && colour) {
        preset.colourText = text;
        preset.colour = *colour;
    } else {
        preset.colourText = defaultCaptionColourText(k);
        preset.colour = ColorValue::parse(preset.colourText).value_or(0);
    }
    return preset;
}

QString DecorationPresets::sealName(const Settings &settings, int i)
{
    if (!inRange(i, SealCount))
        return QString();
    const QString name = settings.value(QStringLiteral("Seal_N") + QString::number(i));
    return name.isEmpty() ? QString::number(i) : name;
}

QString DecorationPresets::labelName(const Settings &settings, int i)
{
    if (!inRange(i, LabelCount))
        return QString();
    return settings.value(QStringLiteral("Label_List0") + QString::number(i));
}

QString DecorationPresets::maskColourName(const Settings &settings, int code)
{
    if (!OneColourCode::isFixed(code))
        return QString();
    return settings.value(OneColourCode::nameKey(code));
}

} // namespace kazari
