#include "platform/RegistryOps.h"

QString GetRegValue(const RegistryStore &store, RegHive hive, const QString &key, const QString &name,
                    const QString &defaultValue)
{
    const std::optional<RegValue> value = store.value(hive, key, name);
    if (!value || !value->isText)
        return defaultValue;
    // Text values end at their first NUL, as the registry's string type does.
    const qsizetype nul = value->text.indexOf(QChar(0));
    return nul < 0 ? value->text : value->text.left(nul);
}

bool SetRegValue(RegistryStore &store, RegHive hive, const QString &key, const QString &name, const QString &text)
{
    return store.setValue(hive, key, name, text);
}

void DeleteRegKey(RegistryStore &store, RegHive hive, const QString &key)
{
    store.deleteKey(hive, key);
}
