#include "cli/CliVerbs.h"
#include "cli/StderrPrompts.h"

#include "platform/Prompts.h"
#include "transforms/LeetTable.h"
#include "transforms/TextTransforms.h"

#include <QDir>

namespace {


int runLeet(const QStringList &arguments, CliStreams &streams)
{
    QString tablePath;
    QStringList texts;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--table")) {
            if (i + 1 >= arguments.size() || !tablePath.isEmpty())
                return CliUsageError;
            tablePath = arguments.at(++i);
            if (tablePath.isEmpty())
                return CliUsageError;
        } else {
            texts << arguments.at(i);
        }
    }
    if (texts.size() != 1)
        return CliUsageError;
    if (tablePath.isEmpty())
        tablePath = LeetFilePath();  // beside this program, as the desktop program looks for it

    LeetTable table;
    StderrPrompts prompts(streams.err);
    if (!LoadLeetTable(table, tablePath, prompts)) {
        streams.err << "Looked for: " << QDir::toNativeSeparators(tablePath) << '\n';
        return 1;
    }
    WriteBytes(streams.out, (ConvertTextToLeet(texts.first(), table) + QLatin1Char('\n')).toUtf8());
    return 0;
}

const bool registered = RegisterCliVerb(
    {QStringLiteral("leet"), QStringLiteral("leet TEXT [--table FILE]"), runLeet});

} // namespace
