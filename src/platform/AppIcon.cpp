#include "platform/AppIcon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>

namespace {

// Bulb centres and colours on the 256 grid: a top row and a bottom row.
struct Bulb {
    int x, y;
    QRgb color;
};
constexpr Bulb Bulbs[] = {
    {56, 48, 0xff3b30}, {92, 48, 0x34c759}, {128, 48, 0xffcc00}, {164, 48, 0x2f6bff}, {200, 48, 0x32d2e6},
    {56, 208, 0xe040fb}, {92, 208, 0xffffff}, {128, 208, 0xff3b30}, {164, 208, 0x34c759}, {200, 208, 0xffcc00},
};
constexpr QPointF Letter[] = {{60, 180}, {60, 80}, {90, 80}, {128, 132}, {166, 80}, {196, 80}, {196, 180},
                              {170, 180}, {170, 124}, {140, 166}, {116, 166}, {86, 124}, {86, 180}};

} // namespace

QImage AppIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 256.0, size / 256.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1d, 0x23, 0x33));
    painter.drawRoundedRect(QRectF(16, 16, 224, 224), 40, 40);
    for (const Bulb &bulb : Bulbs) {
        painter.setBrush(QColor(bulb.color));
        painter.drawEllipse(QPointF(bulb.x, bulb.y), 10, 10);
    }
    QLinearGradient gradient(60, 0, 196, 0);
    gradient.setColorAt(0, QColor(0xff, 0x52, 0x52));
    gradient.setColorAt(0.5, QColor(0xff, 0xd7, 0x40));
    gradient.setColorAt(1, QColor(0x69, 0xf0, 0xae));
    painter.setBrush(gradient);
    painter.drawPolygon(Letter, int(std::size(Letter)));
    return image;
}

QIcon AppIcon()
{
    QIcon icon;
    for (int size : AppIconSizes)
        icon.addPixmap(QPixmap::fromImage(AppIconImage(size)));
    return icon;
}
