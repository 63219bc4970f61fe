#include "CliRunner.h"

#include <QTest>

class CliBasicsTest : public QObject {
    Q_OBJECT
private slots:
    void strip_data();
    void strip();
    void usage_data();
    void usage();
};

void CliBasicsTest::strip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("out");
    QTest::newRow("codes") << "^1Mar^7quee" << QByteArray("Marquee\n");
    QTest::newRow("code after code") << "^1^2ab" << QByteArray("^2ab\n");
    QTest::newRow("trailing caret") << "a^" << QByteArray("a^\n");
    QTest::newRow("utf-8 kept") << QString::fromUtf8("^3\u00e9\u4e00") << QString::fromUtf8("\u00e9\u4e00\n").toUtf8();
    QTest::newRow("empty") << "" << QByteArray("\n");
}

void CliBasicsTest::strip()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, out);
    const CliResult result = RunCli({"strip", text});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, out);
    QVERIFY(result.err.isEmpty());
}

void CliBasicsTest::usage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<bool>("usageOnStdout");
    QTest::newRow("help") << QStringList{"--help"} << 0 << true;
    QTest::newRow("nothing") << QStringList{} << 2 << false;
    QTest::newRow("unknown verb") << QStringList{"dance"} << 2 << false;
    QTest::newRow("strip without text") << QStringList{"strip"} << 2 << false;
    QTest::newRow("strip with two texts") << QStringList{"strip", "a", "b"} << 2 << false;
}

void CliBasicsTest::usage()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(bool, usageOnStdout);
    const CliResult result = RunCli(arguments);
    QCOMPARE(result.exitCode, exitCode);
    const QByteArray usage = usageOnStdout ? result.out : result.err;
    QVERIFY2(usage.startsWith("Usage:"), usage.constData());
    QVERIFY(usage.contains("marqueemaster-cli strip TEXT"));
    QVERIFY((usageOnStdout ? result.err : result.out).isEmpty());
}

QTEST_GUILESS_MAIN(CliBasicsTest)
#include "tst_CliBasics.moc"
