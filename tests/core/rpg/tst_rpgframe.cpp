#include "core/rpg/rpgframe.h"
#include "scriptedrandom.h"

#include <QTest>

using namespace kazari;
using namespace Qt::StringLiterals;

namespace
{

using Item = RpgFrame::Item;

// An odd picture, so that every centred position ends in .5 and rounds to even.
const QSize Picture(481, 641);

QList<Item> itemsOf(const RpgFrame &frame, Item::Kind kind)
{
    QList<Item> out;
    for (const Item &item : frame.items) {
        if (item.kind == kind)
            out << item;
    }
    return out;
}

QList<QPoint> positions(const QList<Item> &items)
{
    QList<QPoint> out;
    for (const Item &item : items)
        out << item.pos;
    return out;
}

const Item *tileAt(const RpgFrame &frame, QPoint pos)
{
    for (const Item &item : frame.items) {
        if (item.kind == Item::Tile && item.pos == pos)
            return &item;
    }
    return nullptr;
}

RpgPictureSizes sizes()
{
    RpgPictureSizes s;
    s.monster = [](int) { return QSize(100, 120); };
    return s;
}

struct Fixture {
    test::ScriptedRandom random;
    RpgGame game{random};
    Fixture()
    {
        GameMap map;
        map.fill(GameMap::Floor);
        map.setCell(2, 1, 40);
        map.setCell(0, 19, GameMap::Wall);
        game.setMap(map);
        PlayerRecord p;
        p.name = u"TsyFilerUser"_s;
        p.level = 3;
        p.hp = 5;
        p.maxHp = 9;
        p.atk = 4;
        p.def = 6;
        p.gold = -2;
        p.exp = 7;
        p.img = 12;
        game.setPlayer(p);
        std::array<RpgGame::Wanderer, 3> w{};
        w[0] = {3, 1, Facing::Down, 20};
        w[1] = {10, 10, Facing::Down, 21};
        w[2] = {1, 19, Facing::Down, 22};
        game.setWanderers(w);
    }
};

} // namespace

class TestRpgFrame : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void walkingFrame();
    void arrows();
    void statusWindow();
    void characterSelection();
    void battleFrame();
};

void TestRpgFrame::walkingFrame()
{
    Fixture f;
    f.random.push({0, 3, 1}); // the wanderers' directions: down, up, left
    const RpgFrame frame = RpgFrame::compose(f.game, Picture, sizes());
    QCOMPARE(f.random.asked, (QList<int>{4, 4, 4}));
    QCOMPARE(frame.holdMs, 0);

    // From (1, 1): columns and rows 0..10 are within nine cells.
    QCOMPARE(itemsOf(frame, Item::Tile).size(), 11 * 11);
    QVERIFY(tileAt(frame, QPoint(200, 280))); // (481 - 80) / 2 = 200.5, (641 - 80) / 2 = 280.5
    QCOMPARE(tileAt(frame, QPoint(280, 280))->number, 40); // cell (2, 1): 280.5 -> 280
    QVERIFY(tileAt(frame, QPoint(120, 200)));              // cell (0, 0): 120.5, 200.5

    const QList<Item> sprites = itemsOf(frame, Item::Sprite);
    QCOMPARE(sprites.size(), 4);
    // Wanderers after their walk, drawn with the middle frame: (3, 2) down, (10, 9) up,
    // (1, 19) facing left (the border stopped it).
    QCOMPARE(sprites.at(0).number, 20);
    QCOMPARE(sprites.at(0).sprite, 4 + 0);
    QCOMPARE(sprites.at(0).pos, QPoint(384, 384)); // 384.5, 384.5
    QCOMPARE(sprites.at(1).sprite, 4 + 3);
    QCOMPARE(sprites.at(1).pos, QPoint(944, 944)); // 944.5, 944.5
    QCOMPARE(sprites.at(2).sprite, 4 + 1);
    QCOMPARE(sprites.at(2).pos, QPoint(224, 1744)); // 224.5, 1744.5
    // The player last, in the centre: 224.5, 304.5.
    QCOMPARE(sprites.at(3).number, 12);
    QCOMPARE(sprites.at(3).sprite, f.game.playerSprite());
    QCOMPARE(sprites.at(3).pos, QPoint(224, 304));

    // In the middle of the floor all 19 x 19 cells of 0..19 show, never row or column 20.
    f.game.setPosition(QPoint(10, 10));
    f.random.push({0, 0, 0});
    const RpgFrame middle = RpgFrame::compose(f.game, Picture, sizes());
    QCOMPARE(itemsOf(middle, Item::Tile).size(), 19 * 19);
    QVERIFY(!tileAt(middle, QPoint(200 + 800, 280)));
    QVERIFY(tileAt(middle, QPoint(200 + 720, 280)));
}

