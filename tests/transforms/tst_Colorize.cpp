#include "CliRunner.h"
#include "GameText.h"
#include "WindowUnderTest.h"

#include "colors/ColorButtonsWidget.h"
#include "transforms/Colorize.h"

#include <QRegularExpression>
#include <QSet>
#include <QTextEdit>

namespace {

// Steps on the Colorize dialog: "Down" (a key on the pattern box), "=text"
// (typed into the colours box), or a control to click.
void drive(QDialog &dialog, const QStringList &steps)
{
    for (const QString &step : steps) {
        if (step == QLatin1String("Down")) {
            QTest::keyClick(dialog.findChild<QComboBox *>("cmbPattern"), Qt::Key_Down);
        } else if (step.startsWith(u'=')) {
            auto *box = dialog.findChild<QLineEdit *>("txtColors");
            QTest::mouseClick(box, Qt::LeftButton);
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(box, step.mid(1));
        } else if (step.startsWith(QLatin1String("keys:"))) {  // Tab into the colour buttons, then the keys
            dialog.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            QVERIFY(TabTo(dialog, dialog.findChild<ColorButtonsWidget *>()));
            PressKeys(step.mid(5));
        } else {
            ClickNamed(dialog, step);
        }
    }
}

} // namespace

class ColorizeTest : public QObject {
    Q_OBJECT
private slots:
    void everyPatternFitsAndShowsEveryCharacter_data()
    {
        Columns<QString, QString>("pattern", "name");  // pattern: "alternate by word" for that choice
        const QStringList names{"a", "abcdefghijklmno", "ab cd  ef g", "^3Red^5Cyan ^^caret^^", "^^", "x^^1y",
                                "^1" + QString(34, u'n'), QString(35, u'n'), QString(33, u'n'), "  lead and trail  "};
        for (const QString &pattern : Colorize::PatternNames() + QStringList{"alternate by word"}) {
            for (const QString &name : names)
                QTest::addRow("%s, %s", qPrintable(pattern), qPrintable(name)) << pattern << name;
        }
    }

    void everyPatternFitsAndShowsEveryCharacter()
    {
        auto [pattern, name] = Fetch<QString, QString>("pattern", "name");
        Colorize::Options options;
        options.pattern = *Colorize::PatternFromName(pattern.section(u' ', 0, 0));
        options.byWord = pattern.endsWith(u"word");
        QString characters;  // of the name, its codes left out
        for (const GameName::Glyph &glyph : GameName::Glyphs(name))
            characters += glyph.character;
        // The pattern and every frame of its colour wave.
        const QStringList frames = Colorize::Wave(name, options, 2);
        for (const QString &result : QStringList{Colorize::Apply(name, options)} + frames) {
            QVERIFY2(GameName::ByteLength(result) <= GameName::MaxBytes, qPrintable(result));
            QCOMPARE(SeenInGame(result), SeenInGame(characters));
            // Codes 1..7 only, never on a blank, each one a change of colour.
            QVERIFY2(!result.contains(QRegularExpression(QStringLiteral("\\^([^1-7]|.( |$))"))), qPrintable(result));
            for (qsizetype i = result.indexOf(u'^'), before = -1; i >= 0; before = i, i = result.indexOf(u'^', i + 2))
                QVERIFY2(before < 0 || result.at(i + 1) != result.at(before + 1), qPrintable(result));
        }
        QCOMPARE(frames.size() % 2, 0);
        QVERIFY(frames.size() < 4 || QSet<QString>(frames.begin(), frames.end()).size() > 1);  // the colours move
    }

    void knownResults_data()
    {
        Columns<QString, QString, QString>("arguments", "name", "expected");  // arguments: after the name; expected empty: refused
        auto row = [](const char *tag) -> QTestData & { return QTest::newRow(tag); };
        row("rainbow in hue order") << "rainbow" << "abcdefg" << "^1a^3b^2c^5d^4e^6f^1g";
        row("old codes and ^^ replaced") << "Rainbow" << "^5a^^b c" << "^1a^3b ^2c";
        row("15 grouped in pairs to fit") << "rainbow" << "abcdefghijklmno" << "^1ab^3cd^2ef^5gh^4ij^6kl^1mn^3o";
        row("35 stays plain") << "rainbow" << QString(35, u'x') << QString(35, u'x');
        row("33 takes one code") << "rainbow" << QString(33, u'x') << "^1" + QString(33, u'x');
        row("start, backwards, blanks") << "rainbow;--colors;4;--backwards" << "ab c" << "^4a^5b ^2c";
        row("alternate") << "alternate;--colors;2,7" << "ab cd" << "^2a^7b ^2c^7d";
        row("one colour twice shares a code") << "alternate;--colors;3,3" << "ab" << "^3ab";
        row("gradient in runs") << "gradient;--colors;1,3,5" << "abcdef" << "^1ab^3cd^5ef";
        row("gradient, fewer runs than colours") << "gradient;--colors;1 2 3 4 5 6 7" << "abc" << "^1a^3b^5c";
        row("random, none twice in a row") << "random;--seed;9" << "abcdefghijk" << "11 codes";
        row("black") << "random;--colors;1,0" << "ab" << "";
        row("ET: black, and 11 never written ;") << "alternate;--colors;0,11;--game;et" << "abc" << "^0a^[b^0c";
        row("rainbow starts at white") << "rainbow;--colors;7" << "ab" << "";
        row("alternate with one colour") << "alternate;--colors;1" << "ab" << "";
        row("gradient of 8") << "gradient;--colors;1,2,3,4,5,6,7,1" << "ab" << "";
    }

