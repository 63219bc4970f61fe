#include "WizardUnderTest.h"

#include "animation/GameSpeedPlayer.h"
#include "animation/PlayClock.h"

#include <QTextEdit>

// The effect page's Preview, driven by clicks and keys with the play's clock moved by hand. The name is
// "abc": "Wave 2" gives "a", "ab", "abc", 60 ms each at 125 fps.
class EffectPreviewTest : public QObject {
    Q_OBJECT
private slots:
    void previewPlays_data()
    {
        QTest::addColumn<QString>("steps");
        // add: Add the effect shown; bounce: Add "Bounce"; param: its first parameter one up; +N: N ms on;
        // =text: the box shows it; [caption]: the Preview button reads it; @0: the play started again;
        // else a control's name: clicked
        QTest::newRow("plays the effects' lines at the game's pace")
            << "add|cmdPreview|[&Stop]|=a|+59|=a|+1|=ab|+60|=abc|+59|[&Stop]|+1|[Pre&view]|=abc";
        QTest::newRow("an effect added starts it again") << "add|cmdPreview|+60|=ab|add|@0|=a|[&Stop]";
        QTest::newRow("a parameter changed starts it again") << "add|bounce|cmdPreview|+200|param|@0|[&Stop]";
        QTest::newRow("Stop stops it, the frame stays") << "add|cmdPreview|+60|cmdPreview|[Pre&view]|+1000|=ab";
        QTest::newRow("no effect: nothing plays") << "cmdPreview|[Pre&view]|=No lines to play: add an effect";
        QTest::newRow("leaving the page stops it") << "add|cmdPreview|cmdBack|[Pre&view]";
    }

    void previewPlays()
    {
        QFETCH(QString, steps);
        ManualClock clock;  // outlives the window, whose page stops the play as it goes
        WizardUnderTest wizard(Settings{.frameRate = 125});
        wizard.toEffectPage(QStringLiteral("abc"));
        wizard.get<GameSpeedPlayer>("timEffectPreview")->setClock(&clock);
        auto *button = wizard.get<QAbstractButton>("cmdPreview");
        auto *box = wizard.get<QTextEdit>("txtEffectPreview");

        for (const QString &step : steps.split(u'|')) {
            if (step == "add") {
                wizard.click("cmdAddEffect");
            } else if (step == "bounce") {
                QTest::keyClick(wizard.get("cmbEffects"), Qt::Key_Down);
                wizard.click("cmdAddEffect");
            } else if (step == "param") {
                wizard.clickRow(-1);
                wizard.arrow("up", 1);
            } else if (step.startsWith(u'+')) {
                clock.advanceBy(step.mid(1).toInt());
            } else if (step.startsWith(u'=')) {
                QCOMPARE(box->toPlainText(), step.mid(1));
            } else if (step.startsWith(u'[')) {
                QCOMPARE(button->text(), step.mid(1, step.size() - 2));
            } else if (step == "@0") {
                QCOMPARE(clock.ms(), 0);
                QVERIFY(clock.waiting());
            } else {
                wizard.click(qPrintable(step));
            }
        }
        QCOMPARE(TextsOf(wizard.model), QStringList{"old"});  // the main list is never touched
    }

    // Finish writes the lines the preview plays: in the Options' game (on ET black is a colour the scroll keeps).
    void finishFollowsTheGame()
    {
        WizardUnderTest wizard({.game = Game::Et});
        const EffectStart start{QStringLiteral("^0ab^1cd"), QString(), false};
        wizard.toEffectPage(start.name);
        for (int down = 0; down < 2; ++down)  // from "Wave 2" to "Scroll to Left"
            QTest::keyClick(wizard.get("cmbEffects"), Qt::Key_Down);
        wizard.click("cmdAddEffect");
        wizard.click("chkKeepColors");
        wizard.click("cmdNext");
        QCOMPARE(wizard.model.lines(), EffectLines(start, wizard.window.effectRows(), true, Games::Et));
        QVERIFY(wizard.model.lines() != EffectLines(start, wizard.window.effectRows(), true, Games::Rtcw));
    }
};

QTEST_MAIN(EffectPreviewTest)
#include "tst_EffectPreview.moc"
