#include "cli/CliVerbs.h"
#include "cli/VerbArguments.h"

#include "colors/ColorCodes.h"
#include "game/GameName.h"
#include "transforms/Colorize.h"

namespace {

VerbSyntax syntax()
{
    return {QStringLiteral("TEXT"),
            {{{QStringLiteral("pattern")}, Colorize::PatternNames().join(QLatin1Char('|')).toLower(),
              QStringLiteral("how the colours follow each other"), true},
             {{QStringLiteral("colors")}, QStringLiteral("1,4"), QStringLiteral("the colours to use, by their codes")},
             {{QStringLiteral("by")}, QStringLiteral("word|character"), QStringLiteral("a colour per word or per character")},
             {{QStringLiteral("backwards")}, {}, QStringLiteral("the pattern from the end")},
             {{QStringLiteral("no-fit")}, {}, QStringLiteral("colour every character even past the name's 35 bytes")},
             {{QStringLiteral("seed")}, QStringLiteral("N"), QStringLiteral("the same N gives the same random colours")},
             GameOption()}};
}

int runColorize(const VerbArguments &arguments, CliStreams &streams)
{
    Colorize::Options options;
    const std::optional<Game> game = ChosenGame(arguments, streams);
    if (!game)
        return CliUsageError;
    options.game = *game;
    options.fit = !arguments.isSet(QStringLiteral("no-fit"));
    options.backwards = arguments.isSet(QStringLiteral("backwards"));
    std::optional<Colorize::Pattern> pattern;
    for (const auto &[option, value] : arguments.options) {
        QString wrong;
        if (option == QLatin1String("pattern")) {
            pattern = Colorize::PatternFromName(value);
            if (!pattern)
                wrong = QStringLiteral("the patterns are ") + Colorize::PatternNames().join(QStringLiteral(", "));
        } else if (option == QLatin1String("colors")) {
            options.colors = Colorize::ColorsFromText(value).value_or(QVector<int>());
            if (options.colors.isEmpty())
                wrong = QStringLiteral("colours are whole numbers separated by commas, such as 1,4");
        } else if (option == QLatin1String("by")) {
            options.byWord = value.compare(QLatin1String("word"), Qt::CaseInsensitive) == 0;
            if (!options.byWord && value.compare(QLatin1String("character"), Qt::CaseInsensitive) != 0)
                wrong = QStringLiteral("it is word or character");
        } else if (option == QLatin1String("seed")) {
            bool ok = false;
            options.seed = value.toUInt(&ok);
            if (!ok)
                wrong = QStringLiteral("a seed is a whole number from 0 to 4294967295");
        }
        if (!wrong.isEmpty())
            return UsageError(streams, QStringLiteral("--%1 %2: %3").arg(option, value, wrong));
    }
    const QStringList &texts = arguments.positional;
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
    WriteText(streams.out, (coloured + QLatin1Char('\n')));
    return 0;
}

const bool registered = RegisterCliVerb({QStringLiteral("colorize"), syntax, runColorize,
                                         QStringLiteral("Prints TEXT with colour codes added by a pattern.")});

} // namespace
