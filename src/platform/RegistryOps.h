#pragma once

#include "platform/RegistryStore.h"

// Registry access as the program's commands use it: none of these reports a
// failure; a value that can't be read gives the default.
QString GetRegValue(const RegistryStore &store, RegHive hive, const QString &key, const QString &name,
                    const QString &defaultValue = QString());
void SetRegValue(RegistryStore &store, RegHive hive, const QString &key, const QString &name, const QString &text);
void DeleteRegKey(RegistryStore &store, RegHive hive, const QString &key);
