#pragma once

#include "game/GameRules.h"

#include <QByteArrayView>
#include <QString>
#include <QVector>

// How the stock game shows a player name: what the client refuses to send and
// how the server rewrites what it gets. Names are bytes in the game, so a Text
// is first taken as the code-page bytes the script file holds.
namespace GameName {

constexpr int MaxBytes = 35;  // the server's limit, colour codes included
inline const QString Unnamed = QStringLiteral("UnnamedPlayer");

enum class Verdict {
    AsWritten,   // every player sees the name as written
    Rewritten,   // the server changes it (cut, black removed, blanks dropped ...)
    Refused,     // the client can't send it: everyone sees UnnamedPlayer
    Dropped,     // the server drops the player (ET: Legacy: a name over 35 bytes, or none)
};

struct Result {
    Verdict verdict = Verdict::AsWritten;
    QString shown;    // the name as every player sees it, colour codes included
    QString reason;   // why it differs; empty when shown as written
};

// The colour index the game gives the character after a caret: 0 is black.
inline int ColorIndex(unsigned char code) { return (code - '0') & 7; }

// The character the client refuses in a name (\ ; "), or a null QChar.
QChar RefusedCharacter(const QString &name);

// The server's rewrite of a name it receives.
QString ServerCleanName(const QString &name, const GameRules &game = Games::Rtcw);

// What the others see when the player sets this name on the game, and why it differs.
Result Shown(const QString &name, const GameRules &game = Games::Rtcw);
// The same for the name's bytes as the script file holds them.
Result ShownBytes(QByteArrayView name, const GameRules &game = Games::Rtcw);
// The verdict alone, without building the shown name: the list asks it of every line.
Verdict VerdictOf(QByteArrayView name, const GameRules &game = Games::Rtcw);

// Bytes the name takes in the game (one per character of the code page).
int ByteLength(const QString &name);

// One character the game shows, with the colour in force there: -1 where no
// code came before it (the game draws it white).
struct Glyph {
    QChar character;
    int color = -1;

    friend bool operator==(const Glyph &, const Glyph &) = default;
};

// The characters a name shows and their colours. The stock game takes a caret
// and whatever follows it as a colour code, so "^^" is a code and a caret is
// never shown; other engines draw a caret before a byte they don't take as a
// code. Where black is removed by the server a black code changes nothing;
// where "^*" means the own colour, the glyphs after it have none.
QVector<Glyph> Glyphs(const QString &name, const GameRules &game = Games::Rtcw);

// The shortest text that shows these glyphs: a code only where the colour
// changes, never on a blank (its colour can't be seen), "^7" where an
// uncoloured glyph follows a coloured one.
QString ComposeGlyphs(const QVector<Glyph> &glyphs);

// The same with fewer colour changes where needed, so that the name fits the
// server's 35 bytes: the shortest run of one colour takes its neighbour's
// colour until it fits. Every character stays.
QString ComposeFitting(QVector<Glyph> glyphs);

} // namespace GameName
