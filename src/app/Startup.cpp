#include "app/Startup.h"

#include "Version.h"

#include "app/MainWindow.h"
#include "settings/RegistryStore.h"

#include <QApplication>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

namespace {

// Qt aborts when it finds no display; say so plainly instead.
bool displayAvailable()
{
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    const auto set = [](const char *name) {
        const char *value = std::getenv(name);
        return value && *value;
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

} // namespace

int RunMarqueemaster(int argc, char *argv[])
{
    if (!displayAvailable()) {
        std::fputs("marqueemaster: no display found (DISPLAY is not set); start it on a desktop or under xvfb-run.\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Marqueemaster"));
    QApplication::setApplicationVersion(QStringLiteral(MARQUEE_VERSION_TEXT));
    MainWindow window(SystemRegistryStore());
    QObject::connect(&window, &MainWindow::closed, &app, &QApplication::quit);
    window.openCommandLine(app.arguments().mid(1));
    if (const QScreen *screen = window.screen())
        window.move(screen->availableGeometry().center() - window.rect().center());
    window.show();
    return app.exec();
}
