#pragma once

#include <QStringList>

class MainWindow;

// Starts the desktop program: checks for a display, creates the application and
// the main window, opens a file named on the command line, and runs the event loop.
int RunMarqueemaster(int argc, char *argv[]);

// What a start does before the window shows: unsaved work left by a copy that ended is offered, then the file
// named on the command line is opened. The window's own unsaved work is kept in dataFolder from then on.
void OpenAtStart(MainWindow &window, const QStringList &arguments, const QString &dataFolder);
