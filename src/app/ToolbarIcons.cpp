#include "app/ToolbarIcons.h"

#include <QPainter>

#include <cmath>
#include <numbers>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kSize = 32;

void drawPage(QPainter &p, const QColor &fill)
{
    QPainterPath page;
    page.moveTo(7, 3);
    page.lineTo(20, 3);
    page.lineTo(26, 9);
    page.lineTo(26, 29);
    page.lineTo(7, 29);
    page.closeSubpath();
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.setBrush(fill);
    p.drawPath(page);
    p.drawLine(QPointF(20, 3), QPointF(20, 9));
    p.drawLine(QPointF(20, 9), QPointF(26, 9));
}

void drawLines(QPainter &p, const QList<QColor> &colors)
{
    int y = 13;
    for (const QColor &color : colors) {
        p.setPen(QPen(color, 2));
        p.drawLine(10, y, 23, y);
        y += 4;
    }
}

void drawBadge(QPainter &p, const QColor &color, bool plus)
{
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(QRectF(15, 15, 16, 16));
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(19, 23), QPointF(27, 23));
    if (plus)
        p.drawLine(QPointF(23, 19), QPointF(23, 27));
}

void draw(QPainter &p, int number)
{
    switch (number) {
    case 1: // New
        drawPage(p, Qt::white);
        break;
    case 2: { // Open
        p.setPen(QPen(QColor(120, 80, 10), 1.5));
        p.setBrush(QColor(240, 190, 70));
        p.drawRect(QRectF(3, 9, 24, 18));
        p.setBrush(QColor(250, 215, 110));
        QPolygonF front({QPointF(6, 14), QPointF(30, 14), QPointF(27, 27), QPointF(3, 27)});
        p.drawPolygon(front);
        break;
    }
    case 3: // Save
        p.setPen(QPen(QColor(20, 40, 90), 1.5));
        p.setBrush(QColor(50, 90, 170));
        p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 5, 14, 9));
        p.setBrush(QColor(200, 200, 210));
        p.drawRect(QRectF(9, 19, 14, 9));
        break;
    case 4: // Add
        drawPage(p, Qt::white);
        drawLines(p, {Qt::red, QColor(0, 160, 0)});
        drawBadge(p, QColor(0, 150, 0), true);
        break;
    case 5: // Remove
        drawPage(p, Qt::white);
        drawLines(p, {Qt::red, QColor(0, 160, 0)});
        drawBadge(p, QColor(200, 30, 30), false);
        break;
    case 6: { // Edit
        drawPage(p, Qt::white);
        drawLines(p, {Qt::blue});
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(QColor(250, 200, 40));
        QPolygonF pencil({QPointF(26, 12), QPointF(30, 16), QPointF(17, 29), QPointF(12, 30), QPointF(13, 25)});
        p.drawPolygon(pencil);
        break;
    }
    case 7: { // Wizard
        p.setPen(QPen(QColor(70, 40, 20), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5, 28), QPointF(19, 14));
        p.setPen(QPen(QColor(160, 110, 0), 1));
        p.setBrush(QColor(255, 215, 0));
        QPolygonF star;
        for (int i = 0; i < 10; ++i) {
            const double radius = (i % 2) ? 4.0 : 9.0;
            const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
            star << QPointF(22 + radius * std::cos(angle), 10 + radius * std::sin(angle));
        }
        p.drawPolygon(star);
        break;
    }
    case 8: { // Play
        p.setPen(QPen(QColor(0, 90, 0), 1.5));
        p.setBrush(QColor(40, 180, 40));
        QPolygonF triangle({QPointF(9, 5), QPointF(27, 16), QPointF(9, 27)});
        p.drawPolygon(triangle);
        break;
    }
    case 9: // Generate
        drawPage(p, QColor(255, 255, 230));
        drawLines(p, {QColor(80, 80, 80), QColor(80, 80, 80), QColor(80, 80, 80)});
        p.setPen(QPen(QColor(200, 120, 0), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(2, 16), QPointF(9, 16));
        p.drawLine(QPointF(6, 12), QPointF(9, 16));
        p.drawLine(QPointF(6, 20), QPointF(9, 16));
        break;
    case 10: // Stop
        p.setPen(QPen(QColor(110, 0, 0), 1.5));
        p.setBrush(QColor(210, 40, 40));
        p.drawRoundedRect(QRectF(7, 7, 18, 18), 2, 2);
        break;
    default:
        break;
    }
}

} // namespace

QIcon ToolbarIcon(int number)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter, number);
    painter.end();
    return QIcon(pixmap);
}
