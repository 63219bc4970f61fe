#include "game/GamePlayer.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

namespace {

char loweredChar(char c) { return c >= 'A' && c <= 'Z' ? char(c | 0x20) : c; }

// True when `word` lowered is `lower` (ASCII letters only, as the game lowers its words).
bool isLowered(QByteArrayView word, QByteArrayView lower)
{
    return word.size() == lower.size()
           && std::equal(word.begin(), word.end(), lower.begin(), [](char a, char b) { return loweredChar(a) == b; });
}

} // namespace

GamePlayer::GamePlayer(int frameRate, const GameRules &rules)
    : m_rules(&rules), m_frameMs(GameConsole::FrameMs(frameRate))
{
}

QByteArrayView GamePlayer::lowered(QByteArrayView word)
{
    // The verbs the game knows come from shared text, without a copy per command.
    static constexpr QByteArrayView known[] = {"set", "seta", "name", "say", "say_team",
                                               "vsay", "vsay_team", "wait", "exec", "echo"};
    for (QByteArrayView verb : known) {
        if (isLowered(word, verb))
            return verb;
    }
    m_verb.resize(word.size());
    std::transform(word.begin(), word.end(), m_verb.begin(), loweredChar);
    return m_verb;
}

GamePlayer::Event GamePlayer::serverCommand(Event &&event)
{
    const bool name = event.kind == Kind::Name;
    if (m_rules->flood == GameRules::Flood::Burst) {
        // The engine's window is off; the game counts chat only.
        if (event.kind == Kind::Chat)
            throttleChat(event);
        return std::move(event);
    }
    if (!name && (GameConsole::FloodExempt(event.verb)
                  || (m_rules->flood == GameRules::Flood::Fixed && event.verb == "forcetapout")))
        return std::move(event);
    // The user info is an engine command: never dropped, but it (re)starts the window like any other.
    const bool inWindow = m_lastServerMs && event.ms - *m_lastServerMs < m_rules->floodMs;
    if (!name && inWindow)
        event.kind = Kind::Dropped;
    m_lastServerWasName = name;
    m_serverMsBeforeName = m_lastServerMs;
    if (m_rules->flood == GameRules::Flood::Restarting || !inWindow)
        m_lastServerMs = event.ms;
    return std::move(event);
}

void GamePlayer::throttleChat(Event &event)
{
    if (event.ms < m_burstBlockedUntilMs) {
        event.kind = Kind::Dropped;
        return;
    }
    // One line of the burst comes back each full second since the last one.
    m_burstCount = qMax(0, m_burstCount - (event.ms - m_burstLastMs) / m_rules->burstMs);
    m_burstLastMs = event.ms;
    if (m_burstCount >= m_rules->burst) {
        event.kind = Kind::Dropped;
        m_burstBlockedUntilMs = event.ms + m_rules->burstMs;
        return;
    }
    ++m_burstCount;
}

void GamePlayer::limitNameChanges(Event &event)
{
    const int limit = m_rules->nameChangeMs;
    if (limit <= 0)
        return;
    // A held name is applied once the limit has passed since the last one.
    if (m_nameHeld && event.ms >= *m_nameAppliedMs + limit) {
        *m_nameAppliedMs += limit;
        m_nameHeld = false;
    }
    if (!m_nameAppliedMs || event.ms >= *m_nameAppliedMs + limit) {
        m_nameAppliedMs = event.ms;
        return;
    }
    event.held = true;
    event.shownMs = *m_nameAppliedMs + limit;
    event.replacesHeld = m_nameHeld;
    m_nameHeld = true;
}

void GamePlayer::wait(int runs)
{
    if (runs < 0 && m_rules->negativeWaitStalls)
        m_stalled = true;  // the game counts it down from below zero: it never reaches zero
    else
        m_run += runs < 0 ? 1 : runs;  // other engines wait one run
}

int GamePlayer::WaitRuns(QByteArrayView argument)
{
    char digits[16] = {};  // atoi reads as the game does, and needs the text's end
    std::copy_n(argument.begin(), qMin<qsizetype>(argument.size(), sizeof digits - 1), digits);
    return std::atoi(digits);
}

