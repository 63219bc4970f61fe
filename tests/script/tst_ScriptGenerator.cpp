#include "ScriptFixtures.h"
#include "ScriptWindowUnderTest.h"

#include "animation/AnimationFileCommands.h"
#include "game/GameConsole.h"
#include "platform/TextFile.h"
#include "script/AutoexecBind.h"
#include "script/ScriptGenerator.h"
#include "script/ScriptImport.h"
#include "script/ScriptParts.h"
#include "script/ScriptSave.h"

namespace {

const QString CrLf = QStringLiteral("\r\n");

// The command and wait lines of one animation line; told: its Time is reported as no number.
struct LineCase { AnimationLine line; QString command, wait; bool told = false; };

// script: the script's Save, else the animation's Save As; answers to "File exists! Overwrite?"; the names
// chosen ("" cancels, ".%e" the file's ending) beside taken.cfg and taken.ras; the file written.
struct SaveCase { bool script; QList<PromptAnswer> answers; QStringList choices; QString written;
    bool failed = false; QString asked = {}; };

} // namespace

class ScriptGeneratorTest : public QObject {
    Q_OBJECT
private slots:
    void scriptLines_data()
    {
        QTest::addColumn<LineCase>("c");
        for (const char *time : {"0", "-3", "0.5", "0.99", "-0.5"})
            QTest::addRow("Time '%s'", time) << LineCase{Line("a", time, "say"), "say \"a\"", "wait 5"};
        for (const char *time : {"100", "150", "32767"})
            QTest::addRow("Time '%s'", time) << LineCase{Line("a", time, "say"), "say \"a\"", "wait 99"};
        for (const char *time : {"1", " 7 ", "1.5", "+20", "99", "99.9"})
            QTest::addRow("Time '%s'", time) << LineCase{Line("a", time, "say"), "say \"a\"", "wait " + QString(time)};
        for (const char *time : {"abc", "", "2x", "32768", "-40000"})
            QTest::addRow("Time '%s'", time) << LineCase{Line("a", time, "say"), "say \"a\"", "wait 15", true};
        QTest::newRow("empty Text ignores the action") << LineCase{Line("", "15", "say"), "set name \"_\"", "wait 15"};
        QTest::newRow("blank Text, action as it is") << LineCase{Line(" ", "15", "Say"), "Say \" \"", "wait 15"};
        QTest::newRow("quotes can't end the Text") << LineCase{Line("x\";quit;\""), "set name \"x';quit;'\"", "wait 15"};
        QTest::newRow("lone LF or CR") << LineCase{Line("a\nb\rquit"), "set name \"a b quit\"", "wait 15"};
        for (char16_t end : {u'\0', u'\u2028', u'\u2029', u'\ufdd0', u'\ufdd1'})
            QTest::addRow("U+%04X can't end the line", end)
                << LineCase{NameLine("^1Bob" + QString(QChar(end)) + "quit"), "set name \"^1Bob quit\"", "wait 15"};
        QTest::newRow("line cut at the game's 1,023 bytes")
            << LineCase{{QString(2000, 'a'), "15", "set name"}, "set name \"" + QString(1012, 'a') + "\"", "wait 15"};
        QTest::newRow("semicolon and apostrophe stay") << LineCase{Line("a;it's"), "set name \"a;it's\"", "wait 15"};
    }

    void scriptLines()
    {
        QFETCH(LineCase, c);
        QStringList told;
        const QString script = BuildScriptText({c.line}, [&told](const QString &message) { told << message; });
        QCOMPARE(script.split(CrLf).mid(8), (QStringList{c.command, c.wait}));
        QCOMPARE(told, c.told ? QStringList{"no number _" + c.line.time + "_"} : QStringList());
    }

