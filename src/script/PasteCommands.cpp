#include "script/PasteCommands.h"

#include "animation/LineCommands.h"
#include "animation/LineLimit.h"
#include "animation/Settings.h"

#include <QClipboard>
#include <QGuiApplication>

QString DefaultNameText(const Settings &settings)
{
    return settings.reverse ? settings.name + settings.clanTag : settings.clanTag + settings.name;
}

void PasteLine(AnimationModel &model, std::optional<int> currentRow, const QString &text, Prompts &prompts,
               const std::function<void()> &setPreview)
{
    const std::optional<int> row = model.validRow(currentRow);
    InsertLineWithinLimit(model, row ? *row + 1 : model.count(), NameLine(text), prompts);
    if (setPreview)
        setPreview();
}

void PasteFromClipboard(AnimationModel &model, std::optional<int> currentRow, Prompts &prompts,
                        const std::function<void()> &setPreview)
{
    PasteLine(model, currentRow, QGuiApplication::clipboard()->text(), prompts, setPreview);
}

void PasteDefaultName(AnimationModel &model, std::optional<int> currentRow, const Settings &settings,
                      Prompts &prompts, const std::function<void()> &setPreview)
{
    PasteLine(model, currentRow, DefaultNameText(settings), prompts, setPreview);
}
