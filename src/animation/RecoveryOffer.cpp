#include "animation/RecoveryOffer.h"

#include "animation/RecoveryFile.h"
#include "platform/Platform.h"
#include "platform/Prompts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>


namespace {

bool processRunning(qint64 pid)
{
    return pid == QCoreApplication::applicationPid() || Platform::ProcessRunning(pid);
}

QString timeText(const QDateTime &time)
{
    const QLocale locale;
    if (time.date() == QDate::currentDate())
        return locale.toString(time.time(), QLocale::ShortFormat);
    return locale.toString(time, QLocale::ShortFormat);
}

// The files no running copy looks after, newest first, with the copy that wrote each.
QList<std::pair<QString, qint64>> abandonedFiles(const QString &folder)
{
    static const QRegularExpression unsaved(QStringLiteral("^unsaved-(\\d+)\\.ras$"));
    static const QRegularExpression claimed(QStringLiteral("^claimed-(\\d+)-(\\d+)\\.ras$"));
    QList<std::pair<QString, qint64>> files;
    const QFileInfoList entries =
        QDir(folder).entryInfoList({QStringLiteral("unsaved-*.ras"), QStringLiteral("claimed-*.ras")}, QDir::Files,
                                   QDir::Time);
    for (const QFileInfo &entry : entries) {
        if (const QRegularExpressionMatch match = unsaved.match(entry.fileName()); match.hasMatch()) {
            if (!processRunning(match.captured(1).toLongLong()))
                files.append({entry.filePath(), match.captured(1).toLongLong()});
        } else if (const QRegularExpressionMatch match = claimed.match(entry.fileName()); match.hasMatch()) {
            if (!processRunning(match.captured(1).toLongLong()))
                files.append({entry.filePath(), match.captured(2).toLongLong()});
        }
    }
    return files;
}

} // namespace

QString RecoveryQuestion(const RecoveredWork &work)
{
    const QString what = work.documentPath.isEmpty() ? QStringLiteral("an untitled animation")
                                                     : QFileInfo(work.documentPath).fileName();
    return QStringLiteral("Restore the unsaved changes to %1 from %2?").arg(what, timeText(work.keptAt));
}

bool OfferRecovery(const QString &folder, Prompts &prompts, const std::function<bool(const RecoveredWork &)> &restore,
                   const std::function<void(const QString &)> &notice)
{
    for (const auto &[file, writer] : abandonedFiles(folder)) {
        const QString time = timeText(QFileInfo(file).lastModified());
        const QString claimed = QDir(folder).filePath(
            QStringLiteral("claimed-%1-%2.ras").arg(QCoreApplication::applicationPid()).arg(writer));
        if (!QFile::rename(file, claimed))
            continue;  // another copy took it first
        const std::optional<RecoveredWork> work = ReadRecoveryFile(claimed);
        if (!work) {
            QFile::remove(claimed);
            notice(QStringLiteral("An empty or unreadable recovery file from %1 was removed.").arg(time));
            continue;
        }
        const QString unclaimed = QDir(folder).filePath(QStringLiteral("unsaved-%1.ras").arg(writer));
        switch (prompts.message(RecoveryQuestion(*work), AppTitle, PromptIcon::Question,
                                PromptButtons::RestoreNotNowDelete)) {
        case PromptAnswer::Delete:  // the one answer that gives the work up
            QFile::remove(claimed);
            continue;
        case PromptAnswer::Restore:
            break;
        default:  // Not now, Escape: offered again at the next start
            QFile::rename(claimed, unclaimed);
            continue;
        }
        if (!restore(*work)) {
            QFile::rename(claimed, unclaimed);
            return false;
        }
        QFile::remove(claimed);
        return true;
    }
    return false;
}
