#include "script/ScriptCheck.h"

#include "game/GameChat.h"
#include "game/GameConsole.h"
#include "game/GamePlayer.h"
#include "platform/TextFile.h"
#include "script/MemoByTime.h"
#include "script/ScriptGenerator.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {

using Kind = GamePlayer::Kind;

} // namespace

const QString &DroppedReason(const GameRules &game)
{
    static const QString window = QStringLiteral("dropped by the server: within %1 ms of the previous command to the server")
                                      .arg(GamePlayer::ChatFloodMs);
    static const QString burst = QStringLiteral("dropped by the server: more than %1 chat lines with less than %2 ms "
                                                "between them")
                                     .arg(Games::EtLegacy.burst).arg(Games::EtLegacy.burstMs);
    return game.flood == GameRules::Flood::Burst ? burst : window;
}

QString AppendedReason(const GameRules &game)
{
    return QStringLiteral("shown only once the whole script has run: %1 puts echo's text at the end of the command "
                          "buffer").arg(QLatin1String(game.title));
}

QString KeysWaitMessage(int ms)
{
    return QStringLiteral("While it plays (%1 s) the game runs your other keys only after it - bind it for the "
                          "spectator or warm-up time.").arg(ms / 1000.0, 0, 'f', 1);
}

QString ChainStopsMessage(const QString &stopped)
{
    return QStringLiteral("The game won't play this chain to its end: ") + stopped;
}

QString WaitReadOtherwise(const QString &value, int runs)
{
    return QStringLiteral("the game reads only the digits before anything else: wait %1 waits %2").arg(value).arg(runs);
}

QString NameReason(const GamePlayer::Event &event, const QString &nameReason)
{
    if (!event.wordsDropped)
        return nameReason;
    const QString dropped = QStringLiteral("set leaves out a word of %1 bytes or more and every word after it")
                                .arg(GameConsole::Stock.setJoinLimit + 1);
    return nameReason.isEmpty() ? dropped : dropped + QStringLiteral("; ") + nameReason;
}

namespace {

bool sameText(QByteArrayView argument, const QString &text)
{
    if (QtPrivate::isAscii(QLatin1StringView(argument)))
        return text == QLatin1StringView(argument);
    return text == DecodeAnsi(argument);
}

const QString &replacedReason()
{
    static const QString reason = QStringLiteral("never seen: the next name replaces it within one frame, before it is sent");
    return reason;
}

// Why a Text differs from what its line says: the script had to change it.
const QString &changedTextReason(const QString &text)
{
    static const QString quote = QStringLiteral("the script writes each \" of the Text as ': a \" would end the quoted Text");
    static const QString other = QStringLiteral("the script can't hold the Text as it is");
    return text.contains(QLatin1Char('"')) ? quote : other;
}

// Why a played command differs from the line's Text, or empty.
QString difference(const GamePlayer::Event &event, const QString &text, QString *shown, const GameRules &game,
                   bool *dropsPlayer)
{
    switch (event.kind) {
    case Kind::Name:
        if (event.name != GameName::Verdict::AsWritten || event.wordsDropped) {
            GameName::Result name = GameName::ShownBytes(event.argument, game);
            *dropsPlayer = name.verdict == GameName::Verdict::Dropped;
            *shown = std::move(name.shown);
            return NameReason(event, name.reason);
        }
        if (sameText(event.argument, text) || (text.isEmpty() && event.argument == "_"))
            return {};
        *shown = DecodeAnsi(event.argument);
        return changedTextReason(text);
    case Kind::Dropped:
        return DroppedReason(game);
    case Kind::Appended:
        *shown = DecodeAnsi(event.argument);
        return AppendedReason(game);
    case Kind::Chat:
        if (GameChat::Result chat = GameChat::Shown(event.argument, game); !chat.reason.isEmpty()) {
            *shown = DecodeAnsi(chat.shown);
            return chat.reason;
        }
        [[fallthrough]];
    case Kind::Local:
        if (sameText(event.argument, text))
            return {};
        *shown = DecodeAnsi(event.argument);
        return changedTextReason(text);
    default:
        return {};
    }
}

// The runs a Time waits, and whether the game reads its wait value as written (not "1.5" read as 1).
struct Wait {
    int runs = 0;
    bool whole = true;
};

const QString &heldReason(const GameRules &game)
{
    static const QString reason = QStringLiteral("never seen: the server applies one name change per %1 seconds and "
                                                 "the next name replaces this one while it waits")
                                      .arg(Games::EtLegacy.nameChangeMs / 1000);
    return game.nameChangeMs > 0 ? reason : replacedReason();
}

} // namespace

