#include "core/app/settings.h"
#include "core/rpg/rpggame.h"
#include "core/rpg/rpggeometry.h"
#include "core/rpg/seededrandom.h"
#include "scriptedrandom.h"
#include "testsupport/tempprogramfolder.h"

#include <QTest>

using namespace kazari;
using namespace Qt::StringLiterals;

namespace
{

constexpr int W = 480;
constexpr int H = 640;

// A floor with only the border walled.
GameMap openFloor()
{
    GameMap map;
    for (int k = 0; k < GameMap::Size; ++k) {
        map.setCell(k, 0, GameMap::Wall);
        map.setCell(k, 20, GameMap::Wall);
        map.setCell(0, k, GameMap::Wall);
        map.setCell(20, k, GameMap::Wall);
    }
    return map;
}

} // namespace

class TestRpgGame : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void movementRule_data();
    void movementRule();
    void walkingCycleStepsAndRolls();
    void cellEffects();
    void pressDirection_data();
    void pressDirection();
    void onPlayer_data();
    void onPlayer();
    void selectionCell_data();
    void selectionCell();
    void characterSelection();
    void wanderersStepOnlyOntoFloor();
    void startAndNewMap();
    void recordRoundTrip();
    void refusedRecords_data();
    void refusedRecords();
    void recordKeptInSettings();
};

void TestRpgGame::movementRule_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("taken");
    QTest::newRow("floor") << 0 << true;
    QTest::newRow("6") << 6 << true;
    QTest::newRow("wall") << 7 << false;
    QTest::newRow("39") << 39 << false;
    QTest::newRow("40") << 40 << true;
    QTest::newRow("spring") << 72 << true;
    QTest::newRow("goal") << 73 << true;
}

void TestRpgGame::movementRule()
{
    QFETCH(int, code);
    QFETCH(bool, taken);
    test::ScriptedRandom random;
    RpgGame game(random);
    GameMap map = openFloor();
    map.setCell(2, 1, code);
    game.setMap(map);
    game.setWalkingFrame(2);
    QCOMPARE(game.tryStep(Facing::Right), taken);
    QCOMPARE(game.position(), taken ? QPoint(2, 1) : QPoint(1, 1));
    // Only a taken step turns the player (frame 2, facing right) and sets the arrow.
    QCOMPARE(game.playerSprite(), taken ? 2 * 4 + 2 : 4);
    QCOMPARE(game.arrowDirection().has_value(), taken);
    // The border always blocks.
    QVERIFY(!game.tryStep(Facing::Up));
}

void TestRpgGame::walkingCycleStepsAndRolls()
{
    test::ScriptedRandom random({5, 6, 0});
    RpgGame game(random);
    GameMap map = openFloor();
    map.setCell(4, 5, GameMap::Wall);
    game.setMap(map);
    game.setPosition(QPoint(2, 5));

    game.press(W - 10, H / 2, W, H, true);
    game.gameCycle(W, H);
    QCOMPARE(game.position(), QPoint(3, 5));
    QCOMPARE(game.state(), int(RpgGame::Walking));
    QCOMPARE(game.walkingFrame(), 1);
    // The wall refuses the step, the roll still happens and starts a battle, and the
    // walk button counts as released.
    game.gameCycle(W, H);
    QCOMPARE(game.position(), QPoint(3, 5));
    QCOMPARE(game.state(), int(RpgGame::MonsterEntrance));
    QVERIFY(!game.input().walkButton);
    QCOMPARE(random.asked, (QList<int>{12, 12}));

    // No walking and no roll outside the walking state or without the button.
    game.gameCycle(W, H);
    game.setState(RpgGame::Walking);
    game.gameCycle(W, H);
    QCOMPARE(random.asked.size(), 2);
    QCOMPARE(game.walkingFrame(), 1); // 0, 1, 2, 0, 1

    // Moving the mouse does not exist for the game: the press point stays, and a press
    // with another button never walks.
    game.press(W / 2, H - 10, W, H, false);
    game.gameCycle(W, H);
    QCOMPARE(game.position(), QPoint(3, 5));
    QCOMPARE(random.asked.size(), 2);
    QCOMPARE(random.faults, 0);
}

void TestRpgGame::cellEffects()
{
    test::ScriptedRandom random;
    RpgGame game(random);
    GameMap map = openFloor();
    map.setCell(1, 1, GameMap::Spring);
    map.setCell(5, 5, GameMap::Goal);
    game.setMap(map);
    PlayerRecord p;
    p.hp = 1;
    p.maxHp = 20;
    game.setPlayer(p);
    game.setGoalFlag(false);

    game.setState(RpgGame::CharacterSelection);
    game.gameCycle(W, H);
    QCOMPARE(game.player().hp, 1);

    game.setState(RpgGame::Walking);
    game.gameCycle(W, H); // standing still on the spring
    QCOMPARE(game.player().hp, 20);
    QVERIFY(!game.goalFlag());
    game.setPosition(QPoint(5, 5));
    game.gameCycle(W, H);
    QVERIFY(game.goalFlag());
    QCOMPARE(random.asked.size(), 0);
}

