#pragma once

#include "animation/AnimationLine.h"
#include "animation/LineMarkCache.h"
#include "game/GameFolders.h"
#include "game/GamePlayer.h"

#include <QStringList>
#include <QVector>

// What the chosen game does with a script, told by playing it through the
// game's console and name rules.

// The script's play of every line through the game at the frame rate, `passes` times over: the lines it plays
// otherwise than the preview shows (in row order, a row's mark from its first pass that has one), and the names
// it sets and never shows.
GameVerdict PlayLines(const QVector<AnimationLine> &lines, int frameRate, const GameRules &game = Games::Rtcw,
                      int passes = 1);

// The lines (numbered from 1) whose name gets the player dropped from the
// server, "2, 5, 9" (the first ten), or empty.
QString DroppingRows(const QVector<LineMark> &marks);

// The check of a script file and of the parts it chains to.
struct ScriptCheck {
    QStringList report;     // one line per event, in the order the game plays them
    QStringList files;      // the files played, the first one included
    int names = 0;          // names set
    int unseenNames = 0;    // replaced before they were sent, or while the server held them
    int droppedChat = 0;    // chat lines and other server commands the server drops
    QString stopped;        // the first finding after which the chain doesn't play to its end; empty: it does
    int differences = 0;    // refused file, missing part, names shown otherwise, chat dropped
    QString outsideGame;    // the first file lies outside the game's folders: the game won't find it there
};

// Why a chat line or other command to the server is dropped.
const QString &DroppedReason(const GameRules &game = Games::Rtcw);

// Why a wait waits other than its value says ("wait 1.5 waits 1").
QString WaitReadOtherwise(const QString &value, int runs);

// The reason a name event's value is shown otherwise: the name rules' reason and set's dropped words.
QString NameReason(const GamePlayer::Event &event, const QString &nameReason);

// Why an echo shows late on an engine that puts its text at the end of the buffer.
QString AppendedReason(const GameRules &game);

// How long the script plays, and that the keys the player presses meanwhile wait behind it.
QString KeysWaitMessage(int ms);

// "The game won't play this chain to its end: " and why: the command line's words and the window's.
QString ChainStopsMessage(const QString &stopped);

// Plays a saved chain from its first file. Its exec lines are looked up in the game's folders; a chain outside
// them is read beside its first file, as it would play once moved whole into a game folder, and outsideGame says so.
ScriptCheck CheckScriptFile(const QString &path, int frameRate, const GameRules &game = Games::Rtcw,
                            const GameFolders &folders = {});
