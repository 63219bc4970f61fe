#include "FakePrompts.h"
#include "TestLines.h"

#include "colors/ColoredText.h"
#include "colors/PreviewPlayer.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

AnimationLine Line(const QString &text, const QString &time, const QString &action = QStringLiteral("set name"))
{
    return {text, time, action};
}

QStringList Drawn(const QSignalSpy &spy)
{
    QStringList texts;
    for (const QList<QVariant> &arguments : spy)
        texts << arguments.at(0).toString();
    return texts;
}

} // namespace

class PreviewPlayerTest : public QObject {
    Q_OBJECT
private slots:
    void intervalForTime_data();
    void intervalForTime();
    void playsEachLineAtItsPace();
    void intervalCarriesOverToTheNextPlay();
    void emptyAnimationIsNotPlayed_data();
    void emptyAnimationIsNotPlayed();
    void oneRowStopsInTheFirstTick();
    void messagesAreMarked_data();
    void messagesAreMarked();
    void stopWhilePlaying();
    void rowsRemovedWhilePlaying_data();
    void rowsRemovedWhilePlaying();
    void timerDrivesThePlay();
};

void PreviewPlayerTest::intervalForTime_data()
{
    QTest::addColumn<QString>("time");
    QTest::addColumn<int>("interval");
    const int previous = 777;
    QTest::newRow("5") << "5" << 50;
    QTest::newRow("0") << "0" << 50;
    QTest::newRow("-2") << "-2" << 50;
    QTest::newRow("9") << "9" << 50;
    QTest::newRow("10") << "10" << 60;
    QTest::newRow("14") << "14" << 60;
    QTest::newRow("15") << "15" << 150;
    QTest::newRow("19") << "19" << 150;
    QTest::newRow("20") << "20" << 400;
    QTest::newRow("29") << "29" << 400;
    QTest::newRow("30") << "30" << 500;
    QTest::newRow("39") << "39" << 500;
    QTest::newRow("40") << "40" << 600;
    QTest::newRow("49") << "49" << 600;
    QTest::newRow("50") << "50" << 1000;
    QTest::newRow("99") << "99" << 1000;
    QTest::newRow("9.5 rounds to 10") << "9.5" << 60;
    QTest::newRow("blanks around") << " 20 " << 400;
    QTest::newRow("100 keeps the pace") << "100" << previous;
    QTest::newRow("150 keeps the pace") << "150" << previous;
    QTest::newRow("no number keeps the pace") << "soon" << previous;
    QTest::newRow("empty keeps the pace") << "" << previous;
    QTest::newRow("out of range keeps the pace") << "40000" << previous;
}

void PreviewPlayerTest::intervalForTime()
{
    QFETCH(QString, time);
    QFETCH(int, interval);
    QCOMPARE(PreviewPlayer::IntervalForTime(time, 777), interval);
}

void PreviewPlayerTest::playsEachLineAtItsPace()
{
    AnimationModel model;
    model.appendLines({Line("one", "5"), Line("two", "10"), Line("three", "99")});
    FakePrompts prompts;
    PreviewPlayer player(model, prompts);
    QSignalSpy drawn(&player, &PreviewPlayer::drawFrame);
    QSignalSpy playing(&player, &PreviewPlayer::playingChanged);

    player.TogglePreview();
    QVERIFY(player.isPlaying());
    QVERIFY(player.timer()->isActive());
    QVERIFY(drawn.isEmpty());

    QList<int> intervals;
    for (int i = 0; i < 3; ++i) {
        player.tick();
        intervals << player.timer()->interval();
    }
    QCOMPARE(intervals, QList<int>({50, 60, 1000}));
    QCOMPARE(Drawn(drawn), QStringList({"one", "two", "three"}));
    QVERIFY(!player.isPlaying());
    QVERIFY(!player.timer()->isActive());
    QCOMPARE(playing.size(), 2);
    QCOMPARE(playing.at(0).at(0).toBool(), true);
    QCOMPARE(playing.at(1).at(0).toBool(), false);
    QVERIFY(prompts.messages.isEmpty());
}

void PreviewPlayerTest::intervalCarriesOverToTheNextPlay()
{
    AnimationModel model;
    model.appendLines({Line("a", "150")});
    FakePrompts prompts;
    PreviewPlayer player(model, prompts);
    player.TogglePreview();
    player.tick();
    QCOMPARE(player.timer()->interval(), 100);  // the first frame of the first play

    model.setTime(0, QStringLiteral("45"));
    player.TogglePreview();
    player.tick();
    QCOMPARE(player.timer()->interval(), 600);

    model.setTime(0, QStringLiteral("150"));
    player.TogglePreview();
    QCOMPARE(player.timer()->interval(), 600);  // never reset between plays
    player.tick();
    QCOMPARE(player.timer()->interval(), 600);
}

void PreviewPlayerTest::emptyAnimationIsNotPlayed_data()
{
    QTest::addColumn<PromptAnswer>("answer");
    QTest::newRow("OK") << PromptAnswer::Ok;
    QTest::newRow("Cancel") << PromptAnswer::Cancel;
}

