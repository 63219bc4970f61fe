#include "cli/CliVerbs.h"

#include "animation/AnimationFile.h"
#include "animation/AnimationModel.h"
#include "animation/LineLimit.h"
#include "platform/TextFile.h"
#include "script/ScriptGenerator.h"

namespace {

// A Time may hold a line break; each message stays one line of the error stream.
QString oneLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

// Reads the animation as File, Open does and writes the bytes the script
// window's "Save" would write.
int runGenerate(const QStringList &arguments, CliStreams &streams)
{
    if (arguments.size() != 1)
        return CliUsageError;
    const QString path = arguments.first();
    if (!FileExists(path)) {
        streams.err << QStringLiteral("File not found! ") << path << Qt::endl;
        return 1;
    }
    const TextReadResult file = ReadTextLines(path, LineBreaks::CrOrCrLf);
    if (!file.ok) {
        streams.err << path << QStringLiteral(": ") << file.errorString << Qt::endl;
        return 1;
    }
    QVector<AnimationLine> lines = ParseAnimationFile(file.lines);
    if (lines.size() > AnimationModel::MaxLines) {
        lines.resize(AnimationModel::MaxLines);
        streams.err << LineLimitMessage() << Qt::endl;
    }
    const QString script = BuildScriptText(lines, [&streams](const QString &message) {
        streams.err << oneLine(message) << Qt::endl;
    });
    WriteBytes(streams.out, EncodeAnsi(ScriptFileText(script)));
    return 0;
}

const bool registered =
    RegisterCliVerb({QStringLiteral("generate"), QStringLiteral("generate FILE.ras"), runGenerate});

} // namespace
