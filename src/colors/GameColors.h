#pragma once

#include "game/GameRules.h"

#include <QColor>
#include <QString>
#include <functional>
#include <optional>

// The colours a game draws a name in, and how a name's text falls into what is drawn.

// The colour of a colour index in the game's table (8 or 32 colours).
QColor GameColor(const GameRules &game, int index);
// The index of a colour in the game's table, the lowest of equal ones; nothing when the table lacks it.
std::optional<int> GameColorIndex(const GameRules &game, const QColor &color);
// "^" and the character the program writes for a colour index.
QString GameCode(int index);
// What the game calls a colour, where it names it ("orange"); empty otherwise.
QString GameColorName(const GameRules &game, int index);

// The text cut into pieces as the game draws it, handed one at a time without copying: characters in one
// colour, or a colour code, which the game doesn't draw (its colour is the one it sets). A text starts white.
void ForEachDrawnPiece(QStringView text, const GameRules &game,
                       const std::function<void(QStringView piece, const QColor &color, bool code)> &visit);

// The mid-grey the program shows names on: their colours read on it as they will in the game.
QColor GameBackdrop();
