#include "WidgetDriving.h"
#include "WindowUnderTest.h"

#include "colors/PreviewBoxWidget.h"

#include <QPushButton>
#include <QTextBlock>
#include <QTreeView>

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

} // namespace

// What the main window tells of the game: list marks, the game's version in
// the preview, its colours, and the script window's own file dialog.
class GameMarksTest : public QObject {
    Q_OBJECT
private slots:
    void init() { open = std::make_unique<WindowUnderTest>(); window = &open->window; }
    void cleanup() { open.reset(); }

    void marks_data()
    {
        QTest::addColumn<QVector<AnimationLine>>("lines");
        QTest::addColumn<QStringList>("tips");  // per row, "" for no mark
        const AnimationLine ok{"^1Mar^7quee", "100", "set name"};
        QTest::newRow("as written") << QVector<AnimationLine>{ok, {"hi", "10", "echo"}} << QStringList{"", ""};
        QTest::newRow("refused") << QVector<AnimationLine>{{"Bo\\b", "15", "set name"}}
                                 << QStringList{"In the game: UnnamedPlayer"};
        QTest::newRow("rewritten") << QVector<AnimationLine>{{"^0x^1Bob", "15", "set name"}} << QStringList{"In the game: x^1Bob"};
        QTest::newRow("chat too soon after a name") << QVector<AnimationLine>{{"Bob", "50", "set name"}, {"hi", "15", "say"}}
                                                    << QStringList{"", "dropped by the server"};
        // The script writes these otherwise than the Text: the mark tells what it holds.
        QTest::newRow("quote") << QVector<AnimationLine>{{"a\"b", "100", "say"}, {"\"hi\"", "100", "echo"}}
                               << QStringList{"In the game: a'b", "the script writes each \" of the Text as '"};
        QTest::newRow("foreign characters, %") << QVector<AnimationLine>{{QStringLiteral("^1Oc\u00e9lot 100%"), "15", "set name"}}
                                               << QStringList{"In the game: ^1Oclot 100."};
        QTest::newRow("replaced within one frame") << QVector<AnimationLine>{{"a", "1", "set name"}, {"b", "15", "set name"}}
                                                   << QStringList{"never seen", ""};
        QTest::newRow("a Time the game reads otherwise")
            << QVector<AnimationLine>{{"a", "1.5", "set name"}, {"b", "20", "set name"}, {"c", "99.9", "set name"}}
            << QStringList{"wait 1.5 waits 1", "", "wait 99.9 waits 99"};
        QTest::newRow("line separator") << QVector<AnimationLine>{{QStringLiteral("a\u2028b"), "100", "set name"}}
                                        << QStringList{"In the game: a b"};
        QTest::newRow("past 1,023 bytes") << QVector<AnimationLine>{{QString(1020, QLatin1Char('a')), "100", "echo"}}
                                          << QStringList{"In the game: " + QString(1016, QLatin1Char('a')) + '\n'};
        // The server's changes to chat, and the game's 149 bytes.
        QTest::newRow("chat: % and a Latin-1 letter")
            << QVector<AnimationLine>{{QStringLiteral("100% caf\u00e9"), "100", "say"}}
            << QStringList{"In the game: 100. caf.\nthe server turns % into .; letters outside ASCII"};
        QTest::newRow("chat: 200 bytes") << QVector<AnimationLine>{{QString(200, QLatin1Char('b')), "100", "say_team"}}
                                         << QStringList{"In the game: " + QString(149, QLatin1Char('b')) + '\n'};
    }

