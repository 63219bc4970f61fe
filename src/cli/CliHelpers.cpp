#include "cli/CliVerbs.h"

#include "platform/ConsoleText.h"
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
    const QFileInfo info(path);
    if (info.isDir())
        streams.err << QDir::toNativeSeparators(path) << " is a folder, not a file\n";
    else if (!FileExists(path))
        streams.err << "File not found: " << QDir::toNativeSeparators(path) << '\n';
    else if (!info.isFile())
        streams.err << QDir::toNativeSeparators(path) << " is a device or pipe, not a file\n";
    else
        return 0;
    return 1;
}

QString EscapeControls(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            escaped += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            escaped += c;
    }
    return escaped;
}

void WriteFileContent(const QString &text, CliStreams &streams)
{
    if (ConsoleText::WriteToConsole(streams.out, text))
        return;
    bool replaced = false;
    const QByteArray bytes = EncodeAnsi(text, &replaced);
    if (replaced)
        streams.err << ReplacedCharactersNotice(QStringLiteral("standard output")) << '\n';
    streams.err.flush();
    WriteBytes(streams.out, bytes);
}
