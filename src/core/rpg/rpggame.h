#pragma once

#include "core/rpg/facing.h"
#include "core/rpg/gamemap.h"
#include "core/rpg/playerrecord.h"
#include "core/rpg/randomsource.h"

#include <QPoint>
#include <QRgb>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace kazari
{

class Settings;

/// The maze game of the folder pane: the floor, the player and the wanderers, the
/// encounters, the battles and the character selection. It holds no pictures and no
/// timers; the view calls `gameCycle` and composes frames (`RpgFrame`) five times a
/// second and performs the battle steps the frames ask for.
///
/// States: 0 walking, 1 monster entrance, 3 player attacks, 4 monster attacks, 11 won,
/// 10 lost, 14 character selection. The game cycle leaves only states 0 and 14, battle
/// steps leave only the battle states, and a new floor forces state 0.
class RpgGame
{
public:
    enum State : int {
        Walking = 0,
        MonsterEntrance = 1,
        PlayerAttacks = 3,
        MonsterAttacks = 4,
        Lost = 10,
        Won = 11,
        CharacterSelection = 14,
    };
    static constexpr int CharacterCount = PlayerRecord::CharacterCount;
    /// Monster pictures exist for the numbers 0 to this.
    static constexpr int LastMonsterPicture = 560;
    static constexpr int PageSize = 25;

    struct Monster {
        qint32 number = 0;
        qint32 hp = 0;
        qint32 exp = 0;
        qint32 attack = 0;
        qint32 defence = 0;
        qint32 gold = 0;
    };

    /// A character roaming the floor on its own; `character` picks its sheet.
    struct Wanderer {
        int x = 0;
        int y = 0;
        Facing facing = Facing::Down;
        int character = 0;
    };

    /// What the mouse left for the game: the press point in picture coordinates
    /// ((-1, -1) when none), the picture size at the press, and the walk button.
    struct Input {
        int x = -1;
        int y = -1;
        int w0 = 0;
        int h0 = 0;
        bool walkButton = false;
        bool pressRecorded() const { return x != -1 && y != -1; }
    };

    /// One battle step: the lines to show in the message window, their colour, how long
    /// the picture stays, and the state that follows once it has.
    struct BattleStep {
        QStringList lines;
        QRgb color = 0xffffffff;
        int holdMs = 0;
        int nextState = Walking;
    };

    explicit RpgGame(RandomSource &random);

    RandomSource &random() { return m_random; }

    /// Starts the game: map level -1, a new player with a random character, the first
    /// floor (level 0) and the three wanderers with random characters.
    void start();

    /// The next floor: level + 1, state 0, the player at (1, 1), a freshly drawn maze.
    /// A battle step waiting to finish is dropped.
    void newMap();

    /// The mouse: a press of any button records the point and the picture size; the
    /// left button also holds the walk button. Any release lets it go.
    void press(int x, int y, int w0, int h0, bool leftButton);
    void release();

    /// One cycle of the game loop on a picture of width x height: the character
    /// selection (state 14), walking, the encounter roll and the cell effects (state 0),
    /// then the next walking frame.
    void gameCycle(int width, int height);

    /// A step from the player's cell; taken only onto a passable cell, and then the
    /// player faces that way. Returns whether it was taken.
    bool tryStep(Facing direction);

    /// Each wanderer draws a direction, moves there only onto floor (code 0) and faces it.
    void walkWanderers();

    static bool isBattleState(int state);
    /// Performs the battle step of the current state and remembers the state that
    /// follows; nothing (an empty step) outside a battle or while a step waits to finish.
    BattleStep battleStep();
    /// Moves on to the state that follows the last battle step, if one waits.
    void finishBattleStep();
    bool battleStepWaiting() const { return m_pendingState >= 0; }

    /// The four lines of the status window.
    QStringList statusLines() const;

    /// The player record's text form, and applying one (all fields or none; see
    /// `PlayerRecord::fromText`). Applying keeps the floor, the level and the position.
    QString recordText() const { return m_player.toText(); }
    bool applyRecordText(const QString &text, QString *error = nullptr);

    /// The settings key that keeps the player record between runs.
    static QString settingsKey() { return QStringLiteral("RpgPlayer"); }
    /// Stores the record in the settings list and, when `exe.ini` exists, in the file.
    /// False (with `error`) when the file could not be written.
    bool storeRecord(Settings &settings, QString *error = nullptr) const;
    /// Applies the stored record; false when none is stored or it is refused.
    bool applyRecord(const Settings &settings, QString *error = nullptr);

    /// What the status panel shows ("Status created new", "Status loaded db").
    const QString &statusText() const { return m_statusText; }

    const GameMap &map() const { return m_map; }
    int mapLevel() const { return m_mapLevel; }
    const PlayerRecord &player() const { return m_player; }
    QPoint position() const { return m_position; }
    int state() const { return m_state; }
    bool goalFlag() const { return m_goalFlag; }
    void setGoalFlag(bool on) { m_goalFlag = on; }
    int walkingFrame() const { return m_walkingFrame; }
    /// The player picture: an index frame * 4 + direction into the player's sprite set.
    int playerSprite() const { return m_playerSprite; }
    /// The direction of the last step taken, for the arrow; none before the first.
    std::optional<Facing> arrowDirection() const { return m_arrow; }
    const std::array<Wanderer, 3> &wanderers() const { return m_wanderers; }
    const Monster &monster() const { return m_monster; }
    int selectionPage() const { return m_page; }
    const Input &input() const { return m_input; }

    /// Direct changes for tests and tools that need a particular situation.
    void setMap(const GameMap &map) { m_map = map; }
    void setMapLevel(int level) { m_mapLevel = level; }
    void setPosition(QPoint p) { m_position = p; }
    void setState(int state) { m_state = state; }
    void setPlayer(const PlayerRecord &player) { m_player = player; }
    void setMonster(const Monster &monster) { m_monster = monster; }
    void setWanderers(const std::array<Wanderer, 3> &wanderers) { m_wanderers = wanderers; }
    void setWalkingFrame(int frame) { m_walkingFrame = frame; }
    void setSelectionPage(int page) { m_page = page; }

private:
    void newPlayer();
    void cellEffects();
    void forgetPress();
    qint32 roll(qint32 base, int n);

    RandomSource &m_random;
    GameMap m_map;
    int m_mapLevel = -1;
    PlayerRecord m_player;
    QPoint m_position{1, 1};
    int m_state = Walking;
    int m_pendingState = -1;
    bool m_goalFlag = true;
    int m_walkingFrame = 0;
    int m_playerSprite = 4;
    std::optional<Facing> m_arrow;
    std::array<Wanderer, 3> m_wanderers{};
    Monster m_monster;
    int m_page = 0;
    Input m_input;
    QString m_statusText;
};

} // namespace kazari
