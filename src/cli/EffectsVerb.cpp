#include "cli/CliVerbs.h"
#include "cli/GameOption.h"
#include "cli/StderrPrompts.h"

#include "animation/AnimationFile.h"
#include "animation/AnimationModel.h"
#include "platform/Prompts.h"
#include "platform/TextFile.h"
#include "colors/Numbers.h"
#include "wizard/EffectList.h"

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

int runEffects(QStringList arguments, CliStreams &streams)
{
    const std::optional<Game> game = TakeGameOption(arguments, streams);
    if (!game)
        return CliUsageError;
    std::optional<QString> name;
    std::optional<QString> clanTag;
    bool reverse = false;
    bool keepColours = false;
    QVector<EffectArguments> effects;

    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &option = arguments.at(i);
        if (option == QLatin1String("--reverse")) {
            reverse = true;
            continue;
        }
        if (option == QLatin1String("--keep-colours") || option == QLatin1String("--keep-colors")) {
            keepColours = true;
            continue;
        }
        const bool known = QStringList{"--name", "--clantag", "--effect", "--param1", "--param2"}.contains(option);
        if (!known)
            return UsageError(streams, (option.startsWith(QLatin1Char('-')) ? QStringLiteral("Unknown option: ")
                                                                              : QStringLiteral("Unexpected argument: "))
                                           + option);
        if (i + 1 >= arguments.size())
            return UsageError(streams, option + QStringLiteral(" needs a value"));
        const QString value = arguments.at(++i);
        std::optional<QString> *slot = nullptr;
        if (option == QLatin1String("--name")) {
            slot = &name;
        } else if (option == QLatin1String("--clantag")) {
            slot = &clanTag;
        } else if (option == QLatin1String("--effect")) {
            // Typed in any case: "bounce" is the wizard's "Bounce".
            const auto known = std::find_if(EffectNames().begin(), EffectNames().end(), [&](const QString &effect) {
                return effect.compare(value, Qt::CaseInsensitive) == 0;
            });
            effects.append({known == EffectNames().end() ? value : *known, std::nullopt, std::nullopt});
            continue;
        } else if (effects.isEmpty()) {
            return UsageError(streams, option + QStringLiteral(" must follow the --effect it belongs to"));
        } else {
            slot = option == QLatin1String("--param1") ? &effects.last().param1 : &effects.last().param2;
        }
        if (*slot)
            return UsageError(streams, option + QStringLiteral(" given twice"));
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
    WriteAnsiOutput(AnimationFileText(model.lines()), streams);
    return 0;
}

const bool registered = RegisterCliVerb(
    {QStringLiteral("effects"),
     QStringLiteral("effects --name NAME [--clantag TAG] [--reverse] [--keep-colours] (--effect EFFECT [--param1 P] [--param2 P])...\n"
                    "        [--game rtcw|iortcw|et|etlegacy]"),
     runEffects});

} // namespace
