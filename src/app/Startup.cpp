#include "app/Startup.h"
#include "platform/ProgramFolders.h"

#include "Version.h"

#include "platform/AppIcon.h"
#include "app/MainWindow.h"
#include "animation/RecoveryOffer.h"
#include "platform/Platform.h"
#include "platform/RegistryStore.h"
#include "settings/ProgramTraces.h"

#include <QStatusBar>

#include <QApplication>
#include <QScreen>
#include <QStandardPaths>
#include <cstdio>

namespace {

const char HelpText[] =
    "Usage: marqueemaster [FILE]\n"
    "Composes name animations for RtCW and turns them into game scripts.\n"
    "  FILE        a .ras animation to open, or a .cfg game script to import\n"
    "  --help      show this text and exit\n"
    "  --version   show the version and exit\n";

} // namespace

void OpenAtStart(MainWindow &window, const QStringList &arguments, const QString &dataFolder)
{
    // Work a copy that ended without saving left is offered first: a file named now is opened after it, asking
    // about the restored work as any Open does.
    window.document().keepRecoveryIn(dataFolder);
    OfferRecovery(
        dataFolder, window.prompts(), [&window](const RecoveredWork &work) { return window.restoreRecovered(work); },
        [&window](const QString &notice) { window.statusBar()->showMessage(notice); });
    window.openCommandLine(arguments);
}

int RunMarqueemaster(int argc, char *argv[])
{
    // Answered before any window or display is needed.
    const QByteArray first = argc == 2 ? QByteArray(argv[1]) : QByteArray();
    Platform::PrepareProcess();
    if (first == "--version") {
        std::fputs("marqueemaster " MARQUEE_VERSION_TEXT "\n", stdout);
        return 0;
    }
    if (first == "--help" || first == "-h") {
        std::fputs(HelpText, stdout);
        std::fputs(Platform::DisplayNeeded(), stdout);
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
    QApplication::setWindowIcon(AppIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral(MARQUEE_APP_ID));
    int code = 0;
    {
        MainWindow window(SystemRegistryStore());
        QObject::connect(&window, &MainWindow::closed, &app, &QApplication::quit);
        OpenAtStart(window, app.arguments().mid(1), ProgramFolders::Data());
        if (!window.restoreWindowGeometry())
            if (const QScreen *screen = window.screen())
                window.move(screen->availableGeometry().center() - window.rect().center());
        window.show();
        code = app.exec();
    }
    // The player removed the program's settings while it ran: its own unsaved work, kept until it ended, goes too.
    if (SystemRegistryStore().sealed())
        RemoveProgramFolders(ProgramFolders::All());
    return code;
}
