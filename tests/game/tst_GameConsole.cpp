#include "game/GameConsole.h"
#include "game/GamePlayer.h"

#include <QTest>

using Kind = GamePlayer::Kind;
Q_DECLARE_METATYPE(Kind)

class GameConsoleTest : public QObject {
    Q_OBJECT
private slots:
    void commands_data();
    void commands();
    void execFileName_data();
    void execFileName();
    void chatFlood_data();
    void chatFlood();
};

void GameConsoleTest::commands_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArrayList>("commands");
    QTest::addColumn<QByteArrayList>("firstTokens");
    const QByteArray long1023(1023, 'a');
    QTest::newRow("CR, LF, CR LF") << QByteArray("a\rb\nc\r\nd") << QByteArrayList{"a", "b", "c", "d"} << QByteArrayList{"a"};
    QTest::newRow("; outside quotes") << QByteArray("say x;quit") << QByteArrayList{"say x", "quit"}
                                      << QByteArrayList{"say", "x"};
    QTest::newRow("; inside quotes") << QByteArray("set name \"a;b\";quit") << QByteArrayList{"set name \"a;b\"", "quit"}
                                     << QByteArrayList{"set", "name", "a;b"};
    QTest::newRow("no escape for a quote") << QByteArray("say \"a\\\";quit") << QByteArrayList{"say \"a\\\"", "quit"}
                                           << QByteArrayList{"say", "a\\"};
    QTest::newRow("// comment keeps ; from splitting") << QByteArray("say a // b;quit\nwait")
                                                       << QByteArrayList{"say a // b;quit", "wait"}
                                                       << QByteArrayList{"say", "a"};
    QTest::newRow("NUL ends the text") << QByteArray("a\nb", 3).append('\0').append("\nquit")
                                       << QByteArrayList{"a", "b"} << QByteArrayList{"a"};
    QTest::newRow("1,023 bytes fit") << long1023 << QByteArrayList{long1023} << QByteArrayList{long1023};
    QTest::newRow("byte 1,024 lost, the rest runs")
        << QByteArray("say \"" + QByteArray(1018, 'a') + "Xquit\"")
        << QByteArrayList{"say \"" + QByteArray(1018, 'a'), "quit\""} << QByteArrayList{"say", QByteArray(1018, 'a')};
}

void GameConsoleTest::commands()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArrayList, commands);
    QFETCH(QByteArrayList, firstTokens);
    QByteArrayList found;
    for (const GameConsole::Command &command : GameConsole::Commands(text))
        found << command.text.toByteArray();
    QCOMPARE(found, commands);
    QByteArrayList tokens;
    for (QByteArrayView token : GameConsole::Tokens(commands.first()))
        tokens << token.toByteArray();
    QCOMPARE(tokens, firstTokens);
}

void GameConsoleTest::execFileName_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("file");
    QTest::newRow("no ending") << QByteArray("anims/ocelot") << "anims/ocelot.cfg";
    QTest::newRow("ending kept") << QByteArray("ocelot.cfg") << "ocelot.cfg";
    QTest::newRow("cut at 63") << QByteArray(70, 'x') << QString(63, QLatin1Char('x')) + ".cfg";
}

void GameConsoleTest::execFileName()
{
    QFETCH(QByteArray, name);
    QFETCH(QString, file);
    QCOMPARE(GameConsole::ExecFileName(name), file);
}

void GameConsoleTest::chatFlood_data()
{
    QTest::addColumn<QByteArrayList>("commands");
    QTest::addColumn<Kind>("last");
    QTest::addColumn<int>("ms");
    // 125 frames a second: a frame is 8 ms, 100 frames 800 ms.
    QTest::newRow("first chat") << QByteArrayList{"say hi"} << Kind::Chat << 0;
    QTest::newRow("chat 792 ms after a chat") << QByteArrayList{"say a", "wait 99", "say b"} << Kind::DroppedChat << 792;
    QTest::newRow("chat 800 ms after a chat") << QByteArrayList{"say a", "wait 100", "say_team b"} << Kind::Chat << 800;
    QTest::newRow("a name change counts") << QByteArrayList{"set name x", "wait 50", "vsay b"} << Kind::DroppedChat << 400;
    QTest::newRow("echo doesn't count") << QByteArrayList{"say a", "wait 100", "echo x", "vsay_team b"} << Kind::Chat
                                        << 800;
    QTest::newRow("a dropped chat counts") << QByteArrayList{"say a", "wait 60", "say b", "wait 60", "say c"}
                                           << Kind::DroppedChat << 960;
}

void GameConsoleTest::chatFlood()
{
    QFETCH(QByteArrayList, commands);
    QFETCH(Kind, last);
    QFETCH(int, ms);
    GamePlayer player(125);
    std::optional<GamePlayer::Event> event;
    for (const QByteArray &command : commands)
        event = player.run(command);
    QCOMPARE(event->kind, last);
    QCOMPARE(event->ms, ms);
}

QTEST_GUILESS_MAIN(GameConsoleTest)
#include "tst_GameConsole.moc"
