#pragma once

#include "game/GamePlayer.h"

#include <QString>
#include <QVector>
#include <optional>

// What the others see of a script as the chosen game plays it: which line
// shows when, and which never show (chat the server drops, a name replaced
// before it is sent or while the server holds it back). Lines are fed one at a
// time as the play goes on, so a frame plays no more lines than it shows.
class GameTimeline {
public:
    struct Shown {
        int line = 0;   // from 0, in the order fed
        int ms = 0;     // when the others see it
        QString text;   // colour-coded: the name, or "!! " and a message

        friend bool operator==(const Shown &, const Shown &) = default;
    };
    enum class Stop {
        None,
        Stalled,        // a negative wait: nothing after it ever runs
        PlayerDropped,  // the server drops the player for the name
    };

    GameTimeline(int frameRate, const GameRules &rules);

    // Plays one more line, its commands as the script file holds them, then
    // waits its runs. Ignored once the game stopped playing.
    void addLine(QByteArrayView commandLine, int waitRuns);
    // No more lines: whatever was fed is settled, and the text echo put at the end of the buffer shows.
    void close();
    bool closed() const { return m_closed; }
    // True while a show due by nowMs may still be taken back by a line not fed yet.
    bool wantsLines(qint64 nowMs) const { return !m_closed && m_player.ms() < nowMs + m_frameMs; }

    // The shows due by nowMs that no later line can take back, in time order, taken out.
    QVector<Shown> takeDue(qint64 nowMs);
    // When the next show waiting falls due, or nothing.
    std::optional<int> nextDueMs() const;
    // When the next line starts; once closed, the play's length.
    int ms() const { return m_stopMs ? *m_stopMs : m_player.ms(); }
    // Until the last line's wait is over, or the last show when the server held it longer.
    int lengthMs() const { return qMax(ms(), m_lastShowMs); }

    int lines() const { return m_lines; }
    int names() const { return m_names; }
    int unseenNames() const { return m_unseenNames; }
    int droppedChat() const { return m_droppedChat; }
    Stop stop() const { return m_stop; }
    int stopLine() const { return m_stopLine; }
    const QString &stopReason() const { return m_stopReason; }

private:
    struct Pending {
        Shown shown;
        int settledMs = 0;  // no line fed from then on can take it back
        qint64 serial = 0;
    };
    void play(const GamePlayer::Event &event, int line);
    void add(Shown &&shown, int settledMs);
    void takeBackLastName();
    void stopAt(Stop stop, int line, const QString &reason);

    GamePlayer m_player;
    const GameRules &m_rules;
    int m_frameMs;
    QVector<Pending> m_pending;  // in time order
    QVector<Shown> m_appended;   // echo's texts waiting at the end of the buffer
    qint64 m_serial = 0;
    std::optional<qint64> m_lastName;  // its serial
    int m_lines = 0;
    int m_names = 0;
    int m_unseenNames = 0;
    int m_droppedChat = 0;
    int m_lastShowMs = 0;
    bool m_closed = false;
    Stop m_stop = Stop::None;
    int m_stopLine = -1;
    std::optional<int> m_stopMs;
    QString m_stopReason;
};

// "Played 340 lines in 20.4 s; 12 names were never seen", and why the play stopped early.
QString PlaySummary(const GameTimeline &timeline);
