#pragma once

#include "script/ScriptCheck.h"

#include <QHash>

#include <optional>

// The list's marks, worked out only for the rows a view asks about: a block of
// rows at a time, so painting a screenful after a change of 32,767 lines costs
// a few hundred lines' check, not the whole animation's.
class LineMarkCache {
public:
    static constexpr int BlockRows = 256;

    void forget() { m_blockDone.clear(); m_markOfRow.clear(); m_all.reset(); }

    std::optional<LineMark> mark(const QVector<AnimationLine> &lines, int frameRate, int row) const;
    const QVector<LineMark> &all(const QVector<AnimationLine> &lines, int frameRate) const;

private:
    void remember(const QVector<LineMark> &marks) const;

    mutable QVector<bool> m_blockDone;
    mutable QHash<int, LineMark> m_markOfRow;
    mutable std::optional<QVector<LineMark>> m_all;
};
