#include "WidgetDriving.h"

#include "animation/PreviewPlayer.h"
#include "colors/ColorButtonsWidget.h"
#include "colors/ColorCodes.h"
#include "colors/ColorEditorDialog.h"
#include "colors/ColoredText.h"
#include "colors/GameColors.h"
#include "colors/Numbers.h"
#include "game/GameDrawing.h"

#include <cmath>
#include <QClipboard>
#include <QSet>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

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
};

} // namespace

class ColorsTest : public QObject {
    Q_OBJECT
private slots:
    // Every colour a game draws has a name (its buttons' tips and More colours), one per colour: the ET games'
    // two identical light greys share theirs. ET 2.60b and ET: Legacy draw each of their 32 colours with the
    // engine's table (channels as the engine writes them, 0 to 1), whichever of its code characters names it.
    void coloursAreNamedAndTheEnginesOwn()
    {
        struct EngineColor { float r, g, b; const char *codes; };
        static constexpr EngineColor table[32] = {
            {0, 0, 0, "0Pp"}, {1, 0, 0, "1Qq"}, {0, 1, 0, "2Rr"}, {1, 1, 0, "3Ss"}, {0, 0, 1, "4Tt"},
            {0, 1, 1, "5Uu"}, {1, 0, 1, "6Vv"}, {1, 1, 1, "7Ww"}, {1, 0.5f, 0, "8Xx"}, {0.5f, 0.5f, 0.5f, "9Yy"},
            {0.75f, 0.75f, 0.75f, ":Zz"}, {0.75f, 0.75f, 0.75f, ";[{"}, {0, 0.5f, 0, "<\\|"}, {0.5f, 0.5f, 0, "=]}"},
            {0, 0, 0.5f, ">~"}, {0.5f, 0, 0, "?_"}, {0.5f, 0.25f, 0, "@`"}, {1, 0.6f, 0.1f, "!Aa"}, {0, 0.5f, 0.5f, "\"Bb"},
            {0.5f, 0, 0.5f, "#Cc"}, {0, 0.5f, 1, "$Dd"}, {0.5f, 0, 1, "%Ee"}, {0.2f, 0.6f, 0.8f, "&Ff"},
            {0.8f, 1, 0.8f, "'Gg"}, {0, 0.4f, 0.2f, "(Hh"}, {1, 0, 0.2f, ")Ii"}, {0.7f, 0.1f, 0.1f, "Jj"},
            {0.6f, 0.2f, 0, "+Kk"}, {0.8f, 0.6f, 0.2f, ",Ll"}, {0.6f, 0.6f, 0.2f, "-Mm"}, {1, 1, 0.75f, ".Nn"},
            {1, 1, 0.5f, "/Oo"}};  // ^* draws in the text's own colour, not 26's
        const auto channel = [](float value) { return int(std::lround(value * 255)); };
        for (const GameRules *game : Games::All) {
            QSet<QString> names;
            for (int index = 0; index < game->colors; ++index) {
                names << GameColorName(*game, index);
                QVERIFY2(!GameColorName(*game, index).isEmpty(), qPrintable(QStringLiteral("%1 %2").arg(game->key).arg(index)));
                const QColor expected(channel(table[index].r), channel(table[index].g), channel(table[index].b));
                for (const char *code = table[index].codes; game->colors == 32 && *code; ++code) {
                    const QVector<ColorRun> runs = ColoredRuns(QStringLiteral("^%1x").arg(QLatin1Char(*code)), *game);
                    QVERIFY2(runs.size() == 1 && runs.first().color == expected,
                             qPrintable(QStringLiteral("%1 ^%2").arg(game->key).arg(QLatin1Char(*code))));
                }
            }
            QCOMPARE(names.size(), game->colors == 32 ? 31 : 8);
        }
    }

    void isNumber_data()
    {
        Columns<QString, bool, int>("text", "isNumber", "value");
        QTest::newRow("blanks around") << " 12 " << true << 12;
        QTest::newRow("half rounds to even") << "6.5" << true << 6;
        QTest::newRow("negative") << "-2" << true << -2;
        QTest::newRow("highest") << "32767" << true << 32767;
        QTest::newRow("rounds past highest") << "32767.5" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("number then letter") << "2x" << false << 0;
        QTest::newRow("huge digit run") << QString(400, QLatin1Char('9')) << false << 0;
    }

