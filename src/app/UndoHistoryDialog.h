#pragma once

#include <QDialog>

class QUndoStack;

// Edit, "Undo History...": every step of the animation's history, the saved one marked with a disk; clicking a
// step undoes or redoes to it. It stays open beside the main window.
class UndoHistoryDialog final : public QDialog {
    Q_OBJECT
public:
    UndoHistoryDialog(QUndoStack &stack, QWidget *parent);
};
