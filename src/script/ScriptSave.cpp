#include "script/ScriptSave.h"

#include "animation/AnimationFile.h"
#include "platform/Prompts.h"
#include "platform/TextFile.h"
#include "script/ScriptGenerator.h"

bool SaveScript(const QString &text, const QString &generateDir, FileDialogState &dialog, Prompts &prompts)
{
    QString path;
    for (;;) {
        dialog.title = QStringLiteral("Save Script");
        dialog.filter = QStringLiteral("RtCW Script (*.cfg)|*.cfg|All Files(*.*)|*.*");
        if (!generateDir.isEmpty())
            dialog.initialDir = generateDir;
        if (!prompts.saveFile(dialog))
            return false;
        path = dialog.fileName;
        if (!FileExists(path))
            break;
        const PromptAnswer answer = prompts.message(QStringLiteral("File Exists! Overwrite?"), SaveScriptTitle,
                                                    PromptIcon::Question, PromptButtons::YesNoCancel);
        if (answer == PromptAnswer::Yes)
            break;
        if (answer != PromptAnswer::No)
            return false;
    }

    const TextWriteResult result = WriteTextFile(path, ScriptFileText(text));
    if (!result.ok) {
        prompts.message(SaveErrorMessage(result), SaveScriptTitle, PromptIcon::Critical);
        return false;
    }
    if (result.replacedCharacters)
        prompts.message(ReplacedCharactersNotice(path), AppTitle, PromptIcon::Exclamation);
    return true;
}
