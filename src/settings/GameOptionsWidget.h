#pragma once

#include <QWidget>

#include "animation/Settings.h"
#include "game/GameRules.h"

class QComboBox;
class QLabel;
class QSpinBox;
class RegistryStore;

// The options' "Game" page: the game played, the frame rate its timings are
// counted at and the size limit of one script part.
class GameOptionsWidget : public QWidget {
    Q_OBJECT
public:
    explicit GameOptionsWidget(RegistryStore &store, QWidget *parent = nullptr);
    bool save();  // false when a value could not be stored

private:
    const GameRules &chosen() const;
    void showGame();

    RegistryStore &m_store;
    const Settings m_read;  // as the page showed them first
    const GameRules *m_shownRules = &m_read.rules();
    QComboBox *m_game = nullptr;
    QLabel *m_note = nullptr;
    QSpinBox *m_frameRate = nullptr;
    QSpinBox *m_partLimit = nullptr;
};
