#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace kazari
{

/// The player of the maze game: name, level, hit points, experience, the six stats,
/// gold and the character number (which of the 95 character sheets shows the player).
struct PlayerRecord {
    static constexpr int CharacterCount = 95;

    QString name;
    qint32 level = 1;
    qint32 hp = 0;
    qint32 maxHp = 0;
    qint32 exp = 0;
    qint32 str = 0;
    qint32 dex = 0;
    qint32 intelligence = 0;
    qint32 atk = 0;
    qint32 def = 0;
    qint32 mag = 0;
    qint32 gold = 0;
    qint32 img = 0;

    /// The text form: name, LEVEL, max HP, HP, EXP, STR, DEX, INT, ATK, DEF, MAG, GOLD,
    /// IMG joined by "," in decimal.
    QString toText() const;

    /// Reads a text form. The first field is ignored and the name becomes
    /// "LogIned_TsyFilerUser"; the text must have exactly thirteen fields, fields 2 to 13
    /// decimal 32-bit integers and IMG a character number 0..94. Anything else gives
    /// nothing and an explanation in `error`.
    static std::optional<PlayerRecord> fromText(const QString &text, QString *error = nullptr);

    friend bool operator==(const PlayerRecord &, const PlayerRecord &) = default;
};

} // namespace kazari
