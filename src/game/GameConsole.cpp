#include "game/GameConsole.h"

#include <array>

namespace GameConsole {

QByteArrayView GameText(QByteArrayView file)
{
    const qsizetype nul = file.indexOf('\0');
    return nul < 0 ? file : file.first(nul);
}

namespace {

// Where the command starting at `p` ends, comments playing no part.
const char *plainEnd(const char *p, const char *end)
{
    // The bytes the scan looks at; every other byte is part of the command.
    static constexpr auto special = [] {
        std::array<bool, 256> table{};
        for (unsigned char c : {'\r', '\n', '"', ';'})
            table[c] = true;
        return table;
    }();
    bool quoted = false;
    for (; p != end; ++p) {
        const char c = *p;
        if (!special[static_cast<unsigned char>(c)])
            continue;  // most bytes: one look-up
        if (c == '\r' || c == '\n')
            break;
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == ';')
            break;
    }
    return p;
}

// The same where a ; in a comment doesn't end the command: after // up to the
// line's end, inside /* */ across line ends too.
const char *commentedEnd(const char *p, const char *end)
{
    bool quoted = false;
    bool lineComment = false;
    bool blockComment = false;
    for (; p != end; ++p) {
        const char c = *p;
        const char next = p + 1 != end ? p[1] : '\0';
        if (c == '"')
            quoted = !quoted;
        if (!quoted) {
            if (!blockComment && c == '/' && next == '/')
                lineComment = true;
            else if (!lineComment && c == '/' && next == '*')
                blockComment = true;
            else if (blockComment && c == '*' && next == '/') {
                return p + 1;  // the command ends after the *: the / goes as its separator
            }
            if (!lineComment && !blockComment && c == ';')
                break;
        }
        if (!blockComment && (c == '\r' || c == '\n'))
            break;
    }
    return p;
}

} // namespace

bool NextCommand(QByteArrayView text, qsizetype &start, Command &command, const GameRules &rules)
{
    while (start < text.size()) {
        const char *begin = text.data() + start;
        const char *end = text.data() + text.size();
        const char *p = rules.commentHidesSemicolon ? commentedEnd(begin, end) : plainEnd(begin, end);
        qsizetype i = p - text.data();
        command = Command{start, text.sliced(start, i - start)};
        if (command.text.size() > rules.maxCommandBytes) {
            // The buffer hands out 1,023 bytes, drops the next and goes on after it.
            command.text = command.text.first(rules.maxCommandBytes);
            command.cut = true;
            i = start + rules.maxCommandBytes;
        }
        start = i + 1;
        if (!command.text.trimmed().isEmpty())
            return true;
    }
    return false;
}

QList<Command> Commands(QByteArrayView text, const GameRules &rules)
{
    text = GameText(text);
    QList<Command> commands;
    qsizetype start = 0;
    Command command;
    while (NextCommand(text, start, command, rules))
        commands.append(command);
    return commands;
}

TokenList Tokens(QByteArrayView command, const GameRules &rules)
{
    TokenList tokens;
    qsizetype i = 0;
    const qsizetype n = command.size();
    const bool highInWords = rules.highBytesInWords;
    // The engines read bytes as signed: between words those above 127 are blanks too.
    auto isBlank = [](char c) { return static_cast<signed char>(c) <= ' '; };
    // Inside a word, an engine that keeps them takes a byte above 127 as the start of a UTF-8 sequence and
    // steps over the whole sequence, whatever its bytes are (a quote or a blank among them included).
    auto sequenceLength = [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    };
    auto pairAt = [&](qsizetype at, char second) { return at + 1 < n && command[at] == '/' && command[at + 1] == second; };
    auto commentAt = [&](qsizetype at) {
        return pairAt(at, '/') && !(rules.colonKeepsSlashes && at > 0 && command[at - 1] == ':');
    };
    for (;;) {
        while (i < n && isBlank(command[i]))
            ++i;
        if (i >= n || commentAt(i))
            break;
        if (pairAt(i, '*')) {
            const qsizetype close = command.indexOf("*/", i + 1);  // "/*/" opens and closes
            if (close < 0)
                break;
            i = close + 2;
            continue;
        }
        qsizetype start = i;
        if (command[i] == '"') {
            start = ++i;
            while (i < n && command[i] != '"')
                ++i;
            tokens.append(command.sliced(start, i - start));
            ++i;
            continue;
        }
        while (i < n && command[i] != '"' && !commentAt(i) && !pairAt(i, '*')) {
            if (highInWords && static_cast<signed char>(command[i]) < 0)
                i = qMin(n, i + sequenceLength(command[i]));
            else if (isBlank(command[i]))
                break;
            else
                ++i;
        }
        tokens.append(command.sliced(start, i - start));
    }
    return tokens;
}

