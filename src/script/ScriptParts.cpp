#include "script/ScriptParts.h"

#include "script/ScriptGenerator.h"
#include "script/ScriptRepeat.h"
#include "game/GameConsole.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QRegularExpression>
#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace {

const QLatin1String CrLf("\r\n");

// One byte per character of the code page; a character outside the BMP becomes one '?'.
qsizetype codePageBytes(QStringView text)
{
    // A Latin-1 text (the usual one) holds no surrogates: a fast scan settles it for a whole script.
    if (QtPrivate::isLatin1(text))
        return text.size();
    qsizetype bytes = text.size();
    for (QChar c : text)
        bytes -= c.isLowSurrogate();
    return bytes;
}

QString withoutCfg(QString name)
{
    if (name.endsWith(QLatin1String(".cfg"), Qt::CaseInsensitive))
        name.chop(4);
    return name;
}

} // namespace

ExecTarget ExecTargetOf(const QString &savedPath, const GameFolders &folders)
{
    const QFileInfo info(savedPath);
    if (const std::optional<QString> path = folders.execPathOf(info.absoluteFilePath()))
        return {withoutCfg(*path), true, *path};
    return {withoutCfg(info.fileName()), false, info.fileName()};
}

QStringList ExecSearchOf(const QString &scriptPath, const GameFolders &folders)
{
    const QString absolute = QFileInfo(scriptPath).absoluteFilePath();
    if (folders.folderHolding(absolute).isEmpty())
        return {QFileInfo(absolute).absolutePath()};
    QStringList search;
    for (const GameFolder &folder : folders.search)
        search << folder.path;
    return search;
}

QString OutsideGameMessage(const QString &savedPath, const GameFolders &folders, const GameRules &game)
{
    if (folders.search.isEmpty())
        return QStringLiteral("%1 reads scripts only from its own folders, and none is known: choose the game's "
                              "install folder in Options.").arg(QLatin1String(game.title));
    QStringList where;
    for (const GameFolder &folder : folders.search)
        where << QDir::toNativeSeparators(folder.path);
    return QStringLiteral("%1 won't find %2 there: exec reads only from %3.")
        .arg(QLatin1String(game.title), QDir::toNativeSeparators(savedPath), where.join(QStringLiteral(", ")));
}

QString PartPath(const QString &firstPath, int part)
{
    if (part <= 1)
        return firstPath;
    const QFileInfo info(firstPath);
    return info.dir().filePath(withoutCfg(info.fileName()) + QStringLiteral("_%1.cfg").arg(part));
}

QString ExecPath(const QString &execName, int part)
{
    return execName + QStringLiteral("_%1.cfg").arg(part);
}

QString ExecLine(const QString &path)
{
    // With its ending: the game adds none to a name that holds a dot.
    return QStringLiteral("exec \"%1\"").arg(path);
}

QString ChainLine(const QString &execName, int next)
{
    return ExecLine(ExecPath(execName, next));
}

QString ExecPathProblem(const ExecTarget &target, int parts, int passes)
{
    for (const QString &path : {target.first, parts > 1 ? ExecPath(target.name, parts) : QString()}) {
        const qsizetype bytes = codePageBytes(path);
        if (bytes > GameConsole::MaxExecNameChars)
            return QStringLiteral("The exec path %1 is %2 bytes long: the game reads at most %3. Save the script nearer "
                                  "the game folder or under a shorter name.")
                .arg(path).arg(bytes).arg(GameConsole::MaxExecNameChars);
    }
    if (target.first.contains(QLatin1Char('"')))
        return QStringLiteral("The exec path %1 holds a double quote, which ends the game's file name: "
                              "save the script under another name.").arg(target.first);
    bool replaced = false;
    EncodeAnsi(target.first, &replaced);
    if (replaced)
        return QStringLiteral("The exec path %1 holds letters the game's code page lacks: they would be written as "
                              "'?' and the game would find no such file. Save it under a name and folder of ASCII "
                              "letters.").arg(target.first);
    const auto outsideAscii = [](QChar c) { return c.unicode() > 0x7f; };
    if (!Platform::FileNamesInTheCodePage() && std::any_of(target.first.cbegin(), target.first.cend(), outsideAscii))
        return QStringLiteral("The exec path %1 holds letters outside ASCII: the script is written in the game's code "
                              "page, and the game would look for a file of another name than the one saved here. "
                              "Save it under a name and folder of ASCII letters.").arg(target.first);
    return passes > 1 ? ScriptRepeat::PathProblem(target) : QString();
}

int PartRoom(int limit, int index, const GameRules &game)
{
    return static_cast<int>(qMin<qsizetype>(limit, game.maxPartBytes() - qsizetype(WaitingPerExec) * index));
}

qsizetype PartFileBytes(QStringView windowText)
{
    return codePageBytes(windowText) + CrLf.size();
}

