#include "animation/LineCommands.h"
#include "animation/LineLimit.h"

#include "FakePrompts.h"
#include "TestLines.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

namespace {

// Three lines whose every field differs, so a copy of the wrong line or field shows.
const QVector<AnimationLine> &abc()
{
    static const QVector<AnimationLine> lines = {
        {QStringLiteral("A"), QStringLiteral("1"), QStringLiteral("say")},
        {QStringLiteral("^1B"), QStringLiteral("x"), QStringLiteral("Echo")},
        {QStringLiteral("C"), QStringLiteral(" 30 "), QStringLiteral("set name")},
    };
    return lines;
}

// "ABCB": the lines named by their first letters' positions in abc().
QVector<AnimationLine> linesNamed(const QString &names)
{
    QVector<AnimationLine> lines;
    for (QChar c : names)
        lines.append(abc().at(c.unicode() - 'A'));
    return lines;
}

void fill(AnimationModel &model, int count)
{
    QVector<AnimationLine> lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i)
        lines.append(NameLine(QString::number(i)));
    model.setLines(lines);
}

std::optional<int> rowOrNone(int row)
{
    return row < 0 ? std::nullopt : std::optional<int>(row);
}

} // namespace

class LineCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void copyLines_data();
    void copyLines();
    void copyTimesAsks();
    void copyAtLimit_data();
    void copyAtLimit();
    void removeLine_data();
    void removeLine();
    void deleteAll_data();
    void deleteAll();
    void editLine_data();
    void editLine();
    void copyLineText_data();
    void copyLineText();
    void cutLine_data();
    void cutLine();
};

void LineCommandsTest::copyLines_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("answers");  // for the input box; none means cancelled
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("message");

    const QString none;
    QTest::newRow("selected line") << "ABC" << 1 << 1 << QStringList() << "ABCB" << none;
    QTest::newRow("all lines") << "ABC" << 1 << 3 << QStringList() << "ABCABC" << none;
    QTest::newRow("all lines reversed") << "ABC" << 1 << 4 << QStringList() << "ABCCBA" << none;
    QTest::newRow("all lines need no current row") << "ABC" << -1 << 3 << QStringList() << "ABCABC" << none;
    QTest::newRow("reversed needs no current row") << "ABC" << -1 << 4 << QStringList() << "ABCCBA" << none;
    QTest::newRow("one line reversed") << "A" << 0 << 4 << QStringList() << "AA" << none;
    QTest::newRow("last line selected") << "ABC" << 2 << 1 << QStringList() << "ABCC" << none;
    QTest::newRow("selected, no current row") << "ABC" << -1 << 1 << QStringList() << "ABC" << none;
    QTest::newRow("selected, row past the end") << "ABC" << 3 << 1 << QStringList() << "ABC" << none;
    QTest::newRow("x times, no current row asks nothing") << "ABC" << -1 << 2 << QStringList{"3"} << "ABC" << none;

    QTest::newRow("x times 3") << "ABC" << 1 << 2 << QStringList{"3"} << "ABCBBB" << none;
    QTest::newRow("x times 3 between blanks") << "ABC" << 1 << 2 << QStringList{" 3 "} << "ABCBBB" << none;
    QTest::newRow("x times 2.5 rounds to even") << "ABC" << 1 << 2 << QStringList{"2.5"} << "ABCBB" << none;
    QTest::newRow("x times the default 5") << "ABC" << 0 << 2 << QStringList{"5"} << "ABCAAAAA" << none;
    QTest::newRow("x times 0") << "ABC" << 1 << 2 << QStringList{"0"} << "ABC" << none;
    QTest::newRow("x times -2") << "ABC" << 1 << 2 << QStringList{"-2"} << "ABC" << none;
    QTest::newRow("x times letters") << "ABC" << 1 << 2 << QStringList{"abc"} << "ABC"
                                     << "Can't copy the selected line. Invalid input (abc)";
    QTest::newRow("x times above 32767") << "ABC" << 1 << 2 << QStringList{"40000"} << "ABC"
                                         << "Can't copy the selected line. Invalid input (40000)";
    QTest::newRow("x times number then letter") << "ABC" << 1 << 2 << QStringList{"3x"} << "ABC"
                                                << "Can't copy the selected line. Invalid input (3x)";
    QTest::newRow("x times cancelled") << "ABC" << 1 << 2 << QStringList() << "ABC"
                                       << "Can't copy the selected line. Invalid input ()";

    for (int mode = 1; mode <= 4; ++mode)
        QTest::addRow("empty list, mode %d", mode) << "" << -1 << mode << QStringList{"3"} << ""
                                                   << "There are no lines to copy";
    QTest::newRow("mode 0 does nothing") << "ABC" << 1 << 0 << QStringList() << "ABC" << none;
    QTest::newRow("mode 5 does nothing") << "ABC" << 1 << 5 << QStringList() << "ABC" << none;
}

