#include "game/GameTimeline.h"

#include "game/GameChat.h"
#include "game/GameConsole.h"
#include "platform/TextFile.h"

#include <algorithm>

using Kind = GamePlayer::Kind;

GameTimeline::GameTimeline(int frameRate, const GameRules &rules)
    : m_player(frameRate, rules), m_rules(rules), m_frameMs(GameConsole::FrameMs(frameRate))
{
}

void GameTimeline::addLine(QByteArrayView commandLine, int waitRuns)
{
    if (m_closed)
        return;
    const int line = m_lines++;
    const QByteArrayView text = GameConsole::GameText(commandLine);
    qsizetype at = 0;
    GameConsole::Command command;
    while (m_stop == Stop::None && GameConsole::NextCommand(text, at, command, m_rules)) {
        if (const std::optional<GamePlayer::Event> event = m_player.run(command.text))
            play(*event, line);
    }
    if (m_stop == Stop::None)
        m_player.wait(waitRuns);
}

void GameTimeline::close()
{
    if (m_closed)
        return;
    m_closed = true;
    if (m_stop != Stop::None)
        return;  // nothing after the stop runs, the end of the buffer included
    const int end = ms();
    for (Shown &shown : m_appended) {
        shown.ms = end;
        add(std::move(shown), end);
    }
    m_appended.clear();
}

void GameTimeline::play(const GamePlayer::Event &event, int line)
{
    switch (event.kind) {
    case Kind::Name: {
        ++m_names;
        if (event.replacesName || event.replacesHeld) {
            ++m_unseenNames;
            takeBackLastName();
        }
        GameName::Result name = GameName::ShownBytes(event.argument, m_rules);
        if (name.verdict == GameName::Verdict::Dropped) {
            stopAt(Stop::PlayerDropped, line, name.reason);
            return;
        }
        // The next name within one frame replaces it before it is sent; a held one until the server applies it.
        add({line, event.shownMs, std::move(name.shown)}, qMax(event.shownMs, event.ms + m_frameMs));
        m_lastName = m_serial;
        return;
    }
    case Kind::Dropped:
        ++m_droppedChat;
        return;
    case Kind::Chat: {
        const GameChat::Result chat = GameChat::Shown(event.argument, m_rules);
        add({line, event.ms, QStringLiteral("!! ") + DecodeAnsi(chat.reason.isEmpty() ? event.argument : chat.shown)},
            event.ms);
        return;
    }
    case Kind::Local:
    case Kind::Server:
        add({line, event.ms, QStringLiteral("!! ") + DecodeAnsi(event.argument)}, event.ms);
        return;
    case Kind::Appended:
        m_appended.append({line, 0, QStringLiteral("!! ") + DecodeAnsi(event.argument)});
        return;
    case Kind::Stall:
        stopAt(Stop::Stalled, line, QStringLiteral("a wait below 0 stops the script for good"));
        return;
    default:
        return;
    }
}

void GameTimeline::add(Shown &&shown, int settledMs)
{
    m_lastShowMs = qMax(m_lastShowMs, shown.ms);
    const auto at = std::upper_bound(m_pending.begin(), m_pending.end(), shown.ms,
                                     [](int ms, const Pending &pending) { return ms < pending.shown.ms; });
    m_pending.insert(at, {std::move(shown), settledMs, ++m_serial});
}

void GameTimeline::takeBackLastName()
{
    if (!m_lastName)
        return;
    const auto it = std::find_if(m_pending.begin(), m_pending.end(),
                                 [this](const Pending &pending) { return pending.serial == *m_lastName; });
    if (it != m_pending.end())
        m_pending.erase(it);
    m_lastName.reset();
}

void GameTimeline::stopAt(Stop stop, int line, const QString &reason)
{
    m_stop = stop;
    m_stopLine = line;
    m_stopReason = reason;
    m_stopMs = m_player.ms();
    m_closed = true;
}

QVector<GameTimeline::Shown> GameTimeline::takeDue(qint64 nowMs)
{
    const qint64 fedMs = m_player.ms();
    QVector<Shown> due;
    qsizetype taken = 0;
    for (; taken < m_pending.size(); ++taken) {
        const Pending &pending = m_pending.at(taken);
        if (pending.shown.ms > nowMs || (!m_closed && fedMs < pending.settledMs))
            break;
        due.append(pending.shown);
    }
    m_pending.remove(0, taken);
    return due;
}

std::optional<int> GameTimeline::nextDueMs() const
{
    if (m_pending.isEmpty())
        return std::nullopt;
    return m_pending.first().shown.ms;
}

namespace {

// "1 name was" or "3 names were": one and many as written after the count.
QString counted(int count, const char *one, const char *many)
{
    return count == 1 ? QString::fromLatin1(one) : QString::number(count) + QLatin1String(many);
}

} // namespace

QString PlaySummary(const GameTimeline &timeline)
{
    QString summary = QStringLiteral("Played %1 in %2 s")
                          .arg(counted(timeline.lines(), "1 line", " lines"))
                          .arg(timeline.lengthMs() / 1000.0, 0, 'f', 1);
    if (timeline.unseenNames() > 0)
        summary += QStringLiteral("; %1 never seen").arg(counted(timeline.unseenNames(), "1 name was", " names were"));
    else if (timeline.names() > 0)
        summary += QStringLiteral("; every name was seen");
    if (timeline.droppedChat() > 0)
        summary += QStringLiteral("; %1 dropped by the server")
                       .arg(counted(timeline.droppedChat(), "1 chat line was", " chat lines were"));
    if (timeline.stop() != GameTimeline::Stop::None)
        summary += QStringLiteral("; the game stopped at line %1: %2").arg(timeline.stopLine() + 1).arg(timeline.stopReason());
    return summary;
}
