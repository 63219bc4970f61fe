#pragma once

#include "animation/Settings.h"
#include "platform/JsonRegistryStore.h"
#include "platform/RegistryOps.h"

#include <QTemporaryDir>
#include <memory>

// A registry store in a temporary folder: tests never touch the user's settings.
struct TestStore {
    QTemporaryDir dir;
    std::unique_ptr<JsonRegistryStore> store;

    TestStore() : store(std::make_unique<JsonRegistryStore>(dir.filePath(QStringLiteral("registry.json")))) {}
    QString path() const { return store->path(); }
    // A fresh store over the same file, as the next run of the program sees it.
    void reopen() { store = std::make_unique<JsonRegistryStore>(path()); }
};

// Settings given as "Name=value", written where the program keeps them.
inline void StoreSettings(RegistryStore &store, const QStringList &values)
{
    for (const QString &value : values)
        SetRegValue(store, RegHive::CurrentUser, SettingsKey, value.section(u'=', 0, 0), value.section(u'=', 1));
}
