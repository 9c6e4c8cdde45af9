#include "core/rpg/rpggeometry.h"

namespace kazari
{

int RpgGeometry::half(qint64 twice)
{
    qint64 q = twice / 2;
    if (twice < 0 && twice % 2 != 0)
        --q; // floor
    if (twice - 2 * q == 0)
        return static_cast<int>(q);
    return static_cast<int>(q % 2 == 0 ? q : q + 1);
}

Facing RpgGeometry::pressDirection(int x, int y, int w0, int h0)
{
    const qint64 sx = 2 * qint64(x) - w0;
    const qint64 sy = 2 * qint64(y) - h0;
    const qint64 dx = sx < 0 ? -sx : sx;
    const qint64 dy = sy < 0 ? -sy : sy;
    if (dx > dy && dx < w0)
        return sx >= 0 ? Facing::Right : Facing::Left;
    return sy >= 0 ? Facing::Down : Facing::Up;
}

bool RpgGeometry::onPlayer(int x, int y, int width, int height)
{
    const int cx = half(width);
    const int cy = half(height);
    return x >= cx - 40 && x <= cx + 40 && y >= cy - 40 && y <= cy + 40;
}

std::optional<QPoint> RpgGeometry::selectionCell(int x, int y, int width, int height)
{
    const int left = half(qint64(width) - 320);
    const int right = half(qint64(width) + 320);
    const int top = half(qint64(height) - 320);
    const int bottom = half(qint64(height) + 320);
    if (x < left || x > right || y < top || y > bottom)
        return std::nullopt;
    const int column = (x - half(qint64(width) - 400)) / 80;
    const int row = (y - half(qint64(height) - 400)) / 80;
    return QPoint(column, row);
}

} // namespace kazari
