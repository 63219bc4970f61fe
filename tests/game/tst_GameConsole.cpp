#include "game/GameConsole.h"
#include "game/GamePlayer.h"

#include <QTest>

using Kind = GamePlayer::Kind;
Q_DECLARE_METATYPE(Kind)

struct SplitCase { QByteArray text; QByteArrayList commands; QByteArrayList firstTokens; };

struct QuotedCase { QByteArray prefix; QByteArray argument; bool shortcut; };

struct FloodCase { QByteArrayList commands; Kind last; int ms; };

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
        QTest::newRow("// comment keeps ; from splitting") << SplitCase{QByteArray("say a // b;quit\nwait"),
            QByteArrayList{"say a // b;quit", "wait"}, QByteArrayList{"say", "a"}};
        QTest::newRow("NUL ends the text") << SplitCase{QByteArray("a\nb", 3).append('\0').append("\nquit"),
            QByteArrayList{"a", "b"}, QByteArrayList{"a"}};
        QTest::newRow("1,023 bytes fit") << SplitCase{long1023, QByteArrayList{long1023}, QByteArrayList{long1023}};
        QTest::newRow("byte 1,024 lost, the rest runs") << SplitCase{QByteArray("say \"" + QByteArray(1018, 'a') + "Xquit\""),
            QByteArrayList{"say \"" + QByteArray(1018, 'a'), "quit\""}, QByteArrayList{"say", QByteArray(1018, 'a')}};
    }

    void commands()
    {
        QFETCH(SplitCase, c);
        auto [text, commands, firstTokens] = c;
        QByteArrayList found;
        for (const GameConsole::Command &command : GameConsole::Commands(text))
            found << command.text.toByteArray();
        QCOMPARE(found, commands);
        QByteArrayList tokens;
        for (QByteArrayView token : GameConsole::Tokens(commands.first()))
            tokens << token.toByteArray();
        QCOMPARE(tokens, firstTokens);
    }

    void execFileName()
    {
        QCOMPARE(GameConsole::ExecFileName("anims/ocelot"), "anims/ocelot.cfg");  // the ending added
        QCOMPARE(GameConsole::ExecFileName("ocelot.cfg"), "ocelot.cfg");
        QCOMPARE(GameConsole::ExecFileName(QByteArray(70, 'x')), QString(63, QLatin1Char('x')) + ".cfg");  // cut at 63
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
        QCOMPARE(event->frame, 3);
        QCOMPARE(quick.frame(), full.frame());
    }

    void chatFlood_data()
    {
        QTest::addColumn<FloodCase>("c");
        // 125 frames a second: a frame is 8 ms, 100 frames 800 ms.
        QTest::newRow("first chat") << FloodCase{QByteArrayList{"say hi"}, Kind::Chat, 0};
        QTest::newRow("chat 792 ms after a chat") << FloodCase{QByteArrayList{"say a", "wait 99", "say b"}, Kind::DroppedChat, 792};
        QTest::newRow("chat 800 ms after a chat") << FloodCase{QByteArrayList{"say a", "wait 100", "say_team b"}, Kind::Chat, 800};
        QTest::newRow("a name change counts") << FloodCase{QByteArrayList{"set name x", "wait 50", "vsay b"}, Kind::DroppedChat, 400};
        QTest::newRow("echo doesn't count") << FloodCase{QByteArrayList{"say a", "wait 100", "echo x", "vsay_team b"}, Kind::Chat, 800};
        QTest::newRow("a dropped chat counts") << FloodCase{QByteArrayList{"say a", "wait 60", "say b", "wait 60", "say c"},
            Kind::DroppedChat, 960};
    }

    void chatFlood()
    {
        QFETCH(FloodCase, c);
        auto [commands, last, ms] = c;
        GamePlayer player(125);
        std::optional<GamePlayer::Event> event;
        for (const QByteArray &command : commands)
            event = player.run(command);
        QCOMPARE(event->kind, last);
        QCOMPARE(event->ms, ms);
    }
};

QTEST_GUILESS_MAIN(GameConsoleTest)
#include "tst_GameConsole.moc"
