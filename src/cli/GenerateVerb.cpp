#include "cli/CliVerbs.h"
#include "cli/VerbArguments.h"
#include "cli/StderrPrompts.h"

#include "animation/AnimationFile.h"
#include "animation/AnimationModel.h"
#include "game/GameConsole.h"
#include "platform/FileEnding.h"
#include "platform/SafeSave.h"
#include "platform/TextFile.h"
#include "script/AutoexecBind.h"
#include "script/ScriptGenerator.h"
#include "script/ScriptCheck.h"
#include "script/ScriptParts.h"
#include "script/ScriptRepeat.h"
#include "script/ScriptSave.h"
#include "platform/RegistryStore.h"
#include "animation/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace {

// Binds the key to the saved script in the game's autoexec.cfg, never over another bind of the key.
int bindScript(const QString &key, const ExecTarget &target, const GameFolders &folders, CliStreams &streams)
{
    const std::optional<QString> command = BindCommandOf(target.name, target.first);
    if (!target.underGameFolder || folders.homeBase.isEmpty() || !command) {
        streams.err << "not bound: " << (command ? "the script must be saved in the game's folder"
                                                 : "a bind can't run a path with a blank, a quote or a semicolon")
                    << Qt::endl;
        return 1;
    }
    const QString path = QDir(folders.homeBase).filePath(QStringLiteral("autoexec.cfg"));
    const BindEdit edit = AddBind(FileBytes(path), key, *command, false);
    if (!edit.boundTo.isEmpty()) {
        streams.err << "not bound: " << key << " is bound in " << QDir::toNativeSeparators(path) << " to "
                    << edit.boundTo << Qt::endl;
        return 1;
    }
    if (edit.changed) {
        if (const TextWriteResult written = SaveBytes(path, edit.bytes); !written.ok) {
            streams.err << "Can't write " << QDir::toNativeSeparators(path) << ": " << written.errorString << Qt::endl;
            return 1;
        }
    }
    streams.err << "bound in " << QDir::toNativeSeparators(path) << ": " << BindLine(key, *command) << Qt::endl;
    return 0;
}

QString repeatUsage()
{
    return QStringLiteral("--repeat takes one number of passes from 1 to %1").arg(ScriptRepeat::MaxPasses);
}

VerbSyntax syntax()
{
    const QString bytes = QStringLiteral("--part-limit takes one number of bytes from %1 to the game's limit")
                              .arg(GameConsole::MinPartLimit);
    return {QStringLiteral("FILE.ras"),
            {{{QStringLiteral("o")}, QStringLiteral("FILE.cfg"), QStringLiteral("write the script's parts there (else print them)"),
              false, QStringLiteral("-o takes one FILE.cfg")},
             {{QStringLiteral("strict")}, {}, QStringLiteral("with -o: write nothing, exit 1, where the game wouldn't find it")},
             {{QStringLiteral("bind")}, QStringLiteral("KEY"), QStringLiteral("with -o: bind KEY to it in the game's autoexec.cfg")},
             {{QStringLiteral("part-limit")}, QStringLiteral("BYTES"), QStringLiteral("the most bytes of one part"), false, bytes},
             {{QStringLiteral("repeat")}, QStringLiteral("N"), QStringLiteral("play the animation N times, then stop (1: once)"),
              false, repeatUsage()},
             GameOption()}};
}

