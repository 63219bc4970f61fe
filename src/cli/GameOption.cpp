#include "cli/GameOption.h"

#include "animation/Settings.h"
#include "platform/RegistryStore.h"

std::optional<Game> TakeGameOption(QStringList &arguments, CliStreams &streams)
{
    const qsizetype at = arguments.indexOf(QStringLiteral("--game"));
    if (at < 0)
        return LoadSettings(SystemRegistryStore()).game;
    const std::optional<Game> game = at + 1 < arguments.size() ? Games::FromKey(arguments.at(at + 1)) : std::nullopt;
    if (!game || arguments.indexOf(QStringLiteral("--game"), at + 1) >= 0) {
        UsageError(streams, QStringLiteral("--game takes one of %1").arg(Games::Keys()));
        return std::nullopt;
    }
    arguments.remove(at, 2);
    return game;
}
