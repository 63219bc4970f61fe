#include "cli/CliVerbs.h"
#include "cli/VerbArguments.h"
#include "cli/StderrPrompts.h"

#include "animation/AnimationFile.h"
#include "animation/AnimationModel.h"
#include "platform/Prompts.h"
#include "platform/TextFile.h"
#include "colors/Numbers.h"
#include "wizard/EffectList.h"

#include <algorithm>
#include <optional>

namespace {

struct EffectArguments {
    QString effect;
    std::optional<QString> param1;
    std::optional<QString> param2;
};

// The largest first parameter the command line takes: more than the wizard offers, still a 16-bit count.
constexpr int MaxParameter = 32767;

// Why the row can't run, or empty text. Unknown effects and parameters the wizard would never give are
// refused here instead of quietly adding nothing.
QString RowError(const EffectRow &row)
{
    if (!EffectNames().contains(row.effect))
        return QStringLiteral("Unknown effect: \"%1\"; the effects are: %2").arg(row.effect, EffectNames().join(QStringLiteral(", ")));
    const ParameterPanel panel = ParameterPanelFor(row.effect);
    if (!panel.choices1.isEmpty()) {
        if (!panel.choices1.contains(row.param1, Qt::CaseInsensitive))
            return QStringLiteral("%1: --param1 must be one of %2, not \"%3\"")
                .arg(row.effect, panel.choices1.join(QStringLiteral(", ")), row.param1);
        const std::optional<double> count = IsNumber(row.param2) ? NumberValue(row.param2) : std::nullopt;
        if (panel.param2Arrows && !(count && *count >= panel.minimum2 && *count <= panel.maximum2))
            return QStringLiteral("%1: --param2 must be a number from %2 to %3, not \"%4\"")
                .arg(row.effect).arg(panel.minimum2).arg(panel.maximum2).arg(row.param2);
        return {};
    }
    if (!panel.param1Enabled)
        return {};
    const std::optional<double> value = IsNumber(row.param1) ? NumberValue(row.param1) : std::nullopt;
    if (value && *value >= panel.minimum && *value <= MaxParameter)
        return {};
    return QStringLiteral("%1: --param1 must be a number from %2 to %3 (the wizard offers %2 to %4), not \"%5\"")
        .arg(row.effect)
        .arg(panel.minimum)
        .arg(MaxParameter)
        .arg(panel.maximum)
        .arg(row.param1);
}

VerbSyntax syntax()
{
    return {{},
            {{{QStringLiteral("name")}, QStringLiteral("NAME"), QStringLiteral("the name the effects animate"), true},
             {{QStringLiteral("clantag")}, QStringLiteral("TAG"), QStringLiteral("a clan tag beside the name")},
             {{QStringLiteral("reverse")}, {}, QStringLiteral("each effect played backwards too")},
             {{QStringLiteral("keep-colours"), QStringLiteral("keep-colors")}, {}, QStringLiteral("keep the name's colour codes")},
             {{QStringLiteral("effect")}, QStringLiteral("EFFECT"),
              QStringLiteral("an effect, in any case, '-' for a blank: ") + EffectNames().join(QStringLiteral(", ")), false, {},
              true},
             {{QStringLiteral("param1")}, QStringLiteral("P"), QStringLiteral("the effect's first parameter"), false, {}, true},
             {{QStringLiteral("param2")}, QStringLiteral("P"), QStringLiteral("the effect's second parameter"), false, {}, true},
             GameOption()},
            QStringLiteral("(--effect EFFECT [--param1 P] [--param2 P])...")};
}

// The wizard's name of an effect typed in any case, with '-' for a blank ("wave-2" is "Wave 2").
QString effectNamed(const QString &typed)
{
    const QString spaced = QString(typed).replace(QLatin1Char('-'), QLatin1Char(' '));
    const auto known = std::find_if(EffectNames().begin(), EffectNames().end(), [&](const QString &effect) {
        return effect.compare(typed, Qt::CaseInsensitive) == 0 || effect.compare(spaced, Qt::CaseInsensitive) == 0;
    });
    return known == EffectNames().end() ? typed : *known;
}

int runEffects(const VerbArguments &arguments, CliStreams &streams)
{
    const std::optional<Game> game = ChosenGame(arguments, streams);
    if (!game)
        return CliUsageError;
    if (!arguments.positional.isEmpty())
        return UsageError(streams, QStringLiteral("Unexpected argument: ") + arguments.positional.first());
    std::optional<QString> name;
    std::optional<QString> clanTag;
    const bool reverse = arguments.isSet(QStringLiteral("reverse"));
    const bool keepColours = arguments.isSet(QStringLiteral("keep-colours"));
    QVector<EffectArguments> effects;
    for (const auto &[option, value] : arguments.options) {
        std::optional<QString> *slot = nullptr;
        if (option == QLatin1String("name")) {
            slot = &name;
        } else if (option == QLatin1String("clantag")) {
            slot = &clanTag;
        } else if (option == QLatin1String("effect")) {
            effects.append({effectNamed(value), std::nullopt, std::nullopt});
            continue;
        } else if (option != QLatin1String("param1") && option != QLatin1String("param2")) {
            continue;
        } else if (effects.isEmpty()) {
            return UsageError(streams, QStringLiteral("--") + option + QStringLiteral(" must follow the --effect it belongs to"));
        } else {
            slot = option == QLatin1String("param1") ? &effects.last().param1 : &effects.last().param2;
        }
        if (*slot)
            return UsageError(streams, QStringLiteral("--") + option + QStringLiteral(" given twice"));
        *slot = value;
    }
    if (!name)
        return UsageError(streams, QStringLiteral("--name is missing"));
    if (effects.isEmpty())
        return UsageError(streams, QStringLiteral("No --effect given"));

    // Without a clan tag the wizard's "Name Only" choice: the name box is the
    // first one and the clan tag box is empty.
    const QString tag = clanTag.value_or(QString());
    QVector<EffectRow> rows;
    for (const EffectArguments &given : effects) {
        EffectRow row = DefaultEffectRow(given.effect, tag, *name);
        row.param1 = given.param1.value_or(row.param1);
        row.param2 = given.param2.value_or(row.param2);
        if (const QString error = RowError(row); !error.isEmpty())
            return UsageError(streams, error);
        rows.append(row);
    }

    AnimationModel model;
    StderrPrompts prompts(streams.err, PromptAnswer::Yes);
    RunEffects(model, *name, tag, reverse, rows, prompts, keepColours, Games::Of(*game));
    WriteFileContent(AnimationFileText(model.lines()), streams);
    return 0;
}

const bool registered = RegisterCliVerb({QStringLiteral("effects"), syntax, runEffects,
                                         QStringLiteral("Prints the animation the wizard's effects make of a name, as a .ras file.")});

} // namespace