void LineCommandsTest::copyLines()
{
    QFETCH(QString, start);
    QFETCH(int, current);
    QFETCH(int, mode);
    QFETCH(QStringList, answers);
    QFETCH(QString, result);
    QFETCH(QString, message);

    AnimationModel model;
    model.setLines(linesNamed(start));
    FakePrompts prompts;
    prompts.inputAnswers = answers;
    CopyLines(model, rowOrNone(current), prompts, mode);

    QCOMPARE(model.lines(), linesNamed(result));
    if (message.isEmpty()) {
        QCOMPARE(prompts.messageTexts(), QStringList());
        return;
    }
    QCOMPARE(prompts.messageTexts(), QStringList{message});
    const FakePrompts::Message &shown = prompts.messages.first();
    if (model.isEmpty()) {
        QCOMPARE(shown.title, QStringLiteral("Add line"));
        QCOMPARE(shown.icon, PromptIcon::Exclamation);
        QVERIFY2(prompts.inputPrompts.isEmpty(), "an empty list must not ask for a count");
    } else {
        QCOMPARE(shown.title, QStringLiteral("Error"));
        QCOMPARE(shown.icon, PromptIcon::Critical);
    }
}

void LineCommandsTest::copyTimesAsks()
{
    AnimationModel model;
    model.setLines(linesNamed(QStringLiteral("ABC")));
    FakePrompts prompts;
    prompts.inputAnswers = QStringList{QStringLiteral("1")};
    CopyLines(model, 1, prompts, 2);
    QCOMPARE(prompts.inputPrompts,
             QStringList{"Copy selected line x times|Copy the selected line how many times?|5"});
}

void LineCommandsTest::copyAtLimit_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("told");

    QTest::newRow("all lines just fit") << 16383 << 3 << "" << 32766 << false;
    QTest::newRow("all lines one too many") << 16384 << 3 << "" << 32767 << true;
    QTest::newRow("reversed past the limit") << 20000 << 4 << "" << 32767 << true;
    QTest::newRow("selected into a full list") << 32767 << 1 << "" << 32767 << true;
    QTest::newRow("selected into the last place") << 32766 << 1 << "" << 32767 << false;
    QTest::newRow("x times past the limit") << 32765 << 2 << "5" << 32767 << true;
    QTest::newRow("x times the largest count") << 3 << 2 << "32767" << 32767 << true;
    QTest::newRow("x times 0 into a full list") << 32767 << 2 << "0" << 32767 << false;
}

void LineCommandsTest::copyAtLimit()
{
    QFETCH(int, start);
    QFETCH(int, mode);
    QFETCH(QString, answer);
    QFETCH(int, count);
    QFETCH(bool, told);

    AnimationModel model;
    fill(model, start);
    FakePrompts prompts;
    prompts.inputAnswers = QStringList{answer};
    CopyLines(model, 0, prompts, mode);

    QCOMPARE(model.count(), count);
    QCOMPARE(prompts.messageTexts(), told ? QStringList{LineLimitMessage()} : QStringList());
    if (mode == 4 && count > start)
        QCOMPARE(model.line(start).text, QString::number(start - 1));  // the reversed copies start with the last line
}

void LineCommandsTest::removeLine_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("result");
    QTest::addColumn<bool>("told");

    QTest::newRow("middle line") << "ABC" << 1 << "AC" << false;
    QTest::newRow("first line") << "ABC" << 0 << "BC" << false;
    QTest::newRow("last line") << "ABC" << 2 << "AB" << false;
    QTest::newRow("only line") << "A" << 0 << "" << false;
    QTest::newRow("empty list") << "" << -1 << "" << true;
    QTest::newRow("no current row") << "ABC" << -1 << "ABC" << true;
    QTest::newRow("row past the end") << "ABC" << 3 << "ABC" << true;
}

void LineCommandsTest::removeLine()
{
    QFETCH(QString, start);
    QFETCH(int, current);
    QFETCH(QString, result);
    QFETCH(bool, told);

    AnimationModel model;
    model.setLines(linesNamed(start));
    FakePrompts prompts;
    RemoveLine(model, rowOrNone(current), prompts);

    QCOMPARE(model.lines(), linesNamed(result));
    QCOMPARE(prompts.messages.size(), told ? 1 : 0);
    if (told) {
        QCOMPARE(prompts.messages.first().text, QStringLiteral("Can't remove line."));
        QCOMPARE(prompts.messages.first().title, AppTitle);
        QCOMPARE(prompts.messages.first().icon, PromptIcon::Information);
    }
}

