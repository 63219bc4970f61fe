#include "WizardUnderTest.h"

#include "animation/GameSpeedPlayer.h"
#include "animation/PlayClock.h"

#include <QTextEdit>
#include <QTimer>

using Wizard = WizardUnderTest;

struct BuildCase { QByteArray nameBox; int bounceUps; bool cancel; PromptAnswer answer; QStringList messages;
    QString texts; };

// keys: pressed where the focus is, "type:x" types x there, "to:NAME" presses Tab until that control has the
// focus; after: "page N" or "closed", then the effect rows ("effect|param1|param2"); texts: the animation afterwards,
// in the Options' game
struct KeysCase { QString keys; QString after; QStringList messages; QString texts; Game game = Game::Rtcw; };

// The wizard window driven by clicks and keys, as a user does.
class WizardTest : public QObject {
    Q_OBJECT
private slots:
    void userBuildsAnAnimation_data()
    {
        QTest::addColumn<BuildCase>("c");
        const QStringList exit{"Are you sure you want to exit the wizard?"};
        // Behind the name: the wave guards the tag with ^0, the bounce mirrors the wave, the scroll measures both boxes.
        QTest::newRow("clan tag and name, cancel declined") << BuildCase{QByteArray("txtNameOnly1"), 0, true,
            PromptAnswer::No, exit,
            "a^0[T],ab^0[T],ab[T],a[T]b,[T]ab,a[T]b,ab[T],ab^0[T],a^0[T],===a,==ab,=ab[,ab[T,b[T],[T]=,T]==,]===,====,===="};
        // The clan tag box is typed but not used; the bare guard code is all the tag there is.
        QTest::newRow("name only, bounce 9 declined") << BuildCase{QByteArray("txtNameOnly0"), 21, false, PromptAnswer::No,
            QStringList{"Are you sure you want to repeat the BOUNCE EFFECT 9 times?"}, "===a,==ab,=ab,ab==,b===,====,===="};
        QTest::newRow("cancel confirmed") << BuildCase{QByteArray("txtNameOnly1"), 0, true, PromptAnswer::Yes, exit, "old"};
    }

    void userBuildsAnAnimation()
    {
        QFETCH(BuildCase, c);
        auto [nameBox, bounceUps, cancel, answer, messages, texts] = c;
        Wizard wizard({.name = QStringLiteral("Player"), .clanTag = QStringLiteral("[X]")});
        QVERIFY(!wizard.get("cmdBack")->isEnabled());
        wizard.click("cmdNext");
        wizard.click("cmdNext");
        QCOMPARE(wizard.get<QLineEdit>("txtNameOnly1")->text(), QStringLiteral("Player"));  // from the options
        wizard.click("txtNameOnly0");
        wizard.type("txtClanTag", QStringLiteral("[T]"));  // the clan tag box chooses "Clantag and Name"
        QVERIFY(wizard.get<QAbstractButton>("optNameOnly1")->isChecked());
        wizard.type(nameBox.constData(), QStringLiteral("ab"));  // clicking a box chooses its option
        QVERIFY(wizard.get<QAbstractButton>(nameBox.replace("txtNameOnly", "optNameOnly").constData())->isChecked());
        wizard.click("chkClanTag");
        wizard.click("cmdNext");
        QCOMPARE(wizard.get<QAbstractButton>("cmdNext")->text(), QStringLiteral("&Finish"));

        for (const char *effect : {"Wave 2", "Bounce", "Scroll to Left", "Scroll to Right"}) {
            wizard.get<QComboBox>("cmbEffects")->setCurrentText(QLatin1String(effect));
            wizard.click("cmdAddEffect");
        }
        // The panel of a row clicked, after arrows: captions, what each box takes, the first parameter.
        const auto panel = [&](int row, const char *direction, int times) {
            wizard.clickRow(row);
            wizard.arrow(direction, times);
            const auto box = [&](const char *name) {
                auto *field = wizard.get<QLineEdit>(name);
                return !field->isEnabled() ? "off" : field->isReadOnly() ? "arrows only" : "typed";
            };
            return QStringList{wizard.get<QLabel>("lblParam1")->text(), wizard.get<QLabel>("lblParam2")->text(),
                               box("txtParam1"), box("txtParam2"), wizard.get<QLineEdit>("txtParam1")->text()}.join(u'|');
        };
        QCOMPARE(panel(0, "up", 20), "No options|No options|off|off|0");
        QCOMPARE(panel(1, "down", 20), "Repeat (1..9)|No options|arrows only|off|1");
        wizard.arrow("up", bounceUps);  // stops at 9
        QCOMPARE(panel(2, "up", 0), "Textwidth (1..15)|Fill char|arrows only|typed|5");  // as wide as the name
        wizard.arrow("up", 11);  // one past the top: a step over it would show
        QCOMPARE(wizard.get<QLineEdit>("txtParam1")->text(), QStringLiteral("15"));
        wizard.arrow("down", 11);
        wizard.type("txtParam2", QStringLiteral("="));
        wizard.clickRow(3);
        QTest::keyClick(wizard.get("lvwEffects"), Qt::Key_Delete);
        wizard.type("txtParam2", QStringLiteral("#"));  // the deleted row's panel reaches no other row
        wizard.prompts.answers << answer;
        if (cancel)
            wizard.click("cmdCancel");
        if (wizard.window.isVisible())
            wizard.click("cmdNext");

        QCOMPARE(wizard.prompts.messageTexts(), messages);
        QCOMPARE(TextsOf(wizard.model), texts.split(u','));
        QVERIFY(!wizard.window.isVisible());
    }

