#include "animation/LineMarkCache.h"

std::optional<LineMark> LineMarkCache::mark(const QVector<AnimationLine> &lines, int frameRate, const GameRules &game,
                                            int row) const
{
    if (row < 0 || row >= lines.size())
        return std::nullopt;
    const GameVerdict &found = verdict(lines, frameRate, game);
    const auto at = m_markOfRow.constFind(row);
    return at == m_markOfRow.cend() ? std::nullopt : std::optional(found.marks.at(*at));
}

const GameVerdict &LineMarkCache::verdict(const QVector<AnimationLine> &lines, int frameRate,
                                          const GameRules &game) const
{
    if (!m_verdict) {
        m_verdict = m_player ? m_player(lines, frameRate, game) : GameVerdict();
        m_markOfRow.clear();
        m_markOfRow.reserve(m_verdict->marks.size());
        for (qsizetype i = 0; i < m_verdict->marks.size(); ++i) {
            const int row = m_verdict->marks.at(i).row;
            if (!m_markOfRow.contains(row))  // a row's first mark is the one shown
                m_markOfRow.insert(row, i);
        }
    }
    return *m_verdict;
}
