#include "DataColumns.h"
#include "FakePrompts.h"

#include "animation/AnimationModel.h"
#include "animation/PreviewPlayer.h"
#include "colors/ColorCodes.h"
#include "colors/ColorEditorDialog.h"
#include "colors/ColoredText.h"
#include "colors/GameColors.h"
#include "colors/Numbers.h"
#include "game/GameDrawing.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

struct NumberCase { QString text; bool isNumber; int value; };

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

// A player over lines "^11", "^12", ... written "Time" or "Time:action" (a message, drawn marked).
struct Player {
    AnimationModel model;
    FakePrompts prompts;
    PreviewPlayer player{model, prompts};
    QStringList drawn;
    QStringList frames;  // what playing it all should draw

    explicit Player(const QString &lines)
    {
        QObject::connect(&player, &PreviewPlayer::drawFrame, [this](const QString &text) { drawn << text; });
        for (const QString &line : lines.split(u',')) {
            const QStringList parts = line.split(u':');
            const QString text = QStringLiteral("^1%1").arg(model.count() + 1);
            model.appendLine({text, parts.at(0), parts.value(1, QStringLiteral("set name"))});
            frames << (parts.size() > 1 ? QStringLiteral("!! ") : QString()) + text;
        }
    }
    bool stopped() const { return !player.isPlaying() && !player.timer()->isActive(); }
};

} // namespace

class ColorsTest : public QObject {
    Q_OBJECT
private slots:
    // Every colour a game draws has a name (its buttons' tips and More colours), one per colour: the ET games'
    // two identical light greys share theirs.
    void everyColourNamed()
    {
        for (const GameRules *game : Games::All) {
            QSet<QString> names;
            for (int index = 0; index < game->colors; ++index) {
                const QString name = GameColorName(*game, index);
                QVERIFY2(!name.isEmpty(), qPrintable(QStringLiteral("%1 %2").arg(game->key).arg(index)));
                names << name;
            }
            QCOMPARE(names.size(), game->colors == 32 ? 31 : 8);
        }
    }

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

    // What each game draws.
    void drawnPerGame_data()
    {
        Columns<QString, QStringList>("text", "drawn");  // drawn: by RtCW 1.4, ioRTCW, ET 2.60b, ET: Legacy
        QTest::newRow("white before the first code") << "ab^1c" << QStringList(4, "abc/771");
        QTest::newRow("trailing caret") << "^2a^" << QStringList(4, "a^/22");
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
        auto [text, drawn] = Fetch<QString, QStringList>("text", "drawn");
        for (int engine = 0; engine < int(Games::All.size()); ++engine)
            QCOMPARE(::drawn(text, *Games::All[engine]), drawn.at(engine));
        QString colors;  // the program's own drawing, which players know their names by: RtCW 1.4's
        for (const ColorRun &run : ColoredRuns(text))
            colors += QString(run.text.size(), CodeFromColor(run.color).at(0));
        QCOMPARE(colors, drawn.first().section(u'/', 1));
        QTextDocument document;
        document.setPlainText(QStringLiteral("old content"));
        RenderColoredText(text, document);
        QCOMPARE(document.toPlainText(), drawn.first().section(u'/', 0, 0));
    }

    void playsEachLineAtItsPace_data()
    {
        Columns<QString, QList<int>>("lines", "intervals");
        QTest::newRow("below 10, messages") << "0:echo,-2:Set name,9,10:say,99" << QList<int>{50, 50, 50, 60, 1000};
        QTest::newRow("steps") << "14,15,19,20,29,30,39,40,49,50" << QList<int>{60, 150, 150, 400, 400, 500, 500, 600, 600, 1000};
        QTest::newRow("one row, no pace: 100 on the first play") << "150" << QList<int>{100};
        QTest::newRow("no pace keeps the last") << "45,150,100,soon,,40000" << QList<int>(6, 600);
    }

    // One line per tick, driven by hand; each line's Time sets the next interval.
    void playsEachLineAtItsPace()
    {
        QFETCH(QString, lines);
        Player p(lines);
        p.player.TogglePreview();
        QVERIFY(p.player.isPlaying() && p.player.timer()->isActive() && p.drawn.isEmpty());
        QList<int> intervals;
        while (p.player.isPlaying() && intervals.size() < 20) {
            p.player.tick();
            intervals << p.player.timer()->interval();
        }
        QTEST(intervals, "intervals");  // and stopped with the last line, not a tick later
        QVERIFY(p.stopped());
        p.player.tick();
        QCOMPARE(p.drawn, p.frames);
        QVERIFY(p.prompts.messages.isEmpty());
    }

    void stopsEarly_data()
    {
        QTest::addColumn<int>("rowsLeft");  // -1: the user stops it
        QTest::newRow("stopped by the user") << -1;
        QTest::newRow("all rows deleted") << 0;
    }

    void stopsEarly()
    {
        QFETCH(int, rowsLeft);
        Player p(QStringLiteral("45,15,15"));
        p.player.TogglePreview();
        p.player.tick();
        if (rowsLeft < 0)
            p.player.TogglePreview();
        while (rowsLeft >= 0 && p.model.count() > rowsLeft)
            p.model.removeLine(p.model.count() - 1);
        p.player.tick();
        QVERIFY(p.stopped());
        QCOMPARE(p.drawn, QStringList{"^11"});
        QVERIFY(p.prompts.messages.isEmpty());
    }


    void colorEditorCopies_data()
    {
        Columns<QString, int, QString>("text", "button", "copied");  // text: [the selection] the button colours; button: -1: none
        QTest::newRow("b red") << "a[b]c" << 0 << "^7a^1b^7c";
        QTest::newRow("empty box") << "[]" << -1 << "";
        QTest::newRow("no colour") << "[]name" << -1 << "^7name";
        QTest::newRow("black") << "[a]bc" << 7 << "^0a^7bc";
    }

    void colorEditorCopies()
    {
        auto [text, button] = Fetch<QString, int>("text", "button");
        ColorEditorDialog dialog;
        dialog.show();
        auto *box = dialog.findChild<QTextEdit *>(QStringLiteral("txtPreview"));
        box->setPlainText(QString(text).remove(u'[').remove(u']'));
        QTextCursor cursor = box->textCursor();
        cursor.setPosition(int(text.indexOf(u'[')));
        cursor.setPosition(int(text.indexOf(u']')) - 1, QTextCursor::KeepAnchor);
        box->setTextCursor(cursor);
        if (button >= 0)
            QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("cmdColor%1").arg(button)), Qt::LeftButton);
        QApplication::clipboard()->setText(QStringLiteral("something else"));
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("cmdClipboard")), Qt::LeftButton);
        QTEST(QApplication::clipboard()->text(), "copied");
    }
};

QTEST_MAIN(ColorsTest)
#include "tst_Colors.moc"
