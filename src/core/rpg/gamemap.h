#pragma once

#include "core/rpg/randomsource.h"

#include <QPoint>
#include <QtGlobal>

#include <array>

namespace kazari
{

/// One floor of the maze: 21 x 21 cells of cell codes, addressed (x, y) = (column, row).
///
/// A cell code is also the number of the tile drawn for it. Codes 0 to 6 and 40 and
/// above are passable for the player, 7 to 39 block.
class GameMap
{
public:
    static constexpr int Size = 21;
    static constexpr int Last = Size - 1;

    enum Code : qint32 {
        Floor = 0,
        Wall = 7,
        Spring = 72,
        Goal = 73,
    };
    /// Tiles exist for the codes 0 to this.
    static constexpr qint32 LastTileCode = 73;

    GameMap();

    static bool isPassable(qint32 code) { return code <= 6 || code >= 40; }
    static bool contains(int x, int y) { return x >= 0 && x < Size && y >= 0 && y < Size; }

    /// The code of a cell; cells outside the grid read as walls.
    qint32 cell(int x, int y) const;
    void setCell(int x, int y, qint32 code);
    /// Every cell to `code`.
    void fill(qint32 code);

    /// Makes a new floor: border walls, pillars on every even row and column, one
    /// knocked-down wall beside each pillar, springs in the four inner corners and one
    /// goal on a floor cell of rows and columns 1..18. The goal is always drawn again
    /// until it lies where the player can walk from (1, 1).
    void generate(RandomSource &random);

    /// The goal cell, or (-1, -1) when there is none.
    QPoint goal() const;

    /// Which cells the player can reach from (x, y) by passable steps, indexed
    /// y * Size + x (the start cell included).
    std::array<bool, Size * Size> reachableFrom(int x, int y) const;

private:
    std::array<qint32, Size * Size> m_cells;
};

} // namespace kazari
