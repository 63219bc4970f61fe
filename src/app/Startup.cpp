#include "app/Startup.h"

#include "Version.h"

#include "about/AppIcon.h"
#include "app/MainWindow.h"
#include "platform/Platform.h"
#include "settings/RegistryStore.h"

#include <QApplication>
#include <QScreen>
#include <cstdio>

int RunMarqueemaster(int argc, char *argv[])
{
    if (!Platform::DisplayAvailable()) {
        std::fputs("marqueemaster: no display found (DISPLAY is not set); start it on a desktop or under xvfb-run.\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Marqueemaster"));
    QApplication::setApplicationVersion(QStringLiteral(MARQUEE_VERSION_TEXT));
    QApplication::setWindowIcon(AppIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral(MARQUEE_APP_ID));
    MainWindow window(SystemRegistryStore());
    QObject::connect(&window, &MainWindow::closed, &app, &QApplication::quit);
    window.openCommandLine(app.arguments().mid(1));
    if (const QScreen *screen = window.screen())
        window.move(screen->availableGeometry().center() - window.rect().center());
    window.show();
    return app.exec();
}
