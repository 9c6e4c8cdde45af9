#include "core/rpg/rpgframe.h"

#include "core/rpg/rpggeometry.h"

namespace kazari
{

namespace
{

using Item = RpgFrame::Item;

Item picture(Item::Kind kind, int number, QPoint pos, int sprite = 0)
{
    Item item;
    item.kind = kind;
    item.number = number;
    item.sprite = sprite;
    item.pos = pos;
    return item;
}

Item text(const QString &line, QPoint pos, QRgb color)
{
    Item item;
    item.kind = Item::Text;
    item.text = line;
    item.pos = pos;
    item.color = color;
    return item;
}

} // namespace

RpgFrame RpgFrame::compose(RpgGame &game, QSize size, const RpgPictureSizes &sizes)
{
    using G = RpgGeometry;
    RpgFrame frame;
    const qint64 w = size.width();
    const qint64 h = size.height();
    const int state = game.state();
    const QPoint at = game.position();

    if (state == RpgGame::Walking) {
        for (int dy = -9; dy <= 9; ++dy) {
            for (int dx = -9; dx <= 9; ++dx) {
                const int cx = at.x() + dx;
                const int cy = at.y() + dy;
                if (cx < 0 || cx > 19 || cy < 0 || cy > 19)
                    continue;
                frame.items << picture(
                    Item::Tile, game.map().cell(cx, cy),
                    QPoint(G::half(w - 80 + 160 * dx), G::half(h - 80 + 160 * dy)));
            }
        }
        game.walkWanderers();
        for (const RpgGame::Wanderer &wanderer : game.wanderers()) {
            frame.items << picture(Item::Sprite, wanderer.character,
                                   QPoint(G::half(w - 32 + 160 * qint64(wanderer.x - at.x())),
                                          G::half(h - 32 + 160 * qint64(wanderer.y - at.y()))),
                                   4 + facingIndex(wanderer.facing));
        }
        frame.items << picture(Item::Sprite, game.player().img,
                               QPoint(G::half(w - 32), G::half(h - 32)), game.playerSprite());
    }

    const auto arrowPos = [&](int k) {
        const qint64 aw = sizes.arrows[static_cast<size_t>(k)].width();
        const qint64 ah = sizes.arrows[static_cast<size_t>(k)].height();
        switch (k) {
        case 0:
            return QPoint(G::half(w - 2 * (aw / 2)), 0);
        case 1:
            return QPoint(int(w - aw), G::half(h - ah));
        case 2:
            return QPoint(G::half(w - 2 * (aw / 2)), int(h - ah));
        default:
            return QPoint(0, G::half(h - ah));
        }
    };
    if ((state == RpgGame::Walking && !game.input().walkButton) ||
        state == RpgGame::CharacterSelection) {
        for (int k = 0; k < 4; ++k)
            frame.items << picture(Item::Arrow, k, arrowPos(k));
    } else if (game.arrowDirection()) {
        const int k = arrowIndex(*game.arrowDirection());
        frame.items << picture(Item::Arrow, k, arrowPos(k));
    }

    const qint64 w90 = sizes.window90.width();
    const qint64 h90 = sizes.window90.height();
    const int windowLeft = G::half(w - 2 * (w90 / 2));
    if (state != RpgGame::CharacterSelection) {
        frame.items << picture(Item::Window90, 0, QPoint(windowLeft, 16));
        const QStringList lines = game.statusLines();
        const int ys[4] = {32, 48, 64, 78};
        for (int k = 0; k < 4; ++k)
            frame.items << text(lines.at(k), QPoint(G::half(w - 2 * (w90 / 2) + 64), ys[k]),
                                0xffffffff);
        frame.items << picture(Item::Window90, 0, QPoint(windowLeft, int(h - h90 - 16)));
    } else {
        const qint64 w300 = sizes.window300.width();
        const qint64 h300 = sizes.window300.height();
        frame.items << picture(Item::Window300, 0,
                               QPoint(G::half(w - 2 * (w300 / 2)), G::half(h - 2 * (h300 / 2))));
        int number = game.selectionPage();
        for (int v = -2; v <= 2 && number < RpgGame::CharacterCount; ++v) {
            for (int u = -2; u <= 2 && number < RpgGame::CharacterCount; ++u) {
                frame.items << picture(Item::Sprite, number,
                                       QPoint(G::half(w - 32 + 160 * u), G::half(h - 32 + 160 * v)),
                                       0);
                ++number;
            }
        }
    }

    if (RpgGame::isBattleState(state)) {
        const RpgGame::BattleStep step = game.battleStep();
        frame.items << picture(Item::Sprite, game.player().img,
                               QPoint(G::half(w + 200), G::half(h - 64)), game.playerSprite());
        const int n = game.monster().number;
        const QSize monsterSize = sizes.monster && n >= 0 && n <= RpgGame::LastMonsterPicture
                                      ? sizes.monster(n)
                                      : QSize();
        if (state != RpgGame::Won && monsterSize.isValid())
            frame.items << picture(
                Item::Monster, n,
                QPoint(G::half(w - 200), G::half(h - 2 * qint64(monsterSize.height()))));
        for (int k = 0; k < step.lines.size(); ++k)
            frame.items << text(step.lines.at(k),
                                QPoint(G::half(w - 2 * (w90 / 2) + 32), int(h - h90 + 16 * k)),
                                step.color);
        frame.holdMs = step.holdMs;
    }
    return frame;
}

} // namespace kazari
