#include "FakePrompts.h"
#include "TestLines.h"

#include "wizard/EffectList.h"

#include <QTest>

class EffectListTest : public QObject {
    Q_OBJECT
private slots:
    void defaultRow_data();
    void defaultRow();
    void defaultNameBox_data();
    void defaultNameBox();
    void stepParameter_data();
    void stepParameter();
    void runReplacesTheAnimation();
    void declinedBounceSkipsOnlyItsRow();
};

void EffectListTest::defaultRow_data()
{
    QTest::addColumn<QString>("effect");
    QTest::addColumn<QString>("clanTagBox");
    QTest::addColumn<QString>("nameBox");
    QTest::addColumn<QString>("param1");
    QTest::addColumn<QString>("param2");
    QTest::newRow("scroll counts codes") << "Scroll to Left" << "[T]" << "^1ab^2c" << "10" << "-";
    QTest::newRow("scroll with empty boxes") << "Scroll to Right" << "" << "" << "0" << "-";
    QTest::newRow("scroll without tag") << "Scroll to Right" << "" << "name" << "4" << "-";
    QTest::newRow("scroll wider than the arrows") << "Scroll to Left" << "[LONGTAG]" << "LongerName" << "19" << "-";
    QTest::newRow("names compared in lower case") << "SCROLL TO LEFT" << "ab" << "c" << "3" << "-";
    QTest::newRow("bounce") << "Bounce" << "[T]" << "abc" << "1" << "0";
    QTest::newRow("wave") << "Wave 2" << "[T]" << "abc" << "0" << "0";
    QTest::newRow("other") << "Sparkle" << "[T]" << "abc" << "0" << "0";
}

void EffectListTest::defaultRow()
{
    QFETCH(QString, effect);
    QFETCH(QString, clanTagBox);
    QFETCH(QString, nameBox);
    QFETCH(QString, param1);
    QFETCH(QString, param2);
    const EffectRow row = DefaultEffectRow(effect, clanTagBox, nameBox);
    QCOMPARE(row.effect, effect);
    QCOMPARE(row.param1, param1);
    QCOMPARE(row.param2, param2);
}

void EffectListTest::defaultNameBox_data()
{
    QTest::addColumn<QString>("nameOnly");
    QTest::addColumn<QString>("clanName");
    QTest::addColumn<QString>("result");
    QTest::newRow("name only box filled") << "abc" << "xyz" << "abc";
    QTest::newRow("name only box blank") << "   " << "xyz" << "xyz";
    QTest::newRow("name only box empty") << "" << "xyz" << "xyz";
    QTest::newRow("blanks around a name count") << " a " << "xyz" << " a ";
}

void EffectListTest::defaultNameBox()
{
    QFETCH(QString, nameOnly);
    QFETCH(QString, clanName);
    QFETCH(QString, result);
    QCOMPARE(DefaultNameBox(nameOnly, clanName), result);
}

void EffectListTest::stepParameter_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("result");
    // Range 1..15, as for a scroll width.
    QTest::newRow("up") << "3" << 1 << "4";
    QTest::newRow("down") << "3" << -1 << "2";
    QTest::newRow("up at the top") << "15" << 1 << "15";
    QTest::newRow("down at the bottom") << "1" << -1 << "1";
    QTest::newRow("above the range, up") << "19" << 1 << "15";
    QTest::newRow("above the range, down") << "19" << -1 << "15";
    QTest::newRow("below the range, up") << "0" << 1 << "1";
    QTest::newRow("below the range, down") << "-7" << -1 << "1";
    QTest::newRow("not a number") << "x" << 1 << "1";
    QTest::newRow("empty") << "" << -1 << "1";
    QTest::newRow("fraction") << "2.6" << 1 << "4";
}

void EffectListTest::stepParameter()
{
    QFETCH(QString, box);
    QFETCH(int, step);
    QFETCH(QString, result);
    QCOMPARE(StepParameter(box, step, 1, 15), result);
}

void EffectListTest::runReplacesTheAnimation()
{
    AnimationModel model;
    model.appendLines(LinesFromTexts({"old", "lines"}));
    FakePrompts prompts;
    RunEffects(model, QStringLiteral("ab"), QString(), false, {}, prompts);
    QVERIFY(model.isEmpty());

    model.appendLines(LinesFromTexts({"old"}));
    RunEffects(model, QStringLiteral("ab"), QString(), false, {{"Wave 2", "0", "0"}}, prompts);
    QCOMPARE(TextsOf(model), QStringList({"a", "ab"}));
    QVERIFY(prompts.messages.isEmpty());
}

void EffectListTest::declinedBounceSkipsOnlyItsRow()
{
    AnimationModel model;
    FakePrompts prompts;
    prompts.answers << PromptAnswer::No;
    const QVector<EffectRow> rows{{"Bounce", "5", "0"}, {"Wave 2", "0", "0"}};
    RunEffects(model, QStringLiteral("^1ab"), QString(), false, rows, prompts);
    // The declined bounce strips nothing: the wave still shows the codes.
    QCOMPARE(TextsOf(model), QStringList({"^1a", "^1ab"}));
    QCOMPARE(prompts.messages.size(), 1);
}

QTEST_MAIN(EffectListTest)
#include "tst_EffectList.moc"
