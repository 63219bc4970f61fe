#include "DataColumns.h"

#include "game/GameConsole.h"
#include "game/GamePlayer.h"
#include "game/GameTimeline.h"

using Kind = GamePlayer::Kind;
Q_DECLARE_METATYPE(Kind)

struct SplitCase { QByteArray text; QByteArrayList commands; QByteArrayList firstTokens; bool cut = false; };

struct QuotedCase { QByteArray prefix; QByteArray argument; bool shortcut; };

// The last command's event; a null argument is not compared.
struct FloodCase { QByteArrayList commands; Kind last; int ms; QByteArray argument = {}; bool replaces = false; };

namespace {

// Lines "command/runs" between bars: each show as "line@ms:text", and the summary. After every line all that is due is taken,
// however late: a show a later line may take back must wait.
std::pair<QString, QString> showsOf(const QString &script, const GameRules &rules)
{
    GameTimeline timeline(125, rules);  // 8 ms frames: a run is 4 ms
    QStringList shows;
    auto take = [&] {
        for (const GameTimeline::Shown &shown : timeline.takeDue(INT_MAX))
            shows << QStringLiteral("%1@%2:%3").arg(shown.line).arg(shown.ms).arg(shown.text);
    };
    for (const QString &line : script.split(QLatin1Char('|'))) {
        const qsizetype slash = line.lastIndexOf(QLatin1Char('/'));
        timeline.addLine(line.left(slash).toLatin1(), line.mid(slash + 1).toInt());
        take();
    }
    timeline.close();
    take();
    return {shows.join(QLatin1Char(' ')), PlaySummary(timeline)};
}

} // namespace

class GameConsoleTest : public QObject {
    Q_OBJECT
private slots:
    void commands_data()
    {
        QTest::addColumn<SplitCase>("c");
        const QByteArray long1023(1023, 'a');
        QTest::newRow("CR, LF, CR LF") << SplitCase{QByteArray("a\rb\nc\r\nd"), QByteArrayList{"a", "b", "c", "d"}, QByteArrayList{"a"}};
        QTest::newRow("; outside quotes") << SplitCase{QByteArray("say x;quit"), QByteArrayList{"say x", "quit"},
            QByteArrayList{"say", "x"}};
        QTest::newRow("; inside quotes") << SplitCase{QByteArray("set name \"a;b\";quit"),
            QByteArrayList{"set name \"a;b\"", "quit"}, QByteArrayList{"set", "name", "a;b"}};
        QTest::newRow("no escape for a quote") << SplitCase{QByteArray("say \"a\\\";quit"),
            QByteArrayList{"say \"a\\\"", "quit"}, QByteArrayList{"say", "a\\"}};
        QTest::newRow("// hides words, not the ;") << SplitCase{QByteArray("set name \"a\" // x; say hi\nwait"),
            QByteArrayList{"set name \"a\" // x", " say hi", "wait"}, QByteArrayList{"set", "name", "a"}};
        QTest::newRow("bytes above 127 part words") << SplitCase{QByteArray("set name h\xe9llo \"\xe9\""),
            QByteArrayList{"set name h\xe9llo \"\xe9\""}, QByteArrayList{"set", "name", "h", "llo", "\xe9"}};
        QTest::newRow("/* */ is skipped") << SplitCase{QByteArray("set name a/*b*/c /*"),
            QByteArrayList{"set name a/*b*/c /*"}, QByteArrayList{"set", "name", "a", "c"}};
        QTest::newRow("NUL ends the text") << SplitCase{QByteArray("a\nb", 3).append('\0').append("\nquit"),
            QByteArrayList{"a", "b"}, QByteArrayList{"a"}};
        QTest::newRow("1,023 bytes fit") << SplitCase{long1023, QByteArrayList{long1023}, QByteArrayList{long1023}};
        QTest::newRow("byte 1,024 lost, the rest runs") << SplitCase{QByteArray("say \"" + QByteArray(1018, 'a') + "Xquit\""),
            QByteArrayList{"say \"" + QByteArray(1018, 'a'), "quit\""}, QByteArrayList{"say", QByteArray(1018, 'a')}, true};
    }

    void commands()
    {
        QFETCH(SplitCase, c);
        auto [text, commands, firstTokens, cut] = c;
        QByteArrayList found;
        for (const GameConsole::Command &command : GameConsole::Commands(text)) {
            found << command.text.toByteArray();
            QCOMPARE(command.cut, cut && found.size() == 1);
        }
        QCOMPARE(found, commands);
        QByteArrayList tokens;
        for (QByteArrayView token : GameConsole::Tokens(commands.first()))
            tokens << token.toByteArray();
        QCOMPARE(tokens, firstTokens);
    }

