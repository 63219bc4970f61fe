#include "cli/CliVerbs.h"
#include "cli/StderrPrompts.h"

#include "platform/Prompts.h"
#include "transforms/LeetTable.h"
#include "transforms/TextTransforms.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace {

int runLeet(const QStringList &arguments, CliStreams &streams)
{
    std::optional<QString> tablePath;
    QStringList texts;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--table")) {
            if (tablePath)
                return UsageError(streams, QStringLiteral("--table given twice"));
            if (i + 1 >= arguments.size() || arguments.at(i + 1).isEmpty())
                return UsageError(streams, QStringLiteral("--table needs a file"));
            tablePath = arguments.at(++i);
        } else if (argument.startsWith(QLatin1String("--")) && argument.size() > 2) {
            return UsageError(streams, QStringLiteral("Unknown option: ") + argument);
        } else {
            texts << argument;
        }
    }
    if (texts.size() != 1)
        return UsageError(streams, QStringLiteral("leet takes one TEXT, not %1").arg(texts.size()));
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
    WriteBytes(streams.out, (ConvertTextToLeet(texts.first(), table) + QLatin1Char('\n')).toUtf8());
    return 0;
}

const bool registered = RegisterCliVerb(
    {QStringLiteral("leet"), QStringLiteral("leet TEXT [--table FILE]"), runLeet});

} // namespace
