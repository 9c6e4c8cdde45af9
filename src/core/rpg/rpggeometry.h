#pragma once

#include "core/rpg/facing.h"

#include <QPoint>
#include <QtGlobal>

#include <optional>

namespace kazari
{

/// Where things sit in the game picture and what a press point means.
///
/// Positions of the picture are sums with exact halves (a width of 321 has the centre
/// 160.5); they are rounded once at the end, an exact half to the even neighbour. The
/// functions take such values doubled, so everything stays in exact integers.
class RpgGeometry
{
public:
    /// The nearest integer to twice / 2, an exact half going to the even neighbour.
    static int half(qint64 twice);

    /// The step direction of a press at (x, y) on a picture of w0 x h0: horizontal when
    /// the press is further beside the centre than above or below it and less than half
    /// the width away, otherwise vertical.
    static Facing pressDirection(int x, int y, int w0, int h0);

    /// A press within 40 pixels of the centre on both axes: on the player.
    static bool onPlayer(int x, int y, int width, int height);

    /// The grid cell (column, row, each 0..4) of the character selection hit by a press,
    /// or nothing when the press lies outside the selection square.
    static std::optional<QPoint> selectionCell(int x, int y, int width, int height);
};

} // namespace kazari
