#pragma once

#include "game/GameRules.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <climits>
#include <cstdint>
#include <optional>

// Colour patterns for a name, written the way the game shows them: existing
// codes are replaced, blanks never carry a code, neighbouring characters of one
// colour share one code and black is used only where the game keeps it.
namespace Colorize {

enum class Pattern { Rainbow, Alternate, Gradient, Random };

struct Options {
    Pattern pattern = Pattern::Rainbow;
    // Colour indexes 1..7. Rainbow: the first is where it starts; Alternate:
    // the two colours; Gradient: up to 7 colours in order; Random: the ones to
    // draw from. Empty: the pattern's defaults.
    QVector<int> colors;
    bool backwards = false;  // Rainbow: against hue order
    bool byWord = false;     // Alternate: one colour per word
    bool fit = true;         // group characters until the name fits 35 bytes
    quint32 seed = 1;        // Random
    Game game = Game::Rtcw;  // reads the text's codes and offers black as this game does
};

constexpr int MaxGradientColors = 7;

// "Rainbow", "Alternate", "Gradient", "Random", in that order.
const QStringList &PatternNames();
// The pattern with this name, case ignored.
std::optional<Pattern> PatternFromName(const QString &name);

// The game's colours in hue order: red, yellow, green, cyan, blue, magenta.
const QVector<int> &RainbowColors();
QVector<int> DefaultColors(Pattern pattern);

// Colour indexes written as numbers apart by commas or blanks ("1,4"); nothing
// when a piece is no whole number.
std::optional<QVector<int>> ColorsFromText(const QString &text);
QString ColorsText(const QVector<int> &colors);

// Why these options can't colour a name, or an empty text when they can.
QString Problem(const Options &options);

// The text in the pattern. With fitting on, a name whose characters fit 35
// bytes always fits with its codes and keeps every character.
QString Apply(const QString &text, const Options &options);

// The frames of a colour wave: the pattern moves one step per frame; a pass
// ends when it is back where it started. Building stops after the frame that
// passes maxFrames or maxCharacters, so a caller with limits sees the overflow.
QStringList Wave(const QString &text, const Options &options, int passes, int maxFrames = INT_MAX,
                 qsizetype maxCharacters = PTRDIFF_MAX);

} // namespace Colorize
