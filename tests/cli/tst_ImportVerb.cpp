#include "animation/LineLimit.h"

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
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

// Lines of a generated script (Windows-1252 bytes), joined by the given line end.
QByteArray script(const QByteArray &end)
{
    const QByteArray lines[] = {"", "//---------------------------------\\\\", "//--------- SCRIPT MADE WITH ------\\\\",
                                "set name \"^1Mar^7quee\"", "wait 10", "say \"hi\"", "wait 20",
                                "set name \"Caf\xe9\"", "wait 99", "set name \"x\""};
    QByteArray bytes;
    for (const QByteArray &line : lines)
        bytes += line + end;
    return bytes;
}

const QByteArray expectedRas = "#v050#\r\n"
                               "^1Mar^7quee\r\n10\r\nset name\r\n"
                               "Caf\xe9\r\n99\r\nset name\r\n"
                               "x\r\n\r\nset name\r\n";

} // namespace

class ImportVerbTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void lineEnds_data();
    void lineEnds();
    void failures_data();
    void failures();
    void limit();
};

void ImportVerbTest::initTestCase()
{
    QVERIFY2(QFile::exists(qEnvironmentVariable("MARQUEE_CLI")), "MARQUEE_CLI names no program");
}

void ImportVerbTest::lineEnds_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("CR LF") << script("\r\n");
    QTest::newRow("LF") << script("\n");
    QTest::newRow("CR") << script("\r");
    QByteArray open = script("\n");
    open.chop(1);
    QTest::newRow("LF, last line open") << open;
}

void ImportVerbTest::lineEnds()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const Run run = runCli({QStringLiteral("import"), writeFile(dir, QStringLiteral("s.cfg"), bytes)});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, expectedRas);
    QCOMPARE(run.err, QByteArray());
}

void ImportVerbTest::failures_data()
{
    QTest::addColumn<QStringList>("arguments");  // "@dir" stands for the temporary folder
    QTest::addColumn<int>("exitCode");

    QTest::newRow("missing file") << QStringList{"import", "@dir/missing.cfg"} << 1;
    QTest::newRow("a folder") << QStringList{"import", "@dir"} << 1;
    QTest::newRow("no file named") << QStringList{"import"} << 2;
    QTest::newRow("two files") << QStringList{"import", "a.cfg", "b.cfg"} << 2;
    QTest::newRow("empty path") << QStringList{"import", ""} << 2;
}

void ImportVerbTest::failures()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QTemporaryDir dir;
    arguments.replaceInStrings(QStringLiteral("@dir"), dir.path());
    const Run run = runCli(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.out, QByteArray());
    if (exitCode == 1)
        QCOMPARE(run.err.count('\n'), 1);
    else
        QVERIFY(run.err.contains("import FILE.cfg"));
}

void ImportVerbTest::limit()
{
    QByteArray bytes;
    for (int i = 0; i < 32768; ++i)
        bytes += "set name n" + QByteArray::number(i) + "\nwait 15\n";
    QTemporaryDir dir;
    const Run run = runCli({QStringLiteral("import"), writeFile(dir, QStringLiteral("big.cfg"), bytes)});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, LineLimitMessage().toUtf8() + '\n');
    QCOMPARE(run.out.count("\r\n"), 1 + 3 * 32767);
    QVERIFY(run.out.endsWith("n32766\r\n15\r\nset name\r\n"));
}

QTEST_MAIN(ImportVerbTest)
#include "tst_ImportVerb.moc"