    void saveAsksBeforeWritingOver_data()
    {
        QTest::addColumn<SaveCase>("c");
        using A = PromptAnswer;
        for (bool script : {true, false}) {
            const auto row = [script](const char *tag) -> QTestData & {
                return QTest::addRow("%s, %s", script ? "script" : "animation", tag);
            };
            row("cancel the dialog") << SaveCase{script, {}, {""}, ""};
            row("new file") << SaveCase{script, {}, {"fresh.%e"}, "fresh.%e"};
            row("a dot in the folder's name") << SaveCase{script, {}, {"my.scripts/anim"}, "my.scripts/anim.%e"};
            row("overwrite yes") << SaveCase{script, {A::Yes}, {"taken.%e"}, "taken.%e"};
            row("typed without its ending: that file asked about") << SaveCase{script, {A::Yes}, {"taken"}, "taken.%e"};
            row("overwrite cancel") << SaveCase{script, {A::Cancel}, {"taken.%e", "x.%e"}, ""};
            row("no opens the dialog again") << SaveCase{script, {A::No}, {"taken.%e", "fresh.%e"}, "fresh.%e"};
            row("no, then cancel") << SaveCase{script, {A::No}, {"taken.%e", ""}, ""};
            row("failed save") << SaveCase{script, {}, {"folder.%e"}, "", true};
        }
        // A script's folder that isn't there yet is made when the player says so.
        const QString create = "Create the folder %1 in <dir>?";
        QTest::newRow("script, a missing folder made") << SaveCase{true, {A::Yes}, {"new/anims/s"}, "new/anims/s.%e", false,
                                                                    create.arg(QDir::toNativeSeparators("new/anims"))};
        QTest::newRow("script, a missing folder not made: the dialog again")
            << SaveCase{true, {A::No}, {"new/s", "fresh"}, "fresh.%e", false, create.arg("new")};
        QTest::newRow("script, a missing folder, cancel") << SaveCase{true, {A::Cancel}, {"new/s", "x"}, "", false, create.arg("new")};
    }

    void saveAsksBeforeWritingOver()
    {
        QFETCH(SaveCase, c);
        const QString ending = c.script ? "cfg" : "ras";
        QTemporaryDir dir;
        PutBytes(dir.filePath("taken.cfg"), "old");
        PutBytes(dir.filePath("taken.ras"), "old");
        for (const char *folder : {"my.scripts", "folder.cfg", "folder.ras"})
            QDir(dir.path()).mkdir(folder);
        FakePrompts prompts;
        prompts.answers = c.answers;
        for (const QString &choice : c.choices)
            prompts.fileAnswers << (choice.isEmpty() ? QString() : dir.filePath(QString(choice).replace("%e", ending)));
        FileDialogState dialog;
        AnimationModel model;
        model.setLines({Line("new")});
        const QString text = ExampleScript().join(CrLf);
        const bool saved = c.script ? SaveScript(text, dir.path(), dialog, prompts)
                                    : SaveAnimationAs(model, dialog, Settings{.saveDir = dir.path()}, prompts);
        QCOMPARE(saved, !c.written.isEmpty());
        const QByteArray bytes = c.script ? text.toLatin1() + "\r\n" : "#v050#\r\nnew\r\n15\r\nset name\r\n";
        for (const QString &file : {"taken.%e", "fresh.%e", "my.scripts/anim.%e", "new/anims/s.%e"}) {
            const QByteArray before = file.startsWith("taken") ? "old" : "<missing>";
            const QString path = dir.filePath(QString(file).replace("%e", ending));
            QCOMPARE(ReadFileBytes(path), file == c.written ? bytes : before);
        }
        QVERIFY(!QFile::exists(dir.filePath("taken")));
        QStringList told = prompts.messageTexts();
        if (!told.isEmpty() && IsSaveError(told.last()))
            told.last() = QStringLiteral("save error");
        const QString asked = !c.asked.isEmpty() ? QString(c.asked).replace("<dir>", QDir::toNativeSeparators(dir.path()))
                              : c.script     ? "File Exists! Overwrite?" : "File exists! Overwrite?";
        QCOMPARE(told, QStringList(c.answers.size(), asked) + QStringList(c.failed ? 1 : 0, "save error"));
        QCOMPARE(prompts.dialogs.size(), c.choices.size() - c.answers.count(PromptAnswer::Cancel));
        QCOMPARE(prompts.dialogs.first().state.initialDir, dir.path());
    }

