#include "WindowUnderTest.h"

#include "animation/PlayClock.h"
#include "animation/PreviewPlayer.h"

#include <QSpinBox>
#include <QStatusBar>
#include <QTextBlock>

namespace {

// The leftmost x in the first row's Text, before its mark, drawn in this colour: nearer to it than to the
// row's backdrop by far (a faint code is not). -1 when none is.
int firstPixelIn(QTreeView *list, const QColor &color)
{
    const QImage image = list->viewport()->grab().toImage();
    const QRect cell = list->visualRect(list->model()->index(0, 0));
    auto distance = [](QColor a, QColor b) { return qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) + qAbs(a.blue() - b.blue()); };
    const QColor backdrop = image.pixelColor(cell.left() + 1, cell.bottom());
    for (int x = cell.left(); x < cell.left() + 150; ++x) {
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            if (3 * distance(image.pixelColor(x, y), color) < distance(image.pixelColor(x, y), backdrop))
                return x;
    }
    return -1;
}

// Lines "text/time" between bars, each one setting the name.
QVector<AnimationLine> linesOf(const QString &lines)
{
    QVector<AnimationLine> result;
    for (const QString &line : lines.split(u'|'))
        result.append({line.section(u'/', 0, 0), line.section(u'/', 1)});
    return result;
}

} // namespace

// What the main window tells of the game: list marks, the game's version in the preview, its colours, the
// script window's own file dialog, and a play at the game's pace.
class GameMarksTest : public WindowTest {
    Q_OBJECT
private slots:

    void marks_data()
    {
        using Lines = QVector<AnimationLine>;
        Columns<Lines, QStringList>("lines", "tips");  // tips per row, "" for no mark
        const AnimationLine ok{"^1Mar^7quee", "100", "set name"};
        QTest::newRow("as written") << Lines{ok, {"hi", "10", "echo"}} << QStringList{"", ""};
        QTest::newRow("refused") << Lines{{"Bo\\b", "15", "set name"}} << QStringList{"In the game: UnnamedPlayer"};
        QTest::newRow("rewritten") << Lines{{"^0x^1Bob", "15", "set name"}} << QStringList{"In the game: x^1Bob"};
        QTest::newRow("chat too soon after a name") << Lines{{"Bob", "50", "set name"}, {"hi", "15", "say"}}
                                                    << QStringList{"", "dropped by the server"};
        // The script writes these otherwise than the Text: the mark tells what it holds.
        QTest::newRow("quote") << Lines{{"a\"b", "100", "say"}, {"\"hi\"", "100", "echo"}}
                               << QStringList{"In the game: a'b", "the script writes each \" of the Text as '"};
        QTest::newRow("foreign characters, %") << Lines{{QStringLiteral("^1Oc\u00e9lot 100%"), "15", "set name"}}
                                               << QStringList{"In the game: ^1Oclot 100."};
        QTest::newRow("replaced within one frame") << Lines{{"a", "1", "set name"}, {"b", "15", "set name"}}
                                                   << QStringList{"never seen", ""};
        QTest::newRow("a Time the game reads otherwise")
            << Lines{{"a", "1.5", "set name"}, {"b", "20", "set name"}, {"c", "99.9", "set name"}}
            << QStringList{"wait 1.5 waits 1", "", "wait 99.9 waits 99"};
        QTest::newRow("line separator") << Lines{{QStringLiteral("a\u2028b"), "100", "set name"}} << QStringList{"In the game: a b"};
        QTest::newRow("past 1,023 bytes") << Lines{{QString(1020, QLatin1Char('a')), "100", "echo"}}
                                          << QStringList{"In the game: " + QString(1016, QLatin1Char('a')) + '\n'};
        // The server's changes to chat, and the game's 149 bytes.
        QTest::newRow("chat: % and a Latin-1 letter") << Lines{{QStringLiteral("100% caf\u00e9"), "100", "say"}}
            << QStringList{"In the game: 100. caf.\nthe server turns % into .; letters outside ASCII"};
        QTest::newRow("chat: 200 bytes") << Lines{{QString(200, QLatin1Char('b')), "100", "say_team"}}
                                         << QStringList{"In the game: " + QString(149, QLatin1Char('b')) + '\n'};
    }

