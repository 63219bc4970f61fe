#include "cli/CliVerbs.h"
#include "cli/GameOption.h"

#include "colors/ColorCodes.h"
#include "game/GameName.h"
#include "transforms/Colorize.h"

namespace {

int runColorize(QStringList arguments, CliStreams &streams)
{
    Colorize::Options options;
    const std::optional<Game> game = TakeGameOption(arguments, streams);
    if (!game)
        return CliUsageError;
    options.game = *game;
    std::optional<Colorize::Pattern> pattern;
    QStringList texts;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &option = arguments.at(i);
        if (option == QLatin1String("--no-fit")) {
            options.fit = false;
        } else if (option == QLatin1String("--backwards")) {
            options.backwards = true;
        } else if (option.startsWith(QLatin1String("--"))) {
            static const QStringList valued{"--pattern", "--colors", "--by", "--seed"};
            if (!valued.contains(option))
                return UsageError(streams, QStringLiteral("Unknown option: ") + option);
            if (i + 1 >= arguments.size())
                return UsageError(streams, option + QStringLiteral(" needs a value"));
            const QString value = arguments.at(++i);
            QString wrong;
            if (option == QLatin1String("--pattern")) {
                pattern = Colorize::PatternFromName(value);
                if (!pattern)
                    wrong = QStringLiteral("the patterns are ") + Colorize::PatternNames().join(QStringLiteral(", "));
            } else if (option == QLatin1String("--colors")) {
                options.colors = Colorize::ColorsFromText(value).value_or(QVector<int>());
                if (options.colors.isEmpty())
                    wrong = QStringLiteral("colours are whole numbers separated by commas, such as 1,4");
            } else if (option == QLatin1String("--by")) {
                options.byWord = value.compare(QLatin1String("word"), Qt::CaseInsensitive) == 0;
                if (!options.byWord && value.compare(QLatin1String("character"), Qt::CaseInsensitive) != 0)
                    wrong = QStringLiteral("it is word or character");
            } else {
                bool ok = false;
                options.seed = value.toUInt(&ok);
                if (!ok)
                    wrong = QStringLiteral("a seed is a whole number from 0 to 4294967295");
            }
            if (!wrong.isEmpty())
                return UsageError(streams, QStringLiteral("%1 %2: %3").arg(option, value, wrong));
        } else {
            texts << option;
        }
    }
    if (texts.size() != 1)
        return UsageError(streams, QStringLiteral("colorize takes one TEXT, not %1").arg(texts.size()));
    if (!pattern)
        return UsageError(streams, QStringLiteral("--pattern is missing"));
    options.pattern = *pattern;
    const QString problem = Colorize::Problem(options);
    if (!problem.isEmpty()) {
        streams.err << problem << '\n';
        return CliUsageError;
    }
    const QString coloured = Colorize::Apply(texts.first(), options);
    if (options.fit && StripColorCodes(coloured) == coloured && !StripColorCodes(texts.first()).trimmed().isEmpty())
        streams.err << "The text is too long to carry any colour within " << GameName::MaxBytes << " bytes\n";
    WriteBytes(streams.out, (coloured + QLatin1Char('\n')).toUtf8());
    return 0;
}

const bool registered = RegisterCliVerb(
    {QStringLiteral("colorize"),
     QStringLiteral("colorize TEXT --pattern rainbow|alternate|gradient|random [--colors 1,4] [--by word|character]\n"
                    "         [--backwards] [--no-fit] [--seed N] [--game rtcw|iortcw|et|etlegacy]"),
     runColorize});

} // namespace
