#include "DataColumns.h"

#include "game/GameChat.h"
#include "game/GameConsole.h"
#include "game/GameFolders.h"
#include "game/GameName.h"
#include "game/GamePlayer.h"

#include <QDir>
#include <QTemporaryDir>

// What each engine gives for one row: RtCW 1.4, ioRTCW, Enemy Territory 2.60b, ET: Legacy.
struct PerEngine {
    QString rtcw, iortcw, et, etlegacy;

    QString of(int engine) const { return std::array{rtcw, iortcw, et, etlegacy}[engine]; }
    static PerEngine Same(const QString &all) { return {all, all, all, all}; }
};

// kind: "shown" or "drawn" for a name, "chat" as the others read it, "split" into commands, "ran" as one
// command, "played" as a script, "unseen": how many of its names are never seen, "fits": a file of that many
// bytes in the buffer
struct EngineRow { const char *kind; QByteArray input; PerEngine result; };

namespace {

const QString Dropped = QStringLiteral("(dropped)");
const QString Refused = QStringLiteral("(refused: UnnamedPlayer)");

// The glyphs as text: a colour's index in braces where it changes.
QString drawn(const QString &name, const GameRules &rules)
{
    QString text;
    int color = -1;
    for (const GameName::Glyph &glyph : GameName::Glyphs(name, rules)) {
        if (glyph.color != color)
            text += QStringLiteral("{%1}").arg(glyph.color);
        color = glyph.color;
        text += glyph.character;
    }
    return text;
}

// Each command of the text, as the buffer hands them out, between bars.
QString split(const QByteArray &text, const GameRules &rules)
{
    QStringList commands;
    for (const GameConsole::Command &command : GameConsole::Commands(text, rules))
        commands << QString::fromLatin1(command.text);
    return commands.join(QLatin1Char('|'));
}

// One letter per command that reaches the server: K kept, D dropped by flood protection, H a name held back,
// R a held name replaced before it was shown; counted: how many of its names are never seen (replaced in their
// frame or while held).
QString played(const QByteArray &script, const GameRules &rules, bool counted = false)
{
    GamePlayer player(125, rules);  // 8 ms frames: "wait 2" is 8 ms
    QString letters;
    int unseen = 0;
    for (const GameConsole::Command &command : GameConsole::Commands(script, rules)) {
        const std::optional<GamePlayer::Event> event = player.run(command.text);
        if (!event)
            letters += QLatin1Char('-');  // nothing runs: the buffer stalled
        else if (event->kind == GamePlayer::Kind::Dropped)
            letters += QLatin1Char('D');
        else if (event->kind == GamePlayer::Kind::Chat || event->kind == GamePlayer::Kind::Name)
            letters += event->replacesHeld ? QLatin1Char('R') : event->held ? QLatin1Char('H') : QLatin1Char('K');
        unseen += event && (event->replacesName || event->replacesHeld);
    }
    return counted ? QString::number(unseen) : letters;
}

// What one command does: the name set, the chat line said, the file executed, or what went to the server.
QString ran(const QByteArray &command, const GameRules &rules)
{
    GamePlayer player(125, rules);
    const std::optional<GamePlayer::Event> event = player.run(command);
    switch (event ? event->kind : GamePlayer::Kind::Local) {
    case GamePlayer::Kind::Name:
        return QStringLiteral("name ") + QString::fromLatin1(event->argument);
    case GamePlayer::Kind::Chat:
        return QStringLiteral("say ") + QString::fromLatin1(event->argument);
    case GamePlayer::Kind::Exec:
        return QStringLiteral("exec ") + GameConsole::ExecFileName(event->argument, rules);
    case GamePlayer::Kind::Server:
        return QStringLiteral("server ") + QString::fromLatin1(event->verb);
    default:
        return QStringLiteral("nothing");
    }
}

// `count` copies of `line` (%1 is its number), each followed by a wait of `ms`.
QByteArray repeated(const char *line, int count, int ms)
{
    QByteArray script;
    for (int i = 0; i < count; ++i)
        script += QByteArray(line).replace("%1", QByteArray::number(i)) + ";wait " + QByteArray::number(ms / 4) + "\n";
    return script;
}

// What the engine makes of the row's input.
QString outcome(const EngineRow &row, const GameRules &rules)
{
    const QByteArrayView kind(row.kind);
    if (kind == "shown") {
        const GameName::Result result = GameName::ShownBytes(row.input, rules);
        if ((result.verdict == GameName::Verdict::AsWritten) == !result.reason.isEmpty())
            return QStringLiteral("(a reason only where the name changes)");
        if (result.verdict == GameName::Verdict::Refused)
            return result.shown == GameName::Unnamed ? Refused : QStringLiteral("(refused, yet shown)");
        return result.verdict == GameName::Verdict::Dropped ? Dropped : result.shown;
    }
    if (kind == "drawn")
        return drawn(QString::fromLatin1(row.input), rules);
    if (kind == "chat") {
        const GameChat::Result chat = GameChat::Shown(row.input, rules);
        return QString::fromLatin1(chat.reason.isEmpty() ? row.input : chat.shown);
    }
    if (kind == "unseen")
        return played(row.input, rules, true);
    if (kind == "split")
        return split(row.input, rules);
    if (kind == "ran")
        return ran(row.input, rules);
    if (kind == "played")
        return played(row.input, rules);
    return QString::fromLatin1(GameConsole::ExecFits(row.input.toInt(), 0, rules) ? "yes" : "no");
}

} // namespace

