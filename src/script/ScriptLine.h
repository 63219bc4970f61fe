#pragma once

#include "animation/AnimationLine.h"

#include <QByteArray>

// What the script gives the game for one line: its command line as the file's
// bytes, and the buffer runs its wait lets pass.
void ScriptLineInto(const AnimationLine &line, QByteArray &command, int &waitRuns);