void TestRpgFrame::arrows()
{
    Fixture f;
    f.random.push(QList<int>(30, 0));
    const QList<QPoint> all = {QPoint(192, 0), QPoint(385, 272), QPoint(192, 545), QPoint(0, 272)};

    RpgFrame frame = RpgFrame::compose(f.game, Picture, sizes());
    QCOMPARE(positions(itemsOf(frame, Item::Arrow)), all);
    QCOMPARE(itemsOf(frame, Item::Arrow).at(3).number, 3);

    // Walking with the button held: only the last step's arrow, none before a step.
    f.game.press(470, 320, 481, 641, true);
    frame = RpgFrame::compose(f.game, Picture, sizes());
    QCOMPARE(itemsOf(frame, Item::Arrow).size(), 0);
    QVERIFY(f.game.tryStep(Facing::Right));
    frame = RpgFrame::compose(f.game, Picture, sizes());
    QCOMPARE(itemsOf(frame, Item::Arrow).size(), 1);
    QCOMPARE(itemsOf(frame, Item::Arrow).at(0).number, 1);
    QCOMPARE(itemsOf(frame, Item::Arrow).at(0).pos, QPoint(385, 272));

    // A battle shows the last step's arrow whatever the button; the selection all four.
    f.game.release();
    f.game.setState(RpgGame::MonsterEntrance);
    frame = RpgFrame::compose(f.game, Picture, sizes());
    QCOMPARE(itemsOf(frame, Item::Arrow).size(), 1);
    f.game.setState(RpgGame::CharacterSelection);
    f.game.press(10, 10, 481, 641, true);
    frame = RpgFrame::compose(f.game, Picture, sizes());
    QCOMPARE(positions(itemsOf(frame, Item::Arrow)), all);
}

void TestRpgFrame::statusWindow()
{
    Fixture f;
    f.random.push({0, 0, 0});
    const RpgFrame frame = RpgFrame::compose(f.game, Picture, sizes());
    // 481 / 2 - 180 = 60.5 -> 60; the message window 16 above the bottom.
    QCOMPARE(positions(itemsOf(frame, Item::Window90)),
             (QList<QPoint>{QPoint(60, 16), QPoint(60, 641 - 90 - 16)}));
    const QList<Item> texts = itemsOf(frame, Item::Text);
    QCOMPARE(positions(texts),
             (QList<QPoint>{QPoint(92, 32), QPoint(92, 48), QPoint(92, 64), QPoint(92, 78)}));
    QCOMPARE(texts.at(0).text, u"NAME: TsyFilerUser"_s);
    QCOMPARE(texts.at(1).text, u"LEVEL: 3  HP: 5 / 9  ATK: 4  DEF: 6  GOLD: -2  EXP: 7"_s);
    QCOMPARE(texts.at(2).text, u"STATUS  STR: 0  DEX: 0  INT: 0  MAG: 0  IMG: 12"_s);
    QCOMPARE(texts.at(3).text, u"MAP LEVEL: -1"_s);
    QCOMPARE(uint(texts.at(0).color), 0xffffffffu);
}

