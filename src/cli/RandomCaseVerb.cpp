#include "cli/CliVerbs.h"
#include "cli/VerbArguments.h"

#include "transforms/TextTransforms.h"

#include <QRandomGenerator>

namespace {

VerbSyntax syntax()
{
    return {QStringLiteral("TEXT"),
            {{{QStringLiteral("seed")}, QStringLiteral("N"), QStringLiteral("the same N gives the same letters"), false,
              QStringLiteral("--seed takes one number")}}};
}

int runRandomCase(const VerbArguments &arguments, CliStreams &streams)
{
    std::optional<quint32> seed;
    if (const std::optional<QString> given = arguments.value(QStringLiteral("seed"))) {
        bool ok = false;
        seed = given->toUInt(&ok);
        if (arguments.count(QStringLiteral("seed")) > 1)
            return UsageError(streams, QStringLiteral("--seed takes one number"));
        if (!ok)
            return UsageError(streams, QStringLiteral("--seed %1: a seed is a whole number from 0 to 4294967295").arg(*given));
    }
    if (arguments.positional.size() != 1)
        return UsageError(streams, QStringLiteral("randomcase takes one TEXT, not %1").arg(arguments.positional.size()));
    QRandomGenerator generator(seed.value_or(QRandomGenerator::global()->generate()));
    WriteText(streams.out, (RandomizeTextCase(arguments.positional.first(), generator) + QLatin1Char('\n')));
    return 0;
}

const bool registered = RegisterCliVerb({QStringLiteral("randomcase"), syntax, runRandomCase,
                                         QStringLiteral("Prints TEXT with each letter in a random case.")});

} // namespace
