#include "animation/AnimationFileCommands.h"

#include "animation/AnimationFile.h"
#include "animation/AnimationModel.h"
#include "platform/FileEnding.h"
#include "platform/Prompts.h"
#include "platform/TextFile.h"
#include "animation/Settings.h"

namespace {

const QString AnimationFilter = QStringLiteral("RtCW Animation Script (*.ras)|*.ras");

} // namespace

bool CheckAnimationExists(const QString &path, Prompts &prompts)
{
    if (FileExists(path))
        return true;
    prompts.message(QStringLiteral("File not found!\n") + path, QStringLiteral("Error"), PromptIcon::Critical);
    return false;
}

QString ChooseAnimationToOpen(FileDialogState &dialog, const Settings &settings, Prompts &prompts)
{
    dialog.title = QStringLiteral("Open RtCW Animation");
    dialog.filter = AnimationFilter;
    dialog.fileName.clear();
    if (!settings.openDir.isEmpty())
        dialog.initialDir = settings.openDir;
    if (!prompts.openFile(dialog) || !CheckAnimationExists(dialog.fileName, prompts))
        return {};
    return dialog.fileName;
}

bool SaveAnimationAs(const AnimationModel &model, FileDialogState &dialog, const Settings &settings,
                     Prompts &prompts)
{
    for (;;) {
        // The file name stays: the dialog starts with the path last chosen.
        dialog.title = QStringLiteral("Save RtCW Animation");
        dialog.filter = AnimationFilter;
        if (!settings.saveDir.isEmpty())
            dialog.initialDir = settings.saveDir;
        // An imported script's name is offered as an animation, never as itself.
        if (dialog.fileName.endsWith(QLatin1String(".cfg"), Qt::CaseInsensitive))
            dialog.fileName = dialog.fileName.chopped(4) + QStringLiteral(".ras");
        if (!prompts.saveFile(dialog))
            return false;
        dialog.fileName = WithFilterEnding(dialog.fileName, dialog.filter);
        if (!FileExists(dialog.fileName))
            break;
        const PromptAnswer answer = prompts.message(QStringLiteral("File exists! Overwrite?"),
                                                    QStringLiteral("Save RtCW Animation"), PromptIcon::Question,
                                                    PromptButtons::YesNoCancel);
        if (answer == PromptAnswer::Yes)
            break;
        if (answer != PromptAnswer::No)
            return false;
    }
    return SaveAnimation(model, dialog.fileName, prompts);
}