    void isNumber()
    {
        auto [text, isNumber, value] = Fetch<QString, bool, int>("text", "isNumber", "value");
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
        // stop: after the first line, "user" stops it or "delete" removes every row after it
        Columns<QString, QList<int>, QString>("lines", "intervals", "stop");
        QTest::newRow("below 10, messages") << "0:echo,-2:Set name,9,10:say,99" << QList<int>{50, 50, 50, 60, 1000} << "";
        QTest::newRow("steps") << "14,15,19,20,29,30,39,40,49,50" << QList<int>{60, 150, 150, 400, 400, 500, 500, 600, 600, 1000} << "";
        QTest::newRow("one row, no pace: 100 on the first play") << "150" << QList<int>{100} << "";
        QTest::newRow("no pace keeps the last") << "45,150,100,soon,,40000" << QList<int>(6, 600) << "";
        QTest::newRow("stopped by the user") << "45,15,15" << QList<int>{600} << "user";
        QTest::newRow("the rows after it deleted: the next tick stops") << "45,15,15" << QList<int>{600, 600} << "delete";
    }

    // One line per tick, driven by hand; each line's Time sets the next interval.
    void playsEachLineAtItsPace()
    {
        auto [lines, stop] = Fetch<QString, QString>("lines", "stop");
        Player p(lines);
        p.player.TogglePreview();
        QVERIFY(p.player.isPlaying() && p.player.timer()->isActive() && p.drawn.isEmpty());
        QList<int> intervals;
        while (p.player.isPlaying() && intervals.size() < 20) {
            p.player.tick();
            intervals << p.player.timer()->interval();
            if (stop == "user")
                p.player.TogglePreview();
            while (stop == "delete" && p.model.count() > 1)
                p.model.removeLine(1);
        }
        QTEST(intervals, "intervals");  // and stopped with the last line, not a tick later
        QVERIFY(!p.player.isPlaying() && !p.player.timer()->isActive());
        p.player.tick();
        QCOMPARE(p.drawn, p.frames.mid(0, stop.isEmpty() ? -1 : 1));
        QVERIFY(p.prompts.messages.isEmpty());
    }

    void colorEditorCopies_data()
    {
        // text: [the selection] the button colours; button: -1: none; keys: instead of the button, Tab into the colour
        // buttons, then these, or "colorize": Colorize, its next pattern and OK
        Columns<QString, int, QString, QString>("text", "button", "copied", "keys");
        QTest::newRow("b red") << "a[b]c" << 0 << "^7a^1b^7c" << "";
        QTest::newRow("b red by keys") << "a[b]c" << -1 << "^7a^1b^7c" << "Space";
        // Nine buttons: ^1 to ^9 (red again); black is the one before the last.
        QTest::newRow("black by keys: Left wraps to the last") << "[a]bc" << -1 << "^0a^7bc" << "Left,Left,Return";
        QTest::newRow("empty box") << "[]" << -1 << "" << "";
        QTest::newRow("no colour") << "[]name" << -1 << "^7name" << "";
        QTest::newRow("black") << "[a]bc" << 7 << "^0a^7bc" << "";
        QTest::newRow("colorized, alternate") << "[]ab c" << -1 << "^1a^4b ^1c" << "colorize";
    }

    void colorEditorCopies()
    {
        auto [text, button, keys] = Fetch<QString, int, QString>("text", "button", "keys");
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
        if (keys == "colorize") {
            QTimer::singleShot(0, &dialog, [] {
                QWidget *colorize = QApplication::activeModalWidget();
                QVERIFY(colorize && colorize->objectName() == QLatin1String("frmColorize"));
                QTest::keyClick(colorize->findChild<QComboBox *>("cmbPattern"), Qt::Key_Down);
                ClickNamed(*colorize, "cmdOK");
            });
            ClickNamed(dialog, "cmdColorize");
        } else if (!keys.isEmpty()) {
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            box->setFocus();
            QVERIFY(TabTo(dialog, dialog.findChild<ColorButtonsWidget *>()));
            PressKeys(keys);
        }
        QApplication::clipboard()->setText(QStringLiteral("something else"));
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("cmdClipboard")), Qt::LeftButton);
        QTEST(QApplication::clipboard()->text(), "copied");
    }
};

QTEST_MAIN(ColorsTest)
#include "tst_Colors.moc"
