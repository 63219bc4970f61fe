#include "ScriptWindowUnderTest.h"

#include "game/GameTimeline.h"
#include "script/ScriptCheck.h"
#include "script/ScriptGenerator.h"
#include "script/ScriptLine.h"
#include "script/ScriptParts.h"
#include "script/ScriptSave.h"

#include <QSignalSpy>

Q_DECLARE_METATYPE(Game)

namespace {

// 600 chat lines 300 ms apart among names set 5 s apart, a frame apart and one buffer run apart.
QVector<AnimationLine> busyAnimation()
{
    QVector<AnimationLine> lines;
    for (int i = 0; i < 600; ++i) {
        lines.append({QStringLiteral("hello %1").arg(i), QStringLiteral("75"), QStringLiteral("say")});
        if (i % 40 == 0)
            lines.append({QStringLiteral("^1slow%1").arg(i), QStringLiteral("99"), QStringLiteral("set name")});
        if (i % 97 == 0)
            for (const char *name : {"a", "b", "c", "d", "f1", "f2"})  // f: a frame apart
                lines.append({QLatin1String(name), QLatin1String(*name == 'f' ? "2" : "1"), QStringLiteral("set name")});
    }
    return lines;
}

// 9,000 names with 150 echoes among them: 16 kB of echo, which the ET engines keep at the end of the buffer.
QVector<AnimationLine> echoAnimation()
{
    QVector<AnimationLine> lines;
    for (int i = 0; i < 9000; ++i) {
        lines.append({QStringLiteral("^1n%1").arg(i), QStringLiteral("15"), QStringLiteral("set name")});
        if (i % 60 == 0)
            lines.append({QString(100, u'e'), QStringLiteral("15"), QStringLiteral("echo")});
    }
    return lines;
}

// The lines as the game plays them at its pace, passes times over.
GameTimeline PlayedAtGameSpeed(const QVector<AnimationLine> &lines, int fps, const GameRules &rules, int passes = 1)
{
    GameTimeline timeline(fps, rules);
    QByteArray command;
    int runs = 0;
    for (int pass = 0; pass < passes; ++pass) {
        for (const AnimationLine &line : lines) {
            ScriptLineInto(line, command, runs);
            timeline.addLine(command, runs);
        }
    }
    timeline.close();
    return timeline;
}

} // namespace

