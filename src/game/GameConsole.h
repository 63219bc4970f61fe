#pragma once

#include "game/GameRules.h"

#include <QByteArrayView>
#include <algorithm>
#include <QList>
#include <QVarLengthArray>
#include <QString>
#include <QStringList>

// How the stock game's console takes a script: the command buffer, where a
// command ends, its tokens, the file an exec opens and how long a wait lasts.
// Everything is bytes, as the game reads the file.
namespace GameConsole {

// The stock engine's rules; the others are in Games.
using Rules = GameRules;
inline constexpr const GameRules &Stock = Games::Rtcw;

constexpr int BufferBytes = Stock.bufferBytes;
constexpr int MaxCommandBytes = Stock.maxCommandBytes;
constexpr int MaxExecNameChars = Stock.maxPathBytes;
constexpr int DefaultFrameRate = 125;
constexpr int DefaultPartLimit = 12288;   // leaves 4 KB of the stock buffer for the player's own keys
constexpr int MinPartLimit = 1024;
constexpr int MaxPasses = 99999;  // the most passes a script is asked to repeat; the buffer usually holds fewer
constexpr int MaxPartLimit = Stock.maxPartBytes();

// True when exec can insert a file of fileBytes while `waiting` bytes are already in the buffer.
// The bytes echo adds at the end of the buffer on an engine that appends it: `cpm "TEXT"` and its line end.
inline qsizetype AppendedEchoBytes(qsizetype textBytes) { return textBytes + 7; }

inline bool ExecFits(qsizetype fileBytes, qsizetype waiting = 0, const GameRules &rules = Stock)
{
    return fileBytes + rules.execNewline + waiting <= rules.bufferBytes;
}

// True for a character the script window or the game takes as the end of a
// line or of the whole text; a generated command line holds none of them.
// (Inline: the script generator asks it for every character.)
constexpr bool EndsLineOrText(char16_t c)
{
    switch (c) {
    case u'\r':
    case u'\n':
    case u'\0':
    case 0x2028:  // line and paragraph separators
    case 0x2029:
    case 0xfdd0:  // the text box's frame marks
    case 0xfdd1:
        return true;
    default:
        return false;
    }
}

// The file's text as the game reads it: up to the first NUL.
QByteArrayView GameText(QByteArrayView file);

// One command as the buffer hands it out: where it starts in the text and its bytes.
struct Command {
    qsizetype offset = 0;
    QByteArrayView text;
    bool cut = false;  // longer than MaxCommandBytes: the rest ran as a command of its own
};

// The commands of a text: ending at CR, LF, or ';' outside double quotes (and,
// where the engine says so, outside comments); NUL ends the text. Empty commands are kept out.
QList<Command> Commands(QByteArrayView text, const GameRules &rules = Stock);
// The same one at a time, without a list: the next command of `text` (already cut at its NUL)
// from `start` on into `command`, and `start` moved past its end; false when none is left.
bool NextCommand(QByteArrayView text, qsizetype &start, Command &command, const GameRules &rules = Stock);

// True when the command `prefix "argument"` (prefixBytes long) reaches the game
// whole, with the argument as one word as written: nothing in it ends the quote,
// the command or the text, and the command is not cut.
inline bool OneQuotedWord(qsizetype prefixBytes, QByteArrayView argument)
{
    return prefixBytes + 3 + argument.size() <= MaxCommandBytes
           && std::none_of(argument.begin(), argument.end(),
                           [](char c) { return c == '"' || c == '\r' || c == '\n' || c == '\0'; });
}

// A command's words (a command has few: kept without a heap allocation).
using TokenList = QVarLengthArray<QByteArrayView, 8>;

// A command's words: bytes up to a blank separate (and those above 127 where
// the game reads them as signed), double quotes group (no escape), // ends the
// words (but for "://" where the engine allows it) and /* */ is skipped.
TokenList Tokens(QByteArrayView command, const GameRules &rules = Stock);

// The words from index `first` on, joined by one blank, as the game rebuilds its arguments.
QByteArray ArgumentsFrom(const TokenList &tokens, int first);

// The value `set` builds from the words from `first` on: joined by one blank
// into the engine's buffer, a word that doesn't fit left out with every later one
// (the blank before it stays); a last "unsafe" left out where the engine says so.
// `dropped` tells whether a word was left out for want of room.
QByteArray SetValue(const TokenList &tokens, int first, bool *dropped = nullptr, const GameRules &rules = Stock);

// The file exec NAME opens under a game folder: NAME cut to the path limit,
// .cfg added when no '.' follows its last '/', the whole cut to the limit again.
QString ExecFileName(QByteArrayView name, const GameRules &rules = Stock);
// True when the lowered verb runs a file on this engine (exec, and execq where it exists).
bool IsExec(QByteArrayView loweredVerb, const GameRules &rules = Stock);
// True when the game's file lookup refuses the name (".." or "::" in it).
bool ExecNameRefused(const QString &fileName);

// True for a command the client runs itself; any other goes to the server.
bool RunsOnClient(QByteArrayView loweredVerb);
// True for a command to the server that flood protection neither counts nor drops.
bool FloodExempt(QByteArrayView loweredVerb);

// Milliseconds one frame lasts at the frame rate (whole milliseconds, as the game counts).
inline int FrameMs(int frameRate)
{
    return frameRate > 0 ? 1000 / frameRate : 1000 / DefaultFrameRate;
}

} // namespace GameConsole
