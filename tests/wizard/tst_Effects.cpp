#include "EffectRuns.h"
#include "FakePrompts.h"
#include "GameText.h"
#include "TestLines.h"

#include "animation/AnimationFile.h"
#include "animation/LineLimit.h"
#include "platform/TextFile.h"

namespace {

// Runs "Effect|param1|param2;..." through the generator; a line "<not applied>" or "<asked>" follows an effect not
// applied or one that asked something.
QVector<AnimationLine> Run(QString name, QString clanTag, bool reverse, const QString &effects, bool keepColours)
{
    AnimationModel model;
    FakePrompts prompts;
    for (const EffectRow &row : EffectRows(effects)) {
        if (ApplyEffect(model, name, row.effect, row.param1, row.param2, clanTag, reverse, prompts, keepColours)
            != EffectOutcome::Applied)
            model.appendLine(NameLine("<not applied>"));
        if (!prompts.messages.isEmpty())
            model.appendLine(NameLine("<asked>"));
    }
    return model.lines();
}

} // namespace

// texts: comma-separated; a leading "!": the command line refuses the row; keep: the colours move with the text
struct ExampleCase { QString name, clanTag; bool reverse; QString effects, texts; bool keep = false; };

// filled: lines already there; count: -1: some; ends: first added line, last line
struct LimitCase { int filled; QString name; QString effects; PromptAnswer answer; int count; QStringList ends;
    QStringList messages; };

