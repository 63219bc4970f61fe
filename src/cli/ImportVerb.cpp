#include "cli/CliVerbs.h"
#include "cli/StderrPrompts.h"
#include "cli/VerbArguments.h"

#include "animation/AnimationFile.h"
#include "animation/AnimationModel.h"
#include "platform/Prompts.h"
#include "platform/TextFile.h"
#include "script/ScriptImport.h"

namespace {

int runImport(const VerbArguments &arguments, CliStreams &streams)
{
    if (arguments.positional.size() != 1 || arguments.positional.first().isEmpty())
        return UsageError(streams, QStringLiteral("import takes one FILE"));
    const QString &path = arguments.positional.first();
    StderrPrompts prompts(streams.err);
    AnimationModel model;
    if (InputFileError(path, streams) != 0)
        return 1;
    QString error;
    if (!ImportScript(model, path, prompts, &error)) {
        streams.err << "Can't read " << QDir::toNativeSeparators(path) << ": " << error << '\n';
        return 1;
    }
    if (model.count() == 0)
        streams.err << QDir::toNativeSeparators(path) << " holds no command Marqueemaster reads (a name, a chat or echo line): the animation is empty\n";
    WriteFileContent(AnimationFileText(model.lines()), streams);
    return 0;
}

const bool registered = RegisterCliVerb(
    {QStringLiteral("import"), [] { return VerbSyntax{QStringLiteral("FILE.cfg"), {}}; }, runImport,
     QStringLiteral("Reads a game script and prints the animation it plays, as a .ras file.")});

} // namespace
