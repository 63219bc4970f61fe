#pragma once

#include "platform/ShellIntegration.h"

#include <QStringList>

// The file types and the desktop entry that name the program on freedesktop systems.
namespace DesktopNames {
inline const QString AnimationType = QStringLiteral("application/x-marqueemaster-animation");
inline const QString ScriptType = QStringLiteral("text/x-rtcw-script");
QString DesktopId();  // "<reverse-DNS id>.desktop"
} // namespace DesktopNames

// The association as a freedesktop desktop keeps it: the default application
// of the animation type in the user's mimeapps.list, and the program as an
// "Open with" choice of game scripts (an added association; the entry itself
// declares only animations, or it would become every .cfg file's default). When the program is not installed, the
// first change gives the user a desktop entry and MIME package of their own.
// Every folder comes from the XDG_* variables.
class FreedesktopShell final : public DesktopShell {
public:
    FreedesktopShell(RegistryStore &store, const QString &executablePath);

    AssociationStatus associationStatus() const override;
    void associate() override;
    void restoreAssociation() override;
    ContextMenuStatus contextMenuStatus() const override;
    void addContextEntry() override;
    void removeContextEntry() override;

    // The desktop id that opens files of the type, found as xdg-mime finds it;
    // empty when none does.
    static QString DefaultApplication(const QString &mimeType);
    // A desktop entry's Exec line for the program: its path quoted, then "%f".
    static QString ExecLine(const QString &executablePath);

private:
    // Run from a build, the user gets a desktop entry and MIME package of their
    // own while the program is the animations' default or a scripts' choice.
    void installForUser() const;
    void uninstallForUserWhenUnused() const;
    QString userMimeAppsPath() const;

    RegistryStore &m_store;
    QString m_executable;
};
