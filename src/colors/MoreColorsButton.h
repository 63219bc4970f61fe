#pragma once

#include "game/GameRules.h"

#include <QToolButton>

// "More colours": a drop-down of every colour of a game with more than eight, each shown with its code.
// Hidden for the games with eight. Named cmdMoreColors, its entries mnuColor0, mnuColor1, ...
class MoreColorsButton : public QToolButton {
    Q_OBJECT
public:
    explicit MoreColorsButton(QWidget *parent = nullptr);

    // Fills the drop-down with the game's colours, or hides the button when the buttons beside it show them all.
    void setGame(const GameRules &game, int shownByButtons = 8);

signals:
    void colorChosen(int index);
};
