#pragma once

#include "animation/AnimationLine.h"
#include "game/GameRules.h"

#include <QHash>
#include <QVector>

#include <optional>

// A line of the animation that the game plays otherwise than the preview shows.
struct LineMark {
    int row = 0;
    QString shown;   // what the others see: the name, or the chat line; empty when nothing
    QString reason;
    bool dropsPlayer = false;  // the server drops the player for this line's name
};

// Finds the marks of the lines from first to last (-1: the end) at a frame rate on a game. The game
// model lives above the animation, so whoever owns a model hands it the finder.
using LineMarker = QVector<LineMark> (*)(const QVector<AnimationLine> &lines, int frameRate, int first, int last,
                                         const GameRules &game);

// The list's marks, worked out only for the rows a view asks about: a block of
// rows at a time, so painting a screenful after a change of 32,767 lines costs
// a few hundred lines' check, not the whole animation's.
class LineMarkCache {
public:
    static constexpr int BlockRows = 256;

    void setMarker(LineMarker marker) { m_marker = marker; forget(); }
    bool hasMarker() const { return m_marker != nullptr; }
    bool hasAll() const { return m_all.has_value(); }
    void forget() { m_blockDone.clear(); m_markOfRow.clear(); m_all.reset(); }

    std::optional<LineMark> mark(const QVector<AnimationLine> &lines, int frameRate, const GameRules &game, int row) const;
    const QVector<LineMark> &all(const QVector<AnimationLine> &lines, int frameRate, const GameRules &game) const;

private:
    void remember(const QVector<LineMark> &marks) const;
    QVector<LineMark> find(const QVector<AnimationLine> &lines, int frameRate, const GameRules &game, int first,
                           int last) const
    {
        return m_marker ? m_marker(lines, frameRate, first, last, game) : QVector<LineMark>();
    }

    LineMarker m_marker = nullptr;

    mutable QVector<bool> m_blockDone;
    mutable QHash<int, LineMark> m_markOfRow;
    mutable std::optional<QVector<LineMark>> m_all;
};
