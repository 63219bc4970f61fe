#include "platform/JsonRegistryStore.h"

#include "platform/SafeSave.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>

namespace {

constexpr auto kCurrentUser = "HKEY_CURRENT_USER";
constexpr auto kClassesRoot = "HKEY_CLASSES_ROOT";
constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;

using Key = JsonRegistryStore::Key;
using Value = JsonRegistryStore::Value;

QStringList keyPath(const QString &path)
{
    return path.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

QString fold(const QString &name)
{
    return name.toLower();
}

// The key at the path under node (const or not), or null.
template <typename K>
K *findKey(K &node, const QStringList &path)
{
    K *found = &node;
    for (const QString &part : path) {
        auto it = found->keys.find(fold(part));
        if (it == found->keys.end())
            return nullptr;
        found = &*it;
    }
    return found;
}

bool readKey(const QJsonObject &object, Key &key, int depth)
{
    if (depth > 200)
        return false;
    key.name = object.value(QLatin1String("name")).toString();
    for (const QJsonValue &item : object.value(QLatin1String("values")).toArray()) {
        const QJsonObject valueObject = item.toObject();
        Value value{valueObject.value(QLatin1String("name")).toString(),
                    valueObject.value(QLatin1String("type")).toString(QStringLiteral("REG_SZ")),
                    valueObject.value(QLatin1String("data")).toString()};
        key.values.insert(fold(value.name), value);
    }
    for (const QJsonValue &item : object.value(QLatin1String("keys")).toArray()) {
        Key child;
        if (!readKey(item.toObject(), child, depth + 1))
            return false;
        key.keys.insert(fold(child.name), child);
    }
    return true;
}

QJsonObject writeKey(const Key &key)
{
    QJsonArray values;
    for (const Value &value : key.values)
        values.append(QJsonObject{{QStringLiteral("name"), value.name},
                                  {QStringLiteral("type"), value.type},
                                  {QStringLiteral("data"), value.data}});
    QJsonArray keys;
    for (const Key &child : key.keys)
        keys.append(writeKey(child));
    return QJsonObject{{QStringLiteral("name"), key.name},
                       {QStringLiteral("values"), values},
                       {QStringLiteral("keys"), keys}};
}

// Reads the file as it is now; a missing file holds no keys. Returns why the file
// could not be read (and leaves hives empty), or empty text.
QString readHives(const QString &path, JsonRegistryStore::Hives &hives)
{
    QFile file(path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    QString error;
    if (file.size() > kMaxFileSize) {
        error = QStringLiteral("the file is too large");
    } else if (const QByteArray bytes = file.readAll(); !bytes.trimmed().isEmpty()) {
        QJsonParseError parseError;
        const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
        const QJsonObject root = document.object();
        if (parseError.error != QJsonParseError::NoError)
            error = parseError.errorString();
        else if (!document.isObject())
            error = QStringLiteral("the file holds no settings");
        else if (!readKey(root.value(QLatin1String(kCurrentUser)).toObject(), hives.currentUser, 0)
                 || !readKey(root.value(QLatin1String(kClassesRoot)).toObject(), hives.classesRoot, 0))
            error = QStringLiteral("the keys are nested too deeply");
    }
    if (!error.isEmpty())
        hives = {};
    return error;
}

} // namespace

JsonRegistryStore::JsonRegistryStore(const QString &path) : m_path(path)
{
    Hives hives;
    m_loadError = readHives(path, hives);
}

std::optional<RegValue> JsonRegistryStore::value(RegHive hive, const QString &key, const QString &name) const
{
    Hives hives;
    readHives(m_path, hives);
    const Key *found = findKey(std::as_const(hives[hive]), keyPath(key));
    if (!found)
        return std::nullopt;
    auto it = found->values.constFind(fold(name));
    if (it == found->values.constEnd())
        return std::nullopt;
    return RegValue{it->data, it->type == QLatin1String("REG_SZ")};
}

bool JsonRegistryStore::keyExists(RegHive hive, const QString &key) const
{
    Hives hives;
    readHives(m_path, hives);
    return findKey(std::as_const(hives[hive]), keyPath(key)) != nullptr;
}

bool JsonRegistryStore::storeValue(RegHive hive, const QString &key, const QString &name, const QString &text)
{
    return change([&](Hives &hives) {
        Key *node = &hives[hive];
        for (const QString &part : keyPath(key)) {
            Key &child = node->keys[fold(part)];
            if (child.name.isEmpty())
                child.name = part;
            node = &child;
        }
        Value &value = node->values[fold(name)];
        if (value.type.isEmpty())
            value.name = name;
        value.type = QStringLiteral("REG_SZ");
        value.data = text;
        return true;
    });
}

bool JsonRegistryStore::removeKey(RegHive hive, const QString &key)
{
    const QStringList parts = keyPath(key);
    if (parts.isEmpty())
        return false;
    return change([&](Hives &hives) {
        Key *parent = findKey(hives[hive], parts.first(parts.size() - 1));
        return parent && parent->keys.remove(fold(parts.last())) > 0;
    });
}

bool JsonRegistryStore::removeValue(RegHive hive, const QString &key, const QString &name)
{
    return change([&](Hives &hives) {
        Key *node = findKey(hives[hive], keyPath(key));
        return node && node->values.remove(fold(name)) > 0;
    });
}

bool JsonRegistryStore::change(const std::function<bool(Hives &)> &edit)
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    // Another copy of the program may be changing the file: wait for it rather than write over its change.
    QLockFile lock(m_path + QStringLiteral(".lock"));
    if (!lock.tryLock(10000)) {
        m_saveError = QStringLiteral("the settings file is locked by another program");
        return false;
    }
    Hives hives;
    if (!readHives(m_path, hives).isEmpty()) {
        // Keep what could not be read, under a name no earlier unreadable file has: the user may want it back.
        QString aside = m_path + QStringLiteral(".unreadable");
        for (int n = 2; QFileInfo::exists(aside); ++n)
            aside = m_path + QStringLiteral(".unreadable-%1").arg(n);
        QFile::copy(m_path, aside);
    }
    if (!edit(hives))
        return false;
    const QJsonObject root{{QLatin1String(kCurrentUser), writeKey(hives.currentUser)},
                           {QLatin1String(kClassesRoot), writeKey(hives.classesRoot)}};
    const TextWriteResult written = SaveBytes(m_path, QJsonDocument(root).toJson());
    if (!written.ok) {
        m_saveError = written.errorString;
        return false;
    }
    m_saveError.clear();
    return true;
}
