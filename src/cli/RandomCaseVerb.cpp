#include "cli/CliVerbs.h"

#include "transforms/TextTransforms.h"

#include <QRandomGenerator>

namespace {

int runRandomCase(const QStringList &arguments, CliStreams &streams)
{
    QStringList texts;
    std::optional<quint32> seed;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--seed")) {
            bool ok = false;
            if (i + 1 >= arguments.size() || seed)
                return UsageError(streams, QStringLiteral("--seed takes one number"));
            seed = arguments.at(++i).toUInt(&ok);
            if (!ok)
                return UsageError(streams, QStringLiteral("--seed %1: a seed is a whole number from 0 to 4294967295")
                                               .arg(arguments.at(i)));
        } else if (arguments.at(i).startsWith(QLatin1String("--"))) {
            return UsageError(streams, QStringLiteral("Unknown option: ") + arguments.at(i));
        } else {
            texts << arguments.at(i);
        }
    }
    if (texts.size() != 1)
        return UsageError(streams, QStringLiteral("randomcase takes one TEXT, not %1").arg(texts.size()));
    QRandomGenerator generator(seed.value_or(QRandomGenerator::global()->generate()));
    WriteBytes(streams.out, (RandomizeTextCase(texts.first(), generator) + QLatin1Char('\n')).toUtf8());
    return 0;
}

const bool registered = RegisterCliVerb(
    {QStringLiteral("randomcase"), QStringLiteral("randomcase TEXT [--seed N]"), runRandomCase});

} // namespace
