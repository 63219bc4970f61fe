#include "app/RecoveryFile.h"

#include "animation/AnimationFile.h"
#include "animation/AnimationModel.h"
#include "platform/Prompts.h"
#include "platform/TextFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QUndoStack>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#endif

namespace {

const QString FilePattern = QStringLiteral("unsaved-*.ras");

bool processRunning(qint64 pid)
{
#ifdef Q_OS_WIN
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!process)
        return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    const bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
#else
    return pid > 0 && (kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
#endif
}

} // namespace

RecoveryFile::RecoveryFile(const AnimationModel &model, const QUndoStack &history, const QString &folder,
                           QObject *parent)
    : QObject(parent), m_model(model), m_history(history),
      m_path(QDir(folder).filePath(QStringLiteral("unsaved-%1.ras").arg(QCoreApplication::applicationPid())))
{
    QDir().mkpath(folder);
    m_worker.setMaxThreadCount(1);
    m_timer.setSingleShot(true);
    m_timer.setInterval(DelayMs);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryFile::update);
    // Counted from the first change not yet written, so that steady typing can't put the write off.
    auto changed = [this] {
        if (!m_timer.isActive())
            m_timer.start();
    };
    connect(&history, &QUndoStack::indexChanged, this, changed);
    connect(&history, &QUndoStack::cleanChanged, this, changed);
}

RecoveryFile::~RecoveryFile()
{
    m_timer.stop();
    m_worker.waitForDone();
    QFile::remove(m_path);
}

void RecoveryFile::flush()
{
    m_timer.stop();
    update();
    m_worker.waitForDone();
}

void RecoveryFile::update()
{
    const QString path = m_path;
    if (m_history.isClean()) {
        m_worker.start([path] { QFile::remove(path); });
        return;
    }
    // Copying the lines only shares them; the worker encodes and writes.
    const QVector<AnimationLine> lines = m_model.lines();
    m_worker.start([path, lines] { WriteTextFile(path, AnimationFileText(lines)); });
}

bool OfferRecovery(const QString &folder, AnimationModel &model, Prompts &prompts)
{
    static const QRegularExpression name(QStringLiteral("^unsaved-(\\d+)\\.ras$"));
    const QFileInfoList files = QDir(folder).entryInfoList({FilePattern}, QDir::Files, QDir::Time);
    for (const QFileInfo &file : files) {
        const QRegularExpressionMatch match = name.match(file.fileName());
        const qint64 pid = match.hasMatch() ? match.captured(1).toLongLong() : 0;
        if (!match.hasMatch() || pid == QCoreApplication::applicationPid() || processRunning(pid))
            continue;
        const QString time = QLocale().toString(file.lastModified(), QLocale::ShortFormat);  // before the file moves
        // Claimed by renaming, so that two copies starting together don't both offer it.
        const QString claimed = QDir(folder).filePath(
            QStringLiteral("claimed-%1-%2.ras").arg(QCoreApplication::applicationPid()).arg(pid));
        if (!QFile::rename(file.filePath(), claimed))
            continue;
        const PromptAnswer answer = prompts.message(
            QStringLiteral("Restore the unsaved animation from %1?").arg(time), AppTitle, PromptIcon::Question,
            PromptButtons::YesNo);
        if (answer == PromptAnswer::Yes) {
            AnimationStep step(model, QStringLiteral("Restore unsaved animation"));
            LoadAnimation(model, claimed, prompts);
        }
        QFile::remove(claimed);
        if (answer == PromptAnswer::Yes)
            return true;
    }
    return false;
}
