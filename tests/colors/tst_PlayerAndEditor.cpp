#include "FakePrompts.h"

#include "animation/AnimationModel.h"
#include "colors/ColorEditorDialog.h"
#include "animation/PreviewPlayer.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

namespace {

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

class PlayerAndEditorTest : public QObject {
    Q_OBJECT
private slots:
    void playsEachLineAtItsPace_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QList<int>>("intervals");
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
        QTest::addColumn<QString>("text");  // [the selection] the button colours
        QTest::addColumn<int>("button");  // -1: none
        QTest::addColumn<QString>("copied");
        QTest::newRow("b red") << "a[b]c" << 0 << "^7a^1b^7c";
        QTest::newRow("empty box") << "[]" << -1 << "";
        QTest::newRow("no colour") << "[]name" << -1 << "^7name";
        QTest::newRow("black") << "[a]bc" << 7 << "^0a^7bc";
    }

    void colorEditorCopies()
    {
        QFETCH(QString, text);
        QFETCH(int, button);
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

QTEST_MAIN(PlayerAndEditorTest)
#include "tst_PlayerAndEditor.moc"
