#include "game/GameTimeline.h"

#include <QTest>

namespace {

// Lines "command/runs" between bars: each show as "line@ms:text", and the summary. After every line all that is due is taken,
// however late: a show a later line may take back must wait.
std::pair<QString, QString> play(const QString &script, const GameRules &rules)
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

class GameTimelineTest : public QObject {
    Q_OBJECT
private slots:
    void showsWhatTheGameShows_data()
    {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("shows");
        QTest::addColumn<QString>("summary");
        const QString threeNames = QStringLiteral("set name \"a\"/2|set name \"b\"/2|set name \"c\"/2");
        QTest::newRow("a frame apart: every name seen") << "rtcw" << threeNames << "0@0:a 1@8:b 2@16:c"
                                                        << "Played 3 lines in 0.0 s; every name was seen";
        // Two buffer runs make a frame, counted from the first: (a, b) share one, (c, d) the next.
        QTest::newRow("one run apart: the frame's last name is sent")
            << "et" << "set name \"a\"/1|set name \"b\"/1|set name \"c\"/1|set name \"d\"/2" << "1@4:b 3@12:d"
            << "Played 4 lines in 0.0 s; 2 names were never seen";
        QTest::newRow("chat as the server passes it on") << "rtcw" << "say \"100% ok\"/2" << "0@0:!! 100. ok"
                                                         << "Played 1 line in 0.0 s";
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
        QFETCH(QString, game);
        QFETCH(QString, script);
        const auto [shows, summary] = play(script, Games::Of(*Games::FromKey(game)));
        QTEST(shows, "shows");
        QTEST(summary, "summary");
    }
};

QTEST_GUILESS_MAIN(GameTimelineTest)
#include "tst_GameTimeline.moc"
