#pragma once

#include "game/GameRules.h"

#include <QWidget>

class QPushButton;

// A row of square colour buttons named cmdColor0, cmdColor1, ...; button k
// stands for the colour code firstCode + k, drawn in the game's colour. The row takes the focus by Tab: Left and
// Right move the marked button, Space and Enter colour with it (the text box keeps its selection meanwhile).
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

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void restyle();

    int m_firstCode;
    QList<QPushButton *> m_buttons;
    const GameRules *m_game = &Games::Rtcw;
    int m_current = 0;  // the button the keys colour with
};
