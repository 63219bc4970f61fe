#pragma once

#include "game/GameConsole.h"
#include "game/GameName.h"

#include <QByteArray>
#include <QByteArrayView>
#include <optional>
#include <utility>

// Plays one command after another as the chosen game does for one player:
// counts the buffer runs waits let pass (two to a frame), changes the name the
// others see, and drops what the server's flood protection refuses.
class GamePlayer {
public:
    static constexpr int ChatFloodMs = 800;

    enum class Kind {
        Name,
        Chat,
        Dropped,  // a chat line or other server command the server ignores
        Server,   // a command the client doesn't run itself
        Wait,
        Stall,    // a negative wait: nothing after it ever runs
        Exec,
        Usage,    // exec with other than one file: the game prints how to use it
        Appended, // echo on an engine that puts its text at the end of the buffer, to show after everything
        Local,
    };
    // The views stay valid until the next command runs, and while the command's bytes live.
    struct Event {
        Kind kind = Kind::Local;
        QByteArrayView verb;      // the command's first word, lowered
        QByteArrayView argument;  // the name set, the chat line, the file executed, the wait's runs
        GameName::Verdict name = GameName::Verdict::AsWritten;  // for Kind::Name: GameName::ShownBytes(argument) tells more
        bool wordsDropped = false;   // for Kind::Name: set left out a word too long for its buffer
        bool replacesName = false;   // for Kind::Name: the name before it was never sent (same frame)
        bool held = false;           // for Kind::Name: the server holds it back (one change per so many seconds)
        bool replacesHeld = false;   // for Kind::Name: the name the server held before it is never shown
        qint64 frame = 0;         // the frame the command runs in
        int ms = 0;               // and its time from the script's start
        int shownMs = 0;          // for Kind::Name: when the server applies it (later than ms when held)
    };

    explicit GamePlayer(int frameRate, const GameRules &rules = Games::Rtcw);

    // Nothing when the command has no words, or when a negative wait stalled the buffer.
    std::optional<Event> run(QByteArrayView command);
    // What run() does with the command `prefix "argument"`, the way a script line is
    // written, without building and splitting it: nothing when the console would
    // not take the argument as one word as written, or the prefix as plain words.
    // Most lines of an animation share their prefix, so its words are read once.
    std::optional<Event> runQuoted(QByteArrayView prefix, QByteArrayView argument);
    // What "wait runs" does.
    void wait(int runs);
    bool stalled() const { return m_stalled; }
    qint64 frame() const { return m_run / m_rules->runsPerFrame; }
    int ms() const { return msAt(m_run); }
    // The time `runs` buffer runs last.
    int msAt(qint64 runs) const { return static_cast<int>(runs * m_frameMs / m_rules->runsPerFrame); }
    const GameRules &rules() const { return *m_rules; }
    // The runs "wait ARGUMENT" lets pass, as the game reads its number.
    static int WaitRuns(QByteArrayView argument);
    // True when the game reads the argument's every character as the runs it waits: digits alone (not "1.5",
    // which waits 1).
    static bool WaitsAsWritten(QByteArrayView argument);

private:
    Event play(const GameConsole::TokenList &tokens, QByteArrayView verb);
    Event serverCommand(Event &&event);
    void throttleChat(Event &event);
    void limitNameChanges(Event &event);
    QByteArrayView lowered(QByteArrayView word);

    const GameRules *m_rules;
    int m_frameMs;
    qint64 m_run = 0;
    bool m_stalled = false;
    std::optional<int> m_lastServerMs;
    std::optional<int> m_serverMsBeforeName;  // the window's start before the last command to the server
    bool m_lastServerWasName = false;
    std::optional<qint64> m_lastNameRun;
    int m_burstCount = 0;  // chat lines counted by the game's own flood protection
    int m_burstLastMs = 0;
    int m_burstBlockedUntilMs = 0;
    std::optional<int> m_nameAppliedMs;  // when the server last applied a name
    bool m_nameHeld = false;
    std::pair<std::optional<int>, bool> m_nameLimitBeforeName;  // the two above before the last name
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
