#include "cli/CliVerbs.h"
#include "cli/VerbArguments.h"

#include "colors/ColorCodes.h"

namespace {

int runStrip(const VerbArguments &arguments, CliStreams &streams)
{
    if (arguments.positional.size() != 1)
        return UsageError(streams, QStringLiteral("strip takes one TEXT, not %1").arg(arguments.positional.size()));
    WriteText(streams.out, (StripColorCodes(arguments.positional.first()) + QLatin1Char('\n')));
    return 0;
}

const bool registered = RegisterCliVerb(
    {QStringLiteral("strip"), [] { return VerbSyntax{QStringLiteral("TEXT"), {}}; }, runStrip,
     QStringLiteral("Prints TEXT without its colour codes, as the game's players see it.")});

} // namespace
