#pragma once

#include "game/GameConsole.h"

#include <QString>

struct ExecTarget;

// A script played more than once keeps its own count of the passes left, in cvars: no key can stop a loop (a
// key's command waits behind it), so only the script itself can end it. Part 1 is a starter that sets the count
// and runs part 2; the last part ends with `vstr PREFIX_0`, which takes one off the count and runs part 2 again,
// or, at 0, runs nothing.
namespace ScriptRepeat {

using GameConsole::MaxPasses;

// The cvars' common prefix, from the script's name: "mm_ocelot" for anims/ocelot.
QString CvarPrefix(const QString &execName);

// The starter's window text: the banner, the count of the passes after the first, and the exec of part 2.
QString StarterText(const QString &execName, int passes);

// The last line of the last part: what takes one pass off and plays the next.
QString TailLine(const QString &execName);

// Why the chain can't repeat under this path, or empty: the count runs part 2 by exec inside a cvar's value,
// where the path can't be quoted, so a blank, ';' or a byte outside ASCII would cut it.
QString PathProblem(const ExecTarget &target);

// Said when the game's buffer can't hold the passes asked for.
QString TooManyPassesMessage(int passes, int most);

} // namespace ScriptRepeat
