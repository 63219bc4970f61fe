#pragma once

#include "animation/AnimationModel.h"

#include <functional>
#include <optional>

class Prompts;

// The commands that copy, remove and edit whole lines. Each takes the current
// row of the list (or none) and never moves it itself.

enum class CopyMode {
    SelectedLine = 1,        // btncopylast
    SelectedLineTimes = 2,   // btncopylastx
    AllLines = 3,            // btncopyall
    AllLinesReversed = 4,    // btncopyallreverse
};

// Appends copies at the end of the list in one batch; stops at the line limit
// and says so once. A mode outside 1..4 does nothing.
void CopyLines(AnimationModel &model, std::optional<int> currentRow, Prompts &prompts, int mode);

// The copies a mode appends, taken from the lines as they stand now. Mode 2
// takes its count as an argument here; an empty list or missing row gives none.
QVector<AnimationLine> LinesToCopy(const AnimationModel &model, std::optional<int> currentRow, CopyMode mode,
                                   int times = 1);

void RemoveLine(AnimationModel &model, std::optional<int> currentRow, Prompts &prompts);

// Asks first, also when the list is already empty.
void DeleteAllLines(AnimationModel &model, Prompts &prompts);

// Opens the line edit dialog for the current row through openDialog, which
// keeps this file free of windows.
void EditLine(AnimationModel &model, std::optional<int> currentRow, Prompts &prompts,
              const std::function<void(int row)> &openDialog);

// The current line's Text to the clipboard as plain text.
void CopyLineText(const AnimationModel &model, std::optional<int> currentRow);

// The current line's Text to the clipboard, the line removed, the preview refreshed.
void CutLine(AnimationModel &model, std::optional<int> currentRow, const std::function<void()> &setPreview);


// Swaps the current line with its neighbour (delta -1: the one above, +1: below). Returns the row the line
// went to, or nothing when there is no current line or no neighbour on that side.
std::optional<int> MoveLine(AnimationModel &model, std::optional<int> currentRow, int delta);
