#include "EffectRuns.h"
#include "GameText.h"
#include "WizardUnderTest.h"

#include "animation/AnimationFile.h"
#include "animation/LineLimit.h"
#include "platform/TextFile.h"

namespace {

// Runs "Effect|param1|param2;..." through the generator.
QStringList Run(QString name, QString clanTag, bool reverse, const QString &effects, bool keepColours)
{
    AnimationModel model;
    FakePrompts prompts;
    for (const EffectRow &row : EffectRows(effects))
        ApplyEffect(model, name, row.effect, row.param1, row.param2, clanTag, reverse, prompts, keepColours);
    return TextsOf(model);
}

} // namespace

struct FrameCase { QString name; QString clanTag; bool reverse; bool keep; QString effects; QString texts; };

// downs: from the first effect; -1: the last one; ups: on both parameters' arrows
struct PageCase { int downs; int ups; bool keep; QString texts; };

class ColourEffectsTest : public QObject {
    Q_OBJECT
private slots:
    void frames_data()
    {
        QTest::addColumn<FrameCase>("c");
        auto row = [](const char *tag) -> QTestData & { return QTest::newRow(tag); };
        row("wave, rainbow once") << FrameCase{"abc", "", false, false, "Colour wave|Rainbow|1",
            "^1a^3b^2c,^6a^1b^3c,^4a^6b^1c,^5a^4b^6c,^2a^5b^4c,^3a^2b^5c"};
        row("wave, alternate twice over a tag behind") << FrameCase{"^2ab", "[T]", true, false, "Colour wave|alternate|2",
            "^1a^4b^1[^4T^1],^4a^1b^4[^1T^4],^1a^4b^1[^4T^1],^4a^1b^4[^1T^4]"};
        row("wave, gradient") << FrameCase{"abcd", "", false, false, "Colour wave|Gradient|1",
            "^1ab^3cd,^3a^1bc^3d,^3ab^1cd,^1a^3bc^1d"};
        for (const char *wrong : {"Colour wave|Plaid|1", "Colour wave|Rainbow|0", "Colour wave|Rainbow|10"})
            row(wrong) << FrameCase{"abc", "", false, false, wrong, ""};
        row("keep, bounce") << FrameCase{"^1ab^2c", "[T]", false, true, "Bounce|1",
            "[T]^1ab^2c,^1a^7[T]^1b^2c,^1ab^7[T]^2c,^1ab^2c^7[T],^1ab^7[T]^2c,^1a^7[T]^1b^2c,[T]^1ab^2c"};
        row("keep, bounce, tag behind in the name's colour") << FrameCase{"^1ab", "^3[T]", true, true, "Bounce|1",
            "^1ab^3[T],^1a^3[T]^1b,^3[T]^1ab,^1a^3[T]^1b,^1ab^3[T]"};
        row("keep, scroll left") << FrameCase{"^1ab^2c", "[T]", false, true, "Scroll to Left|4|-",
            "---[,--[T,-[T],[T]^1a,T]^1ab,]^1ab^2c,^1ab^2c^7-,^1b^2c^7--,^2c^7---,----,----"};
        row("keep, the name keeps the tag's colour around it") << FrameCase{"ab", "^3[T]", false, true, "Bounce|1",
            "^3[T]ab,^3a[T]b,^3ab[T],^3a[T]b,^3[T]ab"};
        row("keep, codes stay for the next effect") << FrameCase{"^1ab", "[T]", false, true, "Bounce|1;Wave 2",
            "[T]^1ab,^1a^7[T]^1b,^1ab^7[T],^1a^7[T]^1b,[T]^1ab,[T]^1a,[T]^1ab"};
    }

    // Through the generator and the command line. Kept colours show the same
    // characters as the frames without them, which the worked examples give.
    void frames()
    {
        QFETCH(FrameCase, c);
        auto [name, clanTag, reverse, keep, effects, texts] = c;
        const QStringList frames = Run(name, clanTag, reverse, effects, keep);
        QCOMPARE(frames, texts.split(u',', Qt::SkipEmptyParts));
        const CliResult cli = RunEffectsVerb(name, clanTag, reverse, effects, keep);
        QCOMPARE(cli.exitCode, frames.isEmpty() ? 2 : 0);  // parameters the wizard never gives: the tool refuses them
        if (frames.isEmpty())
            return;
        QCOMPARE(cli.out, EncodeAnsi(AnimationFileText(LinesFromTexts(frames))));
        if (keep && !effects.contains(u';')) {
            QStringList seen;
            for (const QString &text : frames)
                seen << SeenInGame(text);
            QCOMPARE(seen, Run(name, clanTag, reverse, effects, false));
        }
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
                const QStringList kept = Run(name, "^3[^4T^5]", reverse, effect, true);
                const QStringList plain = Run(name, "^3[^4T^5]", reverse, effect, false);
                QCOMPARE(kept.size(), plain.size());
                for (qsizetype i = 0; i < kept.size(); ++i) {
                    QVERIFY2(GameName::ByteLength(kept.at(i)) <= GameName::MaxBytes, qPrintable(effect + ": " + kept.at(i)));
                    QCOMPARE(SeenInGame(kept.at(i)), plain.at(i));
                }
            }
        }
    }

    void colourWaveCutByTheLineLimitSaysSo()
    {
        AnimationModel model;
        model.setLines(QVector<AnimationLine>(AnimationModel::MaxLines - 3, NameLine("x")));
        FakePrompts prompts;
        QString name = "abc", clanTag;
        QCOMPARE(ApplyEffect(model, name, "Colour wave", "Rainbow", "9", clanTag, false, prompts), EffectOutcome::LimitReached);
        QCOMPARE(model.count(), AnimationModel::MaxLines);
        QCOMPARE(prompts.messageTexts(), QStringList{LineLimitMessage()});
    }

    void wizardPage_data()
    {
        QTest::addColumn<PageCase>("c");
        QTest::newRow("colour wave, alternate twice") << PageCase{-1, 1, false, "^1a^4b,^4a^1b,^1a^4b,^4a^1b"};
        QTest::newRow("scroll keeps colours") << PageCase{2, 0, true, "---^1a,--^1ab,-^1ab,^1ab^7--,^1b^7---,----,----"};
        QTest::newRow("scroll drops colours") << PageCase{2, 0, false, "---a,--ab,-ab,ab--,b---,----,----"};
    }

    void wizardPage()
    {
        QFETCH(PageCase, c);
        auto [downs, ups, keep, texts] = c;
        WizardUnderTest wizard({.name = QStringLiteral("^1ab")});
        for (int page = 1; page < WizardWindow::PageCount; ++page)
            wizard.click("cmdNext");
        wizard.get("cmbEffects")->setFocus();
        QTest::keyClick(wizard.get("cmbEffects"), downs < 0 ? Qt::Key_End : Qt::Key_Home);
        for (int i = 0; i < downs; ++i)
            QTest::keyClick(wizard.get("cmbEffects"), Qt::Key_Down);
        wizard.click("cmdAddEffect");
        wizard.clickRow(0);
        wizard.arrow("up", ups, "numParam1");
        wizard.arrow("up", ups, "numParam2");
        if (keep)
            wizard.click("chkKeepColors");
        wizard.click("cmdNext");
        QCOMPARE(TextsOf(wizard.model).join(u','), texts);
    }
};

QTEST_MAIN(ColourEffectsTest)
#include "tst_ColourEffects.moc"
