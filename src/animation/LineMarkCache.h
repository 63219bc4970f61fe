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

// One play of the whole animation through the chosen game: what every voice of the program (the list's marks,
// the script window, check) tells of it.
struct GameVerdict {
    QVector<LineMark> marks;  // in row order; a row's first mark is the one shown
    int names = 0;            // names set
    int unseenNames = 0;      // replaced before they were sent, or while the server held them
};

// Plays the lines at a frame rate on a game. The game model lives above the animation, so whoever owns a model
// hands it the player.
using LinePlayer = GameVerdict (*)(const QVector<AnimationLine> &lines, int frameRate, const GameRules &game);

// The verdict of the lines as they are, worked out once when first asked for after a change: a row's mark
// depends on every line before it (flood windows, held names, the frame a line falls in).
class LineMarkCache {
public:
    void setPlayer(LinePlayer player) { m_player = player; forget(); }
    bool hasPlayer() const { return m_player != nullptr; }
    bool known() const { return m_verdict.has_value(); }
    void forget() { m_markOfRow.clear(); m_verdict.reset(); }

    std::optional<LineMark> mark(const QVector<AnimationLine> &lines, int frameRate, const GameRules &game, int row) const;
    const GameVerdict &verdict(const QVector<AnimationLine> &lines, int frameRate, const GameRules &game) const;

private:
    LinePlayer m_player = nullptr;
    mutable QHash<int, qsizetype> m_markOfRow;  // index into the verdict's marks
    mutable std::optional<GameVerdict> m_verdict;
};
