#include "app/UndoHistoryDialog.h"

#include <QDialogButtonBox>
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
    resize(320, 360);
}
