#pragma once

// Starts the desktop program: checks for a display, creates the application and
// the main window, opens a file named on the command line, and runs the event loop.
int RunMarqueemaster(int argc, char *argv[]);
