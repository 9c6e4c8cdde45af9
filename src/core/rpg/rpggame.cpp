#include "core/rpg/rpggame.h"

#include "core/app/settings.h"
#include "core/rpg/rpggeometry.h"
#include "core/rpg/wrapint.h"

namespace kazari
{

namespace
{

// Steps of the player and the wanderers, indexed by facing (down, left, right, up).
constexpr int StepDx[4] = {0, -1, 1, 0};
constexpr int StepDy[4] = {1, 0, 0, -1};

constexpr QRgb White = 0xffffffff;
constexpr QRgb Cyan = 0xff00ffff;
constexpr QRgb Red = 0xffff0000;

QString monsterText(qint32 n)
{
    return QStringLiteral(u"モンスター ") + QString::number(n);
}

} // namespace

RpgGame::RpgGame(RandomSource &random)
    : m_random(random)
{
}

qint32 RpgGame::roll(qint32 base, int n)
{
    return wrapint::add(base, m_random.random(n));
}

void RpgGame::start()
{
    m_mapLevel = -1;
    newPlayer();
    m_player.img = m_random.random(CharacterCount);
    m_playerSprite = 4;
    newMap();
    const QPoint starts[3] = {QPoint(19, 1), QPoint(19, 19), QPoint(1, 19)};
    for (int i = 0; i < 3; ++i) {
        Wanderer &w = m_wanderers[static_cast<size_t>(i)];
        w.x = starts[i].x();
        w.y = starts[i].y();
        w.facing = Facing::Down;
        w.character = m_random.random(CharacterCount);
    }
}

void RpgGame::newPlayer()
{
    m_player = PlayerRecord();
    m_player.name = QStringLiteral("TsyFilerUser");
    m_player.level = 1;
    m_player.maxHp = roll(2, 10);
    m_player.hp = m_player.maxHp;
    m_player.exp = 0;
    m_player.str = roll(2, 10);
    m_player.dex = roll(2, 10);
    m_player.intelligence = roll(2, 10);
    m_player.atk = roll(2, 10);
    m_player.def = roll(2, 10);
    m_player.mag = roll(2, 10);
    m_player.gold = 0;
    m_statusText = QStringLiteral("Status created new");
}

void RpgGame::newMap()
{
    m_mapLevel = wrapint::add(m_mapLevel, 1);
    m_state = Walking;
    m_pendingState = -1;
    m_position = QPoint(1, 1);
    m_map.generate(m_random);
}

void RpgGame::press(int x, int y, int w0, int h0, bool leftButton)
{
    m_input.x = x;
    m_input.y = y;
    m_input.w0 = w0;
    m_input.h0 = h0;
    if (leftButton)
        m_input.walkButton = true;
}

void RpgGame::release()
{
    m_input.walkButton = false;
}

void RpgGame::forgetPress()
{
    m_input.x = -1;
    m_input.y = -1;
}

bool RpgGame::tryStep(Facing direction)
{
    const int d = facingIndex(direction);
    const QPoint target = m_position + QPoint(StepDx[d], StepDy[d]);
    if (!GameMap::isPassable(m_map.cell(target.x(), target.y())))
        return false;
    m_position = target;
    m_playerSprite = m_walkingFrame * 4 + d;
    m_arrow = direction;
    return true;
}

void RpgGame::gameCycle(int width, int height)
{
    if (m_state == CharacterSelection && m_input.pressRecorded()) {
        const std::optional<QPoint> cell =
            RpgGeometry::selectionCell(m_input.x, m_input.y, width, height);
        if (!cell) {
            m_page = m_page >= 75 ? 0 : m_page + PageSize;
        } else {
            const int number = m_page + cell->x() + 5 * cell->y();
            // The last page has five empty cells; a press there is ignored.
            if (number < CharacterCount) {
                m_player.img = number;
                m_playerSprite = 4;
                m_state = Walking;
            }
        }
        forgetPress();
    }

    if (m_state == Walking) {
        if (m_input.pressRecorded() && RpgGeometry::onPlayer(m_input.x, m_input.y, width, height)) {
            m_page = 0;
            m_state = CharacterSelection;
            forgetPress();
        }
        if (m_input.walkButton) {
            tryStep(RpgGeometry::pressDirection(m_input.x, m_input.y, m_input.w0, m_input.h0));
            if (m_random.random(12) == 6) {
                m_state = MonsterEntrance;
                m_input.walkButton = false;
            }
        }
        cellEffects();
    }

    m_walkingFrame = (m_walkingFrame + 1) % 3;
}

void RpgGame::cellEffects()
{
    const qint32 code = m_map.cell(m_position.x(), m_position.y());
    if (code == GameMap::Spring)
        m_player.hp = m_player.maxHp;
    else if (code == GameMap::Goal)
        m_goalFlag = true;
}

void RpgGame::walkWanderers()
{
    for (Wanderer &w : m_wanderers) {
        const int d = m_random.random(4);
        const int nx = w.x + StepDx[d];
        const int ny = w.y + StepDy[d];
        if (m_map.cell(nx, ny) == GameMap::Floor) {
            w.x = nx;
            w.y = ny;
        }
        w.facing = static_cast<Facing>(d);
    }
}

bool RpgGame::isBattleState(int state)
{
    return state == MonsterEntrance || state == PlayerAttacks || state == MonsterAttacks ||
           state == Won || state == Lost;
}

RpgGame::BattleStep RpgGame::battleStep()
{
    BattleStep step;
    step.color = White;
    if (!isBattleState(m_state) || m_pendingState >= 0)
        return step;
    using namespace wrapint;
    const QString who = monsterText(m_monster.number);
    switch (m_state) {
    case MonsterEntrance: {
        const qint32 n = roll(mul(3, m_mapLevel), 3);
        const qint32 base = mul(2, n);
        m_monster.number = n;
        m_monster.hp = roll(base, 5);
        m_monster.exp = roll(base, 2);
        m_monster.attack = roll(base, 5);
        m_monster.defence = roll(base, 5);
        m_monster.gold = roll(base, 5);
        m_playerSprite = m_walkingFrame * 4 + facingIndex(Facing::Left);
        step.lines << monsterText(n) + QStringLiteral(u" が現れた");
        step.holdMs = 1000;
        step.nextState = PlayerAttacks;
        break;
    }
    case PlayerAttacks: {
        const qint32 damage = qMax(1, sub(roll(m_player.atk, 10), m_monster.defence));
        m_monster.hp = sub(m_monster.hp, damage);
        step.lines << who + QStringLiteral(u" に ") + QString::number(damage) +
                          QStringLiteral(u"ダメージを与えた");
        step.holdMs = 1000;
        step.nextState = m_monster.hp > 0 ? MonsterAttacks : Won;
        break;
    }
    case MonsterAttacks: {
        const qint32 damage = qMax(1, sub(roll(m_monster.attack, 10), m_player.def));
        m_player.hp = sub(m_player.hp, damage);
        step.lines << who + QStringLiteral(u" から ") + QString::number(damage) +
                          QStringLiteral(u"ダメージを受けた");
        step.holdMs = 1000;
        step.nextState = m_player.hp > 0 ? PlayerAttacks : Lost;
        break;
    }
    case Won: {
        m_player.exp = add(m_player.exp, m_monster.exp);
        m_player.gold = add(m_player.gold, m_monster.gold);
        step.lines << who + QStringLiteral(u" に勝ちました")
                   << QStringLiteral(u"経験値を ") + QString::number(m_monster.exp) +
                          QStringLiteral(u" 得ました")
                   << QStringLiteral(u"ゴールドを ") + QString::number(m_monster.gold) +
                          QStringLiteral(u" 得ました");
        // One level at most per win; LEVEL squared in 64 bits cannot overflow.
        const qint64 needed = qint64(m_player.level) * qint64(m_player.level);
        if (qint64(m_player.exp) >= needed) {
            m_player.level = add(m_player.level, 1);
            const qint32 base = mul(2, m_player.level);
            m_player.maxHp = roll(base, 10);
            m_player.hp = m_player.maxHp;
            m_player.str = roll(base, 10);
            m_player.dex = roll(base, 10);
            m_player.intelligence = roll(base, 10);
            m_player.atk = roll(base, 10);
            m_player.def = roll(base, 10);
            m_player.mag = roll(base, 10);
            step.lines << QStringLiteral(u"レベルが上がりました");
        }
        step.color = Cyan;
        step.holdMs = 2000;
        step.nextState = Walking;
        break;
    }
    case Lost: {
        const qint32 penalty = mul(10, m_player.level);
        m_player.gold = sub(m_player.gold, penalty);
        m_player.hp = m_player.maxHp;
        step.lines << who + QStringLiteral(u" に負けました")
                   << QStringLiteral(u"ゴールドを ") + QString::number(penalty) +
                          QStringLiteral(u" 失いました");
        step.color = Red;
        step.holdMs = 2000;
        step.nextState = Walking;
        break;
    }
    default:
        break;
    }
    m_pendingState = step.nextState;
    return step;
}

void RpgGame::finishBattleStep()
{
    if (m_pendingState < 0)
        return;
    m_state = m_pendingState;
    m_pendingState = -1;
}

QStringList RpgGame::statusLines() const
{
    const PlayerRecord &p = m_player;
    const auto n = [](qint32 v) { return QString::number(v); };
    return {
        QStringLiteral("NAME: ") + p.name,
        QStringLiteral("LEVEL: ") + n(p.level) + QStringLiteral("  HP: ") + n(p.hp) +
            QStringLiteral(" / ") + n(p.maxHp) + QStringLiteral("  ATK: ") + n(p.atk) +
            QStringLiteral("  DEF: ") + n(p.def) + QStringLiteral("  GOLD: ") + n(p.gold) +
            QStringLiteral("  EXP: ") + n(p.exp),
        QStringLiteral("STATUS  STR: ") + n(p.str) + QStringLiteral("  DEX: ") + n(p.dex) +
            QStringLiteral("  INT: ") + n(p.intelligence) + QStringLiteral("  MAG: ") + n(p.mag) +
            QStringLiteral("  IMG: ") + n(p.img),
        QStringLiteral("MAP LEVEL: ") + n(m_mapLevel),
    };
}

bool RpgGame::applyRecordText(const QString &text, QString *error)
{
    const std::optional<PlayerRecord> record = PlayerRecord::fromText(text, error);
    if (!record)
        return false;
    m_player = *record;
    m_playerSprite = 4;
    m_statusText = QStringLiteral("Status loaded db");
    return true;
}

bool RpgGame::storeRecord(Settings &settings, QString *error) const
{
    QString failure;
    settings.storeSetting(settingsKey(), recordText(), true, &failure);
    if (failure.isEmpty())
        return true;
    if (error)
        *error = failure;
    return false;
}

bool RpgGame::applyRecord(const Settings &settings, QString *error)
{
    const QString text = settings.value(settingsKey());
    if (text.isEmpty())
        return false;
    return applyRecordText(text, error);
}

} // namespace kazari
