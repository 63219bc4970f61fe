#include "platform/ConsoleText.h"

#include "platform/TextFile.h"

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#endif

bool ConsoleText::WriteToConsole(FILE *stream, const QString &text)
{
#ifdef Q_OS_WIN
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode))
        return false;
    std::fflush(stream);
    const auto *characters = reinterpret_cast<const wchar_t *>(text.utf16());
    for (qsizetype done = 0; done < text.size();) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<qsizetype>(text.size() - done, 8192));
        if (!WriteConsoleW(handle, characters + done, chunk, &written, nullptr) || written == 0)
            return true;  // a console that takes nothing more: what bytes would do is no better
        done += written;
    }
    return true;
#else
    Q_UNUSED(stream);
    Q_UNUSED(text);
    return false;
#endif
}

QByteArray ConsoleText::BytesOf(const QString &text)
{
#ifdef Q_OS_WIN
    return EncodeAnsi(text);
#else
    return text.toUtf8();
#endif
}

QString ConsoleText::EncodingNote()
{
#ifdef Q_OS_WIN
    return QStringLiteral("Text shows in the console as it is; written to a file or pipe, everything is in the "
                          "system's ANSI code page, the scripts' own bytes.");
#else
    return QStringLiteral("Written to a terminal, file or pipe, text is UTF-8; a script or animation is its file's "
                          "own bytes (Windows-1252).");
#endif
}
