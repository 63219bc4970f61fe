#include "animation/LineMarkCache.h"

#include <QThread>

struct LineMarkCache::Indexed {
    GameVerdict verdict;
    QHash<int, qsizetype> markOfRow;  // index into the verdict's marks

    explicit Indexed(GameVerdict played) : verdict(std::move(played))
    {
        markOfRow.reserve(verdict.marks.size());
        for (qsizetype i = 0; i < verdict.marks.size(); ++i) {
            const int row = verdict.marks.at(i).row;
            if (!markOfRow.contains(row))  // a row's first mark is the one shown
                markOfRow.insert(row, i);
        }
    }
};

struct LineMarkCache::Work {
    quint64 generation = 0;
    std::shared_ptr<const Indexed> result;  // written by the thread, read once it has finished
    std::unique_ptr<QThread> thread;
};

LineMarkCache::LineMarkCache(Source source) : m_source(std::move(source)) {}

LineMarkCache::~LineMarkCache()
{
    if (m_work)
        m_work->thread->wait();
}

void LineMarkCache::setPlayer(LinePlayer player)
{
    m_player = player;
    forget(false);
}

void LineMarkCache::forget(bool keepShown)
{
    ++m_generation;
    m_known.reset();
    if (!keepShown)
        m_shown.reset();
}

std::optional<LineMark> LineMarkCache::mark(int row, qsizetype count) const
{
    if (row < 0 || row >= count || !m_player)
        return std::nullopt;
    if (!m_known) {
        if (count <= PlayedAtOnce)
            verdict();
        else
            startWorker();
    }
    const Indexed *shown = m_known ? m_known.get() : m_shown.get();
    if (!shown)
        return std::nullopt;
    const auto at = shown->markOfRow.constFind(row);
    return at == shown->markOfRow.cend() ? std::nullopt : std::optional(shown->verdict.marks.at(*at));
}

const GameVerdict &LineMarkCache::verdict() const
{
    if (!m_known) {
        if (m_work && m_work->generation == m_generation) {
            m_work->thread->wait();
            m_known = m_work->result;
        } else {
            const Play play = m_source();
            m_known = std::make_shared<const Indexed>(m_player ? m_player(play.lines, play.frameRate, *play.game, play.passes)
                                                               : GameVerdict());
        }
        m_shown = m_known;
    }
    return m_known->verdict;
}

void LineMarkCache::startWorker() const
{
    if (m_work) {
        // One at a time: the lines as they are once it is done.
        m_wanted = m_work->generation != m_generation;
        return;
    }
    m_wanted = false;
    m_work = std::make_unique<Work>();
    m_work->generation = m_generation;
    // The worker plays its own copy: the lines may change while it plays.
    m_work->thread.reset(QThread::create([result = &m_work->result, play = m_source(), player = m_player] {
        *result = std::make_shared<const Indexed>(player(play.lines, play.frameRate, *play.game, play.passes));
    }));
    connect(m_work->thread.get(), &QThread::finished, this, &LineMarkCache::workerDone);
    m_work->thread->start(QThread::LowPriority);
}

void LineMarkCache::workerDone()
{
    if (!m_work)
        return;
    m_work->thread->wait();
    const bool current = m_work->generation == m_generation && !m_known;
    if (current)
        m_known = m_shown = m_work->result;
    m_work.reset();
    if (current)
        emit arrived();
    else if (m_wanted && !m_known && m_player)
        startWorker();
}
