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

bool sameText(QByteArrayView argument, const QString &text)
{
    if (QtPrivate::isAscii(QLatin1StringView(argument)))
        return text == QLatin1StringView(argument);
    return text == DecodeAnsi(argument);
}

// Why a played command differs from the line's Text, or empty.
QString difference(const GamePlayer::Event &event, const QString &text, QString *shown)
{
    switch (event.kind) {
    case Kind::Name:
        if (event.name != GameName::Verdict::AsWritten) {
            GameName::Result name = GameName::ShownBytes(event.argument);
            *shown = std::move(name.shown);
            return name.reason;
        }
        if (sameText(event.argument, text) || (text.isEmpty() && event.argument == "_"))
            return {};
        *shown = DecodeAnsi(event.argument);
        return QStringLiteral("the script can't hold the Text as it is");
    case Kind::DroppedChat:
        return droppedChatReason();
    case Kind::Chat:
        if (sameText(event.argument, text))
            return {};
        *shown = DecodeAnsi(event.argument);
        return QStringLiteral("the script can't hold the Text as it is");
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
    const int frameMs = GameConsole::FrameMs(frameRate);
    int start = first;
    for (qint64 ms = 0; start > 0 && ms < GamePlayer::ChatFloodMs;)
        ms += qint64(framesOf(lines.at(--start).time)) * frameMs;

    GamePlayer player(frameRate);
    auto mark = [&](int row, const GamePlayer::Event &event) {
        QString shown;
        const QString reason = difference(event, lines.at(row).text, &shown);
        if (!reason.isEmpty())
            marks.append({row, shown, reason});  // the reasons' texts are shared, not built per line
    };
    // Reused from line to line: no allocation per line.
    QString action;
    QByteArray actionBytes;
    QByteArray textBytes;
    QString commandText;
    QByteArray command;
    for (int row = start; row <= last; ++row) {
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
            if (event && row >= first)
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
                if (event && row >= first)
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

ScriptCheck CheckScriptFile(const QString &path, int frameRate)
{
    ScriptCheck check;
    GamePlayer player(frameRate);
    const QString gameFolder = GameFolderOf(path);
    QString current = path;
    qsizetype waiting = 0;  // bytes already in the buffer when a file is executed
    auto fail = [&](const QString &text) {
        check.report << text;
        ++check.differences;
    };
    while (!current.isEmpty()) {
        if (check.files.contains(current) || check.files.size() > 1000) {
            fail(QStringLiteral("%1 runs again: the script never ends").arg(current));
            break;
        }
        QFile file(current);
        if (!file.open(QIODevice::ReadOnly)) {
            fail(QStringLiteral("%1: can't be read (%2)").arg(current, file.errorString()));
            break;
        }
        const QByteArray bytes = file.readAll();
        check.files << current;
        if (!GameConsole::ExecFits(bytes.size(), waiting)) {
            fail(QStringLiteral("%1: exec refuses it, %2 bytes plus one and %3 waiting don't fit the game's "
                                "buffer of %4 (Cbuf_InsertText overflowed): nothing of it runs")
                     .arg(current).arg(bytes.size()).arg(waiting).arg(GameConsole::BufferBytes));
            break;
        }
        check.report << QStringLiteral("%1: %2 bytes, exec accepts it").arg(current).arg(bytes.size());
        const QByteArrayView text = GameConsole::GameText(bytes);
        if (text.size() < bytes.size())
            check.report << QStringLiteral("%1: nothing after the NUL byte at %2 runs").arg(current).arg(text.size());
        const QString playing = current;
        current.clear();
        for (const GameConsole::Command &command : GameConsole::Commands(text)) {
            if (command.cut)
                fail(QStringLiteral("a command at byte %1 is cut at %2 bytes; the rest runs as a command of its own")
                         .arg(command.offset).arg(GameConsole::MaxCommandBytes));
            const std::optional<GamePlayer::Event> event = player.run(command.text);
            if (!event)
                continue;
            const QString at = QStringLiteral("frame %1 (%2 ms): ").arg(event->frame).arg(event->ms);
            const QString argument = DecodeAnsi(event->argument);
            const QString verb = QString::fromLatin1(event->verb);
            switch (event->kind) {
            case Kind::Name: {
                ++check.names;
                const GameName::Result name = GameName::ShownBytes(event->argument);
                if (name.verdict == GameName::Verdict::AsWritten)
                    check.report << at + QStringLiteral("name ") + name.shown;
                else
                    fail(at + QStringLiteral("name %1 is shown as %2: %3").arg(argument, name.shown, name.reason));
                break;
            }
            case Kind::Chat:
                check.report << at + verb + QLatin1Char(' ') + argument;
                break;
            case Kind::DroppedChat:
                fail(at + verb + QLatin1Char(' ') + argument + QStringLiteral(": ")
                     + droppedChatReason());
                break;
            case Kind::Wait:
                break;
            case Kind::Exec: {
                const QString name = GameConsole::ExecFileName(event->argument);
                const QString found = QDir(gameFolder).filePath(name);
                current = QFileInfo::exists(found) ? found : QString();
                if (current.isEmpty())
                    fail(at + QStringLiteral("exec %1: the game finds no %2").arg(argument, name));
                else
                    check.report << at + QStringLiteral("exec %1: runs %2").arg(argument, current);
                waiting = text.size() - (command.offset + command.text.size());
                break;
            }
            case Kind::Local:
                check.report << at + QStringLiteral("runs ") + verb
                                    + (argument.isEmpty() ? QString() : QLatin1Char(' ') + argument);
                break;
            }
            if (event->kind == Kind::Exec)
                break;  // the next file goes first; a hand-written script's rest follows it, not modelled
        }
    }
    check.report << QStringLiteral("%1 names in %2 file(s), %3 played otherwise than written")
                        .arg(check.names).arg(check.files.size()).arg(check.differences);
    return check;
}
