#include "cli/CliVerbs.h"
#include "cli/StderrPrompts.h"
#include "cli/VerbArguments.h"

#include "platform/Prompts.h"
#include "transforms/LeetTable.h"
#include "transforms/TextTransforms.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace {

VerbSyntax syntax()
{
    return {QStringLiteral("TEXT"),
            {{{QStringLiteral("table")}, QStringLiteral("FILE"), QStringLiteral("the leet table to use (default: the program's leet.ini)"),
              false, QStringLiteral("--table needs a file")}}};
}

int runLeet(const VerbArguments &arguments, CliStreams &streams)
{
    const std::optional<QString> tablePath = arguments.value(QStringLiteral("table"));
    if (arguments.count(QStringLiteral("table")) > 1)
        return UsageError(streams, QStringLiteral("--table given twice"));
    if (tablePath && tablePath->isEmpty())
        return UsageError(streams, QStringLiteral("--table needs a file"));
    if (arguments.positional.size() != 1)
        return UsageError(streams, QStringLiteral("leet takes one TEXT, not %1").arg(arguments.positional.size()));
    if (tablePath && QFileInfo(*tablePath).isDir())
        return InputFileError(*tablePath, streams);
    // The same leet.ini the desktop program uses.
    const LeetFileLocation file = tablePath ? LeetFileLocation(*tablePath) : SystemLeetFile();
    const QString path = file.readPath();

    LeetTable table;
    StderrPrompts prompts(streams.err);
    if (!LoadLeetTable(table, path, prompts)) {
        streams.err << "Looked for: " << QDir::toNativeSeparators(file.places().join(QStringLiteral(", "))) << '\n';
        return 1;
    }
    WriteText(streams.out, (ConvertTextToLeet(arguments.positional.first(), table) + QLatin1Char('\n')));
    return 0;
}

const bool registered = RegisterCliVerb({QStringLiteral("leet"), syntax, runLeet,
                                         QStringLiteral("Prints TEXT written in leet, by the leet table.")});

} // namespace
