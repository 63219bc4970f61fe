#pragma once

#include <QObject>
#include <QThreadPool>
#include <QTimer>

class AnimationModel;
class Prompts;
class QUndoStack;

// Keeps unsaved work in a recovery file of this running copy ("unsaved-<pid>.ras"
// in folder), written a few seconds after each change on a worker thread, and
// removed when the work is saved or the program ends cleanly.
class RecoveryFile final : public QObject {
    Q_OBJECT
public:
    static constexpr int DelayMs = 3000;

    RecoveryFile(const AnimationModel &model, const QUndoStack &history, const QString &folder,
                 QObject *parent = nullptr);
    ~RecoveryFile() override;

    QString path() const { return m_path; }
    // Writes or removes the file on the worker now, without waiting for it (what the timer runs).
    void update();
    // Writes or removes the file now and waits for it.
    void flush();

private:

    const AnimationModel &m_model;
    const QUndoStack &m_history;
    QString m_path;
    QTimer m_timer;
    QThreadPool m_worker;  // one thread: writes happen in the order they were asked for
};

// The recovery file of a copy still running is never offered. For the others,
// newest first: "Restore the unsaved animation from <time>?"; Yes loads it into
// the model as an unsaved change, No removes it. True when one was restored.
bool OfferRecovery(const QString &folder, AnimationModel &model, Prompts &prompts);
