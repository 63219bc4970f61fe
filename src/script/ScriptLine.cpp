#include "script/ScriptLine.h"

#include "game/GamePlayer.h"
#include "platform/TextFile.h"
#include "script/ScriptGenerator.h"

void ScriptLineInto(const AnimationLine &line, QByteArray &command, int &waitRuns)
{
    QString text;
    CommandLineInto(line, text);
    EncodeAnsiInto(text, command);
    waitRuns = GamePlayer::WaitRuns(WaitValue(line.time).toLatin1());
}
