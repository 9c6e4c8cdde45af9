#include "core/decoration/captioncolours.h"

#include "core/app/colorvalue.h"

#include <QFileInfo>

namespace kazari
{

namespace
{

const QColor Yellow(255, 255, 0);
const QColor White(255, 255, 255);

} // namespace

CaptionAttributes CaptionAttributes::fromFileInfo(const QFileInfo &info, bool system)
{
    CaptionAttributes a;
    a.folder = info.isDir();
    a.system = system;
    a.readOnly = info.exists() && !info.permission(QFileDevice::WriteOwner);
    a.hidden = info.fileName().startsWith(QLatin1Char('.'));
    return a;
}

QColor CaptionColours::textColourOn(const QColor &background)
{
    return ColorValue::brightness(background) >= 128 ? QColor(0, 0, 0) : QColor(255, 255, 255);
}

QColor CaptionColours::taskProgressColour(const std::optional<QDateTime> &taskStart,
                                          const std::optional<QDateTime> &taskEnd,
                                          const QDateTime &now, const CaptionPalette &palette)
{
    const auto valid = [](const std::optional<QDateTime> &d) {
        return d && d->isValid() ? d : std::nullopt;
    };
    const std::optional<QDateTime> start = valid(taskStart);
    const std::optional<QDateTime> end = valid(taskEnd);
    if (!start && !end)
        return White;
    const qint64 n = now.toMSecsSinceEpoch();
    if (end && n > end->toMSecsSinceEpoch())
        return palette.taskOpen;
    if (!start || !end)
        return Yellow;
    const qint64 s = start->toMSecsSinceEpoch();
    const qint64 e = end->toMSecsSinceEpoch();
    if (s > n)
        return Yellow;
    // Here s <= n <= e, so the share lies in 0..1 and the step in 0..255; the wide
    // type keeps far-apart dates from overflowing.
    const __int128 elapsed = __int128(n) - s;
    const __int128 span = __int128(e) - s;
    qint64 step = 0;
    if (elapsed != 0 && span != 0) {
        const __int128 scaled = elapsed * 255;
        __int128 q = scaled / span;
        const __int128 twiceRest = 2 * (scaled % span);
        if (twiceRest > span || (twiceRest == span && q % 2 != 0))
            ++q;
        step = qint64(q);
    }
    const qint32 number = 0x0000FFFF - qint32(step) * 256;
    if (number <= 0)
        return Yellow;
    return ColorValue::toColor(number);
}

CaptionStyle CaptionColours::decide(const DecorationFlags &flags, const CaptionPalette &palette,
                                    const CaptionRequest &request)
{
    CaptionStyle style;
    style.text = request.fontColour;
    if (!request.requested || !flags.captionDecorations || !flags.captionLabels)
        return style;

    const CaptionAttributes &a = request.attributes;
    if (flags.ownerData) {
        // The owner-data list applies every matching attribute in turn, the last
        // winning, without bold or dimming.
        if (a.folder)
            style.text = palette.directory;
        if (a.system)
            style.text = palette.systemFile;
        if (a.volumeLabel)
            style.text = palette.volumeLabel;
        if (a.readOnly)
            style.text = palette.readOnly;
        if (a.hidden)
            style.text = palette.hidden;
    } else {
        if (a.folder) {
            style.text = palette.directory;
            style.bold = palette.boldFolders;
        }
        if (a.system) {
            style.text = palette.systemFile;
        } else if (a.volumeLabel) {
            style.text = palette.volumeLabel;
        } else if (a.readOnly) {
            style.text = palette.readOnly;
        } else if (a.hidden) {
            style.text = palette.hidden;
            style.dimmed = true;
        }
    }

    const ItemDecorationValues &v = request.values;
    if (v.captionColour) {
        const QColor background = ColorValue::toColor(*v.captionColour);
        style.background = background;
        style.text = textColourOn(background);
    }
    if (flags.ownerData || !v.completed)
        return style;
    if (flags.taskColumns)
        style.background = *v.completed ? palette.taskFinished : palette.taskOpen;
    if (flags.taskCaptionColours) {
        style.background = *v.completed
                               ? palette.taskFinished
                               : taskProgressColour(v.taskStart, v.taskEnd, request.now, palette);
    }
    return style;
}

} // namespace kazari
