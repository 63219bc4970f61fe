#include "platform/WinRegistryStore.h"

#ifdef Q_OS_WIN

#include "platform/TextFile.h"

#include <windows.h>

#include <vector>

namespace {

// A new key under HKEY_CLASSES_ROOT lands in the machine's classes, which only an administrator may change:
// the user's own classes take no rights and come first in what HKEY_CLASSES_ROOT shows.
const QString UserClasses = QStringLiteral("Software\\Classes\\");

// Where a change to the key goes.
QByteArray writtenKey(RegHive hive, const QString &key)
{
    return EncodeAnsi(hive == RegHive::CurrentUser ? key : UserClasses + key);
}

// The key a read sees: the user's classes hide the machine's key of the same name.
HKEY openForReading(RegHive hive, const QString &key)
{
    HKEY handle = nullptr;
    if (RegOpenKeyA(HKEY_CURRENT_USER, writtenKey(hive, key).constData(), &handle) == ERROR_SUCCESS)
        return handle;
    if (hive == RegHive::ClassesRoot && RegOpenKeyA(HKEY_CLASSES_ROOT, EncodeAnsi(key).constData(), &handle) == ERROR_SUCCESS)
        return handle;
    return nullptr;
}

// RegDeleteKeyA does not delete a key that has subkeys: remove them first.
bool deleteTree(HKEY parent, const QByteArray &name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(parent, name.constData(), 0, KEY_READ | KEY_WRITE, &key) == ERROR_SUCCESS) {
        char child[256];
        for (;;) {
            DWORD length = sizeof(child);
            if (RegEnumKeyExA(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            if (!deleteTree(key, QByteArray(child, static_cast<int>(length))))
                break;
        }
        RegCloseKey(key);
    }
    return RegDeleteKeyA(parent, name.constData()) == ERROR_SUCCESS;
}

} // namespace

std::optional<RegValue> WinRegistryStore::value(RegHive hive, const QString &key, const QString &name) const
{
    HKEY handle = openForReading(hive, key);
    if (!handle)
        return std::nullopt;
    const QByteArray valueName = EncodeAnsi(name);
    DWORD type = 0;
    DWORD size = 0;
    std::optional<RegValue> result;
    if (RegQueryValueExA(handle, valueName.constData(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        if (type != REG_SZ) {
            result = RegValue{QString(), false};
        } else {
            std::vector<char> buffer(size + 1, '\0');
            DWORD read = size;
            if (RegQueryValueExA(handle, valueName.constData(), nullptr, &type,
                                 reinterpret_cast<BYTE *>(buffer.data()), &read) == ERROR_SUCCESS) {
                // The size counts the terminating NUL: the text is what lies before it.
                result = RegValue{DecodeAnsi(QByteArray(buffer.data(), static_cast<int>(qstrnlen(buffer.data(), read)))), true};
            }
        }
    }
    RegCloseKey(handle);
    return result;
}

bool WinRegistryStore::keyExists(RegHive hive, const QString &key) const
{
    HKEY handle = openForReading(hive, key);
    if (handle)
        RegCloseKey(handle);
    return handle != nullptr;
}

bool WinRegistryStore::storeValue(RegHive hive, const QString &key, const QString &name, const QString &text)
{
    HKEY handle = nullptr;
    if (RegCreateKeyA(HKEY_CURRENT_USER, writtenKey(hive, key).constData(), &handle) != ERROR_SUCCESS)
        return false;
    const QByteArray data = EncodeAnsi(text);
    const LONG status = RegSetValueExA(handle, EncodeAnsi(name).constData(), 0, REG_SZ,
                                       reinterpret_cast<const BYTE *>(data.constData()),
                                       static_cast<DWORD>(data.size() + 1));
    RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}

bool WinRegistryStore::removeKey(RegHive hive, const QString &key)
{
    return deleteTree(HKEY_CURRENT_USER, writtenKey(hive, key));
}

bool WinRegistryStore::removeValue(RegHive hive, const QString &key, const QString &name)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, writtenKey(hive, key).constData(), 0, KEY_SET_VALUE, &handle) != ERROR_SUCCESS)
        return false;
    const LONG status = RegDeleteValueA(handle, EncodeAnsi(name).constData());
    RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}

#endif
