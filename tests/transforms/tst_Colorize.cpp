#include "CliRunner.h"
#include "GameText.h"

#include "transforms/Colorize.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

// arguments: of the colorize verb, after the text; expected empty: refused as wrong usage
struct KnownCase { QString arguments; QString name; QString expected; };

class ColorizeTest : public QObject {
    Q_OBJECT
private slots:
    void everyPatternFitsAndShowsEveryCharacter_data()
    {
        QTest::addColumn<QString>("pattern");  // "alternate by word" for that choice
        QTest::addColumn<QString>("name");
        const QStringList names{"a", "abcdefghijklmno", "ab cd  ef g", "^3Red^5Cyan ^^caret^^", "^^", "x^^1y",
                                "^1" + QString(34, u'n'), QString(35, u'n'), QString(33, u'n'), "  lead and trail  "};
        for (const QString &pattern : Colorize::PatternNames() + QStringList{"alternate by word"}) {
            for (const QString &name : names)
                QTest::addRow("%s, %s", qPrintable(pattern), qPrintable(name)) << pattern << name;
        }
    }

    void everyPatternFitsAndShowsEveryCharacter()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, name);
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
        QTest::addColumn<KnownCase>("c");
        auto row = [](const char *tag) -> QTestData & { return QTest::newRow(tag); };
        row("rainbow in hue order") << KnownCase{"rainbow", "abcdefg", "^1a^3b^2c^5d^4e^6f^1g"};
        row("old codes and ^^ replaced") << KnownCase{"Rainbow", "^5a^^b c", "^1a^3b ^2c"};
        row("15 grouped in pairs to fit") << KnownCase{"rainbow", "abcdefghijklmno", "^1ab^3cd^2ef^5gh^4ij^6kl^1mn^3o"};
        row("35 stays plain") << KnownCase{"rainbow", QString(35, u'x'), QString(35, u'x')};
        row("33 takes one code") << KnownCase{"rainbow", QString(33, u'x'), "^1" + QString(33, u'x')};
        row("start, backwards, blanks") << KnownCase{"rainbow;--colors;4;--backwards", "ab c", "^4a^5b ^2c"};
        row("alternate") << KnownCase{"alternate;--colors;2,7", "ab cd", "^2a^7b ^2c^7d"};
        row("one colour twice shares a code") << KnownCase{"alternate;--colors;3,3", "ab", "^3ab"};
        row("gradient in runs") << KnownCase{"gradient;--colors;1,3,5", "abcdef", "^1ab^3cd^5ef"};
        row("gradient, fewer runs than colours") << KnownCase{"gradient;--colors;1 2 3 4 5 6 7", "abc", "^1a^3b^5c"};
        row("random, none twice in a row") << KnownCase{"random;--seed;9", "abcdefghijk", "11 codes"};
        row("black") << KnownCase{"random;--colors;1,0", "ab", ""};
        row("ET: black, and 11 never written ;") << KnownCase{"alternate;--colors;0,11;--game;et", "abc", "^0a^[b^0c"};
        row("rainbow starts at white") << KnownCase{"rainbow;--colors;7", "ab", ""};
        row("alternate with one colour") << KnownCase{"alternate;--colors;1", "ab", ""};
        row("gradient of 8") << KnownCase{"gradient;--colors;1,2,3,4,5,6,7,1", "ab", ""};
    }

    // Each through the command line, which gives what the dialog gives.
    void knownResults()
    {
        QFETCH(KnownCase, c);
        auto [arguments, name, expected] = c;
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

    void randomCaseVerbIsSeeded()
    {
        const CliResult run = RunCli({"randomcase", "abcdefghij", "--seed", "3"});
        QCOMPARE(run.out, RunCli({"randomcase", "abcdefghij", "--seed", "3"}).out);
        QCOMPARE(run.out.toLower(), QByteArray("abcdefghij\n"));
        QVERIFY(run.out != RunCli({"randomcase", "abcdefghij", "--seed", "5"}).out);
    }
};

QTEST_MAIN(ColorizeTest)
#include "tst_Colorize.moc"
