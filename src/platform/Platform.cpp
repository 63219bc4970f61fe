#include "platform/Platform.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

#include <QtGlobal>

#if defined(__GLIBC__)
#include <malloc.h>
#endif
#ifdef Q_OS_WIN
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#endif

namespace Platform {

bool FileNamesInTheCodePage()
{
    return ProgramsEndInExe();  // both: Windows
}

bool ProgramsEndInExe()
{
#ifdef Q_OS_WIN
    return true;
#else
    return false;
#endif
}

bool FileNamesIgnoreCase()
{
    return ProgramsEndInExe();
}

bool ProcessRunning(qint64 pid)
{
#ifdef Q_OS_WIN
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!process)
        return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    const bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
#else
    return pid > 0 && (kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
#endif
}

bool DisplayAvailable()
{
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY")
           || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

QString FolderRefusedReason(const QString &folder)
{
    const QString native = QDir::toNativeSeparators(folder);
#ifdef Q_OS_WIN
    return QStringLiteral("Windows lets only administrators write into %1. Save into a folder of your own, or move the "
                          "game out of Program Files and choose its new folder in Edit > Options > Game. (For a 32-bit "
                          "game without a manifest Windows also shows it files kept in %LOCALAPPDATA%\\VirtualStore\\"
                          "Program Files (x86)\\…; this program can't check that from here.)").arg(native);
#else
    return QStringLiteral("You may not write into %1: save into a folder of your own, or ask the folder's owner.")
        .arg(native);
#endif
}

const char *DisplayNeeded()
{
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    return "It needs a display (X11 or Wayland); marqueemaster-cli does the same work without one.\n";
#else
    return "marqueemaster-cli does the same work without a window.\n";
#endif
}

static void WriteStandardStreamsAsBytes()
{
#ifdef Q_OS_WIN
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
}

void PrepareProcess()
{
    WriteStandardStreamsAsBytes();
#ifdef SIGXFSZ
    signal(SIGXFSZ, SIG_IGN);
#endif
}

void ReturnFreedMemory()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

} // namespace Platform

QString Platform::PlayerFilesFolder()
{
#ifdef Q_OS_WIN
    if (const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation); !documents.isEmpty())
        return documents;
#endif
    return QDir::homePath();
}

Platform::System Platform::ThisSystem()
{
#if defined(Q_OS_WIN)
    return System::Windows;
#elif defined(Q_OS_MACOS)
    return System::MacOs;
#else
    return System::Linux;
#endif
}

QString Platform::SystemRecord(const QString &key, const QString &value)
{
#ifdef Q_OS_WIN
    return QSettings(key, QSettings::NativeFormat).value(value).toString();
#else
    Q_UNUSED(key);
    Q_UNUSED(value);
    return {};
#endif
}
