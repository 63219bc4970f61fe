#pragma once

#include <QStringList>

// The folders the desktop program keeps its things in, the same whichever of the two programs asks (the
// command-line tool has a name of its own, and the folders are named after the application).
namespace ProgramFolders {

// Its settings where there is no registry: ~/.config/Marqueemaster (Windows: %LOCALAPPDATA%\Marqueemaster).
QString Config();
// Unsaved work and the copies kept while saving: ~/.local/share/Marqueemaster (Windows: %APPDATA%\Marqueemaster).
QString Data();
// The player's own leet table: ~/.local/share/Marqueemaster (Windows: %LOCALAPPDATA%\Marqueemaster).
QString Shared();
// Each of the above once.
QStringList All();

} // namespace ProgramFolders
