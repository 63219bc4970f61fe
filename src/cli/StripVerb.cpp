#include "cli/CliVerbs.h"

#include "colors/ColorCodes.h"

namespace {

int runStrip(const QStringList &arguments, CliStreams &streams)
{
    if (arguments.size() != 1)
        return UsageError(streams, QStringLiteral("strip takes one TEXT, not %1").arg(arguments.size()));
    WriteBytes(streams.out, (StripColorCodes(arguments.first()) + QLatin1Char('\n')).toUtf8());
    return 0;
}

const bool registered = RegisterCliVerb({QStringLiteral("strip"), QStringLiteral("strip TEXT"), runStrip});

} // namespace
