#include "core/decoration/picturerouting.h"

#include "core/decoration/onecolourcode.h"

namespace kazari
{

PicturePlan PictureRouting::plan(const DecorationFlags &flags, const ItemDecorationValues &item)
{
    if (!flags.iconDecorations)
        return PicturePlan::baseOnly();
    switch (flags.maskMode()) {
    case MaskMode::PlainIcon:
        return PicturePlan::baseOnly();
    case MaskMode::ShiftMask:
        return shiftPath(item);
    case MaskMode::OneColourOrShift:
        return item.oneColour ? applyColourCode(*item.oneColour, flags, item) : shiftPath(item);
    case MaskMode::OneColourOrPlain:
        return item.oneColour ? applyColourCode(*item.oneColour, flags, item)
                              : PicturePlan::decorate(ColourShift{});
    case MaskMode::OneColourOrPlaceholder:
        return item.oneColour ? applyColourCode(*item.oneColour, flags, item)
                              : PicturePlan::keepPlaceholder();
    }
    return PicturePlan::baseOnly();
}

PicturePlan PictureRouting::applyColourCode(qint32 value, const DecorationFlags &flags,
                                            const ItemDecorationValues &item)
{
    if (const auto keep = OneColourCode::channels(value))
        return PicturePlan::byChannels(*keep);
    if (OneColourCode::isNone(value))
        return shiftPath(item);
    if (flags.oneColourMask && item.oneColour)
        return PicturePlan::byColour(PixelFilters::colourBytes(value));
    return shiftPath(item);
}

} // namespace kazari
