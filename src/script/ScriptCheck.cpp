#include "script/ScriptCheck.h"

#include "game/GameConsole.h"
#include "game/GamePlayer.h"
#include "platform/TextFile.h"
#include "script/ScriptGenerator.h"
#include "script/ScriptParts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QThread>

#include <memory>

#include <cstdlib>

namespace {

using Kind = GamePlayer::Kind;

const QString &droppedChatReason()
{
    static const QString reason = QStringLiteral("dropped by the server: within %1 ms of the previous command to the server")
                                      .arg(GamePlayer::ChatFloodMs);
    return reason;
}

} // namespace

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
QString difference(const GamePlayer::Event &event, const QString &text, QString *shown)
{
    switch (event.kind) {
    case Kind::Name:
        if (event.name != GameName::Verdict::AsWritten || event.wordsDropped) {
            GameName::Result name = GameName::ShownBytes(event.argument);
            *shown = std::move(name.shown);
            return NameReason(event, name.reason);
        }
        if (sameText(event.argument, text) || (text.isEmpty() && event.argument == "_"))
            return {};
        *shown = DecodeAnsi(event.argument);
        return changedTextReason(text);
    case Kind::Dropped:
        return droppedChatReason();
    case Kind::Chat:
    case Kind::Local:
        if (sameText(event.argument, text))
            return {};
        *shown = DecodeAnsi(event.argument);
        return changedTextReason(text);
    default:
        return {};
    }
}

// The marks of the lines first to last, both within the animation.
QVector<LineMark> markRange(const QVector<AnimationLine> &lines, int frameRate, int first, int last)
{
    QVector<LineMark> marks;
    QHash<QString, int> framesOfTime;  // animations use few distinct Times
    auto framesOf = [&framesOfTime](const QString &time) {
        auto frames = framesOfTime.constFind(time);
        if (frames == framesOfTime.cend())
            frames = framesOfTime.insert(time, std::atoi(WaitValue(time).toLatin1().constData()));
        return *frames;
    };
    // Flood protection looks back 800 ms at most: playing from the line that
    // lies that far before `first` gives the lines from `first` on as a play from the start does.
    GamePlayer player(frameRate);
    int start = first;
    for (qint64 runs = 0; start > 0 && player.msAt(runs) < GamePlayer::ChatFloodMs;)
        runs += qMax(framesOf(lines.at(--start).time), 1);

    int lastNameRow = -1;
    qsizetype lastNameMark = -1;  // its mark, when it has one
    auto mark = [&](int row, const GamePlayer::Event &event) {
        if (event.kind == Kind::Name && event.replacesName && lastNameRow >= first && lastNameRow <= last) {
            if (lastNameMark < 0) {
                auto at = std::upper_bound(marks.begin(), marks.end(), lastNameRow,
                                           [](int row, const LineMark &mark) { return row < mark.row; });
                marks.insert(at, {lastNameRow, QString(), replacedReason()});
            } else
                marks[lastNameMark] = {lastNameRow, QString(), replacedReason()};
        }
        QString shown;
        const QString reason = row >= first && row <= last ? difference(event, lines.at(row).text, &shown) : QString();
        if (!reason.isEmpty())
            marks.append({row, shown, reason});  // the reasons' texts are shared, not built per line
        if (event.kind == Kind::Name) {
            lastNameRow = row;
            lastNameMark = reason.isEmpty() ? -1 : marks.size() - 1;
        }
    };
    // Reused from line to line: no allocation per line.
    QString action;
    QByteArray actionBytes;
    QByteArray textBytes;
    QString commandText;
    QByteArray command;
    // One line past the last: it tells whether the last line's name is replaced before it is sent.
    const int played = qMin(last + 1, static_cast<int>(lines.size()) - 1);
    for (int row = start; row <= played; ++row) {
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
            while (GameConsole::NextCommand(text, at, part)) {
                event = player.run(part.text);
                if (event)
                    mark(row, *event);
            }
        }
        player.wait(framesOf(line.time));
    }
    return marks;
}

// Fewer lines play faster on one thread than a second thread starts.
constexpr int LinesPerThread = 8192;

} // namespace

