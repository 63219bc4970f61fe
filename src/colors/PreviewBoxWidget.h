#pragma once

#include <QTextEdit>

// The main window's coloured preview box: a rich text box on mid-grey whose
// uncoloured characters are white. The Ctrl key hands the focus back to the list.
// It keeps no undo history of its own: its Undo and Redo are the program's.
class PreviewBoxWidget : public QTextEdit {
    Q_OBJECT
public:
    explicit PreviewBoxWidget(QWidget *parent = nullptr);

    // The empty state: locked, showing "Preview" in black.
    void showPlaceholder();
    // Colours the selection; without one, what is typed next takes the colour.
    void applyColor(const QColor &color);
    // The program's Undo and Redo, run by the box's keys and context menu.
    void setUndoActions(QAction *undo, QAction *redo);

signals:
    void controlPressed();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    // Dropped files are the window's to open, not text for the box.
    bool canInsertFromMimeData(const QMimeData *source) const override;

private:
    QAction *m_undo = nullptr;
    QAction *m_redo = nullptr;
};
