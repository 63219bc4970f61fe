#include "script/ScriptImport.h"

#include "animation/AnimationModel.h"
#include "animation/LineLimit.h"
#include "platform/Prompts.h"
#include "platform/TextFile.h"

#include "FakePrompts.h"
#include "TestLines.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Rows as "Text|Time", the Action being checked apart.
QStringList rowsOf(const QVector<AnimationLine> &lines)
{
    QStringList rows;
    for (const AnimationLine &line : lines)
        rows << line.text + QLatin1Char('|') + line.time;
    return rows;
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

// A script as the generator writes it: empty first line, the banner, then a
// command line and a wait line per animation line, all ending in CR LF.
const char generatedScript[] =
    "\r\n"
    "//---------------------------------\\\\\r\n"
    "//--------- SCRIPT MADE WITH ------\\\\\r\n"
    "//---------- Marqueemaster --------\\\\\r\n"
    "//\r\n"
    "//---------------------------------\\\\\r\n"
    "//-someone@example.org-\\\\\r\n"
    "//---------------------------------\\\\\r\n"
    "set name \"^1Mar^7quee\"\r\n"
    "wait 10\r\n"
    "set name \"_\"\r\n"
    "wait 5\r\n"
    "say \"hello; there\"\r\n"
    "wait 20\r\n"
    "set name \"^2Mar\xe9\"\r\n"
    "wait 99\r\n"
    "set name \"a b \"\r\n"
    "wait 15\r\n";

} // namespace

class ScriptImportTest : public QObject {
    Q_OBJECT
private slots:
    void removeQuotes_data();
    void removeQuotes();
    void parse_data();
    void parse();
    void lineEnds_data();
    void lineEnds();
    void generatedScript();
    void replacesTheList();
    void unreadableFileKeepsTheList();
    void limit_data();
    void limit();
    void command_data();
    void command();
};

void ScriptImportTest::removeQuotes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");
    QTest::newRow("around") << "\"ab\"" << "ab";
    QTest::newRow("inside") << "a\"b\"\"c" << "abc";
    QTest::newRow("single quotes stay") << "'a'" << "'a'";
    QTest::newRow("blanks stay") << " \" a \" " << "  a  ";
    QTest::newRow("only quotes") << "\"\"\"" << "";
}

void ScriptImportTest::removeQuotes()
{
    QFETCH(QString, text);
    QFETCH(QString, result);
    QCOMPARE(RemoveQuotes(text), result);
}

