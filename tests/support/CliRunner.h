#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

#include "BuiltPrograms.h"

// Runs marqueemaster-cli, built beside the tests.
struct CliResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

inline CliResult RunCli(const QStringList &arguments)
{
    QProcess process;
    process.start(CliProgram(), arguments);
    CliResult result;
    if (!process.waitForFinished(60000))
        return result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}
