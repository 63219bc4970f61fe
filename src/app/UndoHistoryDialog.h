#pragma once

#include <QDialog>

#include <utility>

class QAction;
class QMenu;
class QUndoStack;

// Edit, "Undo History...": every step of the animation's history, the saved one marked with a disk; clicking a
// step undoes or redoes to it. It stays open beside the main window.
class UndoHistoryDialog final : public QDialog {
    Q_OBJECT
public:
    UndoHistoryDialog(QUndoStack &stack, QWidget *parent);
};

// Edit's Undo, Redo and "Undo History..." (which shows the one history dialog of owner) at the top of edit;
// returns Undo and Redo.
std::pair<QAction *, QAction *> AddUndoEntries(QMenu *edit, QUndoStack &stack, QWidget *owner);