void TestRpgFrame::characterSelection()
{
    Fixture f;
    f.game.setState(RpgGame::CharacterSelection);
    f.game.setSelectionPage(75);
    RpgFrame frame = RpgFrame::compose(f.game, Picture, sizes());
    QVERIFY(f.random.asked.isEmpty()); // no wanderer walks
    QCOMPARE(itemsOf(frame, Item::Tile).size(), 0);
    QCOMPARE(itemsOf(frame, Item::Window90).size(), 0);
    QCOMPARE(itemsOf(frame, Item::Text).size(), 0);
    QCOMPARE(positions(itemsOf(frame, Item::Window300)), (QList<QPoint>{QPoint(60, 140)}));
    const QList<Item> cells = itemsOf(frame, Item::Sprite);
    QCOMPARE(cells.size(), 20);
    QCOMPARE(cells.first().number, 75);
    QCOMPARE(cells.first().sprite, 0);
    QCOMPARE(cells.first().pos, QPoint(64, 144)); // 64.5, 144.5
    QCOMPARE(cells.last().number, 94);
    QCOMPARE(cells.last().pos, QPoint(64 + 4 * 80, 144 + 3 * 80));

    f.game.setSelectionPage(0);
    frame = RpgFrame::compose(f.game, Picture, sizes());
    QCOMPARE(itemsOf(frame, Item::Sprite).size(), 25);
    QCOMPARE(itemsOf(frame, Item::Sprite).last().number, 24);
}

void TestRpgFrame::battleFrame()
{
    Fixture f;
    PlayerRecord p = f.game.player();
    p.hp = 30;
    p.maxHp = 30;
    f.game.setPlayer(p);
    f.game.setMonster({7, 10, 3, 18, 5, 18});
    f.game.setState(RpgGame::MonsterAttacks);
    f.random.push({9});
    RpgFrame frame = RpgFrame::compose(f.game, Picture, sizes());
    QCOMPARE(frame.holdMs, 1000);
    QCOMPARE(itemsOf(frame, Item::Tile).size(), 0);
    const QList<Item> sprites = itemsOf(frame, Item::Sprite);
    QCOMPARE(sprites.size(), 1);
    QCOMPARE(sprites.at(0).pos, QPoint(340, 288)); // 340.5, 288.5
    QCOMPARE(positions(itemsOf(frame, Item::Monster)), (QList<QPoint>{QPoint(140, 200)}));
    const QList<Item> texts = itemsOf(frame, Item::Text);
    QCOMPARE(texts.size(), 5);
    // The status was written before the step: HP still full while the message tells of
    // the damage.
    QVERIFY(texts.at(1).text.contains(u"HP: 30 / 30"_s));
    QCOMPARE(texts.at(4).text, u"モンスター 7 から 21ダメージを受けた"_s);
    QCOMPARE(texts.at(4).pos, QPoint(76, 641 - 90)); // 76.5
    QCOMPARE(f.game.player().hp, 9);                 // 9 + 18 - DEF 6

    // Won: only the player is drawn; the lines go down 16 pixels each, in cyan.
    f.game.finishBattleStep();
    p.exp = 0; // no level-up
    f.game.setPlayer(p);
    f.game.setState(RpgGame::Won);
    frame = RpgFrame::compose(f.game, Picture, sizes());
    QCOMPARE(frame.holdMs, 2000);
    QCOMPARE(itemsOf(frame, Item::Monster).size(), 0);
    QCOMPARE(itemsOf(frame, Item::Sprite).size(), 1);
    const QList<Item> won = itemsOf(frame, Item::Text).mid(4);
    QCOMPARE(won.size(), 3);
    QCOMPARE(won.at(2).pos, QPoint(76, 641 - 90 + 32));
    QCOMPARE(uint(won.at(0).color), 0xff00ffffu);

    // Monster numbers past the last picture draw none, and the battle goes on.
    f.game.finishBattleStep();
    f.game.setMonster({561, 10, 3, 18, 5, 18});
    f.game.setState(RpgGame::PlayerAttacks);
    f.random.push({0});
    frame = RpgFrame::compose(f.game, Picture, sizes());
    QCOMPARE(itemsOf(frame, Item::Monster).size(), 0);
    QCOMPARE(frame.holdMs, 1000);
    QCOMPARE(f.random.faults, 0);
}

QTEST_GUILESS_MAIN(TestRpgFrame)
#include "tst_rpgframe.moc"
