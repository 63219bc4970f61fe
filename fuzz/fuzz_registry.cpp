// The portable registry store reading any file: it must load or refuse, never fail.
#include "platform/JsonRegistryStore.h"
#include "platform/RegistryOps.h"
#include "animation/Settings.h"

#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("registry.json"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    file.close();
    JsonRegistryStore store(path);
    LoadSettings(store);
    GetRegValue(store, RegHive::ClassesRoot, QStringLiteral(".ras"), QString());
    GetRegValue(store, RegHive::ClassesRoot, QStringLiteral("a\\b\\c"), QStringLiteral("x"));
    return 0;
}
