#pragma once

#include <QtGlobal>

// Facts about the platform the program runs on, kept in one place so that the
// rest of the code needs no platform checks of its own.
namespace Platform {

// True where programs are files ending in ".exe" (Windows).
bool ProgramsEndInExe();

// False where a windowing system is needed but none is reachable (no X11 or
// Wayland display); creating the application would abort there.
bool DisplayAvailable();
// Why a folder takes no new file from this user, and what works instead (Windows: only administrators may write
// into the installed programs' folders).
QString FolderRefusedReason(const QString &folder);

// What --help says of the display the program needs: the windowing systems where one can be missing.
const char *DisplayNeeded();

// True where two file names that differ only in letter case name the same file (Windows).
bool FileNamesIgnoreCase();

// True where a program that names a file by code-page bytes finds the file saved under that name (Windows maps
// the bytes through the code page); elsewhere names are UTF-8 bytes, so a letter outside ASCII in a game
// script's exec line names another file than the one saved.
bool FileNamesInTheCodePage();

// The system the program runs on.
enum class System { Linux, Windows, MacOs };
System ThisSystem();

// A text value of the system's own records (the Windows registry: "HKEY_LOCAL_MACHINE\\SOFTWARE\\…"), or empty
// where there are none.
QString SystemRecord(const QString &key, const QString &value);

// Where a player keeps files: Documents on Windows, the home folder elsewhere. File dialogs start there when
// they have no folder of their own (never in the folder the program was started from).
QString PlayerFilesFolder();

// Whether the process with this id is still running (one we may not look into counts as running).
bool ProcessRunning(qint64 pid);

// Standard output and error pass bytes through unchanged (Windows would otherwise turn every "\n" into
// "\r\n", doubling the "\r" of a script's own line ends), and a write past the file size limit (ulimit -f)
// fails with an error the program reports instead of ending the program (SIGXFSZ).
void PrepareProcess();

// Hands memory the program freed back to the system. The C library keeps freed
// blocks for reuse, so after dropping whole animations the program would go on
// holding their memory.
void ReturnFreedMemory();

} // namespace Platform
