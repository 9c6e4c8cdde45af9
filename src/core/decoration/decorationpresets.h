#pragma once

#include <QString>

namespace kazari
{

class Settings;

/// One of the seven caption colour presets ("文字(&A)" menu, "キャプション" tool bar).
struct CaptionPreset {
    /// `Tx_CaptionMaskName`k: the menu caption and the tool button's hint.
    QString name;
    /// The text written into `_CVColor`: the setting `cl_CaptionMask`k as it stands
    /// ("clRed", "255"), or the preset's default when the setting holds no colour.
    QString colourText;
    /// The colour number of `colourText` (0x00BBGGRR).
    qint32 colour = 0;
};

/// The names and colours the decoration commands take from the settings at start-up:
/// caption colour presets, seal and label names and the names of the seven mask colours.
class DecorationPresets
{
public:
    static constexpr int CaptionPresetCount = 7;
    static constexpr int SealCount = 15;
    static constexpr int LabelCount = 4;

    /// Preset k (0 to 6). An absent or unreadable `cl_CaptionMask`k falls back to the
    /// preset's default colour ("clRed", "clYellow", "clFuchsia", "clSilver", "clBlue",
    /// "clAqua", "clTeal"); an absent name to its default name.
    static CaptionPreset captionPreset(const Settings &settings, int k);
    static QString defaultCaptionColourText(int k);
    static QString defaultCaptionName(int k);

    /// Seal i's name from `Seal_N`i; an empty name is the number i in decimal.
    static QString sealName(const Settings &settings, int i);
    /// Label i's name from `Label_List0`i.
    static QString labelName(const Settings &settings, int i);
    /// The name of mask colour code 1 to 7 from `1Color_N0` to `1Color_N6`.
    static QString maskColourName(const Settings &settings, int code);
};

} // namespace kazari