    // The script window knows where the chosen game looks: a script saved elsewhere is told, "Save into the game
    // folder" (Alt+G) puts it there, asking before it makes a missing folder, and Save (Alt+S) starts there. Bind to
    // key (Alt+B) adds a line to the game's autoexec.cfg for a script saved there, asks before replacing another
    // bind of the key, and Remove the bind (Alt+R) gives the file back as it was.
    void windowSavesAndBindsWhereTheGameLooks()
    {
        const TemporaryHome home;
        const GameFolders folders = Settings{.game = Game::Et}.folders();
        if (folders.homeBase.isEmpty() || !folders.homeBase.startsWith(home.path()))
            QSKIP("ET has no home folder here");
        QTemporaryDir elsewhere;
        ScriptWindowUnderTest s(ExampleLines(), {.generateDir = elsewhere.path(), .game = Game::Et});
        const QString assumed = QDir::toNativeSeparators(QDir(elsewhere.path()).filePath("script.cfg"));
        QVERIFY2(s.summary().contains("Enemy Territory 2.60b won't find " + assumed + " there"), qPrintable(s.summary()));
        QVERIFY(s.summary().contains(" s) the game runs your other keys only after it"));

        s.prompts.clear();  // (what opening told of the Times)
        s.prompts.answers = {PromptAnswer::Yes};
        s.key(Qt::Key_G);
        QCOMPARE(s.prompts.messageTexts(), QStringList{"Create the folder " + QDir::toNativeSeparators(".etwolf/etmain") + " in "
                                                       + QDir::toNativeSeparators(home.path()) + "?"});
        const QString saved = QDir(folders.homeBase).filePath("script.cfg");
        QCOMPARE(ReadFileBytes(saved), ExampleScript().join(CrLf).toLatin1() + "\r\n");
        QVERIFY2(s.summary().contains("Start it in the game with: exec \"script.cfg\""), qPrintable(s.summary()));
        QVERIFY(!s.summary().contains("won't find"));
        QVERIFY(!Named<QMenuBar>(*s.window, {})->actions().at(1)->isEnabled());

        s.prompts.clear();
        s.prompts.fileAnswers = {QDir(folders.homeBase).filePath("my anims/o")};
        s.prompts.answers = {PromptAnswer::Yes};
        s.key(Qt::Key_S);
        QCOMPARE(s.prompts.dialogs.size(), 1);
        QCOMPARE(s.prompts.dialogs.first().state.fileName, saved);  // where the last save went
        QVERIFY(QFile::exists(QDir(folders.homeBase).filePath("my anims/o.cfg")));
        QVERIFY2(s.summary().contains("exec \"my anims/o.cfg\""), qPrintable(s.summary()));

        // A bind runs the script by its path in the game folder (one without blanks).
        s.prompts.fileAnswers = {QDir(folders.homeBase).filePath("anims/o")};
        s.prompts.answers = {PromptAnswer::Yes};
        s.key(Qt::Key_S);
        const QString autoexec = QDir(folders.homeBase).filePath("autoexec.cfg");
        const QByteArray before = "bind f6 \"say gg\"\r\nseta cl_maxpackets 100";  // no final line end
        PutBytes(autoexec, before);
        QVERIFY(!Named<QMenuBar>(*s.window, {})->actions().at(3)->isEnabled());  // nothing to remove yet
        s.prompts.clear();
        s.prompts.inputAnswers = {"F6"};
        s.prompts.answers = {PromptAnswer::No};  // f6 says gg: kept
        s.key(Qt::Key_B);
        QCOMPARE(FileBytes(autoexec), before);
        s.prompts.inputAnswers = {"F5"};
        s.key(Qt::Key_B);
        QCOMPARE(FileBytes(autoexec), before + "\r\nbind F5 \"exec anims/o\"");
        QVERIFY2(s.prompts.messageTexts().last().contains("Added to " + QDir::toNativeSeparators(autoexec)),
                 qPrintable(s.prompts.messageTexts().last()));
        s.key(Qt::Key_R);
        QCOMPARE(FileBytes(autoexec), before);

        // With no folder for scripts chosen, a first save starts in the game's folder; a bind waits for it.
        ScriptWindowUnderTest inGame(ExampleLines(), {.game = Game::Et});
        inGame.prompts.clear();
        inGame.key(Qt::Key_B);
        QVERIFY(inGame.prompts.messageTexts().value(0).startsWith("Save the script into the game folder first"));
        QCOMPARE(FileBytes(autoexec), before);
        ClickMenuBar(*inGame.window);
        QCOMPARE(inGame.prompts.dialogs.first().state.initialDir, folders.homeBase);
    }