ScriptPartList::ScriptPartList(const GeneratedScript &script, const QString &execName, int limit,
                               const GameRules &game, int passes)
    : m_script(script), m_execName(execName), m_passes(qMax(passes, 1))
{
    const qsizetype wholeBytes = codePageBytes(script.text);
    if (m_passes == 1) {
        cut(wholeBytes, limit, game, 0);
        return;
    }
    m_starter = ScriptRepeat::StarterText(execName, m_passes);
    // The starter has no wait: it runs at once, so only the game's buffer bounds it, not the part limit.
    m_starterRoom = PartRoom(game.maxPartBytes(), 0, game);
    // Every pass leaves its parts' line ends and its echo's text in the buffer until the last pass ends: each
    // part is cut for the room it has in the last pass. More parts leave more, so cut again until it holds.
    // The echo bytes of a pass are known once it was cut: cut again until parts and echo bytes both hold.
    int parts = 1;
    qsizetype appended = 0;
    for (;;) {
        cut(wholeBytes, limit, game, qsizetype(m_passes - 1) * (qsizetype(WaitingPerExec) * parts + appended));
        if (m_pieces.size() <= parts && m_appended <= appended)
            break;
        parts = qMax(parts, static_cast<int>(m_pieces.size()));
        appended = qMax(appended, m_appended);
    }
}

void ScriptPartList::cut(qsizetype wholeBytes, int limit, const GameRules &game, qsizetype reservePerPart)
{
    const QString &text = m_script.text;
    const int first = starters();
    m_pieces.clear();
    m_appended = 0;
    m_headerEnd = m_headerBytes = 0;
    if (first == 0 && wholeBytes + CrLf.size() <= PartRoom(limit, 0, game)) {
        m_pieces.append({0, text.size(), wholeBytes, PartRoom(limit, 0, game)});
        return;
    }
    // The banner is repeated at the top of every part.
    m_headerEnd = m_script.bannerEnd;
    m_headerBytes = codePageBytes(QStringView(text).first(m_headerEnd));
    // Room for the chain line (five digits of part number) or the line that plays the next pass, and the final
    // line end; each part leaves less, as the bytes the chain leaves waiting in the game's buffer add up.
    const qsizetype chainBytes = qMax(codePageBytes(ChainLine(m_execName, 99999)),
                                      first ? codePageBytes(ScriptRepeat::TailLine(m_execName)) : 0);
    // What a part may hold: what the buffer takes after the bytes earlier parts left waiting (their execs' line
    // ends, and on some engines the text echo put at the end of the buffer).
    qsizetype appended = 0;  // echo's bytes of the steps before the cut
    qsizetype partRoom = 0;
    auto roomOf = [&](qsizetype index) {
        // The passes before the last leave their bytes in the buffer, not in the player's limit on a part.
        const int at = static_cast<int>(index) + first;
        partRoom = qMin(PartRoom(limit, at, game), PartRoom(game.maxPartBytes(), at, game) - reservePerPart) - appended;
        return partRoom - m_headerBytes - (CrLf.size() + chainBytes) - CrLf.size();
    };
    qsizetype room = roomOf(0);
    // Every character is a byte in a Latin-1 script, the usual one: its steps' bytes are their lengths.
    const bool latin1 = wholeBytes == text.size();
    qsizetype partStart = m_headerEnd;
    qsizetype size = 0;
    for (qsizetype step = 0, start = m_headerEnd; step < m_script.stepEnds.size(); ++step) {
        const qsizetype end = m_script.stepEnds.at(step);
        const qsizetype bytes = latin1 ? end - start : codePageBytes(QStringView(text).sliced(start, end - start));
        if (size + bytes > room && start > partStart) {
            m_pieces.append({partStart, start, size, static_cast<int>(partRoom)});
            room = roomOf(m_pieces.size());
            partStart = start;
            size = 0;
        }
        size += bytes;
        const QStringView command = QStringView(text).sliced(start, m_script.commandEnds.at(step) - start).sliced(2);
        if (game.echoAppends && command.startsWith(u'e', Qt::CaseInsensitive))
            appended += AppendedEchoBytes(command, game);
        start = end;
    }
    m_pieces.append({partStart, text.size(), size, static_cast<int>(partRoom)});
    m_appended = appended;
}

bool ScriptPartList::fits() const
{
    for (int i = 0; i < size(); ++i) {
        if (fileBytes(i) > room(i))
            return false;
    }
    return true;
}

qsizetype AppendedEchoBytes(QStringView line, const GameRules &game)
{
    if (!game.echoAppends)
        return 0;
    qsizetype bytes = 0;
    const QByteArray text = EncodeAnsi(line.toString());
    qsizetype at = 0;
    GameConsole::Command command;
    while (GameConsole::NextCommand(text, at, command, game)) {
        const GameConsole::TokenList tokens = GameConsole::Tokens(command.text, game);
        if (!tokens.isEmpty() && tokens.first().compare("echo", Qt::CaseInsensitive) == 0)
            bytes += GameConsole::AppendedEchoBytes(tokens.size() > 1 ? GameConsole::ArgumentsFrom(tokens, 1).size()
                                                                      : 0);
    }
    return bytes;
}

