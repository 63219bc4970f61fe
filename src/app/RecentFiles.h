#pragma once

#include <QStringList>

class RegistryStore;

// File, Open Recent: the last animations opened or saved, newest first, kept in the settings store.
namespace RecentFiles {
constexpr int MaxFiles = 8;
QStringList load(const RegistryStore &store);
void add(RegistryStore &store, const QString &path);
void remove(RegistryStore &store, const QString &path);
void clear(RegistryStore &store);
} // namespace RecentFiles
