#include "platform/WinRegistryStore.h"

#ifdef Q_OS_WIN

#include <windows.h>

#include <string>
#include <vector>

namespace {

// A new key under HKEY_CLASSES_ROOT lands in the machine's classes, which only an administrator may change:
// the user's own classes take no rights and come first in what HKEY_CLASSES_ROOT shows.
const QString UserClasses = QStringLiteral("Software\\Classes\\");

// The wide functions keep every letter: a path under a profile named outside the code page stays whole.
std::wstring wide(const QString &text)
{
    return text.toStdWString();
}

// Where a change to the key goes.
std::wstring writtenKey(RegHive hive, const QString &key)
{
    return wide(hive == RegHive::CurrentUser ? key : UserClasses + key);
}

// The key a read sees: the user's classes hide the machine's key of the same name.
HKEY openForReading(RegHive hive, const QString &key)
{
    HKEY handle = nullptr;
    if (RegOpenKeyW(HKEY_CURRENT_USER, writtenKey(hive, key).c_str(), &handle) == ERROR_SUCCESS)
        return handle;
    if (hive == RegHive::ClassesRoot && RegOpenKeyW(HKEY_CLASSES_ROOT, wide(key).c_str(), &handle) == ERROR_SUCCESS)
        return handle;
    return nullptr;
}

// RegDeleteKeyW does not delete a key that has subkeys: remove them first.
bool deleteTree(HKEY parent, const std::wstring &name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(parent, name.c_str(), 0, KEY_READ | KEY_WRITE, &key) == ERROR_SUCCESS) {
        wchar_t child[256];
        for (;;) {
            DWORD length = sizeof(child) / sizeof(child[0]);
            if (RegEnumKeyExW(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            if (!deleteTree(key, std::wstring(child, length)))
                break;
        }
        RegCloseKey(key);
    }
    return RegDeleteKeyW(parent, name.c_str()) == ERROR_SUCCESS;
}

} // namespace

std::optional<RegValue> WinRegistryStore::value(RegHive hive, const QString &key, const QString &name) const
{
    HKEY handle = openForReading(hive, key);
    if (!handle)
        return std::nullopt;
    const std::wstring valueName = wide(name);
    DWORD type = 0;
    DWORD size = 0;
    std::optional<RegValue> result;
    if (RegQueryValueExW(handle, valueName.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        if (type != REG_SZ) {
            result = RegValue{QString(), false};
        } else {
            std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
            DWORD read = size;
            if (RegQueryValueExW(handle, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE *>(buffer.data()), &read)
                == ERROR_SUCCESS) {
                // The size counts the terminating NUL: the text is what lies before it.
                const size_t characters = wcsnlen(buffer.data(), read / sizeof(wchar_t));
                result = RegValue{QString::fromWCharArray(buffer.data(), qsizetype(characters)), true};
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
    if (RegCreateKeyW(HKEY_CURRENT_USER, writtenKey(hive, key).c_str(), &handle) != ERROR_SUCCESS)
        return false;
    const std::wstring data = wide(text);
    const LONG status = RegSetValueExW(handle, wide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE *>(data.c_str()),
                                       static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
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
    if (RegOpenKeyExW(HKEY_CURRENT_USER, writtenKey(hive, key).c_str(), 0, KEY_SET_VALUE, &handle) != ERROR_SUCCESS)
        return false;
    const LONG status = RegDeleteValueW(handle, wide(name).c_str());
    RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}

#endif
