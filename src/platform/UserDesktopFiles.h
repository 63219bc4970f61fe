#pragma once

#include <QString>
#include <QStringList>

// The desktop entry, MIME package and icon the program gives a user when it
// runs without being installed. Every file it writes is listed in a manifest
// in its data folder; only listed files are ever rewritten or removed, so an
// installation (cmake --install, a package) is used as it is.
namespace UserDesktopFiles {

// <data home>/Marqueemaster/installed-files
QString ManifestPath();
QStringList Listed();
// An entry of the program's id in an application folder that the manifest doesn't list.
bool InstalledElsewhere();
// Writes what is missing or differs (the entry starts this executable) unless installed elsewhere.
void Install(const QString &execLine);
// Removes the listed files and the manifest.
void Uninstall();

} // namespace UserDesktopFiles
