#include "CliRunner.h"
#include "GameText.h"

#include "game/GameName.h"
#include "transforms/Colorize.h"

#include <QRegularExpression>
#include <QTest>

using Colorize::Pattern;

namespace {

Colorize::Options optionsFor(Pattern pattern, const QVector<int> &colors = {}, bool fit = true)
{
    Colorize::Options options;
    options.pattern = pattern;
    options.colors = colors;
    options.fit = fit;
    options.seed = 7;
    return options;
}

QString plain(const QString &name)
{
    QString text;
    for (const GameName::Glyph &glyph : GameName::Glyphs(name))
        text += glyph.character;
    return text;
}

} // namespace

class ColorizeTest : public QObject {
    Q_OBJECT
private slots:
    void everyPatternFitsAndShowsEveryCharacter_data()
    {
        QTest::addColumn<int>("pattern");
        QTest::addColumn<bool>("byWord");
        QTest::addColumn<QString>("name");
        const QStringList names{"a", "abcdefghijklmno", "ab cd  ef g", "^3Red^5Cyan ^^caret^^", "^^", "x^^1y",
                                "^1" + QString(34, u'n'), QString(35, u'n'), QString(33, u'n'), "  lead and trail  "};
        for (int pattern = 0; pattern < 4; ++pattern) {
            for (const QString &name : names) {
                QTest::addRow("%s, %s", qPrintable(Colorize::PatternNames().at(pattern)), qPrintable(name))
                    << pattern << false << name;
            }
        }
        for (const QString &name : names)
            QTest::addRow("alternate by word, %s", qPrintable(name)) << 1 << true << name;
    }

    void everyPatternFitsAndShowsEveryCharacter()
    {
        QFETCH(int, pattern);
        QFETCH(bool, byWord);
        QFETCH(QString, name);
        Colorize::Options options = optionsFor(Pattern(pattern));
        options.byWord = byWord;
        const QString result = Colorize::Apply(name, options);
        QVERIFY2(GameName::ByteLength(result) <= GameName::MaxBytes, qPrintable(result));
        QCOMPARE(SeenInGame(result), SeenInGame(plain(name)));
        // Codes 1..7 only, never on a blank, each one a change of colour.
        QVERIFY2(!result.contains(QRegularExpression(QStringLiteral("\\^([^1-7]|.( |$))"))), qPrintable(result));
        int inForce = -1;
        for (qsizetype i = result.indexOf(u'^'); i >= 0; i = result.indexOf(u'^', i + 2)) {
            QVERIFY2(result.at(i + 1).digitValue() != inForce, qPrintable(result));
            inForce = result.at(i + 1).digitValue();
        }
    }

    void knownResults_data()
    {
        QTest::addColumn<int>("pattern");
        QTest::addColumn<QString>("colors");
        QTest::addColumn<bool>("fit");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        const int rainbow = 0, alternate = 1, gradient = 2;
        QTest::newRow("rainbow in hue order") << rainbow << "" << true << "abcdefg" << "^1a^3b^2c^5d^4e^6f^1g";
        QTest::newRow("one character") << rainbow << "" << true << "a" << "^1a";
        QTest::newRow("old codes and ^^ replaced") << rainbow << "" << true << "^5a^^b c" << "^1a^3b ^2c";
        QTest::newRow("15 grouped in pairs to fit") << rainbow << "" << true << "abcdefghijklmno"
                                                    << "^1ab^3cd^2ef^5gh^4ij^6kl^1mn^3o";
        QTest::newRow("15 without fitting") << rainbow << "" << false << "abcdefghijklmno"
                                            << "^1a^3b^2c^5d^4e^6f^1g^3h^2i^5j^4k^6l^1m^3n^2o";
        QTest::newRow("35 stays plain") << rainbow << "" << true << QString(35, u'x') << QString(35, u'x');
        QTest::newRow("33 takes one code") << rainbow << "" << true << QString(33, u'x') << "^1" + QString(33, u'x');
        QTest::newRow("start and blanks") << rainbow << "4" << true << "ab c" << "^4a^6b ^1c";
        QTest::newRow("alternate") << alternate << "2,7" << true << "ab cd" << "^2a^7b ^2c^7d";
        QTest::newRow("one colour twice shares a code") << alternate << "3,3" << true << "ab" << "^3ab";
        QTest::newRow("gradient in runs") << gradient << "1,3,5" << true << "abcdef" << "^1ab^3cd^5ef";
        QTest::newRow("gradient, fewer runs than colours") << gradient << "1,2,3,4,5,6,7" << true << "abc" << "^1a^3b^5c";
    }

