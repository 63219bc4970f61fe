#include "colors/GameTextBoxWidget.h"

#include <QTextEdit>

void StyleAsGameText(QTextEdit *box)
{
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, QColor(128, 128, 128));
    palette.setColor(QPalette::Text, Qt::white);
    box->setPalette(palette);
    QFont font = box->font();
    font.setPointSizeF(12);
    font.setBold(true);
    box->setFont(font);
}
