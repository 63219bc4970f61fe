#pragma once

#include "animation/AnimationLine.h"
#include "game/GameRules.h"

#include <QTextEdit>
#include <QVector>

class GameSpeedPlayer;

// The effect page's preview box: plays lines of its own at the game's speed,
// drawn as the game shows them, and leaves the last one shown when it stops.
class EffectPreviewWidget : public QTextEdit {
    Q_OBJECT
public:
    explicit EffectPreviewWidget(QWidget *parent = nullptr);

    // Plays from the first line; an empty list only says there is nothing to play.
    void play(QVector<AnimationLine> lines, int frameRate, const GameRules &rules);
    void stop();
    bool isPlaying() const;

signals:
    void playingChanged(bool playing);

private:
    GameSpeedPlayer *m_player;
    QVector<AnimationLine> m_lines;
    const GameRules *m_rules = &Games::Rtcw;  // whose colours the box draws
};
