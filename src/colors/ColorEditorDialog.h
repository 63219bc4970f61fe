#pragma once

#include <QDialog>

class QTextEdit;

// A scratch pad for colouring a name with buttons instead of typing codes; the
// result goes to the clipboard. It never touches the animation.
class ColorEditorDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int ColorButtonCount = 9;

    explicit ColorEditorDialog(QWidget *parent = nullptr);

    // The box's text with its colour codes, as "Copy to clipboard" puts it there.
    QString codedText() const;

private:
    void applyColor(int index);
    void copyToClipboard();

    QTextEdit *m_preview;
};