QByteArray ArgumentsFrom(const TokenList &tokens, int first)
{
    if (first == tokens.size() - 1)
        return tokens.at(first).toByteArray();
    QByteArray joined;
    for (int i = first; i < tokens.size(); ++i) {
        if (i > first)
            joined += ' ';
        joined += tokens.at(i);
    }
    return joined;
}

QByteArray SetValue(const TokenList &tokens, int first, bool *dropped, const GameRules &rules)
{
    QByteArray value;
    int counted = 0;
    qsizetype words = tokens.size();
    if (rules.setDropsLastUnsafe && words >= 4 && tokens.last() == "unsafe")
        --words;
    for (int i = first; i < words; ++i) {
        // The game counts each word one byte short.
        const int length = static_cast<int>(qMax<qsizetype>(tokens.at(i).size() - 1, 0));
        if (counted + length >= rules.setJoinLimit) {
            if (dropped)
                *dropped = true;
            return value;
        }
        value += tokens.at(i);
        if (i + 1 < words)
            value += ' ';
        counted += length;
    }
    if (dropped)
        *dropped = false;
    return value;
}

QString ExecFileName(QByteArrayView name, const GameRules &rules)
{
    QString path = QString::fromLatin1(name.first(qMin<qsizetype>(name.size(), MaxExecNameChars)));
    // The game looks for a '.' from the end back to the last '/'; the stock one never at the first byte.
    const qsizetype stop = rules.execEndingFromFirstByte ? 0 : 1;
    bool hasEnding = false;
    for (qsizetype i = path.size() - 1; i >= stop && path.at(i) != QLatin1Char('/'); --i)
        hasEnding = hasEnding || path.at(i) == QLatin1Char('.');
    if (!hasEnding)
        path = (path + QStringLiteral(".cfg")).left(MaxExecNameChars);
    return path;
}

bool IsExec(QByteArrayView verb, const GameRules &rules)
{
    return verb == "exec" || (rules.hasExecq && verb == "execq");
}

bool ExecNameRefused(const QString &fileName)
{
    return fileName.contains(QLatin1String("..")) || fileName.contains(QLatin1String("::"));
}

bool RunsOnClient(QByteArrayView verb)
{
    static constexpr QByteArrayView commands[] = {
        "set", "seta", "sets", "setu", "reset", "toggle", "vstr", "wait", "exec", "echo", "bind", "unbind",
        "unbindall", "clear", "condump", "cmdlist", "cvarlist", "name", "rate", "snaps", "sensitivity",
        "quit", "connect", "disconnect", "reconnect", "record", "stop", "demo", "screenshot", "screenshotjpeg",
        "messagemode", "messagemode2", "togglemenu", "cvar_restart", "vid_restart", "snd_restart"};
    static constexpr QByteArrayView cvarPrefixes[] = {"cl_", "cg_", "com_", "r_", "s_", "m_", "in_", "ui_",
                                                      "snd_", "net_", "fs_", "con_", "vid_", "joy_"};
    if (verb.startsWith('+') || verb.startsWith('-'))  // held keys
        return true;
    return std::find(std::begin(commands), std::end(commands), verb) != std::end(commands)
           || std::any_of(std::begin(cvarPrefixes), std::end(cvarPrefixes),
                          [&](QByteArrayView prefix) { return verb.startsWith(prefix); });
}

bool FloodExempt(QByteArrayView verb)
{
    return verb.startsWith("team") || verb.startsWith("setspawnpt") || verb.startsWith("score");
}

} // namespace GameConsole
