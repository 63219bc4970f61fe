#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

#include "BuiltPrograms.h"

#include "platform/Platform.h"

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

// Runs marqueemaster-cli, built beside the tests.
struct CliResult { int exitCode = -1; QByteArray out; QByteArray err; };

// fileSizeLimit: the most bytes it may write to one file (ulimit -f), 0 for no limit; set the Unix way only.
inline CliResult RunCli(const QStringList &arguments, int fileSizeLimit = 0)
{
    CliResult result;
    // Under Wine a child now and then fails to start or dies at once (one run in a dozen of the whole suite):
    // on Windows builds it is run once more, and a crash that happens again is reported as it is.
    for (int attempt = 0; attempt < 2; ++attempt) {
        QProcess process;
#ifdef Q_OS_UNIX
        if (fileSizeLimit > 0)
            process.setChildProcessModifier([fileSizeLimit] {
                const rlimit limit{rlim_t(fileSizeLimit), rlim_t(fileSizeLimit)};
                setrlimit(RLIMIT_FSIZE, &limit);
            });
#endif
        process.start(CliProgram(), arguments);
        const bool finished = process.waitForFinished(60000);
        result.exitCode = finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = process.readAllStandardOutput();
        result.err = process.readAllStandardError();
        const bool died = process.error() == QProcess::FailedToStart || process.exitStatus() == QProcess::CrashExit;
        if (!died || !Platform::ProgramsEndInExe())
            break;
        qWarning("marqueemaster-cli %s died (%s, exit code %d, said \"%s\"); once more",
                 qPrintable(arguments.join(u' ')), qPrintable(process.errorString()), process.exitCode(),
                 result.err.left(200).constData());
    }
    return result;
}
