#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QString>

// The programs under test are built into the folder the tests run from, so a
// cross-built test finds them on the machine it runs on.
inline QString BuiltProgram(const QString &name)
{
#ifdef Q_OS_WIN
    return QDir(QCoreApplication::applicationDirPath()).filePath(name + QStringLiteral(".exe"));
#else
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
#endif
}

inline QString CliProgram() { return BuiltProgram(QStringLiteral("marqueemaster-cli")); }
inline QString DesktopProgram() { return BuiltProgram(QStringLiteral("marqueemaster")); }