    void marks()
    {
        QFETCH(QVector<AnimationLine>, lines);
        QFETCH(QStringList, tips);
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

    void previewShowsTheGamesVersion()
    {
        window->model().setLines({{"  ^0x^2Bob", "15", "set name"}});
        window->setCurrentRow(0);
        QCOMPARE(window->previewBox()->toPlainText(), QStringLiteral("  xBob"));
        ClickEntry(*window, "mnuEditShowAsGame");
        QCOMPARE(window->previewBox()->toPlainText(), QStringLiteral("xBob"));
        QVERIFY(window->previewBox()->isReadOnly());
        QCOMPARE(window->model().line(0).text, QStringLiteral("  ^0x^2Bob"));
        ClickEntry(*window, "mnuEditShowAsGame");
        QCOMPARE(window->previewBox()->toPlainText(), QStringLiteral("  xBob"));
    }

    void scriptWindowKeepsItsOwnFileDialog()
    {
        QTemporaryDir dir;
        open->applySettings({"GenerateDir=" + dir.filePath("scripts")});
        window->model().setLines({{"Bob", "15", "set name"}});
        open->prompts.fileAnswers = {dir.filePath("a.ras")};
        clickButton("btnsave");
        open->onDialog = [&](QDialog &script) {
            open->prompts.fileAnswers = {dir.filePath("s")};
            ClickMenuBar(script);
        };
        clickButton("btngenerate");
        clickButton("btngenerate");
        open->prompts.fileAnswers = {};
        clickButton("btnsave");
        QCOMPARE(open->prompts.dialogs.size(), 4);
        QCOMPARE(open->prompts.dialogs.at(1).state.fileName, QString());  // never a.ras
        QCOMPARE(open->prompts.dialogs.at(1).state.initialDir, dir.filePath("scripts"));
        QCOMPARE(open->prompts.dialogs.at(2).state.fileName, dir.filePath("s.cfg"));  // where the last script went
        QCOMPARE(open->prompts.dialogs.at(3).state.fileName, dir.filePath("a.ras"));
        QVERIFY(QFile::exists(dir.filePath("s.cfg")));
    }

    // Choosing the game in Options recolours everything at once (^8 is black on RtCW, orange on ET) and sets
    // the list's marks.
    void followsTheGame_data()
    {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QColor>("eight");
        QTest::addColumn<QString>("tip");  // of a 36-byte name
        QTest::newRow("RtCW 1.4") << "rtcw" << QColor(Qt::black) << "cut at 35 bytes";
        QTest::newRow("ET 2.60b") << "et" << QColor(0xFF8000) << "cut at 35 bytes";
        QTest::newRow("ET: Legacy") << "etlegacy" << QColor(0xFF8000) << "over 35 bytes: the server drops the player";
    }
    void followsTheGame()
    {
        QFETCH(QString, game);
        QFETCH(QColor, eight);
        QFETCH(QString, tip);
        ClickEntry(*window, "mnuEditShowColors");
        window->model().setLines({{"^8abc", "15", "set name"}, {QString(36, QLatin1Char('a')), "15", "set name"}});
        open->applySettings({"Game=" + game});
        QVERIFY(window->findChild<QPushButton *>("cmdColor7")->styleSheet().contains(eight.name()));
        QCOMPARE(window->findChild<QToolButton *>("cmdMoreColors")->isVisible(), game.startsWith("et"));  // 32 colours
        QCOMPARE(window->previewBox()->document()->firstBlock().begin().fragment().charFormat().foreground().color(), eight);
        QVERIFY(firstPixelIn(window->list(), eight) >= 0);
        const QString shown = window->list()->model()->data(window->list()->model()->index(1, 0), Qt::ToolTipRole).toString();
        QVERIFY2(shown.contains(tip), qPrintable(shown));
    }

    // View, "Show codes in the list" off leaves only the coloured text: it starts where the code stood.
    void showCodesInTheList()
    {
        window->model().setLines({{"^1abc", "15", "set name"}});
        const int withCodes = firstPixelIn(window->list(), Qt::red);
        ClickEntry(*window, "mnuViewShowCodes");
        const int withoutCodes = firstPixelIn(window->list(), Qt::red);
        QVERIFY2(withoutCodes >= 0 && withCodes > withoutCodes + 8, qPrintable(QString("%1 %2").arg(withCodes).arg(withoutCodes)));
    }

private:
    void clickButton(const char *name) { QTest::mouseClick(window->findChild<QToolButton *>(name), Qt::LeftButton, {}, QPoint(8, 8)); }

    std::unique_ptr<WindowUnderTest> open;
    MainWindow *window = nullptr;
};

QTEST_MAIN(GameMarksTest)
#include "tst_GameMarks.moc"
