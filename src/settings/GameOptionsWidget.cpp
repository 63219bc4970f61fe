#include "settings/GameOptionsWidget.h"

#include "game/GameConsole.h"
#include "platform/RegistryOps.h"
#include "animation/Settings.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>

GameOptionsWidget::GameOptionsWidget(RegistryStore &store, QWidget *parent)
    : QWidget(parent), m_store(store), m_read(LoadSettings(store))
{
    m_game = new QComboBox(this);
    m_game->setObjectName(QStringLiteral("cboGame"));
    for (const GameRules *rules : Games::All)
        m_game->addItem(QLatin1String(rules->title), QLatin1String(rules->key));
    m_game->setCurrentIndex(m_game->findData(Games::KeyOf(m_read.game)));
    m_frameRate = new QSpinBox(this);
    m_frameRate->setObjectName(QStringLiteral("spnFrameRate"));
    m_frameRate->setRange(1, 1000);
    m_frameRate->setValue(m_read.fps());
    m_partLimit = new QSpinBox(this);
    m_partLimit->setObjectName(QStringLiteral("spnPartLimit"));
    m_partLimit->setRange(GameConsole::MinPartLimit, m_read.rules().maxPartBytes());
    m_partLimit->setSuffix(QStringLiteral(" bytes"));
    m_partLimit->setValue(m_read.partLimit);

    m_note = new QLabel(this);
    m_note->setWordWrap(true);
    showGame();
    connect(m_game, &QComboBox::currentIndexChanged, this, &GameOptionsWidget::showGame);
    auto *layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Game"), m_game);
    layout->addRow(QStringLiteral("Frame rate (com_maxfps)"), m_frameRate);
    layout->addRow(QStringLiteral("Script part size limit"), m_partLimit);
    layout->addRow(m_note);
}

const GameRules &GameOptionsWidget::chosen() const
{
    return Games::Of(GameValue(m_game->currentData().toString()));
}

void GameOptionsWidget::showGame()
{
    // The part limit can't pass what this game's exec accepts.
    const GameRules &rules = chosen();
    m_partLimit->setMaximum(rules.maxPartBytes());
    // The stock frame rate of the game shown before follows the game; one the player chose stays.
    if (m_frameRate->value() == m_shownRules->defaultFps)
        m_frameRate->setValue(rules.defaultFps);
    m_shownRules = &rules;
    m_note->setText(QStringLiteral("%1's command buffer holds %L2 bytes; what a script part leaves free is room "
                                   "for your own key binds while it plays.")
                        .arg(QLatin1String(rules.title))
                        .arg(rules.bufferBytes));
}

bool GameOptionsWidget::save()
{
    // Only what the user changed: an untouched page leaves the store as it was.
    Settings chosen = m_read;
    chosen.game = GameValue(m_game->currentData().toString());
    // The game's own rate is stored as none, so it follows the next game chosen.
    chosen.frameRate = m_frameRate->value() == chosen.rules().defaultFps ? 0 : m_frameRate->value();
    chosen.partLimit = m_partLimit->value();
    return SaveChangedSettings(m_store, m_read, chosen, {SettingsValue::Game, SettingsValue::FrameRate, SettingsValue::PartLimit});
}
