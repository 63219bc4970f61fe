#include "platform/ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

QSize SizeOnScreen(const QWidget &window, QSize wanted)
{
    const QWidget *parent = window.parentWidget();
    QScreen *screen = parent ? parent->screen() : window.screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return wanted;
    // The title bar and borders come on top of the size asked for.
    const QSize frame(16, 48);
    return wanted.boundedTo(screen->availableGeometry().size() - frame).expandedTo(window.minimumSizeHint().boundedTo(wanted));
}

void ResizeOnScreen(QWidget &window, QSize wanted)
{
    window.resize(SizeOnScreen(window, wanted));
}
