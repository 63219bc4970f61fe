#include "game/SystemGamePlaces.h"

#include "platform/Platform.h"

#include <QDir>
#include <QStandardPaths>

namespace {

// Install folders the system's records name, where the games' own code reads them (Windows only has them).
QStringList foundInstalls()
{
    QStringList found;
    auto read = [&found](const QString &key, const QString &value, const QString &below = {}) {
        const QString folder = Platform::SystemRecord(key, value);
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
    return found;
}

HostOs hostOs()
{
    switch (Platform::ThisSystem()) {
    case Platform::System::Windows: return HostOs::Windows;
    case Platform::System::MacOs: return HostOs::MacOs;
    case Platform::System::Linux: break;
    }
    return HostOs::Linux;
}

} // namespace

GamePlaces SystemGamePlaces(const QStringList &chosenInstalls)
{
    GamePlaces places;
    places.os = hostOs();
    places.home = QDir::homePath();
    places.documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    places.installs = chosenInstalls + foundInstalls();
    return places;
}