    // autoexec.cfg gets one bind line and loses exactly that line again; every other byte stays.
    void bindInAutoexec_data()
    {
        // after: "" when the file stays as it was, "no key" when the games have no such key
        Columns<QByteArray, QString, bool, QByteArray>("before", "typed", "replace", "after");
        const QByteArray line = "bind F5 \"exec anims/o\"";
        QTest::newRow("a new file") << QByteArray() << "F5" << false << line + "\n";
        QTest::newRow("LF lines") << QByteArray("seta a 1\n") << "f5" << false << "seta a 1\n" + line + "\n";
        QTest::newRow("CR LF lines") << QByteArray("seta a 1\r\n") << "F5" << false << "seta a 1\r\n" + line + "\r\n";
        QTest::newRow("no final line end") << QByteArray("seta a 1") << "F5" << false << "seta a 1\n" + line;
        QTest::newRow("a letter in capitals: lower case for RtCW") << QByteArray() << "K" << false
                                                                     << QByteArray("bind k \"exec anims/o\"\n");
        QTest::newRow("bound so already") << QByteArray("BIND F5 \"exec anims/o\"\n") << "F5" << false << QByteArray();
        QTest::newRow("bound to another command: kept") << QByteArray("bind F5 \"say hi\"\nx\n") << "F5" << false << QByteArray();
        QTest::newRow("bound to another command: replaced in place")
            << QByteArray("a\r\nbind F5 \"say hi\"\r\nx") << "F5" << true << "a\r\n" + line + "\r\nx";
        QTest::newRow("another key's bind stays") << QByteArray("bind f6 \"say hi\"\n") << "F5" << false
                                                  << "bind f6 \"say hi\"\n" + line + "\n";
        // The keys by the games' own names, in any case; a name they lack binds nothing.
        for (const auto &[typed, written] : std::initializer_list<std::pair<const char *, const char *>>{
                 {"k", "k"}, {"5", "5"}, {"f12", "F12"}, {"kp_enter", "KP_ENTER"}, {"Mouse4", "MOUSE4"}, {"0x1F", "0x1f"},
                 {"F13", ""}, {";", ""}, {"\"", ""}, {"\u00e9", ""}, {"two words", ""}})
            QTest::addRow("key %s", typed) << QByteArray() << QString::fromUtf8(typed) << false
                                           << (*written ? "bind " + QByteArray(written) + " \"exec anims/o\"\n" : "no key");
    }
    void bindInAutoexec()
    {
        auto [before, typed, replace, after] = Fetch<QByteArray, QString, bool, QByteArray>("before", "typed", "replace", "after");
        const std::optional<QString> key = GameKeyName(typed);
        QCOMPARE(key.has_value(), after != "no key");
        if (!key)
            return;
        const BindEdit edit = AddBind(before, *key, "exec anims/o", replace);
        QCOMPARE(edit.changed, !after.isEmpty());
        QCOMPARE(edit.bytes, after.isEmpty() ? before : after);
        QCOMPARE(!edit.boundTo.isEmpty(), before.contains("bind F5 \"say hi"));
        if (edit.changed && edit.boundTo.isEmpty())
            QCOMPARE(RemoveBind(edit.bytes, "exec anims/o"), before);
    }

