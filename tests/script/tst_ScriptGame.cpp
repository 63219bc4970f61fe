#include "FakePrompts.h"
#include "ScriptFixtures.h"
#include "WidgetDriving.h"
#include "animation/Settings.h"
#include "game/GameConsole.h"
#include "script/ScriptGenerator.h"
#include "script/ScriptParts.h"
#include "script/ScriptWindow.h"

#include <QLabel>
#include <QPlainTextEdit>

// What the script window tells for one game: its summary, and the report's line for a name.
struct WindowCase { Game game; QString parts; QString report; };

class ScriptGameTest : public QObject {
    Q_OBJECT
private slots:
    // A whole animation split at the game's largest part: the stock buffer needs many parts, the others few.
    void split_data()
    {
        QTest::addColumn<Game>("game");
        QTest::addColumn<int>("parts");
        QTest::newRow("RtCW 1.4") << Game::Rtcw << 74;
        QTest::newRow("ioRTCW") << Game::IoRtcw << 9;
        QTest::newRow("Enemy Territory 2.60b") << Game::Et << 9;
        QTest::newRow("ET: Legacy") << Game::EtLegacy << 9;
    }
    void split()
    {
        QFETCH(Game, game);
        QFETCH(int, parts);
        const GameRules &rules = Games::Of(game);
        Lines lines;
        for (int i = 0; i < 32767; ++i)
            lines << AnimationLine{QStringLiteral("^%1Ocelot %2").arg(1 + i % 7).arg(i), "15", "set name"};
        const QStringList split = SplitScript(BuildScriptText(lines, {}), "script", rules.maxPartBytes(), rules);
        QCOMPARE(split.size(), parts);
        // Each exec leaves two bytes waiting: every part must still fit beside them.
        for (int i = 0; i < split.size(); ++i)
            QVERIFY2(GameConsole::ExecFits(PartFileBytes(split.at(i)), 2 * i, rules), qPrintable(QString::number(i)));
        QVERIFY(!GameConsole::ExecFits(PartFileBytes(split.first()) + rules.bufferBytes / 8, 0, rules));
    }

    void window_data()
    {
        QTest::addColumn<WindowCase>("c");
        QTest::newRow("RtCW 1.4 cuts a long name") << WindowCase{Game::Rtcw, "in 1 part(s) of at most 12,288 bytes, checked against RtCW 1.4",
            "line 2: cut at 35 bytes (colour codes count)"};
        QTest::newRow("ET: Legacy drops the player") << WindowCase{Game::EtLegacy, "checked against ET: Legacy. "
            "Start it in the game with: exec and the name you save it as (exec \"script.cfg\" for script.cfg)\n"
            "ET: Legacy servers take one name change every 5 seconds by default: 2 of 3 names will be seen.",
            "line 2: over 35 bytes: the server drops the player"};
        QTest::newRow("ET shows black") << WindowCase{Game::Et, "checked against Enemy Territory 2.60b",
            "line 2: cut at 35 bytes"};
    }
    void window()
    {
        QFETCH(WindowCase, c);
        AnimationModel model;
        model.setLines({{"^1Ocelot", "15", "set name"}, {QString(36, 'a'), "15", "set name"}, {"^0Black", "200", "set name"}});
        const Settings settings{.game = c.game};
        FileDialogState dialog;
        FakePrompts prompts;
        ScriptWindow window(model, settings, dialog, prompts);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QString summary = window.findChild<QLabel *>("lblSummary")->text();
        QVERIFY2(summary.contains(c.parts), qPrintable(summary));
        const QString report = window.findChild<QPlainTextEdit *>("txtReport")->toPlainText();
        QVERIFY2(report.contains(c.report), qPrintable(report));
        QCOMPARE(report.contains("black colour codes"), c.game == Game::Rtcw);
        // Saving asks first where the server would drop the player; No saves nothing.
        prompts.answers = {PromptAnswer::No};
        ClickMenuBar(window);
        const bool asked = prompts.messageTexts().value(0).startsWith("ET: Legacy drops you from the server for a name "
                                                                      "over 35 bytes or none, at line(s) 2.");
        QCOMPARE(asked, c.game == Game::EtLegacy);
        QCOMPARE(prompts.dialogs.isEmpty(), c.game == Game::EtLegacy);
    }
};

QTEST_MAIN(ScriptGameTest)
#include "tst_ScriptGame.moc"
