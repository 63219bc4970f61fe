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
    virtual bool keyExists(RegHive hive, const QString &key) const = 0;
    // Creates the key and any missing keys on its path.
    bool setValue(RegHive hive, const QString &key, const QString &name, const QString &text)
    {
        return !m_sealed && storeValue(hive, key, name, text);
    }
    // Deletes the key with all its subkeys.
    bool deleteKey(RegHive hive, const QString &key) { return !m_sealed && removeKey(hive, key); }
    // False when there was no such value.
    bool deleteValue(RegHive hive, const QString &key, const QString &name)
    {
        return !m_sealed && removeValue(hive, key, name);
    }
    // Every later change is refused: once the player removed the program's settings, nothing the running copy
    // does (a window's size kept at exit) may write them back.
    void seal() { m_sealed = true; }
    bool sealed() const { return m_sealed; }
    // Why the stored settings could not be read when the store opened, or empty text.
    virtual QString loadError() const { return {}; }
    // Why the last change could not be written, when the store knows more than that it failed.
    virtual QString saveError() const { return {}; }

protected:
    virtual bool storeValue(RegHive hive, const QString &key, const QString &name, const QString &text) = 0;
    virtual bool removeKey(RegHive hive, const QString &key) = 0;
    virtual bool removeValue(RegHive hive, const QString &key, const QString &name) = 0;

private:
    bool m_sealed = false;
};

// The store the program uses on this platform: the system registry on Windows,
// a JSON file in the user's configuration folder elsewhere.
RegistryStore &SystemRegistryStore();
