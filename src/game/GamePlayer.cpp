#include "game/GamePlayer.h"

#include <algorithm>
#include <cstdlib>

namespace {

char loweredChar(char c) { return c >= 'A' && c <= 'Z' ? char(c | 0x20) : c; }

// True when `word` lowered is `lower` (ASCII letters only, as the game lowers its words).
bool isLowered(QByteArrayView word, QByteArrayView lower)
{
    return word.size() == lower.size()
           && std::equal(word.begin(), word.end(), lower.begin(), [](char a, char b) { return loweredChar(a) == b; });
}

} // namespace

GamePlayer::GamePlayer(int frameRate) : m_frameMs(GameConsole::FrameMs(frameRate)) {}

QByteArrayView GamePlayer::lowered(QByteArrayView word)
{
    // The verbs the game knows come from shared text, without a copy per command.
    static constexpr QByteArrayView known[] = {"set", "seta", "name", "say", "say_team", "vsay", "vsay_team", "wait", "exec"};
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
    if (event.kind != Kind::Name && GameConsole::FloodExempt(event.verb))
        return std::move(event);
    // The user info is an engine command: never dropped, but it restarts the window like any other.
    if (event.kind != Kind::Name && m_lastServerMs && event.ms - *m_lastServerMs < ChatFloodMs)
        event.kind = Kind::Dropped;
    m_lastServerWasName = event.kind == Kind::Name;
    m_serverMsBeforeName = m_lastServerMs;
    m_lastServerMs = event.ms;
    return std::move(event);
}

void GamePlayer::wait(int runs)
{
    if (runs < 0)
        m_stalled = true;  // the game counts it down from below zero: it never reaches zero
    else
        m_run += runs;
}

int GamePlayer::WaitRuns(QByteArrayView argument)
{
    char digits[16] = {};  // atoi reads as the game does, and needs the text's end
    std::copy_n(argument.begin(), qMin<qsizetype>(argument.size(), sizeof digits - 1), digits);
    return std::atoi(digits);
}

std::optional<GamePlayer::Event> GamePlayer::run(QByteArrayView command)
{
    const GameConsole::TokenList tokens = GameConsole::Tokens(command);
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
        m_prefix.tokens = GameConsole::Tokens(m_prefix.bytes);
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
    auto arguments = [&](int first) -> QByteArrayView {
        if (first == tokens.size() - 1)
            return tokens.at(first);
        m_joined = GameConsole::ArgumentsFrom(tokens, first);
        return m_joined;
    };
    auto setName = [&](QByteArrayView value) {
        event.kind = Kind::Name;
        event.name = GameName::VerdictOf(value);
        event.argument = value;
        // The user info goes out once a frame: a name the next one replaces that soon is never sent.
        event.replacesName = m_lastNameRun && m_run - *m_lastNameRun < GameConsole::Stock.runsPerFrame;
        if (event.replacesName && m_lastServerWasName)
            m_lastServerMs = m_serverMsBeforeName;
        m_lastNameRun = m_run;
        return serverCommand(std::move(event));
    };
    // "set name a b" joins its words; "name a b" takes the first only.
    if ((verb == "set" || verb == "seta") && tokens.size() >= 3 && isLowered(tokens.at(1), "name")) {
        if (tokens.size() == 3 && tokens.at(2).size() <= GameConsole::Stock.setJoinLimit)
            return setName(tokens.at(2));  // most lines: one word that fits
        m_joined = GameConsole::SetValue(tokens, 2, &event.wordsDropped);
        return setName(m_joined);
    }
    if (verb == "name" && tokens.size() >= 2)
        return setName(tokens.at(1));
    if (verb == "say" || verb == "say_team" || verb == "vsay" || verb == "vsay_team") {
        event.kind = Kind::Chat;
        event.argument = tokens.size() > 1 ? arguments(1) : QByteArrayView("");
        return serverCommand(std::move(event));
    }
    if (verb == "wait") {
        // Only "wait N" reads its number; no number or more than one waits one run.
        event.argument = tokens.size() == 2 ? tokens.at(1) : QByteArrayView("1");
        const int runs = tokens.size() == 2 ? WaitRuns(event.argument) : 1;
        event.kind = runs < 0 ? Kind::Stall : Kind::Wait;
        wait(runs);
        return event;
    }
    if (verb == "exec") {
        event.kind = tokens.size() == 2 ? Kind::Exec : Kind::Usage;
        event.argument = tokens.size() > 1 ? arguments(1) : QByteArrayView("");
        return event;
    }
    event.argument = tokens.size() > 1 ? arguments(1) : QByteArrayView("");
    if (GameConsole::RunsOnClient(verb))
        return event;
    event.kind = Kind::Server;
    return serverCommand(std::move(event));
}
