#include "wizard/EffectPreviewWidget.h"

#include "animation/GameSpeedPlayer.h"
#include "colors/ColoredText.h"
#include "colors/GameTextBoxWidget.h"
#include "script/ScriptLine.h"

EffectPreviewWidget::EffectPreviewWidget(QWidget *parent)
    : QTextEdit(parent), m_player(new GameSpeedPlayer(ScriptLineInto, this))
{
    m_player->setObjectName(QStringLiteral("timEffectPreview"));
    setReadOnly(true);
    setFocusPolicy(Qt::NoFocus);  // nothing to type here: Tab goes past it
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::NoWrap);
    StyleAsGameText(this);
    connect(m_player, &GameSpeedPlayer::drawFrame, this,
            [this](const QString &codedText) { RenderColoredText(codedText, *document(), *m_rules); });
    connect(m_player, &GameSpeedPlayer::stopped, this, [this] { emit playingChanged(false); });
}

void EffectPreviewWidget::play(QVector<AnimationLine> lines, int frameRate, const GameRules &rules)
{
    m_player->stop();
    m_rules = &rules;
    m_lines = std::move(lines);
    if (m_lines.isEmpty()) {
        setPlainText(QStringLiteral("No lines to play: add an effect"));
        return;
    }
    emit playingChanged(true);
    m_player->play([this](int row) { return row < m_lines.size() ? &m_lines.at(row) : nullptr; }, frameRate, rules);
}

void EffectPreviewWidget::stop()
{
    m_player->stop();
}

bool EffectPreviewWidget::isPlaying() const
{
    return m_player->isPlaying();
}
