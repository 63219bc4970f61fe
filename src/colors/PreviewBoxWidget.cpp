#include "colors/PreviewBoxWidget.h"

#include <QKeyEvent>
#include <QTextCursor>

PreviewBoxWidget::PreviewBoxWidget(QWidget *parent) : QTextEdit(parent)
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(14.5);
    font.setBold(true);
    setFont(font);
    document()->setDefaultFont(font);
    QPalette colors = palette();
    colors.setColor(QPalette::Base, QColor(128, 128, 128));
    colors.setColor(QPalette::Text, Qt::white);
    setPalette(colors);
    setAcceptRichText(false);
    setLineWrapMode(QTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    document()->setDocumentMargin(2);
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
    QTextEdit::keyPressEvent(event);
}
