#include "CliRunner.h"
#include "OptionsUnderTest.h"
#include "platform/TextFile.h"
#include "transforms/TextTransforms.h"

#include <QRandomGenerator>

// The file "Create file" writes, byte for byte.
static const QByteArray DefaultFileBytes =
    "a=4\r\nb=b\r\nc=(\r\nd=d\r\ne=3\r\nf=f\r\ng=9\r\nh=h\r\ni=|\r\nj=j\r\nk=|<\r\nl=1\r\nm=/\\/\\\r\n"
    "n=n\r\no=0\r\np=p\r\nq=q\r\nr=r\r\ns=$\r\nt=7\r\nu=u\r\nv=\\/\r\nw=\\/\\/\r\nx=)(\r\ny=y\r\nz=z\r\n"
    "A=4\r\nB=B\r\nC=(\r\nD=D\r\nE=3\r\nF=F\r\nG=9\r\nH=H\r\nI=|\r\nJ=J\r\nK=|<\r\nL=1\r\nM=/\\/\\\r\n"
    "N=N\r\nO=0\r\nP=P\r\nQ=Q\r\nR=R\r\nS=$\r\nT=7\r\nU=U\r\nV=\\/\r\nW=\\/\\/\r\nX=)(\r\nY=Y\r\nZ=Z\r\n";

// before: empty for no file, "<dir>" for a folder; action: a text to save, "<create>" and the answer asked, or
// "<load>"; after: the file then, null when as before
struct WriteCase { QByteArray before; QString action; QByteArray after; QString table; QString message; };

class LeetTableTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    const QString m_path = m_dir.filePath(QStringLiteral("leet.ini"));
    FakePrompts m_prompts;