void PreviewPlayerTest::emptyAnimationIsNotPlayed()
{
    QFETCH(PromptAnswer, answer);
    AnimationModel model;
    FakePrompts prompts;
    prompts.answers << answer;
    PreviewPlayer player(model, prompts);
    QSignalSpy playing(&player, &PreviewPlayer::playingChanged);

    player.TogglePreview();
    QCOMPARE(prompts.messages.size(), 1);
    const FakePrompts::Message &message = prompts.messages.first();
    QCOMPARE(message.text, QStringLiteral("There is no animation to play!"));
    QCOMPARE(message.title, QStringLiteral("Preview Animation"));
    QCOMPARE(message.icon, PromptIcon::Exclamation);
    QCOMPARE(message.buttons, PromptButtons::OkCancel);
    QVERIFY(!player.isPlaying());
    QVERIFY(!player.timer()->isActive());
    QVERIFY(playing.isEmpty());
}

void PreviewPlayerTest::oneRowStopsInTheFirstTick()
{
    AnimationModel model;
    model.appendLines({Line("only", "15")});
    FakePrompts prompts;
    PreviewPlayer player(model, prompts);
    QSignalSpy drawn(&player, &PreviewPlayer::drawFrame);
    player.TogglePreview();
    player.tick();
    QCOMPARE(Drawn(drawn), QStringList{"only"});
    QVERIFY(!player.isPlaying());
    QVERIFY(!player.timer()->isActive());
    player.tick();  // a late tick of a stopped player draws nothing
    QCOMPARE(drawn.size(), 1);
}

void PreviewPlayerTest::messagesAreMarked_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("frame");
    QTest::newRow("set name") << "set name" << "^1hi";
    QTest::newRow("say") << "say" << "!! ^1hi";
    QTest::newRow("say_team") << "say_team" << "!! ^1hi";
    QTest::newRow("vsay") << "vsay" << "!! ^1hi";
    QTest::newRow("echo") << "echo" << "!! ^1hi";
    QTest::newRow("compared exactly") << "Set name" << "!! ^1hi";
}

void PreviewPlayerTest::messagesAreMarked()
{
    QFETCH(QString, action);
    QFETCH(QString, frame);
    AnimationModel model;
    model.appendLines({Line("^1hi", "15", action)});
    FakePrompts prompts;
    PreviewPlayer player(model, prompts);
    QSignalSpy drawn(&player, &PreviewPlayer::drawFrame);
    player.TogglePreview();
    player.tick();
    QCOMPARE(Drawn(drawn), QStringList{frame});
}

void PreviewPlayerTest::stopWhilePlaying()
{
    AnimationModel model;
    model.appendLines({Line("a", "15"), Line("b", "15"), Line("c", "15")});
    FakePrompts prompts;
    PreviewPlayer player(model, prompts);
    QSignalSpy drawn(&player, &PreviewPlayer::drawFrame);
    player.TogglePreview();
    player.tick();
    player.TogglePreview();
    QVERIFY(!player.isPlaying());
    QVERIFY(!player.timer()->isActive());
    player.tick();
    QCOMPARE(Drawn(drawn), QStringList{"a"});

    // Playing again starts from the first line.
    player.TogglePreview();
    player.tick();
    QCOMPARE(Drawn(drawn), QStringList({"a", "a"}));
}

void PreviewPlayerTest::rowsRemovedWhilePlaying_data()
{
    QTest::addColumn<int>("rowsLeft");
    QTest::newRow("all rows") << 0;
    QTest::newRow("rows past the current frame") << 1;
}

void PreviewPlayerTest::rowsRemovedWhilePlaying()
{
    QFETCH(int, rowsLeft);
    AnimationModel model;
    model.appendLines({Line("a", "15"), Line("b", "15"), Line("c", "15")});
    FakePrompts prompts;
    PreviewPlayer player(model, prompts);
    QSignalSpy drawn(&player, &PreviewPlayer::drawFrame);
    player.TogglePreview();
    player.tick();
    while (model.count() > rowsLeft)
        model.removeLine(model.count() - 1);

    player.tick();
    QVERIFY(!player.isPlaying());
    QVERIFY(!player.timer()->isActive());
    QCOMPARE(Drawn(drawn), QStringList{"a"});
    QVERIFY(prompts.messages.isEmpty());
}

void PreviewPlayerTest::timerDrivesThePlay()
{
    AnimationModel model;
    model.appendLines({Line("a", "5"), Line("b", "5")});
    FakePrompts prompts;
    PreviewPlayer player(model, prompts);
    QSignalSpy drawn(&player, &PreviewPlayer::drawFrame);
    player.TogglePreview();
    QTRY_VERIFY_WITH_TIMEOUT(!player.isPlaying(), 2000);
    QCOMPARE(Drawn(drawn), QStringList({"a", "b"}));
}

QTEST_MAIN(PreviewPlayerTest)
#include "tst_PreviewPlayer.moc"
