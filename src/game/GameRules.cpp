#include "game/GameRules.h"

namespace Games {

const GameRules &Of(Game game)
{
    for (const GameRules *rules : All) {
        if (rules->game == game)
            return *rules;
    }
    return Rtcw;
}

std::optional<Game> FromKey(const QString &key)
{
    for (const GameRules *rules : All) {
        if (key == QLatin1String(rules->key))
            return rules->game;
    }
    return std::nullopt;
}

QString KeyOf(Game game)
{
    return QLatin1String(Of(game).key);
}

QString TitleOf(Game game)
{
    return QLatin1String(Of(game).title);
}

QString Keys()
{
    QStringList keys;
    for (const GameRules *rules : All)
        keys << QLatin1String(rules->key);
    return keys.join(QLatin1Char('|'));
}

unsigned ColorRgb(int index)
{
    static constexpr unsigned table[32] = {
        0x000000, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0x00FFFF, 0xFF00FF, 0xFFFFFF,
        0xFF8000, 0x808080, 0xBFBFBF, 0xBFBFBF, 0x008000, 0x808000, 0x000080, 0x800000,
        0x804000, 0xFF991A, 0x008080, 0x800080, 0x0080FF, 0x8000FF, 0x3399CC, 0xCCFFCC,
        0x006633, 0xFF0033, 0xB31A1A, 0x993300, 0xCC9933, 0x999933, 0xFFFFBF, 0xFFFF80,
    };
    return table[index & 31];
}

} // namespace Games

QString Games::ScriptGameName(const GameRules &game)
{
    return game.game == Game::Rtcw ? QStringLiteral("RtCW") : QLatin1String(game.title);
}