// The list's marks, check, the script window and game-speed play read one play of the animation: they cannot
// tell a player different things about the same script.
class OneVerdictTest : public QObject {
    Q_OBJECT
private slots:
    void everyVoiceAgrees_data()
    {
        // lastTime: of four names' last (the busy animation when empty, the echoes with "echo"); lastRowMarked: the next
        // pass's first name replaces it within one frame
        Columns<Game, int, QString, bool>("game", "passes", "lastTime", "lastRowMarked");
        for (const GameRules *rules : Games::All) {
            QTest::addRow("%s", rules->key) << rules->game << 1 << "" << false;
            // Past three passes the play is counted from the ones played: check plays them all.
            QTest::addRow("%s, 5 passes", rules->key) << rules->game << 5 << "" << false;
            // On the ET engines echo's text shows once everything has run, and its bytes wait: later parts have less room.
            QTest::addRow("%s, echoes", rules->key) << rules->game << 1 << "echo" << false;
        }
        // Repeated, the play crosses the seam between passes.
        QTest::newRow("once: the last name is seen") << Game::Rtcw << 1 << "1" << false;
        QTest::newRow("twice: the next pass replaces it") << Game::Rtcw << 2 << "1" << true;
        QTest::newRow("40 passes") << Game::Rtcw << 40 << "1" << true;
        QTest::newRow("40 passes, time between them") << Game::Rtcw << 40 << "50" << false;
    }
    void everyVoiceAgrees()
    {
        auto [game, passes, lastTime, lastRowMarked] = Fetch<Game, int, QString, bool>("game", "passes", "lastTime", "lastRowMarked");
        const GameRules &rules = Games::Of(game);
        const int fps = 125;
        const bool fourNames = lastTime.toInt() > 0, echoes = lastTime == "echo";
        const QVector<AnimationLine> lines = echoes ? echoAnimation() : !fourNames ? busyAnimation() : QVector<AnimationLine>{
            {"^1a", "50", "set name"}, {"^2b", "1", "set name"}, {"^3c", "49", "set name"}, {"^4d", lastTime, "set name"}};
        AnimationModel model;
        model.setLinePlayer(PlayLines);
        model.setGame(game);
        model.setFrameRate(fps);
        model.setPasses(passes);
        model.setLines(lines);
        const GameVerdict verdict = model.gameVerdict();
        QVERIFY(!lastTime.isEmpty() || (verdict.unseenNames > 0 && !verdict.marks.isEmpty()));

        // The list: every row's mark is the whole play's, past any block of rows.
        const GameVerdict whole = PlayLines(lines, fps, rules, passes);
        QCOMPARE(verdict.marks.size(), whole.marks.size());
        if (fourNames) {
            QCOMPARE(!whole.marks.isEmpty() && whole.marks.last().row == 3, lastRowMarked);
            QCOMPARE(whole.names, 4 * passes);
            QCOMPARE(whole.ms, passes * PlayLines(lines, fps, rules).ms);
        }
        int lastRow = -1;
        for (const LineMark &mark : whole.marks) {
            if (mark.row == lastRow)
                continue;  // the list shows a row's first mark
            lastRow = mark.row;
            const std::optional<LineMark> listed = model.gameMark(mark.row);
            QVERIFY2(listed && listed->reason == mark.reason, qPrintable(QString::number(mark.row)));
        }
        int droppedChat = 0, neverSeen = 0;
        for (const LineMark &mark : whole.marks) {
            droppedChat += mark.reason == DroppedReason(rules);
            neverSeen += mark.reason.startsWith(QLatin1String("never seen"));
        }
        if (passes == 1)
            QCOMPARE(neverSeen, whole.unseenNames);  // every name never seen is marked on its row

        const GameTimeline timeline = PlayedAtGameSpeed(lines, fps, rules, passes);
        QCOMPARE(timeline.names(), whole.names);
        QCOMPARE(timeline.unseenNames(), whole.unseenNames);
        if (passes == 1)
            QCOMPARE(timeline.droppedChat(), droppedChat);

        // check, on the saved chain.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("busy.cfg"));
        const GeneratedScript script = GenerateScript(lines, {});
        const QStringList parts = ScriptPartsFor(script, path, rules.maxPartBytes(), rules, {}, passes);
        QVERIFY(WriteScriptParts(path, parts, {}, passes).ok);
        const ScriptCheck check = CheckScriptFile(path, fps, rules);
        QVERIFY2(check.stopped.isEmpty(), qPrintable(check.stopped));
        QCOMPARE(check.files.size(), parts.size());
        QCOMPARE(check.names, whole.names);
        QCOMPARE(check.unseenNames, whole.unseenNames);
        QCOMPARE(check.droppedChat, timeline.droppedChat());
        QCOMPARE(check.report.at(check.report.size() - 2).startsWith("after the script: shows eeee"), echoes && rules.echoAppends);
        QCOMPARE(check.report.filter("echo is told").size(), 0);

        // The script window.
        const Settings settings{.frameRate = fps, .game = game, .passes = passes};
        FileDialogState dialog;
        FakePrompts prompts;
        ScriptWindow window(model, settings, dialog, prompts);
        const QString report = window.findChild<QPlainTextEdit *>("txtReport")->toPlainText();
        QVERIFY2(report.startsWith(whole.marks.isEmpty() ? QStringLiteral("The game plays every line as the preview shows it")
                                   : QStringLiteral("The game plays %1 line(s) otherwise").arg(whole.marks.size())), qPrintable(report.left(200)));
        const QString summary = window.findChild<QLabel *>("lblSummary")->text();
        QCOMPARE(summary.contains(QStringLiteral("%1 of %2 names will be seen")
                                      .arg(whole.names - whole.unseenNames).arg(whole.names)), rules.nameChangeMs > 0);
        if (!echoes)
            return;
        // 20 kB of echo waiting leave no room for a part of 115,000 bytes on the ET engines (RtCW's buffer is smaller
        // than it anyway).
        QVERIFY(WriteFileBytes(dir.filePath("a.cfg"), ("echo " + QByteArray(1000, 'e') + "\n").repeated(20) + "exec b\n"));
        QVERIFY(WriteFileBytes(dir.filePath(QStringLiteral("b.cfg")), QByteArray(115000, '\n')));
        QCOMPARE(!CheckScriptFile(dir.filePath("a.cfg"), fps, rules).stopped.isEmpty(), rules.echoAppends || game == Game::Rtcw);
        GameTimeline start = PlayedAtGameSpeed(lines.first(8), fps, rules);
        const QVector<GameTimeline::Shown> shown = start.takeDue(1000000);
        const auto echo = std::find_if(shown.begin(), shown.end(), [](const GameTimeline::Shown &s) { return s.text.startsWith("!! eeee"); });
        QVERIFY(echo != shown.end());
        QCOMPARE(echo->ms, rules.echoAppends ? start.ms() : 60);  // line 1's echo: at once, or when every line has run
    }