    void marks()
    {
        const auto [lines, tips] = Fetch<QVector<AnimationLine>, QStringList>("lines", "tips");
        window->model().setLines(lines);
        QAbstractItemModel *model = window->list()->model();
        for (int row = 0; row < lines.size(); ++row) {
            const QModelIndex index = model->index(row, 0);
            const QString tip = model->data(index, Qt::ToolTipRole).toString();
            QCOMPARE(tip.isEmpty(), tips.at(row).isEmpty());
            QVERIFY2(tip.startsWith(tips.at(row)) || tip.contains(tips.at(row)), qPrintable(tip));
            QCOMPARE(model->data(index, Qt::DecorationRole).isValid(), !tips.at(row).isEmpty());
        }
        // Mending the line takes its mark away.
        window->model().setText(0, "Fine");
        window->model().setTime(0, "100");
        QVERIFY(!model->data(model->index(0, 0), Qt::ToolTipRole).isValid());
    }

    void previewShowsTheGamesVersion_data()
    {
        QTest::addColumn<int>("after");  // lines after the one shown
        QTest::newRow("one line") << 0;
        QTest::newRow("a long animation, marked on a worker") << int(LineMarkCache::PlayedAtOnce) + 100;
    }
    void previewShowsTheGamesVersion()
    {
        QFETCH(int, after);
        QVector<AnimationLine> lines{{"  ^0x^2Bob", "15", "set name"}};
        lines.append(QVector<AnimationLine>(after, {"filler", "15", "set name"}));
        window->model().setLines(lines);
        window->setCurrentRow(0);
        QCOMPARE(window->previewBox()->toPlainText(), QStringLiteral("  xBob"));
        auto *note = window->statusBar()->findChild<QLabel *>("lblPreviewNote");
        QCOMPARE(note->text(), QStringLiteral("Type in the preview to change the line's Text"));
        ClickEntry(*window, "mnuEditShowAsGame");
        QTRY_COMPARE(window->previewBox()->toPlainText(), QStringLiteral("xBob"));
        QVERIFY(note->text().endsWith(QStringLiteral("locked (Edit \u25b8 Show as the game shows it)")));
        QVERIFY(window->previewBox()->isReadOnly());
        QCOMPARE(window->model().line(0).text, QStringLiteral("  ^0x^2Bob"));
        ClickEntry(*window, "mnuEditShowAsGame");
        QCOMPARE(window->previewBox()->toPlainText(), QStringLiteral("  xBob"));
    }

