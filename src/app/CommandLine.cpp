#include "app/MainWindow.h"

#include "animation/AnimationFile.h"
#include "animation/StartupFile.h"
#include "script/ScriptImport.h"

void MainWindow::openCommandLine(const QStringList &arguments)
{
    const QString path = StartupPath(arguments);
    switch (StartupFileKindOf(path)) {
    case StartupFileKind::Animation:
        LoadAnimation(m_model, path, prompts());
        break;
    case StartupFileKind::Script:
        ImportScript(m_model, path, prompts());
        break;
    case StartupFileKind::None:
        break;
    }
}
