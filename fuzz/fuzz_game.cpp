// The player's shortcut for a script line `prefix "argument"` on any bytes: when
// it takes the line, it plays it as the written line does, command for command.
#include "game/GameConsole.h"
#include "game/GamePlayer.h"

#include <QByteArray>
#include <QList>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The first byte says where the prefix ends.
    if (size == 0)
        return 0;
    const QByteArray rest(reinterpret_cast<const char *>(data) + 1, static_cast<qsizetype>(size) - 1);
    const qsizetype cut = qMin<qsizetype>(data[0], rest.size());
    const QByteArray prefix = rest.first(cut);
    const QByteArray argument = rest.sliced(cut);

    GamePlayer quick(125);
    const std::optional<GamePlayer::Event> event = quick.runQuoted(prefix, argument);
    if (!event)
        return 0;
    const QByteArray written = prefix + " \"" + argument + '"';
    GamePlayer full(125);
    QList<GamePlayer::Event> played;
    for (const GameConsole::Command &command : GameConsole::Commands(written)) {
        if (const std::optional<GamePlayer::Event> one = full.run(command.text))
            played << *one;
    }
    if (played.size() != 1)
        std::abort();
    const GamePlayer::Event &expected = played.first();
    if (event->kind != expected.kind || event->verb != expected.verb || event->argument != expected.argument
        || event->name != expected.name || quick.frame() != full.frame())
        std::abort();
    return 0;
}
