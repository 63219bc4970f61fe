#pragma once

#include "platform/RegistryStore.h"

#include <QMap>

#include <functional>

// A registry kept in one JSON file, for platforms without a registry. Several
// running copies of the program share the file: every read sees the file as it
// is now, and every change rereads it, changes its one value and writes it back
// atomically under a lock file, so no copy erases another's values. A file that
// can't be read counts as empty and is kept aside (".unreadable") before it is
// replaced.
class JsonRegistryStore final : public RegistryStore {
public:
    explicit JsonRegistryStore(const QString &path);

    std::optional<RegValue> value(RegHive hive, const QString &key, const QString &name) const override;
    bool keyExists(RegHive hive, const QString &key) const override;
    QString path() const { return m_path; }
    // Why the file could not be read at start, or empty text.
    QString loadError() const override { return m_loadError; }
    // Why the last change could not be written, or empty text.
    QString saveError() const override { return m_saveError; }

protected:
    bool storeValue(RegHive hive, const QString &key, const QString &name, const QString &text) override;
    bool removeKey(RegHive hive, const QString &key) override;
    bool removeValue(RegHive hive, const QString &key, const QString &name) override;

public:
    struct Value {
        QString name;
        QString type;  // "REG_SZ" for text
        QString data;
    };
    struct Key {
        QString name;
        QMap<QString, Value> values;  // by lower-case name
        QMap<QString, Key> keys;      // by lower-case name
    };

    struct Hives {
        Key currentUser;
        Key classesRoot;
        Key &operator[](RegHive hive) { return hive == RegHive::CurrentUser ? currentUser : classesRoot; }
    };

private:
    // Runs edit on the file's keys as they are now and writes them back if it returns true.
    bool change(const std::function<bool(Hives &)> &edit);

    QString m_path;
    QString m_loadError;
    QString m_saveError;
};
