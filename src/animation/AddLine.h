#pragma once

#include <optional>

class AnimationModel;
class Prompts;

enum class AddWhere { Before, After };

// Adds a new line ("Text", "15", "set name") next to the current line, or as
// the first line of an empty list. With lines but no current line it does nothing.
// Returns the row of the new line, or -1 when none was added.
int AddLine(AnimationModel &model, std::optional<int> currentRow, AddWhere where, Prompts &prompts);
