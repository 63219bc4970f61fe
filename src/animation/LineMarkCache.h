#pragma once

#include "animation/AnimationLine.h"
#include "game/GameRules.h"

#include <QHash>
#include <QObject>
#include <QVector>

#include <functional>
#include <memory>
#include <optional>

class QThread;

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
    int ms = 0;               // how long it plays
};

// Plays the lines at a frame rate on a game. The game model lives above the animation, so whoever owns a model
// hands it the player.
using LinePlayer = GameVerdict (*)(const QVector<AnimationLine> &lines, int frameRate, const GameRules &game,
                                   int passes);

// The verdict of the lines as they are, worked out once after a change: a row's mark depends on every line before
// it (flood windows, held names, the frame a line falls in). A long animation is played on a worker thread so the
// list never waits for it; until it arrives the marks shown are the last ones known. One worker at a time: after
// many quick changes only the lines as they are by then are played again.
class LineMarkCache : public QObject {
    Q_OBJECT
public:
    // Played where asked up to this many lines: well under a millisecond.
    static constexpr qsizetype PlayedAtOnce = 2048;

    // What to play: the lines as they are now, at a frame rate, on a game.
    struct Play {
        QVector<AnimationLine> lines;
        int frameRate = 0;
        const GameRules *game = nullptr;
        int passes = 1;  // the script plays the lines this many times
    };
    using Source = std::function<Play()>;

    explicit LineMarkCache(Source source);
    ~LineMarkCache() override;

    void setPlayer(LinePlayer player);
    bool hasPlayer() const { return m_player != nullptr; }
    bool known() const { return m_known != nullptr; }
    // The lines changed. Another animation (keepShown false) shows no marks until its own are known.
    void forget(bool keepShown);

    // The mark shown at a row of count; asking starts the play the answer will come from.
    std::optional<LineMark> mark(int row, qsizetype count) const;
    // The verdict of the lines as they are now: waits for the worker, or plays here.
    const GameVerdict &verdict() const;

signals:
    // The verdict played on the worker is known: the marks shown may have changed.
    void arrived();

private:
    struct Indexed;
    struct Work;

    void startWorker() const;
    void workerDone();

    Source m_source;
    LinePlayer m_player = nullptr;
    quint64 m_generation = 0;  // counts the changes
    mutable bool m_wanted = false;  // asked for while the worker played older lines
    mutable std::shared_ptr<const Indexed> m_known;  // of the lines as they are
    mutable std::shared_ptr<const Indexed> m_shown;  // the last verdict known, until the next arrives
    mutable std::unique_ptr<Work> m_work;
};
