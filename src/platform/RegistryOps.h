#pragma once

#include "platform/RegistryStore.h"

// Registry access as the program's commands use it: a value that can't be read gives the default; a write
// says whether it was stored (the store's saveError() says why not).
QString GetRegValue(const RegistryStore &store, RegHive hive, const QString &key, const QString &name,
                    const QString &defaultValue = QString());
bool SetRegValue(RegistryStore &store, RegHive hive, const QString &key, const QString &name, const QString &text);
void DeleteRegKey(RegistryStore &store, RegHive hive, const QString &key);
