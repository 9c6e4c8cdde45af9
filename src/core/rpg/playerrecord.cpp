#include "core/rpg/playerrecord.h"

#include "core/app/settings.h"

#include <QStringList>

namespace kazari
{

QString PlayerRecord::toText() const
{
    const QStringList fields = {
        name,
        QString::number(level),
        QString::number(maxHp),
        QString::number(hp),
        QString::number(exp),
        QString::number(str),
        QString::number(dex),
        QString::number(intelligence),
        QString::number(atk),
        QString::number(def),
        QString::number(mag),
        QString::number(gold),
        QString::number(img),
    };
    return fields.join(QLatin1Char(','));
}

std::optional<PlayerRecord> PlayerRecord::fromText(const QString &text, QString *error)
{
    auto fail = [error](const QString &message) -> std::optional<PlayerRecord> {
        if (error)
            *error = message;
        return std::nullopt;
    };
    const QStringList fields = text.split(QLatin1Char(','));
    if (fields.size() != 13)
        return fail(QStringLiteral("field count %1, expected 13").arg(fields.size()));

    qint32 values[12];
    for (int i = 0; i < 12; ++i) {
        const std::optional<int> v = Settings::parseInteger(fields.at(i + 1));
        if (!v)
            return fail(
                QStringLiteral("field %1 is not a number: %2").arg(i + 2).arg(fields.at(i + 1)));
        values[i] = *v;
    }
    PlayerRecord r;
    r.name = QStringLiteral("LogIned_TsyFilerUser");
    r.level = values[0];
    r.maxHp = values[1];
    r.hp = values[2];
    r.exp = values[3];
    r.str = values[4];
    r.dex = values[5];
    r.intelligence = values[6];
    r.atk = values[7];
    r.def = values[8];
    r.mag = values[9];
    r.gold = values[10];
    r.img = values[11];
    if (r.img < 0 || r.img >= CharacterCount)
        return fail(QStringLiteral("character number out of range: %1").arg(r.img));
    return r;
}

} // namespace kazari
