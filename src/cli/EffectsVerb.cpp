#include "cli/CliVerbs.h"
#include "cli/StderrPrompts.h"

#include "animation/AnimationFile.h"
#include "animation/AnimationModel.h"
#include "platform/Prompts.h"
#include "platform/TextFile.h"
#include "wizard/EffectList.h"

#include <optional>

namespace {


struct EffectArguments {
    QString effect;
    std::optional<QString> param1;
    std::optional<QString> param2;
};

int runEffects(const QStringList &arguments, CliStreams &streams)
{
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
        if (option == QLatin1String("--keep-colours")) {
            keepColours = true;
            continue;
        }
        if (i + 1 >= arguments.size())
            return CliUsageError;
        const QString value = arguments.at(++i);
        if (option == QLatin1String("--name") && !name) {
            name = value;
        } else if (option == QLatin1String("--clantag") && !clanTag) {
            clanTag = value;
        } else if (option == QLatin1String("--effect")) {
            effects.append({value, std::nullopt, std::nullopt});
        } else if (option == QLatin1String("--param1") && !effects.isEmpty() && !effects.last().param1) {
            effects.last().param1 = value;
        } else if (option == QLatin1String("--param2") && !effects.isEmpty() && !effects.last().param2) {
            effects.last().param2 = value;
        } else {
            return CliUsageError;
        }
    }
    if (!name || effects.isEmpty())
        return CliUsageError;

    // Without a clan tag the wizard's "Name Only" choice: the name box is the
    // first one and the clan tag box is empty.
    const QString tag = clanTag.value_or(QString());
    QVector<EffectRow> rows;
    for (const EffectArguments &given : effects) {
        EffectRow row = DefaultEffectRow(given.effect, tag, *name);
        row.param1 = given.param1.value_or(row.param1);
        row.param2 = given.param2.value_or(row.param2);
        rows.append(row);
    }

    AnimationModel model;
    StderrPrompts prompts(streams.err, PromptAnswer::Yes);
    RunEffects(model, *name, tag, reverse, rows, prompts, keepColours);
    WriteBytes(streams.out, EncodeAnsi(AnimationFileText(model.lines())));
    return 0;
}

const bool registered = RegisterCliVerb(
    {QStringLiteral("effects"),
     QStringLiteral("effects --name NAME [--clantag TAG] [--reverse] [--keep-colours] (--effect EFFECT [--param1 P] [--param2 P])..."),
     runEffects});

} // namespace
