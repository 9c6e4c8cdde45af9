#include "core/rpg/rpggame.h"
#include "core/rpg/seededrandom.h"
#include "scriptedrandom.h"

#include <QTest>

using namespace kazari;
using namespace Qt::StringLiterals;

namespace
{

// level, hp, max hp, exp, atk, def, gold
PlayerRecord player(const QList<int> &v)
{
    PlayerRecord p;
    p.name = u"TsyFilerUser"_s;
    p.level = v.at(0);
    p.hp = v.at(1);
    p.maxHp = v.at(2);
    p.exp = v.at(3);
    p.atk = v.at(4);
    p.def = v.at(5);
    p.gold = v.at(6);
    return p;
}

// number, hp, exp, attack, defence, gold
RpgGame::Monster monster(const QList<int> &v)
{
    return {v.at(0), v.at(1), v.at(2), v.at(3), v.at(4), v.at(5)};
}

QList<int> monsterValues(const RpgGame::Monster &m)
{
    return {m.number, m.hp, m.exp, m.attack, m.defence, m.gold};
}

} // namespace

class TestRpgBattle : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void battleTable_data();
    void battleTable();
    void stepsFollowEachOther();
    void monsterNumbersFollowMapLevel();
};

void TestRpgBattle::battleTable_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QList<int>>("before"); // level, hp, max hp, exp, atk, def, gold
    QTest::addColumn<QList<int>>("foe");    // number, hp, exp, attack, defence, gold
    QTest::addColumn<QList<int>>("script");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<uint>("color");
    QTest::addColumn<int>("hold");
    QTest::addColumn<int>("next");
    QTest::addColumn<QList<int>>("after"); // level, hp, max hp, exp, atk, def, gold
    QTest::addColumn<QList<int>>("foeAfter");

    const uint white = 0xffffffff;
    const uint cyan = 0xff00ffff;
    const uint red = 0xffff0000;
    const int min = std::numeric_limits<qint32>::min();
    const int max = std::numeric_limits<qint32>::max();
    const QList<int> foe7 = {7, 10, 3, 18, 5, 18};

    // Map level 2: n = 6 + 1; every reward and stat 2n plus its roll.
    QTest::newRow("entrance") << 1 << QList<int>{1, 10, 10, 0, 5, 5, 0} << QList<int>(6, 0)
                              << QList<int>{1, 4, 1, 4, 2, 3}
                              << QStringList{u"モンスター 7 が現れた"_s} << white << 1000 << 3
                              << QList<int>{1, 10, 10, 0, 5, 5, 0}
                              << QList<int>{7, 18, 15, 18, 16, 17};
    QTest::newRow("player strikes")
        << 3 << QList<int>{1, 10, 10, 0, 10, 5, 0} << foe7 << QList<int>{3}
        << QStringList{u"モンスター 7 に 8ダメージを与えた"_s} << white << 1000 << 4
        << QList<int>{1, 10, 10, 0, 10, 5, 0} << QList<int>{7, 2, 3, 18, 5, 18};
    QTest::newRow("player finishes")
        << 3 << QList<int>{1, 10, 10, 0, 10, 5, 0} << QList<int>{7, 8, 3, 18, 5, 18}
        << QList<int>{3} << QStringList{u"モンスター 7 に 8ダメージを与えた"_s} << white << 1000
        << 11 << QList<int>{1, 10, 10, 0, 10, 5, 0} << QList<int>{7, 0, 3, 18, 5, 18};
    QTest::newRow("weak strike still hits 1")
        << 3 << QList<int>{1, 10, 10, 0, 2, 5, 0} << QList<int>{7, 10, 3, 18, 30, 18}
        << QList<int>{0} << QStringList{u"モンスター 7 に 1ダメージを与えた"_s} << white << 1000
        << 4 << QList<int>{1, 10, 10, 0, 2, 5, 0} << QList<int>{7, 9, 3, 18, 30, 18};
    QTest::newRow("attack wraps around")
        << 3 << QList<int>{1, 10, 10, 0, max, 5, 0} << QList<int>{7, 10, 3, 18, 0, 18}
        << QList<int>{9} << QStringList{u"モンスター 7 に 1ダメージを与えた"_s} << white << 1000
        << 4 << QList<int>{1, 10, 10, 0, max, 5, 0} << QList<int>{7, 9, 3, 18, 0, 18};
    QTest::newRow("monster strikes")
        << 4 << QList<int>{1, 30, 30, 0, 5, 5, 0} << foe7 << QList<int>{9}
        << QStringList{u"モンスター 7 から 22ダメージを受けた"_s} << white << 1000 << 3
        << QList<int>{1, 8, 30, 0, 5, 5, 0} << foe7;
    QTest::newRow("monster finishes")
        << 4 << QList<int>{1, 22, 30, 0, 5, 5, 0} << foe7 << QList<int>{9}
        << QStringList{u"モンスター 7 から 22ダメージを受けた"_s} << white << 1000 << 10
        << QList<int>{1, 0, 30, 0, 5, 5, 0} << foe7;
    QTest::newRow("won") << 11 << QList<int>{2, 4, 9, 0, 5, 5, 10} << QList<int>{7, 0, 3, 18, 5, 18}
                         << QList<int>{}
                         << QStringList{u"モンスター 7 に勝ちました"_s, u"経験値を 3 得ました"_s,
                                        u"ゴールドを 18 得ました"_s}
                         << cyan << 2000 << 0 << QList<int>{2, 4, 9, 3, 5, 5, 28}
                         << QList<int>{7, 0, 3, 18, 5, 18};
    // EXP 1 + 3 reaches 2 x 2: level 3, max HP 6 + 5, stats 6 + their rolls (ATK falls).
    QTest::newRow("won, EXP reaches LEVEL squared")
        << 11 << QList<int>{2, 4, 9, 1, 50, 5, 10} << QList<int>{7, 0, 3, 18, 5, 18}
        << QList<int>{5, 1, 2, 3, 4, 6, 7}
        << QStringList{u"モンスター 7 に勝ちました"_s, u"経験値を 3 得ました"_s,
                       u"ゴールドを 18 得ました"_s, u"レベルが上がりました"_s}
        << cyan << 2000 << 0 << QList<int>{3, 11, 11, 4, 10, 12, 28}
        << QList<int>{7, 0, 3, 18, 5, 18};
    QTest::newRow("won, EXP one below LEVEL squared")
        << 11 << QList<int>{3, 4, 9, 5, 5, 5, 0} << QList<int>{7, 0, 3, 18, 5, 18} << QList<int>{}
        << QStringList{u"モンスター 7 に勝ちました"_s, u"経験値を 3 得ました"_s,
                       u"ゴールドを 18 得ました"_s}
        << cyan << 2000 << 0 << QList<int>{3, 4, 9, 8, 5, 5, 18} << QList<int>{7, 0, 3, 18, 5, 18};
    QTest::newRow("lost") << 10 << QList<int>{3, -4, 12, 5, 5, 5, 5} << foe7 << QList<int>{}
                          << QStringList{u"モンスター 7 に負けました"_s,
                                         u"ゴールドを 30 失いました"_s}
                          << red << 2000 << 0 << QList<int>{3, 12, 12, 5, 5, 5, -25} << foe7;
    QTest::newRow("lost, gold wraps around")
        << 10 << QList<int>{1, 0, 12, 5, 5, 5, min + 5} << foe7 << QList<int>{}
        << QStringList{u"モンスター 7 に負けました"_s, u"ゴールドを 10 失いました"_s} << red << 2000
        << 0 << QList<int>{1, 12, 12, 5, 5, 5, max - 4} << foe7;
}

