#include "animation/AddLine.h"

#include "animation/LineLimit.h"

int AddLine(AnimationModel &model, std::optional<int> currentRow, AddWhere where, Prompts &prompts)
{
    int row = 0;
    if (!model.isEmpty()) {
        if (!model.validRow(currentRow))
            return -1;
        row = where == AddWhere::Before ? *currentRow : *currentRow + 1;
    }
    return InsertLineWithinLimit(model, row, AnimationLine(), prompts) ? row : -1;
}
