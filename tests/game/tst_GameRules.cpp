#include "game/GameConsole.h"
#include "game/GameName.h"
#include "game/GamePlayer.h"

#include <QTest>

// What each engine gives for one row: RtCW 1.4, ioRTCW, Enemy Territory 2.60b, ET: Legacy.
struct PerEngine {
    QString rtcw, iortcw, et, etlegacy;

    QString of(int engine) const { return std::array{rtcw, iortcw, et, etlegacy}[engine]; }
};

struct NameRow { QByteArray name; PerEngine shown; };
struct TextRow { QByteArray text; PerEngine result; };

namespace {

const QString Dropped = QStringLiteral("(dropped)");

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

// One letter per command that reaches the server: K kept, D dropped by flood
// protection, H a name held back, R a held name replaced before it was shown.
QString played(const QByteArray &script, const GameRules &rules)
{
    GamePlayer player(125, rules);  // 8 ms frames: "wait 2" is 8 ms
    QString letters;
    for (const GameConsole::Command &command : GameConsole::Commands(script, rules)) {
        const std::optional<GamePlayer::Event> event = player.run(command.text);
        if (!event)
            letters += QLatin1Char('-');  // nothing runs: the buffer stalled
        else if (event->kind == GamePlayer::Kind::Dropped)
            letters += QLatin1Char('D');
        else if (event->kind == GamePlayer::Kind::Chat || event->kind == GamePlayer::Kind::Name)
            letters += event->replacesHeld ? QLatin1Char('R') : event->held ? QLatin1Char('H') : QLatin1Char('K');
    }
    return letters;
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

} // namespace

class GameRulesTest : public QObject {
    Q_OBJECT
private:
    template <typename Actual>
    void eachEngine(const PerEngine &expected, Actual actual)
    {
        for (int engine = 0; engine < int(Games::All.size()); ++engine) {
            const GameRules &rules = *Games::All[engine];
            QVERIFY2(actual(rules) == expected.of(engine),
                     qPrintable(QStringLiteral("%1: got \"%2\", not \"%3\"")
                                    .arg(QLatin1String(rules.title), actual(rules), expected.of(engine))));
        }
    }

private slots:
    void shownName_data()
    {
        QTest::addColumn<NameRow>("row");
        const QByteArray a34(34, 'a');
        QTest::newRow("colours as written") << NameRow{"^1Mar^7quee", {"^1Mar^7quee", "^1Mar^7quee", "^1Mar^7quee", "^1Mar^7quee"}};
        QTest::newRow("trailing caret") << NameRow{"Bob^", {"Bob", "Bob^", "Bob", "Bob"}};
        QTest::newRow("black ^0 allowed on ET") << NameRow{"^0Bo^1b", {"Bo^1b", "Bo^1b", "^0Bo^1b", "^0Bo^1b"}};
        QTest::newRow("^8 black or orange") << NameRow{"A^8B", {"AB", "AB", "A^8B", "A^8B"}};
        QTest::newRow("^( is a black code only where any byte makes a code")
            << NameRow{"A^(B", {"AB", "A^(B", "A^(B", "A^(B"}};
        QTest::newRow("a code that doesn't fit whole") << NameRow{a34 + "^1b", {a34, a34 + "^", a34, Dropped}};
        QTest::newRow("over 35 bytes") << NameRow{QByteArray(36, 'a'), {QString(35, 'a'), QString(35, 'a'), QString(35, 'a'), Dropped}};
        QTest::newRow("empty") << NameRow{"", {"UnnamedPlayer", "UnnamedPlayer", "UnnamedPlayer", Dropped}};
        QTest::newRow("colours only") << NameRow{"^1^2", {"UnnamedPlayer", "UnnamedPlayer", "UnnamedPlayer", "UnnamedPlayer"}};
        QTest::newRow("refused ;") << NameRow{"Bo;b", {"UnnamedPlayer", "UnnamedPlayer", "UnnamedPlayer", Dropped}};
        QTest::newRow("blank after a removed leading code") << NameRow{"^0 Bob", {"Bob", " Bob", "^0 Bob", "^0 Bob"}};
        QTest::newRow("a code restarts the blank count on ioRTCW")
            << NameRow{"A  ^1  B", {"A  ^1 B", "A  ^1  B", "A  ^1 B", "A  ^1 B"}};
        QTest::newRow("a Latin-1 letter") << NameRow{"Oc\xe9lot", {"Oclot", "Oclot", "Oc.lot", "Oc\u00e9lot"}};
        QTest::newRow("bytes 128-160 and 255") << NameRow{"A\xa0" "B\xff" "C\x80", {"ABC", "ABC", "ABC", "ABC"}};
        QTest::newRow("% on the wire") << NameRow{"100%", {"100.", "100.", "100.", "100."}};
    }

