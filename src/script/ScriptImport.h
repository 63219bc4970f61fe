#pragma once

#include "animation/AnimationLine.h"

#include <QStringView>
#include <functional>
#include <QVector>

class AnimationModel;
class Prompts;
struct FileDialogState;

// Import of game scripts (.cfg): every name command becomes a "set name" line
// and every other command of the action list a line of that action; the first
// wait after it gives that line its Time. Everything else is skipped. A script
// ending with an exec of a file beside it goes on in that file. The rows are gathered first and go into the list in one batch.

struct ScriptRows {
    QVector<AnimationLine> lines;
    // A name command found the animation full; the rest of the script is not read.
    bool full = false;
};

// The text with every double quote removed.
QString RemoveQuotes(QStringView text);

// One command, the blanks at its start already removed.
void ParseScriptCommand(QStringView command, ScriptRows &rows);

// One line of the file: a comment line, or commands separated by semicolons
// outside double quotes (a chat line's "gg; wp" stays whole).
void ParseScriptLine(QStringView line, ScriptRows &rows);

// All lines of a file, stopping at the line limit.
ScriptRows ParseScript(const QStringList &fileLines);

// Replaces the list with the name commands of the file (lines end at CR LF, CR
// or LF). A file that can't be read leaves the list as it was and returns false
// with the reason in errorString. Tells the user once when the script holds
// more name commands than an animation can.
bool ImportScript(AnimationModel &model, const QString &path, Prompts &prompts, QString *errorString = nullptr);

// ImportScript as the document session reads a script (File, Import; a .cfg named at start-up or dropped).
std::function<bool(AnimationModel &, const QString &, Prompts &)> ImportScriptReader();