void TestRpgGame::pressDirection_data()
{
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<int>("facing");
    const QSize even(480, 640);
    const QSize odd(481, 640);
    QTest::newRow("right") << QPoint(470, 320) << even << int(Facing::Right);
    QTest::newRow("left") << QPoint(10, 320) << even << int(Facing::Left);
    QTest::newRow("up") << QPoint(240, 10) << even << int(Facing::Up);
    QTest::newRow("down") << QPoint(240, 630) << even << int(Facing::Down);
    QTest::newRow("far right, further below") << QPoint(470, 630) << even << int(Facing::Down);
    QTest::newRow("diagonal is vertical") << QPoint(340, 220) << even << int(Facing::Up);
    QTest::newRow("centre") << QPoint(240, 320) << even << int(Facing::Down);
    QTest::newRow("forgotten point") << QPoint(-1, -1) << even << int(Facing::Up);
    QTest::newRow("half a pixel left") << QPoint(240, 320) << odd << int(Facing::Left);
    QTest::newRow("half a pixel right") << QPoint(241, 320) << odd << int(Facing::Right);
    QTest::newRow("left edge, half the width away") << QPoint(0, 330) << even << int(Facing::Down);
    QTest::newRow("just inside the left edge") << QPoint(1, 330) << even << int(Facing::Left);
}

void TestRpgGame::pressDirection()
{
    QFETCH(QPoint, press);
    QFETCH(QSize, picture);
    QFETCH(int, facing);
    QCOMPARE(
        int(RpgGeometry::pressDirection(press.x(), press.y(), picture.width(), picture.height())),
        facing);
}

void TestRpgGame::onPlayer_data()
{
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<bool>("on");
    QTest::newRow("top left corner") << QPoint(200, 280) << QSize(480, 640) << true;
    QTest::newRow("bottom right corner") << QPoint(280, 360) << QSize(480, 640) << true;
    QTest::newRow("one left") << QPoint(199, 320) << QSize(480, 640) << false;
    QTest::newRow("one below") << QPoint(240, 361) << QSize(480, 640) << false;
    // 240.5 rounds to 240, 160.5 to 160.
    QTest::newRow("odd, right edge") << QPoint(280, 200) << QSize(481, 321) << true;
    QTest::newRow("odd, past right edge") << QPoint(281, 200) << QSize(481, 321) << false;
    QTest::newRow("odd, top edge") << QPoint(240, 120) << QSize(481, 321) << true;
}

void TestRpgGame::onPlayer()
{
    QFETCH(QPoint, press);
    QFETCH(QSize, picture);
    QFETCH(bool, on);
    QCOMPARE(RpgGeometry::onPlayer(press.x(), press.y(), picture.width(), picture.height()), on);
}

void TestRpgGame::selectionCell_data()
{
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QPoint>("cell"); // (-1, -1): outside the square
    const QSize even(480, 640);       // square x 80..400, y 160..480; grid from (40, 120)
    QTest::newRow("top left") << QPoint(80, 160) << even << QPoint(0, 0);
    QTest::newRow("left of square") << QPoint(79, 300) << even << QPoint(-1, -1);
    QTest::newRow("above square") << QPoint(200, 159) << even << QPoint(-1, -1);
    QTest::newRow("last of column 0") << QPoint(119, 199) << even << QPoint(0, 0);
    QTest::newRow("first of column 1") << QPoint(120, 200) << even << QPoint(1, 1);
    QTest::newRow("bottom right") << QPoint(400, 480) << even << QPoint(4, 4);
    QTest::newRow("right of square") << QPoint(401, 300) << even << QPoint(-1, -1);
    QTest::newRow("below square") << QPoint(200, 481) << even << QPoint(-1, -1);
    // 481: 80.5 -> 80, 400.5 -> 400, grid from 40.5 -> 40.
    QTest::newRow("odd, right edge") << QPoint(400, 300) << QSize(481, 640) << QPoint(4, 2);
    QTest::newRow("odd, past right edge") << QPoint(401, 300) << QSize(481, 640) << QPoint(-1, -1);
    // 483: 81.5 -> 82, 401.5 -> 402, grid from 41.5 -> 42.
    QTest::newRow("odd, before left edge") << QPoint(81, 300) << QSize(483, 640) << QPoint(-1, -1);
    QTest::newRow("odd, left edge") << QPoint(82, 300) << QSize(483, 640) << QPoint(0, 2);
    QTest::newRow("odd, 121 is column 0") << QPoint(121, 300) << QSize(483, 640) << QPoint(0, 2);
    QTest::newRow("odd, 122 is column 1") << QPoint(122, 300) << QSize(483, 640) << QPoint(1, 2);
}