// Reads the animation as File, Open does and makes the parts the script window
// shows: written as its "Save" writes them with -o, else all printed in order.
int runGenerate(const VerbArguments &arguments, CliStreams &streams)
{
    const std::optional<Game> game = ChosenGame(arguments, streams);
    if (!game)
        return CliUsageError;
    const GameRules &rules = Games::Of(*game);
    std::optional<int> partLimit;
    if (const std::optional<QString> limit = arguments.value(QStringLiteral("part-limit"))) {
        bool ok = false;
        partLimit = limit->toInt(&ok);
        if (!ok || arguments.count(QStringLiteral("part-limit")) > 1 || *partLimit < GameConsole::MinPartLimit
            || *partLimit > rules.maxPartBytes())
            return UsageError(streams, QStringLiteral("--part-limit takes one number of bytes from %1 to %2")
                                           .arg(GameConsole::MinPartLimit).arg(rules.maxPartBytes()));
    }
    int passes = 1;
    if (const std::optional<QString> repeat = arguments.value(QStringLiteral("repeat"))) {
        bool ok = false;
        passes = repeat->toInt(&ok);
        if (!ok || arguments.count(QStringLiteral("repeat")) > 1 || passes < 1 || passes > ScriptRepeat::MaxPasses)
            return UsageError(streams, repeatUsage());
    }
    if (arguments.count(QStringLiteral("o")) > 1)
        return UsageError(streams, QStringLiteral("-o takes one FILE.cfg"));
    const QString output = arguments.value(QStringLiteral("o")).value_or(QString());
    const bool strict = arguments.isSet(QStringLiteral("strict"));
    std::optional<QString> bindKey;
    if (const std::optional<QString> key = arguments.value(QStringLiteral("bind"))) {
        bindKey = arguments.count(QStringLiteral("bind")) == 1 ? GameKeyName(*key) : std::nullopt;
        if (!bindKey)
            return UsageError(streams, QStringLiteral("--bind takes one key the game knows: F5, k, KP_ENTER, MOUSE4 ..."));
    }
    if (arguments.positional.size() != 1 || arguments.positional.first().isEmpty())
        return UsageError(streams, QStringLiteral("generate takes one FILE"));
    const QString &path = arguments.positional.first();
    if (bindKey && output.isEmpty())
        return UsageError(streams, QStringLiteral("--bind needs -o: the bind runs the saved script"));
    if (InputFileError(path, streams) != 0)
        return 1;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly) && file.readAll().contains('\0')) {
        streams.err << QDir::toNativeSeparators(path) << " is not an animation: it holds NUL bytes, not text\n";
        return 1;
    }
    StderrPrompts prompts(streams.err);
    AnimationModel model;
    LoadAnimation(model, path, prompts);
    if (model.count() == 0) {
        streams.err << QDir::toNativeSeparators(path) << " holds no animation line: no script written\n";
        return 1;
    }
    const Settings settings = LoadSettings(SystemRegistryStore());
    const int frameRate = settings.fpsOn(rules);
    if (rules.dropsBadName) {
        // The server would drop the player: no script is better than one that gets them thrown out.
        const QString rows = DroppingRows(PlayLines(model.lines(), frameRate, rules, passes).marks);
        if (!rows.isEmpty()) {
            streams.err << rules.title << " drops the player for a name over 35 bytes or none, at line(s) " << rows
                        << ": no script written" << Qt::endl;
            return 1;
        }
    }
    const GeneratedScript script = GenerateScript(model.lines(), [&prompts](const QString &message) {
        prompts.message(message, AppTitle, PromptIcon::None, PromptButtons::Ok);
    });
    const QString target = output.isEmpty() ? QStringLiteral("script.cfg")
                                            : WithFilterEnding(output, QStringLiteral("Script|*.cfg"));
    const int limit = partLimit.value_or(qMin(settings.partLimit, rules.maxPartBytes()));
    const GameFolders folders = settings.foldersOf(rules);
    const QString execName = ExecTargetOf(target, folders).name;
    const ScriptPartList cut(script, execName, limit, rules, passes);
    if (passes > 1 && !cut.fits()) {
        if (const int most = MostPasses(script, execName, limit, rules); most < passes) {
            streams.err << ScriptRepeat::TooManyPassesMessage(passes, most) << " No script written." << Qt::endl;
            return 1;
        }
    }
    const QStringList parts = cut.all();
    if (!output.isEmpty()) {
        // Where the game can't find the script, the chain is still written (the player may move it), but said.
        const QString outside = ExecTargetOf(target, folders).underGameFolder
                                    ? QString()
                                    : OutsideGameMessage(QFileInfo(target).absoluteFilePath(), folders, rules);
        if (strict && !outside.isEmpty()) {
            streams.err << outside << Qt::endl;
            return 1;
        }
        // The file named is the player's to write over; the parts after it are only when this script wrote them.
        if (const QStringList others = PartsNotToWriteOver(target, parts.size()); !others.isEmpty()) {
            streams.err << "No script written: it would write over " << others.join(QStringLiteral("; "))
                        << ". Move them away, or write the script under another name." << Qt::endl;
            return 1;
        }
        const PartsWriteResult result = WriteScriptParts(target, parts, folders, passes);
        if (!result.ok) {
            streams.err << result.errorLine << Qt::endl;
            return 1;
        }
        if (!outside.isEmpty())
            streams.err << outside << Qt::endl;
        for (const QString &written : result.written)
            streams.err << "wrote " << QDir::toNativeSeparators(written) << '\n';
        for (const QString &note : ChainFileNotes(result))
            streams.err << note << '\n';
        // What check says of the chain written: the same play, the same words.
        const ScriptCheck check = CheckScriptFile(target, frameRate, rules, folders);
        if (!check.stopped.isEmpty()) {
            streams.err << ChainStopsMessage(check.stopped) << Qt::endl;
            return 1;
        }
        if (check.differences > 0)
            streams.err << "The game plays " << check.differences << " thing(s) otherwise than written: check "
                        << QDir::toNativeSeparators(target) << " tells which" << Qt::endl;
        if (bindKey)
            return bindScript(*bindKey, ExecTargetOf(target, folders), folders, streams);
        streams.err.flush();
        return 0;
    }
    streams.err.flush();
    for (const QString &part : parts)
        WriteFileContent(ScriptFileText(part), streams);
    return 0;
}

const bool registered = RegisterCliVerb({QStringLiteral("generate"), syntax, runGenerate,
                                         QStringLiteral("Makes the game script of a .ras file, as the script window does.")});

} // namespace
