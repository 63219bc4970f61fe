#include "ScriptFixtures.h"
#include "WidgetDriving.h"

#include "platform/TextFile.h"
#include "script/ScriptGenerator.h"
#include "script/ScriptSave.h"
#include "script/ScriptWindow.h"
#include "animation/Settings.h"

#include <QPlainTextEdit>

namespace {

const QString CrLf = QStringLiteral("\r\n");

// The command and wait lines of one animation line; told: its Time is reported as no number.
struct LineCase { AnimationLine line; QString command, wait; bool told = false; };

// Answers to "File Exists! Overwrite?" about target.cfg; the files chosen ("" cancels); the file written.
struct SaveCase { QList<PromptAnswer> answers; QStringList choices; QString written; QStringList told; };

} // namespace

class ScriptGeneratorTest : public QObject {
    Q_OBJECT
private slots:
    void workedExample()
    {
        QStringList told;
        const QString script = BuildScriptText(ExampleLines(), [&told](const QString &message) { told << message; });
        QCOMPARE(script.split(CrLf), ExampleScript());
        QCOMPARE(told, QStringList{"no number _2x_"});
        QCOMPARE(ScriptFileText(script), script + CrLf);
        QCOMPARE(BuildScriptText({}, {}), ExampleScript().mid(0, 8).join(CrLf));  // an empty animation: the banner alone
    }

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

    void saveScript_data()
    {
        QTest::addColumn<SaveCase>("c");
        using A = PromptAnswer;
        const QStringList asked{"File Exists! Overwrite?"};
        QTest::newRow("cancel the dialog") << SaveCase{{}, {""}, "", {}};
        QTest::newRow("new file") << SaveCase{{}, {"other"}, "other", {}};
        QTest::newRow("overwrite yes") << SaveCase{{A::Yes}, {"target"}, "target", asked};
        QTest::newRow("overwrite cancel") << SaveCase{{A::Cancel}, {"target", "other"}, "", asked};
        QTest::newRow("no asks again") << SaveCase{{A::No}, {"target", "other"}, "other", asked};
        QTest::newRow("no, then cancel") << SaveCase{{A::No}, {"target", ""}, "", asked};
        QTest::newRow("failed save") << SaveCase{{}, {"missing/s"}, "", {"save error"}};
    }

    void saveScript()
    {
        QFETCH(SaveCase, c);
        QTemporaryDir dir;
        PutBytes(dir.filePath(QStringLiteral("target.cfg")), "old");
        FakePrompts prompts;
        prompts.answers = c.answers;
        for (const QString &choice : c.choices)
            prompts.fileAnswers << (choice.isEmpty() ? QString() : dir.filePath(choice + ".cfg"));
        FileDialogState dialog;
        const QString text = ExampleScript().join(CrLf);
        QCOMPARE(SaveScript(text, dir.path(), dialog, prompts), !c.written.isEmpty());
        QCOMPARE(ReadFileBytes(dir.filePath("target.cfg")), c.written == "target" ? text.toLatin1() + "\r\n" : "old");
        QCOMPARE(ReadFileBytes(dir.filePath("other.cfg")), c.written == "other" ? text.toLatin1() + "\r\n" : "<missing>");
        QStringList told = prompts.messageTexts();
        if (!told.isEmpty() && IsSaveError(told.last()))
            told.last() = QStringLiteral("save error");
        QCOMPARE(told, c.told);
        QCOMPARE(prompts.dialogs.first().state.initialDir, dir.path());
    }

    void window()
    {
        QTemporaryDir dir;
        AnimationModel model;
        model.setLines(ExampleLines());
        const Settings settings{.generateDir = dir.path()};
        FileDialogState dialog;
        FakePrompts prompts;
        ScriptWindow window(model, settings, dialog, prompts);
        QCOMPARE(prompts.messageTexts(), QStringList{"no number _2x_"});
        auto *box = window.findChild<QPlainTextEdit *>(QStringLiteral("txtScript"));
        QCOMPARE(box->toPlainText().split(QLatin1Char('\n')), ExampleScript());
        // Save writes what the box holds, the user's own lines too, and tells of characters the code page lacks.
        box->moveCursor(QTextCursor::End);
        box->insertPlainText(QStringLiteral("\necho \"\u03a9\""));
        const QString path = dir.filePath(QStringLiteral("s.cfg"));
        prompts.fileAnswers = {path};
        window.show();
        ClickMenuBar(window);  // its one entry saves
        QCOMPARE(ReadFileBytes(path), (ExampleScript() << "echo \"?\"").join(CrLf).toLatin1() + "\r\n");
        QCOMPARE(prompts.messageTexts().last(), ReplacedCharactersNotice(path));
    }
};

QTEST_MAIN(ScriptGeneratorTest)
#include "tst_ScriptGenerator.moc"