    // A long animation is played on a worker: the list never waits, shows the marks it knew until the new ones
    // arrive, and never takes the play of lines that have changed since.
    void longAnimationsArePlayedAside()
    {
        QVector<AnimationLine> lines;
        while (lines.size() <= LineMarkCache::PlayedAtOnce)
            lines += busyAnimation();
        AnimationModel model;
        model.setLinePlayer(PlayLines);
        model.setLines(lines);
        const QVector<LineMark> first = PlayLines(lines, model.frameRate(), Games::Rtcw).marks;
        QVERIFY(!first.isEmpty());
        const int marked = first.first().row;
        QSignalSpy arrived(&model, &AnimationModel::gameMarksArrived);
        QSignalSpy redraw(&model, &AnimationModel::dataChanged);
        QVERIFY(!model.gameMark(marked));  // asked at once: nothing yet, nothing of the lines before
        QVERIFY(arrived.wait());
        QVERIFY(model.gameMark(marked));
        QVERIFY(!redraw.isEmpty() && redraw.last().at(2).value<QList<int>>().contains(Qt::DecorationRole));

        // Two edits, the second while the first's play is on its way: the marks shown until then are the old ones.
        const int plain = 1;
        QVERIFY(!model.gameMark(plain));
        model.setText(plain, QStringLiteral("a\"b"));
        QVERIFY(!model.gameMark(plain));
        QVERIFY(model.gameMark(marked));
        model.setText(plain + 2, QStringLiteral("c\"d"));
        QVERIFY(!model.gameMark(plain + 2));  // as the list asks when it redraws
        arrived.clear();
        QVERIFY(arrived.wait());
        QVERIFY(model.gameMark(plain));
        QVERIFY(model.gameMark(plain + 2));
        QCOMPARE(model.gameVerdict().marks.size(), first.size() + 2);

        // Whoever needs the verdict now waits for it, and it is the lines' as they are.
        model.setText(plain + 4, QStringLiteral("e\"f"));
        QVERIFY(!model.gameMark(plain + 4));
        model.setText(plain + 6, QStringLiteral("g\"h"));  // while that play is on its way
        QCOMPARE(model.gameVerdict().marks.size(), first.size() + 4);
        QVERIFY(model.gameMark(plain + 6));

        // Another animation shows none of the last one's marks.
        model.setLines(QVector<AnimationLine>(lines.size(), {"x", "15", "set name"}));
        QVERIFY(!model.gameMark(marked));
        QVERIFY(!model.gameMark(plain));
    }

    // Save in the script window plays the chain it wrote, as check and generate -o do.
    void windowSaysWhereTheChainStops_data()
    {
        Columns<QString, QString>("wait", "said");  // wait: an action's Text; said: the last message, "" for none
        QTest::newRow("a wait below 0 stops it") << "-1" << "The game won't play this chain to its end: ";
        QTest::newRow("a chain the game plays") << "1" << "";
    }
    void windowSaysWhereTheChainStops()
    {
        auto [wait, said] = Fetch<QString, QString>("wait", "said");
        QTemporaryDir dir;
        ScriptWindowUnderTest s({{"a", "15", "set name"}, {wait, "15", "wait"}, {"b", "15", "set name"}}, {.generateDir = dir.path()});
        s.saveAs(dir.filePath("s.cfg"));
        QCOMPARE(s.prompts.dialogs.size(), 1);
        const QString last = s.prompts.messageTexts().value(s.prompts.messages.size() - 1);
        QVERIFY2(said.isEmpty() ? !last.startsWith("The game won't") : last.startsWith(said), qPrintable(last));
    }
};

QTEST_MAIN(OneVerdictTest)
#include "tst_OneVerdict.moc"
