#pragma once

#include <QStringList>

class RegistryStore;

// The .ras class the program registers, and the names under HKEY_CLASSES_ROOT.
namespace ShellKeys {
inline const QString RasExtension = QStringLiteral(".ras");
inline const QString CfgExtension = QStringLiteral(".cfg");
inline const QString RasClass = QStringLiteral("RtcwAnimationScript");
inline const QString RasCommandKey = QStringLiteral("RtCWAnimationScript\\shell\\open\\command");
inline const QString BackupValue = QStringLiteral("prev_backup");
inline const QString ContextEntry = QStringLiteral("\\shell\\ImportMarqueemaster");
inline const QString ContextCaption = QStringLiteral("Import script in &Marqueemaster");
} // namespace ShellKeys

enum class AssociationState { NotAssociated, OtherProgram, Marqueemaster };

// What the ".ras Association" frame shows.
struct AssociationStatus {
    AssociationState state = AssociationState::NotAssociated;
    QString text;               // "[Not associated yet]", ...
    bool canAssociate = true;   // cmdAssociate enabled
    bool canRestore = false;    // cmdRestore enabled
    bool IsAssociated = false;  // ".ras" names exactly the program's class
};

// What the context menu frame shows.
struct ContextMenuStatus {
    QString cfgClass;         // empty: ".cfg" names no class, so there is no place for the entry
    bool present = false;     // picON shown instead of picOFF
    bool canAdd = true;       // cmdAddContext enabled
    bool canRemove = false;   // cmdRemoveContext enabled
};

// The command line the shell runs with a file: on Windows the program's folder,
// its name with ".exe" and " %1"; elsewhere the executable's full path and " %1".
QString ProgramCommand(const QString &executablePath);
// The Windows form, for any path text (either separator); no doubled backslash
// for a program at a drive's root.
QString WindowsProgramCommand(const QString &executablePath);
// The icon .ras files show: the program of the command, its first icon ("C:\...\marqueemaster.exe,0").
QString ProgramIconOf(const QString &programCommand);

// The texts and buttons of each state, the same on every platform.
AssociationStatus AssociationStatusOf(AssociationState state);
// Only the class name is looked at; it must match exactly, case included.
AssociationStatus ReadAssociationStatus(const RegistryStore &store);
// Points ".ras" at the program's class, keeping another program's class in
// "prev_backup". Does nothing when ".ras" already names the program's class.
void AssociateRasFiles(RegistryStore &store, const QString &programCommand);
// Puts the backed-up class back, or deletes ".ras" when there is none. Does
// nothing unless ".ras" names the program's class. The class key stays.
void RestoreRasAssociation(RegistryStore &store);

ContextMenuStatus ReadContextMenuStatus(const RegistryStore &store);
// Both change nothing when ".cfg" names no class.
void AddContextMenuEntry(RegistryStore &store, const QString &programCommand);
void RemoveContextMenuEntry(RegistryStore &store);
// What the program gave the registry, in words; empty when nothing.
QStringList RegistryTraces(const RegistryStore &store);
// Restores the association, removes the context entry, the program's class and the backup value; returns what
// stays that another program owns (or only an administrator can remove), in words.
QStringList RemoveRegistryTraces(RegistryStore &store);

// The four buttons of the "Registry Options" page and their two status reads,
// over whatever the platform's shell keeps.
class DesktopShell {
public:
    virtual ~DesktopShell() = default;
    virtual AssociationStatus associationStatus() const = 0;
    virtual void associate() = 0;
    virtual void restoreAssociation() = 0;
    virtual ContextMenuStatus contextMenuStatus() const = 0;
    virtual void addContextEntry() = 0;
    virtual void removeContextEntry() = 0;
    // What the program gave the shell, in words; empty when nothing.
    virtual QStringList traces() const = 0;
    // Takes back everything the program gave the shell; returns what stays that another program owns, in words.
    virtual QStringList removeAll() = 0;
};

// The registry entries above, as Windows reads them.
class RegistryShell final : public DesktopShell {
public:
    RegistryShell(RegistryStore &store, const QString &programCommand) : m_store(store), m_command(programCommand) {}
    AssociationStatus associationStatus() const override { return ReadAssociationStatus(m_store); }
    void associate() override { AssociateRasFiles(m_store, m_command); }
    void restoreAssociation() override { RestoreRasAssociation(m_store); }
    ContextMenuStatus contextMenuStatus() const override { return ReadContextMenuStatus(m_store); }
    void addContextEntry() override { AddContextMenuEntry(m_store, m_command); }
    void removeContextEntry() override { RemoveContextMenuEntry(m_store); }
    QStringList traces() const override { return RegistryTraces(m_store); }
    QStringList removeAll() override { return RemoveRegistryTraces(m_store); }

private:
    RegistryStore &m_store;
    QString m_command;
};
