#pragma once

#include "platform/ShellIntegration.h"

#include <QStringList>

#include <optional>

class KeyFileLines;

// The file types and the desktop entry that name the program on freedesktop systems.
namespace DesktopNames {
inline const QString AnimationType = QStringLiteral("application/x-marqueemaster-animation");
inline const QString ScriptType = QStringLiteral("text/x-rtcw-script");
QString DesktopId();  // "<reverse-DNS id>.desktop"
} // namespace DesktopNames

// The association as a freedesktop desktop keeps it: the default application
// of the animation type in the user's mimeapps.list, and the program as an
// "Open with" choice of game scripts (an added association; the entry itself
// declares only animations, or it would become every .cfg file's default).
// Every line the buttons write is recorded in the store, so that the button
// that takes it back leaves mimeapps.list byte for byte as it was. Run from a
// build, the user gets a desktop entry of their own while a button needs it.
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
    QStringList traces() const override;
    QStringList removeAll() override;

    // A desktop entry's Exec line for the program: its path quoted, then "%f".
    static QString ExecLine(const QString &executablePath);

private:
    void uninstallForUserWhenUnused() const;
    // Restore's lines that leave an installed entry out, taken back; true when there were any.
    bool takeBackRestoreLines(KeyFileLines &list);
    // Associate's default line given back as it was before.
    void takeBackDefault(KeyFileLines &list);
    // Add's lines given back as they were before (the records stay for the caller to drop).
    void takeBackContextLines(KeyFileLines &list);
    QString userMimeAppsPath() const;
    // What a button wrote, kept under ".ras" or ".cfg" in the store; nothing when it wrote nothing.
    std::optional<QString> record(const QString &key, const QString &name) const;
    void setRecord(const QString &key, const QString &name, const QString &text);
    void dropRecord(const QString &key, const QString &name);
    // Line changes that record the groups and the file they make, so that taking
    // the last line out takes those too.
    void insertLine(KeyFileLines &list, const QString &group, const QString &key, const QString &value);
    QString addListed(KeyFileLines &list, const QString &group, const QString &key, const QString &id);
    void removeLine(KeyFileLines &list, const QString &group, const QString &key);
    void takeListed(KeyFileLines &list, const QString &group, const QString &key, const QString &id,
                    const std::optional<QString> &how);
    void noteMade(const QString &group, const QString &made);
    void saveList(const KeyFileLines &list);

    RegistryStore &m_store;
    QString m_executable;
};
