#pragma once

#include "game/GameConsole.h"
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
    // The views stay valid until the next command runs, and while the command's bytes live.
    struct Event {
        Kind kind = Kind::Local;
        QByteArrayView verb;      // the command's first word, lowered
        QByteArrayView argument;  // the name set, the chat line, the file executed, the wait's frames
        GameName::Verdict name = GameName::Verdict::AsWritten;  // for Kind::Name: GameName::ShownBytes(argument) tells more
        qint64 frame = 0;         // the frame the command runs at
        int ms = 0;               // and its time from the script's start
    };

    explicit GamePlayer(int frameRate);

    // Nothing when the command has no words.
    std::optional<Event> run(QByteArrayView command);
    // What run() does with the command `prefix "argument"`, the way a script line is
    // written, without building and splitting it: nothing when the console would
    // not take the argument as one word as written, or the prefix as plain words.
    // Most lines of an animation share their prefix, so its words are read once.
    std::optional<Event> runQuoted(QByteArrayView prefix, QByteArrayView argument);
    // What "wait frames" does.
    void wait(int frames) { m_frame += qMax(0, frames); }
    qint64 frame() const { return m_frame; }
    int ms() const { return msAt(m_frame); }

private:
    int msAt(qint64 frame) const { return static_cast<int>(frame * m_frameMs); }
    Event play(const GameConsole::TokenList &tokens, QByteArrayView verb);
    Event serverCommand(Event &&event);
    QByteArrayView lowered(QByteArrayView word);

    int m_frameMs;
    qint64 m_frame = 0;
    std::optional<int> m_lastServerMs;
    QByteArray m_verb;    // an unknown verb lowered
    QByteArray m_joined;  // words joined into one argument
    struct Prefix {
        QByteArray bytes;
        GameConsole::TokenList tokens;  // views into bytes
        QByteArray verb;                // lowered
        bool plain = false;
    };
    Prefix m_prefix;  // the last one seen; none at first, and an empty prefix is not plain
};
