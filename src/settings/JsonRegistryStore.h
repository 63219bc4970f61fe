#pragma once

#include "settings/RegistryStore.h"

#include <QMap>

// A registry kept in one JSON file, for platforms without a registry. Every
// change is written at once and atomically. A file that can't be read leaves
// the store empty and is kept aside (".unreadable") before it is first replaced.
class JsonRegistryStore final : public RegistryStore {
public:
    explicit JsonRegistryStore(const QString &path);

    std::optional<RegValue> value(RegHive hive, const QString &key, const QString &name) const override;
    bool setValue(RegHive hive, const QString &key, const QString &name, const QString &text) override;
    bool deleteKey(RegHive hive, const QString &key) override;

    QString path() const { return m_path; }
    // Why the file could not be read at start, or empty text.
    QString loadError() const override { return m_loadError; }
    // Why the last change could not be written, or empty text.
    QString saveError() const { return m_saveError; }

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

private:
    const Key *findKey(RegHive hive, const QString &path) const;
    bool save();

    QString m_path;
    QString m_loadError;
    QString m_saveError;
    bool m_keepUnreadable = false;
    Key m_currentUser;
    Key m_classesRoot;
};
