#include "ScriptFixtures.h"
#include "ScriptWindowUnderTest.h"
#include "CliRunner.h"
#include "SmallDisk.h"

#include "animation/AnimationFileCommands.h"
#include "game/GameConsole.h"
#include "script/ScriptImport.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"
#include "script/ScriptChainRecord.h"
#include "script/ScriptCheck.h"
#include "script/ScriptGenerator.h"
#include "script/ScriptParts.h"
#include "script/ScriptRepeat.h"
#include "script/ScriptSave.h"

#include <QRegularExpression>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif
#include <QListWidget>
#include <QSignalSpy>

Q_DECLARE_METATYPE(Game)

namespace {

const QString CrLf = QStringLiteral("\r\n");

Lines namesInOrder(int count, const QString &mark = {})
{
    Lines lines;
    for (int i = 0; i < count; ++i)
        lines << AnimationLine{QStringLiteral("^%1Ocelot %2").arg(1 + i % 7).arg(i) + mark, QString::number(5 + i % 90), "set name"};
    return lines;
}

// Files in dir (relative paths) and a part of an earlier save: "old:N" is our part N chained from N-1.
QByteArray oldPart(int part, bool chained)
{
    return (ExampleScript().join(CrLf) + (chained ? CrLf + ChainLine("ocelot", part + 1) : QString()) + CrLf).toLatin1();
}

} // namespace

// A chain saved as main/FOLDER/FILE.cfg; pathBytes > 0 picks FILE so that the last part's exec path is that long.
struct ChainCase { int lines; bool inGame; QString folder; QString file; int limit = 12288; int pathBytes = 0; QString mark = {}; QString ending = ".cfg"; };

class ScriptPartsTest : public QObject {
    Q_OBJECT
private slots:
    void chain_data()
    {
        QTest::addColumn<ChainCase>("c");
        const int all = AnimationModel::MaxLines;
        QTest::newRow("one part, unchanged") << ChainCase{300, false, "anims", "ocelot"};
        // The limit counts the last line's end.
        const int fits = int(PartFileBytes(BuildScriptText(namesInOrder(60), {})));
        QTest::newRow("a limit of the script's bytes: one part") << ChainCase{60, false, "anims", "ocelot", fits};
        QTest::newRow("a byte less: two parts") << ChainCase{60, false, "anims", "ocelot", fits - 1};
        QTest::newRow("under the game's install: path under its main folder") << ChainCase{2000, true, "anims", "ocelot"};
        QTest::newRow("blanks in folder and name") << ChainCase{2000, true, "my anims", "my anim"};
        QTest::newRow("a dot in the name") << ChainCase{2000, false, "anims", "ocelot.v2"};
        QTest::newRow("saved without .cfg") << ChainCase{2000, true, "anims", "ocelot.v2", 12288, 0, {}, ""};
        QTest::newRow("limit 1,024: over 1,000 parts") << ChainCase{all, false, "anims", "ocelot", 1024};
        for (int bytes : {62, 63, 64})  // 64: refused
            QTest::addRow("exec path of %d bytes", bytes) << ChainCase{2000, false, "anims", {}, 12288, bytes};
        QTest::newRow("one part, 64-byte path: refused") << ChainCase{300, false, "anims", {}, 12288, 64};
        // A character outside Latin-1 is still one byte; one outside the BMP is two characters and one byte.
        QTest::newRow("names outside Latin-1") << ChainCase{2000, false, "anims", "ocelot", 12288, 0, QStringLiteral("\u20ac\U0001F600")};
    }

