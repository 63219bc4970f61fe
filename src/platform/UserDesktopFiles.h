#pragma once

#include <QString>

// The desktop entry, MIME package and icon the program gives a user when it
// runs without being installed. Every file it writes is listed in a manifest
// in its data folder with a hash of its bytes; a listed file is rewritten or
// removed only while it still holds those bytes, so an installation
// (cmake --install, a package) that wrote over it is used as it is.
namespace UserDesktopFiles {

// <data home>/Marqueemaster/installed-files
QString ManifestPath();
// Writes what is missing or differs (the entry starts execLine) unless installed elsewhere.
void Install(const QString &execLine);
// Removes the listed files that are still the program's, the folders it made
// when nothing else is left in them, and the manifest. execLine judges the
// files listed without a hash (by an earlier version): only one that holds
// what Install(execLine) writes goes.
void Uninstall(const QString &execLine);

} // namespace UserDesktopFiles