Q_DECLARE_METATYPE(HostOs)

class GameRulesTest : public QObject {
    Q_OBJECT
private slots:
    void eachEngine_data()
    {
        QTest::addColumn<EngineRow>("row");
        const auto add = [](const char *kind, const char *tag, const QByteArray &input, const PerEngine &result) {
            QTest::addRow("%s: %s", kind, tag) << EngineRow{kind, input, result};
        };
        const QByteArray a33(33, 'a'), a34(34, 'a'), word255(255, 'w'), x59(59, 'x');
        add("shown", "colours as written", "^1Mar^7quee", PerEngine::Same("^1Mar^7quee"));
        add("shown", "trailing caret", "Bob^", {"Bob", "Bob^", "Bob", "Bob"});
        add("shown", "black ^0 allowed on ET", "^0Bo^1b", {"Bo^1b", "Bo^1b", "^0Bo^1b", "^0Bo^1b"});
        add("shown", "^8 and letter p black or orange", "A^8B^pC", {"ABC", "ABC", "A^8B^pC", "A^8B^pC"});
        add("shown", "^( is a black code only where any byte makes a code", "A^(B", {"AB", "A^(B", "A^(B", "A^(B"});
        add("shown", "a code that doesn't fit whole", a34 + "^1b", {a34, a34 + "^", a34, Dropped});
        add("shown", "35 bytes", a34 + "b", PerEngine::Same(a34 + "b"));
        add("shown", "over 35 bytes", QByteArray(36, 'a'), {QString(35, 'a'), QString(35, 'a'), QString(35, 'a'), Dropped});
        add("shown", "empty", "", {"UnnamedPlayer", "UnnamedPlayer", "UnnamedPlayer", Dropped});
        add("shown", "colours only", "^1^2", PerEngine::Same("UnnamedPlayer"));
        for (const char *refused : {"Bo\\b", "Bo;b", "Bo\"b"})
            add("shown", refused, refused, {Refused, Refused, Refused, Dropped});
        add("shown", "NUL ends the name", QByteArray("Bob\0Evil", 8), PerEngine::Same("Bob"));
        add("shown", "leading blanks", "  Bob", PerEngine::Same("Bob"));
        add("shown", "a blank after a code stays", "^1 Bob", PerEngine::Same("^1 Bob"));
        add("shown", "^^ is a code pair, letter a is red", "A^^B^aC", PerEngine::Same("A^^B^aC"));
        add("shown", "a code at bytes 34-35 kept, then cut", a33 + "^1b", {a33 + "^1", a33 + "^1", a33 + "^1", Dropped});
        add("shown", "black codes don't count to the limit", "^0" + a34 + "b", {a34 + "b", a34 + "b", "^0" + a33, Dropped});
        add("shown", "a foreign byte after a caret: RtCW takes the next byte as the code", "^\xe9" "1A",
            {"^1A", "^1A", "^.1A", "^\u00e91A"});
        add("shown", "blank after a removed leading code", "^0 Bob", {"Bob", " Bob", "^0 Bob", "^0 Bob"});
        add("shown", "a code restarts the blank count on ioRTCW", "A  ^1  B", {"A  ^1 B", "A  ^1  B", "A  ^1 B", "A  ^1 B"});
        add("shown", "a Latin-1 letter", "Oc\xe9lot", {"Oclot", "Oclot", "Oc.lot", "Oc\u00e9lot"});
        add("shown", "bytes 128-160 and 255", "A\xa0" "B\xff" "C\x80", PerEngine::Same("ABC"));
        add("shown", "% on the wire", "100%", PerEngine::Same("100."));
        // ioRTCW copies byte by byte, each against the byte out before it; blanks are not visible there.
        add("shown", "a code and blanks only", "^7   ", {"^7   ", "UnnamedPlayer", "^7   ", "^7   "});
        add("shown", "a black code at the 35th byte", a34 + "^0B", {a34 + "B", a34 + "^", a34, Dropped});
        add("shown", "^^ then black codes", "a^^px", {"a^^px", "a", "a^^px", "a^^px"});
        add("shown", "^Z alone", "^Z", PerEngine::Same("UnnamedPlayer"));
        add("shown", "^Z is a code on ioRTCW", "^ZAb", PerEngine::Same("^ZAb"));
        add("shown", "three blanks kept, four cut", "a   b    c", PerEngine::Same("a   b   c"));

        add("drawn", "^8 draws nothing or orange", "^1A^8B", {"{1}AB", "{1}AB", "{1}A{8}B", "{1}A{8}B"});
        add("drawn", "^^ is a code or a caret drawn", "A^^1B", {"A{6}1B", "A^{1}B", "A^{1}B", "A^{1}B"});
        add("drawn", "caret and blank", "A^ B", {"AB", "A^ B", "A{16}B", "A^ B"});
        add("drawn", "letter p is black", "^pA", {"A", "A", "{0}A", "{0}A"});
        add("drawn", "^z: green or light grey", "^zA", {"{2}A", "{2}A", "{10}A", "{10}A"});
        add("drawn", "^* green or the own colour", "^1A^*B", {"{1}A{2}B", "{1}A^*B", "{1}A{-1}B", "{1}A{-1}B"});

        add("chat", "% and a Latin-1 letter", "100% caf\xe9", {"100. caf.", "100. caf.", "100. caf.", "100. caf\u00e9"});
        add("chat", "200 bytes", QByteArray(200, 'x'), PerEngine::Same(QString(149, 'x')));
        add("chat", "149 bytes", QByteArray(149, 'x'), PerEngine::Same(QString(149, 'x')));

        add("split", "; after //", "say a // b; say c",
            {"say a // b| say c", "say a // b; say c", "say a // b| say c", "say a // b; say c"});
        add("split", "// ends at the line's end", "say a // b;\nsay c;say d",
            {"say a // b|say c|say d", "say a // b;|say c|say d", "say a // b|say c|say d", "say a // b;|say c|say d"});
        add("split", "/* */ across lines", "say a /* x;\ny */; say b",
            {"say a /* x|y */| say b", "say a /* x;\ny *| say b", "say a /* x|y */| say b", "say a /* x;\ny *| say b"});
        add("split", "a command ends after the * of */", "set name \"a\" /* c */ \"b\"",
            {"set name \"a\" /* c */ \"b\"", "set name \"a\" /* c *| \"b\"", "set name \"a\" /* c */ \"b\"",
             "set name \"a\" /* c *| \"b\""});
        add("split", "// inside quotes", "say \"//\"; say b", PerEngine::Same("say \"//\"| say b"));

        add("ran", "set joins its words", "set name Bob the Builder", PerEngine::Same("name Bob the Builder"));
        add("ran", "a word of 255 bytes", "set name a " + word255, {"name a ", "name a " + word255, "name a ", "name a " + word255});
        add("ran", "a comment ended by the command's end", "set name \"a\" /* c *", PerEngine::Same("name a"));
        add("ran", "/*/ opens and closes a comment", "set name a /*/ b", PerEngine::Same("name a b"));
        add("ran", "a last word unsafe", "set name Bob unsafe", {"name Bob unsafe", "name Bob unsafe", "name Bob", "name Bob"});
        add("ran", "unsafe as the only word", "set name unsafe", PerEngine::Same("name unsafe"));
        add("ran", "bare name with two words", "name Bob Builder", {"name Bob", "name Bob Builder", "name Bob", "name Bob Builder"});
        add("ran", "http:// in chat", "say see http://x.org now",
            {"say see http:", "say see http:", "say see http://x.org now", "say see http://x.org now"});
        add("ran", "a Latin-1 letter splits words", "say Oc\xe9lot", {"say Oc lot", "say Oc lot", "say Oc lot", "say Oc\u00e9lot"});
        // ET: Legacy steps over a UTF-8 sequence inside a word, but skips a high byte between words.
        add("ran", "a Latin-1 letter starts the word", "set name \xdcnal", PerEngine::Same("name nal"));
        add("ran", "a Latin-1 letter takes a quote into the word", "name ab\xe9\" x\"",
            {"name ab", "name ab  x", "name ab", "name ab\u00e9\" x "});
        add("ran", "a three-byte sequence takes a blank", "exec ab\xe9x y", {"nothing", "nothing", "nothing", "exec ab\u00e9x y.cfg"});
        add("ran", "execq", "execq next", {"server execq", "exec next.cfg", "server execq", "exec next.cfg"});
        add("ran", "exec adds the ending", "exec anims/ocelot", PerEngine::Same("exec anims/ocelot.cfg"));
        add("ran", "exec: a dot, no ending added", "exec ocelot.v2_2", PerEngine::Same("exec ocelot.v2_2"));
        add("ran", "exec: a dot in a folder only", "exec my.anims/x", PerEngine::Same("exec my.anims/x.cfg"));
        add("ran", "exec: 59 bytes and .cfg fit", "exec " + x59, PerEngine::Same("exec " + x59 + ".cfg"));
        add("ran", "exec: 60 bytes, .cfg cut", "exec " + x59 + "x", PerEngine::Same("exec " + x59 + "x.cf"));
        add("ran", "exec: cut at 63", "exec " + x59 + "xxxxxxxxxx", PerEngine::Same("exec " + x59 + "xxxx"));
        add("ran", "a name that starts with a dot", "exec .hidden",
            {"exec .hidden.cfg", "exec .hidden", "exec .hidden.cfg", "exec .hidden"});

        add("played", "six chat lines 200 ms apart", repeated("say %1", 6, 200), {"KDDDDD", "KDDDDD", "KDDDKD", "KKKKKD"});
        add("played", "chat 400 ms after a name", "set name A;wait 100;say hi", {"KD", "KD", "KD", "KK"});
        add("played", "six chat lines 900 ms apart: a full second never passes", repeated("say %1", 6, 900),
            {"KKKKKK", "KKKKKK", "KKKKKK", "KKKKKD"});
        add("played", "chat 1 s apart after a burst of 5", repeated("say %1", 5, 0) + repeated("say x", 3, 1000),
            {"KDDDDDKK", "KDDDDDKK", "KDDDDDKK", "KKKKKDKK"});
        add("played", "wait -1", "say a;wait -1;say b", {"K-", "KD", "K-", "KK"});
        add("played", "twelve names a second apart", repeated("set name n%1", 12, 1000),
            {"KKKKKKKKKKKK", "KKKKKKKKKKKK", "KKKKKKKKKKKK", "KHRRRHRRRRHR"});

        // Two buffer runs make a frame, counted from the first: (A, B) and (C, D) share one each.
        add("unseen", "names one run apart", "set name A;wait 1;set name B;wait 1;set name C;wait 1;set name D", PerEngine::Same("2"));
        add("unseen", "names two runs apart", "set name A;wait 2;set name B;wait 2;set name C", {"0", "0", "0", "1"});

        add("fits", "16,383 bytes", "16383", PerEngine::Same("yes"));
        add("fits", "16,384 bytes", "16384", {"no", "yes", "yes", "yes"});
        add("fits", "131,071 bytes", "131071", {"no", "yes", "yes", "yes"});
        add("fits", "131,072 bytes", "131072", PerEngine::Same("no"));
    }

