#include "cli/CliVerbs.h"

#include "transforms/Colorize.h"

namespace {

int runColorize(const QStringList &arguments, CliStreams &streams)
{
    Colorize::Options options;
    std::optional<Colorize::Pattern> pattern;
    QStringList texts;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &option = arguments.at(i);
        if (option == QLatin1String("--no-fit")) {
            options.fit = false;
        } else if (option == QLatin1String("--backwards")) {
            options.backwards = true;
        } else if (option.startsWith(QLatin1String("--"))) {
            if (i + 1 >= arguments.size())
                return CliUsageError;
            const QString value = arguments.at(++i);
            bool ok = true;
            if (option == QLatin1String("--pattern") && !pattern) {
                pattern = Colorize::PatternFromName(value);
                ok = pattern.has_value();
            } else if (option == QLatin1String("--colors")) {
                options.colors = Colorize::ColorsFromText(value).value_or(QVector<int>());
                ok = !options.colors.isEmpty();
            } else if (option == QLatin1String("--by")) {
                options.byWord = value == QLatin1String("word");
                ok = options.byWord || value == QLatin1String("character");
            } else if (option == QLatin1String("--seed")) {
                options.seed = value.toUInt(&ok);
            } else {
                ok = false;
            }
            if (!ok)
                return CliUsageError;
        } else {
            texts << option;
        }
    }
    if (texts.size() != 1 || !pattern)
        return CliUsageError;
    options.pattern = *pattern;
    const QString problem = Colorize::Problem(options);
    if (!problem.isEmpty()) {
        streams.err << problem << '\n';
        return CliUsageError;
    }
    WriteBytes(streams.out, (Colorize::Apply(texts.first(), options) + QLatin1Char('\n')).toUtf8());
    return 0;
}

const bool registered = RegisterCliVerb(
    {QStringLiteral("colorize"),
     QStringLiteral("colorize TEXT --pattern rainbow|alternate|gradient|random [--colors 1,4] [--by word|character]\n"
                    "         [--backwards] [--no-fit] [--seed N]"),
     runColorize});

} // namespace
