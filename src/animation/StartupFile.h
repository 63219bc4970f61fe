#pragma once

#include <QStringList>

// What the program does with the file named on its command line.
enum class StartupFileKind { None, Animation, Script };

// The shell passes the path unquoted after a blank, so the arguments are joined
// back into one path with blanks.
QString StartupPath(const QStringList &arguments);

// An existing file whose name ends in "ras" is opened, one ending in "cfg"
// imported (letter case of the ending does not matter); anything else is ignored.
StartupFileKind StartupFileKindOf(const QString &path);
