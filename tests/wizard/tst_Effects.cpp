#include "EffectCases.h"
#include "FakePrompts.h"
#include "TestLines.h"

#include "animation/LineLimit.h"
#include "wizard/Effects.h"

#include <QTest>

class EffectsTest : public QObject {
    Q_OBJECT
private slots:
    void examples_data();
    void examples();
    void appendsAfterExistingLines();
    void repeatText_data();
    void repeatText();
    void bounceQuestion_data();
    void bounceQuestion();
    void bounceStopsAtLineLimit();
    void fullAnimationTellsOnce_data();
    void fullAnimationTellsOnce();
    void exactFitSaysNothing();
    void runOfEffectsTellsOnce();
    void hugeFramesStopEarly_data();
    void hugeFramesStopEarly();
};

void EffectsTest::examples_data()
{
    AddEffectCaseColumns();
}

void EffectsTest::examples()
{
    QFETCH(QString, name);
    QFETCH(QString, clanTag);
    QFETCH(bool, reverse);
    QFETCH(QVector<EffectRow>, rows);
    QFETCH(QStringList, texts);
    QFETCH(QString, nameAfter);
    QFETCH(QString, clanTagAfter);

    AnimationModel model;
    FakePrompts prompts;
    for (const EffectRow &row : rows)
        QCOMPARE(ApplyEffect(model, name, row.effect, row.param1, row.param2, clanTag, reverse, prompts),
                 EffectOutcome::Applied);
    QCOMPARE(TextsOf(model), texts);
    QCOMPARE(model.lines(), LinesFromTexts(texts));
    QCOMPARE(name, nameAfter);
    QCOMPARE(clanTag, clanTagAfter);
    QVERIFY(prompts.messages.isEmpty());
}

void EffectsTest::appendsAfterExistingLines()
{
    AnimationModel model;
    const AnimationLine old{QStringLiteral("X"), QStringLiteral("99"), QStringLiteral("say")};
    model.appendLine(old);
    FakePrompts prompts;
    QString name = QStringLiteral("a");
    QString clanTag;
    ApplyEffect(model, name, QStringLiteral("Bounce"), QStringLiteral("1"), QString(), clanTag, false, prompts);

    // The return half mirrors the earlier line too, as a plain name line.
    QVector<AnimationLine> expected{old};
    expected << LinesFromTexts({"a", "a", "a", "X"});
    QCOMPARE(model.lines(), expected);
}

void EffectsTest::repeatText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("result");
    QTest::newRow("three times") << "ab" << 3 << "ababab";
    QTest::newRow("once") << "-" << 1 << "-";
    QTest::newRow("zero") << "ab" << 0 << "";
    QTest::newRow("negative") << "ab" << -4 << "";
    QTest::newRow("empty text") << "" << 5 << "";
}

void EffectsTest::repeatText()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(QString, result);
    QCOMPARE(RepeatText(text, count), result);
}

void EffectsTest::bounceQuestion_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<bool>("asks");
    QTest::addColumn<PromptAnswer>("answer");
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<QString>("nameAfter");
    // Name "^1ab", no clan tag: 2 x 2 + 1 lines per forward-and-back, doubling.
    QTest::newRow("4 asks nothing") << "4" << false << PromptAnswer::Yes << 15 * 5 << "ab";
    QTest::newRow("5 confirmed") << "5" << true << PromptAnswer::Yes << 31 * 5 << "ab";
    QTest::newRow("5 declined") << "5" << true << PromptAnswer::No << 0 << "^1ab";
    QTest::newRow("count as typed") << " 5.5 " << true << PromptAnswer::Yes << 31 * 5 << "ab";
    QTest::newRow("9 confirmed") << "9" << true << PromptAnswer::Yes << 511 * 5 << "ab";
}

void EffectsTest::bounceQuestion()
{
    QFETCH(QString, count);
    QFETCH(bool, asks);
    QFETCH(PromptAnswer, answer);
    QFETCH(int, lineCount);
    QFETCH(QString, nameAfter);

    AnimationModel model;
    FakePrompts prompts;
    prompts.answers << answer;
    QString name = QStringLiteral("^1ab");
    QString clanTag;
    ApplyEffect(model, name, QStringLiteral("Bounce"), count, QString(), clanTag, false, prompts);

    QCOMPARE(model.count(), lineCount);
    QCOMPARE(name, nameAfter);
    QCOMPARE(prompts.messages.size(), asks ? 1 : 0);
    if (asks) {
        const FakePrompts::Message &question = prompts.messages.first();
        QCOMPARE(question.text, QStringLiteral("Are you sure you want to repeat the BOUNCE EFFECT ") + count
                                    + QStringLiteral(" times?"));
        QCOMPARE(question.title, QStringLiteral("Processing effect list..."));
        QCOMPARE(question.icon, PromptIcon::Question);
        QCOMPARE(question.buttons, PromptButtons::YesNo);
    }
}

