#pragma once

#include "game/GameName.h"

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

// Plays one command after another as the stock game does for one player:
// counts the frames waits let pass, changes the name the others see, and drops
// chat lines that the server's flood protection refuses.
class GamePlayer {
public:
    static constexpr int ChatFloodMs = 800;

    enum class Kind { Name, Chat, DroppedChat, Wait, Exec, Local };
    struct Event {
        Kind kind = Kind::Local;
        QByteArray verb;       // the command's first word, lowered
        QByteArray argument;   // the name set, the chat line, the file executed, the wait's frames
        GameName::Result name; // for Kind::Name: what the others see
        qint64 frame = 0;      // the frame the command runs at
        int ms = 0;            // and its time from the script's start
    };

    explicit GamePlayer(int frameRate);

    // Nothing when the command has no words.
    std::optional<Event> run(QByteArrayView command);
    // What "wait frames" does.
    void wait(int frames) { m_frame += qMax(0, frames); }
    qint64 frame() const { return m_frame; }
    int ms() const { return msAt(m_frame); }

private:
    int msAt(qint64 frame) const { return static_cast<int>(frame * m_frameMs); }
    Event serverCommand(Event &&event);

    int m_frameMs;
    qint64 m_frame = 0;
    std::optional<int> m_lastServerMs;
};