    void shownName()
    {
        QFETCH(NameRow, row);
        eachEngine(row.shown, [&](const GameRules &rules) {
            const GameName::Result result = GameName::ShownBytes(row.name, rules);
            if ((result.verdict == GameName::Verdict::AsWritten) == !result.reason.isEmpty())
                return QStringLiteral("(a reason only where the name changes)");
            return result.verdict == GameName::Verdict::Dropped ? Dropped : result.shown;
        });
    }

    void drawnName_data()
    {
        QTest::addColumn<NameRow>("row");
        QTest::newRow("^8 draws nothing or orange") << NameRow{"^1A^8B", {"{1}AB", "{1}AB", "{1}A{8}B", "{1}A{8}B"}};
        QTest::newRow("^^ is a code or a caret drawn") << NameRow{"A^^1B", {"A{6}1B", "A^{1}B", "A^{1}B", "A^{1}B"}};
        QTest::newRow("caret and blank") << NameRow{"A^ B", {"AB", "A^ B", "A{16}B", "A^ B"}};
        QTest::newRow("letter p is black") << NameRow{"^pA", {"A", "A", "{0}A", "{0}A"}};
        QTest::newRow("^z: green or light grey") << NameRow{"^zA", {"{2}A", "{2}A", "{10}A", "{10}A"}};
        QTest::newRow("^* green or the own colour") << NameRow{"^1A^*B", {"{1}A{2}B", "{1}A^*B", "{1}A{-1}B", "{1}A{-1}B"}};
    }

    void drawnName()
    {
        QFETCH(NameRow, row);
        eachEngine(row.shown, [&](const GameRules &rules) { return drawn(QString::fromLatin1(row.name), rules); });
    }

    void commandEnds_data()
    {
        QTest::addColumn<TextRow>("row");
        QTest::newRow("; after //") << TextRow{"say a // b; say c",
            {"say a // b| say c", "say a // b; say c", "say a // b| say c", "say a // b; say c"}};
        QTest::newRow("// ends at the line's end") << TextRow{"say a // b;\nsay c;say d",
            {"say a // b|say c|say d", "say a // b;|say c|say d", "say a // b|say c|say d", "say a // b;|say c|say d"}};
        QTest::newRow("/* */ across lines") << TextRow{"say a /* x;\ny */; say b",
            {"say a /* x|y */| say b", "say a /* x;\ny */| say b", "say a /* x|y */| say b", "say a /* x;\ny */| say b"}};
        QTest::newRow("// inside quotes") << TextRow{"say \"//\"; say b",
            {"say \"//\"| say b", "say \"//\"| say b", "say \"//\"| say b", "say \"//\"| say b"}};
    }

    void commandEnds()
    {
        QFETCH(TextRow, row);
        eachEngine(row.result, [&](const GameRules &rules) { return split(row.text, rules); });
    }

