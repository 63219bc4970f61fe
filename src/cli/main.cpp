#include "cli/CliVerbs.h"
#include "cli/VerbArguments.h"
#include "platform/ConsoleText.h"
#include "platform/Platform.h"

#include "Version.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

QList<CliVerb> &verbTable()
{
    static QList<CliVerb> verbs;
    return verbs;
}

bool asksForHelp(const QStringList &arguments)
{
    return arguments.size() == 1 && (arguments.first() == QLatin1String("--help") || arguments.first() == QLatin1String("-h"));
}

// The usage of one verb, or of all when `only` is null.
QString usageText(const CliVerb *only = nullptr)
{
    QString text = QStringLiteral("Usage:\n");
    for (const CliVerb &verb : CliVerbTable()) {
        if (only && only->name != verb.name)
            continue;
        const QStringList lines = VerbUsage(verb.name, verb.syntax()).split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < lines.size(); ++i)
            text += (i == 0 ? QStringLiteral("  marqueemaster-cli ") : QStringLiteral("                    ")) + lines.at(i)
                    + QLatin1Char('\n');
    }
    if (!only)
        text += QStringLiteral("  marqueemaster-cli --help | --version\n");
    return text;
}

} // namespace

bool RegisterCliVerb(const CliVerb &verb)
{
    verbTable().append(verb);
    std::sort(verbTable().begin(), verbTable().end(),
              [](const CliVerb &a, const CliVerb &b) { return a.name < b.name; });
    return true;
}

const QList<CliVerb> &CliVerbTable()
{
    return verbTable();
}

void WriteBytes(FILE *out, const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), out);
    std::fflush(out);
}

void WriteText(FILE *out, const QString &text)
{
    if (!ConsoleText::WriteToConsole(out, text))
        WriteBytes(out, ConsoleText::BytesOf(text));
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Platform::PrepareProcess();
    TextSink errSink(stderr);
    QTextStream err(&errSink);
    QStringList arguments = app.arguments().mid(1);

    if (asksForHelp(arguments)) {
        WriteText(stdout, usageText() + ConsoleText::EncodingNote() + QLatin1Char('\n'));
        return 0;
    }
    if (arguments.size() == 1 && arguments.first() == QLatin1String("--version")) {
        WriteBytes(stdout, QByteArrayLiteral("marqueemaster-cli " MARQUEE_VERSION_TEXT "\n"));
        return 0;
    }
    if (!arguments.isEmpty()) {
        const QString name = arguments.takeFirst();
        for (const CliVerb &verb : CliVerbTable()) {
            if (verb.name != name)
                continue;
            if (asksForHelp(arguments)) {
                WriteText(stdout, usageText(&verb) + (verb.about.isEmpty() ? QString() : verb.about + QLatin1Char('\n'))
                                      + VerbHelp(verb.name, verb.syntax()));
                return 0;
            }
            CliStreams streams{stdout, err};
            const std::optional<VerbArguments> parsed = ParseVerbArguments(verb.syntax(), arguments, streams);
            const int code = parsed ? verb.run(*parsed, streams) : CliUsageError;
            if (code == CliUsageError)
                err << usageText(&verb);
            err.flush();
            return code;
        }
        err << (name.startsWith(QLatin1Char('-')) ? "Unknown option: " : "Unknown command: ") << name << '\n';
    }
    err << usageText();
    return CliUsageError;
}
