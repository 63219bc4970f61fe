#include "script/ScriptImport.h"

#include "animation/AnimationModel.h"
#include "animation/LineLimit.h"
#include "colors/Numbers.h"
#include "game/GameConsole.h"
#include "platform/Prompts.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Plain char16_t loops: the parser sees every character of scripts with tens of
// thousands of lines, and should stay quick in debug builds too.
bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

QStringView trimmedStart(QStringView text)
{
    const char16_t *begin = text.utf16();
    const char16_t *end = begin + text.size();
    const char16_t *p = begin;
    while (p != end && isBlank(*p))
        ++p;
    return QStringView(p, end);
}

QStringView trimmedBoth(QStringView text)
{
    text = trimmedStart(text);
    const char16_t *begin = text.utf16();
    const char16_t *end = begin + text.size();
    while (end != begin && isBlank(end[-1]))
        --end;
    return QStringView(begin, end);
}

// The command's first characters, lowered one by one, equal the prefix. Plain
// lowering rather than case folding: "ſet name" is not a name command.
bool startsWithLowered(QStringView text, const char *prefix, qsizetype length)
{
    if (text.size() < length)
        return false;
    const char16_t *p = text.utf16();
    for (qsizetype i = 0; i < length; ++i) {
        const char16_t c = p[i];
        const char32_t lowered = (c >= u'A' && c <= u'Z') ? char32_t(c + 0x20)
                                 : c < 0x80               ? char32_t(c)
                                                          : QChar::toLower(char32_t(c));
        if (lowered != char32_t(prefix[i]))
            return false;
    }
    return true;
}

void appendRow(QStringView value, ScriptRows &rows, const QString &action = QStringLiteral("set name"))
{
    if (rows.lines.size() >= AnimationModel::MaxLines) {
        rows.full = true;
        return;
    }
    rows.lines.emplace_back(AnimationLine{RemoveQuotes(value), QString(), action});
}

// The chat and echo commands the program offers, longest first so "say" doesn't take "say_team".
const QList<QPair<QByteArray, QString>> &otherActions()
{
    static const QList<QPair<QByteArray, QString>> actions = [] {
        QList<QPair<QByteArray, QString>> list;
        for (const QString &action : ActionList()) {
            if (action != QLatin1String("set name"))
                list.append({action.toLatin1() + ' ', action});
        }
        std::sort(list.begin(), list.end(), [](const auto &a, const auto &b) { return a.first.size() > b.first.size(); });
        return list;
    }();
    return actions;
}

// The file a script's last command executes, when it lies beside the script.
QString chainedFile(const QString &path, const QStringList &fileLines)
{
    for (qsizetype i = fileLines.size() - 1; i >= 0; --i) {
        const QByteArray line = EncodeAnsi(fileLines.at(i)).trimmed();
        if (line.isEmpty())
            continue;
        const QList<GameConsole::Command> commands = GameConsole::Commands(line);
        if (commands.isEmpty())
            continue;
        const GameConsole::TokenList tokens = GameConsole::Tokens(commands.last().text);
        if (tokens.size() < 2 || tokens.first().compare("exec", Qt::CaseInsensitive) != 0)
            return {};
        const QString name = QFileInfo(GameConsole::ExecFileName(tokens.at(1))).fileName();
        const QString next = QFileInfo(path).dir().filePath(name);
        return QFileInfo(next).isFile() ? next : QString();
    }
    return {};
}

} // namespace

QString RemoveQuotes(QStringView text)
{
    QString result = text.toString();
    result.remove(QLatin1Char('"'));
    return result;
}

void ParseScriptCommand(QStringView command, ScriptRows &rows)
{
    if (startsWithLowered(command, "set name", 8)) {
        if (command.size() > 9)
            appendRow(command.mid(9), rows);
        return;
    }
    if (startsWithLowered(command, "name", 4)) {
        if (command.size() >= 6)
            appendRow(command.mid(5), rows);
        return;
    }
    for (const auto &[prefix, action] : otherActions()) {
        if (startsWithLowered(command, prefix.constData(), prefix.size())) {
            appendRow(command.mid(prefix.size()), rows, action);
            return;
        }
    }
    // Unlike the name commands, the wait command is recognised in lower case only.
    if (command.startsWith(QLatin1StringView("wait"))) {
        // The cheap tests first, before the value is copied.
        if (command.size() < 6 || rows.lines.isEmpty() || !rows.lines.last().time.isEmpty())
            return;
        QString value = RemoveQuotes(trimmedBoth(command.mid(5)));
        if (IsNumber(value))
            rows.lines.last().time = std::move(value);
    }
}

void ParseScriptLine(QStringView line, ScriptRows &rows)
{
    const QStringView content = trimmedStart(line);
    if (content.startsWith(QLatin1StringView("//")))
        return;
    const char16_t *p = content.utf16();
    const char16_t *end = p + content.size();
    while (!rows.full) {
        // As the game reads a line: a semicolon ends a command only outside double quotes.
        const char16_t *stop = p;
        for (bool quoted = false; stop != end && (quoted || *stop != u';'); ++stop)
            quoted ^= *stop == u'"';
        // A command of blanks only is no command.
        const QStringView command = trimmedStart(QStringView(p, stop));
        if (!command.isEmpty())
            ParseScriptCommand(command, rows);
        if (stop == end)
            break;
        p = stop + 1;
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
    ScriptRows rows = ParseScript(file.lines);
    // The parts a saved script chains to, as long as they lie beside it.
    QStringList read{QFileInfo(path).absoluteFilePath()};
    for (QString next = chainedFile(path, file.lines); !next.isEmpty() && !rows.full;) {
        if (read.contains(QFileInfo(next).absoluteFilePath()))
            break;
        read << QFileInfo(next).absoluteFilePath();
        const TextReadResult part = ReadTextLines(next, LineBreaks::CrLfCrOrLf);
        if (!part.ok)
            break;
        for (const QString &line : part.lines) {
            if (rows.full)
                break;
            ParseScriptLine(line, rows);
        }
        next = chainedFile(next, part.lines);
    }
    model.clear();
    model.appendLines(rows.lines);
    if (rows.full)
        prompts.message(LineLimitMessage(), AppTitle, PromptIcon::Exclamation);
    return true;
}

std::function<bool(AnimationModel &, const QString &, Prompts &)> ImportScriptReader()
{
    return [](AnimationModel &model, const QString &path, Prompts &prompts) { return ImportScript(model, path, prompts); };
}
