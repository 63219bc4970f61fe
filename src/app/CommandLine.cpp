#include "app/MainWindow.h"

#include "animation/AnimationFile.h"
#include "animation/StartupFile.h"
#include "script/ScriptImport.h"

void MainWindow::openCommandLine(const QStringList &arguments)
{
    const QString path = StartupPath(arguments);
    switch (StartupFileKindOf(path)) {
    case StartupFileKind::Animation: {
        bool loaded = false;
        {
            AnimationStep step(m_model, QStringLiteral("Open"));
            loaded = LoadAnimation(m_model, path, prompts());
        }
        if (loaded)
            setFilePath(path, true);
        break;
    }
    case StartupFileKind::Script: {
        bool imported = false;
        {
            AnimationStep step(m_model, QStringLiteral("Import"));
            imported = ImportScript(m_model, path, prompts());
        }
        if (imported)
            forgetFilePath();
        break;
    }
    case StartupFileKind::None:
        break;
    }
}