QString ScriptPartList::chainOf(int piece) const
{
    if (piece + 1 < m_pieces.size())
        return CrLf + ChainLine(m_execName, starters() + piece + 2);
    return starters() ? CrLf + ScriptRepeat::TailLine(m_execName) : QString();
}

QString ScriptPartList::part(int index) const
{
    if (isStarter(index))
        return m_starter;
    index -= starters();
    const Piece &piece = m_pieces.at(index);
    const QStringView header = QStringView(m_script.text).first(m_headerEnd);
    const QString chain = chainOf(index);
    QString part;
    part.reserve(header.size() + (piece.end - piece.start) + chain.size());
    part.append(header).append(QStringView(m_script.text).sliced(piece.start, piece.end - piece.start)).append(chain);
    return part;
}

qsizetype ScriptPartList::fileBytes(int index) const
{
    if (isStarter(index))
        return PartFileBytes(m_starter);
    index -= starters();
    return m_headerBytes + m_pieces.at(index).bytes + codePageBytes(chainOf(index)) + CrLf.size();
}

QStringList ScriptPartList::all() const
{
    QStringList parts;
    parts.reserve(size());
    for (int i = 0; i < size(); ++i)
        parts << part(i);
    return parts;
}

int MostPasses(const GeneratedScript &script, const QString &execName, int limit, const GameRules &game)
{
    // Fewer passes never need more room: the most that fit is found by halving.
    int low = 1;
    int high = ScriptRepeat::MaxPasses;
    while (low < high) {
        const int middle = low + (high - low + 1) / 2;
        if (ScriptPartList(script, execName, limit, game, middle).fits())
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

QStringList SplitScript(const GeneratedScript &script, const QString &execName, int limit, const GameRules &game,
                        int passes)
{
    return ScriptPartList(script, execName, limit, game, passes).all();
}

QStringList ScriptPartsFor(const GeneratedScript &script, const QString &path, int limit, const GameRules &game,
                           const GameFolders &folders, int passes)
{
    return SplitScript(script, ExecTargetOf(path, folders).name, limit, game, passes);
}

namespace {

using LineSpan = std::optional<std::pair<qsizetype, qsizetype>>;

// Where in part the last whole line `line` matches starts and ends (the line is the pattern's first group).
LineSpan lastLine(const QString &part, const QRegularExpression &line)
{
    QRegularExpressionMatch last;
    for (QRegularExpressionMatchIterator it = line.globalMatch(part); it.hasNext();)
        last = it.next();
    if (!last.hasMatch())
        return std::nullopt;
    return std::pair(last.capturedStart(1), last.capturedEnd(1));
}

// The line that runs part `next`: the last line `exec "…_<next>.cfg"`, whatever name it runs and wherever the
// player's edits left it.
LineSpan chainLineOf(const QString &part, int next)
{
    return lastLine(part, QRegularExpression(QStringLiteral("(?:^|\r\n)(exec \"[^\"\r\n]*_%1\\.cfg\")(?=\r\n|$)").arg(next)));
}

// Where the repeated chain's last part plays the next pass: its last line `vstr mm_…_0`.
LineSpan tailLineOf(const QString &part)
{
    static const QRegularExpression tail(QStringLiteral("(?:^|\r\n)(vstr mm_\\w*_0)(?=\r\n|$)"));
    return lastLine(part, tail);
}

} // namespace

QStringList RechainParts(QStringList parts, const QString &execName, int passes)
{
    const qsizetype first = passes > 1 && !parts.isEmpty() ? 1 : 0;
    if (first)
        parts[0] = ScriptRepeat::StarterText(execName, passes);
    for (qsizetype i = first; i + 1 < parts.size(); ++i) {
        const int next = static_cast<int>(i) + 2;
        if (const auto line = chainLineOf(parts.at(i), next))
            parts[i].replace(line->first, line->second - line->first, ChainLine(execName, next));
    }
    if (first && parts.size() > 1) {
        if (const auto line = tailLineOf(parts.last()))
            parts.last().replace(line->first, line->second - line->first, ScriptRepeat::TailLine(execName));
    }
    return parts;
}

QList<int> PartsNotChained(const QStringList &parts, int passes)
{
    QList<int> unchained;
    for (qsizetype i = 0; i + 1 < parts.size(); ++i)
        if (!chainLineOf(parts.at(i), static_cast<int>(i) + 2))
            unchained << static_cast<int>(i) + 1;
    if (passes > 1 && parts.size() > 1 && !tailLineOf(parts.last()))
        unchained << static_cast<int>(parts.size());
    return unchained;
}
