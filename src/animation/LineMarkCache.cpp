#include "animation/LineMarkCache.h"

void LineMarkCache::remember(const QVector<LineMark> &marks) const
{
    for (const LineMark &found : marks) {
        if (!m_markOfRow.contains(found.row))  // a row's first difference is the one shown
            m_markOfRow.insert(found.row, found);
    }
}

std::optional<LineMark> LineMarkCache::mark(const QVector<AnimationLine> &lines, int frameRate, const GameRules &game,
                                            int row) const
{
    if (row < 0 || row >= lines.size())
        return std::nullopt;
    const int block = row / BlockRows;
    if (m_blockDone.size() <= block)
        m_blockDone.resize((lines.size() + BlockRows - 1) / BlockRows);
    if (!m_blockDone.at(block)) {
        const int first = block * BlockRows;
        remember(find(lines, frameRate, game, first, first + BlockRows - 1));
        m_blockDone[block] = true;
    }
    const auto found = m_markOfRow.constFind(row);
    return found == m_markOfRow.cend() ? std::nullopt : std::optional(*found);
}

const QVector<LineMark> &LineMarkCache::all(const QVector<AnimationLine> &lines, int frameRate,
                                            const GameRules &game) const
{
    if (!m_all) {
        m_all = find(lines, frameRate, game, 0, -1);
        m_markOfRow.clear();
        remember(*m_all);
        m_blockDone.fill(true, (lines.size() + BlockRows - 1) / BlockRows);
    }
    return *m_all;
}
