#pragma once

#include "animation/AnimationModel.h"

class Prompts;

// What the user is told when a command reaches the most lines an animation holds.
QString LineLimitMessage();

// Appends in one batch; when not all lines fit, appends what fits and tells the
// user once. Returns the number of lines appended.
int AppendLinesWithinLimit(AnimationModel &model, const QVector<AnimationLine> &lines, Prompts &prompts);

// Inserts one line, or tells the user that the animation is full.
bool InsertLineWithinLimit(AnimationModel &model, int row, const AnimationLine &line, Prompts &prompts);
