#include "script/PasteCommands.h"

#include "animation/AnimationModel.h"
#include "animation/LineLimit.h"
#include "settings/Settings.h"

#include "FakePrompts.h"
#include "TestLines.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

namespace {

std::optional<int> rowOrNone(int row)
{
    return row < 0 ? std::nullopt : std::optional<int>(row);
}

} // namespace

class PasteTest : public QObject {
    Q_OBJECT
private slots:
    void fromClipboard_data();
    void fromClipboard();
    void clipboardText_data();
    void clipboardText();
    void defaultName_data();
    void defaultName();
    void fullList();
};

void PasteTest::fromClipboard_data()
{
    QTest::addColumn<QStringList>("start");
    QTest::addColumn<int>("current");
    QTest::addColumn<QStringList>("result");

    QTest::newRow("after the current row") << QStringList{"1", "2", "3"} << 1 << QStringList{"1", "2", "^1Bob", "3"};
    QTest::newRow("after the first row") << QStringList{"1", "2", "3"} << 0 << QStringList{"1", "^1Bob", "2", "3"};
    QTest::newRow("after the last row") << QStringList{"1", "2"} << 1 << QStringList{"1", "2", "^1Bob"};
    QTest::newRow("empty list") << QStringList{} << -1 << QStringList{"^1Bob"};
    QTest::newRow("empty list, stale row") << QStringList{} << 4 << QStringList{"^1Bob"};
    QTest::newRow("no current row appends") << QStringList{"1", "2"} << -1 << QStringList{"1", "2", "^1Bob"};
}

void PasteTest::fromClipboard()
{
    QFETCH(QStringList, start);
    QFETCH(int, current);
    QFETCH(QStringList, result);

    AnimationModel model;
    model.setLines(LinesFromTexts(start));
    // Times that differ from a pasted line's, so a pasted line can't pass for an old one.
    for (int row = 0; row < model.count(); ++row)
        model.setTime(row, QStringLiteral("7"));
    QGuiApplication::clipboard()->setText(QStringLiteral("^1Bob"));
    FakePrompts prompts;
    int previews = 0;
    PasteFromClipboard(model, rowOrNone(current), prompts, [&] { ++previews; });

    QCOMPARE(TextsOf(model), result);
    const int pasted = static_cast<int>(result.indexOf(QStringLiteral("^1Bob")));
    QCOMPARE(model.line(pasted), NameLine(QStringLiteral("^1Bob")));
    QCOMPARE(model.line(pasted).time, QStringLiteral("15"));
    for (int row = 0; row < model.count(); ++row) {
        if (row != pasted)
            QCOMPARE(model.line(row).time, QStringLiteral("7"));
    }
    QCOMPARE(previews, 1);
    QVERIFY(prompts.messages.isEmpty());
}

void PasteTest::clipboardText_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::newRow("two lines stay one Text") << "first\r\nsecond";
    QTest::newRow("colour codes and blanks kept") << " ^1a ^2b ";
    QTest::newRow("empty clipboard") << "";
}

void PasteTest::clipboardText()
{
    QFETCH(QString, clipboard);
    if (clipboard.isEmpty())
        QGuiApplication::clipboard()->clear();
    else
        QGuiApplication::clipboard()->setText(clipboard);
    AnimationModel model;
    FakePrompts prompts;
    PasteFromClipboard(model, std::nullopt, prompts, {});
    QCOMPARE(model.count(), 1);
    QCOMPARE(model.line(0), NameLine(clipboard));
}

void PasteTest::defaultName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("clanTag");
    QTest::addColumn<bool>("reverse");
    QTest::addColumn<QString>("text");

    QTest::newRow("clan tag first") << "Bob" << "[XY]" << false << "[XY]Bob";
    QTest::newRow("reversed") << "Bob" << "[XY]" << true << "Bob[XY]";
    QTest::newRow("no clan tag") << "^1Bob" << "" << false << "^1Bob";
    QTest::newRow("nothing stored") << "" << "" << true << "";
}

void PasteTest::defaultName()
{
    QFETCH(QString, name);
    QFETCH(QString, clanTag);
    QFETCH(bool, reverse);
    QFETCH(QString, text);

    Settings settings;
    settings.name = name;
    settings.clanTag = clanTag;
    settings.reverse = reverse;
    AnimationModel model;
    model.setLines(LinesFromTexts({"1", "2"}));
    FakePrompts prompts;
    int previews = 0;
    PasteDefaultName(model, 0, settings, prompts, [&] { ++previews; });

    QCOMPARE(TextsOf(model), (QStringList{"1", text, "2"}));
    QCOMPARE(model.line(1), NameLine(text));
    QCOMPARE(previews, 1);
}

void PasteTest::fullList()
{
    QVector<AnimationLine> lines(AnimationModel::MaxLines, NameLine(QStringLiteral("x")));
    AnimationModel model;
    model.setLines(lines);
    FakePrompts prompts;
    int previews = 0;
    PasteDefaultName(model, 3, Settings{}, prompts, [&] { ++previews; });
    QCOMPARE(model.count(), AnimationModel::MaxLines);
    QCOMPARE(prompts.messageTexts(), QStringList{LineLimitMessage()});
    QCOMPARE(previews, 1);
}

QTEST_MAIN(PasteTest)
#include "tst_Paste.moc"
