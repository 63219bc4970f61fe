#pragma once

#include <QIcon>
#include <QImage>

// The program's icon, painted from the same shapes as data/marqueemaster.svg.
QImage AppIconImage(int size);
// Every installed size, for the window icon.
QIcon AppIcon();
// The sizes installed into the hicolor theme.
inline constexpr int AppIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