void TestRpgBattle::battleTable()
{
    QFETCH(int, state);
    QFETCH(QList<int>, before);
    QFETCH(QList<int>, foe);
    QFETCH(QList<int>, script);
    QFETCH(QStringList, lines);
    QFETCH(uint, color);
    QFETCH(int, hold);
    QFETCH(int, next);
    QFETCH(QList<int>, after);
    QFETCH(QList<int>, foeAfter);

    test::ScriptedRandom random(script);
    RpgGame game(random);
    game.setMapLevel(2);
    game.setPlayer(player(before));
    game.setMonster(monster(foe));
    game.setWalkingFrame(2);
    game.setState(state);

    const RpgGame::BattleStep step = game.battleStep();
    QCOMPARE(random.faults, 0);
    QCOMPARE(random.remaining(), 0);
    QCOMPARE(step.lines, lines);
    QCOMPARE(uint(step.color), color);
    QCOMPARE(step.holdMs, hold);
    QCOMPARE(step.nextState, next);

    const PlayerRecord &p = game.player();
    QCOMPARE((QList<int>{p.level, p.hp, p.maxHp, p.exp, p.atk, p.def, p.gold}), after);
    QCOMPARE(monsterValues(game.monster()), foeAfter);
    if (lines.size() == 4) {
        // The stats are rolled afresh in a fixed order after max HP.
        QCOMPARE((QList<int>{p.str, p.dex, p.intelligence, p.mag}), (QList<int>{7, 8, 9, 13}));
    }
    if (state == RpgGame::MonsterEntrance) {
        QCOMPARE(random.asked, (QList<int>{3, 5, 2, 5, 5, 5}));
        QCOMPARE(game.playerSprite(), 2 * 4 + 1); // the walking frame, facing left
    }
    // The picture stays with the state unchanged until the step is finished.
    QCOMPARE(game.state(), state);
    game.finishBattleStep();
    QCOMPARE(game.state(), next);
}

void TestRpgBattle::stepsFollowEachOther()
{
    test::ScriptedRandom random({0, 0, 0, 0, 0, 0});
    RpgGame game(random);
    game.setMapLevel(0);
    game.setState(RpgGame::MonsterEntrance);
    QCOMPARE(game.battleStep().nextState, int(RpgGame::PlayerAttacks));
    // A second step before the first is finished does nothing and draws nothing.
    QVERIFY(game.battleStep().lines.isEmpty());
    QCOMPARE(random.asked.size(), 6);
    // A new floor in the middle of a battle forces walking and drops the waiting step.
    SeededRandom seeded(3);
    RpgGame other(seeded);
    other.start();
    other.setState(RpgGame::PlayerAttacks);
    other.battleStep();
    other.newMap();
    QCOMPARE(other.state(), int(RpgGame::Walking));
    other.finishBattleStep();
    QCOMPARE(other.state(), int(RpgGame::Walking));
    QVERIFY(other.battleStep().lines.isEmpty());
}

void TestRpgBattle::monsterNumbersFollowMapLevel()
{
    SeededRandom random(11);
    RpgGame game(random);
    game.start();
    QCOMPARE(game.mapLevel(), 0);
    QSet<int> seen;
    for (const int level : {0, 5, 187}) {
        game.setMapLevel(level);
        for (int i = 0; i < 60; ++i) {
            game.setState(RpgGame::MonsterEntrance);
            game.battleStep();
            game.finishBattleStep();
            const int n = game.monster().number;
            QVERIFY(n >= 3 * level && n <= 3 * level + 2);
            seen.insert(n);
        }
    }
    QCOMPARE(seen.size(), 9);
}

QTEST_GUILESS_MAIN(TestRpgBattle)
#include "tst_rpgbattle.moc"
