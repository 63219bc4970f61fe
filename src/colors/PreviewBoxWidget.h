#pragma once

#include <QTextEdit>

// The main window's coloured preview box: a rich text box on mid-grey whose
// uncoloured characters are white. The Ctrl key hands the focus back to the list.
class PreviewBoxWidget : public QTextEdit {
    Q_OBJECT
public:
    explicit PreviewBoxWidget(QWidget *parent = nullptr);

    // The empty state: locked, showing "Preview" in black.
    void showPlaceholder();
    // Colours the selection; without one, what is typed next takes the colour.
    void applyColor(const QColor &color);

signals:
    void controlPressed();

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
