#include <QProcess>
#include <QTest>

// The program as a user starts it from a shell.
class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void withoutDisplaySaysSoInOneLine();
};

void StartupTest::withoutDisplaySaysSoInOneLine()
{
#ifndef Q_OS_LINUX
    QSKIP("Only X11 and Wayland desktops can be missing a display.");
#endif
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    process.setProcessEnvironment(environment);
    process.start(qEnvironmentVariable("MARQUEE_APP"), {});
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 1);
    const QString error = QString::fromUtf8(process.readAllStandardError()).trimmed();
    QVERIFY2(error.contains("no display"), qPrintable(error));
    QCOMPARE(error.count('\n'), 0);
}

QTEST_GUILESS_MAIN(StartupTest)
#include "tst_Startup.moc"
