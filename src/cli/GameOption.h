#pragma once

#include "cli/CliVerbs.h"
#include "game/GameRules.h"

#include <optional>

// Takes "--game KEY" out of the arguments: the game it names, or the Options'
// choice without it. Nothing, after saying why, when KEY names no game.
std::optional<Game> TakeGameOption(QStringList &arguments, CliStreams &streams);
