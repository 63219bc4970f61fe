#include "colors/PreviewBoxWidget.h"

#include "colors/GameTextBoxWidget.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QTextCursor>

PreviewBoxWidget::PreviewBoxWidget(QWidget *parent) : QTextEdit(parent)
{
    setTabChangesFocus(true);  // a name holds no tab; Tab moves on, never replacing a selection
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(14.5);
    font.setBold(true);
    setFont(font);
    document()->setDefaultFont(font);
    KeepGameBackdrop(this);
    setAcceptRichText(false);
    setLineWrapMode(QTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    document()->setDocumentMargin(2);
    // Every line the program draws would otherwise become an undo step of the box.
    setUndoRedoEnabled(false);
}

void PreviewBoxWidget::setUndoActions(QAction *undo, QAction *redo)
{
    m_undo = undo;
    m_redo = redo;
}

void PreviewBoxWidget::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu(event->pos());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const QList<QAction *> entries = menu->actions();
    for (QAction *entry : entries) {
        QAction *program = entry->objectName() == QLatin1String("edit-undo")   ? m_undo
                           : entry->objectName() == QLatin1String("edit-redo") ? m_redo
                                                                               : nullptr;
        if (program) {
            menu->insertAction(entry, program);
            menu->removeAction(entry);
        }
    }
    menu->popup(event->globalPos());
}

bool PreviewBoxWidget::canInsertFromMimeData(const QMimeData *source) const
{
    return !source->hasUrls() && QTextEdit::canInsertFromMimeData(source);
}

void PreviewBoxWidget::showPlaceholder()
{
    setReadOnly(true);
    clear();
    QTextCharFormat black;
    black.setForeground(Qt::black);
    QTextCursor cursor(document());
    cursor.insertText(QStringLiteral("Preview"), black);
    setCurrentCharFormat(black);
}

void PreviewBoxWidget::applyColor(const QColor &color)
{
    QTextCharFormat format;
    format.setForeground(color);
    QTextCursor cursor = textCursor();
    if (cursor.hasSelection())
        cursor.mergeCharFormat(format);
    else
        mergeCurrentCharFormat(format);
}

void PreviewBoxWidget::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Control) {
        emit controlPressed();
        return;
    }
    const bool redo = event->matches(QKeySequence::Redo) || event->keyCombination() == (Qt::CTRL | Qt::Key_Y)
                      || event->keyCombination() == (Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    QAction *program = event->matches(QKeySequence::Undo) ? m_undo : redo ? m_redo : nullptr;
    if (program) {
        if (program->isEnabled())
            program->trigger();
        return;
    }
    QTextEdit::keyPressEvent(event);
}
