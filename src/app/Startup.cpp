#include "app/Startup.h"

#include "Version.h"

#include "app/MainWindow.h"
#include "platform/Platform.h"
#include "settings/RegistryStore.h"

#include <QApplication>
#include <QScreen>
#include <cstdio>

namespace {

const char HelpText[] =
    "Usage: marqueemaster [FILE]\n"
    "Composes name animations for RtCW and turns them into game scripts.\n"
    "  FILE        a .ras animation to open, or a .cfg game script to import\n"
    "  --help      show this text and exit\n"
    "  --version   show the version and exit\n"
    "It needs a display (X11 or Wayland); marqueemaster-cli does the same work without one.\n";

} // namespace

int RunMarqueemaster(int argc, char *argv[])
{
    // Answered before any window or display is needed.
    const QByteArray first = argc == 2 ? QByteArray(argv[1]) : QByteArray();
    if (first == "--version") {
        std::fputs("marqueemaster " MARQUEE_VERSION_TEXT "\n", stdout);
        return 0;
    }
    if (first == "--help" || first == "-h") {
        std::fputs(HelpText, stdout);
        return 0;
    }
    if (!Platform::DisplayAvailable()) {
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
