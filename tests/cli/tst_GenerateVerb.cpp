#include "animation/AnimationFile.h"
#include "platform/TextFile.h"
#include "script/ScriptGenerator.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run runCli(const QStringList &arguments)
{
    QProcess process;
    process.start(qEnvironmentVariable("MARQUEE_CLI"), arguments);
    Run run;
    if (!process.waitForFinished(60000))
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class GenerateVerbTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void workedExample();
    void sameBytesAsTheWindowSaves_data();
    void sameBytesAsTheWindowSaves();
    void failures_data();
    void failures();

private:
    QTemporaryDir m_dir;
};

void GenerateVerbTest::initTestCase()
{
    QVERIFY2(QFile::exists(qEnvironmentVariable("MARQUEE_CLI")), "MARQUEE_CLI must name the built program");
}

void GenerateVerbTest::workedExample()
{
    const QVector<AnimationLine> lines{
        {QStringLiteral("^1Mar^7quee"), QStringLiteral("10"), QStringLiteral("set name")},
        {QString(), QStringLiteral("0"), QStringLiteral("set name")},
        {QStringLiteral("hello"), QStringLiteral("2x"), QStringLiteral("say_team")},
        {QStringLiteral("^2bye"), QStringLiteral("150"), QStringLiteral("say")},
    };
    const QString path = m_dir.filePath(QStringLiteral("example.ras"));
    QVERIFY(WriteTextFile(path, AnimationFileText(lines)).ok);

    const Run run = runCli({QStringLiteral("generate"), path});
    QCOMPARE(run.exitCode, 0);
    QByteArray expected("\r\n");
    for (const QString &line : ScriptBanner())
        expected += line.toLatin1() + "\r\n";
    expected += "set name \"^1Mar^7quee\"\r\nwait 10\r\n"
                "set name \"_\"\r\nwait 5\r\n"
                "say_team \"hello\"\r\nwait 15\r\n"
                "say \"^2bye\"\r\nwait 99\r\n";
    QCOMPARE(run.out, expected);
    QCOMPARE(run.err, QByteArray("no number _2x_\n"));
}

void GenerateVerbTest::sameBytesAsTheWindowSaves_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("messages");
    QTest::newRow("empty animation") << QByteArray("#v050#\r\n") << 0;
    QTest::newRow("zero bytes") << QByteArray() << 0;
    QTest::newRow("older layout") << QByteArray("old\r\n^1a\r\n\r\nb") << 0;
    QTest::newRow("code page and quotes") << QByteArray("#v050#\r\n\xe9\"x\"\r\nabc\r\necho\r\n") << 1;
    QTest::newRow("multi-line text and time") << QByteArray("#v050#\r\na\nquit\r\n2\n\r\nsay\r\n") << 1;
}

void GenerateVerbTest::sameBytesAsTheWindowSaves()
{
    QFETCH(QByteArray, file);
    QFETCH(int, messages);
    const QString path = m_dir.filePath(QStringLiteral("any.ras"));
    QVERIFY(writeBytes(path, file));
    const QVector<AnimationLine> lines = ParseAnimationFile(ReadTextLines(path, LineBreaks::CrOrCrLf).lines);
    const Run run = runCli({QStringLiteral("generate"), path});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, EncodeAnsi(ScriptFileText(BuildScriptText(lines, {}))));
    QCOMPARE(run.err.count('\n'), messages);
}

void GenerateVerbTest::failures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("missing file") << QStringList{"generate", "%1/none.ras"} << 1;
    QTest::newRow("folder") << QStringList{"generate", "%1"} << 1;
    QTest::newRow("no file named") << QStringList{"generate"} << 2;
    QTest::newRow("two files") << QStringList{"generate", "%1/a.ras", "%1/b.ras"} << 2;
}

void GenerateVerbTest::failures()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    for (QString &argument : arguments)
        argument = argument.arg(m_dir.path());
    const Run run = runCli(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY(run.out.isEmpty());
    QVERIFY(!run.err.isEmpty());
    if (exitCode == 1) {
        QCOMPARE(run.err.count('\n'), 1);
        QVERIFY(run.err.endsWith('\n'));
    }
}

QTEST_MAIN(GenerateVerbTest)
#include "tst_GenerateVerb.moc"
