#include "BuiltPrograms.h"
#include "Version.h"

#include <QProcess>
#include <QTest>

// out: the start of standard output; err: what the one line on standard error holds
struct StartCase { QStringList arguments; int exitCode; QString out; QString err; };

// The program as a user starts it from a shell, here where no display can be reached: what needs no
// window must still answer.
class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void withoutDisplay_data()
    {
        QTest::addColumn<StartCase>("c");
        QTest::newRow("no display: said in one line") << StartCase{QStringList{}, 1, "", "no display"};
        QTest::newRow("version") << StartCase{QStringList{"--version"}, 0, "marqueemaster " MARQUEE_VERSION_TEXT "\n", ""};
        QTest::newRow("help") << StartCase{QStringList{"--help"}, 0, "Usage: marqueemaster [FILE]\n", ""};
    }

    void withoutDisplay()
    {
        QFETCH(StartCase, c);
        auto [arguments, exitCode, out, err] = c;
    #ifndef Q_OS_LINUX
        if (arguments.isEmpty())
            QSKIP("Only X11 and Wayland desktops can be missing a display.");
    #endif
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QLatin1String(name));
        process.setProcessEnvironment(environment);
        process.start(DesktopProgram(), arguments);
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), exitCode);
        const QString output = QString::fromUtf8(process.readAllStandardOutput());
        QVERIFY2(out.isEmpty() ? output.isEmpty() : output.startsWith(out), qPrintable(output));
        const QString error = QString::fromUtf8(process.readAllStandardError()).trimmed();
        QVERIFY2(err.isEmpty() ? error.isEmpty() : error.contains(err), qPrintable(error));
        QCOMPARE(error.count('\n'), 0);
    }
};

QTEST_GUILESS_MAIN(StartupTest)
#include "tst_Startup.moc"
