#include "cli/CliVerbs.h"

#include "animation/AnimationFile.h"
#include "animation/AnimationModel.h"
#include "platform/Prompts.h"
#include "platform/TextFile.h"
#include "script/ScriptImport.h"

namespace {

// Nobody to ask on the command line: messages go to standard error, questions
// and dialogs are cancelled.
class StderrPrompts final : public Prompts {
public:
    explicit StderrPrompts(QTextStream &err) : m_err(err) {}

    PromptAnswer message(const QString &text, const QString &, PromptIcon, PromptButtons buttons) override
    {
        m_err << text << '\n';
        return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
    }
    QString input(const QString &, const QString &, const QString &) override { return {}; }
    bool openFile(FileDialogState &) override { return false; }
    bool saveFile(FileDialogState &) override { return false; }
    QString browseFolder(const QString &) override { return {}; }

private:
    QTextStream &m_err;
};

int runImport(const QStringList &arguments, CliStreams &streams)
{
    if (arguments.size() != 1 || arguments.first().isEmpty())
        return CliUsageError;
    const QString &path = arguments.first();
    StderrPrompts prompts(streams.err);
    AnimationModel model;
    if (!FileExists(path)) {
        streams.err << "File not found: " << path << '\n';
        return 1;
    }
    QString error;
    if (!ImportScript(model, path, prompts, &error)) {
        streams.err << "Can't read " << path << ": " << error << '\n';
        return 1;
    }
    WriteBytes(streams.out, EncodeAnsi(AnimationFileText(model.lines())));
    return 0;
}

const bool registered = RegisterCliVerb({QStringLiteral("import"),
                                         QStringLiteral("import FILE.cfg"),
                                         runImport});

} // namespace
