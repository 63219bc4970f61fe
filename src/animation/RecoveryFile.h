#pragma once

#include "animation/AnimationLine.h"
#include "platform/WatchedFile.h"

#include <QDateTime>
#include <QVector>

#include <memory>
#include <optional>
#include <QLockFile>
#include <QObject>
#include <QThreadPool>
#include <QTimer>

class AnimationHistory;
class AnimationModel;

// The unsaved work of one running copy, kept in "unsaved-<random id>.ras" in a folder: the lines, the file they
// belong to (or none) and when they were kept. Written a few seconds after the first change not yet kept, on a
// worker thread; removed when the work is saved or the program ends cleanly. The copy holds the file's lock
// ("<file>.lock", RecoveryLockPath) while it runs: a file is another copy's only while its lock is held, whatever
// the process ids (every start in a fresh process-id namespace is process 1).
class RecoveryFile final : public QObject {
    Q_OBJECT
public:
    static constexpr int DelayMs = 3000;

    // file: the document's file as it was when the work began (kept with it, so a restore can tell a later change).
    RecoveryFile(const AnimationModel &model, const AnimationHistory &history, const WatchedFile &file,
                 const QString &folder, QObject *parent = nullptr);
    ~RecoveryFile() override;

    QString path() const { return m_path; }
    // Writes or removes the file on the worker now, without waiting for it (what the timer runs).
    void update();
    // Writes or removes the file now and waits for it.
    void flush();

signals:
    // The work could not be kept (the folder named in the message refuses it), or, with empty text, is kept again.
    void keepingFailed(const QString &message);

private:
    std::unique_ptr<QLockFile> m_lock;
    const AnimationModel &m_model;
    const AnimationHistory &m_history;
    const WatchedFile &m_file;
    QString m_path;
    QTimer m_timer;
    QThreadPool m_worker;  // one thread: writes happen in the order they were asked for
    QString m_folder;
};

// What a recovery file holds.
struct RecoveredWork {
    QString documentPath;  // empty for an untitled animation
    QDateTime keptAt;
    QVector<AnimationLine> lines;
    // The file as it was under the unsaved work; none in files of older versions.
    std::optional<WatchedFile::Stamp> base;
};

QString RecoveryFileText(const RecoveredWork &work);
// How every recovery file's name begins.
inline const QString RecoveryPrefix = QStringLiteral("unsaved-");
// The lock a running copy holds on its recovery file.
QString RecoveryLockPath(const QString &recoveryFile);
// Whether the file name is a recovery file's ("unsaved-<id>.ras") or its lock's.
bool IsRecoveryFileName(const QString &fileName);
// Nothing when the file can't be read or holds no line.
std::optional<RecoveredWork> ReadRecoveryFile(const QString &path);
