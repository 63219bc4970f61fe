#pragma once

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

constexpr int BufferBytes = 16384;        // the command buffer
constexpr int MaxCommandBytes = 1023;     // a longer command is cut there
constexpr int MaxExecNameChars = 63;      // the name after exec is cut there
constexpr int DefaultFrameRate = 125;
constexpr int DefaultPartLimit = 12288;   // leaves 4 KB of the buffer for the player's own keys
constexpr int MaxPartLimit = BufferBytes - 1;  // exec needs the file plus one byte

// True when exec can insert a file of fileBytes while `waiting` bytes are already in the buffer.
inline bool ExecFits(qsizetype fileBytes, qsizetype waiting = 0)
{
    return fileBytes + 1 + waiting <= BufferBytes;
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

// The commands of a text: ending at CR, LF, or ';' outside double quotes and
// outside a // comment; NUL ends the text. Empty commands are kept out.
QList<Command> Commands(QByteArrayView text);
// The same one at a time, without a list: the next command of `text` (already cut at its NUL)
// from `start` on into `command`, and `start` moved past it; false when none is left.
bool NextCommand(QByteArrayView text, qsizetype &start, Command &command);

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

// A command's words: blanks separate, double quotes group (no escape), // starts a comment.
TokenList Tokens(QByteArrayView command);

// The words from index `first` on, joined by one blank, as the game rebuilds its arguments.
QByteArray ArgumentsFrom(const TokenList &tokens, int first);

// The file exec NAME opens under a game folder: NAME cut at 63 characters,
// with .cfg added when it has no ending.
QString ExecFileName(QByteArrayView name);

// Milliseconds one frame lasts at the frame rate (whole milliseconds, as the game counts).
inline int FrameMs(int frameRate)
{
    return frameRate > 0 ? 1000 / frameRate : 1000 / DefaultFrameRate;
}

} // namespace GameConsole