    void eachEngine()
    {
        QFETCH(EngineRow, row);
        for (int engine = 0; engine < int(Games::All.size()); ++engine) {
            const GameRules &rules = *Games::All[engine];
            const QString actual = outcome(row, rules);
            QVERIFY2(actual == row.result.of(engine), qPrintable(QStringLiteral("%1: got \"%2\", not \"%3\"")
                                                                     .arg(QLatin1String(rules.title), actual, row.result.of(engine))));
        }
    }

    // Where exec looks, per engine and system: ~ the home folder, D Documents, I an install holding every game's
    // base folder, J one holding only etmain; the first folder listed wins.
    void foldersExecSearches_data()
    {
        Columns<Game, HostOs, QString, QString>("game", "os", "search", "homeBase");
        const HostOs onLinux = HostOs::Linux, onWindows = HostOs::Windows, onMac = HostOs::MacOs;
        QTest::newRow("RtCW, Linux") << Game::Rtcw << onLinux << "~/.wolf/main I/main" << "~/.wolf/main";
        QTest::newRow("ioRTCW, Linux") << Game::IoRtcw << onLinux << "~/.wolf/main I/main" << "~/.wolf/main";
        QTest::newRow("ET, Linux") << Game::Et << onLinux << "~/.etwolf/etmain I/etmain J/etmain" << "~/.etwolf/etmain";
        QTest::newRow("ET: Legacy, Linux: the legacy mod before etmain") << Game::EtLegacy << onLinux
            << "~/.etlegacy/legacy I/legacy ~/.etlegacy/etmain I/etmain J/etmain" << "~/.etlegacy/etmain";
        QTest::newRow("RtCW, Windows: no home, the install") << Game::Rtcw << onWindows << "I/main" << "I/main";
        QTest::newRow("ioRTCW, Windows") << Game::IoRtcw << onWindows << "D/RTCW/main I/main" << "D/RTCW/main";
        QTest::newRow("ET, Windows: no home") << Game::Et << onWindows << "I/etmain J/etmain" << "I/etmain";
        QTest::newRow("ET: Legacy, Windows") << Game::EtLegacy << onWindows
            << "D/ETLegacy/legacy I/legacy D/ETLegacy/etmain I/etmain J/etmain" << "D/ETLegacy/etmain";
        const QString mac = "~/Library/Application Support/";
        QTest::newRow("RtCW, macOS") << Game::Rtcw << onMac << mac + "WolfensteinMP/main I/main" << mac + "WolfensteinMP/main";
        QTest::newRow("ioRTCW, macOS") << Game::IoRtcw << onMac << mac + "RTCW/main I/main" << mac + "RTCW/main";
        QTest::newRow("ET, macOS") << Game::Et << onMac << mac + "Wolfenstein ET/etmain I/etmain J/etmain" << mac + "Wolfenstein ET/etmain";
        QTest::newRow("ET: Legacy, macOS") << Game::EtLegacy << onMac
            << mac + "etlegacy/legacy I/legacy " + mac + "etlegacy/etmain I/etmain J/etmain" << mac + "etlegacy/etmain";
    }
    void foldersExecSearches()
    {
        auto [game, os, search, homeBase] = Fetch<Game, HostOs, QString, QString>("game", "os", "search", "homeBase");
        QTemporaryDir dir;
        QDir root(dir.path());
        for (const char *folder : {"I/main", "I/etmain", "I/legacy", "J/etmain", "K/other"})
            QVERIFY(root.mkpath(QLatin1String(folder)));
        const GamePlaces places{os, dir.filePath("home"), dir.filePath("docs"),
                                {dir.filePath("K"), dir.filePath("I"), dir.filePath("J"), dir.filePath("I") + "/"}};
        const GameFolders folders = GameFoldersOf(Games::Of(game), places);
        QStringList shown;
        for (const GameFolder &folder : folders.search) {
            QString path = folder.path;
            path.replace(dir.filePath("home"), "~").replace(dir.filePath("docs"), "D").replace(dir.path() + "/", "");
            shown << path;
            QCOMPARE(folder.home, !path.startsWith("I/") && !path.startsWith("J/"));
        }
        // Joined by blanks only between folders: a folder's own blank stays.
        QCOMPARE(shown.join(' '), search);
        QString base = folders.homeBase;
        QCOMPARE(base.replace(dir.filePath("home"), "~").replace(dir.filePath("docs"), "D").replace(dir.path() + "/", ""), homeBase);
    }

