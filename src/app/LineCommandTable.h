#pragma once

#include "app/Command.h"

#include <functional>
#include <optional>

class AnimationModel;
class Prompts;
struct Settings;

// What the commands on lines act on: the animation, the list's current row, and where they ask and show.
struct LineTarget {
    AnimationModel &model;
    Prompts &prompts;
    const Settings &settings;  // the game's colours for Colorize, the default name for Paste
    DialogHost dialogs;
    std::function<std::optional<int>()> currentRow;
    std::function<void(int row)> setCurrentRow;
    std::function<void()> refreshPreview;
};

// Add, Copy, Remove, Delete, Edit, Cut, Copy, Paste, Leet, Random case, Colorize, Move: each one undo step
// named after it.
Commands LineCommandTable(const LineTarget &target);