    // The shortcut for a written line `prefix "argument"` plays it as the written line does, or declines.
    void quotedShortcut_data()
    {
        QTest::addColumn<QuotedCase>("c");
        QTest::newRow("name") << QuotedCase{"set name", "^1Mar^7quee", true};
        QTest::newRow("verb in capitals, refused name") << QuotedCase{"SET Name", "a;b", true};
        QTest::newRow("black code") << QuotedCase{"name", "^0Bob", true};
        QTest::newRow("chat with // inside quotes") << QuotedCase{"say", "hi // there", true};
        QTest::newRow("empty chat") << QuotedCase{"vsay_team", "", true};
        QTest::newRow("blanks in the prefix") << QuotedCase{" set   name ", "x", true};
        QTest::newRow("local command") << QuotedCase{"echo", "x", true};
        QTest::newRow("wait") << QuotedCase{"wait", "5", true};
        QTest::newRow("exec") << QuotedCase{"exec", "anims/x", true};
        QTest::newRow("just fits 1,023 bytes") << QuotedCase{"set name", QByteArray(1012, 'a'), true};
        QTest::newRow("cut at 1,023 bytes") << QuotedCase{"set name", QByteArray(1013, 'a'), false};
        QTest::newRow("quote in the argument") << QuotedCase{"set name", "a\"b", false};
        QTest::newRow("line end in the argument") << QuotedCase{"say", "a\nquit", false};
        QTest::newRow("NUL in the argument") << QuotedCase{"say", QByteArray("a\0b", 3), false};
        QTest::newRow("; in the prefix") << QuotedCase{"say;quit", "x", false};
        QTest::newRow("comment in the prefix") << QuotedCase{"say //", "x", false};
        QTest::newRow("quote in the prefix") << QuotedCase{"say \"", "x", false};
    }

    void quotedShortcut()
    {
        QFETCH(QuotedCase, c);
        const QByteArray written = c.prefix + " \"" + c.argument + '"';
        GamePlayer full(125), quick(125);
        full.wait(3);
        quick.wait(3);
        QList<GamePlayer::Event> played;
        for (const GameConsole::Command &command : GameConsole::Commands(written)) {
            if (const std::optional<GamePlayer::Event> event = full.run(command.text))
                played << *event;
        }
        const std::optional<GamePlayer::Event> event = quick.runQuoted(c.prefix, c.argument);
        QCOMPARE(event.has_value(), c.shortcut);
        if (!event)
            return;
        QCOMPARE(played.size(), 1);
        QCOMPARE(event->kind, played.first().kind);
        QCOMPARE(event->verb, played.first().verb);
        QCOMPARE(event->argument, played.first().argument);
        QCOMPARE(event->name, played.first().name);
        QCOMPARE(event->frame, 1);  // three buffer runs: the second frame
        QCOMPARE(quick.frame(), full.frame());
    }

    void play_data()
    {
        QTest::addColumn<FloodCase>("c");
        // 125 frames a second, two buffer runs a frame: a run is 4 ms, 200 runs 800 ms.
        QTest::newRow("first chat") << FloodCase{{"say hi"}, Kind::Chat, 0};
        QTest::newRow("wait 15 is 60 ms") << FloodCase{{"set name a", "wait 15", "echo x"}, Kind::Local, 60};
        QTest::newRow("chat 796 ms after a chat") << FloodCase{{"say a", "wait 199", "say b"}, Kind::Dropped, 796};
        QTest::newRow("chat 800 ms after a chat") << FloodCase{{"say a", "wait 200", "say_team b"}, Kind::Chat, 800};
        QTest::newRow("echo doesn't count") << FloodCase{{"say a", "wait 200", "echo x", "vsay_team b"}, Kind::Chat, 800};
        QTest::newRow("a dropped chat counts") << FloodCase{{"say a", "wait 120", "say b", "wait 120", "say c"}, Kind::Dropped, 960};
        QTest::newRow("kill goes to the server and counts") << FloodCase{{"kill", "say hi"}, Kind::Dropped, 0};
        QTest::newRow("team commands are exempt") << FloodCase{{"say a", "wait 100", "team r", "wait 100", "say b"}, Kind::Chat, 800};
        QTest::newRow("wait with two numbers waits one run") << FloodCase{{"wait 150 6", "say hi"}, Kind::Chat, 4};
        QTest::newRow("wait without a number waits one run") << FloodCase{{"wait", "say hi"}, Kind::Chat, 4};
        QTest::newRow("wait 0 doesn't wait") << FloodCase{{"wait 0", "say hi"}, Kind::Chat, 0};
        QTest::newRow("wait -1 stalls for good") << FloodCase{{"wait -1", "wait 5", "set name b"}, Kind::Stall, 0};
        QTest::newRow("exec with two words") << FloodCase{{"exec s2 extra"}, Kind::Usage, 0};
        QTest::newRow("quoted exec path with a blank") << FloodCase{{"exec \"my anim_2.cfg\""}, Kind::Exec, 0, "my anim_2.cfg"};
        QTest::newRow("a 254-byte word fits") << FloodCase{{"set name " + QByteArray(254, 'x')}, Kind::Name, 0, QByteArray(254, 'x')};
        QTest::newRow("a 255-byte word is left out") << FloodCase{{"set name a " + QByteArray(255, 'x') + " b"}, Kind::Name, 0, "a "};
        QTest::newRow("name replaced in one run") << FloodCase{{"set name a", "wait 1", "name b"}, Kind::Name, 4, "b", true};
        QTest::newRow("name seen two runs on") << FloodCase{{"set name a", "wait 2", "name b"}, Kind::Name, 8, "b", false};
    }

