#include "game/GameConsole.h"
#include "game/GamePlayer.h"

#include <QTest>

using Kind = GamePlayer::Kind;
Q_DECLARE_METATYPE(Kind)

struct SplitCase { QByteArray text; QByteArrayList commands; QByteArrayList firstTokens; };

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
