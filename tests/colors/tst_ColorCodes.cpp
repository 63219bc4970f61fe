#include "colors/ColorCodes.h"
#include "colors/ColoredText.h"
#include "colors/Numbers.h"

#include <QTest>
#include <QTextDocument>

struct NumberCase { QString text; bool isNumber; int value; };

// colors: one code per visible character
struct RunsCase { QString text; QString visible; QString colors; };

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
};

QTEST_MAIN(ColorCodesTest)
#include "tst_ColorCodes.moc"
