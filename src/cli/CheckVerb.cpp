#include "cli/CliVerbs.h"

#include "game/GameConsole.h"
#include "platform/TextFile.h"
#include "script/ScriptCheck.h"

#include <QFileInfo>

namespace {

// Plays a script as the stock game would and tells what the others see.
// Exit 0 when the game plays it as written, 1 when it refuses or changes something.
int runCheck(const QStringList &arguments, CliStreams &streams)
{
    QString path;
    int frameRate = GameConsole::DefaultFrameRate;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--fps")) {
            bool ok = false;
            frameRate = i + 1 < arguments.size() ? arguments.at(++i).toInt(&ok) : 0;
            if (!ok || frameRate < 1 || frameRate > 1000) {
                streams.err << "--fps needs a frame rate from 1 to 1000" << Qt::endl;
                return CliUsageError;
            }
        } else if (path.isEmpty() && !arguments.at(i).isEmpty()) {
            path = arguments.at(i);
        } else {
            return CliUsageError;
        }
    }
    if (path.isEmpty())
        return CliUsageError;
    if (!QFileInfo(path).isFile()) {
        streams.err << "File not found: " << path << Qt::endl;
        return 1;
    }
    const ScriptCheck check = CheckScriptFile(path, frameRate);
    WriteBytes(streams.out, EncodeAnsi(check.report.join(QLatin1Char('\n')) + QLatin1Char('\n')));
    if (check.differences == 0)
        return 0;
    streams.err << "The game plays " << check.differences << " thing(s) otherwise than written" << Qt::endl;
    return 1;
}

const bool registered = RegisterCliVerb(
    {QStringLiteral("check"), QStringLiteral("check FILE.cfg [--fps N]"), runCheck});

} // namespace
