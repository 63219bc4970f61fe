#pragma once

#include "platform/JsonRegistryStore.h"

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