    void knownResults()
    {
        QFETCH(int, pattern);
        QFETCH(QString, colors);
        QFETCH(bool, fit);
        QFETCH(QString, name);
        Colorize::Options options = optionsFor(Pattern(pattern), *Colorize::ColorsFromText(colors), fit);
        QTEST(Colorize::Apply(name, options), "expected");
    }

    void randomIsSeededAndNeverRepeats()
    {
        const QString name = QStringLiteral("abcdefghijk");
        Colorize::Options options = optionsFor(Pattern::Random, {2, 5});
        const QString result = Colorize::Apply(name, options);
        QCOMPARE(result, Colorize::Apply(name, options));
        QCOMPARE(result.count(u'^'), 11);  // two colours, none twice in a row: every character a code
        options.colors = {1, 2, 3, 4, 5, 6, 7};
        QStringList results;
        for (quint32 seed = 1; seed <= 5; ++seed) {
            options.seed = seed;
            results << Colorize::Apply(name, options);
        }
        results.removeDuplicates();
        QVERIFY(results.size() > 1);
    }

    void problems_data()
    {
        QTest::addColumn<int>("pattern");
        QTest::addColumn<QString>("colors");
        QTest::addColumn<bool>("fine");
        QTest::newRow("black") << 3 << "1,0" << false;
        QTest::newRow("eight is black too") << 3 << "8" << false;
        QTest::newRow("rainbow starts at white") << 0 << "7" << false;
        QTest::newRow("alternate with one") << 1 << "1" << false;
        QTest::newRow("gradient of 8") << 2 << "1,2,3,4,5,6,7,1" << false;
        QTest::newRow("gradient of 7") << 2 << "1 2 3 4 5 6 7" << true;
    }

    void problems()
    {
        QFETCH(int, pattern);
        QFETCH(QString, colors);
        QFETCH(bool, fine);
        QCOMPARE(Colorize::Problem(optionsFor(Pattern(pattern), *Colorize::ColorsFromText(colors))).isEmpty(), fine);
    }

    void commandLine_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("out");
        QTest::newRow("alternate by word") << "colorize;ab cd ef;--pattern;Alternate;--colors;1,4;--by;word" << 0
                                           << QByteArray("^1ab ^4cd ^1ef\n");
        QTest::newRow("no fit") << "colorize;abcdefghijklmnop;--pattern;rainbow;--no-fit" << 0
                                << Colorize::Apply("abcdefghijklmnop", optionsFor(Pattern::Rainbow, {}, false)).toUtf8() + "\n";
        QTest::newRow("random seeded") << "colorize;abcdef;--pattern;random;--colors;2,5;--seed;7" << 0
                                       << Colorize::Apply("abcdef", optionsFor(Pattern::Random, {2, 5})).toUtf8() + "\n";
        QTest::newRow("black refused") << "colorize;ab;--pattern;random;--colors;0,1" << 2 << QByteArray();
        QTest::newRow("unknown pattern") << "colorize;ab;--pattern;plaid" << 2 << QByteArray();
        QTest::newRow("no pattern") << "colorize;ab" << 2 << QByteArray();
        QTest::newRow("random case seeded") << "randomcase;abcdefgh;--seed;3" << 0
                                            << RunCli({"randomcase", "abcdefgh", "--seed", "3"}).out;
    }

    void commandLine()
    {
        QFETCH(QString, arguments);
        const CliResult run = RunCli(arguments.split(u';'));
        QTEST(run.exitCode, "exitCode");
        QTEST(run.out, "out");
        if (run.exitCode == 0 && arguments.startsWith(u"randomcase"))
            QCOMPARE(run.out.toLower(), QByteArray("abcdefgh\n"));
    }
};

QTEST_MAIN(ColorizeTest)
#include "tst_Colorize.moc"
