#include "app/CommandTable.h"

#include "about/AboutDialog.h"
#include "about/HelpBrowserWindow.h"
#include "about/HelpDialog.h"
#include "animation/AddLine.h"
#include "animation/AnimationFileCommands.h"
#include "animation/EditLineDialog.h"
#include "animation/LineCommands.h"
#include "app/MainWindow.h"
#include "colors/ColorEditorDialog.h"
#include "platform/RegistryStore.h"
#include "animation/PreviewPlayer.h"
#include "script/PasteCommands.h"
#include "script/ScriptImport.h"
#include "wizard/WizardWindow.h"
#include "script/ScriptWindow.h"
#include "settings/OptionsDialog.h"
#include "transforms/LeetTable.h"
#include "transforms/ColorizeDialog.h"
#include "transforms/TextTransforms.h"

#include <QAction>
#include <QApplication>


const QStringList &CommandsNotWhilePlaying()
{
    static const QStringList commands{
        QStringLiteral("btnadd"), QStringLiteral("btnaddbefore"), QStringLiteral("btnaddafter"),
        QStringLiteral("btncopylast"), QStringLiteral("btncopylastx"), QStringLiteral("btncopyall"),
        QStringLiteral("btncopyallreverse"), QStringLiteral("btnremove"), QStringLiteral("btndeleteselected"),
        QStringLiteral("btndeleteall"), QStringLiteral("mnuAnimRemove")};
    return commands;
}

