#include "animation/PreviewPlayer.h"

#include "animation/AnimationModel.h"
#include "colors/Numbers.h"
#include "platform/Prompts.h"

#include <QTimer>

#include <utility>

PreviewPlayer::PreviewPlayer(AnimationModel &model, Prompts &prompts, QObject *parent,
                             GameSpeedPlayer::ScriptOf scriptOf)
    : QObject(parent), m_model(model), m_prompts(prompts), m_timer(new QTimer(this))
{
    m_timer->setObjectName(QStringLiteral("timAni"));
    m_timer->setInterval(100);
    connect(m_timer, &QTimer::timeout, this, &PreviewPlayer::tick);
    if (!scriptOf)
        return;
    m_gameSpeed = new GameSpeedPlayer(std::move(scriptOf), this);
    connect(m_gameSpeed, &GameSpeedPlayer::drawFrame, this, &PreviewPlayer::drawFrame);
    connect(m_gameSpeed, &GameSpeedPlayer::finished, this, &PreviewPlayer::finished);
    connect(m_gameSpeed, &GameSpeedPlayer::stopped, this, [this] {
        if (m_playing)
            TogglePreview();
    });
}

void PreviewPlayer::setGameSpeed(bool on, int frameRate, const GameRules &rules, int passes)
{
    m_gameSpeedOn = on && m_gameSpeed;
    m_frameRate = frameRate;
    m_passes = passes;
    m_rules = &rules;
}

int PreviewPlayer::IntervalForTime(const QString &time, int previousInterval)
{
    // Times below each bound, and the pause they give; 100 or more keeps the last pause.
    static constexpr std::pair<int, int> kPauses[] = {{10, 50}, {15, 60}, {20, 150}, {30, 400},
                                                      {40, 500}, {50, 600}, {100, 1000}};
    const std::optional<qint16> value = ToInt16(time);
    if (!value)
        return previousInterval;
    for (const auto &[below, interval] : kPauses) {
        if (*value < below)
            return interval;
    }
    return previousInterval;
}

void PreviewPlayer::TogglePreview()
{
    m_currentFrame = 0;
    if (!m_playing && m_model.isEmpty()) {
        m_prompts.message(QStringLiteral("There is no animation to play!"), QStringLiteral("Preview Animation"),
                          PromptIcon::Exclamation, PromptButtons::OkCancel);
        return;
    }
    m_playing = !m_playing;
    emit playingChanged(m_playing);
    if (m_gameSpeedOn && m_playing) {
        m_gameSpeed->play([this](int row) { return row < m_model.count() ? &m_model.line(row) : nullptr; },
                          m_frameRate, *m_rules, m_passes);
        return;
    }
    if (m_gameSpeed)
        m_gameSpeed->stop();
    // The interval is left alone: a new play starts at the pace the last one ended with.
    if (m_playing)
        m_timer->start();
    else
        m_timer->stop();
}

void PreviewPlayer::tick()
{
    if (!m_playing)
        return;
    // Rows may have been removed while playing.
    if (m_currentFrame >= m_model.count()) {
        TogglePreview();
        return;
    }
    const AnimationLine &line = m_model.line(m_currentFrame);
    m_timer->setInterval(IntervalForTime(line.time, m_timer->interval()));
    emit drawFrame(line.action == QLatin1String("set name") ? line.text : QStringLiteral("!! ") + line.text);
    ++m_currentFrame;
    if (m_currentFrame >= m_model.count())
        TogglePreview();
}
