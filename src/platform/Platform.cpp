#include "platform/Platform.h"

#include <QtGlobal>

namespace Platform {

bool ProgramsEndInExe()
{
#ifdef Q_OS_WIN
    return true;
#else
    return false;
#endif
}

bool DisplayAvailable()
{
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY")
           || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

} // namespace Platform
