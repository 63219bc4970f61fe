#include "app/UndoHistoryDialog.h"

#include "platform/ScreenFit.h"

#include <QAction>
#include <QPointer>
#include <QDialogButtonBox>
#include <QMenu>
#include <QUndoStack>
#include <QPushButton>
#include <QStyle>
#include <QUndoView>
#include <QVBoxLayout>

UndoHistoryDialog::UndoHistoryDialog(QUndoStack &stack, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmUndoHistory"));
    setWindowTitle(QStringLiteral("Undo History"));
    auto *view = new QUndoView(&stack, this);
    view->setObjectName(QStringLiteral("lstUndoHistory"));
    view->setEmptyLabel(QStringLiteral("Opened"));
    view->setCleanIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("&Close"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(view);
    layout->addWidget(buttons);
    ResizeOnScreen(*this, QSize(320, 360));
}

std::pair<QAction *, QAction *> AddUndoEntries(QMenu *edit, QUndoStack &stack, QWidget *owner)
{
    QAction *undo = stack.createUndoAction(owner, QStringLiteral("&Undo"));
    undo->setObjectName(QStringLiteral("mnuEditUndo"));
    undo->setShortcuts(QKeySequence::Undo);
    QAction *redo = stack.createRedoAction(owner, QStringLiteral("&Redo"));
    redo->setObjectName(QStringLiteral("mnuEditRedo"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    auto *history = new QAction(QStringLiteral("Undo &History..."), owner);
    history->setObjectName(QStringLiteral("mnuEditUndoHistory"));
    // One dialog, made when first asked for and brought to the front after.
    QObject::connect(history, &QAction::triggered, owner, [&stack, owner, dialog = QPointer<QDialog>()]() mutable {
        if (!dialog)
            dialog = new UndoHistoryDialog(stack, owner);
        dialog->show();
        dialog->raise();
        dialog->activateWindow();
    });
    QAction *first = edit->actions().value(0);
    edit->insertActions(first, {undo, redo, history});
    edit->insertSeparator(first);
    return {undo, redo};
}
