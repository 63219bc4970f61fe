#pragma once

#include "animation/AnimationModel.h"
#include "animation/HistoryView.h"
#include "animation/KeptLines.h"

#include <QElapsedTimer>
#include <QHash>
#include <QUndoCommand>

#include <optional>

class AnimationHistory;

// One change inside a step.
class StepChange : public QUndoCommand {
public:
    explicit StepChange(QUndoCommand *parent) : QUndoCommand(parent) {}
    // A copy under another step: the history rebuilds itself with these when it drops old steps.
    virtual StepChange *clone(QUndoCommand *parent) const = 0;
    // The memory this change keeps alive, by buffer (lines shared with other steps count once).
    virtual void countBuffers(QHash<const void *, qint64> &buffers) const = 0;
    // Packs the lines it keeps that live (the animation's) doesn't share (see KeptLines).
    virtual void pack(const QVector<AnimationLine> &, QHash<const void *, std::shared_ptr<const QByteArray>> &) const {}
};

// One change to the lines, undone and redone only through the model's own operations.
class LineChange : public StepChange {
public:
    LineChange(AnimationModel &model, QUndoCommand *parent) : StepChange(parent), m_model(model) {}

protected:
    AnimationModel &m_model;
};

// The document's file changed (an import leaves it untitled): undo and redo swap the two names.
class PathChange final : public StepChange {
public:
    PathChange(AnimationHistory &history, const QString &other, QUndoCommand *parent)
        : StepChange(parent), m_history(history), m_other(other)
    {
    }
    void redo() override { swap(); }
    void undo() override { swap(); }
    StepChange *clone(QUndoCommand *parent) const override { return new PathChange(m_history, m_other, parent); }
    void countBuffers(QHash<const void *, qint64> &) const override {}

private:
    void swap();

    AnimationHistory &m_history;
    QString m_other;
};

// Rows inserted or removed: one undoes the other.
class RowsChange final : public LineChange {
public:
    enum Kind { Inserted, Removed };
    RowsChange(AnimationModel &model, Kind kind, int row, const QVector<AnimationLine> &lines, QUndoCommand *parent);
    void redo() override { apply(m_kind); }
    void undo() override { apply(m_kind == Inserted ? Removed : Inserted); }
    StepChange *clone(QUndoCommand *parent) const override;
    void countBuffers(QHash<const void *, qint64> &buffers) const override { m_lines.countBuffers(buffers); }
    void pack(const QVector<AnimationLine> &live,
              QHash<const void *, std::shared_ptr<const QByteArray>> &packs) const override { m_lines.pack(live, packs); }

private:
    RowsChange(AnimationModel &model, Kind kind, int row, const KeptLines &lines, QUndoCommand *parent);
    void apply(Kind kind);

    Kind m_kind;
    int m_row;
    KeptLines m_lines;
};

// Whole-animation changes keep both sides: shared with the animation and the next step while they can be.
class ReplaceLinesChange final : public LineChange {
public:
    ReplaceLinesChange(AnimationModel &model, const KeptLines &before, const KeptLines &after, QUndoCommand *parent)
        : LineChange(model, parent), m_before(before), m_after(after)
    {
    }
    void redo() override { show(m_after, m_before); }
    void undo() override { show(m_before, m_after); }
    StepChange *clone(QUndoCommand *parent) const override { return new ReplaceLinesChange(m_model, m_before, m_after, parent); }
    void countBuffers(QHash<const void *, qint64> &buffers) const override;
    void pack(const QVector<AnimationLine> &live, QHash<const void *, std::shared_ptr<const QByteArray>> &packs) const override;

private:
    void show(const KeptLines &lines, const KeptLines &left)
    {
        m_model.setLines(lines.lines());
        left.releaseIfPacked();
    }

    KeptLines m_before;
    KeptLines m_after;
};

class SetFieldChange final : public LineChange {
public:
    SetFieldChange(AnimationModel &model, int row, AnimationModel::Column column, const QString &before,
                   const QString &after, QUndoCommand *parent);
    void redo() override;
    void undo() override;
    StepChange *clone(QUndoCommand *parent) const override;
    void countBuffers(QHash<const void *, qint64> &buffers) const override;
    bool continues(const SetFieldChange &next) const { return next.m_row == m_row && next.m_column == m_column; }
    void takeAfter(const SetFieldChange &next) { m_after = next.m_after; }

private:
    void apply(const QString &value);

    int m_row;
    AnimationModel::Column m_column;
    QString m_before;
    QString m_after;
};

// One step of the Edit menu: the changes one command made, in order, with where
// the user was before and after it, which undo and redo put back.
class StepCommand final : public QUndoCommand {
public:
    enum { TypingId = 1 };

    StepCommand(AnimationHistory &history, const QString &name, bool typing, const HistoryView &viewBefore,
                int typingRun);
    void setViewAfter(const HistoryView &view) { m_viewAfter = view; }
    void redo() override;
    void undo() override;
    int id() const override { return m_typing ? TypingId : -1; }
    // Typing on one line merges until the user moves to another line or pauses.
    bool mergeWith(const QUndoCommand *other) override;
    StepCommand *clone() const;
    void countBuffers(QHash<const void *, qint64> &buffers) const;

private:
    AnimationHistory &m_history;
    bool m_typing;
    HistoryView m_viewBefore;
    HistoryView m_viewAfter;
    int m_typingRun;
    QElapsedTimer m_lastChange;
};
