#include "ScriptFixtures.h"

#include "platform/TextFile.h"
#include "script/ScriptGenerator.h"
#include "script/ScriptImport.h"
#include "script/ScriptParts.h"
#include "script/ScriptSave.h"

class ScriptImportTest : public QObject {
    Q_OBJECT
private slots:
    void import_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("rows");  // "Text|Time", then "|Action" when not "set name"
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
    }

    void import()
    {
        QFETCH(QString, script);
        QTemporaryDir dir;
        AnimationModel model;
        model.setLines(LinesFromTexts({"old"}));
        FakePrompts prompts;
        QVERIFY(ImportScript(model, PutBytes(dir.filePath(QStringLiteral("a.cfg")), script.toLatin1()), prompts));
        QStringList imported;
        for (const AnimationLine &line : model.lines())
            imported << line.text + '|' + line.time + (line.action == QLatin1String("set name") ? QString() : '|' + line.action);
        QTEST(imported, "rows");
        QVERIFY(prompts.messages.isEmpty());
    }

    void generatedScript()
    {
        const Lines lines{Line("^1Mar^7quee", "10"), Line("", "0"), Line("^2Caf\u00e9", "150"), Line("a \"b\"", "2x")};
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("gen.cfg"));
        QVERIFY(WriteTextFile(path, ScriptFileText(BuildScriptText(lines, {}))).ok);
        AnimationModel model;
        FakePrompts prompts;
        QVERIFY(ImportScript(model, path, prompts));
        QCOMPARE(model.lines(), (Lines{lines.at(0), Line("_", "5"), Line("^2Caf\u00e9", "99"), Line("a 'b'")}));

        // Every action, and the parts a large script is saved in.
        Lines many;
        for (int i = 0; i < 3000; ++i)
            many << AnimationLine{QStringLiteral("^3line; %1").arg(i), QString::number(1 + i % 99), ActionList().at(i % ActionList().size())};
        const QString first = dir.filePath(QStringLiteral("many.cfg"));
        const QStringList parts = SplitScript(BuildScriptText(many, {}), ExecTargetOf(first).name, 12288);
        QVERIFY(parts.size() > 2);
        QVERIFY(WriteScriptParts(first, parts).ok);
        QVERIFY(ImportScript(model, first, prompts));
        QCOMPARE(model.lines(), many);
        // Saved under another name, every part runs the next of that name: the old chain may be gone.
        const QString renamed = dir.filePath(QStringLiteral("renamed.cfg"));
        QVERIFY(WriteScriptParts(renamed, parts).ok);
        for (const QString &old : PartPaths(first, parts.size()))
            QVERIFY(QFile::remove(old));
        QVERIFY(ImportScript(model, renamed, prompts));
        QCOMPARE(model.lines(), many);
    }

    // A chain that runs an earlier part again is read once through: no hang, no copies.
    void chainRunningItselfIsReadOnce_data()
    {
        QTest::addColumn<QStringList>("files");  // a.cfg, b.cfg ...
        QTest::addColumn<QStringList>("names");
        QTest::newRow("the last part runs the first") << QStringList{"set name A\nwait 5\nexec \"b.cfg\"", "set name B\nwait 5\nexec a"}
                                                      << QStringList{"A", "B"};
        QTest::newRow("a part runs itself") << QStringList{"set name A\nwait 5\nexec \"a.cfg\""} << QStringList{"A"};
    }

    void chainRunningItselfIsReadOnce()
    {
        QFETCH(QStringList, files);
        QTemporaryDir dir;
        for (int i = 0; i < files.size(); ++i)
            QVERIFY(WriteTextFile(dir.filePath(QString(QChar('a' + i)) + ".cfg"), files.at(i)).ok);
        AnimationModel model;
        FakePrompts prompts;
        QVERIFY(ImportScript(model, dir.filePath("a.cfg"), prompts));
        QTEST(TextsOf(model), "names");
    }
};

QTEST_MAIN(ScriptImportTest)
#include "tst_ScriptImport.moc"
