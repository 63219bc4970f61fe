#pragma once

#include <QWidget>

#include "animation/Settings.h"
#include "game/GameRules.h"

class Prompts;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;
class RegistryStore;

// The options' "Game" page: the game played, the frame rate its timings are
// counted at, the size limit of one script part, and where the game looks for scripts: its folders in the
// order exec searches them, each marked as there or not, with the install folder the player chooses.
class GameOptionsWidget : public QWidget {
    Q_OBJECT
public:
    GameOptionsWidget(RegistryStore &store, Prompts &prompts, QWidget *parent = nullptr);
    bool save();  // false when a value could not be stored

private:
    const GameRules &chosen() const;
    void showGame();
    void showFolders();
    QStringList chosenInstalls() const;

    RegistryStore &m_store;
    const Settings m_read;  // as the page showed them first
    const GameRules *m_shownRules = &m_read.rules();
    QComboBox *m_game = nullptr;
    QLabel *m_note = nullptr;
    QSpinBox *m_frameRate = nullptr;
    QSpinBox *m_partLimit = nullptr;
    QLineEdit *m_install = nullptr;
    QListWidget *m_folders = nullptr;
};
