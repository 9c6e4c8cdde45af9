#pragma once

#include <QColor>

namespace kazari
{

class Settings;

/// How an item's icon is recoloured, decided from the mask switches at every list build.
enum class MaskMode {
    PlainIcon = 0,              ///< the base picture only, no decoration
    ShiftMask = 1,              ///< every item through the colour-shift path
    OneColourOrShift = 2,       ///< `_oneColor` items tinted, the others shifted by `_RGB`
    OneColourOrPlain = 3,       ///< `_oneColor` items tinted, the others decorated unshifted
    OneColourOrPlaceholder = 4, ///< `_oneColor` items tinted, the others keep the placeholder
};

/// The decoration switches, copied from their menu marks (the settings of the same
/// names) at every list build. Picture and caption building read only this copy.
struct DecorationFlags {
    bool largeIconView = true;   ///< `N28` "アイコン"
    bool stamp = false;          ///< `N29` "スタンプ": program icon of a folder
    bool shiftMask = false;      ///< `N30` "マスク(エフェクト)"
    bool contrast = false;       ///< `N70` "コントラスト"
    bool monochrome = false;     ///< `N74` "モノクロ"
    bool iconDecorations = true; ///< `N75` "アイコン表示拡張機能 使用", master switch
    bool simpleIcons = false;    ///< `N104` "シンプルアイコン"
    bool hatchedMask = false;    ///< `N111` "マスク(網かけ)"
    bool oneColourMask = true;   ///< `N113` "マスク(単一カラー)"
    bool commentMark = false;    ///< `N116` "文字ラベル"
    bool thumbnails = false;     ///< `N118` "画像内容を表示"
    bool customIconSize = false; ///< `N119` "アイコンの大きさを変える"
    int iconSize = 32;           ///< `IconSize`, the icon size slider (8 to 480)
    bool seals = true;           ///< `N31` "シール"
    bool labels = true;          ///< `N32` "ラベル"
    bool treeList = false;       ///< `N90` "ツリーリスト"
    bool taskColumns = false;    ///< `N79` "タスク情報"
    bool captionDecorations = true;  ///< `N91` "文字表示拡張機能 使用", master switch
    bool captionLabels = true;       ///< `N77` "キャプションラベル"
    bool taskCaptionColours = false; ///< `N117` "タスク情報でキャプション色変化"
    bool comments = true;            ///< `N88` "コメントの表示"
    bool ownerData = false;          ///< `N325` owner-data list engine
    bool namespaceMode = false;      ///< shell namespace list (set by the list, not a setting)

    static constexpr int MinIconSize = 8;
    static constexpr int MaxIconSize = 480;
    static constexpr int SmallSize = 16;
    static constexpr int DefaultLargeSize = 32;

    /// The colour number 5 that marks transparent pixels while masks are made.
    static constexpr qint32 MaskKeyColourNumber = 5;
    /// The mask key colour as RGB (red 5, green 0, blue 0).
    static QColor maskKeyColour() { return QColor(5, 0, 0); }

    /// Reads the switches from the settings list; a key that is absent keeps its
    /// default. `IconSize` is held within 8 to 480 (32 when absent or not a number).
    static DecorationFlags fromSettings(const Settings &settings);

    /// The mask mode: each later rule overrides the earlier ones.
    MaskMode maskMode() const;

    /// The size of the large pictures: the slider's size with `N119`, otherwise 32.
    int largeSize() const;
    /// The picture size of a list: 16 for the small list, `largeSize()` for the large.
    int pictureSize(bool largeList) const { return largeList ? largeSize() : SmallSize; }
};

} // namespace kazari
