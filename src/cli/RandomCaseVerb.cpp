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
                return CliUsageError;
            seed = arguments.at(++i).toUInt(&ok);
            if (!ok)
                return CliUsageError;
        } else {
            texts << arguments.at(i);
        }
    }
    if (texts.size() != 1)
        return CliUsageError;
    QRandomGenerator generator(seed.value_or(QRandomGenerator::global()->generate()));
    WriteBytes(streams.out, (RandomizeTextCase(texts.first(), generator) + QLatin1Char('\n')).toUtf8());
    return 0;
}

const bool registered = RegisterCliVerb(
    {QStringLiteral("randomcase"), QStringLiteral("randomcase TEXT [--seed N]"), runRandomCase});

} // namespace
