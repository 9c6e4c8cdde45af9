#pragma once

#include "core/decoration/captionpalette.h"
#include "core/decoration/decorationflags.h"
#include "core/itemlist/viewstyle.h"

#include <QColor>
#include <QList>
#include <QPixmap>

namespace kazari
{

/// Everything that decides how the item list looks, taken at every list build.
struct ItemListLook {
    ListStyle style = ListStyle::LargeIcons;
    /// "ツリーリスト": folder items carry the expand mark and open inline.
    bool treeList = false;
    /// Items with a saved position (`_p`) stand there (icon styles, "位置設定" on).
    bool positions = false;
    /// Dragging items inside the list moves them and stores their positions
    /// ("位置設定" on, "ドロップ可能" off).
    bool dragMoves = false;
    /// "グリッドライン": lines between the rows and columns of the details style.
    bool gridLines = false;
    DecorationFlags flags;
    CaptionPalette palette;
    QColor background = Qt::white;
    QColor text = Qt::black;
    /// The placeholders every item shows until its picture is built: one picture per
    /// size for the whole list.
    QPixmap placeholderLarge;
    QPixmap placeholderSmall;
    /// The four label pictures drawn over an item's picture, per list size.
    QList<QPixmap> labelsLarge;
    QList<QPixmap> labelsSmall;
    /// The fifteen seal pictures (16 x 16) drawn beside an item's picture.
    QList<QPixmap> seals;

    bool largeIcons() const { return style == ListStyle::LargeIcons; }
    /// The size of an item's picture in this style.
    int pictureSize() const { return flags.pictureSize(largeIcons()); }
    const QPixmap &placeholder() const
    {
        return largeIcons() ? placeholderLarge : placeholderSmall;
    }
    const QList<QPixmap> &labels() const { return largeIcons() ? labelsLarge : labelsSmall; }
    /// Whether seal space is kept beside the pictures.
    bool showsSeals() const
    {
        return flags.iconDecorations && flags.seals && !flags.treeList && !flags.ownerData;
    }
};

} // namespace kazari
