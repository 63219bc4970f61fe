#pragma once

#include "animation/AnimationHistory.h"
#include "animation/AnimationModel.h"
#include "animation/RecoveryFile.h"
#include "platform/WatchedFile.h"

#include <QObject>

#include <memory>

// The animation being worked on: its lines, the .ras file they belong to, their saved state, the undo history
// and the recovery file, kept as one. Opening a file starts a new document (nothing to undo into another file);
// every other change is an undo step of this one. "Unsaved" means the history is not at its saved state.
class Document final : public QObject {
    Q_OBJECT
public:
    explicit Document(QObject *parent = nullptr);
    ~Document() override;

    AnimationModel &model() { return m_model; }
    const AnimationModel &model() const { return m_model; }
    AnimationHistory &history() { return m_history; }
    const QString &filePath() const { return m_history.filePath(); }
    // The file's name, or "untitled".
    QString displayName() const;
    bool isModified() const { return !m_history.stack().isClean(); }

    // A new document holding lines, from path (empty: untitled); saved, nothing to undo.
    void start(const QVector<AnimationLine> &lines, const QString &path);
    // Work kept by a recovery file: the document of its file (as the file is now, or empty when it can't be read)
    // with the kept lines as one unsaved step on top, written to this copy's own recovery file at once. A file
    // changed since the work was kept counts as changed on disk, so saving over it asks.
    void restore(const QVector<AnimationLine> &saved, const RecoveredWork &work);
    // The lines were written to path.
    void markSaved(const QString &path);
    // Whether another program changed or removed the file since it was opened or saved.
    WatchedFile::Change changeOnDisk() const { return m_file.change(); }

    // Keeps unsaved work in folder from now on (the program does; tests mostly don't).
    void keepRecoveryIn(const QString &folder);
    RecoveryFile *recovery() const { return m_recovery.get(); }

signals:
    void changedOnDisk(WatchedFile::Change change);
    // Unsaved work can't be kept for a crash (why, naming the folder), or, with empty text, is kept again.
    void recoveryTrouble(const QString &message);

private:
    AnimationModel m_model;
    AnimationHistory m_history{m_model};
    WatchedFile m_file;
    std::unique_ptr<RecoveryFile> m_recovery;
};