    // Split, saved, played by the game model and imported again.
    void chain()
    {
        QFETCH(ChainCase, c);
        QTemporaryDir dir;
        QDir(dir.path()).mkpath("main/" + c.folder);
        const GameFolders folders =
            c.inGame ? GameFoldersOf(Games::Rtcw, {HostOs::Linux, dir.filePath("home"), {}, {dir.path()}}) : GameFolders{};
        const Lines animation = namesInOrder(c.lines, c.mark);
        const GeneratedScript script = GenerateScript(animation, {});
        QString file = c.file;
        if (c.pathBytes > 0) {
            const qsizetype parts = SplitScript(script, QString(c.pathBytes - 10, 'x'), c.limit).size();
            file = QString(c.pathBytes - 4 - (parts > 1 ? QString("_%1").arg(parts).size() : 0), 'x');
        }
        const QString first = dir.filePath("main/" + c.folder + "/" + file + c.ending);
        const QString execName = ExecTargetOf(first, folders).name;
        QCOMPARE(execName, (c.inGame ? c.folder + "/" : QString()) + file);
        const QStringList parts = SplitScript(script, execName, c.limit);
        const ScriptPartList counted(script, execName, c.limit);
        QString body;
        for (int i = 0; i < parts.size(); ++i) {
            QCOMPARE(counted.fileBytes(i), PartFileBytes(parts.at(i)));
            QVERIFY(PartFileBytes(parts.at(i)) <= qMin(c.limit, GameConsole::MaxPartLimit - 2 * i));
            QStringList partLines = parts.at(i).split(CrLf);
            QCOMPARE(partLines.mid(0, 8), ExampleScript().mid(0, 8));
            if (i + 1 < parts.size()) {
                QCOMPARE(partLines.takeLast(), "exec \"" + execName + QString("_%1.cfg\"").arg(i + 2));
                QVERIFY(partLines.last().startsWith("wait "));
            }
            body += partLines.mid(8).join(CrLf) + CrLf;
        }
        QCOMPARE(body, script.text.split(CrLf).mid(8).join(CrLf) + CrLf);
        QCOMPARE(parts.size() == 1, PartFileBytes(script.text) <= c.limit);

        const PartsWriteResult written = WriteScriptParts(first, parts, folders);
        QCOMPARE(written.ok, c.pathBytes <= GameConsole::MaxExecNameChars);
        if (!written.ok) {
            QVERIFY2(written.errorLine.contains(QString("is %1 bytes long").arg(c.pathBytes)), qPrintable(written.errorLine));
            QVERIFY(!QFile::exists(first));
            return;
        }
        // The start line opens the file saved.
        QCOMPARE(GameConsole::ExecFileName(ExecTargetOf(first, folders).first.toLatin1()), (c.inGame ? c.folder + "/" : QString()) + file + c.ending);
        const ScriptCheck check = CheckScriptFile(first, 125, Games::Rtcw, folders);
        QVERIFY(check.outsideGame.isEmpty());
        QCOMPARE(check.files.size(), parts.size());
        QCOMPARE(check.differences, c.mark.isEmpty() ? 0 : c.lines);  // the client removes foreign characters
        Lines held = animation;  // what the file holds of each line
        for (AnimationLine &line : held)
            line.text = DecodeAnsi(EncodeAnsi(line.text));
        AnimationModel model;
        FakePrompts prompts;
        QVERIFY(ImportScript(model, first, prompts));
        QCOMPARE(model.lines(), held);
        QStringList shown;
        for (const QString &line : check.report)
            if (line.contains(" ms): name "))
                shown << line.section(" ms): name ", 1);
        if (c.mark.isEmpty())
            QCOMPARE(shown, TextsOf(model));
    }