    // The wizard by keys alone: the focus starts on each page's first control, Enter goes on, mnemonics press.
    void byKeys_data()
    {
        QTest::addColumn<KeysCase>("c");
        const QStringList exit{"Are you sure you want to exit the wizard?"};
        QTest::newRow("welcome to Finish by Enter") << KeysCase{"Return Return type:ab Return Down Tab Return Alt+F",
            "closed Bounce|1|0", {}, "ab,ab,ab,ab,ab"};
        QTest::newRow("Finish without effects: the old lines are gone") << KeysCase{"Return Return Return Alt+F", "closed", {}, ""};
        QTest::newRow("arrows choose the style") << KeysCase{"Return Down", "page 2 advanced", {}, "old"};
        QTest::newRow("Alt+N, Alt+B and Alt+F") << KeysCase{"Alt+N Alt+N Alt+B Alt+N type:ab Alt+N Alt+A Alt+F",
            "closed Wave 2|0|0", {}, "a,ab"};
        QTest::newRow("Escape before typing leaves at once") << KeysCase{"Return Escape", "closed", {}, "old"};
        QTest::newRow("Escape after typing asks") << KeysCase{"Return Return type:ab Escape", "closed", exit, "old"};
        QTest::newRow("Alt+M removes the chosen effect") << KeysCase{"Alt+N Alt+N Alt+N Alt+A Alt+A Alt+E Down Alt+M",
            "page 4 Wave 2|0|0", {}, "old"};
        QTest::newRow("context menu: move down") << KeysCase{"Alt+N Alt+N Alt+N Alt+A Down Alt+A Alt+E RightClick D",
            "page 4 Bounce|1|0,Wave 2|0|0", {}, "old"};
        QTest::newRow("context menu: remove") << KeysCase{"Alt+N Alt+N Alt+N Alt+A Alt+E Down RightClick R", "page 4", {}, "old"};
        // The effect list reached by Alt+E chooses its row: the parameters are then changed by keys.
        const QString toEffects = "Return Return type:abc Return ";
        QTest::newRow("bounce: repeat up two") << KeysCase{toEffects + "Down Alt+A Alt+E to:txtParam1 Up Up",
            "page 4 Bounce|3|0", {}, "old"};
        QTest::newRow("scroll to left: width down, fill typed") << KeysCase{toEffects
            + "Down Down Alt+A Alt+E to:txtParam1 Down to:txtParam2 type:*", "page 4 Scroll to Left|2|*", {}, "old"};
        QTest::newRow("scroll to right: width up five, fill typed") << KeysCase{toEffects
            + "Down Down Down Alt+A Alt+E to:txtParam1 PgUp to:txtParam2 type:=", "page 4 Scroll to Right|8|=", {},
            "old"};
        QTest::newRow("colour wave: next pattern, passes up") << KeysCase{toEffects
            + "Down Down Down Down Alt+A Alt+E to:txtParam1 Up to:txtParam2 Up Alt+F", "closed Colour wave|Alternate|2", {},
            "^1a^4b^1c,^4a^1b^4c,^1a^4b^1c,^4a^1b^4c"};
        // Finish writes the scroll with the name's colours kept or dropped; on ET black is a colour it keeps.
        const QString scroll = "Return Return type:^1ab Return Down Down Alt+A ";
        QTest::newRow("scroll keeps colours") << KeysCase{scroll + "Alt+K Alt+F", "closed Scroll to Left|4|-", {},
            "---^1a,--^1ab,-^1ab,^1ab^7--,^1b^7---,----,----"};
        QTest::newRow("scroll drops colours") << KeysCase{scroll + "Alt+F", "closed Scroll to Left|4|-", {},
            "---a,--ab,-ab,ab--,b---,----,----"};
        QTest::newRow("ET: black kept") << KeysCase{"Return Return type:^0ab^1cd Return Down Down Alt+A Alt+K Alt+F",
            "closed Scroll to Left|8|-", {}, "-------^0a,------^0ab,-----^0ab^1c,----^0ab^1cd,---^0ab^1cd,--^0ab^1cd,"
            "-^0ab^1cd,^0ab^1cd^7----,^0b^1cd^7-----,^1cd^7------,^1d^7-------,--------,--------", Game::Et};
    }
    void byKeys()
    {
        QFETCH(KeysCase, c);
        Wizard wizard({.game = c.game});
        wizard.prompts.answers << PromptAnswer::Yes;
        const QStringList keys = c.keys.split(u' ');
        QStringList shared;  // Alt letters a page lacks or uses twice
        for (qsizetype i = 0; i < keys.size(); ++i) {
            const QString &key = keys[i];
            QWidget *target = QApplication::focusWidget();
            QVERIFY2(target, qPrintable(key));
            if (key.startsWith("type:")) {
                QTest::keyClicks(target, key.mid(5));
            } else if (key.startsWith("to:")) {
                QVERIFY2(TabTo(wizard.window, wizard.get(qPrintable(key.mid(3)))), qPrintable(key));
            } else if (key == "RightClick") {  // on the current row; the next key goes to the menu, whose loop waits
                const QString menuKey = keys.value(++i);
                QTimer::singleShot(50, target, [menuKey] {
                    if (QWidget *menu = QApplication::activePopupWidget())
                        QTest::keySequence(menu, QKeySequence(menuKey));
                });
                auto *list = wizard.get<QTreeWidget>("lvwEffects");
                const QPoint at = list->visualItemRect(list->currentItem()).center();
                QTest::mouseClick(wizard.window.windowHandle(), Qt::RightButton, {}, list->viewport()->mapTo(&wizard.window, at));
            } else {
                QTest::keySequence(target, QKeySequence(key));
            }
            if (key.startsWith("Alt+"))
                QTest::qWait(150);  // a mnemonic clicks its button as a mouse would: released a moment later
            if (wizard.window.isVisible())
                shared << MnemonicTrouble(&wizard.window);
        }
        shared.removeDuplicates();
        QVERIFY2(shared.isEmpty(), qPrintable(shared.join(u',')));
        QStringList effects;
        for (const EffectRow &row : wizard.window.effectRows())
            effects << QStringList{row.effect, row.param1, row.param2}.join(u'|');
        QString after = wizard.window.isVisible() ? QStringLiteral("page %1").arg(wizard.window.currentPage()) : QStringLiteral("closed");
        if (wizard.window.isVisible() && wizard.window.currentPage() == 2)
            after += wizard.get<QAbstractButton>("optWizStyle1")->isChecked() ? " advanced" : " simple";
        if (!effects.isEmpty() && !(after == "closed" && c.texts == "old"))
            after += u' ' + effects.join(u',');
        QCOMPARE(after, c.after);
        QCOMPARE(wizard.prompts.messageTexts(), c.messages);
        QCOMPARE(TextsOf(wizard.model).join(u','), c.texts);
    }

    // The effect page's Preview, driven by clicks and keys with the play's clock moved by hand. The name is
    // "abc": "Wave 2" gives "a", "ab", "abc", 60 ms each at 125 fps.
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
};

QTEST_MAIN(WizardTest)
#include "tst_Wizard.moc"
