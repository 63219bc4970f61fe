#include "WidgetDriving.h"
#include "WindowUnderTest.h"

#include "animation/PlayClock.h"
#include "animation/PreviewPlayer.h"
#include "colors/PreviewBoxWidget.h"

#include <QStatusBar>

namespace {

// Lines "text/time" between bars, each one setting the name.
QVector<AnimationLine> linesOf(const QString &lines)
{
    QVector<AnimationLine> result;
    for (const QString &line : lines.split(u'|'))
        result.append({line.section(u'/', 0, 0), line.section(u'/', 1)});
    return result;
}

} // namespace

// Animation, "Play at game speed" turned on by its keys, then F5: at 125 fps a wait's run is 4 ms.
class GameSpeedPlayTest : public QObject {
    Q_OBJECT
private slots:
    void playsWhatTheGameShows_data()
    {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QString>("shown");  // "ms:preview" between bars; "ms:F5" stops the play there
        QTest::addColumn<QString>("status");
        const QString fourNames = QStringLiteral("^1a/2|b/1|c/2|^0d/99");
        QTest::newRow("RtCW: a name replaced within a frame, black removed")
            << "rtcw" << fourNames << "0:a|8:a|12:c|20:d|415:d"
            << "Played 4 lines in 0.4 s; 1 name was never seen";
        QTest::newRow("ET: Legacy: names held, the latest shown after 5 s")
            << "etlegacy" << fourNames << "0:a|12:a|20:a|4999:a|5000:d" << "Played 4 lines in 5.0 s; 2 names were never seen";
        const QString slow = QStringLiteral("a/99|b/99|c/99|d/99|e/99");  // 396 ms each
        QTest::newRow("stopped by F5: no summary, the last frame stays")
            << "rtcw" << slow << "400:b|500:F5|3000:b" << "";
    }

    void playsWhatTheGameShows()
    {
        QFETCH(QString, game);
        QFETCH(QString, lines);
        QFETCH(QString, shown);
        ManualClock clock;  // outlives the window
        WindowUnderTest open;
        MainWindow &window = open.window;
        open.applySettings({"Game=" + game, "FrameRate=125"});
        window.player().gameSpeedPlayer()->setClock(&clock);
        window.document().start(linesOf(lines), QString());
        window.setCurrentRow(0);

        PressKeys(QStringLiteral("Alt+A,S"));
        QVERIFY(window.findChild<QAction *>("mnuAnimGameSpeed")->isChecked());
        QCOMPARE(GetRegValue(*open.store.store, RegHive::CurrentUser, SettingsKey, "PlayAtGameSpeed"), "1");  // kept
        PressKeys(QStringLiteral("F5"));
        auto *play = window.findChild<QToolButton *>("btnpreview");
        QCOMPARE(play->text(), QStringLiteral("Stop"));
        for (const QString &step : shown.split(u'|')) {
            const qsizetype colon = step.indexOf(u':');
            clock.advanceTo(step.left(colon).toInt());
            if (step.mid(colon + 1) == "F5")
                PressKeys(QStringLiteral("F5"));
            else
                QCOMPARE(window.previewBox()->toPlainText(), step.mid(colon + 1));
        }
        clock.advanceBy(60000);
        QCOMPARE(play->text(), QStringLiteral("Play"));
        QTEST(window.statusBar()->currentMessage(), "status");
        QCOMPARE(window.model().lines(), linesOf(lines));  // drawn, never written back
    }
};

QTEST_MAIN(GameSpeedPlayTest)
#include "tst_GameSpeedPlay.moc"
