#include "settings/ProgramTraces.h"

#include "animation/RecoveryFile.h"
#include "animation/Settings.h"
#include "platform/RegistryStore.h"
#include "platform/ShellIntegration.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QLockFile>

namespace {

const QString LockEnding = QStringLiteral(".lock");

// The lock files in the folders some running program holds, this one's included.
QStringList heldLocks(const QStringList &folders)
{
    QStringList held;
    for (const QString &folder : folders) {
        QDirIterator it(QDir::cleanPath(folder), {QLatin1Char('*') + LockEnding}, QDir::Files | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QLockFile lock(path);
            // Not held: the program that made it is gone, and the lock goes with the folder.
            lock.setStaleLockTime(1);
            if (lock.tryLock(0))
                lock.unlock();
            else
                held << path;
        }
    }
    return held;
}

bool removeTree(const QString &path, const QStringList &kept)
{
    const QFileInfo info(path);
    if (!info.isDir() || info.isSymLink())
        return kept.contains(path) || QFile::remove(path);
    bool empty = true;
    const QFileInfoList entries =
        QDir(path).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo &entry : entries) {
        const QString child = entry.filePath();
        removeTree(child, kept);
        empty &= !QFileInfo::exists(child) && !entry.isSymLink();
    }
    return empty && QDir().rmdir(path);
}

} // namespace

ProgramTraces::ProgramTraces(RegistryStore &store, DesktopShell &shell, const QStringList &folders)
    : m_store(store), m_shell(shell), m_folders(folders)
{
}

QStringList ProgramTraces::list() const
{
    QStringList lines = m_shell.traces();
    if (m_store.keyExists(RegHive::CurrentUser, SettingsKey))
        lines << QStringLiteral("its settings: options, recent files, window size");
    for (const QString &folder : m_folders) {
        if (QFileInfo(folder).isDir())
            lines << QStringLiteral("the folder %1 with everything in it").arg(QDir::toNativeSeparators(folder));
    }
    return lines;
}

QString ProgramTraces::otherCopyRunning() const
{
    for (const QString &lock : heldLocks(m_folders)) {
        // A running copy holds the lock of its unsaved work as long as it runs (the settings file's lock is
        // held only while a value is written).
        if (!IsRecoveryFileName(QFileInfo(lock).fileName()))
            continue;
        qint64 pid = 0;
        QString host;
        QString application;
        // The lock of this copy's own unsaved work.
        if (QLockFile(lock).getLockInfo(&pid, &host, &application) && pid == QCoreApplication::applicationPid())
            continue;
        const QString work = lock.chopped(LockEnding.size());
        QString reason = QStringLiteral("Another Marqueemaster is running. Close it first: it would write its settings "
                                        "again when it ends.");
        if (QFileInfo::exists(work))
            reason += QStringLiteral(" Its unsaved work is kept in %1.").arg(QDir::toNativeSeparators(work));
        return reason;
    }
    return {};
}

QStringList ProgramTraces::remove()
{
    QStringList left = m_shell.removeAll();
    m_store.deleteKey(RegHive::CurrentUser, SettingsKey);
    m_store.seal();
    const bool workKept = !heldLocks(m_folders).isEmpty();
    for (const QString &folder : RemoveProgramFolders(m_folders)) {
        left << (workKept ? QStringLiteral("%1 keeps this window's unsaved work until Marqueemaster ends.")
                          : QStringLiteral("%1 could not be removed."))
                    .arg(QDir::toNativeSeparators(folder));
    }
    return left;
}

QStringList RemoveProgramFolders(const QStringList &folders)
{
    QStringList kept;
    for (const QString &lock : heldLocks(folders))
        kept << lock << lock.chopped(LockEnding.size());
    QStringList stayed;
    for (const QString &folder : folders) {
        if (QFileInfo::exists(folder) && !removeTree(QDir::cleanPath(folder), kept))
            stayed << folder;
    }
    return stayed;
}
