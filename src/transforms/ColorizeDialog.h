#pragma once

#include "transforms/Colorize.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

// Recolours one Text with a pattern, previewed live in the game's colours
// together with its byte count and the name as the game will show it.
class ColorizeDialog : public QDialog {
    Q_OBJECT
public:
    // Colours are offered and drawn as the game shows them: black only where the game keeps it.
    explicit ColorizeDialog(const QString &text, const GameRules &game = Games::Rtcw, QWidget *parent = nullptr);

    // The Text in the chosen pattern.
    QString colorizedText() const { return m_result; }

private:
    void patternChosen();
    void addColor(int index);
    void refresh();

    QString m_text;
    const GameRules &m_gameRules;
    QString m_result;
    quint32 m_seed;
    QComboBox *m_pattern;
    QLineEdit *m_colors;
    QLabel *m_colorsHint;
    QCheckBox *m_backwards;
    QCheckBox *m_byWord;
    QPushButton *m_shuffle;
    QCheckBox *m_fit;
    QTextEdit *m_preview;
    QLabel *m_bytes;
    QTextEdit *m_game;
    QLabel *m_gameNote;
    QPushButton *m_ok;
};