private slots:
    void init() { m_prompts.clear(); QFile::remove(m_path); }

    // The table in use is "a=4"; "<create>" clicks "Create file", "<load>" reads the file as it is, any other action
    // saves its text. The table is shown as in the box.
    void writeFile_data()
    {
        QTest::addColumn<WriteCase>("c");
        const QString reset = QStringLiteral("Reset leet.ini|File leet.ini exists, are you sure you want to reset the file?");
        const QString defaults = QString::fromLatin1(DefaultFileBytes);
        QTest::newRow("create, Yes resets") << WriteCase{"a=@", "<create> Yes", DefaultFileBytes, defaults, reset};
        QTest::newRow("create, No keeps it") << WriteCase{"a=@", "<create> No", "a=@", "a=4\r\n", reset};
        QTest::newRow("save LF from the box") << WriteCase{"a=@", "a=4\n  b=8  \n\nc=(",
            "a=4\r\n  b=8  \r\n\r\nc=(\r\n", "a=4\r\nb=8\r\nc=(\r\n", ""};
        QTest::newRow("save tells of replaced characters") << WriteCase{"", "o=\u263a\n\u20ac=E",
            "o=?\r\n\x80=E\r\n", "o=?\r\n\u20ac=E\r\n", "Marqueemaster|Some characters can't be stored in leet.ini"};
        QTest::newRow("failed save keeps the table") << WriteCase{"<dir>", "e=3", "<missing>", "a=4\r\n", "Error saving LEET file|Can't write %1:\n"};
        QTest::newRow("load: lines without = skipped") << WriteCase{"[Leet]\r\na=4\r\n  hi \r\n\r\ne=3\r\n", "<load>", {}, "a=4\r\ne=3\r\n", ""};
        QTest::newRow("load: code page bytes") << WriteCase{"\xe9=e\r\n\x80=E", "<load>", {}, "\u00e9=e\r\n\u20ac=E\r\n", ""};
        QTest::newRow("load: a missing file keeps the last table")
            << WriteCase{"", "<load>", "<missing>", "a=4\r\n", "Error loading LEET file|File leet.ini not found!"};
        const QByteArray big(1 << 20, 'x');
        QTest::newRow("load: huge lines") << WriteCase{"a=" + big + "\r\n" + big + "\r\n" + big + "=4", "<load>", {},
                                                       QString::fromLatin1("a=" + big + "\r\n" + big + "=4\r\n"), ""};
    }
    void writeFile()
    {
        QFETCH(WriteCase, c);
        auto [before, action, after, table, message] = c;
        LeetTable leet;
        leet.setPairs(ParseLeetLines({QStringLiteral("a=4")}));
        QVERIFY(before == "<dir>" ? QDir(m_dir.path()).mkdir(QStringLiteral("leet.ini")) : before.isEmpty() || WriteFileBytes(m_path, before));
        m_prompts.answers = {action.contains(QLatin1String("Yes")) ? PromptAnswer::Yes : PromptAnswer::No};
        const bool changed = action == QLatin1String("<load>")        ? LoadLeetTable(leet, m_path, m_prompts)
                           : action.startsWith(QLatin1String("<create")) ? CreateLeetFile(leet, m_path, m_prompts).has_value()
                                                                         : SaveLeetText(leet, m_path, action, m_prompts);
        QVERIFY(before != "<dir>" || QDir(m_dir.path()).rmdir(QStringLiteral("leet.ini")));
        QCOMPARE(ReadFileBytes(m_path), after.isNull() ? before : after);
        QCOMPARE(LeetTableText(leet), table);
        QCOMPARE(MessagesOf(m_prompts).size(), message.isEmpty() ? 0 : 1);
        message.replace(QStringLiteral("%1"), QDir::toNativeSeparators(m_path));
        QCOMPARE(MessagesOf(m_prompts).join(QString()).left(message.size()), message);
        if (changed)  // "Reload" reads back what was written
            QCOMPARE(ReloadLeetTable(leet, m_path, m_prompts), table);
        QCOMPARE(changed, table != QLatin1String("a=4\r\n"));
    }

    // The options window reads the user's copy once it exists, else the file beside the program; it writes
    // only the user's copy and says where. "" means no file; the action is "<create>" or a text to save.
    void whichFile_data()
    {
        // a leet.ini beside the program, the user's copy and the installed one ("": none); shown: the box when the window opens
        Columns<QString, QString, QString, QString, QString>("beside", "user", "installed", "action", "shown");
        QTest::newRow("beside only: Create asks, writes the user's copy") << "a=@" << "" << "" << "<create>" << "a=@\n";
        QTest::newRow("beside only: Save writes the user's copy") << "a=@" << "" << "" << "e=3" << "a=@\n";
        QTest::newRow("the user's copy wins") << "a=@" << "a=4" << "o=()" << "o=0" << "a=4\n";
        QTest::newRow("installed only: read, Save writes the user's copy") << "" << "" << "o=()" << "e=3" << "o=()\n";
        QTest::newRow("beside the program before the installed one") << "a=@" << "" << "o=()" << "<create>" << "a=@\n";
        QTest::newRow("the user's copy before the installed one") << "" << "a=4" << "o=()" << "e=3" << "a=4\n";
        QTest::newRow("neither: Create asks nothing") << "" << "" << "" << "<create>" << "";
    }
    void whichFile()
    {
        auto [beside, user, installed, action, shown]
            = Fetch<QString, QString, QString, QString, QString>("beside", "user", "installed", "action", "shown");
        const LeetFileLocation file(m_dir.filePath(QStringLiteral("program/leet.ini")), m_dir.filePath(QStringLiteral("data/mm/leet.ini")),
                                    m_dir.filePath(QStringLiteral("share/leet.ini")));
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("program"))));
        for (const auto &[path, text] : {std::pair{file.besideProgram, beside}, std::pair{file.userCopy, user}, std::pair{file.installed, installed}})
            QVERIFY(text.isEmpty() || (QDir().mkpath(QFileInfo(path).path()) && WriteFileBytes(path, text.toLatin1())));
        TestStore store;
        const OptionsUnderTest options(*store.store, file, QString(), m_prompts, 3);
        auto *box = Named<QPlainTextEdit>(options.dialog, "txtLeet");
        QCOMPARE(box->toPlainText(), shown);
        m_prompts.clear();
        m_prompts.answers = {PromptAnswer::Yes};
        if (action == QLatin1String("<create>")) {
            options.click("cmdCreate");
            QCOMPARE(m_prompts.messages.size(), beside.isEmpty() && user.isEmpty() && installed.isEmpty() ? 0 : 1);  // "File leet.ini exists..."
            QCOMPARE(ReadFileBytes(file.userCopy), DefaultFileBytes);
        } else {
            box->selectAll();
            QTest::keyClicks(box, action);
            options.click("cmdSave");
            QCOMPARE(ReadFileBytes(file.userCopy), action.toLatin1() + "\r\n");
        }
        QCOMPARE(ReadFileBytes(file.besideProgram), beside.isEmpty() ? QByteArray("<missing>") : beside.toLatin1());
        QCOMPARE(ReadFileBytes(file.installed), installed.isEmpty() ? QByteArray("<missing>") : installed.toLatin1());
        QCOMPARE(file.readPath(), file.userCopy);
        const QString said = Named<QLabel>(options.dialog, "lblLeetFile")->text();
        QCOMPARE(said, QString(action == "<create>" ? "Created " : "Saved to ") + QDir::toNativeSeparators(file.userCopy));
    }

    // Without --table, the command-line tool reads the leet.ini the desktop program reads: the user's copy in their
    // data folder, else the one beside the programs.
    void cliReadsTheUsersCopy()
    {
        const QByteArray oldData = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", m_dir.filePath(QStringLiteral("data")).toUtf8());
#ifdef Q_OS_WIN
        // Windows keeps the user's files in %LOCALAPPDATA%, whatever the environment says: a copy found there
        // is put back afterwards.
        const QString userData = QDir::fromNativeSeparators(qEnvironmentVariable("LOCALAPPDATA"));
#else
        const QString userData = m_dir.filePath(QStringLiteral("data"));
#endif
        const LeetFileLocation file = SystemLeetFile();
        const QByteArray usersOwn = ReadFileBytes(file.userCopy);
        QCOMPARE(file.userCopy.toLower(), (userData + QStringLiteral("/Marqueemaster/leet.ini")).toLower());
        QCOMPARE(file.besideProgram, QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("leet.ini")));
