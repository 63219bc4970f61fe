#pragma once

#include <QtGlobal>

#ifdef Q_OS_WIN

#include "platform/RegistryStore.h"

// The Windows registry through advapi32's wide functions.
class WinRegistryStore final : public RegistryStore {
public:
    std::optional<RegValue> value(RegHive hive, const QString &key, const QString &name) const override;
    bool keyExists(RegHive hive, const QString &key) const override;

protected:
    bool storeValue(RegHive hive, const QString &key, const QString &name, const QString &text) override;
    bool removeKey(RegHive hive, const QString &key) override;
    bool removeValue(RegHive hive, const QString &key, const QString &name) override;
};

#endif
