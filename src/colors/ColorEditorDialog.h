#pragma once

#include "game/GameRules.h"

#include <QDialog>

class QTextEdit;

// A scratch pad for colouring a name with buttons instead of typing codes; the
// result goes to the clipboard. It never touches the animation.
class ColorEditorDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int ColorButtonCount = 9;

    // Colours and codes are the game's; with more than nine colours, "More colours" offers the rest.
    explicit ColorEditorDialog(const GameRules &game = Games::Rtcw, QWidget *parent = nullptr);

    // The box's text with its colour codes, as "Copy to clipboard" puts it there.
    QString codedText() const;

private:
    void applyColor(int index);
    void copyToClipboard();

    const GameRules &m_game;
    QTextEdit *m_preview;
};
