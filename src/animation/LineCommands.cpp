#include "animation/LineCommands.h"

#include "animation/LineLimit.h"
#include "colors/Numbers.h"
#include "platform/Prompts.h"

#include <QClipboard>
#include <QGuiApplication>

QVector<AnimationLine> LinesToCopy(const AnimationModel &model, std::optional<int> currentRow, CopyMode mode,
                                   int times)
{
    const QVector<AnimationLine> &lines = model.lines();
    const std::optional<int> row = model.validRow(currentRow);
    QVector<AnimationLine> copies;
    switch (mode) {
    case CopyMode::SelectedLine:
        if (row)
            copies.append(lines.at(*row));
        break;
    case CopyMode::SelectedLineTimes:
        if (row && times > 0)
            copies.fill(lines.at(*row), times);
        break;
    case CopyMode::AllLines:
        copies = lines;
        break;
    case CopyMode::AllLinesReversed:
        copies.reserve(lines.size());
        for (auto it = lines.crbegin(); it != lines.crend(); ++it)
            copies.append(*it);
        break;
    }
    return copies;
}

void CopyLines(AnimationModel &model, std::optional<int> currentRow, Prompts &prompts, int mode)
{
    if (mode < 1 || mode > 4)
        return;
    if (model.isEmpty()) {
        prompts.message(QStringLiteral("There are no lines to copy"), QStringLiteral("Add line"),
                        PromptIcon::Exclamation);
        return;
    }
    const auto copyMode = static_cast<CopyMode>(mode);
    const bool needsRow = copyMode == CopyMode::SelectedLine || copyMode == CopyMode::SelectedLineTimes;
    if (needsRow && !model.validRow(currentRow))
        return;

    int times = 1;
    if (copyMode == CopyMode::SelectedLineTimes) {
        const QString answer = prompts.input(QStringLiteral("Copy the selected line how many times?"),
                                             QStringLiteral("Copy selected line x times"), QStringLiteral("5"));
        const std::optional<qint16> count = ToInt16(answer);
        if (!count) {
            prompts.message(QStringLiteral("Can't copy the selected line. Invalid input (") + answer
                                + QLatin1Char(')'),
                            QStringLiteral("Error"), PromptIcon::Critical);
            return;
        }
        times = *count;
    }
    // Built before anything is appended, so every copy has its source's texts as
    // they stood when the command began.
    const QVector<AnimationLine> copies = LinesToCopy(model, currentRow, copyMode, times);
    AppendLinesWithinLimit(model, copies, prompts);
}

void RemoveLine(AnimationModel &model, std::optional<int> currentRow, Prompts &prompts)
{
    const std::optional<int> row = model.validRow(currentRow);
    if (!row) {
        prompts.message(QStringLiteral("Can't remove line."), AppTitle, PromptIcon::Information);
        return;
    }
    model.removeLine(*row);
}

void DeleteAllLines(AnimationModel &model, Prompts &prompts)
{
    const PromptAnswer answer = prompts.message(QStringLiteral("Delete all lines?"),
                                                QStringLiteral("Delete all lines?"), PromptIcon::Question,
                                                PromptButtons::YesNo);
    if (answer == PromptAnswer::Yes)
        model.clear();
}

void EditLine(AnimationModel &model, std::optional<int> currentRow, Prompts &prompts,
              const std::function<void(int row)> &openDialog)
{
    if (model.isEmpty()) {
        prompts.message(QStringLiteral("No items to edit"), QStringLiteral("Edit"), PromptIcon::Exclamation);
        return;
    }
    const std::optional<int> row = model.validRow(currentRow);
    if (row && openDialog)
        openDialog(*row);
}

void CopyLineText(const AnimationModel &model, std::optional<int> currentRow)
{
    const std::optional<int> row = model.validRow(currentRow);
    if (row)
        QGuiApplication::clipboard()->setText(model.line(*row).text);
}

void CutLine(AnimationModel &model, std::optional<int> currentRow, const std::function<void()> &setPreview)
{
    const std::optional<int> row = model.validRow(currentRow);
    if (!row)
        return;
    QGuiApplication::clipboard()->setText(model.line(*row).text);
    model.removeLine(*row);
    if (setPreview)
        setPreview();
}

std::optional<int> MoveLine(AnimationModel &model, std::optional<int> currentRow, int delta)
{
    const std::optional<int> row = model.validRow(currentRow);
    if (!row || !model.validRow(*row + delta))
        return std::nullopt;
    const AnimationLine line = model.line(*row);
    model.removeLine(*row);
    model.insertLine(*row + delta, line);
    return *row + delta;
}
