#include "script/ScriptCheck.h"

#include "game/GameChat.h"
#include "game/GameConsole.h"
#include "game/GamePlayer.h"
#include "platform/TextFile.h"
#include "script/ScriptParts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

// The check of a script file: the game's buffer with the files exec put in it, one above the other.

namespace {

using Kind = GamePlayer::Kind;

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

// Where exec NAME finds its file: the first folder of the search holding it; or why it finds none.
QString execTarget(const QStringList &search, QByteArrayView argument, const GameRules &game, QString *error)
{
    QString name = GameConsole::ExecFileName(argument, game);
    if (name.startsWith(QLatin1Char('/')) || name.startsWith(QLatin1Char('\\')))
        name.remove(0, 1);
    if (!GameConsole::ExecNameRefused(name)) {
        for (const QString &folder : search) {
            if (const QString found = QDir(folder).filePath(name); QFileInfo(found).isFile())
                return found;
        }
    }
    *error = QStringLiteral("the game finds no %1").arg(name);
    return {};
}

} // namespace

ScriptCheck CheckScriptFile(const QString &path, int frameRate, const GameRules &game, const GameFolders &folders)
{
    constexpr int StepBudget = 1000000;
    ScriptCheck check;
    GamePlayer player(frameRate, game);
    const QStringList search = ExecSearchOf(path, folders);
    if (!folders.search.isEmpty() && folders.folderHolding(QFileInfo(path).absoluteFilePath()).isEmpty())
        check.outsideGame = OutsideGameMessage(path, folders, game);
    QList<BufferedFile> stack;
    QSet<QPair<quint64, quint64>> states;
    struct Loaded {
        int index = 0;        // into check.files
        QByteArray inserted;  // what exec puts in the buffer: the text up to a NUL, and a line end
    };
    QHash<QString, Loaded> loaded;  // each file read once: the chain may run it many times
    // The cvars the script sets for vstr (a count of passes, a loop), and one value standing for all of them.
    QHash<QByteArray, QByteArray> cvars;
    quint64 cvarsState = 0;
    QHash<QByteArray, int> vstrTexts;  // what vstr inserted, each numbered below the files' numbers
    auto state = [&](int file) {
        // A file run to its end holds nothing of the buffer any more.
        while (!stack.isEmpty() && stack.last().at >= stack.last().text.size())
            stack.removeLast();
        const QPair<quint64, quint64> below = stateBelow(stack);
        return qMakePair(qHash(quint64(file), below.first) ^ cvarsState, below.second ^ (quint64(file) << 17));
    };
    auto fail = [&](const QString &text) {
        check.report << text;
        ++check.differences;
    };
    // A finding after which the chain doesn't play to its end.
    auto stop = [&](const QString &text) {
        fail(text);
        if (check.stopped.isEmpty())
            check.stopped = text;
    };
    // What echo put at the end of the buffer: it waits there, below every file, until all of them have run.
    qsizetype appendedWaiting = 0;
    QStringList appended;
    // What exec does with a file: false when the check can't go on.
    auto exec = [&](const QString &current) {
        auto file = loaded.constFind(current);
        QString nulNote;
        if (file == loaded.cend()) {
            QFile opened(current);
            if (!opened.open(QIODevice::ReadOnly)) {
                stop(QStringLiteral("%1: can't be read (%2)").arg(QDir::toNativeSeparators(current), opened.errorString()));
                return false;
            }
            const QByteArray bytes = opened.readAll();
            const QByteArrayView text = GameConsole::GameText(bytes);
            if (text.size() < bytes.size())
                nulNote = QStringLiteral("%1: nothing after the NUL byte at %2 runs (%3 bytes)")
                              .arg(QDir::toNativeSeparators(current)).arg(text.size()).arg(bytes.size() - text.size() - 1);
            file = loaded.insert(current, {static_cast<int>(check.files.size()), text.toByteArray() + '\n'});
            check.files << current;
        }
        states.insert(state(file->index));
        const qsizetype textBytes = file->inserted.size() - 1;
        const qsizetype waiting = waitingBytes(stack);
        if (!GameConsole::ExecFits(textBytes, waiting + appendedWaiting, game)) {
            stop(QStringLiteral("%1: exec refuses it, %2 bytes plus one and %3 waiting don't fit the game's "
                                "buffer of %4 (Cbuf_InsertText overflowed): nothing of it runs")
                     .arg(QDir::toNativeSeparators(current)).arg(textBytes).arg(waiting + appendedWaiting).arg(game.bufferBytes));
            return true;
        }
        check.report << QStringLiteral("%1: %2 bytes, exec accepts it").arg(QDir::toNativeSeparators(current)).arg(textBytes);
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
        if (!GameConsole::NextCommand(top.text, top.at, command, game)) {
            stack.removeLast();
            continue;
        }
        if (++steps > StepBudget) {
            stop(QStringLiteral("still running after %L1 commands: the script never ends").arg(StepBudget));
            break;
        }
        if (command.cut)
            fail(QStringLiteral("a command at byte %1 is cut at %2 bytes; the rest runs as a command of its own")
                     .arg(command.offset).arg(game.maxCommandBytes));
        const std::optional<GamePlayer::Event> event = player.run(command.text);
        if (event && event->kind == Kind::Wait && !GamePlayer::WaitsAsWritten(event->argument))
            fail(QStringLiteral("frame %1 (%2 ms): ").arg(event->frame).arg(event->ms)
                 + WaitReadOtherwise(DecodeAnsi(event->argument), GamePlayer::WaitRuns(event->argument)));
        if (!event || event->kind == Kind::Wait)
            continue;  // most commands of a script: nothing to tell
        const QString at = QLatin1String("frame ") + QString::number(event->frame) + QLatin1String(" (")
                           + QString::number(event->ms) + QLatin1String(" ms): ");
        const QString argument = DecodeAnsi(event->argument);
        const QString verb = QString::fromLatin1(event->verb);
        switch (event->kind) {
        case Kind::Name: {
            ++check.names;
            check.unseenNames += event->replacesName || event->replacesHeld;
            if (event->replacesName)
                fail(at + QStringLiteral("the name before is never seen: this one replaces it within one frame"));
            else if (event->replacesHeld)
                fail(at + QStringLiteral("the name before is never seen: the server applies one name change per %1 "
                                         "seconds, and this one replaces it while it waits")
                              .arg(game.nameChangeMs / 1000));
            if (event->name == GameName::Verdict::AsWritten && !event->wordsDropped) {
                check.report << at + QLatin1String("name ") + argument;  // shown as written
                break;
            }
            const GameName::Result name = GameName::ShownBytes(event->argument, game);
            if (name.verdict == GameName::Verdict::Dropped) {
                stop(at + QStringLiteral("name %1: %2").arg(argument, name.reason));
                break;
            }
            fail(at + QStringLiteral("name %1 is shown as %2: %3").arg(argument, name.shown, NameReason(*event, name.reason)));
            break;
        }
        case Kind::Chat:
            if (const GameChat::Result chat = GameChat::Shown(event->argument, game); !chat.reason.isEmpty())
                fail(at + QStringLiteral("%1 %2 is shown as %3: %4")
                              .arg(verb, argument, DecodeAnsi(chat.shown), chat.reason));
            else
                check.report << at + verb + QLatin1Char(' ') + argument;
            break;
        case Kind::Dropped:
            ++check.droppedChat;
            fail(at + verb + (argument.isEmpty() ? QString() : QLatin1Char(' ') + argument) + QStringLiteral(": ")
                 + DroppedReason(game));
            break;
        case Kind::Server:
            check.report << at + QStringLiteral("sends to the server: ") + verb
                                + (argument.isEmpty() ? QString() : QLatin1Char(' ') + argument);
            break;
        case Kind::Wait:
            break;
        case Kind::Stall:
            stop(at + QStringLiteral("wait %1: a negative wait stops the buffer for good; nothing after it runs").arg(argument));
            going = false;
            break;
        case Kind::Usage:
            fail(at + QStringLiteral("exec %1: exec takes one file name; the game prints its usage and runs nothing")
                          .arg(argument));
            break;
        case Kind::Exec: {
            QString error;
            const QString next = execTarget(search, event->argument, game, &error);
            if (next.isEmpty()) {
                stop(at + QStringLiteral("exec %1: %2").arg(argument, error));
                break;
            }
            if (runsAgain(next)) {
                stop(at + QStringLiteral("exec %1: runs %2 again with the same bytes waiting: the script never ends")
                              .arg(argument, QDir::toNativeSeparators(next)));
                going = false;
                break;
            }
            check.report << at + QStringLiteral("exec %1: runs %2").arg(argument, QDir::toNativeSeparators(next));
            going = exec(next);
            break;
        }
        case Kind::Appended:
            appendedWaiting += GameConsole::AppendedEchoBytes(event->argument.size());
            appended << argument;
            fail(at + QStringLiteral("echo %1: ").arg(argument) + AppendedReason(game));
            break;
        case Kind::Local:
            check.report << at + QStringLiteral("runs ") + verb
                                + (argument.isEmpty() ? QString() : QLatin1Char(' ') + argument);
            if (event->verb == "set" || event->verb == "seta" || event->verb == "vstr") {
                const GameConsole::TokenList tokens = GameConsole::Tokens(command.text, game);
                if (tokens.size() < 2)
                    break;
                const QByteArray cvar = tokens.at(1).toByteArray().toLower();  // cvar names ignore case
                if (event->verb != "vstr") {
                    if (tokens.size() < 3)
                        break;
                    const QByteArray value = GameConsole::SetValue(tokens, 2, nullptr, game);
                    const auto known = cvars.constFind(cvar);
                    if (known != cvars.cend())
                        cvarsState ^= qHash(cvar) * 31 + qHash(known.value());
                    cvars.insert(cvar, value);
                    cvarsState ^= qHash(cvar) * 31 + qHash(value);
                    break;
                }
                // vstr puts the cvar's value and a line end in front of the buffer, as exec does a file's text.
                const QByteArray value = cvars.value(cvar);
                const qsizetype waiting = waitingBytes(stack) + appendedWaiting;
                if (!GameConsole::ExecFits(value.size(), waiting, game)) {
                    stop(at + QStringLiteral("vstr %1: %2 bytes plus one and %3 waiting don't fit the game's buffer "
                                             "of %4 (Cbuf_InsertText overflowed): nothing of it runs")
                                  .arg(argument).arg(value.size()).arg(waiting).arg(game.bufferBytes));
                    break;
                }
                const int text = -1 - static_cast<int>(vstrTexts.size());
                const int index = vstrTexts.contains(value) ? vstrTexts.value(value) : vstrTexts.insert(value, text).value();
                stack.append({index, value + '\n', 0, waitingBytes(stack), stateBelow(stack)});
            }
            break;
        }
    }
    if (going && check.stopped.isEmpty()) {
        for (const QString &text : appended)
            check.report << QStringLiteral("after the script: shows %1").arg(text);
    }
    check.report << QStringLiteral("%1 names in %2 file(s), %3 played otherwise than written")
                        .arg(check.names).arg(check.files.size()).arg(check.differences);
    return check;
}