QHash<QString, std::function<void()>> BuildCommandTable(MainWindow &w)
{
    auto addLine = [&w](AddWhere where) {
        return std::function<void()>([&w, where] { AddLine(w.model(), w.currentRow(), where, w.prompts()); });
    };
    auto setPreview = [&w] { w.setPreview(); };
    auto newAnimation = [&w] { w.newAnimation(); };
    auto open = [&w] { w.open(); };
    auto saveAs = [&w] { w.saveAs(); };
    // A command that changes lines: one undo step named after it.
    auto step = [&w](const char *name, std::function<void()> command) {
        return [&w, name, command] {
            AnimationStep step(w.model(), QLatin1String(name));
            command();
        };
    };
    auto generate = [&w] {
        ScriptWindow window(w.model(), w.settings(), w.scriptDialog(), w.prompts(), &w);
        w.runModal(window);
    };
    auto options = [&w] {
        OptionsDialog dialog(w.store(), ProcessLeetTable(), SystemLeetFile(), QCoreApplication::applicationFilePath(),
                             w.prompts(), [&w] { w.loadSettings(); }, &w);
        w.runModal(dialog);
    };
    auto copyLines = [&w](int mode) {
        return std::function<void()>([&w, mode] { CopyLines(w.model(), w.currentRow(), w.prompts(), mode); });
    };
    auto removeLine = [&w] { RemoveLine(w.model(), w.currentRow(), w.prompts()); };
    auto editLine = [&w] {
        EditLine(w.model(), w.currentRow(), w.prompts(), [&w](int row) {
            EditLineDialog dialog(w.model(), row, &w);
            w.runModal(dialog);
        });
    };
    auto colorEditor = [&w] {
        ColorEditorDialog dialog(w.settings().rules(), &w);
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

    auto moveLine = [&w](int delta) {
        return std::function<void()>([&w, delta] {
            if (const std::optional<int> row = MoveLine(w.model(), w.currentRow(), delta))
                w.setCurrentRow(*row);
        });
    };

    QHash<QString, std::function<void()>> table = {
        {QStringLiteral("btnnew"), newAnimation},
        {QStringLiteral("mnuFileNew"), newAnimation},
        {QStringLiteral("btnopen"), open},
        {QStringLiteral("mnuFileOpen"), open},
        {QStringLiteral("btnsave"), saveAs},
        {QStringLiteral("mnuFileSave"), [&w] { w.save(); }},
        {QStringLiteral("mnuFileSaveAs"), saveAs},
        {QStringLiteral("btnadd"), step("Add line", addLine(AddWhere::After))},
        {QStringLiteral("btnaddbefore"), step("Add line before", addLine(AddWhere::Before))},
        {QStringLiteral("btnaddafter"), step("Add line after", addLine(AddWhere::After))},
        {QStringLiteral("btncopylast"), step("Copy selected line", copyLines(1))},
        {QStringLiteral("btncopylastx"), step("Copy selected line x times", copyLines(2))},
        {QStringLiteral("btncopyall"), step("Copy all lines", copyLines(3))},
        {QStringLiteral("btncopyallreverse"), step("Copy all lines (reverse)", copyLines(4))},
        {QStringLiteral("btnremove"), step("Remove line", removeLine)},
        {QStringLiteral("btndeleteselected"), step("Delete selected", removeLine)},
        {QStringLiteral("btndeleteall"), step("Delete all lines", [&w] { DeleteAllLines(w.model(), w.prompts()); })},
        {QStringLiteral("btnedit"), step("Edit line", editLine)},
        {QStringLiteral("btnedittime"), step("Edit line", editLine)},
        {QStringLiteral("mnuEditCut"), step("Cut", [&w, setPreview] { CutLine(w.model(), w.currentRow(), setPreview); })},
        {QStringLiteral("mnuEditCopy"), [&w] { CopyLineText(w.model(), w.currentRow()); }},
        {QStringLiteral("mnuEditPasteClipboard"),
         step("Paste", [&w, setPreview] { PasteFromClipboard(w.model(), w.currentRow(), w.prompts(), setPreview); })},
        {QStringLiteral("mnuEditPasteDefaultName"),
         step("Paste default name",
              [&w, setPreview] { PasteDefaultName(w.model(), w.currentRow(), w.settings(), w.prompts(), setPreview); })},
        {QStringLiteral("mnuFileImport"),
         [&w] { w.session().importChosen(); }},
        {QStringLiteral("btnwizard"),
         [&w] {
             WizardWindow *wizard = ShowWizardWindow(w.model(), w.settings(), w.prompts(), &w);
             QObject::connect(wizard, &WizardWindow::styleChosen, &w, &MainWindow::rememberWizardStyle,
                              Qt::UniqueConnection);
         }},
        {QStringLiteral("btnpreview"), [&w] { w.player().TogglePreview(); }},
        {QStringLiteral("mnuHelpColor"), colorEditor},
        {QStringLiteral("btneditleet"),
         step("Leet converter",
              [&w, setPreview] {
                  ConvertToLeet(w.model(), w.currentRow(), ProcessLeetTable(), LeetFilePath(), w.prompts(), setPreview);
              })},
        {QStringLiteral("btneditrandomcase"),
         step("Randomize case", [&w, setPreview] { RandomizeCase(w.model(), w.currentRow(), w.prompts(), setPreview); })},
        {QStringLiteral("btneditcolorize"),
         step("Colorize",
              [&w, setPreview] {
                  ColorizeLine(w.model(), w.currentRow(), w.prompts(),
                               [&w](const QString &text) -> std::optional<QString> {
                                   ColorizeDialog dialog(text, w.settings().rules(), &w);
                                   w.runModal(dialog);
                                   return dialog.result() == QDialog::Accepted ? std::optional(dialog.colorizedText())
                                                                               : std::nullopt;
                               },
                               setPreview);
              })},
        {QStringLiteral("btngenerate"), generate},
        {QStringLiteral("mnuEditShowColors"), [&w] { w.toggleShowColors(); }},
        {QStringLiteral("mnuEditShowAsGame"), [&w] { w.setPreview(); }},
        {QStringLiteral("mnuAnimGameSpeed"),
         [&w] {
             Settings settings = w.settings();
             settings.gameSpeed = w.menus().gameSpeed->isChecked();
             SaveSetting(w.store(), settings, SettingsValue::GameSpeed);
             w.loadSettings();
         }},
        {QStringLiteral("mnuEditOptions"), options},
        {QStringLiteral("mnuViewShowCodes"), [&w] { w.toggleShowCodes(); }},
        {QStringLiteral("mnuHelpHelp"), help},
        {QStringLiteral("mnuHelpAbout"), about},
        {QStringLiteral("mnuHelpContents"), [&w] { ShowHelp(&w); }},
        // A cancelled "Save changes?" keeps the program running.
        {QStringLiteral("mnuFileExit"),
         [&w] {
             if (!w.close())
                 return;
             QApplication::closeAllWindows();
             QApplication::quit();
         }},
        // The Delete key: quiet when there is nothing to delete.
        {QStringLiteral("mnuAnimRemove"), step("Delete selected",
                                               [&w] {
                                                   if (const std::optional<int> row = w.currentRow())
                                                       w.model().removeLine(*row);
                                                   w.setPreview();
                                               })},
        {QStringLiteral("mnuAnimMoveUp"), step("Move up", moveLine(-1))},
        {QStringLiteral("mnuAnimMoveDown"), step("Move down", moveLine(+1))},
    };
    return table;
}
