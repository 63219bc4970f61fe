#include "app/WindowGeometry.h"

#include "animation/Settings.h"
#include "platform/RegistryStore.h"

#include <QWidget>

namespace {
const QString GeometryValue = QStringLiteral("WindowGeometry");
}

bool RestoreWindowGeometry(QWidget &window, const RegistryStore &store)
{
    const std::optional<RegValue> stored = store.value(RegHive::CurrentUser, SettingsKey, GeometryValue);
    return stored && stored->isText && window.restoreGeometry(QByteArray::fromBase64(stored->text.toLatin1()));
}

void SaveWindowGeometry(const QWidget &window, RegistryStore &store)
{
    store.setValue(RegHive::CurrentUser, SettingsKey, GeometryValue, QString::fromLatin1(window.saveGeometry().toBase64()));
}