    // The script window keeps its own file dialog, never the animation's; its Repeat is the next script's too, and
    // the list's and Play's passes.
    void scriptWindowKeepsItsFileAndRepeat()
    {
        QTemporaryDir dir;
        open->applySettings({"GenerateDir=" + dir.filePath("scripts")});
        window->model().setLines({{"Bob", "15", "set name"}});
        open->prompts.fileAnswers = {dir.filePath("a.ras")};
        ClickEntry(*window, "btnsave");
        open->onDialog = [&](QDialog &script) {
            auto *repeat = script.findChild<QSpinBox *>("spnRepeat");
            QTest::keyClick(repeat, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(repeat, QStringLiteral("4"));
            QTest::keyClick(repeat, Qt::Key_Return);
            open->prompts.fileAnswers = {dir.filePath("s")};
            ClickMenuBar(script);
        };
        ClickEntry(*window, "btngenerate");
        QCOMPARE(GetRegValue(*open->store.store, RegHive::CurrentUser, SettingsKey, "ScriptRepeat"), "4");
        QCOMPARE(window->model().passes(), 4);
        ClickEntry(*window, "btngenerate");
        open->prompts.fileAnswers = {};
        ClickEntry(*window, "btnsave");
        QCOMPARE(open->prompts.dialogs.size(), 4);
        QCOMPARE(open->prompts.dialogs.at(1).state.fileName, QString());  // never a.ras
        QCOMPARE(open->prompts.dialogs.at(1).state.initialDir, dir.filePath("scripts"));
        QCOMPARE(open->prompts.dialogs.at(2).state.fileName, dir.filePath("s.cfg"));  // where the last script went
        QCOMPARE(open->prompts.dialogs.at(3).state.fileName, dir.filePath("a.ras"));
        QVERIFY(QFile::exists(dir.filePath("s.cfg")));
    }

    // Choosing the game in Options recolours everything at once (^8 is black on RtCW, orange on ET) and sets
    // the list's marks. View, "Show codes in the list" off leaves the list only the coloured text.
    void followsTheGame_data()
    {
        Columns<QString, QColor, QString>("game", "eight", "tip");  // tip: of a 36-byte name
        QTest::newRow("RtCW 1.4") << "rtcw" << QColor(Qt::black) << "cut at 35 bytes";
        QTest::newRow("ET 2.60b") << "et" << QColor(0xFF8000) << "cut at 35 bytes";
        QTest::newRow("ET: Legacy") << "etlegacy" << QColor(0xFF8000) << "over 35 bytes: the server drops the player";
    }
    void followsTheGame()
    {
        const auto [game, eight, tip] = Fetch<QString, QColor, QString>("game", "eight", "tip");
        ClickEntry(*window, "mnuEditShowColors");
        window->model().setLines({{"^8abc", "15", "set name"}, {QString(36, QLatin1Char('a')), "15", "set name"}});
        open->applySettings({"Game=" + game});
        QVERIFY(window->findChild<QPushButton *>("cmdColor7")->styleSheet().contains(eight.name()));
        QCOMPARE(window->findChild<QToolButton *>("cmdMoreColors")->isVisible(), game.startsWith("et"));  // 32 colours
        QCOMPARE(window->previewBox()->document()->firstBlock().begin().fragment().charFormat().foreground().color(), eight);
        const int withCodes = firstPixelIn(window->list(), eight);
        ClickEntry(*window, "mnuViewShowCodes");  // off: only the coloured text, starting where the code stood
        const int withoutCodes = firstPixelIn(window->list(), eight);
        QVERIFY2(withoutCodes >= 0 && withCodes > withoutCodes + 8, qPrintable(QString("%1 %2").arg(withCodes).arg(withoutCodes)));
        const QString shown = window->list()->model()->data(window->list()->model()->index(1, 0), Qt::ToolTipRole).toString();
        QVERIFY2(shown.contains(tip), qPrintable(shown));
    }

    // Animation, "Play at game speed" turned on by its keys, then F5: at 125 fps a wait's run is 4 ms.
    void playsWhatTheGameShows_data()
    {
        // shown: "ms:preview" between bars; "ms:F5" stops the play there
        Columns<QString, QString, QString, QString>("game", "lines", "shown", "status");
        const QString fourNames = QStringLiteral("^1a/2|b/1|c/2|^0d/99");
        QTest::newRow("RtCW: a name replaced within a frame, black removed")
            << "rtcw" << fourNames << "0:a|8:a|12:c|20:d|415:d"
            << "Played 4 lines in 0.4 s; 1 name was never seen";
        QTest::newRow("ET: Legacy: names held, the latest shown after 5 s")
            << "etlegacy" << fourNames << "0:a|12:a|20:a|4999:a|5000:d" << "Played 4 lines in 5.0 s; 2 names were never seen";
        const QString slow = QStringLiteral("a/99|b/99|c/99|d/99|e/99");  // 396 ms each
        QTest::newRow("stopped by F5: no summary, the last frame stays")
            << "rtcw" << slow << "400:b|500:F5|3000:b" << "";
        // The script window's Repeat: Play goes through the passes the script plays.
        QTest::newRow("RtCW, two passes") << "rtcw\nScriptRepeat=2" << fourNames << "0:a|20:d|415:d|416:a|436:d"
                                          << "Played 8 lines in 0.8 s; 2 names were never seen";
    }

    void playsWhatTheGameShows()
    {
        const auto [game, lines, shown] = Fetch<QString, QString, QString>("game", "lines", "shown");
        open->applySettings(QStringList{"Game=" + game.section(u'\n', 0, 0), "FrameRate=125"} + game.section(u'\n', 1).split(u'\n', Qt::SkipEmptyParts));
        window->player().gameSpeedPlayer()->setClock(&clock);
        window->document().start(linesOf(lines), QString());
        window->setCurrentRow(0);
        PressKeys(QStringLiteral("Alt+A,S"));
        QVERIFY(window->findChild<QAction *>("mnuAnimGameSpeed")->isChecked());
        QCOMPARE(GetRegValue(*open->store.store, RegHive::CurrentUser, SettingsKey, "PlayAtGameSpeed"), "1");  // kept
        PressKeys(QStringLiteral("F5"));
        auto *play = window->findChild<QToolButton *>("btnpreview");
        QCOMPARE(play->text(), QStringLiteral("Stop"));
        for (const QString &step : shown.split(u'|')) {
            const qsizetype colon = step.indexOf(u':');
            clock.advanceTo(step.left(colon).toInt());
            if (step.mid(colon + 1) == "F5")
                PressKeys(QStringLiteral("F5"));
            else
                QCOMPARE(window->previewBox()->toPlainText(), step.mid(colon + 1));
        }
        clock.advanceBy(60000);
        QCOMPARE(play->text(), QStringLiteral("Play"));
        QTEST(window->statusBar()->currentMessage(), "status");
        QCOMPARE(window->model().lines(), linesOf(lines));  // drawn, never written back
    }

private:
    ManualClock clock;  // outlives the windows, which cleanup() closes
};

QTEST_MAIN(GameMarksTest)
#include "tst_GameMarks.moc"
