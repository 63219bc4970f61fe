#include "game/GameConsole.h"

#include <array>

namespace GameConsole {

QByteArrayView GameText(QByteArrayView file)
{
    const qsizetype nul = file.indexOf('\0');
    return nul < 0 ? file : file.first(nul);
}

bool NextCommand(QByteArrayView text, qsizetype &start, Command &command)
{
    // The bytes the scan below looks at; every other byte is part of the command.
    static constexpr auto special = [] {
        std::array<bool, 256> table{};
        for (unsigned char c : {'\r', '\n', '"', '/', ';'})
            table[c] = true;
        return table;
    }();
    while (start < text.size()) {
        bool quoted = false;
        bool comment = false;
        const char *p = text.data() + start;
        const char *end = text.data() + text.size();
        for (; p != end; ++p) {
            const char c = *p;
            if (!special[static_cast<unsigned char>(c)])
                continue;  // most bytes: one look-up
            if (c == '\r' || c == '\n')
                break;
            if (c == '"' && !comment)
                quoted = !quoted;
            else if (!quoted && c == '/' && p + 1 != end && p[1] == '/')
                comment = true;
            else if (!quoted && !comment && c == ';')
                break;
        }
        qsizetype i = p - text.data();
        command = Command{start, text.sliced(start, i - start)};
        if (command.text.size() > MaxCommandBytes) {
            // The buffer hands out 1,023 bytes, drops the next and goes on after it.
            command.text = command.text.first(MaxCommandBytes);
            command.cut = true;
            i = start + MaxCommandBytes;
        }
        start = i + 1;
        if (!command.text.trimmed().isEmpty())
            return true;
    }
    return false;
}

QList<Command> Commands(QByteArrayView text)
{
    text = GameText(text);
    QList<Command> commands;
    qsizetype start = 0;
    Command command;
    while (NextCommand(text, start, command))
        commands.append(command);
    return commands;
}

TokenList Tokens(QByteArrayView command)
{
    TokenList tokens;
    qsizetype i = 0;
    const qsizetype n = command.size();
    auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    auto commentAt = [&](qsizetype at) { return at + 1 < n && command[at] == '/' && command[at + 1] == '/'; };
    for (;;) {
        while (i < n && isBlank(command[i]))
            ++i;
        if (i >= n || commentAt(i))
            break;
        qsizetype start = i;
        if (command[i] == '"') {
            start = ++i;
            while (i < n && command[i] != '"')
                ++i;
            tokens.append(command.sliced(start, i - start));
            ++i;
            continue;
        }
        while (i < n && !isBlank(command[i]) && command[i] != '"' && !commentAt(i))
            ++i;
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

QString ExecFileName(QByteArrayView name)
{
    const QString cut = QString::fromLatin1(name.first(qMin<qsizetype>(name.size(), MaxExecNameChars)));
    const qsizetype slash = cut.lastIndexOf(QLatin1Char('/'));
    return cut.indexOf(QLatin1Char('.'), slash + 1) >= 0 ? cut : cut + QStringLiteral(".cfg");
}

} // namespace GameConsole
