#include "animation/UndoCommands.h"

#include "animation/AnimationHistory.h"

namespace {

// A typing step ends when the user has not typed on it for this long.
constexpr qint64 TypingPauseMs = 1000;

} // namespace

RowsChange::RowsChange(AnimationModel &model, Kind kind, int row, const QVector<AnimationLine> &lines,
                       QUndoCommand *parent)
    : RowsChange(model, kind, row, KeptLines(lines), parent)
{
}

RowsChange::RowsChange(AnimationModel &model, Kind kind, int row, const KeptLines &lines, QUndoCommand *parent)
    : LineChange(model, parent), m_kind(kind), m_row(row), m_lines(lines)
{
}

void RowsChange::apply(Kind kind)
{
    if (kind == Inserted) {
        m_model.insertLines(m_row, m_lines.lines());
        m_lines.releaseIfPacked();  // the animation holds its own copy now
    } else {
        m_model.removeLines(m_row, m_lines.size());
    }
}

StepChange *RowsChange::clone(QUndoCommand *parent) const
{
    return new RowsChange(m_model, m_kind, m_row, m_lines, parent);
}

void ReplaceLinesChange::countBuffers(QHash<const void *, qint64> &buffers) const
{
    m_before.countBuffers(buffers);
    m_after.countBuffers(buffers);
}

void ReplaceLinesChange::pack(const QVector<AnimationLine> &live,
                              QHash<const void *, std::shared_ptr<const QByteArray>> &packs) const
{
    m_before.pack(live, packs);
    m_after.pack(live, packs);
}

SetFieldChange::SetFieldChange(AnimationModel &model, int row, AnimationModel::Column column, const QString &before,
                               const QString &after, QUndoCommand *parent)
    : LineChange(model, parent), m_row(row), m_column(column), m_before(before), m_after(after)
{
}

void SetFieldChange::apply(const QString &value)
{
    switch (m_column) {
    case AnimationModel::TextColumn: m_model.setText(m_row, value); break;
    case AnimationModel::TimeColumn: m_model.setTime(m_row, value); break;
    case AnimationModel::ActionColumn: m_model.setAction(m_row, value); break;
    default: break;
    }
}

void SetFieldChange::redo()
{
    apply(m_after);
}

void SetFieldChange::undo()
{
    apply(m_before);
}

StepChange *SetFieldChange::clone(QUndoCommand *parent) const
{
    return new SetFieldChange(m_model, m_row, m_column, m_before, m_after, parent);
}

void SetFieldChange::countBuffers(QHash<const void *, qint64> &buffers) const
{
    buffers.insert(this, TextBytes(m_before) + TextBytes(m_after));
}

StepCommand::StepCommand(AnimationHistory &history, const QString &name, bool typing, const HistoryView &viewBefore,
                         int typingRun)
    : QUndoCommand(name), m_history(history), m_typing(typing), m_viewBefore(viewBefore), m_viewAfter(viewBefore),
      m_typingRun(typingRun)
{
    m_lastChange.start();
}

void StepCommand::redo()
{
    if (m_history.silent())
        return;
    m_history.replay([this] { QUndoCommand::redo(); }, m_viewAfter);
}

void StepCommand::undo()
{
    if (m_history.silent())
        return;
    m_history.replay([this] { QUndoCommand::undo(); }, m_viewBefore);
}

bool StepCommand::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const StepCommand *>(other);
    if (m_history.rebuilding() || next->m_typingRun != m_typingRun || childCount() != 1 || next->childCount() != 1
        || m_lastChange.elapsed() - next->m_lastChange.elapsed() > TypingPauseMs)
        return false;
    auto *mine = dynamic_cast<SetFieldChange *>(const_cast<QUndoCommand *>(child(0)));
    const auto *theirs = dynamic_cast<const SetFieldChange *>(next->child(0));
    if (!mine || !theirs || !mine->continues(*theirs))
        return false;
    mine->takeAfter(*theirs);
    m_viewAfter = next->m_viewAfter;
    m_lastChange = next->m_lastChange;
    return true;
}

StepCommand *StepCommand::clone() const
{
    auto *copy = new StepCommand(m_history, text(), m_typing, m_viewBefore, m_typingRun);
    copy->m_viewAfter = m_viewAfter;
    copy->m_lastChange = m_lastChange;
    for (int i = 0; i < childCount(); ++i)
        static_cast<const StepChange *>(child(i))->clone(copy);
    return copy;
}

void StepCommand::countBuffers(QHash<const void *, qint64> &buffers) const
{
    for (int i = 0; i < childCount(); ++i)
        static_cast<const StepChange *>(child(i))->countBuffers(buffers);
}

void PathChange::swap()
{
    const QString current = m_history.filePath();
    m_history.setFilePath(m_other);
    m_other = current;
}
