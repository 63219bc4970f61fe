#include "script/AutoexecBind.h"

#include <QList>
#include <QRegularExpression>
#include <QStringList>

namespace {

const QStringList &namedKeys()
{
    static const QStringList keys = [] {
        QStringList names{"TAB", "ENTER", "ESCAPE", "SPACE", "BACKSPACE", "UPARROW", "DOWNARROW", "LEFTARROW",
                          "RIGHTARROW", "ALT", "CTRL", "SHIFT", "CAPSLOCK", "INS", "DEL", "PGDN", "PGUP", "HOME",
                          "END", "PAUSE", "SEMICOLON", "MWHEELUP", "MWHEELDOWN", "KP_HOME", "KP_UPARROW", "KP_PGUP",
                          "KP_LEFTARROW", "KP_5", "KP_RIGHTARROW", "KP_END", "KP_DOWNARROW", "KP_PGDN", "KP_ENTER",
                          "KP_INS", "KP_DEL", "KP_SLASH", "KP_MINUS", "KP_PLUS", "KP_NUMLOCK", "KP_STAR", "KP_EQUALS"};
        for (int i = 1; i <= 12; ++i)
            names << QStringLiteral("F%1").arg(i);
        for (int i = 1; i <= 5; ++i)
            names << QStringLiteral("MOUSE%1").arg(i);
        return names;
    }();
    return keys;
}

// One line of a file and the line end after it (empty for a last line without one).
struct Line {
    QByteArray text;
    QByteArray end;
};

QList<Line> linesOf(const QByteArray &bytes)
{
    QList<Line> lines;
    qsizetype at = 0;
    while (at < bytes.size()) {
        const qsizetype lf = bytes.indexOf('\n', at);
        if (lf < 0) {
            lines.append({bytes.mid(at), {}});
            break;
        }
        const qsizetype textEnd = lf > at && bytes.at(lf - 1) == '\r' ? lf - 1 : lf;
        lines.append({bytes.mid(at, textEnd - at), bytes.mid(textEnd, lf + 1 - textEnd)});
        at = lf + 1;
    }
    return lines;
}

QByteArray joined(const QList<Line> &lines)
{
    QByteArray bytes;
    for (const Line &line : lines)
        bytes += line.text + line.end;
    return bytes;
}

// The key a line binds and what to, as the game reads `bind KEY rest`; nothing for another line.
std::optional<std::pair<QString, QString>> bindOf(const QByteArray &line)
{
    static const QRegularExpression bind(QStringLiteral("^\\s*bind\\s+(\\S+)\\s+(.*?)\\s*$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = bind.match(QString::fromLatin1(line));
    if (!match.hasMatch())
        return std::nullopt;
    QString command = match.captured(2);
    if (command.size() >= 2 && command.startsWith(QLatin1Char('"')) && command.endsWith(QLatin1Char('"')))
        command = command.mid(1, command.size() - 2);
    return std::pair(match.captured(1), command);
}

bool sameKey(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

std::optional<QString> GameKeyName(const QString &typed)
{
    const QString key = typed.trimmed();
    if (key.size() == 1) {
        const QChar c = key.at(0);
        // A blank, a quote or a semicolon can't stand alone in a bind line.
        if (c.unicode() <= ' ' || c.unicode() >= 0x7F || c == QLatin1Char('"') || c == QLatin1Char(';'))
            return std::nullopt;
        return key.toLower();
    }
    for (const QString &name : namedKeys()) {
        if (sameKey(name, key))
            return name;
    }
    static const QRegularExpression code(QStringLiteral("^0x[0-9a-fA-F]{2}$"));
    if (code.match(key).hasMatch())
        return key.toLower();
    return std::nullopt;
}

QString BindLine(const QString &key, const QString &command)
{
    return QStringLiteral("bind %1 \"%2\"").arg(key, command);
}

BindEdit AddBind(const QByteArray &autoexec, const QString &key, const QString &command, bool replace)
{
    BindEdit edit{autoexec, {}, false};
    QList<Line> lines = linesOf(autoexec);
    const QByteArray line = BindLine(key, command).toLatin1();
    for (Line &existing : lines) {
        const auto bind = bindOf(existing.text);
        if (!bind || !sameKey(bind->first, key))
            continue;
        if (bind->second == command)
            return edit;  // bound so already
        edit.boundTo = bind->second;
        if (!replace)
            return edit;
        existing.text = line;
        edit.bytes = joined(lines);
        edit.changed = true;
        return edit;
    }
    // The file's own line end; a last line without one gets it before the bind, which then ends the file bare.
    const QByteArray end = autoexec.contains("\r\n") ? "\r\n" : "\n";
    if (autoexec.isEmpty() || autoexec.endsWith('\n'))
        edit.bytes = autoexec + line + end;
    else
        edit.bytes = autoexec + end + line;
    edit.changed = true;
    return edit;
}

QByteArray RemoveBind(const QByteArray &autoexec, const QString &command, bool *removed)
{
    QList<Line> lines = linesOf(autoexec);
    bool found = false;
    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
        const auto bind = bindOf(lines.at(i).text);
        if (!bind || bind->second != command || lines.at(i).text != BindLine(bind->first, command).toLatin1())
            continue;
        found = true;
        // A last line without its own end took the one of the line before it.
        if (lines.at(i).end.isEmpty() && i > 0)
            lines[i - 1].end.clear();
        lines.removeAt(i);
    }
    if (removed)
        *removed = found;
    return joined(lines);
}

QString FindBind(const QByteArray &autoexec, const QString &command)
{
    for (const Line &line : linesOf(autoexec)) {
        const auto bind = bindOf(line.text);
        if (bind && bind->second == command && line.text == BindLine(bind->first, command).toLatin1())
            return QString::fromLatin1(line.text);
    }
    return {};
}

std::optional<QString> BindCommandOf(const QString &execName, const QString &execFirst)
{
    if (execFirst.contains(QLatin1Char(' ')) || execFirst.contains(QLatin1Char('"')) || execFirst.contains(QLatin1Char(';')))
        return std::nullopt;
    // exec adds ".cfg" only to a name without an ending of its own.
    const QString last = execName.section(QLatin1Char('/'), -1);
    return QStringLiteral("exec ") + (last.contains(QLatin1Char('.')) ? execFirst : execName);
}
