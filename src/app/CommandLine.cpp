#include "app/MainWindow.h"

#include "animation/StartupFile.h"

void MainWindow::openCommandLine(const QStringList &arguments)
{
    const QString path = StartupPath(arguments);
    switch (StartupFileKindOf(path)) {
    case StartupFileKind::Animation: openFile(path); break;
    case StartupFileKind::Script: importScript(path); break;
    case StartupFileKind::None: break;
    }
}
