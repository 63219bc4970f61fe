#include "platform/SystemShell.h"

#include "platform/ShellIntegration.h"

#ifndef Q_OS_WIN
#include "platform/FreedesktopShell.h"
#endif

std::unique_ptr<DesktopShell> SystemDesktopShell(RegistryStore &store, const QString &executablePath)
{
#ifdef Q_OS_WIN
    return std::make_unique<RegistryShell>(store, ProgramCommand(executablePath));
#else
    return std::make_unique<FreedesktopShell>(store, executablePath);
#endif
}
