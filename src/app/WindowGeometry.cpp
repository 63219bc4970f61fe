#include "app/WindowGeometry.h"

#include "animation/Settings.h"

#include <QWidget>

bool RestoreWindowGeometry(QWidget &window, const RegistryStore &store)
{
    const QByteArray geometry = LoadSettings(store).windowGeometry;
    return !geometry.isEmpty() && window.restoreGeometry(geometry);
}

void SaveWindowGeometry(const QWidget &window, RegistryStore &store)
{
    Settings settings;
    settings.windowGeometry = window.saveGeometry();
    SaveSetting(store, settings, SettingsValue::WindowGeometry);
}