    // Each through the command line, which gives what the dialog gives.
    void knownResults()
    {
        auto [arguments, name, expected] = Fetch<QString, QString, QString>("arguments", "name", "expected");
        const CliResult run = RunCli(QStringList{"colorize", name, "--pattern"} + arguments.split(u';'));
        QCOMPARE(run.exitCode, expected.isEmpty() ? 2 : 0);
        if (expected.endsWith(u"codes")) {  // seeded: the same twice, and different with another seed
            QCOMPARE(run.out.count('^'), expected.section(u' ', 0, 0).toInt());
            QCOMPARE(run.out, RunCli(QStringList{"colorize", name, "--pattern"} + arguments.split(u';')).out);
            QVERIFY(run.out != RunCli({"colorize", name, "--pattern", "random", "--seed", "4"}).out);
        } else {
            QCOMPARE(QString::fromUtf8(run.out), expected.isEmpty() ? QString() : expected + u'\n');
        }
    }

    void fromTheEditDropDown_data()
    {
        Columns<QString, QString, QString, QString, QString>("text", "steps", "expected", "bytes", "game");  // game: what the player sees
        auto row = [](const char *tag) -> QTestData & { return QTest::newRow(tag); };
        row("rainbow at once") << "ab cd" << "cmdOK" << "^1a^3b ^2c^5d" << "13 of 35 bytes" << "ab cd";
        row("alternate by word") << "ab cd" << "Down chkByWord cmdOK" << "^1ab ^4cd" << "9 of 35 bytes" << "ab cd";
        row("gradient, typed colours") << "^3ab cd" << "Down Down =2,6 cmdOK" << "^2ab ^6cd" << "9 of 35 bytes" << "ab cd";
        row("colour button starts the rainbow") << "ab" << "cmdColor3 cmdOK" << "^4a^6b" << "6 of 35 bytes" << "ab";
        row("the same colour chosen by keys") << "ab" << "keys:Right,Right,Right,Space cmdOK" << "^4a^6b" << "6 of 35 bytes" << "ab";
        row("unfitted name is cut by the game") << "abcdefghijklmno" << "chkFit cmdOK" << "^1a^3b^2c^5d^4e^6f^1g^3h^2i^5j^4k^6l^1m^3n^2o"
                                                << "45 of 35 bytes: too long, the game cuts it" << "abcdefghijk";
        row("cancel") << "ab" << "Down cmdCancel" << "ab" << "6 of 35 bytes" << "ab";
        row("black can't be chosen") << "ab" << "=1,0 cmdOK cmdCancel" << "ab" << "Colours are 1 to 7 (the server removes black, 0)." << "ab";
    }

    void fromTheEditDropDown()
    {
        const auto [text, steps, expected, bytes, game]
            = Fetch<QString, QString, QString, QString, QString>("text", "steps", "expected", "bytes", "game");
        const QStringList keys = steps.split(u' ');  // (a lambda can't capture a structured binding in clang 14)
        WindowUnderTest open;
        MainWindow &window = open.window;
        QString shownBytes, gameText;
        open.onDialog = [&](QDialog &dialog) {
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            drive(dialog, keys);
            shownBytes = dialog.findChild<QLabel *>("lblBytes")->text();
            gameText = dialog.findChild<QTextEdit *>("txtGame")->toPlainText();
        };
        open.start({"other", text}, 1);
        ClickEntry(window, QStringLiteral("btneditcolorize"));  // in the Edit drop-down
        QCOMPARE(TextsOf(window.model()), (QStringList{"other", expected}));
        QCOMPARE(shownBytes, bytes);
        QCOMPARE(gameText, game);
        QVERIFY(open.prompts.messages.isEmpty());
    }
};

QTEST_MAIN(ColorizeTest)
#include "tst_Colorize.moc"
