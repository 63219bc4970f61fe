#pragma once

#include <QWidget>

class QSpinBox;
class RegistryStore;

// The options' "Game" page: the frame rate the game's timings are counted at
// and the size limit of one script part.
class GameOptionsWidget : public QWidget {
    Q_OBJECT
public:
    explicit GameOptionsWidget(RegistryStore &store, QWidget *parent = nullptr);
    void save();

private:
    RegistryStore &m_store;
    QSpinBox *m_frameRate = nullptr;
    QSpinBox *m_partLimit = nullptr;
};
