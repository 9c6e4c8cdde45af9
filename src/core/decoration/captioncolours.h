#pragma once

#include "core/decoration/captionpalette.h"
#include "core/decoration/decorationflags.h"
#include "core/decoration/itemdecorationvalues.h"

#include <QColor>
#include <QDateTime>

#include <optional>

class QFileInfo;

namespace kazari
{

/// The file attributes that colour a caption.
struct CaptionAttributes {
    bool folder = false;
    bool system = false;
    bool volumeLabel = false;
    bool readOnly = false;
    bool hidden = false;

    /// Hidden: the name starts with "."; read-only: the owner may not write. The
    /// system mark lives outside Qt's reach and is passed in; volume labels do not
    /// exist here.
    static CaptionAttributes fromFileInfo(const QFileInfo &info, bool system = false);
};

/// How one caption is drawn.
struct CaptionStyle {
    QColor text;                      ///< font colour
    std::optional<QColor> background; ///< caption background, none: the list's
    bool bold = false;
    bool dimmed = false; ///< drawn in the list's "cut" state (hidden items)
    bool operator==(const CaptionStyle &) const = default;
};

/// What the caption decision needs of one item.
struct CaptionRequest {
    /// The item has a record whose picture has been asked for (state `F` not 0).
    bool requested = false;
    CaptionAttributes attributes;
    /// The item's validated caption colour and task values.
    ItemDecorationValues values;
    /// The list's font colour.
    QColor fontColour = Qt::black;
    QDateTime now;
};

/// `ListView1CustomDrawItem`: the font and background colours of a caption from the
/// file attributes, the caption colour annotation and the task state.
class CaptionColours
{
public:
    static CaptionStyle decide(const DecorationFlags &flags, const CaptionPalette &palette,
                               const CaptionRequest &request);

    /// Black text on a background whose brightness is 128 or more, white otherwise.
    static QColor textColourOn(const QColor &background);

    /// The background of an open task: white without start and end; `palette.taskOpen`
    /// once the end has passed; yellow before the start; in between yellow fading to
    /// red as 0x0000FFFF - round(t x 255) x 256 with t the elapsed share of the time.
    /// With only an end known: `taskOpen` after it, yellow before; with only a start:
    /// yellow.
    static QColor taskProgressColour(const std::optional<QDateTime> &start,
                                     const std::optional<QDateTime> &end, const QDateTime &now,
                                     const CaptionPalette &palette);
};

} // namespace kazari
