#include "settings/GameOptionsWidget.h"

#include "game/GameConsole.h"
#include "platform/RegistryOps.h"
#include "animation/Settings.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>

GameOptionsWidget::GameOptionsWidget(RegistryStore &store, QWidget *parent) : QWidget(parent), m_store(store)
{
    auto value = [this](const char *name) {
        return GetRegValue(m_store, RegHive::CurrentUser, SettingsKey, QLatin1String(name));
    };
    m_game = new QComboBox(this);
    m_game->setObjectName(QStringLiteral("cboGame"));
    for (const GameRules *rules : Games::All)
        m_game->addItem(QLatin1String(rules->title), QLatin1String(rules->key));
    const Game game = GameValue(value("Game"));
    m_game->setCurrentIndex(m_game->findData(Games::KeyOf(game)));
    m_game->setProperty("read", m_game->currentIndex());
    m_frameRate = new QSpinBox(this);
    m_frameRate->setObjectName(QStringLiteral("spnFrameRate"));
    m_frameRate->setRange(1, 1000);
    m_frameRate->setValue(FrameRateValue(value("FrameRate")));
    m_partLimit = new QSpinBox(this);
    m_partLimit->setObjectName(QStringLiteral("spnPartLimit"));
    m_partLimit->setRange(GameConsole::MinPartLimit, Games::Of(game).maxPartBytes());
    m_partLimit->setSuffix(QStringLiteral(" bytes"));
    m_partLimit->setValue(PartLimitValue(value("PartLimit"), Games::Of(game)));

    m_frameRate->setProperty("read", m_frameRate->value());
    m_partLimit->setProperty("read", m_partLimit->value());

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
    m_note->setText(QStringLiteral("%1's command buffer holds %L2 bytes; what a script part leaves free is room "
                                   "for your own key binds while it plays.")
                        .arg(QLatin1String(rules.title))
                        .arg(rules.bufferBytes));
}

bool GameOptionsWidget::save()
{
    // Only what the user changed: an untouched page leaves the store as it was.
    auto write = [this](const char *name, QSpinBox *box) {
        return box->value() == box->property("read").toInt()
            || SetRegValue(m_store, RegHive::CurrentUser, SettingsKey, QLatin1String(name), QString::number(box->value()));
    };
    bool saved = m_game->currentIndex() == m_game->property("read").toInt()
              || SetRegValue(m_store, RegHive::CurrentUser, SettingsKey, QStringLiteral("Game"), m_game->currentData().toString());
    saved &= write("FrameRate", m_frameRate);
    saved &= write("PartLimit", m_partLimit);
    return saved;
}
