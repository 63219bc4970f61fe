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

// The 16 px icon is drawn pixel by pixel: scaled down, the bulbs and the letter blur into a smudge.
// Rows of the letter M on a 16 grid, as [first, last] pixel runs.
struct Run {
    int y, x0, x1;
};
constexpr Run SmallLetter[] = {
    {4, 3, 4}, {4, 11, 12}, {5, 3, 5}, {5, 10, 12}, {6, 3, 6}, {6, 9, 12}, {7, 3, 4}, {7, 6, 9},
    {7, 11, 12}, {8, 3, 4}, {8, 7, 8}, {8, 11, 12}, {9, 3, 4}, {9, 11, 12}, {10, 3, 4}, {10, 11, 12},
    {11, 3, 4}, {11, 11, 12},
};

QImage smallIcon()
{
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1d, 0x23, 0x33));
    painter.drawRect(1, 0, 14, 16);
    painter.drawRect(0, 1, 16, 14);
    // Five bulbs a row, top and bottom, in the big icon's colours.
    for (int i = 0; i < 5; ++i) {
        painter.fillRect(2 + 3 * i, 1, 2, 2, QColor(Bulbs[i].color));
        painter.fillRect(2 + 3 * i, 13, 2, 2, QColor(Bulbs[5 + i].color));
    }
    painter.end();
    // The big letter's gradient in three steps: red, yellow, green from left to right.
    const QRgb steps[] = {0xff5252, 0xffd740, 0x69f0ae};
    for (const Run &run : SmallLetter) {
        for (int x = run.x0; x <= run.x1; ++x)
            image.setPixel(x, run.y, 0xff000000 | steps[x <= 5 ? 0 : x >= 10 ? 2 : 1]);
    }
    return image;
}

} // namespace

QImage AppIconImage(int size)
{
    if (size == 16)
        return smallIcon();

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
