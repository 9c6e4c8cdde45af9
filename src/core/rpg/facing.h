#pragma once

namespace kazari
{

/// A facing direction, numbered like the rows of a character sheet.
enum class Facing : int {
    Down = 0,
    Left = 1,
    Right = 2,
    Up = 3,
};

/// The sheet row (and sprite-set direction) of a facing.
constexpr int facingIndex(Facing f)
{
    return static_cast<int>(f);
}

/// The number of the arrow picture for a direction: 0 up, 1 right, 2 down, 3 left.
constexpr int arrowIndex(Facing f)
{
    switch (f) {
    case Facing::Up:
        return 0;
    case Facing::Right:
        return 1;
    case Facing::Down:
        return 2;
    case Facing::Left:
        return 3;
    }
    return 2;
}

} // namespace kazari