    // Each exec of a chain leaves two bytes waiting; a file that runs again in the same state never ends.
    void chainedByHand()
    {
        QTemporaryDir dir;
        PutBytes(dir.filePath("a.cfg"), "exec \"b.cfg\"\r\n");
        PutBytes(dir.filePath("b.cfg"), "exec \"c.cfg\"\r\n");
        for (int bytes : {16379, 16380}) {
            PutBytes(dir.filePath("c.cfg"), QByteArray(bytes, '\n'));
            QCOMPARE(CheckScriptFile(dir.filePath("a.cfg"), 125).differences, bytes == 16380 ? 1 : 0);
        }
        PutBytes(dir.filePath("c.cfg"), "set name a\nwait 9\nexec \"c.cfg\"");  // nothing after the exec
        QVERIFY(CheckScriptFile(dir.filePath("a.cfg"), 125).report.contains(QRegularExpression(".*c.cfg again .* never ends")));
        PutBytes(dir.filePath("c.cfg"), "set name a\nwait 9\nexec \"c.cfg\"\n");  // its line end waits, and adds up
        QVERIFY(CheckScriptFile(dir.filePath("a.cfg"), 125).report.contains(QRegularExpression(".*c.cfg: exec refuses it, 31 bytes plus one and 16353 waiting.*")));
    }

    // A save removes only the later parts its last save wrote and that still hold its bytes; every other file
    // numbered as a part stays and is named.
    void laterPartsRemovedOnlyWhenTheLastSaveWroteThem_data()
    {
        // steps: "save N", "edit K", "put K" (another script's file), "older K"; notes: what the last save says, by file
        Columns<QStringList, QStringList>("steps", "notes");
        const QString removed = "removed ocelot.v2_%1.cfg: an older part of this script";
        const QString changed = "kept ocelot.v2_%1.cfg: a part of this script's last save, changed since";
        const QString other = "kept ocelot.v2_%1.cfg: numbered as a part, but not written by this script's last save";
        QTest::newRow("the last save's parts removed") << QStringList{"save 3", "save 1"} << QStringList{removed.arg(2), removed.arg(3)};
        QTest::newRow("a shorter save, then shorter again") << QStringList{"save 3", "save 2", "save 1"} << QStringList{removed.arg(2)};
        QTest::newRow("a part edited since is kept") << QStringList{"save 3", "edit 3", "save 1"} << QStringList{removed.arg(2), changed.arg(3)};
        QTest::newRow("another script's file of a part's name is kept") << QStringList{"save 1", "put 2", "save 1"} << QStringList{other.arg(2)};
        QTest::newRow("and past the parts the last save wrote") << QStringList{"save 2", "put 3", "save 1"} << QStringList{removed.arg(2), other.arg(3)};
        QTest::newRow("an older version's parts are kept") << QStringList{"older 2", "older 3", "save 1"} << QStringList{other.arg(2), other.arg(3)};
        QTest::newRow("parts overwritten, nothing past the end") << QStringList{"put 2", "save 3"} << QStringList{};
    }

