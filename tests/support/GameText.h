#pragma once

#include "game/GameName.h"

// The characters a player sees of a name, in the game's own reading.
inline QString SeenInGame(const QString &name)
{
    QString text;
    for (const GameName::Glyph &glyph : GameName::Glyphs(GameName::Shown(name).shown))
        text += glyph.character;
    return text;
}
