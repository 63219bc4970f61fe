#include "animation/RecoveryOffer.h"

#include "animation/RecoveryFile.h"
#include "platform/Platform.h"
#include "platform/Prompts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>
#include <QRegularExpression>

#include <memory>


namespace {

QString timeText(const QDateTime &time)
{
    const QLocale locale;
    if (time.date() == QDate::currentDate())
        return locale.toString(time.time(), QLocale::ShortFormat);
    return locale.toString(time, QLocale::ShortFormat);
}

// Files of earlier versions, named by the process that wrote them (or claimed them), not locked: another
// copy's while that process runs.
bool heldByAnOlderCopy(const QString &name)
{
    static const QRegularExpression byProcess(QStringLiteral("^(?:unsaved|claimed)-(\\d+)(?:-\\d+)?\\.ras$"));
    const QRegularExpressionMatch match = byProcess.match(name);
    if (!match.hasMatch())
        return false;
    const qint64 pid = match.captured(1).toLongLong();
    return pid != QCoreApplication::applicationPid() && Platform::ProcessRunning(pid);
}

// The recovery files no running copy holds, newest first, each with its lock now held here.
QList<std::pair<QString, std::shared_ptr<QLockFile>>> abandonedFiles(const QString &folder)
{
    QList<std::pair<QString, std::shared_ptr<QLockFile>>> files;
    const QFileInfoList entries =
        QDir(folder).entryInfoList({RecoveryPrefix + QStringLiteral("*.ras"), QStringLiteral("claimed-*.ras")}, QDir::Files,
                                   QDir::Time);
    for (const QFileInfo &entry : entries) {
        if (heldByAnOlderCopy(entry.fileName()))
            continue;
        auto lock = std::make_shared<QLockFile>(RecoveryLockPath(entry.filePath()));
        // A lock left by a copy that is gone is taken over at once; its process id proves nothing (a fresh
        // process-id namespace reuses it), the lock itself does: a running copy keeps it locked.
        lock->setStaleLockTime(1);
        if (lock->tryLock(0))
            files.append({entry.filePath(), lock});
    }
    return files;
}

} // namespace

QString RecoveryQuestion(const RecoveredWork &work)
{
    const QString name = QFileInfo(work.documentPath).fileName();
    const QString what = work.documentPath.isEmpty() ? QStringLiteral("an untitled animation") : name;
    const QString question = QStringLiteral("Restore the unsaved changes to %1 from %2?").arg(what, timeText(work.keptAt));
    switch (work.base ? work.base->changeOf(work.documentPath) : WatchedFile::Change::None) {
    case WatchedFile::Change::Changed:
        return question + QStringLiteral("\n\n%1 was changed after these changes were kept.").arg(name);
    case WatchedFile::Change::Removed:
        return question + QStringLiteral("\n\n%1 was removed after these changes were kept.").arg(name);
    default: return question;
    }
}

bool OfferRecovery(const QString &folder, Prompts &prompts, const std::function<bool(const RecoveredWork &)> &restore,
                   const std::function<void(const QString &)> &notice)
{
    bool restored = false;
    for (const auto &[file, lock] : abandonedFiles(folder)) {
        const std::optional<RecoveredWork> work = ReadRecoveryFile(file);
        if (!work) {
            QFile::remove(file);
            notice(QStringLiteral("An empty or unreadable recovery file from %1 was removed.")
                       .arg(timeText(QFileInfo(file).lastModified())));
            continue;
        }
        switch (prompts.message(RecoveryQuestion(*work), AppTitle, PromptIcon::Question,
                                PromptButtons::RestoreNotNowDelete)) {
        case PromptAnswer::Delete:  // the one answer that gives the work up
            QFile::remove(file);
            continue;
        case PromptAnswer::Restore:
            break;
        default:  // Not now, Escape: offered again at the next start
            continue;
        }
        if (!restore(*work))
            return restored;  // kept, to be offered again
        QFile::remove(file);
        restored = true;  // the next one asks about this work before it replaces it
    }
    return restored;
}
