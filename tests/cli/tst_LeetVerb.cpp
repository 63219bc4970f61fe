#include "platform/TextFile.h"
#include "transforms/LeetTable.h"

#include <QDir>
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

Run runCli(const QString &program, const QStringList &arguments, const QString &workingDir = QString())
{
    QProcess process;
    if (!workingDir.isEmpty())
        process.setWorkingDirectory(workingDir);
    process.start(program, arguments);
    Run run;
    if (!process.waitForFinished(30000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

} // namespace

class LeetVerbTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void convertsWithTable_data();
    void convertsWithTable();
    void missingTable();
    void defaultTableBesideProgram();
    void wrongUsage_data();
    void wrongUsage();

private:
    QString m_cli;
    QTemporaryDir m_dir;
};

void LeetVerbTest::initTestCase()
{
    m_cli = qEnvironmentVariable("MARQUEE_CLI");
    if (m_cli.isEmpty())
        QSKIP("MARQUEE_CLI is not set");
    QVERIFY(QFile::exists(m_cli));
}

void LeetVerbTest::convertsWithTable_data()
{
    QTest::addColumn<QStringList>("table");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("output");
    const QStringList defaults = DefaultLeetLines();
    QTest::newRow("default table") << defaults << "^1Mark" << QByteArray("^1/\\/\\4r|<\n");
    QTest::newRow("empty text") << defaults << "" << QByteArray("\n");
    QTest::newRow("case matters") << QStringList{"a=4"} << "aA" << QByteArray("4A\n");
    QTest::newRow("moves on by one") << QStringList{"ph=f", "h=h"} << "ph" << QByteArray("fh\n");
    QTest::newRow("code page table, UTF-8 out") << QStringList{"\u00e9=\u20ac"} << "caf\u00e9"
                                                << QByteArray("caf\xe2\x82\xac\n");
    QTest::newRow("text looking like an option") << QStringList{"a=4"} << "-a" << QByteArray("-4\n");
}

void LeetVerbTest::convertsWithTable()
{
    QFETCH(QStringList, table);
    QFETCH(QString, text);
    QFETCH(QByteArray, output);
    const QString path = m_dir.filePath(QStringLiteral("table.ini"));
    QVERIFY(WriteTextFile(path, JoinCrLfLines(table)).ok);
    const Run before = runCli(m_cli, {QStringLiteral("leet"), text, QStringLiteral("--table"), path});
    QCOMPARE(before.exitCode, 0);
    QCOMPARE(before.out, output);
    QCOMPARE(before.err, QByteArray());
    const Run after = runCli(m_cli, {QStringLiteral("leet"), QStringLiteral("--table"), path, text});
    QCOMPARE(after.out, output);
}

void LeetVerbTest::missingTable()
{
    const Run run = runCli(m_cli, {QStringLiteral("leet"), QStringLiteral("Name"), QStringLiteral("--table"),
                                   m_dir.filePath(QStringLiteral("none.ini"))});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.out, QByteArray());
    QVERIFY2(run.err.startsWith("File leet.ini not found!"), run.err.constData());
}

void LeetVerbTest::defaultTableBesideProgram()
{
    // A copy of the program in a folder of its own, run from another folder
    // that holds a leet.ini of its own: only the one beside the program counts.
    QTemporaryDir programDir;
    QTemporaryDir workDir;
    const QString copy = QDir(programDir.path()).filePath(QStringLiteral("marqueemaster-cli"));
    QVERIFY(QFile::copy(m_cli, copy));
    QVERIFY(QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QVERIFY(WriteTextFile(LeetFilePathIn(workDir.path()), QStringLiteral("N=n\r\n")).ok);

    Run run = runCli(copy, {QStringLiteral("leet"), QStringLiteral("Name")}, workDir.path());
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.err.startsWith("File leet.ini not found!"));

    QVERIFY(WriteTextFile(LeetFilePathIn(programDir.path()), JoinCrLfLines(DefaultLeetLines())).ok);
    run = runCli(copy, {QStringLiteral("leet"), QStringLiteral("Name")}, workDir.path());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("N4/\\/\\3\n"));
}

void LeetVerbTest::wrongUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no text") << QStringList{"leet"};
    QTest::newRow("two texts") << QStringList{"leet", "a", "b"};
    QTest::newRow("table without file") << QStringList{"leet", "a", "--table"};
    QTest::newRow("table twice") << QStringList{"leet", "a", "--table", "x", "--table", "y"};
}

void LeetVerbTest::wrongUsage()
{
    QFETCH(QStringList, arguments);
    const Run run = runCli(m_cli, arguments);
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.out, QByteArray());
    QVERIFY(run.err.contains("leet TEXT [--table FILE]"));
}

QTEST_MAIN(LeetVerbTest)
#include "tst_LeetVerb.moc"
