#include "cli/CliVerbs.h"

#include "platform/TextFile.h"

#include <QDir>
#include <QFileInfo>

int UsageError(CliStreams &streams, const QString &what)
{
    streams.err << what << '\n';
    return CliUsageError;
}

int InputFileError(const QString &path, CliStreams &streams)
{
    if (QFileInfo(path).isDir())
        streams.err << QDir::toNativeSeparators(path) << " is a folder, not a file\n";
    else if (!FileExists(path))
        streams.err << "File not found: " << QDir::toNativeSeparators(path) << '\n';
    else
        return 0;
    return 1;
}

void WriteAnsiOutput(const QString &text, CliStreams &streams)
{
    bool replaced = false;
    const QByteArray bytes = EncodeAnsi(text, &replaced);
    if (replaced)
        streams.err << ReplacedCharactersNotice(QStringLiteral("standard output")) << '\n';
    streams.err.flush();
    WriteBytes(streams.out, bytes);
}
