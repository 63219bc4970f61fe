#include "wizard/WelcomePicture.h"

#include "colors/ColorCodes.h"

#include <QPainter>

QPixmap WelcomePicture()
{
    QPixmap picture(164, 313);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, 0, picture.height());
    gradient.setColorAt(0, QColor(20, 30, 90));
    gradient.setColorAt(1, QColor(0, 0, 0));
    painter.fillRect(picture.rect(), gradient);
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setBold(true);
    font.setPixelSize(26);
    painter.setFont(font);
    const QString title = QStringLiteral("MARQUEE");
    for (int i = 0; i < title.size(); ++i) {
        painter.setPen(ColorFromCode(QString::number(1 + i % 6)));
        painter.drawText(QRect(0, 20 + i * 34, picture.width(), 34), Qt::AlignCenter, title.mid(i, 1));
    }
    font.setPixelSize(16);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 268, picture.width(), 24), Qt::AlignCenter, QStringLiteral("master"));
    return picture;
}
