#pragma once

#include <QStringList>

class DesktopShell;
class RegistryStore;

// Everything the program keeps on this computer outside its own folder — its settings, its folders, what it gave
// the desktop — and taking all of it away, for a player who is about to delete the program.
class ProgramTraces {
public:
    ProgramTraces(RegistryStore &store, DesktopShell &shell, const QStringList &folders);

    // What remove() would take, one line each; empty when there is nothing.
    QStringList list() const;
    // Why nothing may be removed now, or empty text: another copy runs, which would write its settings again
    // when it ends (and whose unsaved work is kept in the program's folder).
    QString otherCopyRunning() const;
    // Takes everything away and seals the store, so this copy writes nothing back either. Returns what stays,
    // in words: another program's things, and this copy's unsaved work until it ends.
    QStringList remove();

private:
    RegistryStore &m_store;
    DesktopShell &m_shell;
    QStringList m_folders;
};

// Removes the folders with what is in them, but not a running copy's unsaved work (a file whose lock is held):
// the folder holding it stays. Run again when this copy ends, for its own. Returns the folders that stayed.
QStringList RemoveProgramFolders(const QStringList &folders);
