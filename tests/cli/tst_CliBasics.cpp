#include "CliRunner.h"

#include "Version.h"
#include "wizard/EffectList.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// out: the start of standard output; err: what standard error says, piece by piece
struct UsageCase { QStringList arguments; int exitCode; QByteArray out; QStringList err; };

class CliBasicsTest : public QObject {
    Q_OBJECT
private slots:
    void strip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("out");
        QTest::newRow("codes, a code after a code is visible") << "^1Mar^7quee ^1^2ab" << QByteArray("Marquee ^2ab\n");
        QTest::newRow("double caret zero, code at the end") << "^^0ab^3" << QByteArray("^ab\n");
        QTest::newRow("utf-8 kept") << QString::fromUtf8("^3\u00e9\u4e00") << QString::fromUtf8("\u00e9\u4e00\n").toUtf8();
    }

    void strip()
    {
        QFETCH(QString, text);
        const CliResult result = RunCli({"strip", text});
        QCOMPARE(result.exitCode, 0);
        QTEST(result.out, "out");
        QVERIFY(result.err.isEmpty());
    }

    // "@" stands for a temporary folder; exit 2 is a usage error and shows the usage, 1 a file or data error.
    void usage_data()
    {
        QTest::addColumn<UsageCase>("c");
        const QStringList usage{"Usage:", "marqueemaster-cli strip TEXT"};
        const QStringList effects{"effects", "--name", "ab", "--effect"};
        QTest::newRow("help") << UsageCase{QStringList{"--help"}, 0, QByteArray("Usage:"), QStringList{}};
        QTest::newRow("a verb's help") << UsageCase{QStringList{"effects", "--help"}, 0,
            QByteArray("Usage:\n  marqueemaster-cli effects --name NAME"), QStringList{}};
        QTest::newRow("version") << UsageCase{QStringList{"--version"}, 0,
            QByteArray("marqueemaster-cli " MARQUEE_VERSION_TEXT "\n"), QStringList{}};
        QTest::newRow("nothing") << UsageCase{QStringList{}, 2, QByteArray(), usage};
        QTest::newRow("unknown verb") << UsageCase{QStringList{"dance"}, 2, QByteArray(), QStringList{"Unknown command: dance"} + usage};
        QTest::newRow("unknown option") << UsageCase{QStringList{"--loud"}, 2, QByteArray(), QStringList{"Unknown option: --loud"}};
        QTest::newRow("strip with two texts") << UsageCase{QStringList{"strip", "a", "b"}, 2, QByteArray(),
            QStringList{"strip takes one TEXT, not 2"} + usage};
        QTest::newRow("effects, unknown option") << UsageCase{effects + QStringList{"Wave 2", "--loud", "1"}, 2,
            QByteArray(), QStringList{"Unknown option: --loud"}};
        QTest::newRow("unknown effect lists the effects") << UsageCase{effects + QStringList{"Sparkle"}, 2, QByteArray(),
            QStringList{"Unknown effect: \"Sparkle\"; the effects are: " + EffectNames().join(", ")}};
        QTest::newRow("bounce, negative") << UsageCase{effects + QStringList{"Bounce", "--param1", "-3"}, 2, QByteArray(),
            QStringList{"Bounce: --param1 must be a number from 1 to 32767 (the wizard offers 1 to 9), not \"-3\""}};
        QTest::newRow("scroll, no number") << UsageCase{effects + QStringList{"Scroll to Left", "--param1", "wide"}, 2,
            QByteArray(), QStringList{"from 1 to 32767 (the wizard offers 1 to 15), not \"wide\""}};
        QTest::newRow("effects tells of '?'") << UsageCase{QStringList{"effects", "--name", "\u263a", "--effect", "Wave 2"},
            0, QByteArray("#v050#\r\n?\r\n"), QStringList{"written as '?'"}};
        QTest::newRow("generate, a folder") << UsageCase{QStringList{"generate", "@"}, 1, QByteArray(),
            QStringList{"is a folder, not a file"}};
        QTest::newRow("check --help") << UsageCase{QStringList{"check", "--help"}, 0, QByteArray("Usage:\n  marqueemaster-cli check FILE.cfg"), QStringList{}};
        QTest::newRow("check, a device") << UsageCase{QStringList{"check", "/dev/null"}, 1, QByteArray(), QStringList{"is a device or pipe, not a file"}};
        QTest::newRow("check, a folder") << UsageCase{QStringList{"check", "@"}, 1, QByteArray(), QStringList{"is a folder, not a file"}};
        QTest::newRow("check, missing") << UsageCase{QStringList{"check", "/missing/x.cfg"}, 1, QByteArray(), QStringList{"File not found"}};
        const QStringList colorize{"colorize", "ab", "--pattern", "RAINBOW"};
        QTest::newRow("pattern in any case") << UsageCase{colorize, 0, QByteArray("^1a^3b\n"), QStringList{}};
        QTest::newRow("colorize, a colour no number") << UsageCase{colorize + QStringList{"--colors", "1,x"}, 2, QByteArray(),
            QStringList{"--colors 1,x: colours are whole numbers"}};
        QTest::newRow("colorize, seed no number") << UsageCase{colorize + QStringList{"--seed", "abc"}, 2, QByteArray(),
            QStringList{"--seed abc: a seed is a whole number"}};
        QTest::newRow("colorize, no pattern") << UsageCase{QStringList{"colorize", "ab"}, 2, QByteArray(), QStringList{"--pattern is missing"}};
        QTest::newRow("colorize, too long for any colour") << UsageCase{QStringList{"colorize", QString(34, 'a'), "--pattern", "rainbow"},
            0, QByteArray(34, 'a') + '\n', QStringList{"too long to carry any colour within 35 bytes"}};
        QTest::newRow("randomcase, seed no number") << UsageCase{QStringList{"randomcase", "ab", "--seed", "abc"}, 2, QByteArray(),
            QStringList{"--seed abc: a seed is a whole number"}};
        QTest::newRow("effect in any case, keep-colors") << UsageCase{QStringList{"effects", "--name", "^1ab", "--keep-colors",
            "--effect", "bounce"}, 0, QByteArray("#v050#\r\n^1ab\r\n"), QStringList{}};
        const QStringList blackAndOrange{"colorize", "ab", "--pattern", "alternate", "--colors", "0,8"};
        QTest::newRow("colorize, black and orange on ET") << UsageCase{blackAndOrange + QStringList{"--game", "et"}, 0,
            QByteArray("^0a^8b\n"), QStringList{}};
        QTest::newRow("colorize, no black on RtCW") << UsageCase{blackAndOrange, 2, QByteArray(), QStringList{"Colours are 1 to 7"}};
        const QStringList blackBounce{"effects", "--name", "^0ab", "--keep-colours", "--effect", "bounce"};
        QTest::newRow("effects keep black on ET: Legacy") << UsageCase{blackBounce + QStringList{"--game", "etlegacy"}, 0,
            QByteArray("#v050#\r\n^0ab\r\n"), QStringList{}};
        QTest::newRow("effects drop black on ioRTCW") << UsageCase{blackBounce + QStringList{"--game", "iortcw"}, 0,
            QByteArray("#v050#\r\nab\r\n"), QStringList{}};
        QTest::newRow("--game without a game") << UsageCase{blackBounce + QStringList{"--game"}, 2, QByteArray(),
            QStringList{"--game takes one of rtcw|iortcw|et|etlegacy"}};
        QTest::newRow("generate, part limit too small") << UsageCase{QStringList{"generate", "a.ras", "--part-limit", "1023"}, 2,
            QByteArray(), QStringList{"--part-limit takes one number of bytes from 1024 to 16383"}};
        QTest::newRow("leet, table is a folder") << UsageCase{QStringList{"leet", "a", "--table", "@"}, 1, QByteArray(),
            QStringList{"is a folder, not a file"}};
    }

    void usage()
    {
        QFETCH(UsageCase, c);
        auto [arguments, exitCode, out, err] = c;
        QTemporaryDir dir;
        const CliResult result = RunCli(arguments.replaceInStrings(QRegularExpression("^@$"), dir.path()));
        QCOMPARE(result.exitCode, exitCode);
        QVERIFY2(result.out.startsWith(out), result.out.constData());
        for (const QString &piece : err)
            QVERIFY2(QString::fromUtf8(result.err).contains(piece), result.err.constData());
        QCOMPARE(result.err.isEmpty(), err.isEmpty());
    }

    // Without --table, leet reads the leet.ini the desktop program reads: beside it, or the user's copy.
    void leetFindsTheDesktopsTable()
    {
        const CliResult result = RunCli({"leet", "a"});
        const QString desktopTable = QFileInfo(DesktopProgram()).dir().filePath("leet.ini");
        if (QFile::exists(desktopTable))
            QCOMPARE(result.exitCode, 0);
        else
            QVERIFY2(result.err.contains("Looked for: " + QDir::toNativeSeparators(desktopTable).toUtf8()), result.err.constData());
    }
};

QTEST_GUILESS_MAIN(CliBasicsTest)
#include "tst_CliBasics.moc"
