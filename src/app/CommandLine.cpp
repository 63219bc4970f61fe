#include "app/MainWindow.h"

#include "animation/AnimationFileCommands.h"
#include "animation/StartupFile.h"

void MainWindow::openCommandLine(const QStringList &arguments)
{
    const QString path = StartupPath(arguments);
    // A name given but no such file: told, rather than an empty window that looks as if it opened.
    if (!path.isEmpty() && !CheckAnimationExists(path, prompts()))
        return;
    switch (StartupFileKindOf(path)) {
    case StartupFileKind::Animation: openFile(path); break;
    case StartupFileKind::Script: importScript(path); break;
    case StartupFileKind::None: break;
    }
}
