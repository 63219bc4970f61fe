#include "animation/GameSpeedPlayer.h"

#include "animation/PlayClock.h"

GameSpeedPlayer::GameSpeedPlayer(ScriptOf scriptOf, QObject *parent)
    : QObject(parent), m_scriptOf(std::move(scriptOf)), m_ownClock(new SteadyClock(this)), m_clock(m_ownClock)
{
    connect(m_clock, &PlayClock::due, this, &GameSpeedPlayer::tick);
}

GameSpeedPlayer::~GameSpeedPlayer() = default;

void GameSpeedPlayer::setClock(PlayClock *clock)
{
    stop();
    disconnect(m_clock, &PlayClock::due, this, &GameSpeedPlayer::tick);
    m_clock = clock ? clock : m_ownClock;
    connect(m_clock, &PlayClock::due, this, &GameSpeedPlayer::tick);
}

void GameSpeedPlayer::play(LineAt lineAt, int frameRate, const GameRules &rules, int passes)
{
    stop();
    m_lineAt = std::move(lineAt);
    m_timeline = std::make_unique<GameTimeline>(frameRate, rules);
    m_nextRow = 0;
    m_passesLeft = passes - 1;
    m_clock->restart();
    tick();
}

void GameSpeedPlayer::stop()
{
    if (!m_timeline)
        return;
    m_clock->cancel();
    m_timeline.reset();
    emit stopped();
}

void GameSpeedPlayer::tick()
{
    if (!m_timeline)
        return;
    GameTimeline &timeline = *m_timeline;
    const qint64 now = m_clock->ms();
    while (timeline.wantsLines(now)) {
        const AnimationLine *line = m_lineAt(m_nextRow);
        if (!line && m_nextRow > 0 && m_passesLeft > 0) {
            --m_passesLeft;
            m_nextRow = 0;
            line = m_lineAt(m_nextRow);
        }
        if (!line) {
            timeline.close();
            break;
        }
        int runs = 0;
        m_scriptOf(*line, m_command, runs);
        timeline.addLine(m_command, runs);
        ++m_nextRow;
    }
    // Shows that fell due together: only the last one is still on screen.
    const QVector<GameTimeline::Shown> due = timeline.takeDue(now);
    if (!due.isEmpty())
        emit drawFrame(due.last().text);

    const std::optional<int> next = timeline.nextDueMs();
    if (timeline.closed() && !next && now >= timeline.lengthMs()) {
        const QString summary = PlaySummary(timeline);
        stop();
        emit finished(summary);
        return;
    }
    // The next show, or the next line's start (feeding it may bring one), or the end.
    qint64 wake = timeline.ms();
    if (next)
        wake = timeline.closed() ? *next : qMin<qint64>(*next, wake);
    m_clock->wakeAt(qMax(wake, now + 1));
}
