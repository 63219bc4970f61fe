#include "app/LineCommandTable.h"

#include "animation/AddLine.h"
#include "animation/AnimationHistory.h"
#include "animation/AnimationModel.h"
#include "animation/EditLineDialog.h"
#include "animation/LineCommands.h"
#include "animation/Settings.h"
#include "script/PasteCommands.h"
#include "transforms/ColorizeDialog.h"
#include "transforms/LeetTable.h"
#include "transforms/TextTransforms.h"

Commands LineCommandTable(const LineTarget &t)
{
    // A command that changes lines: one undo step named after it.
    auto step = [&model = t.model](const char *name, std::function<void()> command, bool whilePlaying = true) {
        return Command{[&model, name, command] {
                           AnimationStep step(model, QLatin1String(name));
                           command();
                       },
                       whilePlaying};
    };
    auto adding = [step](const char *name, std::function<void()> command) { return step(name, command, false); };
    auto addLine = [t](AddWhere where) { return [t, where] { AddLine(t.model, t.currentRow(), where, t.prompts); }; };
    auto copyLines = [t](int mode) { return [t, mode] { CopyLines(t.model, t.currentRow(), t.prompts, mode); }; };
    auto removeLine = [t] { RemoveLine(t.model, t.currentRow(), t.prompts); };
    auto editLine = [t] {
        EditLine(t.model, t.currentRow(), t.prompts, [t](int row) {
            EditLineDialog dialog(t.model, row, t.dialogs.parent);
            t.dialogs.run(dialog);
        });
    };
    auto moveLine = [t](int delta) {
        return [t, delta] {
            if (const std::optional<int> row = MoveLine(t.model, t.currentRow(), delta))
                t.setCurrentRow(*row);
        };
    };
    auto chooseColors = [t](const QString &text) -> std::optional<QString> {
        ColorizeDialog dialog(text, t.settings.rules(), t.dialogs.parent);
        t.dialogs.run(dialog);
        return dialog.result() == QDialog::Accepted ? std::optional(dialog.colorizedText()) : std::nullopt;
    };

    return {
        {QStringLiteral("btnadd"), adding("Add line", addLine(AddWhere::After))},
        {QStringLiteral("btnaddbefore"), adding("Add line before", addLine(AddWhere::Before))},
        {QStringLiteral("btnaddafter"), adding("Add line after", addLine(AddWhere::After))},
        {QStringLiteral("btncopylast"), adding("Copy selected line", copyLines(1))},
        {QStringLiteral("btncopylastx"), adding("Copy selected line x times", copyLines(2))},
        {QStringLiteral("btncopyall"), adding("Copy all lines", copyLines(3))},
        {QStringLiteral("btncopyallreverse"), adding("Copy all lines (reverse)", copyLines(4))},
        {QStringLiteral("btnremove"), adding("Remove line", removeLine)},
        {QStringLiteral("btndeleteselected"), adding("Delete selected", removeLine)},
        {QStringLiteral("btndeleteall"), adding("Delete all lines", [t] { DeleteAllLines(t.model, t.prompts); })},
        // The Delete key: quiet when there is nothing to delete.
        {QStringLiteral("mnuAnimRemove"), adding("Delete selected",
                                                 [t] {
                                                     if (const std::optional<int> row = t.currentRow())
                                                         t.model.removeLine(*row);
                                                     t.refreshPreview();
                                                 })},
        {QStringLiteral("btnedit"), step("Edit line", editLine)},
        {QStringLiteral("btnedittime"), step("Edit line", editLine)},
        {QStringLiteral("mnuEditCut"), step("Cut", [t] { CutLine(t.model, t.currentRow(), t.refreshPreview); })},
        {QStringLiteral("mnuEditCopy"), {[t] { CopyLineText(t.model, t.currentRow()); }}},
        {QStringLiteral("mnuEditPasteClipboard"),
         step("Paste", [t] { PasteFromClipboard(t.model, t.currentRow(), t.prompts, t.refreshPreview); })},
        {QStringLiteral("mnuEditPasteDefaultName"),
         step("Paste default name",
              [t] { PasteDefaultName(t.model, t.currentRow(), t.settings, t.prompts, t.refreshPreview); })},
        {QStringLiteral("btneditleet"), step("Leet converter",
                                             [t] {
                                                 ConvertToLeet(t.model, t.currentRow(), ProcessLeetTable(),
                                                               LeetFilePath(), t.prompts, t.refreshPreview);
                                             })},
        {QStringLiteral("btneditrandomcase"),
         step("Randomize case", [t] { RandomizeCase(t.model, t.currentRow(), t.prompts, t.refreshPreview); })},
        {QStringLiteral("btneditcolorize"),
         step("Colorize",
              [t, chooseColors] { ColorizeLine(t.model, t.currentRow(), t.prompts, chooseColors, t.refreshPreview); })},
        {QStringLiteral("mnuAnimMoveUp"), step("Move up", moveLine(-1))},
        {QStringLiteral("mnuAnimMoveDown"), step("Move down", moveLine(+1))},
    };
}