    // The worked example as the script window shows it (an empty animation is the banner alone).
    void workedExample()
    {
        QCOMPARE(BuildScriptText({}, {}), ExampleScript().mid(0, 8).join(CrLf));
        QTemporaryDir dir;
        ScriptWindowUnderTest s(ExampleLines(), {.generateDir = dir.path()});
        QCOMPARE(s.prompts.messageTexts(), QStringList{"no number _2x_"});
        auto *box = Named<QPlainTextEdit>(*s.window, "txtScript");
        QCOMPARE(box->toPlainText().split(QLatin1Char('\n')), ExampleScript());
        // Save writes what the box holds, the user's own lines too, and tells of characters the code page lacks.
        box->moveCursor(QTextCursor::End);
        box->insertPlainText(QStringLiteral("\necho \"\u03a9\""));
        const QString path = dir.filePath(QStringLiteral("s.cfg"));
        s.saveAs(path);
        QCOMPARE(ReadFileBytes(path), (ExampleScript() << "echo \"?\"").join(CrLf).toLatin1() + "\r\n");
        QCOMPARE(s.prompts.messageTexts().last(), ReplacedCharactersNotice(path));
    }

    // A whole animation split at the game's largest part (the stock buffer needs many parts, the others few), and
    // what the script window tells of a long name and a black one; name: the game's in the caption and the file filter.
    void perGame_data()
    {
        Columns<Game, int, QString, QString, QString>("game", "parts", "name", "summary", "report");
        QTest::newRow("RtCW 1.4 cuts a long name") << Game::Rtcw << 74 << "RtCW"  // as it always was
            << "in 1 part(s) of at most 12,288 bytes, checked against RtCW 1.4" << "line 2: cut at 35 bytes (colour codes count)";
        QTest::newRow("ioRTCW") << Game::IoRtcw << 9 << "ioRTCW" << "checked against ioRTCW" << "line 2: cut at 35 bytes";
        QTest::newRow("ET shows black") << Game::Et << 9 << "Enemy Territory 2.60b" << "checked against Enemy Territory 2.60b"
                                        << "line 2: cut at 35 bytes";
        QTest::newRow("ET: Legacy drops the player") << Game::EtLegacy << 9 << "ET: Legacy" << "checked against ET: Legacy. "
            "Start it in the game with: exec and the name you save it as (exec \"script.cfg\" for script.cfg)\n"
            "ET: Legacy servers take one name change every 5 seconds by default: 2 of 3 names will be seen."
            << "line 2: over 35 bytes: the server drops the player";
    }
    void perGame()
    {
        auto [game, parts, name, summary, report] = Fetch<Game, int, QString, QString, QString>("game", "parts", "name", "summary", "report");
        const GameRules &rules = Games::Of(game);
        Lines lines;
        for (int i = 0; i < 32767; ++i)
            lines << AnimationLine{QStringLiteral("^%1Ocelot %2").arg(1 + i % 7).arg(i), "15", "set name"};
        const QStringList split = SplitScript(GenerateScript(lines, {}), "script", rules.maxPartBytes(), rules);
        QCOMPARE(split.size(), parts);
        // Each exec leaves two bytes waiting: every part must still fit beside them.
        for (int i = 0; i < split.size(); ++i)
            QVERIFY2(GameConsole::ExecFits(PartFileBytes(split.at(i)), 2 * i, rules), qPrintable(QString::number(i)));
        QVERIFY(!GameConsole::ExecFits(PartFileBytes(split.first()) + rules.bufferBytes / 8, 0, rules));

        ScriptWindowUnderTest s({Line("^1Ocelot"), {QString(36, 'a'), "15", "set name"}, Line("^0Black", "200")}, {.game = game});
        QVERIFY2(s.summary().contains(summary), qPrintable(s.summary()));
        QVERIFY2(s.report().contains(report), qPrintable(s.report()));
        QCOMPARE(s.report().contains("black colour codes"), !rules.blackAllowed);
        // Saving asks first where the server would drop the player; No saves nothing.
        s.prompts.answers = {PromptAnswer::No};
        ClickMenuBar(*s.window);
        const bool asked = s.prompts.messageTexts().value(0).startsWith("ET: Legacy drops you from the server for a name "
                                                                        "over 35 bytes or none, at line(s) 2.");
        QCOMPARE(asked, game == Game::EtLegacy);
        QCOMPARE(s.prompts.dialogs.isEmpty(), game == Game::EtLegacy);
        QCOMPARE(s.window->windowTitle(), "Generate " + name + " Script");
        QVERIFY(asked || s.prompts.dialogs.first().state.filter.startsWith(name + " Script (*.cfg)|"));
    }

