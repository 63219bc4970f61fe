#pragma once

#include <QString>
#include <memory>

class DesktopShell;
class RegistryStore;

// The shell the options window changes: the registry on Windows, the
// freedesktop files (desktop entry, MIME package, mimeapps.list) elsewhere.
// The store keeps the association's backup on every platform.
std::unique_ptr<DesktopShell> SystemDesktopShell(RegistryStore &store, const QString &executablePath);
