#include "app/RecentFiles.h"

#include "platform/Platform.h"
#include "platform/RegistryOps.h"
#include "platform/RegistryStore.h"
#include "animation/Settings.h"

#include <QDir>

namespace {

QString valueName(int index)
{
    return QStringLiteral("Recent%1").arg(index + 1);
}

QString storedPath(const RegistryStore &store, int index)
{
    return GetRegValue(store, RegHive::CurrentUser, SettingsKey, valueName(index), QString());
}

// Writes only the values that differ: each write of the store is a write of its file.
void store(RegistryStore &store, const QStringList &paths)
{
    for (int i = 0; i < RecentFiles::MaxFiles; ++i)
        if (paths.value(i) != storedPath(store, i))
            store.setValue(RegHive::CurrentUser, SettingsKey, valueName(i), paths.value(i));
}

bool samePath(const QString &a, const QString &b)
{
    return QDir::cleanPath(a).compare(QDir::cleanPath(b),
                                      Platform::FileNamesIgnoreCase() ? Qt::CaseInsensitive : Qt::CaseSensitive) == 0;
}

QStringList without(QStringList paths, const QString &path)
{
    paths.removeIf([&](const QString &p) { return samePath(p, path); });
    return paths;
}

} // namespace

QStringList RecentFiles::load(const RegistryStore &store)
{
    QStringList paths;
    for (int i = 0; i < MaxFiles; ++i)
        if (const QString path = storedPath(store, i); !path.isEmpty())
            paths << path;
    return paths;
}

void RecentFiles::add(RegistryStore &store, const QString &path)
{
    QStringList paths = without(load(store), path);
    paths.prepend(QDir::cleanPath(QDir(path).absolutePath()));
    ::store(store, paths.mid(0, MaxFiles));
}

void RecentFiles::remove(RegistryStore &store, const QString &path)
{
    ::store(store, without(load(store), path));
}

void RecentFiles::clear(RegistryStore &store)
{
    ::store(store, {});
}