    // The path exec runs a saved script by, and where "Save into the game folder" puts one saved elsewhere.
    void execPathsFromTheFolders_data()
    {
        // saved: under the temporary folder; exec: "" when the game won't find it
        Columns<QString, QString, QString>("saved", "exec", "into");
        const QString base = "home/.etwolf/etmain/";
        QTest::newRow("the home base folder") << base + "ocelot.cfg" << "ocelot.cfg" << base + "ocelot.cfg";
        QTest::newRow("a sub-folder of it") << base + "anims/ocelot.cfg" << "anims/ocelot.cfg" << base + "anims/ocelot.cfg";
        QTest::newRow("the install's base folder, with blanks")
            << "Enemy Territory/etmain/my anims/o 1.cfg" << "my anims/o 1.cfg" << base + "my anims/o 1.cfg";
        QTest::newRow("the Desktop: not found") << "home/Desktop/ocelot.cfg" << "" << base + "ocelot.cfg";
        QTest::newRow("another game's base folder: its sub-folder kept") << "home/.wolf/main/anims/ocelot.cfg" << ""
                                                                            << base + "anims/ocelot.cfg";
        QTest::newRow("a folder named like the base folder") << "home/.etwolf/etmain2/x.cfg" << "" << base + "x.cfg";
        QTest::newRow("the home folder itself") << "home/.etwolf/x.cfg" << "" << base + "x.cfg";
    }
    void execPathsFromTheFolders()
    {
        auto [saved, exec, into] = Fetch<QString, QString, QString>("saved", "exec", "into");
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("Enemy Territory/etmain"));
        const GameFolders folders = GameFoldersOf(
            Games::Et, GamePlaces{HostOs::Linux, dir.filePath("home"), {}, {dir.filePath("Enemy Territory")}});
        QCOMPARE(folders.execPathOf(dir.filePath(saved)).value_or(QString()), exec);
        QCOMPARE(folders.intoGameFolder(dir.filePath(saved)), dir.filePath(into));
    }
};

QTEST_GUILESS_MAIN(GameRulesTest)
#include "tst_GameRules.moc"
