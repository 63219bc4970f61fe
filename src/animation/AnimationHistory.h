#pragma once

#include "animation/AnimationModel.h"

#include <QObject>
#include <QUndoStack>

#include <functional>
#include <optional>

class StepCommand;

// The animation's undo history. Every change the model makes reaches it, inside
// a named step or as a step of its own, so nothing changes the lines behind its
// back. Old steps are dropped when the history holds more than MemoryBudget bytes.
class AnimationHistory final : public QObject, public AnimationChangeListener {
    Q_OBJECT
public:
    static constexpr qint64 MemoryBudget = 40LL * 1024 * 1024;
    static constexpr int StepLimit = 1000;

    explicit AnimationHistory(AnimationModel &model, QObject *parent = nullptr);
    ~AnimationHistory() override;

    QUndoStack &stack() { return m_stack; }
    // How the history reads the current row when a step begins and ends, and puts it back after undo or redo.
    void setRowAccess(std::function<std::optional<int>()> current, std::function<void(std::optional<int>)> restore);
    // The user moved to another line: the next typing is a step of its own.
    void endTyping() { ++m_typingRun; }
    qint64 memoryCost() const;

    // For the steps: while silent they don't act (a step already made, a rebuild).
    bool silent() const { return m_silent; }
    bool rebuilding() const { return m_rebuilding; }
    void replay(const std::function<void()> &changes, std::optional<int> row);

    void linesInserted(int row, const QVector<AnimationLine> &lines) override;
    void linesRemoved(int row, const QVector<AnimationLine> &lines) override;
    void linesReplaced(const QVector<AnimationLine> &before, const QVector<AnimationLine> &after) override;
    void fieldChanged(int row, AnimationModel::Column column, const QString &before, const QString &after) override;
    void beginStep(const QString &name, bool typing) override;
    void endStep() override;

private:
    void keepWithinBudget();
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
    std::function<std::optional<int>()> m_currentRow;
    std::function<void(std::optional<int>)> m_restoreRow;
};
