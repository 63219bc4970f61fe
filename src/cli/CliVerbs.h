#pragma once

#include <QIODevice>
#include <QStringList>
#include <QTextStream>

#include <cstdio>
#include <functional>

// What a verb writes to: bytes to standard output, lines to standard error.
struct CliStreams {
    FILE *out = stdout;
    QTextStream &err;
};

struct VerbArguments;
struct VerbSyntax;

struct CliVerb {
    QString name;
    std::function<VerbSyntax()> syntax;  // what it takes: its usage and --help come from it
    // Gets the arguments after the verb, parsed by its syntax; returns the exit code (2 for wrong usage).
    std::function<int(const VerbArguments &arguments, CliStreams &streams)> run;
    QString about = {};  // what the verb does, for VERB --help
};

// Called from a static object in each verb's file.
bool RegisterCliVerb(const CliVerb &verb);
const QList<CliVerb> &CliVerbTable();

// Exit code for wrong usage; the caller prints the usage text.
constexpr int CliUsageError = 2;

void WriteBytes(FILE *out, const QByteArray &bytes);
// Text for the player: as it is to a Windows console, else in the system's bytes (ConsoleText).
void WriteText(FILE *out, const QString &text);

// Standard error as a device for a QTextStream: what the stream writes goes out as WriteText does.
class TextSink final : public QIODevice {
public:
    explicit TextSink(FILE *stream) : m_stream(stream) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        WriteText(m_stream, QString::fromUtf8(data, size));
        return size;
    }

private:
    FILE *m_stream;
};

// Names what was wrong with the arguments and returns CliUsageError; the caller then prints the usage text.
int UsageError(CliStreams &streams, const QString &what);

// 0 when path names a file that can be read; otherwise says why (missing, a folder, a device) and returns 1.
int InputFileError(const QString &path, CliStreams &streams);

// The text with control characters written as \xNN: a terminal would act on them.
QString EscapeControls(const QString &text);

// A script's or animation's text: as it is to a Windows console, else the file's own bytes (the code page of the
// program's files), saying on standard error when characters had to be written as '?', as saving would.
void WriteFileContent(const QString &text, CliStreams &streams);
