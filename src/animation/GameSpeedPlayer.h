#pragma once

#include "animation/AnimationLine.h"
#include "game/GameTimeline.h"

#include <QObject>
#include <functional>
#include <memory>

class PlayClock;

// Plays lines at the chosen game's pace: each line lasts its wait at the frame
// rate, and only what the others would see is drawn. A tick feeds the lines up
// to a frame ahead of now, draws what fell due and sleeps until the next show.
class GameSpeedPlayer : public QObject {
    Q_OBJECT
public:
    // The command line and wait runs the script gives a line.
    using ScriptOf = std::function<void(const AnimationLine &line, QByteArray &command, int &waitRuns)>;
    // The line at a row, or nullptr past the last (rows may go while playing).
    using LineAt = std::function<const AnimationLine *(int row)>;

    explicit GameSpeedPlayer(ScriptOf scriptOf, QObject *parent = nullptr);
    ~GameSpeedPlayer() override;

    // The clock to play by (not owned); nullptr: the machine's.
    void setClock(PlayClock *clock);
    PlayClock &clock() const { return *m_clock; }

    // The lines `passes` times over, as the script repeats them.
    void play(LineAt lineAt, int frameRate, const GameRules &rules, int passes = 1);
    void stop();
    bool isPlaying() const { return m_timeline != nullptr; }

signals:
    void drawFrame(const QString &codedText);
    // Played to the end: what the play showed and skipped, for the status bar.
    void finished(const QString &summary);
    // Stopped, at the end or by stop().
    void stopped();

private:
    void tick();

    ScriptOf m_scriptOf;
    PlayClock *m_ownClock;
    PlayClock *m_clock;
    LineAt m_lineAt;
    std::unique_ptr<GameTimeline> m_timeline;
    int m_nextRow = 0;
    int m_passesLeft = 0;  // after the one playing
    QByteArray m_command;  // reused from line to line
};
