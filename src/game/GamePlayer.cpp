#include "game/GamePlayer.h"

#include "game/GameConsole.h"
#include "platform/TextFile.h"

#include <cstdlib>

GamePlayer::GamePlayer(int frameRate) : m_frameMs(GameConsole::FrameMs(frameRate)) {}

GamePlayer::Event GamePlayer::serverCommand(Event event)
{
    const bool chat = event.kind == Kind::Chat;
    if (chat && m_lastServerMs && event.ms - *m_lastServerMs < ChatFloodMs)
        event.kind = Kind::DroppedChat;
    m_lastServerMs = event.ms;
    return event;
}

std::optional<GamePlayer::Event> GamePlayer::run(QByteArrayView command)
{
    const QList<QByteArrayView> tokens = GameConsole::Tokens(command);
    if (tokens.isEmpty())
        return std::nullopt;
    Event event;
    event.verb = tokens.first().toByteArray().toLower();
    event.frame = m_frame;
    event.ms = ms();
    const QByteArray &verb = event.verb;
    auto setName = [&](QByteArray value) {
        event.kind = Kind::Name;
        event.name = GameName::ShownBytes(value);
        event.argument = std::move(value);
        return serverCommand(event);
    };
    // "set name a b" joins its words; "name a b" takes the first only.
    if ((verb == "set" || verb == "seta") && tokens.size() >= 3 && tokens.at(1).compare("name", Qt::CaseInsensitive) == 0)
        return setName(GameConsole::ArgumentsFrom(tokens, 2));
    if (verb == "name" && tokens.size() >= 2)
        return setName(tokens.at(1).toByteArray());
    if (verb == "say" || verb == "say_team" || verb == "vsay" || verb == "vsay_team") {
        event.kind = Kind::Chat;
        event.argument = GameConsole::ArgumentsFrom(tokens, 1);
        return serverCommand(event);
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