void LineCommandsTest::deleteAll_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<PromptAnswer>("answer");
    QTest::addColumn<QString>("result");

    QTest::newRow("yes") << "ABC" << PromptAnswer::Yes << "";
    QTest::newRow("no") << "ABC" << PromptAnswer::No << "ABC";
    QTest::newRow("empty list, still asked") << "" << PromptAnswer::Yes << "";
}

void LineCommandsTest::deleteAll()
{
    QFETCH(QString, start);
    QFETCH(PromptAnswer, answer);
    QFETCH(QString, result);

    AnimationModel model;
    model.setLines(linesNamed(start));
    FakePrompts prompts;
    prompts.answers = {answer};
    DeleteAllLines(model, prompts);

    QCOMPARE(model.lines(), linesNamed(result));
    QCOMPARE(prompts.messages.size(), 1);
    const FakePrompts::Message &asked = prompts.messages.first();
    QCOMPARE(asked.text, QStringLiteral("Delete all lines?"));
    QCOMPARE(asked.title, QStringLiteral("Delete all lines?"));
    QCOMPARE(asked.icon, PromptIcon::Question);
    QCOMPARE(asked.buttons, PromptButtons::YesNo);
}

void LineCommandsTest::editLine_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("opened");  // the row the dialog opened for, or -1
    QTest::addColumn<bool>("told");

    QTest::newRow("current row") << "ABC" << 1 << 1 << false;
    QTest::newRow("first row") << "ABC" << 0 << 0 << false;
    QTest::newRow("no current row") << "ABC" << -1 << -1 << false;
    QTest::newRow("empty list") << "" << -1 << -1 << true;
    QTest::newRow("empty list with a stale row") << "" << 0 << -1 << true;
}

void LineCommandsTest::editLine()
{
    QFETCH(QString, start);
    QFETCH(int, current);
    QFETCH(int, opened);
    QFETCH(bool, told);

    AnimationModel model;
    model.setLines(linesNamed(start));
    FakePrompts prompts;
    QList<int> openedRows;
    EditLine(model, rowOrNone(current), prompts, [&](int row) { openedRows << row; });

    QCOMPARE(openedRows, opened < 0 ? QList<int>() : QList<int>{opened});
    QCOMPARE(prompts.messages.size(), told ? 1 : 0);
    if (told) {
        QCOMPARE(prompts.messages.first().text, QStringLiteral("No items to edit"));
        QCOMPARE(prompts.messages.first().title, QStringLiteral("Edit"));
        QCOMPARE(prompts.messages.first().icon, PromptIcon::Exclamation);
    }
}

void LineCommandsTest::copyLineText_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("clipboard");

    QTest::newRow("current row's Text only") << "ABC" << 1 << "^1B";
    QTest::newRow("no current row") << "ABC" << -1 << "before";
    QTest::newRow("empty list") << "" << -1 << "before";
}

void LineCommandsTest::copyLineText()
{
    QFETCH(QString, start);
    QFETCH(int, current);
    QFETCH(QString, clipboard);

    AnimationModel model;
    model.setLines(linesNamed(start));
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    CopyLineText(model, rowOrNone(current));

    QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
    QCOMPARE(model.lines(), linesNamed(start));
}

void LineCommandsTest::cutLine_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<int>("previews");

    QTest::newRow("only line") << "A" << 0 << "" << "A" << 1;
    QTest::newRow("middle line") << "ABC" << 1 << "AC" << "^1B" << 1;
    QTest::newRow("no current row") << "ABC" << -1 << "ABC" << "before" << 0;
    QTest::newRow("empty list") << "" << -1 << "" << "before" << 0;
}

void LineCommandsTest::cutLine()
{
    QFETCH(QString, start);
    QFETCH(int, current);
    QFETCH(QString, result);
    QFETCH(QString, clipboard);
    QFETCH(int, previews);

    AnimationModel model;
    model.setLines(linesNamed(start));
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    int previewed = 0;
    CutLine(model, rowOrNone(current), [&] { ++previewed; });

    QCOMPARE(model.lines(), linesNamed(result));
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
    QCOMPARE(previewed, previews);
}

QTEST_MAIN(LineCommandsTest)
#include "tst_LineCommands.moc"