QVector<LineMark> MarkLines(const QVector<AnimationLine> &lines, int frameRate, int first, int last)
{
    if (lines.isEmpty())
        return {};
    first = qBound(0, first, static_cast<int>(lines.size()) - 1);
    last = last < 0 ? static_cast<int>(lines.size()) - 1 : qMin(last, static_cast<int>(lines.size()) - 1);
    if (last - first + 1 < 2 * LinesPerThread || QThread::idealThreadCount() < 2)
        return markRange(lines, frameRate, first, last);
    // A range plays as it does within the whole script (see markRange): the halves go on two threads.
    const int middle = first + (last - first) / 2;
    QVector<LineMark> secondHalf;
    std::unique_ptr<QThread> thread(
        QThread::create([&] { secondHalf = markRange(lines, frameRate, middle + 1, last); }));
    thread->start();
    QVector<LineMark> marks = markRange(lines, frameRate, first, middle);
    thread->wait();
    marks.append(secondHalf);
    return marks;
}

namespace {

// One file in the game's buffer: its text as exec inserted it, and how far it has run.
struct BufferedFile {
    int file = 0;  // index into the check's files
    QByteArray text;
    qsizetype at = 0;
    qsizetype waitingBelow = 0;  // bytes of the files below still in the buffer
    QPair<quint64, quint64> below;  // those files and where each stood, in one value
};

// The state of the buffer when exec inserts a file above `stack`: the files
// below and where each stands. The same file executed again in the same state
// runs the same way for ever. Built from the top file's own, so a long chain costs no more per exec.
QPair<quint64, quint64> stateBelow(const QList<BufferedFile> &stack)
{
    if (stack.isEmpty())
        return {};
    const BufferedFile &top = stack.last();
    const quint64 step = (quint64(top.file) << 32) ^ quint64(top.at);
    return {qHash(step, top.below.first), qHash(step ^ 0x9e3779b97f4a7c15ull, top.below.second + 1)};
}

qsizetype waitingBytes(const QList<BufferedFile> &stack)
{
    return stack.isEmpty() ? 0 : stack.last().waitingBelow + stack.last().text.size() - stack.last().at;
}

// Where exec NAME finds its file under the game folder, or why it finds none.
QString execTarget(const QString &gameFolder, QByteArrayView argument, QString *error)
{
    QString name = GameConsole::ExecFileName(argument);
    if (name.startsWith(QLatin1Char('/')) || name.startsWith(QLatin1Char('\\')))
        name.remove(0, 1);
    const QString found = QDir(gameFolder).filePath(name);
    if (GameConsole::ExecNameRefused(name) || !QFileInfo(found).isFile()) {
        *error = QStringLiteral("the game finds no %1").arg(name);
        return {};
    }
    return found;
}

} // namespace

