#include "core/decoration/onecolourcode.h"

#include <array>

namespace kazari
{

namespace
{

struct FixedColour {
    KeptChannels keep;
    qint32 folderNumber;
    ColourBytes tint;
};

// Codes 1 to 7; channels as blue, green, red; tints as blue, green, red bytes.
constexpr std::array<FixedColour, 7> Fixed{{
    {{false, false, true}, 255, {0, 0, 255}},
    {{false, true, false}, 32768, {0, 255, 0}},
    {{true, false, false}, 16711680, {255, 0, 0}},
    {{false, true, true}, 65535, {0, 255, 255}},
    {{true, true, false}, 16776960, {255, 255, 0}},
    {{true, false, true}, 16711935, {255, 0, 255}},
    {{true, true, true}, 8421504, {255, 255, 255}},
}};

} // namespace

std::optional<KeptChannels> OneColourCode::channels(qint32 code)
{
    if (!isFixed(code))
        return std::nullopt;
    return Fixed[size_t(code - FirstFixed)].keep;
}

std::optional<qint32> OneColourCode::folderColourNumber(qint32 code)
{
    if (!isFixed(code))
        return std::nullopt;
    return Fixed[size_t(code - FirstFixed)].folderNumber;
}

ColourBytes OneColourCode::tint(qint32 value)
{
    if (isFixed(value))
        return Fixed[size_t(value - FirstFixed)].tint;
    return PixelFilters::colourBytes(value);
}

QString OneColourCode::nameKey(qint32 code)
{
    return QStringLiteral("1Color_N%1").arg(code - FirstFixed);
}

} // namespace kazari
