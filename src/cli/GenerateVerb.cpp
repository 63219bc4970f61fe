#include "cli/CliVerbs.h"
#include "cli/StderrPrompts.h"

#include "animation/AnimationFile.h"
#include "animation/AnimationModel.h"
#include "platform/TextFile.h"
#include "script/ScriptGenerator.h"

namespace {

// Reads the animation as File, Open does and writes the bytes the script
// window's "Save" would write.
int runGenerate(const QStringList &arguments, CliStreams &streams)
{
    if (arguments.size() != 1)
        return UsageError(streams, QStringLiteral("generate takes one FILE"));
    const QString path = arguments.first();
    if (InputFileError(path, streams) != 0)
        return 1;
    StderrPrompts prompts(streams.err);
    AnimationModel model;
    LoadAnimation(model, path, prompts);
    const QString script = BuildScriptText(model.lines(), [&prompts](const QString &message) {
        prompts.message(message, AppTitle, PromptIcon::None, PromptButtons::Ok);
    });
    streams.err.flush();
    WriteBytes(streams.out, EncodeAnsi(ScriptFileText(script)));
    return 0;
}

const bool registered =
    RegisterCliVerb({QStringLiteral("generate"), QStringLiteral("generate FILE.ras"), runGenerate});

} // namespace