    void play()
    {
        QFETCH(FloodCase, c);
        GamePlayer player(125);
        std::optional<GamePlayer::Event> event;
        for (const QByteArray &command : c.commands) {
            if (std::optional<GamePlayer::Event> played = player.run(command))
                event = played;
        }
        QCOMPARE(event->kind, c.last);
        QCOMPARE(event->ms, c.ms);
        if (!c.argument.isNull())
            QCOMPARE(event->argument, c.argument);
        QCOMPARE(event->replacesName, c.replaces);
    }

    void showsWhatTheGameShows_data()
    {
        Columns<QString, QString, QString, QString>("game", "script", "shows", "summary");
        const QString threeNames = QStringLiteral("set name \"a\"/2|set name \"b\"/2|set name \"c\"/2");
        QTest::newRow("a frame apart: every name seen") << "rtcw" << threeNames << "0@0:a 1@8:b 2@16:c"
                                                        << "Played 3 lines in 0.0 s; every name was seen";
        // Two buffer runs make a frame, counted from the first: (a, b) share one, (c, d) the next.
        QTest::newRow("one run apart: the frame's last name is sent")
            << "et" << "set name \"a\"/1|set name \"b\"/1|set name \"c\"/1|set name \"d\"/2" << "1@4:b 3@12:d"
            << "Played 4 lines in 0.0 s; 2 names were never seen";
        QTest::newRow("chat as the server passes it on") << "rtcw" << "say \"100% ok\"/2" << "0@0:!! 100. ok" << "Played 1 line in 0.0 s";
        QTest::newRow("RtCW removes black") << "rtcw" << "set name \"^0bl^1red\"/250" << "0@0:bl^1red"
                                            << "Played 1 line in 1.0 s; every name was seen";
        const QString chat = QStringLiteral("say \"hi\"/10|say \"yo\"/10|say \"ok\"/190|say \"end\"/2");
        QTest::newRow("RtCW: chat within 800 ms of the last dropped")
            << "rtcw" << chat << "0@0:!! hi" << "Played 4 lines in 0.8 s; 3 chat lines were dropped by the server";
        const QString everySecond = QStringLiteral("set name \"a\"/250|set name \"b\"/250|set name \"c\"/250|"
                                                   "set name \"d\"/250|set name \"e\"/250|set name \"f\"/250");
        QTest::newRow("ET: Legacy: the latest held name every 5 s")
            << "etlegacy" << everySecond << "0@0:a 4@5000:e 5@10000:f"
            << "Played 6 lines in 10.0 s; 3 names were never seen";
        QTest::newRow("RtCW: wait -1 stops the script")
            << "rtcw" << "set name \"a\"/2|wait -1/2|set name \"b\"/2" << "0@0:a"
            << "Played 2 lines in 0.0 s; every name was seen; the game stopped at line 2: a wait below 0 stops the "
               "script for good";
        QTest::newRow("ET: Legacy drops the player for 36 bytes")
            << "etlegacy" << QStringLiteral("set name \"a\"/2|set name \"%1\"/2|set name \"c\"/2").arg(QString(36, u'x'))
            << "0@0:a"
            << "Played 2 lines in 0.0 s; every name was seen; the game stopped at line 2: over 35 bytes: the server "
               "drops the player";
    }

    // Which line the others see when, and which never.
    void showsWhatTheGameShows()
    {
        auto [game, script] = Fetch<QString, QString>("game", "script");
        const auto [shows, summary] = showsOf(script, Games::Of(*Games::FromKey(game)));
        QTEST(shows, "shows");
        QTEST(summary, "summary");
    }
};

QTEST_GUILESS_MAIN(GameConsoleTest)
#include "tst_GameConsole.moc"