void TestRpgGame::selectionCell()
{
    QFETCH(QPoint, press);
    QFETCH(QSize, picture);
    QFETCH(QPoint, cell);
    const std::optional<QPoint> hit =
        RpgGeometry::selectionCell(press.x(), press.y(), picture.width(), picture.height());
    QCOMPARE(hit.value_or(QPoint(-1, -1)), cell);
}

void TestRpgGame::characterSelection()
{
    test::ScriptedRandom random;
    RpgGame game(random);
    game.setMap(openFloor());
    game.setPosition(QPoint(5, 5));

    // A press of the right button on the player opens the selection and never walks.
    game.setSelectionPage(50);
    game.press(W / 2, H / 2, W, H, false);
    game.gameCycle(W, H);
    QCOMPARE(game.state(), int(RpgGame::CharacterSelection));
    QCOMPARE(game.selectionPage(), 0);
    QVERIFY(!game.input().pressRecorded());
    QCOMPARE(random.asked.size(), 0);

    // Presses outside the square turn the pages; cycles without a press change nothing.
    for (const int page : {25, 50, 75, 0, 25}) {
        game.press(5, 5, W, H, false);
        game.gameCycle(W, H);
        game.gameCycle(W, H);
        QCOMPARE(game.selectionPage(), page);
        QCOMPARE(game.state(), int(RpgGame::CharacterSelection));
    }

    // Column 2, row 1 on page 25 is character 32.
    game.press(40 + 160 + 1, 120 + 80 + 1, W, H, false);
    game.gameCycle(W, H);
    QCOMPARE(game.player().img, 32);
    QCOMPARE(game.state(), int(RpgGame::Walking));
    QCOMPARE(game.playerSprite(), 4);
    QCOMPARE(game.position(), QPoint(5, 5));

    // On the last page the cells after 94 are empty: a press there is ignored.
    game.setState(RpgGame::CharacterSelection);
    game.setSelectionPage(75);
    game.press(81, 120 + 4 * 80 + 1, W, H, false);
    game.gameCycle(W, H);
    QCOMPARE(game.state(), int(RpgGame::CharacterSelection));
    QCOMPARE(game.player().img, 32);
    QVERIFY(!game.input().pressRecorded());
    game.press(41 + 4 * 80, 120 + 3 * 80 + 1, W, H, false); // 75 + 4 + 15 = 94
    game.gameCycle(W, H);
    QCOMPARE(game.player().img, 94);
    QCOMPARE(game.state(), int(RpgGame::Walking));

    // The left button on the player: the selection opens, and the same cycle still tries
    // a step with the forgotten point (up) and rolls; the roll can start a battle.
    random.push({6});
    game.press(W / 2 + 40, H / 2 - 40, W, H, true);
    game.gameCycle(W, H);
    QCOMPARE(game.position(), QPoint(5, 4));
    QCOMPARE(game.state(), int(RpgGame::MonsterEntrance));
    QCOMPARE(random.faults, 0);
}

void TestRpgGame::wanderersStepOnlyOntoFloor()
{
    test::ScriptedRandom random({2, 1, 0});
    RpgGame game(random);
    GameMap map = openFloor();
    map.setCell(3, 4, GameMap::Spring);
    game.setMap(map);
    std::array<RpgGame::Wanderer, 3> w{};
    w[0] = {5, 5, Facing::Down, 0};
    w[1] = {1, 1, Facing::Down, 1};
    w[2] = {3, 3, Facing::Up, 2};
    game.setWanderers(w);
    game.walkWanderers();
    QCOMPARE(random.asked, (QList<int>{4, 4, 4}));
    const auto &after = game.wanderers();
    QCOMPARE(QPoint(after[0].x, after[0].y), QPoint(6, 5));
    QCOMPARE(after[0].facing, Facing::Right);
    QCOMPARE(QPoint(after[1].x, after[1].y), QPoint(1, 1)); // the border
    QCOMPARE(after[1].facing, Facing::Left);
    QCOMPARE(QPoint(after[2].x, after[2].y), QPoint(3, 3)); // springs are not floor
    QCOMPARE(after[2].facing, Facing::Down);
}