    void laterPartsRemovedOnlyWhenTheLastSaveWroteThem()
    {
        QFETCH(QStringList, steps);
        QTemporaryDir dir;
        const QString first = dir.filePath("ocelot.v2");  // saved under its own ending
        const GeneratedScript script = GenerateScript(namesInOrder(300), {});
        FakePrompts prompts;  // the window's Save: Yes to every overwrite question
        for (const QString &step : steps) {
            const int n = step.section(u' ', 1).toInt();
            if (step.startsWith("save")) {
                const QStringList parts = SplitScript(script, "ocelot.v2", n == 1 ? 100000 : int(PartFileBytes(script.text) / n + 600));
                QCOMPARE(parts.size(), n);
                prompts.clear();
                prompts.fileAnswers = {first};
                FileDialogState dialog;
                QVERIFY(SaveScriptParts(parts, QString(), dialog, prompts));
            } else {
                const QByteArray bytes = step.startsWith("edit") ? ReadFileBytes(PartPath(first, n)) + "say \"hi\"\r\n"
                                                                 : oldPart(n, step.startsWith("older"));
                PutBytes(PartPath(first, n), bytes);
            }
        }
        // Told in the window as on the command line, one line per file; what remains is what it says.
        QStringList notes;
        for (const FakePrompts::Message &message : prompts.messages)
            if (message.icon == PromptIcon::Information)
                notes = message.text.split('\n');
        notes.replaceInStrings(QDir::toNativeSeparators(dir.path() + "/"), "");
        QTEST(notes, "notes");
        const int parts = steps.last().section(u' ', 1).toInt();
        QStringList left = QStringList(notes).filter(QRegularExpression("^kept ")).replaceInStrings(QRegularExpression("^kept |:.*"), "");
        for (int part = 1; part <= parts; ++part)
            left << QFileInfo(PartPath(first, part)).fileName();
        left.sort();
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files, QDir::Name), left);
    }

    // A disk that fills up while a chain is saved, or a part that can't be written: every file as it was, or
    // every one new.
    void aFailedWriteLeavesTheChainWhole_data()
    {
        // pages of 4 KiB: the two old parts take two, the eight new ones eight; 0: a folder where part 3 goes
        Columns<int, QString>("pages", "error");
        QTest::newRow("room for the new chain beside the old") << 16 << "";
        QTest::newRow("full half-way: the old chain as it was") << 8 << "The disk is full";
        QTest::newRow("part 3 can't be written: the old chain as it was") << 0 << "Can't write ";
    }

    void aFailedWriteLeavesTheChainWhole()
    {
        auto [pages, error] = Fetch<int, QString>("pages", "error");
        QTemporaryDir dir;
        const QString first = dir.filePath("s.cfg");
        const GeneratedScript script = GenerateScript(namesInOrder(300), {});
        const QStringList parts = SplitScript(script, "s", 1700);
        QCOMPARE(parts.size(), 8);
        const auto save = [&] {
            PutBytes(first, oldPart(1, true));
            PutBytes(PartPath(first, 2), oldPart(2, false));
            const PartsWriteResult written = WriteScriptParts(first, parts);
            QByteArray files = written.errorLine.toUtf8() + '\n';
            for (const QString &name : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name))
                files += name.toUtf8() + ' ' + ScriptChainRecord::HashOf(ReadFileBytes(dir.filePath(name))).left(8) + '\n';
            return files;
        };
        QVERIFY(pages > 0 || QDir(dir.path()).mkdir("s_3.cfg"));
        const std::optional<QByteArray> seen = pages > 0 ? OnSmallDisk(dir.path(), pages * 4096, save) : save();
        if (!seen)
            QSKIP("no small disk can be made here (mount namespaces are not allowed)");
        QStringList files = QString::fromUtf8(*seen).split('\n', Qt::SkipEmptyParts);
        const bool saved = error.isEmpty();
        const QString said = saved ? QString() : files.takeFirst();
        QVERIFY2(said.isEmpty() == saved && (saved || pages == 0 || said.contains(error)), qPrintable(said));
        const QString part3 = QDir::toNativeSeparators(PartPath(first, 3));
        QVERIFY2(pages > 0 || said.startsWith(error + part3 + ": "), qPrintable(said));
        QStringList expected;
        if (saved) {
            expected << ".s.cfg.parts";
            for (int part = 1; part <= 8; ++part)
                expected << QFileInfo(PartPath(first, part)).fileName();
            files.replaceInStrings(QRegularExpression(" .*"), "");
        } else {
            expected << "s.cfg " + ScriptChainRecord::HashOf(oldPart(1, true)).left(8)
                     << "s_2.cfg " + ScriptChainRecord::HashOf(oldPart(2, false)).left(8);
        }
        QCOMPARE(files, expected);
    }

    // Saved under a new name, each part's line that runs the next is renamed wherever edits left it.
    void rechainedWhereverTheChainLineIs_data()
    {
        // first: part 1; part 2 is "set name b"; renamed: part 1 chained as "anims/new"
        Columns<QString, QString, bool>("first", "renamed", "chained");
        QTest::newRow("the last line") << "set name a\r\nwait 5\r\nexec \"old_2.cfg\""
                                       << "set name a\r\nwait 5\r\nexec \"anims/new_2.cfg\"" << true;
        QTest::newRow("a line added after it") << "wait 5\r\nexec \"old_2.cfg\"\r\necho hi"
                                               << "wait 5\r\nexec \"anims/new_2.cfg\"\r\necho hi" << true;
        QTest::newRow("another script run, and no chain") << "exec \"other_2.cfgx\"\r\nexec \"old_3.cfg\""
                                                          << "exec \"other_2.cfgx\"\r\nexec \"old_3.cfg\"" << false;
    }

    void rechainedWhereverTheChainLineIs()
    {
        auto [first, renamed, chained] = Fetch<QString, QString, bool>("first", "renamed", "chained");
        const QStringList parts{first, "set name b"};
        QCOMPARE(RechainParts(parts, "anims/new"), (QStringList{renamed, "set name b"}));
        QCOMPARE(PartsNotChained(parts), chained ? QList<int>{} : QList<int>{1});
    }

    // Repeated, the chain keeps its own count: the game plays every pass and then stops, on every engine, with the
    // count's borrows across decimal digits; the most passes the buffer holds play, one more overflows it.
    void repeatPlaysEveryPass_data()
    {
        // passes: 0: the most the buffer holds, -1: one more than that
        Columns<Game, int, int, int>("game", "lines", "limit", "passes");
        for (const int passes : {2, 10, 11, 12, 101})
            QTest::addRow("%d passes", passes) << Game::Rtcw << 3 << 12288 << passes;
        QTest::newRow("three passes of many parts") << Game::Rtcw << 300 << 1024 << 3;
        for (const GameRules *rules : Games::All)
            QTest::addRow("%s, two passes", rules->key) << rules->game << 40 << 12288 << 2;
        // Few lines a pass: the passes the buffer holds are many, the names played few.
        QTest::newRow("the most that fit") << Game::Rtcw << 3 << 2048 << 0;
        QTest::newRow("one more than fit") << Game::Rtcw << 3 << 2048 << -1;
        QTest::newRow("the most that fit on ET, echo left behind") << Game::Et << 6 << 2048 << 0;
        QTest::newRow("one more than fit on ET") << Game::Et << 6 << 2048 << -1;
    }
    void repeatPlaysEveryPass()
    {
        auto [game, lines, limit, passes] = Fetch<Game, int, int, int>("game", "lines", "limit", "passes");
        const GameRules &rules = Games::Of(game);
        QTemporaryDir dir;
        const QString path = dir.filePath("oc.cfg");
        const QString name = ExecTargetOf(path, {}).name;
        Lines animation = namesInOrder(lines);
        if (game == Game::Et) {
            for (int i = 0; i < lines; i += 3)
                animation[i].action = "echo";  // its text waits at the end of ET's buffer until the last pass ends
        }
        const int names = std::count_if(animation.cbegin(), animation.cend(),
                                        [](const AnimationLine &line) { return line.action == "set name"; });
        const GeneratedScript script = GenerateScript(animation, {});
        const int most = MostPasses(script, name, limit, rules);
        const int played = passes > 0 ? passes : passes == 0 ? most : most + 1;
        const ScriptPartList cut(script, name, limit, rules, played);
        QCOMPARE(cut.fits(), passes >= 0);
        QVERIFY(WriteScriptParts(path, cut.all(), {}, played).ok);
        const ScriptCheck check = CheckScriptFile(path, 125, rules);
        if (passes < 0) {
            QVERIFY2(check.stopped.contains("overflowed"), qPrintable(check.stopped));
            return;
        }
        QVERIFY2(check.stopped.isEmpty(), qPrintable(check.stopped));
        QCOMPARE(check.names, played * names);
        QCOMPARE(check.files.size(), cut.size());
        QVERIFY(cut.size() > (lines == 300 ? 3 : 1));
    }

    // The count runs part 2 from inside a cvar, unquoted; the cvars' names keep only what a cvar name may hold. A
    // letter outside ASCII in the exec path, written in the code page, names the saved file only where file names go
    // through the code page (Windows); elsewhere the save is refused and says why.
    void savedWhereTheExecPathRunsIt_data()
    {
        // file: in the game's main folder; prefix: of the count's cvars (repeated only); refused: the reason's words, or
        // empty: written
        Columns<QString, int, QString, QString>("file", "passes", "prefix", "refused");
        const QString cvar = "from inside a cvar", codePage = Platform::FileNamesInTheCodePage() ? "" : "letters outside ASCII";
        QTest::newRow("once, a blank is fine") << "my anim.cfg" << 1 << "mm_my_anim" << "";
        QTest::newRow("repeated, a blank") << "my anim.cfg" << 2 << "mm_my_anim" << cvar;
        QTest::newRow("repeated, a semicolon") << "a;b.cfg" << 2 << "mm_a_b" << cvar;
        QTest::newRow("repeated, a letter outside ASCII") << QString::fromUtf8("caf\u00e9.cfg") << 2 << "mm_caf_"
                                                          << (Platform::FileNamesInTheCodePage() ? cvar : "outside ASCII");
        QTest::newRow("repeated, dots and capitals") << "Oc.v2.cfg" << 2 << "mm_oc_v2" << "";
        QTest::newRow("a letter outside ASCII") << "out \u00fc.cfg" << 1 << "" << codePage;
        QTest::newRow("a folder outside ASCII") << "\u00fc/out.cfg" << 1 << "" << codePage;
        QTest::newRow("a letter no code page has") << "\u010dapek dir/o.cfg" << 1 << "" << "code page lacks";
    }
    void savedWhereTheExecPathRunsIt()
    {
        auto [file, passes, prefix, refused] = Fetch<QString, int, QString, QString>("file", "passes", "prefix", "refused");
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("main/" + QFileInfo(file).path()));
        const GameFolders folders = GameFoldersOf(Games::Rtcw, {HostOs::Linux, dir.filePath("home"), {}, {dir.path()}});
        const QString path = dir.filePath("main/" + file);
        if (!prefix.isEmpty())
            QCOMPARE(ScriptRepeat::CvarPrefix(ExecTargetOf(path, folders).name), prefix);
        const QStringList parts = SplitScript(GenerateScript(ExampleLines(), {}), "x", 12288, Games::Rtcw, passes);
        const PartsWriteResult result = WriteScriptParts(path, parts, folders, passes);
        QCOMPARE(result.ok, refused.isEmpty());
        QCOMPARE(QFile::exists(path), result.ok);
        QVERIFY2(result.errorMessage.contains(refused) && result.errorLine.contains(refused), qPrintable(result.errorMessage));
    }

    // Parts are cut between the animation's lines, where an action looks like a comment or a wait too; a line larger
    // than a part may be is a part of its own, over the limit: no part is left without a line.
    void partsCutBetweenLines()
    {
        Lines lines = namesInOrder(300);
        lines[0] = {QString(1000, 'x'), "15", "// say"};
        lines[1].action = "waitress";
        const QStringList parts = SplitScript(GenerateScript(lines, {}), "s", 1024);
        QVERIFY(parts.size() > 2 && PartFileBytes(parts.first()) > 1024);
        for (const QString &part : parts) {
            QCOMPARE(part.split(CrLf).mid(0, 8), ExampleScript().mid(0, 8));
            const char *starts = part == parts.first() ? "// say \"xxx" : part == parts.at(1) ? "waitress " : "set name ";
            QVERIFY2(part.split(CrLf).at(8).startsWith(starts), qPrintable(part));
        }
    }

    // Saved under another name, every part runs the next of that name, the next-to-last too; repeated, the starter
    // is written for it and the last part plays the next pass by it, and that line typed away is said.
    void chainRenamed()
    {
        const GeneratedScript script = GenerateScript(namesInOrder(300), {});
        for (const int passes : {1, 3}) {
            const QStringList parts = SplitScript(script, "anims/old", 2048, Games::Rtcw, passes);
            QVERIFY(parts.size() > 2);
            QCOMPARE(RechainParts(parts, "anims/new", passes), SplitScript(script, "anims/new", 2048, Games::Rtcw, passes));
            QCOMPARE(PartsNotChained(parts, passes), QList<int>{});
        }
        QStringList cut = SplitScript(script, "anims/old", 2048, Games::Rtcw, 3);
        cut.last().chop(ScriptRepeat::TailLine("anims/old").size());
        QCOMPARE(PartsNotChained(cut, 3), QList<int>{int(cut.size())});
        QCOMPARE(PartsNotChained(cut, 1), QList<int>{});
    }

    // A folder that takes no new file from the player (Program Files on Windows; here a read-only folder and an
    // ordinary user) is said as such, with what works instead.
    void aRefusedFolderIsSaidInWords()
    {
#ifndef Q_OS_UNIX
        QSKIP("Folder permissions are set the Unix way.");
#else
        QTemporaryDir dir;
        QVERIFY(chmod(QFile::encodeName(dir.path()).constData(), 0555) == 0);
        const std::optional<QByteArray> said = InChildProcess([] { return geteuid() != 0 || setuid(65534) == 0; }, [&] {
            return WriteScriptParts(dir.filePath("oc.cfg"), {ExampleScript().join(CrLf)}).errorMessage.toUtf8();
        });
        QVERIFY(chmod(QFile::encodeName(dir.path()).constData(), 0700) == 0);
        QVERIFY(said);
        QVERIFY2(QString::fromUtf8(*said).endsWith(Platform::FolderRefusedReason(dir.path())), said->constData());
        QVERIFY(!QFile::exists(dir.filePath("oc.cfg")));
#endif
    }

    // The window lists the parts and sums them up. Repeat is set by keys: the window shows the starter (not edited:
    // it is written for the saved name), says the passes, saves a chain that plays them, and refuses a count the
    // buffer can't hold. Saved untouched under a name longer than the one it showed, a script is cut anew: the very
    // files marqueemaster-cli generate -o writes for that file. Edits are saved as typed, and said before saving
    // where they no longer fit or no longer run the next part.
    void windowShowsPartsAndSavesThem()
    {
        QTemporaryDir dir;
        ScriptWindowUnderTest s(namesInOrder(300), {.generateDir = dir.path(), .partLimit = 2048});
        ScriptWindow &window = *s.window;
        FakePrompts &prompts = s.prompts;
        auto *list = window.findChild<QListWidget *>("lstParts");
        auto *box = window.findChild<QPlainTextEdit *>("txtScript");
        const GeneratedScript script = GenerateScript(s.model.lines(), {});
        QSignalSpy chosen(&window, &ScriptWindow::passesChosen);
        auto typePasses = [&](const QString &passes) {
            s.key(Qt::Key_P);
            PressKeys("Ctrl+A");
            QTest::keyClicks(QApplication::focusWidget(), passes);
            PressKeys("Return");
        };
        typePasses("3");
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen.last().first().toInt(), 3);
        QCOMPARE(list->count(), SplitScript(script, "script", 2048, Games::Rtcw, 3).size());
        QVERIFY2(s.summary().contains("plays the animation 3 times"), qPrintable(s.summary()));
        QVERIFY(box->isReadOnly());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
        QVERIFY(!box->isReadOnly());
        s.saveAs(dir.filePath("oc"));
        QCOMPARE(prompts.dialogs.first().state.initialDir, dir.path());
        const ScriptCheck check = CheckScriptFile(dir.filePath("oc.cfg"), 125);
        QVERIFY2(check.stopped.isEmpty(), qPrintable(check.stopped));
        QCOMPARE(check.names, 900);
        typePasses("99999");
        QVERIFY2(s.summary().contains("can't hold 99,999 passes"), qPrintable(s.summary()));
        const QByteArray saved = ReadFileBytes(dir.filePath("oc.cfg"));
        s.saveAs(dir.filePath("oc"));
        QCOMPARE(prompts.messageTexts().size(), 1);
        QVERIFY(prompts.messageTexts().first().contains("It holds at most"));
        QCOMPARE(ReadFileBytes(dir.filePath("oc.cfg")), saved);

        typePasses("1");
        const QStringList shown = SplitScript(script, "oc", 2048);
        QCOMPARE(list->count(), shown.size());
        qsizetype total = 0;
        for (const QString &part : shown)
            total += PartFileBytes(part);
        const QString sum = QStringLiteral("%1 bytes in %2 part(s)").arg(QLocale().toString(total)).arg(shown.size());
        QVERIFY2(s.summary().startsWith(sum), qPrintable(s.summary()));
        QVERIFY(SaveAnimation(s.model, dir.filePath("in.ras"), prompts));
        const QString name = "a name much longer than the one shown.cfg";
        for (const char *folder : {"window", "cli"})
            QVERIFY(QDir(dir.path()).mkdir(folder));
        s.saveAs(dir.filePath("window/" + name));
        const CliResult cli = RunCli({"generate", dir.filePath("in.ras"), "-o", dir.filePath("cli/" + name),
                                      "--part-limit", "2048", "--game", "rtcw"});
        QCOMPARE(cli.exitCode, 0);
        const QStringList files = QDir(dir.filePath("cli")).entryList(QDir::Files | QDir::Hidden, QDir::Name);
        QVERIFY(files.size() > 3);
        QCOMPARE(QDir(dir.filePath("window")).entryList(QDir::Files | QDir::Hidden, QDir::Name), files);
        for (const QString &file : files)
            QVERIFY2(ReadFileBytes(dir.filePath("window/" + file)) == ReadFileBytes(dir.filePath("cli/" + file)), qPrintable(file));
        QCOMPARE(list->count(), files.size() - 1);  // (the record)

        const QStringList parts = SplitScript(script, ExecTargetOf(dir.filePath("window/" + name), {}).name, 2048);
        list->scrollToItem(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
        QCOMPARE(box->toPlainText(), QString(parts.at(1)).replace(CrLf, "\n"));
        // An edit that no longer fits is told before saving; the edit is saved as typed.
        box->moveCursor(QTextCursor::End);
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClicks(box, "echo " + QString(600, QLatin1Char('x')));
        s.saveAs(dir.filePath("ocelot"));
        QVERIFY(prompts.messageTexts().first().startsWith("An edited part no longer fits"));
        QVERIFY(ReadFileBytes(dir.filePath("ocelot_2.cfg")).contains("\r\nexec \"ocelot_3.cfg\"\r\necho xxx"));  // chained still
        QVERIFY(ReadFileBytes(dir.filePath("ocelot.cfg")).endsWith("\r\nexec \"ocelot_2.cfg\"\r\n"));
        QVERIFY(QFile::exists(PartPath(dir.filePath("ocelot.cfg"), parts.size())));
        QVERIFY(s.summary().contains("Start it in the game with: exec \"ocelot.cfg\""));
        // A part whose chain line was typed away is said before saving: No keeps the files as they were.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
        box->selectAll();
        QTest::keyClicks(box, "set name cut");
        const QByteArray before = ReadFileBytes(dir.filePath("ocelot.cfg"));
        prompts.clear();
        prompts.answers = {PromptAnswer::No};
        ClickMenuBar(window);
        QCOMPARE(prompts.messageTexts(), QStringList{"Part 1 no longer runs part 2.\nThe game stops there.\n\nSave anyway?"});
        QCOMPARE(ReadFileBytes(dir.filePath("ocelot.cfg")), before);
        // A path exec can't read whole is refused, not saved.
        s.saveAs(dir.filePath(QString(60, 'x')));
        QVERIFY2(prompts.messageTexts().last().contains("bytes long: the game reads at most 63"), qPrintable(prompts.messageTexts().last()));
        QVERIFY(!QFile::exists(dir.filePath(QString(60, 'x') + ".cfg")));
    }
};

QTEST_MAIN(ScriptPartsTest)
#include "tst_ScriptParts.moc"
