#include "colors/ColorCodes.h"
#include "colors/ColoredText.h"
#include "colors/GameColors.h"
#include "game/GameDrawing.h"
#include "colors/Numbers.h"

#include <QTest>
#include <QTextDocument>

struct NumberCase { QString text; bool isNumber; int value; };

// colors: one code per visible character
struct RunsCase { QString text; QString visible; QString colors; };

namespace {

// What a game draws: "visible/colours", a colour written as the code character of its index.
QString drawn(const QString &text, const GameRules &game)
{
    QString visible, colors;
    for (const ColorRun &run : ColoredRuns(text, game)) {
        visible += run.text;
        colors += QString(run.text.size(), Games::CodeChar(GameColorIndex(game, run.color).value_or(-1)));
    }
    return visible + u'/' + colors;
}

} // namespace

class ColorCodesTest : public QObject {
    Q_OBJECT
private slots:
    void isNumber_data()
    {
        QTest::addColumn<NumberCase>("c");
        QTest::newRow("blanks around") << NumberCase{" 12 ", true, 12};
        QTest::newRow("half rounds to even") << NumberCase{"6.5", true, 6};
        QTest::newRow("negative") << NumberCase{"-2", true, -2};
        QTest::newRow("highest") << NumberCase{"32767", true, 32767};
        QTest::newRow("rounds past highest") << NumberCase{"32767.5", false, 0};
        QTest::newRow("empty") << NumberCase{"", false, 0};
        QTest::newRow("number then letter") << NumberCase{"2x", false, 0};
        QTest::newRow("huge digit run") << NumberCase{QString(400, QLatin1Char('9')), false, 0};
    }

    void isNumber()
    {
        QFETCH(NumberCase, c);
        auto [text, isNumber, value] = c;
        QCOMPARE(IsNumber(text), isNumber);
        if (isNumber)
            QCOMPARE(int(*ToInt16(text)), value);
    }

    // The program's own RtCW 1.4 drawing, which players know their names by.
    void renderRuns_data()
    {
        QTest::addColumn<RunsCase>("c");
        QTest::newRow("white before first code") << RunsCase{"ab^1c", "abc", "771"};
        QTest::newRow("double caret zero is black") << RunsCase{"^^0ab", "ab", "00"};
        QTest::newRow("code after code visible") << RunsCase{"^1^2ab", "^2ab", "1111"};
        QTest::newRow("trailing caret") << RunsCase{"^2a^", "a^", "22"};
    }

    void renderRuns()
    {
        QFETCH(RunsCase, c);
        auto [text, visible, colors] = c;
        QString gotText, gotColors;
        for (const ColorRun &run : ColoredRuns(text)) {
            gotText += run.text;
            gotColors += QString(run.text.size(), CodeFromColor(run.color).at(0));
        }
        QCOMPARE(gotText, visible);
        QCOMPARE(gotColors, colors);

        QTextDocument document;
        document.setPlainText(QStringLiteral("old content"));
        RenderColoredText(text, document);
        QCOMPARE(document.toPlainText(), visible);
    }

    void drawnPerGame_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("drawn");  // by RtCW 1.4, ioRTCW, ET 2.60b, ET: Legacy
        QTest::newRow("^^0") << "^^0ab" << QStringList{"ab/00", "^ab/700", "^ab/700", "^ab/700"};
        QTest::newRow("letter") << "^a!" << QStringList{"^a!/777", "!/1", "!/A", "!/A"};
        QTest::newRow("punctuation") << "^!x" << QStringList{"^!x/777", "^!x/777", "x/A", "x/A"};
        QTest::newRow("8: black or orange") << "^8o" << QStringList{"o/0", "o/0", "o/8", "o/8"};
        QTest::newRow("caret blank") << "^ x" << QStringList{"^ x/777", "^ x/777", "x/@", "^ x/777"};
        QTest::newRow("^* own colour") << "^*a^1b^*c" << QStringList{"^*ab^*c/7771111", "^*ab^*c/7771111", "abc/717", "abc/717"};
        QTest::newRow("code after code") << "^1^2ab" << QStringList{"^2ab/1111", "ab/22", "ab/22", "ab/22"};
    }

    void drawnPerGame()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, drawn);
        for (int engine = 0; engine < int(Games::All.size()); ++engine)
            QCOMPARE(::drawn(text, *Games::All[engine]), drawn.at(engine));
    }
};

QTEST_MAIN(ColorCodesTest)
#include "tst_ColorCodes.moc"
