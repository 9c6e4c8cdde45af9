#pragma once

#include "core/decoration/decorationflags.h"
#include "core/decoration/itemdecorationvalues.h"
#include "core/decoration/pixelfilters.h"

namespace kazari
{

/// Which way an item's picture is made.
enum class PictureRoute {
    BaseOnly,            ///< `BuildBaseImage` only: no filter, no mark
    Decorate,            ///< `DecorateImage`: contrast, monochrome, shift, marks
    OneColourByChannels, ///< `PaintOneColour` mode 1: a fixed mask colour
    OneColourByColour,   ///< `PaintOneColour` mode 2: a colour number
    KeepPlaceholder,     ///< nothing is built; the item keeps its placeholder
};

/// A route with the amounts it needs.
struct PicturePlan {
    PictureRoute route = PictureRoute::BaseOnly;
    ColourShift shift;     ///< `Decorate`: the colour shift (applied only under the shift switches)
    KeptChannels channels; ///< `OneColourByChannels`
    ColourBytes colour;    ///< `OneColourByColour`
    bool operator==(const PicturePlan &) const = default;

    static PicturePlan baseOnly() { return {}; }
    static PicturePlan keepPlaceholder() { return {PictureRoute::KeepPlaceholder, {}, {}, {}}; }
    static PicturePlan decorate(ColourShift shift)
    {
        return {PictureRoute::Decorate, shift, {}, {}};
    }
    static PicturePlan byChannels(KeptChannels keep)
    {
        return {PictureRoute::OneColourByChannels, {}, keep, {}};
    }
    static PicturePlan byColour(ColourBytes colour)
    {
        return {PictureRoute::OneColourByColour, {}, {}, colour};
    }
};

/// Chooses how an item's picture is made from the decoration switches and the item's
/// already validated annotation values.
class PictureRouting
{
public:
    /// The route of a materialised item: the master switch off gives the base picture;
    /// otherwise the mask mode decides, items with `_oneColor` going through
    /// `applyColourCode`.
    static PicturePlan plan(const DecorationFlags &flags, const ItemDecorationValues &item);

    /// `ApplyColourCode`: 1 to 7 a fixed mask colour (whatever the switches); 0 or -1
    /// the colour-shift path; any other value its colour when "マスク(単一カラー)" is on
    /// and the item has `_oneColor`, the colour-shift path otherwise.
    static PicturePlan applyColourCode(qint32 value, const DecorationFlags &flags,
                                       const ItemDecorationValues &item);

    /// The colour-shift path with the item's `_RGB` (0, 0, 0 when absent).
    static PicturePlan shiftPath(const ItemDecorationValues &item)
    {
        return PicturePlan::decorate(item.shift.value_or(ColourShift{}));
    }
};

} // namespace kazari
