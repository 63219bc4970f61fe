#include "game/SystemGamePlaces.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace {

// Install folders the system's records name, where the games' own code reads them.
QStringList foundInstalls()
{
    QStringList found;
#ifdef Q_OS_WIN
    auto read = [&found](const QString &key, const QString &value, const QString &below = {}) {
        const QString folder = QSettings(key, QSettings::NativeFormat).value(value).toString();
        if (!folder.isEmpty())
            found << QDir::cleanPath(QDir::fromNativeSeparators(folder) + below);
    };
    const QString machine = QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\");
    read(machine + QStringLiteral("Microsoft\\Windows\\CurrentVersion\\Uninstall\\Steam App 9010"),
         QStringLiteral("InstallLocation"));
    read(QStringLiteral("HKEY_CURRENT_USER\\Software\\Valve\\Steam"), QStringLiteral("SteamPath"),
         QStringLiteral("/SteamApps/common/Return To Castle Wolfenstein"));
    read(machine + QStringLiteral("GOG.com\\Games\\1441704976"), QStringLiteral("PATH"));
    read(machine + QStringLiteral("Activision\\Wolfenstein - Enemy Territory"), QStringLiteral("InstallPath"));
    read(machine + QStringLiteral("ETLegacy"), QStringLiteral("InstallPath"));
#endif
    return found;
}

} // namespace

GamePlaces SystemGamePlaces(const QStringList &chosenInstalls)
{
    GamePlaces places;
#if defined(Q_OS_WIN)
    places.os = HostOs::Windows;
#elif defined(Q_OS_MACOS)
    places.os = HostOs::MacOs;
#endif
    places.home = QDir::homePath();
    places.documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    places.installs = chosenInstalls + foundInstalls();
    return places;
}
