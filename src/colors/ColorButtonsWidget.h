#pragma once

#include "game/GameRules.h"

#include <QWidget>

class QPushButton;

// A row of square colour buttons named cmdColor0, cmdColor1, ...; button k
// stands for the colour code firstCode + k, drawn in the game's colour.
class ColorButtonsWidget : public QWidget {
    Q_OBJECT
public:
    // Size and spacing in pixels.
    ColorButtonsWidget(int firstCode, int count, int buttonSize, int spacing, QWidget *parent = nullptr);

    // The buttons take the game's colours for their codes.
    void setGame(const GameRules &game);

signals:
    // The colour index of the button's code.
    void colorClicked(int index);

private:
    int m_firstCode;
    QList<QPushButton *> m_buttons;
};
