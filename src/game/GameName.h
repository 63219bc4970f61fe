#pragma once

#include <QString>

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
QString ServerCleanName(const QString &name);

// What the others see when the player sets this name, and why it differs.
Result Shown(const QString &name);
// The same for the name's bytes as the script file holds them.
Result ShownBytes(const QByteArray &name);

// Bytes the name takes in the game (one per character of the code page).
int ByteLength(const QString &name);

} // namespace GameName
