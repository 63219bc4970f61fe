#pragma once

#include "animation/AnimationLine.h"

#include <QStringList>
#include <QVector>

#include <functional>

// The game script: a banner of comment lines, then per animation line one
// command line and one wait line. The window's text starts with CR LF and has
// no line end after its last line; the saved file adds one.

// The seven comment lines at the top of every script.
const QStringList &ScriptBanner();

// "no number _" + time + "_": told once per Time that is not a number.
QString NoNumberMessage(const QString &time);

// The count after "wait ": "15" for a Time that is not a number, "5" when its
// whole part is 0 or less, "99" when 100 or more, else the Time as typed.
// isNumber tells which case applied to the first.
QString WaitValue(const QString &time, bool *isNumber = nullptr);

// Command lines are 'set name "_"' for an empty Text, else Action "Text". A
// double quote in the Text becomes ' and whatever ends a line or the text a
// blank, so a Text can't end its quotes or its line and slip further commands
// into the script; a Text is cut where the line would pass the game's 1,023 bytes.
// reportBadTime gets one message per line whose Time is not a number.

// The script as it was made: the script window's text and where its banner and each animation line's step (its
// command line, then its wait line) end. Parts are cut between steps from these, never by reading the text back.
struct GeneratedScript {
    QString text;
    qsizetype bannerEnd = 0;
    QVector<qsizetype> commandEnds;  // where each step's command line ends: its wait line follows
    QVector<qsizetype> stepEnds;     // each step starts with its CR LF where the one before ends
};
GeneratedScript GenerateScript(const QVector<AnimationLine> &lines,
                               const std::function<void(const QString &message)> &reportBadTime);
// Its text alone: the whole text of the script window.
QString BuildScriptText(const QVector<AnimationLine> &lines,
                        const std::function<void(const QString &message)> &reportBadTime);

// The command line of one animation line.
QString CommandLine(const AnimationLine &line);
// The same into `command`, reusing its room: for every line in a row.
void CommandLineInto(const AnimationLine &line, QString &command);
// True when the line's command is its Action and its Text in double quotes, the
// Text as it stands (not empty, not cut, nothing in it changed).
bool QuotesTextAsIs(const AnimationLine &line);

// What the script file holds: the window's text and a final CR LF.
QString ScriptFileText(const QString &windowText);