GameVerdict PlayLines(const QVector<AnimationLine> &lines, int frameRate, const GameRules &game, int passes)
{
    GameVerdict verdict;
    QVector<LineMark> marks;  // the pass's own, in row order once it ends
    MemoByTime<Wait> waits;
    auto read = [](const QString &time) {
        const QByteArray value = WaitValue(time).toLatin1();
        return Wait{GamePlayer::WaitRuns(value), GamePlayer::WaitsAsWritten(value)};
    };
    // Every line from the first: a row's mark depends on all before it (the frame it falls in, flood windows,
    // the names the server holds), and in a later pass on the pass before.
    GamePlayer player(frameRate, game);

    // A name never seen marks its own row, over any mark the row had but one that drops the player: a name the
    // server would drop the player for is told even when a later one may replace it in time.
    auto markUnseen = [&](int row, qsizetype knownMark, const QString &reason) {
        if (knownMark >= 0 && marks.at(knownMark).dropsPlayer)
            return;
        if (knownMark >= 0) {
            marks[knownMark] = {row, QString(), reason};
            return;
        }
        auto at = std::upper_bound(marks.begin(), marks.end(), row,
                                   [](int row, const LineMark &mark) { return row < mark.row; });
        marks.insert(at, {row, QString(), reason});
    };
    int lastNameRow = -1;
    qsizetype lastNameMark = -1;  // its mark, when it has one
    int heldRow = -1;
    qsizetype heldMark = -1;
    auto mark = [&](int row, const GamePlayer::Event &event) {
        const bool name = event.kind == Kind::Name;
        if (name) {
            ++verdict.names;
            verdict.unseenNames += event.replacesHeld || event.replacesName;
            if (event.replacesName && lastNameRow >= 0)
                markUnseen(lastNameRow, lastNameMark, replacedReason());
            else if (event.replacesHeld && heldRow >= 0)
                markUnseen(heldRow, heldMark, heldReason(game));
        }
        QString shown;
        bool drops = false;
        const QString reason = difference(event, lines.at(row).text, &shown, game, &drops);
        if (!reason.isEmpty())
            marks.append({row, shown, reason, drops});  // the reasons' texts are shared, not built per line
        if (name) {
            lastNameRow = row;
            lastNameMark = reason.isEmpty() ? -1 : marks.size() - 1;
            heldRow = event.held ? row : -1;
            heldMark = event.held ? lastNameMark : -1;
        }
    };
    // Reused from line to line: no allocation per line.
    QString action;
    QByteArray actionBytes;
    QByteArray textBytes;
    QString commandText;
    QByteArray command;
    auto playPass = [&] {
        for (int row = 0; row < lines.size(); ++row) {
            const AnimationLine &line = lines.at(row);
            std::optional<GamePlayer::Event> event;
            if (QuotesTextAsIs(line)) {
                // Most lines: the Action and the Text as written, without building the line and splitting it again.
                if (line.action != action) {
                    action = line.action;
                    EncodeAnsiInto(action, actionBytes);
                }
                EncodeAnsiInto(line.text, textBytes);
                event = player.runQuoted(actionBytes, textBytes);
                if (event)
                    mark(row, *event);
            }
            if (!event) {
                CommandLineInto(line, commandText);
                EncodeAnsiInto(commandText, command);
                const QByteArrayView text = GameConsole::GameText(command);
                qsizetype at = 0;
                GameConsole::Command part;
                while (GameConsole::NextCommand(text, at, part, game)) {
                    event = player.run(part.text);
                    if (event)
                        mark(row, *event);
                }
            }
            const Wait wait = waits.of(line.time, read);
            if (!wait.whole)
                marks.append({row, QString(), WaitReadOtherwise(WaitValue(line.time), wait.runs)});
            player.wait(wait.runs);
        }
    };
    const auto byRow = [](const LineMark &a, const LineMark &b) { return a.row < b.row; };
    const auto sameMarks = [](const QVector<LineMark> &a, const QVector<LineMark> &b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const LineMark &x, const LineMark &y) {
            return x.row == y.row && x.reason == y.reason && x.shown == y.shown && x.dropsPlayer == y.dropsPlayer;
        });
    };
    struct Pass {
        int names = 0;
        int unseenNames = 0;
        int ms = 0;
        QVector<LineMark> marks;
    };
    Pass before;
    qint64 laterMs = 0;  // of the passes not played: each plays as the last one played
    for (int pass = 0; pass < passes; ++pass) {
        const Pass start{verdict.names, verdict.unseenNames, player.ms(), {}};
        marks.clear();
        lastNameMark = heldMark = -1;  // marks of the pass before are not this pass's
        playPass();
        if (pass == 0) {
            verdict.marks = marks;
        } else {
            // The name replaced across the passes' seam was marked out of row order.
            std::stable_sort(marks.begin(), marks.end(), byRow);
            QVector<bool> marked(lines.size());
            for (const LineMark &known : std::as_const(verdict.marks))
                marked[known.row] = true;
            const qsizetype known = verdict.marks.size();
            for (const LineMark &later : std::as_const(marks))
                if (!marked[later.row])
                    verdict.marks.append(later);
            if (verdict.marks.size() > known)
                std::stable_sort(verdict.marks.begin(), verdict.marks.end(), byRow);
        }
        Pass played{verdict.names - start.names, verdict.unseenNames - start.unseenNames, player.ms() - start.ms, marks};
        if (pass >= 1 && played.names == before.names && played.unseenNames == before.unseenNames
            && played.ms == before.ms && sameMarks(played.marks, before.marks)) {
            // Two passes alike: the game's limits look back less than a pass, so every later one plays the same.
            const qint64 left = passes - pass - 1;
            const auto plus = [](int known, qint64 more) {
                return static_cast<int>(qMin<qint64>(known + more, std::numeric_limits<int>::max()));
            };
            verdict.names = plus(verdict.names, left * played.names);
            verdict.unseenNames = plus(verdict.unseenNames, left * played.unseenNames);
            laterMs = left * played.ms;
            break;
        }
        before = std::move(played);
    }
    verdict.ms = static_cast<int>(qMin<qint64>(player.ms() + laterMs, std::numeric_limits<int>::max()));
    return verdict;
}

QString DroppingRows(const QVector<LineMark> &marks)
{
    constexpr int MaxNamed = 10;
    QStringList rows;
    int count = 0;
    for (const LineMark &mark : marks) {
        if (mark.dropsPlayer && ++count <= MaxNamed)
            rows << QString::number(mark.row + 1);
    }
    if (count > MaxNamed)
        rows << QStringLiteral("and %1 more").arg(count - MaxNamed);
    return rows.join(QStringLiteral(", "));
}
