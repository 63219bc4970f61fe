#pragma once

#include <QSize>

class QWidget;

// The size a window may open at: what it wants, no larger than the free part of the screen it opens on (less room
// for its frame), at any scale factor.
QSize SizeOnScreen(const QWidget &window, QSize wanted);
// Resizes the window to that size.
void ResizeOnScreen(QWidget &window, QSize wanted);
