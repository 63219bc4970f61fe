#include "animation/LineLimit.h"

#include "platform/Prompts.h"

QString LineLimitMessage()
{
    return QStringLiteral("An animation holds at most %1 lines. The lines past that limit were not added.")
        .arg(AnimationModel::MaxLines);
}

int AppendLinesWithinLimit(AnimationModel &model, const QVector<AnimationLine> &lines, Prompts &prompts)
{
    const int taken = model.appendLines(lines);
    if (taken < lines.size())
        prompts.message(LineLimitMessage(), AppTitle, PromptIcon::Exclamation);
    return taken;
}

bool InsertLineWithinLimit(AnimationModel &model, int row, const AnimationLine &line, Prompts &prompts)
{
    if (model.insertLine(row, line))
        return true;
    prompts.message(LineLimitMessage(), AppTitle, PromptIcon::Exclamation);
    return false;
}
