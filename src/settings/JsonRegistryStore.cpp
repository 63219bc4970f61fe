#include "settings/JsonRegistryStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

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

} // namespace

JsonRegistryStore::JsonRegistryStore(const QString &path) : m_path(path)
{
    QFile file(path);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly)) {
        m_loadError = file.errorString();
        return;
    }
    if (file.size() > kMaxFileSize) {
        m_loadError = QStringLiteral("the file is too large");
    } else if (const QByteArray bytes = file.readAll(); !bytes.trimmed().isEmpty()) {
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
        const QJsonObject root = document.object();
        if (error.error != QJsonParseError::NoError)
            m_loadError = error.errorString();
        else if (!document.isObject())
            m_loadError = QStringLiteral("the file holds no settings");
        else if (!readKey(root.value(QLatin1String(kCurrentUser)).toObject(), m_currentUser, 0)
                 || !readKey(root.value(QLatin1String(kClassesRoot)).toObject(), m_classesRoot, 0))
            m_loadError = QStringLiteral("the keys are nested too deeply");
    }
    if (!m_loadError.isEmpty()) {
        m_currentUser = Key();
        m_classesRoot = Key();
        m_keepUnreadable = true;
    }
}

const Key *JsonRegistryStore::findKey(RegHive hive, const QString &path) const
{
    const Key *key = hive == RegHive::CurrentUser ? &m_currentUser : &m_classesRoot;
    for (const QString &part : keyPath(path)) {
        auto it = key->keys.constFind(fold(part));
        if (it == key->keys.constEnd())
            return nullptr;
        key = &it.value();
    }
    return key;
}

std::optional<RegValue> JsonRegistryStore::value(RegHive hive, const QString &key, const QString &name) const
{
    const Key *found = findKey(hive, key);
    if (!found)
        return std::nullopt;
    auto it = found->values.constFind(fold(name));
    if (it == found->values.constEnd())
        return std::nullopt;
    return RegValue{it->data, it->type == QLatin1String("REG_SZ")};
}

bool JsonRegistryStore::setValue(RegHive hive, const QString &key, const QString &name, const QString &text)
{
    Key *node = hive == RegHive::CurrentUser ? &m_currentUser : &m_classesRoot;
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
    return save();
}

bool JsonRegistryStore::deleteKey(RegHive hive, const QString &key)
{
    const QStringList parts = keyPath(key);
    if (parts.isEmpty())
        return false;
    Key *node = hive == RegHive::CurrentUser ? &m_currentUser : &m_classesRoot;
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        auto it = node->keys.find(fold(parts.at(i)));
        if (it == node->keys.end())
            return false;
        node = &it.value();
    }
    if (node->keys.remove(fold(parts.last())) == 0)
        return false;
    return save();
}

bool JsonRegistryStore::save()
{
    if (m_keepUnreadable) {
        // Keep what could not be read: the user may want it back.
        const QString aside = m_path + QStringLiteral(".unreadable");
        QFile::remove(aside);
        QFile::copy(m_path, aside);
        m_keepUnreadable = false;
    }
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    const QJsonObject root{{QLatin1String(kCurrentUser), writeKey(m_currentUser)},
                           {QLatin1String(kClassesRoot), writeKey(m_classesRoot)}};
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(root).toJson()) < 0 || !file.commit()) {
        m_saveError = file.errorString();
        return false;
    }
    m_saveError.clear();
    return true;
}
