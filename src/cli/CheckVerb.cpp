#include "cli/CliVerbs.h"
#include "cli/VerbArguments.h"

#include "animation/Settings.h"
#include "platform/RegistryStore.h"
#include "platform/TextFile.h"
#include "script/ScriptCheck.h"

namespace {

VerbSyntax syntax()
{
    return {QStringLiteral("FILE.cfg"),
            {{{QStringLiteral("fps")}, QStringLiteral("N"), QStringLiteral("the frame rate it plays at (default: Options', or the game's)"),
              false, QStringLiteral("--fps needs a frame rate from 1 to 1000")},
             GameOption(),
             {{QStringLiteral("strict")}, {}, QStringLiteral("exit 1 also when the game wouldn't find the script where it lies")}}};
}

// Plays a script as the chosen game would and tells what the others see.
// Exit 0 when the game plays it as written, 1 when it refuses or changes something.
int runCheck(const VerbArguments &arguments, CliStreams &streams)
{
    const std::optional<Game> game = ChosenGame(arguments, streams);
    if (!game)
        return CliUsageError;
    std::optional<int> frameRate;
    if (const std::optional<QString> fps = arguments.value(QStringLiteral("fps"))) {
        bool ok = false;
        frameRate = fps->toInt(&ok);
        if (!ok || *frameRate < 1 || *frameRate > 1000) {
            streams.err << "--fps needs a frame rate from 1 to 1000" << Qt::endl;
            return CliUsageError;
        }
    }
    const bool strict = arguments.isSet(QStringLiteral("strict"));
    if (arguments.positional.size() != 1 || arguments.positional.first().isEmpty())
        return CliUsageError;
    const QString &path = arguments.positional.first();
    if (InputFileError(path, streams) != 0)
        return 1;
    // Without --fps, the player's frame rate, or the game's stock one.
    const GameRules &rules = Games::Of(*game);
    const Settings settings = LoadSettings(SystemRegistryStore());
    const ScriptCheck check =
        CheckScriptFile(path, frameRate.value_or(settings.fpsOn(rules)), rules, settings.foldersOf(rules));
    QString report;
    for (const QString &line : check.report)
        report += EscapeControls(line) + QLatin1Char('\n');
    WriteText(streams.out, report);
    // Read beside the file all the same: the player may be checking it before moving it into the game.
    if (!check.outsideGame.isEmpty())
        streams.err << check.outsideGame << Qt::endl;
    if (check.differences == 0)
        return strict && !check.outsideGame.isEmpty() ? 1 : 0;
    streams.err << "The game plays " << check.differences << " thing(s) otherwise than written" << Qt::endl;
    return 1;
}

const bool registered = RegisterCliVerb({QStringLiteral("check"), syntax, runCheck,
                                          QStringLiteral("Plays the script and the parts it chains to as the game does, "
                                                         "and tells what the others see. Exit 0 when everything plays "
                                                         "as written; with --strict, 1 also when the game wouldn't find "
                                                         "the script where it lies.")});

} // namespace
