#include "CliRunner.h"
#include "FolderContents.h"
#include "ScriptFixtures.h"
#include "TestStore.h"
#include "UnderWine.h"

#include "Version.h"
#include "game/SystemGamePlaces.h"
#include "platform/TextFile.h"
#include "wizard/EffectList.h"

#include <QFileInfo>

namespace {

// out: the start of standard output; err: what standard error says, piece by piece ("!": what it must not say)
struct UsageCase { QStringList arguments; int exitCode; QByteArray out; QStringList err = {}; };

// "@" in the arguments stands for a temporary folder; the file, when not null, is written there as "in".
// Exit 1 says why on one line. fileSizeLimit: what it may write to one file (ulimit -f), 0 for no limit.
struct VerbCase { QStringList arguments; QByteArray file; int exitCode; QByteArray out, err; bool outHolds = false;
    int fileSizeLimit = 0; };

// What check prints of the file "in" exec accepts: its size, the lines after that, the count of names and of lines played
// otherwise than written.
QByteArray checkReport(int bytes, const QList<QByteArray> &lines, int names, int otherwise)
{
    return "@/in: " + QByteArray::number(bytes) + " bytes, exec accepts it\n" + (lines + QList<QByteArray>{""}).join('\n')
        + QByteArray::number(names) + " names in 1 file(s), " + QByteArray::number(otherwise) + " played otherwise than written\n";
}

// A temporary folder where the game the arguments choose reads scripts (its home base folder under the test's own
// home), so that only the rows about where a script lies hear that the game won't find it.
struct GameTemporaryDir { std::unique_ptr<QTemporaryDir> dir; QString base; };  // base: the game folder it is in, or empty
GameTemporaryDir gameTemporaryDir(const QStringList &arguments)
{
    const qsizetype option = arguments.indexOf(QStringLiteral("--game"));
    const std::optional<Game> game =
        option < 0 ? Game::Rtcw : option + 1 < arguments.size() ? Games::FromKey(arguments.at(option + 1)) : std::nullopt;
    const QString base = game ? GameFoldersOf(Games::Of(*game), SystemGamePlaces({})).homeBase : QString();
    if (base.isEmpty() || !QDir().mkpath(base))
        return {std::make_unique<QTemporaryDir>(), {}};
    return {std::make_unique<QTemporaryDir>(base + QStringLiteral("/XXXXXX")), base};
}

} // namespace

// marqueemaster-cli as a shell runs it.
class CliTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_home;  // the players' game folders are never touched

