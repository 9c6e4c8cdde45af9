#include "core/decoration/decorationflags.h"

#include "core/app/settings.h"

#include <QString>

#include <algorithm>

namespace kazari
{

namespace
{

void readSwitch(const Settings &settings, const char *key, bool &field)
{
    const QString k = QLatin1String(key);
    if (settings.contains(k))
        field = settings.isOn(k);
}

} // namespace

DecorationFlags DecorationFlags::fromSettings(const Settings &settings)
{
    DecorationFlags f;
    readSwitch(settings, "N28", f.largeIconView);
    readSwitch(settings, "N29", f.stamp);
    readSwitch(settings, "N30", f.shiftMask);
    readSwitch(settings, "N70", f.contrast);
    readSwitch(settings, "N74", f.monochrome);
    readSwitch(settings, "N75", f.iconDecorations);
    readSwitch(settings, "N104", f.simpleIcons);
    readSwitch(settings, "N111", f.hatchedMask);
    readSwitch(settings, "N113", f.oneColourMask);
    readSwitch(settings, "N116", f.commentMark);
    readSwitch(settings, "N118", f.thumbnails);
    readSwitch(settings, "N119", f.customIconSize);
    readSwitch(settings, "N31", f.seals);
    readSwitch(settings, "N32", f.labels);
    readSwitch(settings, "N90", f.treeList);
    readSwitch(settings, "N79", f.taskColumns);
    readSwitch(settings, "N91", f.captionDecorations);
    readSwitch(settings, "N77", f.captionLabels);
    readSwitch(settings, "N117", f.taskCaptionColours);
    readSwitch(settings, "N88", f.comments);
    readSwitch(settings, "N325", f.ownerData);
    // A size outside the slider's range would make pictures of no or absurd size.
    f.iconSize = std::clamp(settings.integer(QStringLiteral("IconSize"), DefaultLargeSize),
                            MinIconSize, MaxIconSize);
    return f;
}

MaskMode DecorationFlags::maskMode() const
{
    MaskMode mode = MaskMode::PlainIcon;
    if (shiftMask || hatchedMask)
        mode = MaskMode::ShiftMask;
    if (oneColourMask)
        mode = MaskMode::OneColourOrPlain;
    if (simpleIcons)
        mode = MaskMode::OneColourOrPlaceholder;
    if (oneColourMask && (shiftMask || hatchedMask))
        mode = MaskMode::OneColourOrShift;
    return mode;
}

int DecorationFlags::largeSize() const
{
    if (!customIconSize)
        return DefaultLargeSize;
    return std::clamp(iconSize, MinIconSize, MaxIconSize);
}

} // namespace kazari
