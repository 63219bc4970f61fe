#pragma once

#include "game/GameRules.h"

#include <QString>

class AnimationModel;
class Prompts;

// The effects the wizard offers, in the order its list shows them.
inline const QString EffectWave2 = QStringLiteral("Wave 2");
inline const QString EffectBounce = QStringLiteral("Bounce");
inline const QString EffectScrollLeft = QStringLiteral("Scroll to Left");
inline const QString EffectScrollRight = QStringLiteral("Scroll to Right");
inline const QString EffectColourWave = QStringLiteral("Colour wave");

// The text count times over; empty when count is below 1.
QString RepeatText(const QString &text, int count);

enum class EffectOutcome {
    Applied,      // the effect appended all of its lines (possibly none)
    TooLarge,     // the effect passed the character cap: its rest was dropped and the user told
    LimitReached  // the animation filled up: the rest was dropped and the user told
};

// Most characters one effect may produce: a huge width, fill or name would
// otherwise build gigabytes of frames before the line limit stops it.
constexpr qsizetype MaxEffectCharacters = qsizetype(1) << 24;
QString EffectSizeMessage();

// Appends the frames of one effect to the end of the animation, each with
// Time "15" and action "set name". name and clanTag are the working values of
// the wizard run: some effects rewrite them for the effects that follow. An
// unknown effect name appends nothing. The only question is the one before a
// "Bounce" of 5 or more repetitions. With keepColours, "Bounce" and the
// scrolls move each character with its colour instead of dropping the codes.
EffectOutcome ApplyEffect(AnimationModel &model, QString &name, const QString &effect, const QString &param1,
                          const QString &param2, QString &clanTag, bool reverse, Prompts &prompts,
                          bool keepColours = false, const GameRules &game = Games::Rtcw);

// "Colour wave": passes 1..9 of the pattern named by param1 over the text that
// stays in place; each frame fits the game's 35 bytes.
constexpr int MaxColourWavePasses = 9;