void ScriptImportTest::parse_data()
{
    QTest::addColumn<QStringList>("script");  // the file's lines
    QTest::addColumn<QStringList>("rows");    // "Text|Time"

    QTest::newRow("name and wait on one line") << QStringList{"set name ^1Bob; wait 20"} << QStringList{"^1Bob|20"};
    QTest::newRow("name commands ignore case") << QStringList{"SET NAME x", "Name y"} << QStringList{"x|", "y|"};
    QTest::newRow("wait in capitals is skipped") << QStringList{"set name x", "WAIT 5"} << QStringList{"x|"};
    QTest::newRow("set name alone") << QStringList{"set name"} << QStringList{};
    QTest::newRow("set name and a blank") << QStringList{"set name "} << QStringList{};
    QTest::newRow("set name and one character") << QStringList{"set name x"} << QStringList{"x|"};
    QTest::newRow("value keeps its blanks") << QStringList{"set name \"ab\" "} << QStringList{"ab |"};
    QTest::newRow("second blank is part of the value") << QStringList{"set name  x"} << QStringList{" x|"};
    QTest::newRow("name alone") << QStringList{"name", "name "} << QStringList{};
    QTest::newRow("name and one character") << QStringList{"name x"} << QStringList{"x|"};
    QTest::newRow("name is a prefix test") << QStringList{"names x"} << QStringList{" x|"};
    QTest::newRow("wait before any name") << QStringList{"wait 5", "set name a"} << QStringList{"a|"};
    QTest::newRow("second wait is skipped") << QStringList{"set name a", "wait 5", "wait 9"} << QStringList{"a|5"};
    QTest::newRow("wait not a number") << QStringList{"set name a", "wait abc"} << QStringList{"a|"};
    QTest::newRow("wait not a number, then one") << QStringList{"set name a", "wait abc", "wait 8"}
                                                  << QStringList{"a|8"};
    QTest::newRow("wait value trimmed") << QStringList{"set name a", "wait  7 "} << QStringList{"a|7"};
    QTest::newRow("wait value in quotes") << QStringList{"set name a", "wait \"7\""} << QStringList{"a|7"};
    QTest::newRow("wait value as written") << QStringList{"set name a", "wait 2.50"} << QStringList{"a|2.50"};
    QTest::newRow("wait out of range") << QStringList{"set name a", "wait 40000"} << QStringList{"a|"};
    QTest::newRow("wait without value") << QStringList{"set name a", "wait ", "wait"} << QStringList{"a|"};
    QTest::newRow("wait fills the last row only") << QStringList{"set name a; set name b; wait 4"}
                                                  << QStringList{"a|", "b|4"};
    QTest::newRow("comment after blanks") << QStringList{"  // set name x"} << QStringList{};
    QTest::newRow("comment after a tab") << QStringList{"\t// set name x"} << QStringList{};
    QTest::newRow("slashes later are text") << QStringList{"set name x // comment"}
                                            << QStringList{"x // comment|"};
    QTest::newRow("semicolon inside quotes splits") << QStringList{"set name \"a;b\""} << QStringList{"a|"};
    QTest::newRow("blanks before commands") << QStringList{"   set name x;   wait 3"} << QStringList{"x|3"};
    QTest::newRow("tab before a command") << QStringList{"\tset name x"} << QStringList{"x|"};
    QTest::newRow("empty commands") << QStringList{";; ;set name x ;"} << QStringList{"x |"};
    QTest::newRow("other commands skipped") << QStringList{"say hello; set name a; bind x y; wait 3"}
                                            << QStringList{"a|3"};
    QTest::newRow("say's wait is skipped") << QStringList{"set name a", "wait 5", "say hi", "wait 20"}
                                           << QStringList{"a|5"};
    QTest::newRow("name never waited for") << QStringList{"set name a", "set name b", "wait 6"}
                                           << QStringList{"a|", "b|6"};
    QTest::newRow("empty lines") << QStringList{"", "   ", ""} << QStringList{};
    QTest::newRow("nothing recognised") << QStringList{"bind x y", "echo hi"} << QStringList{};
}

void ScriptImportTest::parse()
{
    QFETCH(QStringList, script);
    QFETCH(QStringList, rows);
    const ScriptRows parsed = ParseScript(script);
    QCOMPARE(rowsOf(parsed.lines), rows);
    QVERIFY(!parsed.full);
    for (const AnimationLine &line : parsed.lines)
        QCOMPARE(line.action, QStringLiteral("set name"));
}

void ScriptImportTest::lineEnds_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray lines[] = {"set name a", "wait 3", "name b;wait 4", "// set name c"};
    for (const char *end : {"\r\n", "\n", "\r"}) {
        QByteArray bytes;
        for (const QByteArray &line : lines)
            bytes += line + end;
        QTest::addRow("ended by %s", QByteArray(end).toPercentEncoding().constData()) << bytes;
        bytes.chop(qstrlen(end));
        QTest::addRow("ended by %s, last line open", QByteArray(end).toPercentEncoding().constData()) << bytes;
    }
    QTest::newRow("mixed") << QByteArray("set name a\r\nwait 3\nname b;wait 4\r// set name c");
}

void ScriptImportTest::lineEnds()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("a.cfg"), bytes);
    AnimationModel model;
    FakePrompts prompts;
    QVERIFY(ImportScript(model, path, prompts));
    QCOMPARE(rowsOf(model.lines()), (QStringList{"a|3", "b|4"}));
    QVERIFY(prompts.messages.isEmpty());
}

void ScriptImportTest::generatedScript()
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("gen.cfg"), QByteArray(::generatedScript));
    AnimationModel model;
    FakePrompts prompts;
    QVERIFY(ImportScript(model, path, prompts));
    QCOMPARE(rowsOf(model.lines()), (QStringList{"^1Mar^7quee|10", "_|5", QString::fromUtf8("^2Mar\u00e9|99"),
                                                 "a b |15"}));
    for (const AnimationLine &line : model.lines())
        QCOMPARE(line.action, QStringLiteral("set name"));
}

