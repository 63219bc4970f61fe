#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// How a reader ends its lines.
enum class LineBreaks {
    CrOrCrLf,     // CR or CR LF end a line; a lone LF is part of it (.ras)
    CrLfCrOrLf,   // CR LF, CR and LF all end a line (.cfg, leet.ini)
};

struct TextReadResult {
    bool ok = false;
    QString errorString;
    QStringList lines;
    bool binary = false;  // read, but holds NUL bytes or mostly control bytes: not a text file
};

struct TextWriteResult {
    bool ok = false;
    int errorCode = 0;        // a number the user can quote; 0 when ok
    QString errorString;
    bool replacedCharacters = false;  // some characters were not in the code page and became '?'
    bool folderRefused = false;       // the folder takes no new file from this user (access rights)
};

// The code page of the program's text files: Windows-1252, or on Windows the
// system's ANSI code page.
QByteArray EncodeAnsi(const QString &text, bool *replacedCharacters = nullptr);
QString DecodeAnsi(QByteArrayView bytes);
// The same encoding into `bytes`, reusing its room: for many short texts in a row.
void EncodeAnsiInto(QStringView text, QByteArray &bytes);

QStringList SplitLines(const QString &text, LineBreaks breaks);

// False for bytes no text file holds: a NUL, or control bytes (other than tab, line and page ends) making up
// more than a twentieth of them.
bool LooksLikeText(QByteArrayView bytes);

// Reads a whole file in the code page and splits it into lines. A last line
// without a line end is kept; a file ending in a line end has no empty last line.
TextReadResult ReadTextLines(const QString &path, LineBreaks breaks);

// Writes text in the code page so that the file holds its old bytes or the new ones whole (see SaveBytes).
TextWriteResult WriteTextFile(const QString &path, const QString &text);

// Each line followed by CR LF.
QString JoinCrLfLines(const QStringList &lines);

// The message told once per save when characters had to be replaced.
QString ReplacedCharactersNotice(const QString &path);

// True when the file can be opened for reading.
bool FileExists(const QString &path);

// The file's bytes; empty when it is missing or can't be read.
QByteArray FileBytes(const QString &path);