void EffectsTest::bounceStopsAtLineLimit()
{
    const QString fifteen = QStringLiteral("abcdefghijklmno");
    AnimationModel nine;
    FakePrompts prompts;
    QString name = fifteen;
    QString clanTag = QStringLiteral("[T]");
    ApplyEffect(nine, name, QStringLiteral("Bounce"), QStringLiteral("9"), QString(), clanTag, false, prompts);
    QCOMPARE(nine.count(), 15841);

    AnimationModel model;
    prompts.clear();
    name = fifteen;
    QCOMPARE(ApplyEffect(model, name, QStringLiteral("Bounce"), QStringLiteral("32767"), QString(), clanTag, false,
                         prompts),
             EffectOutcome::LimitReached);
    QCOMPARE(model.count(), AnimationModel::MaxLines);
    QCOMPARE(prompts.messageTexts(), QStringList({QStringLiteral("Are you sure you want to repeat the BOUNCE EFFECT "
                                                                 "32767 times?"),
                                                  LineLimitMessage()}));
    // What fits is the start of the same bounce, not something else.
    QCOMPARE(model.lines().mid(0, nine.count()), nine.lines());
}

void EffectsTest::fullAnimationTellsOnce_data()
{
    QTest::addColumn<QString>("effect");
    QTest::addColumn<QString>("param1");
    QTest::addColumn<bool>("hasLines");
    QTest::newRow("wave") << "Wave 2" << "0" << true;
    QTest::newRow("bounce") << "Bounce" << "1" << true;
    QTest::newRow("scroll left") << "Scroll to Left" << "3" << true;
    QTest::newRow("scroll right") << "Scroll to Right" << "3" << true;
    QTest::newRow("bounce with no count") << "Bounce" << "0" << false;
    QTest::newRow("unknown effect") << "Sparkle" << "1" << false;
}

void EffectsTest::fullAnimationTellsOnce()
{
    QFETCH(QString, effect);
    QFETCH(QString, param1);
    QFETCH(bool, hasLines);

    AnimationModel model;
    model.setLines(QVector<AnimationLine>(AnimationModel::MaxLines, NameLine(QStringLiteral("x"))));
    FakePrompts prompts;
    QString name = QStringLiteral("abc");
    QString clanTag = QStringLiteral("[T]");
    const EffectOutcome outcome =
        ApplyEffect(model, name, effect, param1, QStringLiteral("-"), clanTag, false, prompts);

    QCOMPARE(model.count(), AnimationModel::MaxLines);
    QCOMPARE(model.lines().last(), NameLine(QStringLiteral("x")));
    QCOMPARE(outcome, hasLines ? EffectOutcome::LimitReached : EffectOutcome::Applied);
    QCOMPARE(prompts.messageTexts(), hasLines ? QStringList{LineLimitMessage()} : QStringList{});
}

void EffectsTest::exactFitSaysNothing()
{
    AnimationModel model;
    model.setLines(QVector<AnimationLine>(AnimationModel::MaxLines - 3, NameLine(QStringLiteral("x"))));
    FakePrompts prompts;
    QString name = QStringLiteral("abc");
    QString clanTag;
    QCOMPARE(ApplyEffect(model, name, QStringLiteral("Wave 2"), QString(), QString(), clanTag, false, prompts),
             EffectOutcome::Applied);
    QCOMPARE(model.count(), AnimationModel::MaxLines);
    QCOMPARE(model.lines().last().text, QStringLiteral("abc"));
    QVERIFY(prompts.messages.isEmpty());
}

void EffectsTest::runOfEffectsTellsOnce()
{
    AnimationModel model;
    FakePrompts prompts;
    const QVector<EffectRow> rows{{"Bounce", "12", ""}, {"Wave 2", "0", "0"}, {"Bounce", "12", ""}};
    RunEffects(model, QStringLiteral("abcdefghijklmno"), QString(), false, rows, prompts);

    QCOMPARE(model.count(), AnimationModel::MaxLines);
    // One question for the first bounce, one limit message; the later rows don't run.
    QCOMPARE(prompts.messages.size(), 2);
    QCOMPARE(prompts.messages.last().text, LineLimitMessage());
}

void EffectsTest::hugeFramesStopEarly_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("effect");
    QTest::addColumn<QString>("param1");
    QTest::addColumn<QString>("param2");
    QTest::addColumn<bool>("someLines");
    QTest::newRow("widest scroll") << "abc" << "Scroll to Left" << "32767" << "-" << true;
    QTest::newRow("wide scroll with long fill") << "abc" << "Scroll to Right" << "32767" << QString(1000, '-')
                                                << false;
    QTest::newRow("wave of a very long name") << QString(40000, 'a') << "Wave 2" << "0" << "0" << true;
    QTest::newRow("bounce of a very long name") << QString(40000, 'a') << "Bounce" << "1" << "0" << true;
}

void EffectsTest::hugeFramesStopEarly()
{
    QFETCH(QString, name);
    QFETCH(QString, effect);
    QFETCH(QString, param1);
    QFETCH(QString, param2);
    QFETCH(bool, someLines);

    AnimationModel model;
    FakePrompts prompts;
    QString clanTag;
    QCOMPARE(ApplyEffect(model, name, effect, param1, param2, clanTag, false, prompts),
             EffectOutcome::LimitReached);
    qsizetype characters = 0;
    for (const AnimationLine &line : model.lines())
        characters += line.text.size();
    QVERIFY(characters <= MaxEffectCharacters);
    QCOMPARE(model.count() > 0, someLines);
    QCOMPARE(prompts.messageTexts(), QStringList{EffectSizeMessage()});
}

QTEST_MAIN(EffectsTest)
#include "tst_Effects.moc"