void ScriptImportTest::replacesTheList()
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("a.cfg"), "set name new\r\nwait 3\r\n");
    const QString empty = writeFile(dir, QStringLiteral("none.cfg"), "bind x y\r\n");
    AnimationModel model;
    model.setLines(LinesFromTexts({"old 1", "old 2"}));
    FakePrompts prompts;
    QVERIFY(ImportScript(model, path, prompts));
    QCOMPARE(rowsOf(model.lines()), QStringList{"new|3"});
    QVERIFY(ImportScript(model, empty, prompts));
    QVERIFY(model.isEmpty());
}

void ScriptImportTest::unreadableFileKeepsTheList()
{
    QTemporaryDir dir;
    AnimationModel model;
    model.setLines(LinesFromTexts({"keep"}));
    FakePrompts prompts;
    QString error;
    QVERIFY(!ImportScript(model, dir.path(), prompts, &error));  // a folder can't be read as a file
    QVERIFY(!ImportScript(model, dir.filePath(QStringLiteral("missing.cfg")), prompts, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(TextsOf(model), QStringList{"keep"});
    QVERIFY(prompts.messages.isEmpty());
}

void ScriptImportTest::limit_data()
{
    QTest::addColumn<int>("names");
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("told");
    QTest::newRow("one below") << 32766 << 32766 << false;
    QTest::newRow("exactly full") << 32767 << 32767 << false;
    QTest::newRow("one past") << 32768 << 32767 << true;
    QTest::newRow("far past") << 40000 << 32767 << true;
}

void ScriptImportTest::limit()
{
    QFETCH(int, names);
    QFETCH(int, rows);
    QFETCH(bool, told);

    QByteArray bytes;
    for (int i = 0; i < names; ++i)
        bytes += "set name \"n" + QByteArray::number(i) + "\"\r\nwait " + QByteArray::number(i % 90 + 1) + "\r\n";
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("big.cfg"), bytes);
    AnimationModel model;
    FakePrompts prompts;
    QVERIFY(ImportScript(model, path, prompts));
    QCOMPARE(model.count(), rows);
    QCOMPARE(prompts.messageTexts(), told ? QStringList{LineLimitMessage()} : QStringList());
    // The last row kept still gets the wait that follows it.
    const int last = rows - 1;
    QCOMPARE(model.line(last).text, QStringLiteral("n%1").arg(last));
    QCOMPARE(model.line(last).time, QString::number(last % 90 + 1));
}

void ScriptImportTest::command_data()
{
    QTest::addColumn<QString>("file");     // "" cancels the dialog; "missing" names no file
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("imported");

    QTest::newRow("cancelled") << "" << QStringList{"old"} << "" << false;
    QTest::newRow("missing file") << "missing" << QStringList{"old"} << "File not found!" << false;
    QTest::newRow("imported") << "good" << QStringList{"^1Bob"} << "" << true;
}

void ScriptImportTest::command()
{
    QFETCH(QString, file);
    QFETCH(QStringList, texts);
    QFETCH(QString, message);
    QFETCH(bool, imported);

    QTemporaryDir dir;
    const QString good = writeFile(dir, QStringLiteral("good.cfg"), "set name ^1Bob; wait 20\r\n");
    AnimationModel model;
    model.setLines(LinesFromTexts({"old"}));
    FakePrompts prompts;
    if (!file.isEmpty())
        prompts.fileAnswers << (file == QLatin1String("good") ? good : dir.filePath(QStringLiteral("missing.cfg")));
    FileDialogState dialog{QStringLiteral("Open"), QStringLiteral("Any|*.*"), QStringLiteral("last.ras"),
                           QStringLiteral("/somewhere")};

    QCOMPARE(ImportScriptCommand(model, dialog, prompts), imported);

    QCOMPARE(TextsOf(model), texts);
    QCOMPARE(prompts.dialogs.size(), 1);
    QCOMPARE(prompts.dialogs.first().kind, QStringLiteral("open"));
    QCOMPARE(prompts.dialogs.first().state.title, QStringLiteral("Import file"));
    QCOMPARE(prompts.dialogs.first().state.filter, QStringLiteral("RtCW Scripts (*.cfg)|*.cfg"));
    QCOMPARE(dialog.initialDir, QStringLiteral("/somewhere"));
    QCOMPARE(prompts.messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty()) {
        QCOMPARE(prompts.messages.first().title, QStringLiteral("Import error"));
        QCOMPARE(prompts.messages.first().icon, PromptIcon::Critical);
        QCOMPARE(prompts.messages.first().buttons, PromptButtons::Ok);
    }
}

QTEST_MAIN(ScriptImportTest)
#include "tst_ScriptImport.moc"