void TestRpgGame::startAndNewMap()
{
    SeededRandom random(5);
    RpgGame game(random);
    game.start();
    QCOMPARE(game.mapLevel(), 0);
    QCOMPARE(game.statusText(), u"Status created new"_s);
    const PlayerRecord &p = game.player();
    QCOMPARE(p.name, u"TsyFilerUser"_s);
    QCOMPARE(p.level, 1);
    QCOMPARE(p.hp, p.maxHp);
    for (const int v : {p.maxHp, p.str, p.dex, p.intelligence, p.atk, p.def, p.mag})
        QVERIFY(v >= 2 && v <= 11);
    QVERIFY(p.img >= 0 && p.img <= 94);
    QCOMPARE(game.wanderers()[0].x, 19);
    QCOMPARE(game.wanderers()[1].y, 19);
    QCOMPARE(game.wanderers()[2].x, 1);

    // Standing where the old goal was does not count on the new floor.
    game.setGoalFlag(false);
    game.setPosition(game.map().goal());
    game.gameCycle(W, H);
    QVERIFY(game.goalFlag());
    game.setGoalFlag(false);
    game.setState(RpgGame::CharacterSelection);
    game.newMap();
    QCOMPARE(game.mapLevel(), 1);
    QCOMPARE(game.state(), int(RpgGame::Walking));
    QCOMPARE(game.position(), QPoint(1, 1));
    game.gameCycle(W, H);
    QVERIFY(!game.goalFlag());
}

void TestRpgGame::recordRoundTrip()
{
    SeededRandom random(9);
    RpgGame game(random);
    game.start();
    PlayerRecord p = game.player();
    p.level = 12;
    p.gold = -40;
    p.exp = 2147483647;
    game.setPlayer(p);
    const QString text = game.recordText();
    QCOMPARE(text.section(u',', 0, 1), u"TsyFilerUser,12"_s);
    QCOMPARE(text.split(u',').size(), 13);

    SeededRandom other(10);
    RpgGame second(other);
    second.start();
    second.newMap();
    const GameMap map = second.map();
    second.setPosition(QPoint(3, 1));
    QVERIFY(second.applyRecordText(text));
    PlayerRecord expected = p;
    expected.name = u"LogIned_TsyFilerUser"_s;
    QCOMPARE(second.player(), expected);
    QCOMPARE(second.statusText(), u"Status loaded db"_s);
    QCOMPARE(second.mapLevel(), 1);
    QCOMPARE(second.position(), QPoint(3, 1));
    QCOMPARE(second.map().goal(), map.goal());
    QCOMPARE(second.playerSprite(), 4);
}

void TestRpgGame::refusedRecords_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("twelve fields") << u"x,1,10,10,0,5,5,5,5,5,5,0"_s;
    QTest::newRow("fourteen fields") << u"x,1,10,10,0,5,5,5,5,5,5,0,3,4"_s;
    QTest::newRow("text in a field") << u"x,1,10,ten,0,5,5,5,5,5,5,0,3"_s;
    QTest::newRow("empty field") << u"x,1,10,10,0,5,5,5,5,5,5,,3"_s;
    QTest::newRow("beyond 32 bits") << u"x,1,10,10,0,5,5,5,5,5,5,2147483648,3"_s;
    QTest::newRow("character 95") << u"x,1,10,10,0,5,5,5,5,5,5,0,95"_s;
    QTest::newRow("character -1") << u"x,1,10,10,0,5,5,5,5,5,5,0,-1"_s;
}

void TestRpgGame::refusedRecords()
{
    QFETCH(QString, text);
    SeededRandom random(1);
    RpgGame game(random);
    game.start();
    const PlayerRecord before = game.player();
    QString error;
    QVERIFY(!game.applyRecordText(text, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(game.player(), before);
    QCOMPARE(game.statusText(), u"Status created new"_s);
}

void TestRpgGame::recordKeptInSettings()
{
    test::TempProgramFolder dir;
    SeededRandom random(4);
    RpgGame game(random);
    game.start();

    // Without exe.ini only the settings list keeps it; nothing is created.
    Settings settings(dir.folder());
    QVERIFY(!game.applyRecord(settings));
    QVERIFY(game.storeRecord(settings));
    QVERIFY(!dir.exists(u"exe.ini"_s));
    QCOMPARE(settings.value(RpgGame::settingsKey()), game.recordText());

    // With exe.ini the record reaches the file and comes back in the next run.
    QVERIFY(settings.save());
    PlayerRecord p = game.player();
    p.gold = 777;
    game.setPlayer(p);
    QVERIFY(game.storeRecord(settings));
    Settings nextRun(dir.folder());
    QVERIFY(nextRun.load());
    SeededRandom random2(8);
    RpgGame next(random2);
    next.start();
    QVERIFY(next.applyRecord(nextRun));
    QCOMPARE(next.player().gold, 777);
    QCOMPARE(next.player().img, p.img);
}

QTEST_GUILESS_MAIN(TestRpgGame)
#include "tst_rpggame.moc"
