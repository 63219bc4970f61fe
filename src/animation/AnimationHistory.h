#pragma once

#include "animation/AnimationModel.h"
#include "animation/HistoryView.h"

#include <QObject>
#include <QTimer>
#include <QUndoStack>

#include <functional>
#include <optional>

class StepCommand;

// The animation's undo history and the file it belongs to. Every change the model
// makes reaches it, inside a named step or as a step of its own, so nothing changes
// the lines behind its back. Old steps are dropped when the history holds more than
// MemoryBudget bytes. The file name is part of the history: an import that leaves
// the animation untitled is undone with its lines.
class AnimationHistory final : public QObject, public AnimationChangeListener {
    Q_OBJECT
public:
    static constexpr qint64 MemoryBudget = 40LL * 1024 * 1024;
    static constexpr int StepLimit = 1000;

    explicit AnimationHistory(AnimationModel &model, QObject *parent = nullptr);
    ~AnimationHistory() override;

    QUndoStack &stack() { return m_stack; }
    const QUndoStack &stack() const { return m_stack; }
    // How the history reads where the user is when a step begins and ends, and puts it back after undo or redo.
    void setViewAccess(std::function<HistoryView()> current, std::function<void(const HistoryView &)> restore);

    // The .ras file the lines belong to; empty for an untitled animation.
    const QString &filePath() const { return m_filePath; }
    // Starts over with these lines of path: nothing to undo, and they count as saved.
    void startOver(const QVector<AnimationLine> &lines, const QString &path);
    // The lines were written to path: this is the saved state now.
    void markSaved(const QString &path);
    // Within the open step: the lines belong to another file from now on (undone with the step).
    void changeFilePath(const QString &path);
    // For the steps only: sets the name without a step.
    void setFilePath(const QString &path);
    // The user moved to another line: the next typing is a step of its own.
    void endTyping() { ++m_typingRun; }
    qint64 memoryCost() const;

    // For the steps: while silent they don't act (a step already made, a rebuild).
    bool silent() const { return m_silent; }
    bool rebuilding() const { return m_rebuilding; }
    void replay(const std::function<void()> &changes, const HistoryView &view);

    void linesInserted(int row, const QVector<AnimationLine> &lines) override;
    void linesRemoved(int row, const QVector<AnimationLine> &lines) override;
    void linesReplaced(const QVector<AnimationLine> &before, const QVector<AnimationLine> &after) override;
    void fieldChanged(int row, AnimationModel::Column column, const QString &before, const QString &after) override;
    void beginStep(const QString &name, bool typing) override;
    void endStep() override;

signals:
    void filePathChanged(const QString &path);
    // Steps were dropped to stay within the memory budget.
    void olderStepsDropped();

private:
    HistoryView currentView() const { return m_currentView ? m_currentView() : HistoryView{}; }
    void keepWithinBudget();
    // Packs the lines only older states keep (KeptLines); run after each change of the history.
    void packOlderStates();
    // What each step adds to the memory, oldest first: lines shared with a newer step or the model count there.
    QVector<qint64> stepCosts() const;

    AnimationModel &m_model;
    QUndoStack m_stack;
    StepCommand *m_open = nullptr;
    int m_depth = 0;
    int m_typingRun = 0;
    bool m_silent = false;
    bool m_rebuilding = false;
    bool m_replaying = false;
    std::function<HistoryView()> m_currentView;
    std::function<void(const HistoryView &)> m_restoreView;
    QString m_filePath;
    QTimer m_packTimer;
    int m_replayedSincePack = 0;
};
