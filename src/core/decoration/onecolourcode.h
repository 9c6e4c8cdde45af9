#pragma once

#include "core/decoration/pixelfilters.h"

#include <QString>

#include <optional>

namespace kazari
{

/// The values of a single-colour mask (`_oneColor`): the codes 1 to 7 name the seven
/// fixed mask colours ("赤", "緑", "青", "黄", "水", "紫", "灰", names from the settings
/// `1Color_N0` to `1Color_N6`); 0 and -1 mean no single colour; any other value is a
/// colour number 0x00BBGGRR.
class OneColourCode
{
public:
    static constexpr int FirstFixed = 1;
    static constexpr int LastFixed = 7;

    static bool isFixed(qint32 value) { return value >= FirstFixed && value <= LastFixed; }
    /// 0 and -1: the item is drawn through the colour-shift path.
    static bool isNone(qint32 value) { return value == 0 || value == -1; }

    /// The channels that keep the grey value for a fixed code (4: red and green).
    static std::optional<KeptChannels> channels(qint32 code);
    /// The colour number written for the current folder itself (1: 255, 7: 8421504).
    static std::optional<qint32> folderColourNumber(qint32 code);
    /// The colour a folder's own icon is tinted with: the fixed colour of a code (grey
    /// is 255, 255, 255), otherwise the bytes of the colour number.
    static ColourBytes tint(qint32 value);
    /// The value stored for a colour picked in a colour dialog or on a slider: the
    /// colour number itself, except that 0 to 7 would read back as "none" or as one of
    /// the fixed codes, so they are stored as 8 (a red of 8, black to the eye as they
    /// are).
    static qint32 fromChosenColour(qint32 colourNumber)
    {
        return colourNumber >= 0 && colourNumber <= LastFixed ? LastFixed + 1 : colourNumber;
    }
    /// The settings key of a fixed code's name ("1Color_N0" for 1).
    static QString nameKey(qint32 code);
};

} // namespace kazari
