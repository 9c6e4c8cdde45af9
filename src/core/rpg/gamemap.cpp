#include "core/rpg/gamemap.h"

namespace kazari
{

namespace
{

// Neighbour offsets of the knock-down rule: 0 down, 1 right, 2 up, 3 left.
constexpr int KnockDx[4] = {0, 1, 0, -1};
constexpr int KnockDy[4] = {1, 0, -1, 0};

} // namespace

GameMap::GameMap()
{
    m_cells.fill(Floor);
}

qint32 GameMap::cell(int x, int y) const
{
    if (!contains(x, y))
        return Wall;
    return m_cells[static_cast<size_t>(y * Size + x)];
}

void GameMap::setCell(int x, int y, qint32 code)
{
    if (contains(x, y))
        m_cells[static_cast<size_t>(y * Size + x)] = code;
}

void GameMap::fill(qint32 code)
{
    m_cells.fill(code);
}

void GameMap::generate(RandomSource &random)
{
    fill(Floor);
    for (int k = 0; k < Size; ++k) {
        setCell(k, 0, Wall);
        setCell(k, Last, Wall);
        setCell(0, k, Wall);
        setCell(Last, k, Wall);
    }
    for (int i = 1; i <= 9; ++i) {
        for (int j = 1; j <= 9; ++j)
            setCell(2 * j, 2 * i, Wall);
    }
    for (int i = 1; i <= 9; ++i) {
        for (int j = 1; j <= 9; ++j) {
            const int px = 2 * j;
            const int py = 2 * i;
            if (i == 1) {
                const int d = random.random(4);
                setCell(px + KnockDx[d], py + KnockDy[d], Wall);
                continue;
            }
            // Down, right or up; the cell below a pillar is always still floor here, so
            // this ends.
            for (;;) {
                const int d = random.random(3);
                if (cell(px + KnockDx[d], py + KnockDy[d]) == Floor) {
                    setCell(px + KnockDx[d], py + KnockDy[d], Wall);
                    break;
                }
            }
        }
    }
    setCell(1, 1, Spring);
    setCell(Last - 1, 1, Spring);
    setCell(1, Last - 1, Spring);
    setCell(Last - 1, Last - 1, Spring);

    // Both cells beside (1, 1) can never be walled at once, so a reachable floor cell
    // within rows and columns 0..18 always exists and the draw ends.
    const auto reachable = reachableFrom(1, 1);
    for (;;) {
        const int gy = random.random(19);
        const int gx = random.random(19);
        if (cell(gx, gy) == Floor && reachable[static_cast<size_t>(gy * Size + gx)]) {
            setCell(gx, gy, Goal);
            break;
        }
    }
}

QPoint GameMap::goal() const
{
    for (int y = 0; y < Size; ++y) {
        for (int x = 0; x < Size; ++x) {
            if (cell(x, y) == Goal)
                return QPoint(x, y);
        }
    }
    return QPoint(-1, -1);
}

std::array<bool, GameMap::Size * GameMap::Size> GameMap::reachableFrom(int x, int y) const
{
    std::array<bool, Size * Size> seen{};
    if (!contains(x, y))
        return seen;
    std::array<int, Size * Size> queue{};
    size_t head = 0;
    size_t tail = 0;
    seen[static_cast<size_t>(y * Size + x)] = true;
    queue[tail++] = y * Size + x;
    while (head < tail) {
        const int at = queue[head++];
        const int cx = at % Size;
        const int cy = at / Size;
        for (int d = 0; d < 4; ++d) {
            const int nx = cx + KnockDx[d];
            const int ny = cy + KnockDy[d];
            if (!contains(nx, ny) || !isPassable(cell(nx, ny)))
                continue;
            const size_t index = static_cast<size_t>(ny * Size + nx);
            if (seen[index])
                continue;
            seen[index] = true;
            queue[tail++] = ny * Size + nx;
        }
    }
    return seen;
}

} // namespace kazari
