#pragma once

#include "game/GameRules.h"

#include <QChar>

// How a game draws a name on screen, beside the rules of what it keeps of one.
struct GameDrawing {
    bool starKeepsColor = false;  // "^*" draws in the text's own colour instead of a table colour
    // Marqueemaster has always drawn RtCW 1.4 names with digit codes only and "^^0" as black; players know
    // their names by that look. The other engines are drawn with their own code characters.
    bool digitCodesOnly = false;
};

const GameDrawing &DrawingOf(const GameRules &game);

namespace Games {
// The character a code for this colour index is written with: a digit below 10, else the character
// '0' + index, but '[' for 11 since the client refuses a name holding ';'.
QChar CodeChar(int index);
} // namespace Games
