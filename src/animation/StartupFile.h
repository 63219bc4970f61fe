#pragma once

#include <QStringList>

// What the program does with the file named on its command line.
enum class StartupFileKind { None, Animation, Script };

// One argument is the whole path (the association quotes it); several come from an older unquoted command that
// the shell cut at each blank, and are joined back with one blank each.
QString StartupPath(const QStringList &arguments);

// An existing file whose name ends in "ras" is opened, one ending in "cfg"
// imported (letter case of the ending does not matter); anything else is ignored.
StartupFileKind StartupFileKindOf(const QString &path);
