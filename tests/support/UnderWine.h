#pragma once

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

// Wine starts each test run with a registry of its own, which a test may change for real; on Windows itself a
// test leaves the user's registry alone.
inline bool UnderWine()
{
#ifdef Q_OS_WIN
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
#else
    return false;
#endif
}
