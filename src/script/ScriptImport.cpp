#include "script/ScriptImport.h"

#include "animation/AnimationModel.h"
#include "animation/LineLimit.h"
#include "colors/Numbers.h"
#include "platform/Prompts.h"
#include "platform/TextFile.h"

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QStringView trimmedStart(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text.at(i)))
        ++i;
    return text.mid(i);
}

QStringView trimmedBoth(QStringView text)
{
    text = trimmedStart(text);
    qsizetype end = text.size();
    while (end > 0 && isBlank(text.at(end - 1)))
        --end;
    return text.left(end);
}

// The command's first characters, lowered one by one, equal the prefix. Plain
// lowering rather than case folding: "ſet name" is not a name command.
bool startsWithLowered(QStringView text, QLatin1StringView prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (qsizetype i = 0; i < prefix.size(); ++i) {
        if (text.at(i).toLower() != QLatin1Char(prefix.at(i)))
            return false;
    }
    return true;
}

void appendNameRow(QStringView value, ScriptRows &rows)
{
    if (rows.lines.size() >= AnimationModel::MaxLines) {
        rows.full = true;
        return;
    }
    rows.lines.append(AnimationLine{RemoveQuotes(value), QString(), QStringLiteral("set name")});
}

} // namespace

QString RemoveQuotes(QStringView text)
{
    QString result;
    result.reserve(text.size());
    for (QChar c : text) {
        if (c != QLatin1Char('"'))
            result.append(c);
    }
    return result;
}

void ParseScriptCommand(QStringView command, ScriptRows &rows)
{
    if (startsWithLowered(command, QLatin1StringView("set name"))) {
        if (command.size() > 9)
            appendNameRow(command.mid(9), rows);
        return;
    }
    if (startsWithLowered(command, QLatin1StringView("name"))) {
        if (command.size() >= 6)
            appendNameRow(command.mid(5), rows);
        return;
    }
    // Unlike the name commands, the wait command is recognised in lower case only.
    if (command.startsWith(QLatin1StringView("wait"))) {
        if (command.size() < 6)
            return;
        const QString value = RemoveQuotes(trimmedBoth(command.mid(5)));
        if (IsNumber(value) && !rows.lines.isEmpty() && rows.lines.last().time.isEmpty())
            rows.lines.last().time = value;
    }
}

void ParseScriptLine(QStringView line, ScriptRows &rows)
{
    if (trimmedStart(line).startsWith(QLatin1StringView("//")))
        return;
    qsizetype start = 0;
    while (start <= line.size() && !rows.full) {
        qsizetype end = line.indexOf(QLatin1Char(';'), start);
        if (end < 0)
            end = line.size();
        const QStringView command = line.mid(start, end - start);
        if (!trimmedBoth(command).isEmpty())
            ParseScriptCommand(trimmedStart(command), rows);
        start = end + 1;
    }
}

ScriptRows ParseScript(const QStringList &fileLines)
{
    ScriptRows rows;
    // A generated script has a banner, then two lines per animation line.
    rows.lines.reserve(qMin<qsizetype>(fileLines.size() / 2 + 1, AnimationModel::MaxLines));
    for (const QString &line : fileLines) {
        if (rows.full)
            break;
        ParseScriptLine(line, rows);
    }
    return rows;
}

bool ImportScript(AnimationModel &model, const QString &path, Prompts &prompts, QString *errorString)
{
    // Read before emptying the list, so a file that can't be read costs the user nothing.
    const TextReadResult file = ReadTextLines(path, LineBreaks::CrLfCrOrLf);
    if (!file.ok) {
        if (errorString)
            *errorString = file.errorString;
        return false;
    }
    const ScriptRows rows = ParseScript(file.lines);
    model.clear();
    model.appendLines(rows.lines);
    if (rows.full)
        prompts.message(LineLimitMessage(), AppTitle, PromptIcon::Exclamation);
    return true;
}

bool ImportScriptCommand(AnimationModel &model, FileDialogState &dialog, Prompts &prompts)
{
    dialog.title = QStringLiteral("Import file");
    dialog.filter = QStringLiteral("RtCW Scripts (*.cfg)|*.cfg");
    if (!prompts.openFile(dialog))
        return false;
    if (!FileExists(dialog.fileName)) {
        prompts.message(QStringLiteral("File not found!"), QStringLiteral("Import error"), PromptIcon::Critical,
                        PromptButtons::Ok);
        return false;
    }
    return ImportScript(model, dialog.fileName, prompts);
}