    void words_data()
    {
        const QByteArray word255(255, 'w');
        QTest::addColumn<TextRow>("row");
        QTest::newRow("set joins its words") << TextRow{"set name Bob the Builder",
            {"name Bob the Builder", "name Bob the Builder", "name Bob the Builder", "name Bob the Builder"}};
        QTest::newRow("a word of 255 bytes") << TextRow{"set name a " + word255,
            {"name a ", "name a " + word255, "name a ", "name a " + word255}};
        QTest::newRow("a last word unsafe") << TextRow{"set name Bob unsafe",
            {"name Bob unsafe", "name Bob unsafe", "name Bob", "name Bob"}};
        QTest::newRow("unsafe as the only word") << TextRow{"set name unsafe",
            {"name unsafe", "name unsafe", "name unsafe", "name unsafe"}};
        QTest::newRow("bare name with two words") << TextRow{"name Bob Builder",
            {"name Bob", "name Bob Builder", "name Bob", "name Bob Builder"}};
        QTest::newRow("http:// in chat") << TextRow{"say see http://x.org now",
            {"say see http:", "say see http:", "say see http://x.org now", "say see http://x.org now"}};
        QTest::newRow("a Latin-1 letter splits words") << TextRow{"say Oc\xe9lot",
            {"say Oc lot", "say Oc lot", "say Oc lot", "say Oc\u00e9lot"}};
        QTest::newRow("execq") << TextRow{"execq next", {"server execq", "exec next.cfg", "server execq", "exec next.cfg"}};
        QTest::newRow("a name that starts with a dot") << TextRow{"exec .hidden",
            {"exec .hidden.cfg", "exec .hidden", "exec .hidden.cfg", "exec .hidden"}};
    }

    void words()
    {
        QFETCH(TextRow, row);
        eachEngine(row.result, [&](const GameRules &rules) { return ran(row.text, rules); });
    }

    void flood_data()
    {
        QTest::addColumn<TextRow>("row");
        QTest::newRow("six chat lines 200 ms apart") << TextRow{repeated("say %1", 6, 200),
            {"KDDDDD", "KDDDDD", "KDDDKD", "KKKKKD"}};
        QTest::newRow("chat 400 ms after a name") << TextRow{"set name A;wait 100;say hi", {"KD", "KD", "KD", "KK"}};
        QTest::newRow("six chat lines 900 ms apart: a full second never passes") << TextRow{repeated("say %1", 6, 900),
            {"KKKKKK", "KKKKKK", "KKKKKK", "KKKKKD"}};
        QTest::newRow("chat 1 s apart after a burst of 5") << TextRow{repeated("say %1", 5, 0) + repeated("say x", 3, 1000),
            {"KDDDDDKK", "KDDDDDKK", "KDDDDDKK", "KKKKKDKK"}};
        QTest::newRow("wait -1") << TextRow{"say a;wait -1;say b", {"K-", "KD", "K-", "KK"}};
        QTest::newRow("twelve names a second apart") << TextRow{repeated("set name n%1", 12, 1000),
            {"KKKKKKKKKKKK", "KKKKKKKKKKKK", "KKKKKKKKKKKK", "KHRRRHRRRRHR"}};
    }

    void flood()
    {
        QFETCH(TextRow, row);
        eachEngine(row.result, [&](const GameRules &rules) { return played(row.text, rules); });
    }

    void buffer_data()
    {
        QTest::addColumn<int>("fileBytes");
        QTest::addColumn<PerEngine>("fits");
        QTest::newRow("16,383 bytes") << 16383 << PerEngine{"yes", "yes", "yes", "yes"};
        QTest::newRow("16,384 bytes") << 16384 << PerEngine{"no", "yes", "yes", "yes"};
        QTest::newRow("131,071 bytes") << 131071 << PerEngine{"no", "yes", "yes", "yes"};
        QTest::newRow("131,072 bytes") << 131072 << PerEngine{"no", "no", "no", "no"};
    }

    void buffer()
    {
        QFETCH(int, fileBytes);
        QFETCH(PerEngine, fits);
        eachEngine(fits, [&](const GameRules &rules) {
            return QString::fromLatin1(GameConsole::ExecFits(fileBytes, 0, rules) ? "yes" : "no");
        });
    }
};

QTEST_GUILESS_MAIN(GameRulesTest)
#include "tst_GameRules.moc"
