#include "colors/ColorCodes.h"
#include "colors/ColoredText.h"
#include "colors/Numbers.h"

#include <QTest>
#include <QTextDocument>

class ColorCodesTest : public QObject {
    Q_OBJECT
private slots:
    void isNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<int>("value");
        QTest::newRow("blanks around") << " 12 " << true << 12;
        QTest::newRow("half rounds to even") << "6.5" << true << 6;
        QTest::newRow("negative") << "-2" << true << -2;
        QTest::newRow("highest") << "32767" << true << 32767;
        QTest::newRow("rounds past highest") << "32767.5" << false << 0;
        QTest::newRow("out of range") << "40000" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("number then letter") << "2x" << false << 0;
        QTest::newRow("huge digit run") << QString(400, QLatin1Char('9')) << false << 0;
    }

    void isNumber()
    {
        QFETCH(QString, text);
        QFETCH(bool, isNumber);
        QFETCH(int, value);
        QCOMPARE(IsNumber(text), isNumber);
        if (isNumber)
            QCOMPARE(int(*ToInt16(text)), value);
    }

    void renderRuns_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("visible");
        QTest::addColumn<QString>("colors");  // one code per visible character
        QTest::newRow("white before first code") << "ab^1c" << "abc" << "771";
        QTest::newRow("double caret zero is black") << "^^0ab" << "ab" << "00";
        QTest::newRow("code after code visible") << "^1^2ab" << "^2ab" << "1111";
        QTest::newRow("trailing caret") << "^2a^" << "a^" << "22";
    }

    void renderRuns()
    {
        QFETCH(QString, text);
        QFETCH(QString, visible);
        QFETCH(QString, colors);
        QString gotText;
        QString gotColors;
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
