#include "game/GamePlayer.h"

#include "game/GameConsole.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <cstdlib>

namespace {

// True when `word` lowered is `lower` (ASCII letters only, as the game lowers its words).
bool isLowered(QByteArrayView word, QByteArrayView lower)
{
    auto lowered = [](char c) { return c >= 'A' && c <= 'Z' ? char(c | 0x20) : c; };
    return word.size() == lower.size()
           && std::equal(word.begin(), word.end(), lower.begin(), [&](char a, char b) { return lowered(a) == b; });
}

// The verb lowered; the verbs the game knows come from shared text, without an allocation per command.
QByteArray loweredVerb(QByteArrayView word)
{
    static const QByteArray known[] = {
        QByteArrayLiteral("set"),  QByteArrayLiteral("seta"),     QByteArrayLiteral("name"),
        QByteArrayLiteral("say"),  QByteArrayLiteral("say_team"), QByteArrayLiteral("vsay"),
        QByteArrayLiteral("vsay_team"), QByteArrayLiteral("wait"), QByteArrayLiteral("exec"),
    };
    for (const QByteArray &verb : known) {
        if (isLowered(word, verb))
            return verb;
    }
    return word.toByteArray().toLower();
}

} // namespace

GamePlayer::GamePlayer(int frameRate) : m_frameMs(GameConsole::FrameMs(frameRate)) {}

GamePlayer::Event GamePlayer::serverCommand(Event &&event)
{
    const bool chat = event.kind == Kind::Chat;
    if (chat && m_lastServerMs && event.ms - *m_lastServerMs < ChatFloodMs)
        event.kind = Kind::DroppedChat;
    m_lastServerMs = event.ms;
    return std::move(event);
}

std::optional<GamePlayer::Event> GamePlayer::run(QByteArrayView command)
{
    const GameConsole::TokenList tokens = GameConsole::Tokens(command);
    if (tokens.isEmpty())
        return std::nullopt;
    Event event;
    event.verb = loweredVerb(tokens.first());
    event.frame = m_frame;
    event.ms = ms();
    const QByteArray &verb = event.verb;
    auto setName = [&](QByteArray value) {
        event.kind = Kind::Name;
        event.name = GameName::ShownBytes(value);
        event.argument = std::move(value);
        return serverCommand(std::move(event));
    };
    // "set name a b" joins its words; "name a b" takes the first only.
    if ((verb == "set" || verb == "seta") && tokens.size() >= 3 && isLowered(tokens.at(1), "name"))
        return setName(GameConsole::ArgumentsFrom(tokens, 2));
    if (verb == "name" && tokens.size() >= 2)
        return setName(tokens.at(1).toByteArray());
    if (verb == "say" || verb == "say_team" || verb == "vsay" || verb == "vsay_team") {
        event.kind = Kind::Chat;
        event.argument = GameConsole::ArgumentsFrom(tokens, 1);
        return serverCommand(std::move(event));
    }
    if (verb == "wait") {
        const int frames = tokens.size() > 1 ? std::atoi(tokens.at(1).toByteArray().constData()) : 1;
        event.kind = Kind::Wait;
        event.argument = QByteArray::number(frames);
        wait(frames);
        return event;
    }
    if (verb == "exec" && tokens.size() >= 2) {
        event.kind = Kind::Exec;
        event.argument = tokens.at(1).toByteArray();
        return event;
    }
    event.argument = GameConsole::ArgumentsFrom(tokens, 1);
    return event;
}
