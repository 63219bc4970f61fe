#pragma once

#include <QString>
#include <optional>

enum class RegHive { CurrentUser, ClassesRoot };

struct RegValue {
    QString text;
    bool isText = true;  // a text value (REG_SZ); anything else reads as missing
};

// A registry-like store of keys and values. Key paths separate keys with '\';
// a '/' is part of a key's name. Key and value names compare without regard to
// case and keep the case they were created with. The empty value name is the
// key's default value.
class RegistryStore {
public:
    virtual ~RegistryStore() = default;

    // Nothing when the key or the value is missing.
    virtual std::optional<RegValue> value(RegHive hive, const QString &key, const QString &name) const = 0;
    // Creates the key and any missing keys on its path.
    virtual bool setValue(RegHive hive, const QString &key, const QString &name, const QString &text) = 0;
    // Deletes the key with all its subkeys.
    virtual bool deleteKey(RegHive hive, const QString &key) = 0;
    // Why the stored settings could not be read when the store opened, or empty text.
    virtual QString loadError() const { return {}; }
    // Why the last change could not be written, when the store knows more than that it failed.
    virtual QString saveError() const { return {}; }
};

// The store the program uses on this platform: the system registry on Windows,
// a JSON file in the user's configuration folder elsewhere.
RegistryStore &SystemRegistryStore();