ScriptCheck CheckScriptFile(const QString &path, int frameRate)
{
    constexpr int StepBudget = 1000000;
    ScriptCheck check;
    GamePlayer player(frameRate);
    const QString gameFolder = GameFolderOf(path);
    QList<BufferedFile> stack;
    QSet<QPair<quint64, quint64>> states;
    struct Loaded {
        int index = 0;        // into check.files
        QByteArray inserted;  // what exec puts in the buffer: the text up to a NUL, and a line end
    };
    QHash<QString, Loaded> loaded;  // each file read once: the chain may run it many times
    auto state = [&](int file) {
        // A file run to its end holds nothing of the buffer any more.
        while (!stack.isEmpty() && stack.last().at >= stack.last().text.size())
            stack.removeLast();
        const QPair<quint64, quint64> below = stateBelow(stack);
        return qMakePair(qHash(quint64(file), below.first), below.second ^ (quint64(file) << 17));
    };
    auto fail = [&](const QString &text) {
        check.report << text;
        ++check.differences;
    };
    // What exec does with a file: false when the check can't go on.
    auto exec = [&](const QString &current) {
        auto file = loaded.constFind(current);
        QString nulNote;
        if (file == loaded.cend()) {
            QFile opened(current);
            if (!opened.open(QIODevice::ReadOnly)) {
                fail(QStringLiteral("%1: can't be read (%2)").arg(current, opened.errorString()));
                return false;
            }
            const QByteArray bytes = opened.readAll();
            const QByteArrayView text = GameConsole::GameText(bytes);
            if (text.size() < bytes.size())
                nulNote = QStringLiteral("%1: nothing after the NUL byte at %2 runs (%3 bytes)")
                              .arg(current).arg(text.size()).arg(bytes.size() - text.size() - 1);
            file = loaded.insert(current, {static_cast<int>(check.files.size()), text.toByteArray() + '\n'});
            check.files << current;
        }
        states.insert(state(file->index));
        const qsizetype textBytes = file->inserted.size() - 1;
        const qsizetype waiting = waitingBytes(stack);
        if (!GameConsole::ExecFits(textBytes, waiting)) {
            fail(QStringLiteral("%1: exec refuses it, %2 bytes plus one and %3 waiting don't fit the game's "
                                "buffer of %4 (Cbuf_InsertText overflowed): nothing of it runs")
                     .arg(current).arg(textBytes).arg(waiting).arg(GameConsole::BufferBytes));
            return true;
        }
        check.report << QStringLiteral("%1: %2 bytes, exec accepts it").arg(current).arg(textBytes);
        if (!nulNote.isEmpty())
            fail(nulNote);
        stack.append({file->index, file->inserted, 0, waiting, stateBelow(stack)});
        return true;
    };
    auto runsAgain = [&](const QString &current) {
        const auto file = loaded.constFind(current);
        return file != loaded.cend() && states.contains(state(file->index));
    };
    bool going = exec(QFileInfo(path).absoluteFilePath());
    for (int steps = 0; going && !stack.isEmpty();) {
        BufferedFile &top = stack.last();
        GameConsole::Command command;
        if (!GameConsole::NextCommand(top.text, top.at, command)) {
            stack.removeLast();
            continue;
        }
        if (++steps > StepBudget) {
            fail(QStringLiteral("still running after %L1 commands: the script never ends").arg(StepBudget));
            break;
        }
        if (command.cut)
            fail(QStringLiteral("a command at byte %1 is cut at %2 bytes; the rest runs as a command of its own")
                     .arg(command.offset).arg(GameConsole::MaxCommandBytes));
        const std::optional<GamePlayer::Event> event = player.run(command.text);
        if (!event || event->kind == Kind::Wait)
            continue;  // most commands of a script: nothing to tell
        const QString at = QLatin1String("frame ") + QString::number(event->frame) + QLatin1String(" (")
                           + QString::number(event->ms) + QLatin1String(" ms): ");
        const QString argument = DecodeAnsi(event->argument);
        const QString verb = QString::fromLatin1(event->verb);
        switch (event->kind) {
        case Kind::Name: {
            ++check.names;
            if (event->replacesName)
                fail(at + QStringLiteral("the name before is never seen: this one replaces it within one frame"));
            if (event->name == GameName::Verdict::AsWritten && !event->wordsDropped) {
                check.report << at + QLatin1String("name ") + argument;  // shown as written
                break;
            }
            const GameName::Result name = GameName::ShownBytes(event->argument);
            fail(at + QStringLiteral("name %1 is shown as %2: %3").arg(argument, name.shown, NameReason(*event, name.reason)));
            break;
        }
        case Kind::Chat:
            check.report << at + verb + QLatin1Char(' ') + argument;
            break;
        case Kind::Dropped:
            fail(at + verb + (argument.isEmpty() ? QString() : QLatin1Char(' ') + argument) + QStringLiteral(": ")
                 + droppedChatReason());
            break;
        case Kind::Server:
            check.report << at + QStringLiteral("sends to the server: ") + verb
                                + (argument.isEmpty() ? QString() : QLatin1Char(' ') + argument);
            break;
        case Kind::Wait:
            break;
        case Kind::Stall:
            fail(at + QStringLiteral("wait %1: a negative wait stops the buffer for good; nothing after it runs").arg(argument));
            going = false;
            break;
        case Kind::Usage:
            fail(at + QStringLiteral("exec %1: exec takes one file name; the game prints its usage and runs nothing")
                          .arg(argument));
            break;
        case Kind::Exec: {
            QString error;
            const QString next = execTarget(gameFolder, event->argument, &error);
            if (next.isEmpty()) {
                fail(at + QStringLiteral("exec %1: %2").arg(argument, error));
                break;
            }
            if (runsAgain(next)) {
                fail(at + QStringLiteral("exec %1: runs %2 again with the same bytes waiting: the script never ends")
                              .arg(argument, next));
                going = false;
                break;
            }
            check.report << at + QStringLiteral("exec %1: runs %2").arg(argument, next);
            going = exec(next);
            break;
        }
        case Kind::Local:
            check.report << at + QStringLiteral("runs ") + verb
                                + (argument.isEmpty() ? QString() : QLatin1Char(' ') + argument);
            break;
        }
    }
    check.report << QStringLiteral("%1 names in %2 file(s), %3 played otherwise than written")
                        .arg(check.names).arg(check.files.size()).arg(check.differences);
    return check;
}
