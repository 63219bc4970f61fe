#pragma once

#include <QByteArray>
#include <QString>

#include <cstdio>

// How the command-line tool's text reaches the player. A Windows console shows Unicode whatever its code page,
// so text for a console goes to it as such; to a file or a pipe the tool writes bytes: the system's ANSI code
// page on Windows (what its other programs read, and the bytes of the scripts), UTF-8 elsewhere.
namespace ConsoleText {

// Writes text to the stream when it is a Windows console and returns true; false for anything else.
bool WriteToConsole(FILE *stream, const QString &text);
// The bytes of text for a file or pipe.
QByteArray BytesOf(const QString &text);
// What --help says of the above.
QString EncodingNote();

} // namespace ConsoleText