#ifdef Q_OS_WIN
        QCOMPARE(file.installed, file.besideProgram);  // the zip has no share folder
#else
        QCOMPARE(file.installed, QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/marqueemaster/leet.ini")));
#endif
        // A fresh build works without "Create file": the table it writes is the one shipped beside the programs.
        QCOMPARE(ReadFileBytes(QFileInfo(CliProgram()).dir().filePath(QStringLiteral("leet.ini"))), DefaultFileBytes);
        QFile::remove(file.userCopy);
        const CliResult beside = RunCli({QStringLiteral("leet"), QStringLiteral("Name")});
        QVERIFY(QDir().mkpath(QFileInfo(file.userCopy).path()) && WriteFileBytes(file.userCopy, "a=@\r\n"));
        const CliResult run = RunCli({QStringLiteral("leet"), QStringLiteral("Name")});
        qputenv("XDG_DATA_HOME", oldData);
        QVERIFY(usersOwn == "<missing>" ? QFile::remove(file.userCopy) : WriteFileBytes(file.userCopy, usersOwn));
        QCOMPARE(beside.out, QByteArray("N4/\\/\\3\n"));
        QCOMPARE(run.out, QByteArray("N@me\n"));
    }

    void convert_data()
    {
        Columns<QStringList, QString, QString>("table", "text", "result");
        const QStringList defaults = DefaultLeetLines();
        QTest::newRow("default table") << defaults << "Name" << "N4/\\/\\3";
        QTest::newRow("long text") << defaults << QString(1 << 20, QLatin1Char('e')) << QString(1 << 20, QLatin1Char('3'));
        QTest::newRow("empty key matches everywhere") << QStringList{"=x", "a=4"} << "abc" << "xxx";
        QTest::newRow("empty value deletes") << QStringList{"a="} << "banana" << "bnn";
        QTest::newRow("long key moves on by one") << QStringList{"ph=f", "h=h"} << "ph" << "fh";
        QTest::newRow("order decides, not length") << QStringList{"a=1", "ab=2"} << "ab" << "1b";
    }
    void convert()
    {
        auto [table, text, result] = Fetch<QStringList, QString, QString>("table", "text", "result");
        LeetTable leet;
        leet.setPairs(ParseLeetLines(table));
        QCOMPARE(ConvertTextToLeet(text, leet), result);
    }

    // Surrogates, paired or lone, are kept; 51 in 100 letters go upper case. The command line's is seeded.
    void randomCase()
    {
        const CliResult run = RunCli({"randomcase", "abcdefghij", "--seed", "3"});
        QCOMPARE(run.out, RunCli({"randomcase", "abcdefghij", "--seed", "3"}).out);
        QCOMPARE(run.out.toLower(), QByteArray("abcdefghij\n"));
        QVERIFY(run.out != RunCli({"randomcase", "abcdefghij", "--seed", "5"}).out);
        const QString text = "a\U00010400b\U0001F600" + QString(QChar(0xD801)) + "x" + QChar(0xDC28) + QString(20000, QLatin1Char('m'));
        QRandomGenerator generator(7);
        const QString result = RandomizeTextCase(text, generator);
        QCOMPARE(result.size(), text.size());
        for (qsizetype i = 0; i < text.size(); ++i)  // as it was, or in its other case
            QVERIFY(result[i] == text[i] || (!text[i].isSurrogate() && (result[i] == text[i].toLower() || result[i] == text[i].toUpper())));
        QVERIFY(qAbs(result.count(QLatin1Char('M')) - 10200) < 400);  // some 10,200 of 20,000, give or take a few hundred
    }

    // The toolbar commands on the current line of lines timed "30" and said; Randomize Case compares lower case.
    void commands_data()
    {
        // row -100: no current line; messages "title|text"; leet.ini holds the default table unless it is missing
        Columns<bool, QStringList, int, QStringList, QStringList>("leet", "texts", "row", "after", "messages");
        const QStringList two{"abc", "def"}, many{"12", QString(2000, QLatin1Char('q'))}, none;
        QTest::newRow("leet, empty list") << true << none << -100 << none << QStringList{"Convert to leet|There are no lines to edit"};
        QTest::newRow("leet, no row") << true << two << -100 << two << none;
        QTest::newRow("leet, no leet.ini") << true << two << 0 << two << QStringList{"Error loading LEET file|File leet.ini not found!"};
        QTest::newRow("leet loads on first use") << true << QStringList{"Name", "Mark"} << 1 << QStringList{"Name", "/\\/\\4r|<"} << none;
        QTest::newRow("random, current line only") << false << many << 1 << many << none;
    }
    void commands()
    {
        auto [leet, texts, row, after, messages]
            = Fetch<bool, QStringList, int, QStringList, QStringList>("leet", "texts", "row", "after", "messages");
        if (!messages.join(QString()).contains(QLatin1String("not found")))
            QVERIFY(WriteTextFile(m_path, JoinCrLfLines(DefaultLeetLines())).ok);
        AnimationModel model;
        for (const QString &text : texts)
            model.appendLines({AnimationLine{text, QStringLiteral("30"), QStringLiteral("say")}});
        const std::optional<int> current = row == -100 ? std::nullopt : std::optional<int>(row);
        LeetTable table;
        int previews = 0;
        const auto preview = [&] { ++previews; };
        leet ? ConvertToLeet(model, current, table, m_path, m_prompts, preview) : RandomizeCase(model, current, m_prompts, preview);
        QCOMPARE(leet ? TextsOf(model) : QStringList(TextsOf(model).join('|').toLower().split('|', Qt::SkipEmptyParts)), after);
        QVERIFY(leet || row < 0 || TextsOf(model) != after);  // some letters went upper case
        for (const AnimationLine &line : model.lines())
            QCOMPARE(line.time + line.action, QStringLiteral("30say"));
        QCOMPARE(MessagesOf(m_prompts), messages);
        QCOMPARE(previews, row >= 0 && row < texts.size() && messages.isEmpty() ? 1 : 0);
        if (leet && previews == 1) {  // the table is read once: a changed file counts from the next start
            QVERIFY(WriteTextFile(m_path, "N=#\r\n").ok);
            ConvertToLeet(model, 0, table, m_path, m_prompts, [] {});
            QCOMPARE(model.line(0).text, QStringLiteral("N4/\\/\\3"));
        }
    }
};

QTEST_MAIN(LeetTableTest)
#include "tst_LeetTable.moc"