// The effects of the wizard's last page, as its Finish and `marqueemaster-cli effects` run them.
class EffectsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(QFile::exists(CliProgram()), "marqueemaster-cli not built"); }

    void examples_data()
    {
        QTest::addColumn<ExampleCase>("c");
        const bool behind = true, front = false, keep = true;
        auto row = [](const char *tag) -> QTestData & { return QTest::newRow(tag); };
        row("wave, tag in front") << ExampleCase{"^1ab^2c", "[T]", front, "Wave 2", "[T]^1a,[T]^1ab,[T]^1ab^2c"};
        row("wave, tag behind gets a colour of its own") << ExampleCase{"^1ab^2c", "[T]", behind, "Wave 2",
            "^0[T],^1a^0[T],^1ab^0[T],^1ab^2^0[T],^1ab^2c^0[T]"};
        row("wave, no trailing blank frame") << ExampleCase{"ab c", "", front, "Wave 2", "a,ab,ab c"};
        row("wave, reverse with empty tag") << ExampleCase{"ab", "", behind, "Wave 2", ""};
        row("wave, never ends in a bare code") << ExampleCase{"^1ab", "", front, "Wave 2", "^1a,^1ab"};
        row("wave, tag with its own code") << ExampleCase{"ab", "^3X", behind, "Wave 2", "a^3X,ab^3X"};
        row("bounce, tag in front") << ExampleCase{"^1ab^2c", "[T]", front, "Bounce|1", "[T]abc,a[T]bc,ab[T]c,abc[T],ab[T]c,a[T]bc,[T]abc"};
        row("bounce twice mirrors the whole script") << ExampleCase{"ab", "[T]", front, "Bounce|2",
            "[T]ab,a[T]b,ab[T],a[T]b,[T]ab,[T]ab,a[T]b,ab[T],a[T]b,[T]ab,[T]ab,a[T]b,ab[T],a[T]b,[T]ab"};
        row("bounce strips the tag's codes") << ExampleCase{"ab", "^1[T]", front, "Bounce|1.9", "[T]ab,a[T]b,ab[T],a[T]b,[T]ab"};
        for (const char *count : {"0", "0.7", "-2", "x", ""})
            QTest::addRow("bounce count '%s'", count) << ExampleCase{"^1ab", "[T]", front, "Bounce|" + QString(count), "!"};
        row("wave then bounce") << ExampleCase{"ab", "[T]", front, "Wave 2;Bounce|1", "[T]a,[T]ab,[T]ab,a[T]b,ab[T],a[T]b,[T]ab,[T]ab,[T]a"};
        row("bounce drops the guard's code") << ExampleCase{"a", "[T]", behind, "Wave 2;Bounce|1", "a^0[T],a[T],[T]a,a[T],a^0[T]"};
        row("bounce leaves plain text behind") << ExampleCase{"^1ab", "[T]", front, "Bounce|1;Wave 2",
            "[T]ab,a[T]b,ab[T],a[T]b,[T]ab,[T]a,[T]ab"};
        row("scroll left") << ExampleCase{"^1ab^2c", "[T]", front, "Scroll to Left|4|-",
            "---[,--[T,-[T],[T]a,T]ab,]abc,abc-,bc--,c---,----,----"};
        row("scroll right") << ExampleCase{"^1ab^2c", "[T]", front, "Scroll to Right|4|-",
            "----,c---,bc--,abc-,]abc,T]ab,[T]a,-[T],--[T,---[,----"};
        row("scroll, tag behind") << ExampleCase{"^1ab", "[T]", behind, "Scroll to Left|2|-", "-a,ab,b[,[T,T],]-,--,--"};
        row("scroll width 0") << ExampleCase{"ab", "", front, "Scroll to Left|0|-", "!,,"};
        row("scroll without fill") << ExampleCase{"abc", "", front, "Scroll to Left|5|", "a,ab,abc,abc,abc,bc,c,,"};
        row("scroll, two-character fill") << ExampleCase{"ab", "", front, "Scroll to Left|3|-=", "-=-=a,-=ab,ab-=,b-=-=,-=-=-=,-=-=-="};
        for (const char *width : {"2.5", "-1", "x", "40000"})
            QTest::addRow("scroll width '%s'", width) << ExampleCase{"ab", "", front, "Scroll to Right|" + QString(width) + "|-",
                                                                    QString(width) == "2.5" ? "" : "!"};
        row("unknown effect") << ExampleCase{"ab", "[T]", front, "Sparkle|3|3", "!"};
        row("colour wave, rainbow once") << ExampleCase{"abc", "", front, "Colour wave|Rainbow|1",
            "^1a^3b^2c,^6a^1b^3c,^4a^6b^1c,^5a^4b^6c,^2a^5b^4c,^3a^2b^5c"};
        row("colour wave, alternate twice over a tag behind") << ExampleCase{"^2ab", "[T]", behind,
            "Colour wave|alternate|2", "^1a^4b^1[^4T^1],^4a^1b^4[^1T^4],^1a^4b^1[^4T^1],^4a^1b^4[^1T^4]"};
        row("colour wave, gradient") << ExampleCase{"abcd", "", front, "Colour wave|Gradient|1", "^1ab^3cd,^3a^1bc^3d,^3ab^1cd,^1a^3bc^1d"};
        for (const char *wrong : {"Colour wave|Plaid|1", "Colour wave|Rainbow|0", "Colour wave|Rainbow|10"})
            row(wrong) << ExampleCase{"abc", "", front, wrong, "!"};
        row("keep, bounce") << ExampleCase{"^1ab^2c", "[T]", front, "Bounce|1",
            "[T]^1ab^2c,^1a^7[T]^1b^2c,^1ab^7[T]^2c,^1ab^2c^7[T],^1ab^7[T]^2c,^1a^7[T]^1b^2c,[T]^1ab^2c", keep};
        row("keep, bounce, tag behind in the name's colour") << ExampleCase{"^1ab", "^3[T]", behind, "Bounce|1",
            "^1ab^3[T],^1a^3[T]^1b,^3[T]^1ab,^1a^3[T]^1b,^1ab^3[T]", keep};
        row("keep, scroll left") << ExampleCase{"^1ab^2c", "[T]", front, "Scroll to Left|4|-",
            "---[,--[T,-[T],[T]^1a,T]^1ab,]^1ab^2c,^1ab^2c^7-,^1b^2c^7--,^2c^7---,----,----", keep};
        row("keep, the name keeps the tag's colour around it") << ExampleCase{"ab", "^3[T]", front, "Bounce|1",
            "^3[T]ab,^3a[T]b,^3ab[T],^3a[T]b,^3[T]ab", keep};
        row("keep, codes stay for the next effect") << ExampleCase{"^1ab", "[T]", front, "Bounce|1;Wave 2",
            "[T]^1ab,^1a^7[T]^1b,^1ab^7[T],^1a^7[T]^1b,[T]^1ab,[T]^1a,[T]^1ab", keep};
    }

    // Each example through the generator and through the command line.
    void examples()
    {
        QFETCH(ExampleCase, c);
        const bool refused = c.texts.startsWith(u'!');
        const QString added = c.texts.mid(refused ? 1 : 0);
        const QStringList expected = added.isEmpty() ? QStringList() : added.split(u',');
        const QVector<AnimationLine> lines = Run(c.name, c.clanTag, c.reverse, c.effects, c.keep);
        QCOMPARE(lines, LinesFromTexts(expected));  // Time "15", "set name"

        const CliResult run = RunEffectsVerb(c.name, c.clanTag, c.reverse, c.effects, c.keep);
        QCOMPARE(run.exitCode, refused ? 2 : 0);
        QCOMPARE(run.err.contains("Usage:"), refused);
        QCOMPARE(run.out, refused ? QByteArray() : EncodeAnsi(AnimationFileText(lines)));
    }

    // Every frame fits the server's 35 bytes with fewer codes where needed, and shows every character.
    void keptColoursFitTheServer()
    {
        const QString name = "^1a^2b^3c^4d^5e^6f^1g^2h^3i^4j^5k^6l^1m^2n^3o^4p^5q";
        QStringList effects{"Bounce|1"};
        for (int width = 1; width <= 35; ++width)
            effects << QString("Scroll to Left|%1|-").arg(width) << QString("Scroll to Right|%1|-").arg(width);
        for (bool reverse : {false, true}) {
            for (const QString &effect : effects) {
                const QVector<AnimationLine> kept = Run(name, "^3[^4T^5]", reverse, effect, true);
                const QVector<AnimationLine> plain = Run(name, "^3[^4T^5]", reverse, effect, false);
                QCOMPARE(kept.size(), plain.size());
                for (qsizetype i = 0; i < kept.size(); ++i) {
                    QVERIFY2(GameName::ByteLength(kept.at(i).text) <= GameName::MaxBytes, qPrintable(effect + ": " + kept.at(i).text));
                    QCOMPARE(SeenInGame(kept.at(i).text), plain.at(i).text);
                }
            }
        }
    }

    void questionsAndLimits_data()
    {
        QTest::addColumn<LimitCase>("c");
        const PromptAnswer yes = PromptAnswer::Yes;
        const int max = AnimationModel::MaxLines;
        const QString abc = QStringLiteral("abcdefghijklmno"), huge(20000, u'a');
        const QStringList none, full{LineLimitMessage()}, tooBig{EffectSizeMessage()};
        auto ask = [](const char *count) {
            return QStringList{QStringLiteral("Are you sure you want to repeat the BOUNCE EFFECT %1 times?").arg(count)};
        };
        // "^1ab" bounces in 2 x 2 + 1 lines, doubled by each repeat.
        QTest::newRow("bounce 5 asks") << LimitCase{0, "^1ab", "Bounce|5", yes, 31 * 5, QStringList{"ab"}, ask("5")};
        QTest::newRow("declined: no lines, codes kept") << LimitCase{0, "^1ab", "Bounce|5;Wave 2", PromptAnswer::No, 2,
            QStringList{"^1a", "^1ab"}, ask("5")};
        QTest::newRow("bounce up to the limit") << LimitCase{0, abc, "Bounce|32767", yes, max, {abc}, ask("32767") + full};
        QTest::newRow("run of effects tells once") << LimitCase{0, abc, "Bounce|12;Wave 2;Bounce|12", yes, max, {abc}, ask("12") + full};
        QTest::newRow("widest scroll") << LimitCase{0, "abc", "Scroll to Left|32767|-", yes, -1,
            QStringList{QString(32766, u'-') + "a"}, tooBig};
        QTest::newRow("wave of a huge name") << LimitCase{0, huge, "Wave 2", yes, -1, QStringList{"a"}, tooBig};
        QTest::newRow("too large ends only itself") << LimitCase{0, "abc", "Scroll to Left|32767|-;Wave 2", yes, -1,
            QStringList{QString(32766, u'-') + "a", "abc"}, tooBig};
        QTest::newRow("bounce of a huge name") << LimitCase{0, huge, "Bounce|1", yes, -1, QStringList{huge}, tooBig};
        for (const char *effect : {"Wave 2", "Bounce|1", "Scroll to Left|3|-", "Scroll to Right|3|-"})
            QTest::addRow("full, %s", effect) << LimitCase{max, "abc", effect, yes, max, none, full};
        QTest::newRow("full, nothing to add") << LimitCase{max, "abc", "Bounce|0", yes, max, none, none};
        QTest::newRow("a colour wave cut by the limit says so") << LimitCase{max - 3, "abc", "Colour wave|Rainbow|9", yes, max, none, full};
        QTest::newRow("exact fit says nothing") << LimitCase{max - 3, "abc", "Wave 2", yes, max, QStringList{"a", "abc"}, none};
        // The return half mirrors the earlier line too, as a plain name line.
        QTest::newRow("bounce mirrors what was there") << LimitCase{1, "a", "Bounce|1", yes, 5, QStringList{"a", "x"}, none};
    }

    void questionsAndLimits()
    {
        QFETCH(LimitCase, c);
        auto [filled, name, effects, answer, count, ends, messages] = c;
        const AnimationLine old{"x", "99", "say"};
        AnimationModel model;
        model.setLines(QVector<AnimationLine>(filled, old));
        FakePrompts prompts;
        prompts.answers << answer;
        QString workName = name, clanTag;
        // As the wizard's Finish goes on: the effect that fills the animation is the last.
        for (const EffectRow &row : EffectRows(effects))
            if (ApplyEffect(model, workName, row.effect, row.param1, row.param2, clanTag, false, prompts)
                == EffectOutcome::LimitReached)
                break;
        QCOMPARE(prompts.messageTexts(), messages);
        QCOMPARE(model.count(), count < 0 ? qMax(model.count(), 1) : count);
        QCOMPARE(model.lines().mid(0, filled), QVector<AnimationLine>(filled, old));
        const QStringList texts = TextsOf(model).mid(filled);
        QCOMPARE(model.lines().mid(filled), LinesFromTexts(texts));  // Time "15", "set name"
        QVERIFY(texts.join(QString()).size() <= MaxEffectCharacters);
        QCOMPARE((QStringList{texts.value(0), model.lines().value(model.count() - 1).text}.mid(0, ends.size())), ends);

        if (filled == 0 && answer == PromptAnswer::Yes) {  // the command line says yes too, and tells the rest
            const CliResult run = RunEffectsVerb(name, QString(), false, effects);
            QCOMPARE(run.exitCode, 0);
            QCOMPARE(run.out, EncodeAnsi(AnimationFileText(model.lines())));
            const QStringList told = messages.mid(messages.value(0).startsWith(u"Are you sure") ? 1 : 0);
            QCOMPARE(QString::fromLocal8Bit(run.err), told.isEmpty() ? QString() : told.join(u'\n') + u'\n');
        }
    }
};

QTEST_MAIN(EffectsTest)
#include "tst_Effects.moc"
