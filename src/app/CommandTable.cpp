#include "app/CommandTable.h"

#include "about/AboutDialog.h"
#include "about/HelpDialog.h"
#include "animation/AddLine.h"
#include "animation/AnimationFileCommands.h"
#include "animation/EditLineDialog.h"
#include "animation/LineCommands.h"
#include "app/MainWindow.h"
#include "colors/ColorEditorDialog.h"
#include "colors/PreviewPlayer.h"
#include "script/PasteCommands.h"
#include "script/ScriptImport.h"
#include "wizard/WizardWindow.h"
#include "script/ScriptWindow.h"
#include "settings/OptionsDialog.h"
#include "transforms/LeetTable.h"
#include "transforms/ColorizeDialog.h"
#include "transforms/TextTransforms.h"

#include <QApplication>


QHash<QString, std::function<void()>> BuildCommandTable(MainWindow &w)
{
    auto addLine = [&w](AddWhere where) {
        return [&w, where] { AddLine(w.model(), w.currentRow(), where, w.prompts()); };
    };
    auto setPreview = [&w] { w.setPreview(); };
    auto newAnimation = [&w] { w.newAnimation(); };
    auto open = [&w] { OpenAnimation(w.model(), w.fileDialog(), w.settings(), w.prompts()); };
    auto saveAs = [&w] { SaveAnimationAs(w.model(), w.fileDialog(), w.settings(), w.prompts()); };
    auto generate = [&w] {
        ScriptWindow window(w.model(), w.settings(), w.scriptDialog(), w.prompts(), &w);
        w.runModal(window);
    };
    auto options = [&w] {
        OptionsDialog dialog(w.store(), ProcessLeetTable(), SystemLeetFile(), QCoreApplication::applicationFilePath(),
                             w.prompts(), [&w] { w.loadSettings(); }, &w);
        w.runModal(dialog);
    };
    auto copyLines = [&w](int mode) { return [&w, mode] { CopyLines(w.model(), w.currentRow(), w.prompts(), mode); }; };
    auto removeLine = [&w] { RemoveLine(w.model(), w.currentRow(), w.prompts()); };
    auto editLine = [&w] {
        EditLine(w.model(), w.currentRow(), w.prompts(), [&w](int row) {
            EditLineDialog dialog(w.model(), row, &w);
            w.runModal(dialog);
        });
    };
    auto colorEditor = [&w] {
        ColorEditorDialog dialog(&w);
        w.runModal(dialog);
    };
    auto about = [&w] {
        AboutDialog dialog(&w);
        w.runModal(dialog);
    };
    auto help = [&w] {
        HelpDialog dialog(&w);
        w.runModal(dialog);
    };

    return {
        {QStringLiteral("btnnew"), newAnimation},
        {QStringLiteral("mnuFileNew"), newAnimation},
        {QStringLiteral("btnopen"), open},
        {QStringLiteral("mnuFileOpen"), open},
        {QStringLiteral("btnsave"), saveAs},
        {QStringLiteral("mnuFileSaveAs"), saveAs},
        {QStringLiteral("btnadd"), addLine(AddWhere::After)},
        {QStringLiteral("btnaddbefore"), addLine(AddWhere::Before)},
        {QStringLiteral("btnaddafter"), addLine(AddWhere::After)},
        {QStringLiteral("btncopylast"), copyLines(1)},
        {QStringLiteral("btncopylastx"), copyLines(2)},
        {QStringLiteral("btncopyall"), copyLines(3)},
        {QStringLiteral("btncopyallreverse"), copyLines(4)},
        {QStringLiteral("btnremove"), removeLine},
        {QStringLiteral("btndeleteselected"), removeLine},
        {QStringLiteral("btndeleteall"), [&w] { DeleteAllLines(w.model(), w.prompts()); }},
        {QStringLiteral("btnedit"), editLine},
        {QStringLiteral("btnedittime"), editLine},
        {QStringLiteral("mnuEditCut"), [&w, setPreview] { CutLine(w.model(), w.currentRow(), setPreview); }},
        {QStringLiteral("mnuEditCopy"), [&w] { CopyLineText(w.model(), w.currentRow()); }},
        {QStringLiteral("mnuEditPasteClipboard"),
         [&w, setPreview] { PasteFromClipboard(w.model(), w.currentRow(), w.prompts(), setPreview); }},
        {QStringLiteral("mnuEditPasteDefaultName"),
         [&w, setPreview] { PasteDefaultName(w.model(), w.currentRow(), w.settings(), w.prompts(), setPreview); }},
        {QStringLiteral("mnuFileImport"), [&w] { ImportScriptCommand(w.model(), w.fileDialog(), w.prompts()); }},
        {QStringLiteral("btnwizard"), [&w] { ShowWizardWindow(w.model(), w.settings(), w.prompts(), &w); }},
        {QStringLiteral("btnpreview"), [&w] { w.player().TogglePreview(); }},
        {QStringLiteral("mnuHelpColor"), colorEditor},
        {QStringLiteral("btneditleet"),
         [&w, setPreview] {
             ConvertToLeet(w.model(), w.currentRow(), ProcessLeetTable(), LeetFilePath(), w.prompts(), setPreview);
         }},
        {QStringLiteral("btneditrandomcase"),
         [&w, setPreview] { RandomizeCase(w.model(), w.currentRow(), w.prompts(), setPreview); }},
        {QStringLiteral("btneditcolorize"),
         [&w, setPreview] {
             ColorizeLine(w.model(), w.currentRow(), w.prompts(), [&w](const QString &text) -> std::optional<QString> {
                 ColorizeDialog dialog(text, &w);
                 w.runModal(dialog);
                 return dialog.result() == QDialog::Accepted ? std::optional(dialog.colorizedText()) : std::nullopt;
             }, setPreview);
         }},
        {QStringLiteral("btngenerate"), generate},
        {QStringLiteral("mnuEditShowColors"), [&w] { w.toggleShowColors(); }},
        {QStringLiteral("mnuEditShowAsGame"), [&w] { w.setPreview(); }},
        {QStringLiteral("mnuEditOptions"), options},
        {QStringLiteral("mnuHelpHelp"), help},
        {QStringLiteral("mnuHelpAbout"), about},
        {QStringLiteral("mnuFileExit"), [] { QApplication::closeAllWindows(); QApplication::quit(); }},
    };
}
