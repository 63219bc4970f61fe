#include "animation/AnimationHistory.h"

#include "animation/UndoCommands.h"
#include "platform/Platform.h"

#include <QSet>
#include <QTimer>

#include <numeric>

AnimationHistory::AnimationHistory(AnimationModel &model, QObject *parent) : QObject(parent), m_model(model)
{
    m_stack.setUndoLimit(StepLimit);
    m_model.setListener(this);
    // Packed after the step's frame is drawn: the command itself stays as quick as the change.
    m_packTimer.setSingleShot(true);
    m_packTimer.setInterval(0);
    connect(&m_packTimer, &QTimer::timeout, this, &AnimationHistory::packOlderStates);
    connect(&m_stack, &QUndoStack::indexChanged, &m_packTimer, qOverload<>(&QTimer::start));
}

AnimationHistory::~AnimationHistory()
{
    // The stack says it is clean again as it goes, when the file path and the windows listening may be gone.
    m_stack.blockSignals(true);
    if (m_model.listener() == this)
        m_model.setListener(nullptr);
    delete m_open;
}

void AnimationHistory::setViewAccess(std::function<HistoryView()> current,
                                     std::function<void(const HistoryView &)> restore)
{
    m_currentView = std::move(current);
    m_restoreView = std::move(restore);
}

void AnimationHistory::setFilePath(const QString &path)
{
    if (path == m_filePath)
        return;
    m_filePath = path;
    emit filePathChanged(path);
}

void AnimationHistory::startOver(const QVector<AnimationLine> &lines, const QString &path)
{
    // The old lines are let go once the new ones are on screen: freeing a hundred thousand texts would hold the
    // window up.
    QVector<AnimationLine> old = m_model.lines();
    m_replaying = true;
    m_model.setLines(lines);
    m_replaying = false;
    m_stack.clear();
    setFilePath(path);
    QTimer::singleShot(0, this, [old = std::move(old)] {});
}

void AnimationHistory::markSaved(const QString &path)
{
    setFilePath(path);
    m_stack.setClean();
}

void AnimationHistory::changeFilePath(const QString &path)
{
    if (path == m_filePath)
        return;
    AnimationStep step(m_model, QStringLiteral("Change"));
    new PathChange(*this, m_filePath, m_open);
    setFilePath(path);
}

QVector<qint64> AnimationHistory::stepCosts() const
{
    QVector<qint64> costs(m_stack.count());
    QSet<const void *> counted{m_model.lines().constData()};
    for (int i = m_stack.count() - 1; i >= 0; --i) {
        QHash<const void *, qint64> buffers;
        static_cast<const StepCommand *>(m_stack.command(i))->countBuffers(buffers);
        for (auto it = buffers.cbegin(); it != buffers.cend(); ++it) {
            if (!counted.contains(it.key())) {
                counted.insert(it.key());
                costs[i] += it.value();
            }
        }
    }
    return costs;
}

qint64 AnimationHistory::memoryCost() const
{
    const QVector<qint64> costs = stepCosts();
    return std::accumulate(costs.cbegin(), costs.cend(), qint64(0));
}

void AnimationHistory::replay(const std::function<void()> &changes, const HistoryView &view)
{
    // A jump over many steps at once (Undo History): each step packs what the one before left, so the jump never
    // holds every state it passes. A single undo leaves that to the pause after it.
    if (++m_replayedSincePack > 1)
        packOlderStates();
    m_replaying = true;
    changes();
    m_replaying = false;
    if (m_restoreView) {
        HistoryView valid = view;
        valid.currentRow = m_model.validRow(view.currentRow);
        m_restoreView(valid);
    }
}

void AnimationHistory::beginStep(const QString &name, bool typing)
{
    if (m_replaying)
        return;
    if (m_depth++ == 0)
        m_open = new StepCommand(*this, name, typing, currentView(), m_typingRun);
}

void AnimationHistory::endStep()
{
    if (m_replaying || m_depth == 0 || --m_depth > 0)
        return;
    StepCommand *step = std::exchange(m_open, nullptr);
    if (step->childCount() == 0) {
        delete step;
        return;
    }
    step->setViewAfter(currentView());
    m_silent = true;  // its changes are made already
    m_stack.push(step);
    m_silent = false;
    keepWithinBudget();
}

void AnimationHistory::linesInserted(int row, const QVector<AnimationLine> &lines)
{
    if (m_replaying)
        return;
    AnimationStep step(m_model, QStringLiteral("Change"));
    new RowsChange(m_model, RowsChange::Inserted, row, lines, m_open);
}

void AnimationHistory::linesRemoved(int row, const QVector<AnimationLine> &lines)
{
    if (m_replaying)
        return;
    AnimationStep step(m_model, QStringLiteral("Change"));
    new RowsChange(m_model, RowsChange::Removed, row, lines, m_open);
}

void AnimationHistory::linesReplaced(const QVector<AnimationLine> &before, const QVector<AnimationLine> &after)
{
    if (m_replaying)
        return;
    AnimationStep step(m_model, QStringLiteral("Change"));
    new ReplaceLinesChange(m_model, KeptLines(before), KeptLines(after), m_open);
}

void AnimationHistory::fieldChanged(int row, AnimationModel::Column column, const QString &before,
                                    const QString &after)
{
    if (m_replaying)
        return;
    AnimationStep step(m_model, QStringLiteral("Change"));
    new SetFieldChange(m_model, row, column, before, after, m_open);
}

void AnimationHistory::packOlderStates()
{
    m_replayedSincePack = 0;
    QHash<const void *, std::shared_ptr<const QByteArray>> packs;
    for (int i = 0; i < m_stack.count(); ++i) {
        const QUndoCommand *step = m_stack.command(i);
        for (int c = 0; c < step->childCount(); ++c)
            static_cast<const StepChange *>(step->child(c))->pack(m_model.lines(), packs);
    }
    if (!packs.isEmpty())  // the texts let go are many small blocks: give them back, or the process keeps them
        Platform::ReturnFreedMemory();
}

void AnimationHistory::keepWithinBudget()
{
    packOlderStates();  // (what the timer would do next) so that what counts is what is kept
    const int count = m_stack.count();
    const QVector<qint64> costs = stepCosts();
    qint64 total = std::accumulate(costs.cbegin(), costs.cend(), qint64(0));
    int drop = 0;
    // The newest step stays, whatever it holds.
    while (total > MemoryBudget && drop < count - 1)
        total -= costs.at(drop++);
    if (drop == 0)
        return;
    // QUndoStack drops old steps only by count: rebuild it from copies of the steps kept.
    QList<StepCommand *> kept;
    for (int i = drop; i < count; ++i)
        kept.append(static_cast<const StepCommand *>(m_stack.command(i))->clone());
    const int index = m_stack.index() - drop;
    const int clean = m_stack.cleanIndex() - drop;
    m_silent = m_rebuilding = true;
    m_stack.clear();
    for (StepCommand *step : kept)
        m_stack.push(step);
    if (clean >= 0) {
        m_stack.setIndex(clean);
        m_stack.setClean();
    } else {
        m_stack.resetClean();
    }
    m_stack.setIndex(index);
    m_silent = m_rebuilding = false;
    Platform::ReturnFreedMemory();
    emit olderStepsDropped();
}
