#pragma once

#include "animation/GameSpeedPlayer.h"

#include <QObject>
#include <QString>

class AnimationModel;
class Prompts;
class QTimer;

// Plays the animation once in the preview box, one line per tick of the timer
// timAni; each line's Time sets the pause before the next one. At game speed
// the lines play as the chosen game plays them instead (see GameSpeedPlayer).
class PreviewPlayer : public QObject {
    Q_OBJECT
public:
    // Without scriptOf there is no game speed.
    PreviewPlayer(AnimationModel &model, Prompts &prompts, QObject *parent = nullptr,
                  GameSpeedPlayer::ScriptOf scriptOf = {});

    // Whether the next play goes at the game's speed, and that game.
    void setGameSpeed(bool on, int frameRate, const GameRules &rules, int passes = 1);
    GameSpeedPlayer *gameSpeedPlayer() const { return m_gameSpeed; }

    bool isPlaying() const { return m_playing; }
    // Row (from 0) that the next tick draws.
    int currentFrame() const { return m_currentFrame; }
    QTimer *timer() const { return m_timer; }

    // Milliseconds until the next frame after a line with this Time; the
    // previous interval when the Time asks for none (100 or more, or no number).
    static int IntervalForTime(const QString &time, int previousInterval);

public slots:
    // Play, or stop while playing. Playing an empty animation only says so.
    void TogglePreview();
    void tick();

signals:
    // The main window shows "Stop" while playing, "Play" otherwise, disables
    // "btnadd"/"btnremove" while playing and keeps PreviewUpdating equal to it.
    void playingChanged(bool playing);
    // Draw this colour-coded text into the preview box.
    void drawFrame(const QString &codedText);
    // A play at game speed ended by itself: what it showed and skipped.
    void finished(const QString &summary);

private:
    AnimationModel &m_model;
    Prompts &m_prompts;
    QTimer *m_timer;
    int m_currentFrame = 0;
    bool m_playing = false;
    GameSpeedPlayer *m_gameSpeed = nullptr;
    bool m_gameSpeedOn = false;
    int m_frameRate = 125;
    int m_passes = 1;
    const GameRules *m_rules = &Games::Rtcw;
};
