#include "BuiltPrograms.h"
#include "EffectRuns.h"
#include "WizardUnderTest.h"

#include "animation/AnimationFile.h"
#include "animation/LineLimit.h"
#include "platform/TextFile.h"

#include <QTimer>

using Wizard = WizardUnderTest;

// filled: lines already there; count: -1: some; ends: first added line, last line
struct LimitCase { int filled; QString name; QString effects; PromptAnswer answer; int count; QStringList ends;
    QStringList messages; };

// texts: comma-separated; a leading "!": the command line refuses the row
struct ExampleCase { QString name, clanTag; bool reverse; QString effects, texts; };

struct BuildCase { QByteArray nameBox; int bounceUps; bool cancel; PromptAnswer answer; QStringList messages;
    QString texts; };

// keys: pressed where the focus is, "type:x" types x there; after: "page N" or "closed", then the effect rows;
// texts: the animation afterwards
struct KeysCase { QString keys; QString after; QStringList messages; QString texts; };

class WizardTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(QFile::exists(CliProgram()), "marqueemaster-cli not built"); }

    void userBuildsAnAnimation_data()
    {
        QTest::addColumn<BuildCase>("c");
        const QStringList exit{"Are you sure you want to exit the wizard?"};
        // Behind the name: the wave guards the tag with ^0, the bounce mirrors the wave, the scroll measures both boxes.
        QTest::newRow("clan tag and name, cancel declined") << BuildCase{QByteArray("txtNameOnly1"), 0, true,
            PromptAnswer::No, exit,
            "a^0[T],ab^0[T],ab[T],a[T]b,[T]ab,a[T]b,ab[T],ab^0[T],a^0[T],===a,==ab,=ab[,ab[T,b[T],[T]=,T]==,]===,====,===="};
        // The clan tag box is typed but not used; the bare guard code is all the tag there is.
        QTest::newRow("name only, bounce 9 declined") << BuildCase{QByteArray("txtNameOnly0"), 20, false, PromptAnswer::No,
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
        wizard.type("txtClanTag", QStringLiteral("[T]"));
        wizard.type(nameBox.constData(), QStringLiteral("ab"));  // clicking a box chooses its option
        QVERIFY(wizard.get<QAbstractButton>(nameBox.replace("txtNameOnly", "optNameOnly").constData())->isChecked());
        wizard.click("chkClanTag");
        wizard.click("cmdNext");
        QCOMPARE(wizard.get<QAbstractButton>("cmdNext")->text(), QStringLiteral("&Finish"));

        for (const char *effect : {"Wave 2", "Bounce", "Scroll to Left", "Scroll to Right"}) {
            wizard.get<QComboBox>("cmbEffects")->setCurrentText(QLatin1String(effect));
            wizard.click("cmdAddEffect");
        }
        wizard.clickRow(1);
        wizard.arrow("up", bounceUps);  // stops at 9
        wizard.clickRow(2);
        QCOMPARE(wizard.get<QLineEdit>("txtParam1")->text(), QStringLiteral("5"));
        wizard.arrow("down", 1);
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
            "closed Bounce", {}, "ab,ab,ab,ab,ab"};
        QTest::newRow("Finish without effects: the old lines are gone") << KeysCase{"Return Return Return Alt+F", "closed", {}, ""};
        QTest::newRow("arrows choose the style") << KeysCase{"Return Down", "page 2 advanced", {}, "old"};
        QTest::newRow("Alt+N, Alt+B and Alt+F") << KeysCase{"Alt+N Alt+N Alt+B Alt+N type:ab Alt+N Alt+A Alt+F",
            "closed Wave 2", {}, "a,ab"};
        QTest::newRow("Escape before typing leaves at once") << KeysCase{"Return Escape", "closed", {}, "old"};
        QTest::newRow("Escape after typing asks") << KeysCase{"Return Return type:ab Escape", "closed", exit, "old"};
        QTest::newRow("Alt+M removes the chosen effect") << KeysCase{"Alt+N Alt+N Alt+N Alt+A Alt+A Alt+L Down Alt+M",
            "page 4 Wave 2", {}, "old"};
        QTest::newRow("context menu: move down") << KeysCase{"Alt+N Alt+N Alt+N Alt+A Down Alt+A Alt+L RightClick D",
            "page 4 Bounce,Wave 2", {}, "old"};
        QTest::newRow("context menu: remove") << KeysCase{"Alt+N Alt+N Alt+N Alt+A Alt+L Down RightClick R", "page 4", {}, "old"};
    }
    void byKeys()
    {
        QFETCH(KeysCase, c);
        Wizard wizard;
        wizard.prompts.answers << PromptAnswer::Yes;
        const QStringList keys = c.keys.split(u' ');
        for (qsizetype i = 0; i < keys.size(); ++i) {
            const QString &key = keys[i];
            QWidget *target = QApplication::focusWidget();
            QVERIFY2(target, qPrintable(key));
            if (key.startsWith("type:")) {
                QTest::keyClicks(target, key.mid(5));
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
        }
        QStringList effects;
        for (const EffectRow &row : wizard.window.effectRows())
            effects << row.effect;
        QString after = wizard.window.isVisible() ? QStringLiteral("page %1").arg(wizard.window.currentPage())
                                                  : QStringLiteral("closed");
        if (wizard.window.isVisible() && wizard.window.currentPage() == 2)
            after += wizard.get<QAbstractButton>("optWizStyle1")->isChecked() ? " advanced" : " simple";
        if (!effects.isEmpty() && !(after == "closed" && c.texts == "old"))
            after += u' ' + effects.join(u',');
        QCOMPARE(after, c.after);
        QCOMPARE(wizard.prompts.messageTexts(), c.messages);
        QCOMPARE(TextsOf(wizard.model).join(u','), c.texts);
    }

    // The panel of a row chosen in the list: captions, what can be typed, and where the arrows stop.
    void parameterPanel_data()
    {
        QTest::addColumn<QString>("effect");
        QTest::addColumn<QString>("panel");  // caption 1|caption 2|box 1|box 2|after 20 ups|after 20 downs
        QTest::newRow("wave 2") << "Wave 2" << "No options|No options|off|off|0|0";
        QTest::newRow("bounce") << "Bounce" << "Repeat (1..9)|No options|arrows only|off|9|1";
        QTest::newRow("scroll to left") << "Scroll to Left" << "Textwidth (1..15)|Fill char|arrows only|typed|15|1";
    }
    void parameterPanel()
    {
        QFETCH(QString, effect);
        Wizard wizard;
        wizard.click("cmdNext");
        wizard.click("cmdNext");
        // The clicked box picks its option; the clan tag box picks "Clantag and Name".
        wizard.click("txtNameOnly0");
        QVERIFY(wizard.get<QAbstractButton>("optNameOnly0")->isChecked());
        wizard.click("txtClanTag");
        QVERIFY(wizard.get<QAbstractButton>("optNameOnly1")->isChecked());
        wizard.click("cmdNext");
        wizard.get<QComboBox>("cmbEffects")->setCurrentText(effect);
        wizard.click("cmdAddEffect");
        wizard.clickRow(0);
        const auto box = [&](const char *name) {
            auto *field = wizard.get<QLineEdit>(name);
            return !field->isEnabled() ? "off" : field->isReadOnly() ? "arrows only" : "typed";
        };
        QStringList shown{wizard.get<QLabel>("lblParam1")->text(), wizard.get<QLabel>("lblParam2")->text(),
                          box("txtParam1"), box("txtParam2")};
        wizard.arrow("up", 20);
        shown << wizard.get<QLineEdit>("txtParam1")->text();
        wizard.arrow("down", 20);
        shown << wizard.get<QLineEdit>("txtParam1")->text();
        QTEST(shown.join(u'|'), "panel");
    }

    void examples_data()
    {
        QTest::addColumn<ExampleCase>("c");
        const bool behind = true, front = false;
        auto row = [](const char *tag) -> QTestData & { return QTest::newRow(tag); };
        row("wave, tag in front") << ExampleCase{"^1ab^2c", "[T]", front, "Wave 2", "[T]^1a,[T]^1ab,[T]^1ab^2c"};
        row("wave, tag behind gets a colour of its own") << ExampleCase{"^1ab^2c", "[T]", behind, "Wave 2",
            "^0[T],^1a^0[T],^1ab^0[T],^1ab^2^0[T],^1ab^2c^0[T]"};
        row("wave, no trailing blank frame") << ExampleCase{"ab c", "", front, "Wave 2", "a,ab,ab c"};
        row("wave, reverse with empty tag") << ExampleCase{"ab", "", behind, "Wave 2", ""};
        row("wave, never ends in a bare code") << ExampleCase{"^1ab", "", front, "Wave 2", "^1a,^1ab"};
        row("wave, tag with its own code") << ExampleCase{"ab", "^3X", behind, "Wave 2", "a^3X,ab^3X"};
        row("bounce, tag in front") << ExampleCase{"^1ab^2c", "[T]", front, "Bounce|1", "[T]abc,a[T]bc,ab[T]c,abc[T],ab[T]c,a[T]bc,[T]abc"};
        row("bounce twice mirrors the whole script") << ExampleCase{"ab", "[T]", front, "Bounce|2",
            "[T]ab,a[T]b,ab[T],a[T]b,[T]ab,[T]ab,a[T]b,ab[T],a[T]b,[T]ab,[T]ab,a[T]b,ab[T],a[T]b,[T]ab"};
        row("bounce strips the tag's codes") << ExampleCase{"ab", "^1[T]", front, "Bounce|1.9", "[T]ab,a[T]b,ab[T],a[T]b,[T]ab"};
        for (const char *count : {"0", "0.7", "-2", "x", ""})
            QTest::addRow("bounce count '%s'", count) << ExampleCase{"^1ab", "[T]", front, "Bounce|" + QString(count), "!"};
        row("wave then bounce") << ExampleCase{"ab", "[T]", front, "Wave 2;Bounce|1", "[T]a,[T]ab,[T]ab,a[T]b,ab[T],a[T]b,[T]ab,[T]ab,[T]a"};
        row("bounce drops the guard's code") << ExampleCase{"a", "[T]", behind, "Wave 2;Bounce|1", "a^0[T],a[T],[T]a,a[T],a^0[T]"};
        row("bounce leaves plain text behind") << ExampleCase{"^1ab", "[T]", front, "Bounce|1;Wave 2",
            "[T]ab,a[T]b,ab[T],a[T]b,[T]ab,[T]a,[T]ab"};
        row("scroll left") << ExampleCase{"^1ab^2c", "[T]", front, "Scroll to Left|4|-",
            "---[,--[T,-[T],[T]a,T]ab,]abc,abc-,bc--,c---,----,----"};
        row("scroll right") << ExampleCase{"^1ab^2c", "[T]", front, "Scroll to Right|4|-",
            "----,c---,bc--,abc-,]abc,T]ab,[T]a,-[T],--[T,---[,----"};
        row("scroll, tag behind") << ExampleCase{"^1ab", "[T]", behind, "Scroll to Left|2|-", "-a,ab,b[,[T,T],]-,--,--"};
        row("scroll width 0") << ExampleCase{"ab", "", front, "Scroll to Left|0|-", "!,,"};
        row("scroll without fill") << ExampleCase{"abc", "", front, "Scroll to Left|5|", "a,ab,abc,abc,abc,bc,c,,"};
        row("scroll, two-character fill") << ExampleCase{"ab", "", front, "Scroll to Left|3|-=", "-=-=a,-=ab,ab-=,b-=-=,-=-=-=,-=-=-="};
        for (const char *width : {"2.5", "-1", "x", "40000"})
            QTest::addRow("scroll width '%s'", width) << ExampleCase{"ab", "", front, "Scroll to Right|" + QString(width) + "|-",
                                                                    QString(width) == "2.5" ? "" : "!"};
        row("unknown effect") << ExampleCase{"ab", "[T]", front, "Sparkle|3|3", "!"};
    }

    // Each example through the generator and through the command line.
    void examples()
    {
        QFETCH(ExampleCase, c);
        auto [name, clanTag, reverse, effects, texts] = c;
        const bool refused = texts.startsWith(u'!');
        const QString added = texts.mid(refused ? 1 : 0);
        const QStringList expected = added.isEmpty() ? QStringList() : added.split(u',');
        AnimationModel model;
        FakePrompts prompts;
        QString workName = name, workTag = clanTag;
        for (const EffectRow &row : EffectRows(effects))
            QCOMPARE(ApplyEffect(model, workName, row.effect, row.param1, row.param2, workTag, reverse, prompts),
                     EffectOutcome::Applied);
        QCOMPARE(TextsOf(model), expected);
        QCOMPARE(model.lines(), LinesFromTexts(expected));  // Time "15", "set name"
        QVERIFY(prompts.messages.isEmpty());

        const CliResult run = RunEffectsVerb(name, clanTag, reverse, effects);
        QCOMPARE(run.exitCode, refused ? 2 : 0);
        QCOMPARE(run.err.contains("Usage:"), refused);
        QCOMPARE(run.out, refused ? QByteArray() : EncodeAnsi(AnimationFileText(model.lines())));
    }

    void questionsAndLimits_data()
    {
        QTest::addColumn<LimitCase>("c");
        const PromptAnswer yes = PromptAnswer::Yes;
        const int max = AnimationModel::MaxLines;
        const QString abc = QStringLiteral("abcdefghijklmno"), huge(20000, u'a');
        const QStringList none, full{LineLimitMessage()}, tooBig{EffectSizeMessage()};
        auto ask = [](const char *count) {
            return QStringList{QStringLiteral("Are you sure you want to repeat the BOUNCE EFFECT %1 times?").arg(count)};
        };
        // "^1ab" bounces in 2 x 2 + 1 lines, doubled by each repeat.
        QTest::newRow("bounce 5 asks") << LimitCase{0, "^1ab", "Bounce|5", yes, 31 * 5, QStringList{"ab"}, ask("5")};
        QTest::newRow("declined: no lines, codes kept") << LimitCase{0, "^1ab", "Bounce|5;Wave 2", PromptAnswer::No, 2,
            QStringList{"^1a", "^1ab"}, ask("5")};
        QTest::newRow("bounce up to the limit") << LimitCase{0, abc, "Bounce|32767", yes, max, {abc}, ask("32767") + full};
        QTest::newRow("run of effects tells once") << LimitCase{0, abc, "Bounce|12;Wave 2;Bounce|12", yes, max, {abc}, ask("12") + full};
        QTest::newRow("widest scroll") << LimitCase{0, "abc", "Scroll to Left|32767|-", yes, -1,
            QStringList{QString(32766, u'-') + "a"}, tooBig};
        QTest::newRow("wave of a huge name") << LimitCase{0, huge, "Wave 2", yes, -1, QStringList{"a"}, tooBig};
        QTest::newRow("too large ends only itself") << LimitCase{0, "abc", "Scroll to Left|32767|-;Wave 2", yes, -1,
            QStringList{QString(32766, u'-') + "a", "abc"}, tooBig};
        QTest::newRow("bounce of a huge name") << LimitCase{0, huge, "Bounce|1", yes, -1, QStringList{huge}, tooBig};
        for (const char *effect : {"Wave 2", "Bounce|1", "Scroll to Left|3|-", "Scroll to Right|3|-"})
            QTest::addRow("full, %s", effect) << LimitCase{max, "abc", effect, yes, max, none, full};
        QTest::newRow("full, nothing to add") << LimitCase{max, "abc", "Bounce|0", yes, max, none, none};
        QTest::newRow("exact fit says nothing") << LimitCase{max - 3, "abc", "Wave 2", yes, max, QStringList{"a", "abc"}, none};
        // The return half mirrors the earlier line too, as a plain name line.
        QTest::newRow("bounce mirrors what was there") << LimitCase{1, "a", "Bounce|1", yes, 5, QStringList{"a", "x"}, none};
    }

    void questionsAndLimits()
    {
        QFETCH(LimitCase, c);
        auto [filled, name, effects, answer, count, ends, messages] = c;
        const AnimationLine old{"x", "99", "say"};
        AnimationModel model;
        model.setLines(QVector<AnimationLine>(filled, old));
        FakePrompts prompts;
        prompts.answers << answer;
        QString workName = name, clanTag;
        // As the wizard's Finish goes on: the effect that fills the animation is the last.
        for (const EffectRow &row : EffectRows(effects))
            if (ApplyEffect(model, workName, row.effect, row.param1, row.param2, clanTag, false, prompts)
                == EffectOutcome::LimitReached)
                break;
        QCOMPARE(prompts.messageTexts(), messages);
        QCOMPARE(model.count(), count < 0 ? qMax(model.count(), 1) : count);
        QCOMPARE(model.lines().mid(0, filled), QVector<AnimationLine>(filled, old));
        const QStringList texts = TextsOf(model).mid(filled);
        QCOMPARE(model.lines().mid(filled), LinesFromTexts(texts));  // Time "15", "set name"
        QVERIFY(texts.join(QString()).size() <= MaxEffectCharacters);
        QCOMPARE((QStringList{texts.value(0), model.lines().value(model.count() - 1).text}.mid(0, ends.size())), ends);

        if (filled == 0 && answer == PromptAnswer::Yes) {  // the command line says yes too, and tells the rest
            const CliResult run = RunEffectsVerb(name, QString(), false, effects);
            QCOMPARE(run.exitCode, 0);
            QCOMPARE(run.out, EncodeAnsi(AnimationFileText(model.lines())));
            const QStringList told = messages.mid(messages.value(0).startsWith(u"Are you sure") ? 1 : 0);
            QCOMPARE(QString::fromLocal8Bit(run.err), told.isEmpty() ? QString() : told.join(u'\n') + u'\n');
        }
    }

    void verbArguments_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("spelledOut");  // "!what is wrong": wrong usage
        const QString tagged = QStringLiteral("--name;^1ab^2c;--clantag;[T];--effect;");
        QTest::newRow("new rows' defaults") << tagged + "Bounce;--effect;Scroll to Left;--param2;*"
                                           << tagged + "Bounce;--param1;1;--param2;0;--effect;Scroll to Left;--param1;10;--param2;*";
        QTest::newRow("no clan tag") << "--name;abc;--effect;Scroll to Right"
                                     << "--name;abc;--effect;Scroll to Right;--param1;3;--param2;-";
        const QStringList wrong{"=!--name is missing", "--name;ab=!No --effect given",
                                "--name;ab;--param1;1;--effect;Bounce=!--param1 must follow the --effect it belongs to",
                                "--name;ab;--effect;Bounce;--param1;1;--param1;2=!--param1 given twice",
                                "--name;ab;--name;cd;--effect;Wave 2=!--name given twice", "--name;ab;--effect=!--effect needs a value",
                                "--name;ab;Wave 2=!Unexpected argument: Wave 2"};
        for (const QString &row : wrong)
            QTest::newRow(qPrintable(row)) << row.section(u'=', 0, 0) << row.section(u'=', 1);
    }

    void verbArguments()
    {
        QFETCH(QString, given);
        QFETCH(QString, spelledOut);
        auto run = [](const QString &arguments) {
            return RunCli(QStringList{QStringLiteral("effects")} + arguments.split(u';', Qt::SkipEmptyParts));
        };
        const CliResult result = run(given);
        const bool wrong = spelledOut.startsWith(u'!');
        QCOMPARE(result.exitCode, wrong ? 2 : 0);
        QVERIFY2(wrong ? result.out.isEmpty() && result.err.startsWith(spelledOut.mid(1).toUtf8() + "\nUsage:")
                       : result.out.count('\n') > 1 && result.out == run(spelledOut).out, result.err.constData());
    }
};

QTEST_MAIN(WizardTest)
#include "tst_Wizard.moc"