bool GamePlayer::WaitsAsWritten(QByteArrayView argument)
{
    return !argument.isEmpty()
           && std::all_of(argument.begin(), argument.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<GamePlayer::Event> GamePlayer::run(QByteArrayView command)
{
    const GameConsole::TokenList tokens = GameConsole::Tokens(command, *m_rules);
    if (tokens.isEmpty() || m_stalled)
        return std::nullopt;
    return play(tokens, lowered(tokens.first()));
}

std::optional<GamePlayer::Event> GamePlayer::runQuoted(QByteArrayView prefix, QByteArrayView argument)
{
    if (m_prefix.bytes != prefix) {
        // Plain words: nothing in them ends the command, opens a quote or starts a comment.
        const bool plain = !prefix.isEmpty() && std::none_of(prefix.begin(), prefix.end(), [](char c) {
            return c == '"' || c == ';' || c == '/' || c == '\r' || c == '\n' || c == '\0';
        });
        m_prefix = {};
        m_prefix.bytes = prefix.toByteArray();
        m_prefix.tokens = GameConsole::Tokens(m_prefix.bytes, *m_rules);
        m_prefix.plain = plain && !m_prefix.tokens.isEmpty();
        if (m_prefix.plain)
            m_prefix.verb = lowered(m_prefix.tokens.first()).toByteArray();
    }
    if (m_stalled || !m_prefix.plain || !GameConsole::OneQuotedWord(m_prefix.bytes.size(), argument))
        return std::nullopt;
    // The prefix's words and the argument, without copying the words.
    m_prefix.tokens.append(argument);
    const Event event = play(m_prefix.tokens, m_prefix.verb);
    m_prefix.tokens.removeLast();
    return event;
}

GamePlayer::Event GamePlayer::play(const GameConsole::TokenList &tokens, QByteArrayView verb)
{
    Event event;
    event.verb = verb;
    event.frame = frame();
    event.ms = ms();
    event.shownMs = event.ms;
    auto arguments = [&](int first) -> QByteArrayView {
        if (first == tokens.size() - 1)
            return tokens.at(first);
        m_joined = GameConsole::ArgumentsFrom(tokens, first);
        return m_joined;
    };
    auto setName = [&](QByteArrayView value) {
        event.kind = Kind::Name;
        event.name = GameName::VerdictOf(value, *m_rules);
        event.argument = value;
        // The user info goes out once a frame, after its last buffer run: a name the next one replaces within
        // the same frame is never sent.
        event.replacesName = m_lastNameRun && m_run / m_rules->runsPerFrame == *m_lastNameRun / m_rules->runsPerFrame;
        if (event.replacesName && m_lastServerWasName)
            m_lastServerMs = m_serverMsBeforeName;
        // The name replaced never reached the server: its limit on name changes is as it was before it.
        if (event.replacesName)
            std::tie(m_nameAppliedMs, m_nameHeld) = m_nameLimitBeforeName;
        m_nameLimitBeforeName = {m_nameAppliedMs, m_nameHeld};
        m_lastNameRun = m_run;
        limitNameChanges(event);
        return serverCommand(std::move(event));
    };
    // "set name a b" joins its words; "name a b" takes the first only.
    if ((verb == "set" || verb == "seta") && tokens.size() >= 3 && isLowered(tokens.at(1), "name")) {
        if (tokens.size() == 3 && tokens.at(2).size() <= m_rules->setJoinLimit)
            return setName(tokens.at(2));  // most lines: one word that fits
        m_joined = GameConsole::SetValue(tokens, 2, &event.wordsDropped, *m_rules);
        return setName(m_joined);
    }
    if (verb == "name" && tokens.size() >= 2)
        return setName(m_rules->nameTakesAllWords ? arguments(1) : tokens.at(1));
    if (verb == "say" || verb == "say_team" || verb == "vsay" || verb == "vsay_team") {
        event.kind = Kind::Chat;
        event.argument = tokens.size() > 1 ? arguments(1) : QByteArrayView("");
        return serverCommand(std::move(event));
    }
    if (verb == "wait") {
        // Only "wait N" reads its number; no number or more than one waits one run.
        event.argument = tokens.size() == 2 ? tokens.at(1) : QByteArrayView("1");
        const int runs = tokens.size() == 2 ? WaitRuns(event.argument) : 1;
        const bool stalls = runs < 0 && m_rules->negativeWaitStalls;
        event.kind = stalls ? Kind::Stall : Kind::Wait;
        wait(runs);
        return event;
    }
    if (GameConsole::IsExec(verb, *m_rules)) {
        event.kind = tokens.size() == 2 ? Kind::Exec : Kind::Usage;
        event.argument = tokens.size() > 1 ? arguments(1) : QByteArrayView("");
        return event;
    }
    event.argument = tokens.size() > 1 ? arguments(1) : QByteArrayView("");
    if (verb == "echo" && m_rules->echoAppends) {
        event.kind = Kind::Appended;
        return event;
    }
    if (GameConsole::RunsOnClient(verb))
        return event;
    event.kind = Kind::Server;
    return serverCommand(std::move(event));
}
