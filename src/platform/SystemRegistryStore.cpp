#include "platform/RegistryStore.h"
#include "platform/ProgramFolders.h"

#include "platform/JsonRegistryStore.h"
#include "platform/WinRegistryStore.h"

#include <QDir>
#include <QStandardPaths>

RegistryStore &SystemRegistryStore()
{
#ifdef Q_OS_WIN
    static WinRegistryStore store;
#else
    static JsonRegistryStore store(
        QDir(ProgramFolders::Config()).filePath(QStringLiteral("registry.json")));
#endif
    return store;
}