    void import_data()
    {
        // script: a.cfg, then b.cfg ... after each \f; rows: "Text|Time", then "|Action" when not "set name"
        Columns<QString, QStringList>("script", "rows");
        const QStringList ab{"a|3", "b|4"};
        QTest::newRow("name and wait on one line") << "set name ^1Bob; wait 20" << QStringList{"^1Bob|20"};
        QTest::newRow("name ignores case, wait doesn't") << "SET NAME x\nWAIT 5\nName y" << QStringList{"x|", "y|"};
        QTest::newRow("no value") << "set name\nset name \nname\nname " << QStringList{};
        QTest::newRow("quotes go, blanks stay") << "set name  \"a\"b\"\" " << QStringList{" ab |"};
        QTest::newRow("name is a prefix test") << "set name x\nname y\nnames z" << QStringList{"x|", "y|", " z|"};
        QTest::newRow("only the first wait after a name") << "wait 5\nset name a\nwait 6\nwait 9" << QStringList{"a|6"};
        QTest::newRow("wait value trimmed, unquoted, as written") << "set name a\nwait  7 \nname b\nwait \"7\"\nname c\nwait 2.50"
                                                                  << QStringList{"a|7", "b|7", "c|2.50"};
        QTest::newRow("wait out of range, without value, no number") << "set name a\nwait 40000\nwait \nwait\nwait abc\nwait 8"
                                                                       << QStringList{"a|8"};
        QTest::newRow("wait fills the last name") << "set name a; set name b; wait 4" << QStringList{"a|", "b|4"};
        QTest::newRow("comments and bind skipped, echo read") << "  // set name x\n\t// set name y\n\n  \nbind x y\necho hi" << QStringList{"hi||echo"};
        QTest::newRow("slashes later are text") << "set name x // c" << QStringList{"x // c|"};
        QTest::newRow("semicolon inside quotes stays") << "say \"gg; wp\"; set name \"a;b\";wait 2" << QStringList{"gg; wp||say", "a;b|2"};
        QTest::newRow("blanks, tabs, empty commands") << ";; ;\tset name x ;   wait 3" << QStringList{"x |3"};
        QTest::newRow("other commands skipped") << "say hi; set name a; bind x y; wait 3" << QStringList{"hi||say", "a|3"};
        QTest::newRow("every action read with its wait") << "set name a\nwait 5\nsay_team \"hi\"\nwait 20\nvsay x\nvsay_team y"
                                                         << QStringList{"a|5", "hi|20|say_team", "x||vsay", "y||vsay_team"};
        QTest::newRow("mixed, last line open") << "set name a\r\nwait 3\nname b;wait 4\r// name c" << ab;
        // A chain that runs an earlier part again is read once through: no hang, no copies.
        QTest::newRow("the last part runs the first") << "set name A\nwait 5\nexec \"b.cfg\"\fset name B\nwait 5\nexec a"
                                                      << QStringList{"A|5", "B|5"};
        QTest::newRow("a part runs itself") << "set name A\nwait 5\nexec \"a.cfg\"" << QStringList{"A|5"};
    }

    void import()
    {
        QFETCH(QString, script);
        QTemporaryDir dir;
        AnimationModel model;
        model.setLines(LinesFromTexts({"old"}));
        FakePrompts prompts;
        const QStringList files = script.split(u'\f');
        for (int i = 0; i < files.size(); ++i)
            PutBytes(dir.filePath(QString(QChar('a' + i)) + ".cfg"), files.at(i).toLatin1());
        QVERIFY(ImportScript(model, dir.filePath("a.cfg"), prompts));
        QStringList imported;
        for (const AnimationLine &line : model.lines())
            imported << line.text + '|' + line.time + (line.action == QLatin1String("set name") ? QString() : '|' + line.action);
        QTEST(imported, "rows");
        QVERIFY(prompts.messages.isEmpty());
    }
};

QTEST_MAIN(ScriptGeneratorTest)
#include "tst_ScriptGenerator.moc"
