#pragma once

#include "core/rpg/rpggame.h"

#include <QList>
#include <QPoint>
#include <QRgb>
#include <QSize>
#include <QString>

#include <array>
#include <functional>

namespace kazari
{

/// The sizes of the pictures that decide where things are placed.
struct RpgPictureSizes {
    QSize window90{360, 90};
    QSize window300{360, 360};
    /// Arrows 0 up, 1 right, 2 down, 3 left.
    std::array<QSize, 4> arrows{QSize(96, 96), QSize(96, 96), QSize(96, 96), QSize(96, 96)};
    /// The size of monster picture n; an invalid size when there is none.
    std::function<QSize(int)> monster;
};

/// One frame of the game picture as a list of things to draw, in order, over black.
///
/// Composing a frame is also when the game moves on its own: in the walking state the
/// wanderers walk, in a battle state the battle step is performed (its lines are part
/// of the frame and `holdMs` says how long the picture stays before
/// `RpgGame::finishBattleStep`). The painter only copies prepared pictures.
class RpgFrame
{
public:
    struct Item {
        enum Kind {
            Tile,      ///< tile `number` (a cell code), opaque
            Sprite,    ///< cell `sprite` of character sheet `number`, white transparent
            Monster,   ///< monster picture `number`, opaque
            Window90,  ///< the status and message window, blended
            Window300, ///< the character selection window, blended
            Arrow,     ///< arrow `number`, blended
            Text,      ///< `text` in `color`, top-left at `pos`, no background
        };
        Kind kind = Tile;
        int number = 0;
        int sprite = 0;
        QPoint pos;
        QString text;
        QRgb color = 0xffffffff;
    };

    QList<Item> items;
    int holdMs = 0;

    /// Composes the frame of a picture of `size` for the game's present state.
    static RpgFrame compose(RpgGame &game, QSize size, const RpgPictureSizes &sizes);
};

} // namespace kazari
