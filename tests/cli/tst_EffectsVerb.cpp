#include "../wizard/EffectCases.h"
#include "TestLines.h"

#include "animation/AnimationFile.h"
#include "animation/LineLimit.h"
#include "platform/TextFile.h"

#include <QProcess>
#include <QTest>

namespace {

struct CliRun {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

CliRun RunCli(const QStringList &arguments)
{
    QProcess process;
    process.start(qEnvironmentVariable("MARQUEE_CLI"), QStringList{QStringLiteral("effects")} + arguments);
    CliRun run;
    if (!process.waitForFinished(60000))
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

QStringList Arguments(const QString &name, const QString &clanTag, bool reverse, const QVector<EffectRow> &rows)
{
    QStringList arguments{QStringLiteral("--name"), name};
    if (!clanTag.isEmpty())
        arguments << QStringLiteral("--clantag") << clanTag;
    if (reverse)
        arguments << QStringLiteral("--reverse");
    for (const EffectRow &row : rows)
        arguments << QStringLiteral("--effect") << row.effect << QStringLiteral("--param1") << row.param1
                  << QStringLiteral("--param2") << row.param2;
    return arguments;
}

QStringList TextsFromOutput(const QByteArray &out)
{
    QStringList texts;
    for (const AnimationLine &line : ParseAnimationFile(SplitLines(DecodeAnsi(out), LineBreaks::CrOrCrLf)))
        texts << line.text;
    return texts;
}

} // namespace

class EffectsVerbTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void examples_data();
    void examples();
    void missingParametersTakeTheWizardDefaults_data();
    void missingParametersTakeTheWizardDefaults();
    void bounceQuestionIsAnsweredYes();
    void lineLimitIsReportedOnce();
    void wrongUsage_data();
    void wrongUsage();
};

void EffectsVerbTest::initTestCase()
{
    QVERIFY2(QFile::exists(qEnvironmentVariable("MARQUEE_CLI")), "MARQUEE_CLI must name the built program");
}

void EffectsVerbTest::examples_data()
{
    AddEffectCaseColumns();
}

void EffectsVerbTest::examples()
{
    QFETCH(QString, name);
    QFETCH(QString, clanTag);
    QFETCH(bool, reverse);
    QFETCH(QVector<EffectRow>, rows);
    QFETCH(QStringList, texts);

    const CliRun run = RunCli(Arguments(name, clanTag, reverse, rows));
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QString());
    QCOMPARE(TextsFromOutput(run.out), texts);
    // The bytes "Save As" writes for those lines.
    QCOMPARE(run.out, EncodeAnsi(AnimationFileText(LinesFromTexts(texts))));
}

void EffectsVerbTest::missingParametersTakeTheWizardDefaults_data()
{
    QTest::addColumn<QStringList>("given");
    QTest::addColumn<QStringList>("explicitDefaults");
    const QStringList tagged{"--name", "^1abc", "--clantag", "[T]"};
    QTest::newRow("scroll width counts name and clan tag")
        << tagged + QStringList{"--effect", "Scroll to Left"}
        << tagged + QStringList{"--effect", "Scroll to Left", "--param1", "8", "--param2", "-"};
    QTest::newRow("scroll fill only")
        << tagged + QStringList{"--effect", "Scroll to Right", "--param2", "*"}
        << tagged + QStringList{"--effect", "Scroll to Right", "--param1", "8", "--param2", "*"};
    QTest::newRow("scroll without clan tag")
        << QStringList{"--name", "abc", "--effect", "Scroll to Left", "--param2", "="}
        << QStringList{"--name", "abc", "--effect", "Scroll to Left", "--param1", "3", "--param2", "="};
    QTest::newRow("bounce once")
        << tagged + QStringList{"--effect", "Bounce"}
        << tagged + QStringList{"--effect", "Bounce", "--param1", "1", "--param2", "0"};
    QTest::newRow("each row its own defaults")
        << tagged + QStringList{"--effect", "Bounce", "--param1", "2", "--effect", "Scroll to Left"}
        << tagged + QStringList{"--effect", "Bounce", "--param1", "2", "--effect", "Scroll to Left", "--param1", "8"};
}

void EffectsVerbTest::missingParametersTakeTheWizardDefaults()
{
    QFETCH(QStringList, given);
    QFETCH(QStringList, explicitDefaults);
    const CliRun run = RunCli(given);
    const CliRun expected = RunCli(explicitDefaults);
    QCOMPARE(run.exitCode, 0);
    QVERIFY(!TextsFromOutput(run.out).isEmpty());
    QCOMPARE(TextsFromOutput(run.out), TextsFromOutput(expected.out));
}

void EffectsVerbTest::bounceQuestionIsAnsweredYes()
{
    const CliRun run = RunCli({"--name", "ab", "--effect", "Bounce", "--param1", "5"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(TextsFromOutput(run.out).size(), 31 * 5);
    QCOMPARE(run.err, QString());
}

void EffectsVerbTest::lineLimitIsReportedOnce()
{
    const CliRun run = RunCli({"--name", "abcdefghijklmno", "--effect", "Bounce", "--param1", "15", "--effect",
                               "Bounce", "--param1", "15", "--effect", "Wave 2"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(TextsFromOutput(run.out).size(), 32767);
    QCOMPARE(run.err, LineLimitMessage() + QLatin1Char('\n'));
}

void EffectsVerbTest::wrongUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("nothing") << QStringList{};
    QTest::newRow("no effect") << QStringList{"--name", "ab"};
    QTest::newRow("no name") << QStringList{"--effect", "Wave 2"};
    QTest::newRow("parameter before any effect") << QStringList{"--name", "ab", "--param1", "1", "--effect", "Bounce"};
    QTest::newRow("parameter given twice")
        << QStringList{"--name", "ab", "--effect", "Bounce", "--param1", "1", "--param1", "2"};
    QTest::newRow("name given twice") << QStringList{"--name", "ab", "--name", "cd", "--effect", "Wave 2"};
    QTest::newRow("value missing") << QStringList{"--name", "ab", "--effect"};
    QTest::newRow("unknown option") << QStringList{"--name", "ab", "--effect", "Wave 2", "--loud", "1"};
    QTest::newRow("stray argument") << QStringList{"--name", "ab", "Wave 2"};
}

void EffectsVerbTest::wrongUsage()
{
    QFETCH(QStringList, arguments);
    const CliRun run = RunCli(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
    QVERIFY(run.err.contains(QStringLiteral("effects --name NAME")));
}

QTEST_MAIN(EffectsVerbTest)
#include "tst_EffectsVerb.moc"
