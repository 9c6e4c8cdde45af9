#include "core/decoration/decorationflags.h"

#include "core/app/componentnames.h"
#include "core/app/settings.h"

#include <QString>

#include <algorithm>

namespace kazari
{

namespace
{

void readSwitch(const Settings &settings, const QString &key, bool &field)
{
    if (settings.contains(key))
        field = settings.isOn(key);
}

} // namespace

DecorationFlags DecorationFlags::fromSettings(const Settings &settings)
{
    DecorationFlags f;
    readSwitch(settings, Component::ViewIcons, f.largeIconView);
    readSwitch(settings, Component::ShowStamps, f.stamp);
    readSwitch(settings, Component::EffectMask, f.shiftMask);
    readSwitch(settings, Component::Contrast, f.contrast);
    readSwitch(settings, Component::Monochrome, f.monochrome);
    readSwitch(settings, Component::IconExtensions, f.iconDecorations);
    readSwitch(settings, Component::SimpleIcons, f.simpleIcons);
    readSwitch(settings, Component::HatchMask, f.hatchedMask);
    readSwitch(settings, Component::SingleColourMask, f.oneColourMask);
    readSwitch(settings, Component::TextLabels, f.commentMark);
    readSwitch(settings, Component::PictureContents, f.thumbnails);
    readSwitch(settings, Component::ResizeIcons, f.customIconSize);
    readSwitch(settings, Component::ShowSeals, f.seals);
    readSwitch(settings, Component::ShowLabels, f.labels);
    readSwitch(settings, Component::ViewTreeList, f.treeList);
    readSwitch(settings, Component::ViewTaskDetails, f.taskColumns);
    readSwitch(settings, Component::CaptionExtensions, f.captionDecorations);
    readSwitch(settings, Component::CaptionLabels, f.captionLabels);
    readSwitch(settings, Component::TaskCaptionColours, f.taskCaptionColours);
    readSwitch(settings, Component::ShowComments, f.comments);
    readSwitch(settings, Component::NewListEngine, f.ownerData);
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