private slots:
    void initTestCase()
    {
        qputenv("HOME", m_home.path().toUtf8());
        for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            qputenv(name, QDir(m_home.path()).filePath(QLatin1String(name)).toUtf8());
    }

    // A file or pipe gets one encoding from every verb: a letter beyond ASCII is the same bytes in one verb's text
    // and in another's error message (UTF-8 here, the ANSI code page on Windows, as in the scripts).
    void oneEncodingForEverything()
    {
        const QString name = QString::fromUtf8("J\u00e9r\u00f4me");
        const QByteArray bytes = RunCli({"strip", "^1" + name}).out.chopped(1);
        QCOMPARE(bytes, Platform::ProgramsEndInExe() ? QByteArray("J\xe9r\xf4me") : name.toUtf8());
        const CliResult error = RunCli({"import", QDir(m_home.path()).filePath(name + ".cfg")});
        QVERIFY2(error.err.contains(bytes + ".cfg"), error.err.constData());
    }

    // Without --game the tool plays for the game chosen in the desktop program's Options, read where that
    // program keeps it (the tool has a name of its own, and its own folders would hold no settings).
    void playsForTheGameChosenInOptions()
    {
        if (Platform::ProgramsEndInExe() && !UnderWine())
            QSKIP("would change this user's settings: runs in Wine's registry of the test run");
        QTemporaryDir dir;
        PutBytes(dir.filePath("big.cfg"), QByteArray(16384, '\n'));  // over RtCW's buffer, within ET's
        QCOMPARE(RunCli({"check", dir.filePath("big.cfg")}).exitCode, 1);
        StoreSettings(SystemRegistryStore(), {"Game=et"});
        const int exitCode = RunCli({"check", dir.filePath("big.cfg")}).exitCode;
        SystemRegistryStore().deleteKey(RegHive::CurrentUser, SettingsKey);
        QCOMPARE(exitCode, 0);
    }

    // The installer's two commands: the association, then everything taken back, listed first when asked.
    void associateThenRemoveEverything()
    {
        if (Platform::ProgramsEndInExe() && !UnderWine())
            QSKIP("would change this user's file associations: runs in Wine's registry of the test run");
        QCOMPARE(RunCli({"associate"}).exitCode, 0);
        const CliResult listed = RunCli({"remove-settings", "--list"});
        QVERIFY2(listed.exitCode == 0 && listed.out.startsWith("Would remove:\n") && listed.out.contains(".ras files"),
                 listed.out.constData());
        const CliResult removed = RunCli({"remove-settings"});
        QVERIFY2(removed.out.startsWith("Removed:\n") && removed.out.contains(".ras files"), removed.out.constData());
        QCOMPARE(RunCli({"remove-settings"}).out, "Marqueemaster keeps nothing on this computer outside its own folder.\n");
    }

    // "@" stands for a temporary folder holding "-x.ras", an animation; exit 2 is a usage error and shows the usage
    // (only the verb's, after an error of a verb), 1 a file or data error. Options are read as such tools read them.
    void usage_data()
    {
        QTest::addColumn<UsageCase>("c");
        const QStringList usage{"Usage:", "marqueemaster-cli strip TEXT"};
        const QStringList effects{"effects", "--name", "ab", "--effect"};
        const QStringList colorize{"colorize", "ab", "--pattern", "RAINBOW"};
        const QStringList blackBounce{"effects", "--name", "^0ab", "--keep-colours", "--effect", "bounce"};
        const auto row = [](const char *tag) -> QTestData & { return QTest::newRow(tag); };
        row("help") << UsageCase{{"--help"}, 0, "Usage:"};
        row("a verb's help") << UsageCase{{"effects", "--help"}, 0, "Usage:\n  marqueemaster-cli effects --name NAME"};
        row("version") << UsageCase{{"--version"}, 0, "marqueemaster-cli " MARQUEE_VERSION_TEXT "\n"};
        row("nothing") << UsageCase{{}, 2, {}, usage};
        row("unknown verb") << UsageCase{{"dance"}, 2, {}, QStringList{"Unknown command: dance"} + usage};
        row("unknown option") << UsageCase{{"--loud"}, 2, {}, {"Unknown option: --loud"}};
        row("strip with two texts") << UsageCase{{"strip", "a", "b"}, 2, {}, QStringList{"strip takes one TEXT, not 2"} + usage};
        row("unknown effect lists the effects") << UsageCase{effects + QStringList{"Sparkle"}, 2, {},
            {"Unknown effect: \"Sparkle\"; the effects are: " + EffectNames().join(", ")}};
        row("effects tells of '?'") << UsageCase{{"effects", "--name", "\u263a", "--effect", "Wave 2"}, 0,
            "#v050#\r\n?\r\n", {"written as '?'"}};
        row("generate, a folder") << UsageCase{{"generate", "@"}, 1, {}, {"is a folder, not a file"}};
        row("check, a device") << UsageCase{{"check", "/dev/null"}, 1, {}, {"is a device or pipe, not a file"}};
        row("check, missing") << UsageCase{{"check", "/missing/x.cfg"}, 1, {}, {"File not found"}};
        row("colorize, a colour no number") << UsageCase{colorize + QStringList{"--colors", "1,x"}, 2, {},
            {"--colors 1,x: colours are whole numbers"}};
        row("colorize, seed no number") << UsageCase{colorize + QStringList{"--seed", "abc"}, 2, {},
            {"--seed abc: a seed is a whole number"}};
        row("colorize, no pattern") << UsageCase{{"colorize", "ab"}, 2, {}, {"--pattern is missing"}};
        row("colorize, too long for any colour") << UsageCase{{"colorize", QString(34, 'a'), "--pattern", "rainbow"}, 0,
            QByteArray(34, 'a') + '\n', {"too long to carry any colour within 35 bytes"}};
        row("randomcase, seed no number") << UsageCase{{"randomcase", "ab", "--seed", "abc"}, 2, {},
            {"--seed abc: a seed is a whole number"}};
        // Black and the ET colours past 7 are the colorize table's; here the last colour each game takes.
        const QStringList alternate{"colorize", "ab", "--pattern", "alternate", "--colors"};
        row("colorize, colour 31 on ET") << UsageCase{alternate + QStringList{"31,0", "--game", "et"}, 0, "^Oa^0b\n"};
        row("colorize, no colour 32 on ET: Legacy") << UsageCase{alternate + QStringList{"1,32", "--game", "etlegacy"}, 2, {},
            {"Colours are 0 to 31 on "}};
        row("effects drop black on ioRTCW") << UsageCase{blackBounce + QStringList{"--game", "iortcw"}, 0, "#v050#\r\nab\r\n"};
        row("--game, no such game") << UsageCase{blackBounce + QStringList{"--game", "quake3"}, 2, {},
            {"--game takes one of rtcw|iortcw|et|etlegacy"}};
        row("generate, part limit too small") << UsageCase{{"generate", "a.ras", "--part-limit", "1023"}, 2, {},
            {"--part-limit takes one number of bytes from 1024 to 16383"}};
        for (const char *count : {"0", "x", "100000"})
            row(qPrintable(QStringLiteral("generate, repeat %1").arg(count))) << UsageCase{{"generate", "a.ras", "--repeat", count}, 2, {},
                {"--repeat takes one number of passes from 1 to 99999"}};
        row("leet, table is a folder") << UsageCase{{"leet", "a", "--table", "@"}, 1, {}, {"is a folder, not a file"}};
        const QString verbOnly = "!strip TEXT";
        row("after --, no option") << UsageCase{{"generate", "--", "@/-x.ras", "--part-limit=2048"}, 2, {},
            {"generate takes one FILE\nUsage:\n  marqueemaster-cli generate FILE.ras", verbOnly}};
        row("--opt=value, options first") << UsageCase{{"generate", "--part-limit=2048", "--game=et", "--", "@/-x.ras"}, 0,
            "\r\n//-----", {"no number _2x_"}};
        row("a file named -x after --") << UsageCase{{"import", "--", "@/-x.ras"}, 0, "#v050#\r\n", {"@/-x.ras holds no command"}};
        row("a text starting with -") << UsageCase{{"strip", "-=^1XKR^7=-"}, 0, "-=XKR=-\n"};
        row("strip: a code after a code, ^^0, a code at the end") << UsageCase{{"strip", "^1Mar^7quee ^1^2ab ^^0ab^3"}, 0,
            "Marquee ^2ab ^ab\n"};
        row("an effect by its name in any case, - for a blank, keep-colors")
            << UsageCase{{"effects", "--name", "^1ab", "--keep-colors", "--effect", "wave-2"}, 0, "#v050#\r\n^1a\r\n"};
        row("each --param1 with its own --effect") << UsageCase{{"effects", "--name", "ab", "--effect", "bounce", "--param1", "1",
            "--effect=bounce", "--param1=-3"}, 2, {}, {"Bounce: --param1 must be a number from 1 to 32767 (the wizard offers 1 to 9), "
            "not \"-3\"", verbOnly}};
        row("an error: that verb's usage only") << UsageCase{{"leet", "a", "--loud"}, 2, {},
            {"Unknown option: --loud\nUsage:\n  marqueemaster-cli leet TEXT [--table FILE]\n", verbOnly}};
        row("a missing value") << UsageCase{{"randomcase", "a", "--seed"}, 2, {},
            {"--seed takes one number\nUsage:\n  marqueemaster-cli randomcase", verbOnly}};
        const QStringList defaults{"Ta", "aT", "Ta", "-T", "Ta", "a-", "--", "--"};  // Bounce 1, Scroll as wide as tag and name, "-"
        row("effects: a new row's defaults, as the wizard's") << UsageCase{{"effects", "--name", "a", "--clantag", "T", "--effect",
            "bounce", "--effect", "scroll to left"}, 0, EncodeAnsi(AnimationFileText(LinesFromTexts(defaults)))};
        const QStringList ab{"effects", "--name", "ab"};
        for (const auto &[given, said] : std::initializer_list<std::pair<QStringList, const char *>>{
                 {{"effects"}, "--name is missing"}, {ab, "No --effect given"}, {effects, "--effect needs a value"},
                 {ab + QStringList{"--param1", "1", "--effect", "Bounce"}, "--param1 must follow the --effect it belongs to"},
                 {effects + QStringList{"Bounce", "--param1", "1", "--param1", "2"}, "--param1 given twice"},
                 {ab + QStringList{"--name", "cd", "--effect", "Wave 2"}, "--name given twice"},
                 {ab + QStringList{"Wave 2"}, "Unexpected argument: Wave 2"}})
            row(said) << UsageCase{given, 2, {}, {QString(said) + "\nUsage:"}};
    }

    void usage()
    {
        QFETCH(UsageCase, c);
        QTemporaryDir dir;
        PutBytes(dir.filePath("-x.ras"), EncodeAnsi(AnimationFileText(ExampleLines())));
        const CliResult result = RunCli(c.arguments.replaceInStrings("@", dir.path()));
        QCOMPARE(result.exitCode, c.exitCode);
        QVERIFY2(result.out.startsWith(c.out) && (c.exitCode != 2 || result.out.isEmpty()), result.out.constData());
        for (const QString &piece : c.err) {
            const bool absent = piece.startsWith(u'!');
            const QString said = piece.mid(absent).replace("@/", QDir::toNativeSeparators(dir.path() + '/'));  // as paths are printed
            QVERIFY2(QString::fromUtf8(result.err).contains(said) != absent, result.err.constData());
        }
        QCOMPARE(result.err.isEmpty(), c.err.isEmpty());
    }

    void run_data()
    {
        QTest::addColumn<VerbCase>("c");
        const QStringList generate{"generate", "@/in"}, import{"import", "@/in"};
        QTest::newRow("generate, worked example")
            << VerbCase{generate, EncodeAnsi(AnimationFileText(ExampleLines())), 0,
                        (ExampleScript().join("\r\n") + "\r\n").toLatin1(), "no number _2x_\n"};
        // The reading rules are the import table's: here the .ras written, in the code page.
        QTest::newRow("import, LF") << VerbCase{import, "set name \"^1Mar^7quee\"\nwait 10\nsay \"Caf\xe9\"\n", 0,
                                                "#v050#\r\n^1Mar^7quee\r\n10\r\nset name\r\nCaf\xe9\r\n\r\nsay\r\n", ""};
        QTest::newRow("import, empty path") << VerbCase{{"import", ""}, {}, 2};
        QTest::newRow("import, two files") << VerbCase{{"import", "@/in", "@/in"}, "", 2};
        // A hand-written script: two commands on a line, a name the client refuses, a chat the server drops; at
        // RtCW's own 85 fps a frame is 11 ms.
        const QByteArray hand("// mine\nset name \"^1Bob\"; echo go\nwait 50\nsay hi\nwait 200\nname \"  A^0x;\"\n"
                              "wait 200\nsay_team \"bye\" // flood over\n");
        const QStringList check{"check", "@/in"};
        QTest::newRow("check, hand-written") << VerbCase{check, hand, 1, checkReport(int(hand.size()), {"frame 0 (0 ms): name ^1Bob",
            "frame 0 (0 ms): runs echo go", "frame 25 (275 ms): say hi: dropped by the server: within 800 ms of the previous command "
            "to the server", "frame 125 (1375 ms): name   A^0x; is shown as UnnamedPlayer: the client can't send a name holding ;: "
            "shown as UnnamedPlayer", "frame 225 (2475 ms): say_team bye"}, 2, 2)};
        QTest::newRow("check, a wait of 1.5 waits 1") << VerbCase{check, "wait 1.5\nwait 2\n", 1,
            checkReport(16, {"frame 0 (0 ms): the game reads only the digits before anything else: wait 1.5 waits 1"}, 0, 1)};
        QTest::newRow("check, chat the server changes") << VerbCase{check, "say 100%\n", 1,
            checkReport(9, {"frame 0 (0 ms): say 100% is shown as 100.: the server turns % into ."}, 0, 1)};
        QTest::newRow("check, 900 ms at 10 fps") << VerbCase{{"check", "@/in", "--fps", "10"}, "set name a\nwait 18\nsay hi\n", 0,
            checkReport(26, {"frame 0 (0 ms): name a", "frame 9 (900 ms): say hi"}, 1, 0), ""};
        QTest::newRow("check, too large for the buffer") << VerbCase{check, QByteArray(16384, '\n'), 1,
            "@/in: exec refuses it, 16384 bytes plus one and 0 waiting don't fit the game's buffer of 16384 "
            "(Cbuf_InsertText overflowed): nothing of it runs\n0 names in 1 file(s), 1 played otherwise than written\n"};
        // A loop that never ends fills the buffer a byte a pass until vstr can't insert any more.
        QTest::newRow("check, a cvar loop ends in an overflow")
            << VerbCase{check, "set Loop \"vstr loop; say hi\"\nvstr LOOP\n", 1,
                        "waiting don't fit the game's buffer of 16384 (Cbuf_InsertText overflowed)", {}, true};
        QTest::newRow("check, no file") << VerbCase{{"check"}, {}, 2};
        QTest::newRow("check, control bytes escaped") << VerbCase{check, "say \"\x1b[2Jx\x7f\"\n", 0,
            checkReport(13, {"frame 0 (0 ms): say \\x1b[2Jx\\x7f"}, 0, 0)};
        QTest::newRow("check, text after a NUL") << VerbCase{check, QByteArray("say hi\n\0say bye\n", 16), 1,
            checkReport(7, {"@/in: nothing after the NUL byte at 7 runs (8 bytes)", "frame 0 (0 ms): say hi"}, 0, 1)};
        QTest::newRow("check, lines after an exec run after the called file") << VerbCase{check, "exec \"in2.cfg\"; set name one\n", 0,
            "frame 0 (0 ms): say two\nframe 0 (0 ms): name one\n", {}, true};
        const QByteArray example = EncodeAnsi(AnimationFileText(ExampleLines()));
        const QByteArray sixty = EncodeAnsi(AnimationFileText(Lines(60, Line("^1Ocelot", "10"))));
        QTest::newRow("generate, a part limit past RtCW's buffer") << VerbCase{{"generate", "@/in", "--part-limit", "20000"}, sixty, 2};
        QTest::newRow("generate, the same limit on ioRTCW")
            << VerbCase{{"generate", "@/in", "--part-limit", "20000", "--game", "iortcw"}, sixty, 0, "wait 10\r\n", {}, true};
        QTest::newRow("generate, repeated: a starter keeps the count")
            << VerbCase{{"generate", "@/in", "--repeat", "3"}, sixty, 0,
                        "// plays 3 times: the count of the passes left is kept in the mm_script_ cvars\r\n"
                        // The top digit's 0 runs nothing: a cvar left by another script can't add passes.
                        "set mm_script_0_0 \"\"\r\n"
                        "set mm_script_0_1 \"set mm_script_0 vstr mm_script_0_0; exec script_2.cfg\"\r\n"
                        "set mm_script_0_2 \"set mm_script_0 vstr mm_script_0_1; exec script_2.cfg\"\r\n"
                        "set mm_script_0 \"vstr mm_script_0_2\"\r\nexec \"script_2.cfg\"\r\n", {}, true};
        QTest::newRow("generate, more passes than the buffer holds") << VerbCase{{"generate", "@/in", "--repeat", "99999"}, sixty, 1, {},
            "The game's command buffer can't hold 99,999 passes of this script"};
        const QByteArray longRas = EncodeAnsi(AnimationFileText({Line("a"), Line(QByteArray(36, 'b').constData()), Line("")}));
        QTest::newRow("generate, ET: Legacy refuses names that drop the player")
            << VerbCase{{"generate", "@/in", "--game", "etlegacy"}, longRas, 1, {},
                        "ET: Legacy drops the player for a name over 35 bytes or none, at line(s) 2: no script written"};
        QTest::newRow("generate, no record") << VerbCase{generate, "#v050#\r\n", 1, {}, "@/in holds no animation line"};
        QTest::newRow("generate, NUL bytes") << VerbCase{generate, QByteArray("#v050#\r\na\0", 11), 1, {}, "@/in is not an animation"};
        QTest::newRow("generate, folder missing") << VerbCase{{"generate", "@/in", "-o", "/missing/x.cfg"}, example, 1, {},
            "no number _2x_\nCan't write " + QDir::toNativeSeparators("/missing/x.cfg").toUtf8() + ": "};
        // A file size limit makes the write fail with a message naming the file, not end the program.
        QTest::newRow("generate, a file size limit") << VerbCase{{"generate", "@/in", "-o", "@/out.cfg"}, example, 1, {},
            "no number _2x_\nCan't write @/out.cfg: ", false, 100};
        QTest::newRow("leet, a table of its own") << VerbCase{{"leet", "--table", "@/in", "Name"}, "[Leet]\r\n  a=4 \r\n", 0, "N4me\n"};
        QTest::newRow("leet, no table there") << VerbCase{{"leet", "Name", "--table", "@/leet.ini"}, {}, 1, {},
                                                          "File leet.ini not found!\nLooked for: @/leet.ini"};
        QTest::newRow("import, no command read") << VerbCase{import, "bind x y\n", 0, "#v050#\r\n", "@/in holds no command"};
        QByteArray names, full("#v050#\r\n");
        for (int i = 0; i <= AnimationModel::MaxLines; ++i) {
            names += "set name n" + QByteArray::number(i) + "\nwait 15\n";
            if (i < AnimationModel::MaxLines)
                full += "n" + QByteArray::number(i) + "\r\n15\r\nset name\r\n";
        }
        QTest::newRow("import, past the limit") << VerbCase{import, names, 0, full, LineLimitMessage().toUtf8() + '\n'};
    }

    void run()
    {
        QFETCH(VerbCase, c);
        if (c.fileSizeLimit > 0 && Platform::ProgramsEndInExe())
            QSKIP("file size limits are set the Unix way");
        const GameTemporaryDir inGame = gameTemporaryDir(c.arguments);
        QTemporaryDir &dir = *inGame.dir;
        if (!c.file.isNull())
            PutBytes(dir.filePath(QStringLiteral("in")), c.file);
        PutBytes(dir.filePath(QStringLiteral("in2.cfg")), "say two\n");
        if (!inGame.base.isEmpty())
            PutBytes(QDir(inGame.base).filePath(QStringLiteral("in2.cfg")), "say two\n");  // where exec looks
        const CliResult result = RunCli(c.arguments.replaceInStrings(QStringLiteral("@"), dir.path()), c.fileSizeLimit);
        QCOMPARE(result.exitCode, c.exitCode);
        // Paths are printed with the system's separators.
        const QByteArray folder = QDir::toNativeSeparators(dir.path() + '/').toUtf8();
        if (c.outHolds)
            QVERIFY2(result.out.contains(c.out.replace("@/", folder)), result.out.constData());
        else
            QCOMPARE(result.out, c.out.replace("@/", folder));
        if (c.exitCode == 0 && !c.err.contains("holds"))
            QCOMPARE(result.err, c.err);
        else
            QVERIFY2(result.err.startsWith(c.err.replace("@/", folder)), result.err.constData());
        if (c.exitCode == 1)
            QCOMPARE(result.err.count('\n') - c.err.count('\n'), 1);
    }

    // generate -o plays the chain it wrote as check does: a chain the game stops is exit 1, findings are told.
    void generateSaysWhatCheckSays_data()
    {
        Columns<QByteArray, int, QString>("ras", "exitCode", "lastLine");  // lastLine: what stderr ends with
        // 32,767 chat lines of 145 bytes at the smallest part limit: 9,364 parts, and each exec leaves 2 bytes
        // waiting in RtCW's buffer of 16,384 until part 7,964 no longer fits.
        QByteArray longChain("#v050#\r\n");
        for (int i = 0; i < AnimationModel::MaxLines; ++i)
            longChain += QByteArray(140, 'x') + QByteArray::number(10000 + i) + "\r\n15\r\nsay\r\n";
        QTest::newRow("a chain longer than the buffer takes") << longChain << 1
            << "The game won't play this chain to its end: @/out_7964.cfg: exec refuses it, 458 bytes plus one and 15926 "
               "waiting don't fit";
        QTest::newRow("chat the server drops") << QByteArray("#v050#\r\nBob\r\n15\r\nset name\r\nhi\r\n15\r\nsay\r\n")
            << 0 << "The game plays 1 thing(s) otherwise than written: check ";
        QTest::newRow("played as written") << QByteArray("#v050#\r\nBob\r\n99\r\nset name\r\n") << 0 << "wrote ";
    }
    void generateSaysWhatCheckSays()
    {
        auto [ras, exitCode, lastLine] = Fetch<QByteArray, int, QString>("ras", "exitCode", "lastLine");
        if (exitCode == 1 && UnderWine())
            QSKIP("9,364 files: minutes under Wine");
        QTemporaryDir dir;
        lastLine.replace("@/", QDir::toNativeSeparators(dir.path() + '/'));
        const QString in = PutBytes(dir.filePath(QStringLiteral("in.ras")), ras);
        const QString out = dir.filePath(QStringLiteral("out.cfg"));
        const CliResult generated = RunCli({"generate", in, "-o", out, "--part-limit", "1024"});
        QCOMPARE(generated.exitCode, exitCode);
        const QStringList lines = QString::fromUtf8(generated.err).split(u'\n', Qt::SkipEmptyParts);
        QVERIFY2(!lines.isEmpty() && lines.last().startsWith(lastLine), generated.err.right(400).constData());
        QCOMPARE(RunCli({"check", out}).exitCode, generated.exitCode || lastLine.startsWith("The game plays") ? 1 : 0);
    }

    // generate -o writes over the file it is given, and over a later part only where this script's last save wrote
    // it and nobody changed it since; else it writes nothing and says which file and why.
    void generateWritesOverOnlyItsOwnParts_data()
    {
        Columns<bool, QString, QString>("saved", "changed", "said");  // saved: by this script first; changed: then by hand
        QTest::newRow("this script's last save") << true << "" << "";
        QTest::newRow("another script under the name given") << false << "anim.cfg" << "";
        QTest::newRow("another script's file as part 2") << false << "anim_2.cfg"
                                                         << "anim_2.cfg: numbered as a part, but not written by this script's last save";
        QTest::newRow("part 2 edited since") << true << "anim_2.cfg" << "anim_2.cfg: a part of this script's last save, changed since";
    }
    void generateWritesOverOnlyItsOwnParts()
    {
        auto [saved, changed, said] = Fetch<bool, QString, QString>("saved", "changed", "said");
        QTemporaryDir dir;
        const QString ras = PutBytes(dir.filePath("in.ras"), EncodeAnsi(AnimationFileText(Lines(40, Line("n0123")))));
        const QStringList generate{"generate", ras, "-o", dir.filePath("anim.cfg"), "--part-limit", "1024"};
        QVERIFY(!saved || RunCli(generate).exitCode == 0);
        if (!changed.isEmpty())
            PutBytes(dir.filePath(changed), FileBytes(dir.filePath(changed)) + "say mine\r\n");
        const QStringList files = FilesWithHashes(dir.path());
        const CliResult result = RunCli(generate);
        QCOMPARE(result.exitCode, said.isEmpty() ? 0 : 1);
        QVERIFY2(result.err.contains(said.toUtf8()), result.err.constData());
        if (said.isEmpty())  // two parts: part 2 is the last
            QCOMPARE(QDir(dir.path()).entryList({"anim*.cfg"}), (QStringList{"anim.cfg", "anim_2.cfg"}));
        else
            QCOMPARE(FilesWithHashes(dir.path()), files);
    }

    // Where the game looks: a chain saved in a game folder is chained by its path there and plays from it; one
    // saved elsewhere is written and read all the same, with a word that the game won't find it (--strict: exit 1).
    void whereTheGameLooks_data()
    {
        Columns<bool, bool, bool>("inGame", "strict", "bind");  // bind: --bind F5, the key runs it, from autoexec.cfg
        QTest::newRow("in the game's home folder") << true << false << false;
        QTest::newRow("in the game's home folder, strict and bound") << true << true << true;
        QTest::newRow("elsewhere") << false << false << false;
        QTest::newRow("elsewhere, strict") << false << true << false;
        QTest::newRow("elsewhere, bound: refused") << false << false << true;
    }
    void whereTheGameLooks()
    {
        const auto [inGame, strict, bind] = Fetch<bool, bool, bool>("inGame", "strict", "bind");
        const GameFolders folders = GameFoldersOf(Games::Et, SystemGamePlaces({}));
        if (folders.search.isEmpty())
            QSKIP("ET has no home folder here");
        const GameTemporaryDir game = gameTemporaryDir({"--game", "et"});
        QTemporaryDir elsewhere;
        const QString folder = (inGame ? game.dir.get() : &elsewhere)->filePath("anims");
        QVERIFY(QDir().mkpath(folder));
        QByteArray ras("#v050#\r\n");
        for (int i = 0; i < 1500; ++i)
            ras += "n" + QByteArray::number(i) + "\r\n15\r\nset name\r\n";
        const QString in = PutBytes(QDir(folder).filePath("in.ras"), ras);
        const QString out = QDir(folder).filePath("o.cfg");
        const QStringList options = strict ? QStringList{"--game", "et", "--strict"} : QStringList{"--game", "et"};
        const QString autoexec = QDir(folders.homeBase).filePath("autoexec.cfg");
        QFile::remove(autoexec);
        const CliResult generated = RunCli(QStringList{"generate", in, "-o", out, "--part-limit", "4096"} + options
                                           + (bind ? QStringList{"--bind", "F5"} : QStringList()));
        const QString chain = QString(inGame ? QFileInfo(game.dir->path()).fileName() + "/anims/" : "") + "o_2.cfg";
        const QByteArray bound = "bind F5 \"exec " + chain.chopped(6).toUtf8() + "\"\n";
        QCOMPARE(FileBytes(autoexec), bind && inGame ? bound : QByteArray());
        QCOMPARE(generated.err.contains("not bound: "), bind && !inGame);
        const QByteArray warning = "Enemy Territory 2.60b won't find " + QDir::toNativeSeparators(out).toUtf8()
                                   + " there: exec reads only from " + QDir::toNativeSeparators(folders.search.first().path).toUtf8();
        QCOMPARE(generated.exitCode, !inGame && (strict || bind) ? 1 : 0);
        QCOMPARE(generated.err.contains(warning), !inGame);
        QCOMPARE(QFile::exists(out), inGame || !strict);
        if (!QFile::exists(out))
            return;
        // Each part runs the next by its path in the game folder, or by its bare name.
        QVERIFY2(ReadFileBytes(out).contains("exec \"" + chain.toUtf8() + "\""), qPrintable(chain));
        const CliResult checked = RunCli(QStringList{"check", out} + options);
        QCOMPARE(checked.exitCode, !inGame && strict ? 1 : 0);
        QCOMPARE(checked.err.contains(warning), !inGame);
        QVERIFY(checked.out.contains("o_4.cfg: "));
    }
};

QTEST_MAIN(CliTest)
#include "tst_Cli.moc"
