#include "FakePrompts.h"

#include "about/Contact.h"
#include "platform/TextFile.h"
#include "script/ScriptGenerator.h"
#include "script/ScriptSave.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString CrLf = QStringLiteral("\r\n");

// The worked example: four rows, one Time that is not a number.
QVector<AnimationLine> exampleLines()
{
    return {
        {QStringLiteral("^1Mar^7quee"), QStringLiteral("10"), QStringLiteral("set name")},
        {QString(), QStringLiteral("0"), QStringLiteral("set name")},
        {QStringLiteral("hello"), QStringLiteral("2x"), QStringLiteral("say_team")},
        {QStringLiteral("^2bye"), QStringLiteral("150"), QStringLiteral("say")},
    };
}

QString buildCollecting(const QVector<AnimationLine> &lines, QStringList *messages)
{
    return BuildScriptText(lines, [messages](const QString &message) { messages->append(message); });
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class ScriptGeneratorTest : public QObject {
    Q_OBJECT
private slots:
    void banner();
    void emptyAnimationGivesBannerAlone();
    void workedExample();
    void waitValue_data();
    void waitValue();
    void commandLine_data();
    void commandLine();
    void oneMessagePerBadTime();
    void fileTextAddsFinalLineEnd();
    void saveScript_data();
    void saveScript();
    void saveStartsInGenerateFolder_data();
    void saveStartsInGenerateFolder();
    void failedSaveIsReported();
    void replacedCharactersAreTold();
};

void ScriptGeneratorTest::banner()
{
    const QStringList &banner = ScriptBanner();
    QCOMPARE(banner.size(), 7);
    const QString frame = QStringLiteral("//") + QString(33, QLatin1Char('-')) + QStringLiteral("\\\\");
    QCOMPARE(banner.at(0), frame);
    QCOMPARE(banner.at(1), QStringLiteral("//--------- SCRIPT MADE WITH ------\\\\"));
    QCOMPARE(banner.at(2), QStringLiteral("//---------- Marqueemaster --------\\\\"));
    QCOMPARE(banner.at(4), frame);
    QCOMPARE(banner.at(5), QStringLiteral("//-") + Contact::Mail + QStringLiteral("-\\\\"));
    QCOMPARE(banner.at(6), frame);
    for (const QString &line : banner) {
        QCOMPARE(line.size(), 37);
        QVERIFY(line.startsWith(QLatin1String("//")));
        QVERIFY(line.endsWith(QLatin1String("\\\\")));
    }
}

void ScriptGeneratorTest::emptyAnimationGivesBannerAlone()
{
    QStringList messages;
    const QString script = buildCollecting({}, &messages);
    QCOMPARE(script, CrLf + ScriptBanner().join(CrLf));
    QVERIFY(messages.isEmpty());
}

void ScriptGeneratorTest::workedExample()
{
    QStringList messages;
    const QString script = buildCollecting(exampleLines(), &messages);
    const QStringList expected = QStringList{QString()} + ScriptBanner()
        + QStringList{QStringLiteral("set name \"^1Mar^7quee\""), QStringLiteral("wait 10"),
                      QStringLiteral("set name \"_\""),           QStringLiteral("wait 5"),
                      QStringLiteral("say_team \"hello\""),       QStringLiteral("wait 15"),
                      QStringLiteral("say \"^2bye\""),            QStringLiteral("wait 99")};
    QCOMPARE(expected.size(), 16);
    QCOMPARE(script.split(CrLf), expected);
    QVERIFY(!script.endsWith(CrLf));
    QCOMPARE(messages, QStringList{QStringLiteral("no number _2x_")});
}

void ScriptGeneratorTest::waitValue_data()
{
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("wait");
    QTest::addColumn<bool>("told");
    QTest::newRow("zero") << "0" << "5" << false;
    QTest::newRow("negative") << "-3" << "5" << false;
    QTest::newRow("half rounds down to zero") << "0.5" << "5" << false;
    QTest::newRow("just under one") << "0.99" << "5" << false;
    QTest::newRow("negative half floors below zero") << "-0.5" << "5" << false;
    QTest::newRow("hundred") << "100" << "99" << false;
    QTest::newRow("above hundred") << "150" << "99" << false;
    QTest::newRow("highest 16-bit") << "32767" << "99" << false;
    QTest::newRow("ninety-nine") << "99" << "99" << false;
    QTest::newRow("fraction under hundred kept") << "99.9" << "99.9" << false;
    QTest::newRow("one") << "1" << "1" << false;
    QTest::newRow("seven") << "7" << "7" << false;
    QTest::newRow("blanks kept") << " 7 " << " 7 " << false;
    QTest::newRow("fraction kept") << "1.5" << "1.5" << false;
    QTest::newRow("plus sign kept") << "+20" << "+20" << false;
    QTest::newRow("letters") << "abc" << "15" << true;
    QTest::newRow("empty") << "" << "15" << true;
    QTest::newRow("number then letter") << "2x" << "15" << true;
    QTest::newRow("past 16 bits") << "32768" << "15" << true;
    QTest::newRow("below 16 bits") << "-40000" << "15" << true;
}

void ScriptGeneratorTest::waitValue()
{
    QFETCH(QString, time);
    QFETCH(QString, wait);
    QFETCH(bool, told);
    QStringList messages;
    const QString script = buildCollecting({{QStringLiteral("a"), time, QStringLiteral("say")}}, &messages);
    QCOMPARE(script.split(CrLf).last(), QStringLiteral("wait ") + wait);
    QCOMPARE(messages, told ? QStringList{QStringLiteral("no number _") + time + QLatin1Char('_')} : QStringList{});
}

void ScriptGeneratorTest::commandLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("command");
    QTest::newRow("name with codes") << "^1Mar^7quee" << "set name" << "set name \"^1Mar^7quee\"";
    QTest::newRow("message") << "hello" << "say" << "say \"hello\"";
    QTest::newRow("empty text ignores action") << "" << "say" << "set name \"_\"";
    QTest::newRow("action written unchecked") << "a" << "Say" << "Say \"a\"";
    QTest::newRow("blank text is not empty") << " " << "echo" << "echo \" \"";
    QTest::newRow("quotes cannot close the text") << "x\";quit;\"" << "say" << "say \"x';quit;'\"";
    QTest::newRow("CR LF cannot start a command") << "a\r\nquit" << "set name" << "set name \"a  quit\"";
    QTest::newRow("lone LF") << "a\nquit" << "say" << "say \"a quit\"";
    QTest::newRow("lone CR") << "a\rquit" << "say" << "say \"a quit\"";
    QTest::newRow("semicolon alone stays") << "a;b" << "say" << "say \"a;b\"";
    QTest::newRow("apostrophe stays") << "it's" << "say" << "say \"it's\"";
}

void ScriptGeneratorTest::commandLine()
{
    QFETCH(QString, text);
    QFETCH(QString, action);
    QFETCH(QString, command);
    QStringList messages;
    const QString script = buildCollecting({{text, QStringLiteral("15"), action}}, &messages);
    const QStringList lines = script.split(CrLf);
    QCOMPARE(lines.size(), 1 + 7 + 2);
    QCOMPARE(lines.at(8), command);
    QCOMPARE(lines.at(9), QStringLiteral("wait 15"));
}

void ScriptGeneratorTest::oneMessagePerBadTime()
{
    QVector<AnimationLine> lines;
    for (const char *time : {"x", "15", "", "x", "20"})
        lines.append({QStringLiteral("t"), QString::fromLatin1(time), QStringLiteral("say")});
    QStringList messages;
    const QString script = buildCollecting(lines, &messages);
    QCOMPARE(messages, (QStringList{QStringLiteral("no number _x_"), QStringLiteral("no number __"),
                                    QStringLiteral("no number _x_")}));
    QCOMPARE(script.split(CrLf).size(), 1 + 7 + 2 * 5);
}

void ScriptGeneratorTest::fileTextAddsFinalLineEnd()
{
    const QString window = BuildScriptText(exampleLines(), {});
    const QString file = ScriptFileText(window);
    QVERIFY(file.startsWith(CrLf + ScriptBanner().first()));
    QVERIFY(file.endsWith(QStringLiteral("wait 99\r\n")));
    QCOMPARE(file.chopped(2), window);
}

void ScriptGeneratorTest::saveScript_data()
{
    // Existing target; answers to "File Exists! Overwrite?"; paths chosen in
    // the dialogs (empty = cancel); which of target/other ends up written.
    QTest::addColumn<bool>("targetExists");
    QTest::addColumn<QList<PromptAnswer>>("answers");
    QTest::addColumn<QStringList>("choices");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("targetWritten");
    QTest::addColumn<bool>("otherWritten");
    using A = PromptAnswer;
    QTest::newRow("cancel the dialog") << false << QList<A>{} << QStringList{""} << 0 << false << false;
    QTest::newRow("new file") << false << QList<A>{} << QStringList{"target"} << 0 << true << false;
    QTest::newRow("overwrite yes") << true << QList<A>{A::Yes} << QStringList{"target"} << 1 << true << false;
    QTest::newRow("overwrite cancel") << true << QList<A>{A::Cancel} << QStringList{"target", "other"} << 1 << false
                                      << false;
    QTest::newRow("no asks again, then other") << true << QList<A>{A::No} << QStringList{"target", "other"} << 1
                                               << false << true;
    QTest::newRow("no, then cancel the dialog") << true << QList<A>{A::No} << QStringList{"target", ""} << 1
                                                << false << false;
    QTest::newRow("no twice, then yes") << true << QList<A>{A::No, A::No, A::Yes}
                                        << QStringList{"target", "target", "target"} << 3 << true << false;
}

void ScriptGeneratorTest::saveScript()
{
    QFETCH(bool, targetExists);
    QFETCH(QList<PromptAnswer>, answers);
    QFETCH(QStringList, choices);
    QFETCH(int, questions);
    QFETCH(bool, targetWritten);
    QFETCH(bool, otherWritten);

    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("target.cfg"));
    const QString other = dir.filePath(QStringLiteral("other.cfg"));
    const QByteArray old("old script\r\n");
    if (targetExists)
        writeBytes(target, old);

    FakePrompts prompts;
    prompts.answers = answers;
    for (const QString &choice : choices)
        prompts.fileAnswers << (choice.isEmpty() ? QString() : dir.filePath(choice + QStringLiteral(".cfg")));
    FileDialogState dialog;
    const QString text = BuildScriptText(exampleLines(), {});
    const bool saved = SaveScript(text, QString(), dialog, prompts);

    const QByteArray expected = EncodeAnsi(ScriptFileText(text));
    QCOMPARE(saved, targetWritten || otherWritten);
    QCOMPARE(readBytes(target), targetWritten ? expected : targetExists ? old : QByteArray("<missing>"));
    QCOMPARE(readBytes(other), otherWritten ? expected : QByteArray("<missing>"));
    QCOMPARE(prompts.messages.size(), questions);
    for (const FakePrompts::Message &message : prompts.messages) {
        QCOMPARE(message.text, QStringLiteral("File Exists! Overwrite?"));
        QCOMPARE(message.title, QStringLiteral("Save script"));
        QCOMPARE(message.icon, PromptIcon::Question);
        QCOMPARE(message.buttons, PromptButtons::YesNoCancel);
    }
    for (const FakePrompts::Dialog &shown : prompts.dialogs) {
        QCOMPARE(shown.kind, QStringLiteral("save"));
        QCOMPARE(shown.state.title, QStringLiteral("Save Script"));
        QCOMPARE(shown.state.filter, QStringLiteral("RtCW Script (*.cfg)|*.cfg|All Files(*.*)|*.*"));
    }
}

void ScriptGeneratorTest::saveStartsInGenerateFolder_data()
{
    QTest::addColumn<QString>("generateDir");
    QTest::addColumn<QString>("startFolder");
    QTest::newRow("setting given") << "/games/rtcw/main" << "/games/rtcw/main";
    QTest::newRow("no setting keeps last folder") << "" << "/last/used";
}

void ScriptGeneratorTest::saveStartsInGenerateFolder()
{
    QFETCH(QString, generateDir);
    QFETCH(QString, startFolder);
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("t.cfg"));
    writeBytes(target, "x");
    FakePrompts prompts;
    prompts.answers = {PromptAnswer::No};
    prompts.fileAnswers = {target};
    FileDialogState dialog{QStringLiteral("Open RtCW Animation"), QString(), QStringLiteral("/last/a.ras"),
                           QStringLiteral("/last/used")};
    SaveScript(QStringLiteral("x"), generateDir, dialog, prompts);
    QCOMPARE(prompts.dialogs.size(), 2);
    QCOMPARE(prompts.dialogs.at(0).state.initialDir, startFolder);
    QCOMPARE(prompts.dialogs.at(0).state.fileName, QStringLiteral("/last/a.ras"));
    QCOMPARE(prompts.dialogs.at(1).state.initialDir, startFolder);
}

void ScriptGeneratorTest::failedSaveIsReported()
{
    QTemporaryDir dir;
    FakePrompts prompts;
    prompts.fileAnswers = {dir.filePath(QStringLiteral("missing/folder/s.cfg"))};
    FileDialogState dialog;
    QVERIFY(!SaveScript(QStringLiteral("\r\nwait 5"), QString(), dialog, prompts));
    QCOMPARE(prompts.messages.size(), 1);
    const FakePrompts::Message &message = prompts.messages.first();
    QCOMPARE(message.title, QStringLiteral("Save script"));
    QCOMPARE(message.icon, PromptIcon::Critical);
    const QStringList parts = message.text.split(QLatin1Char('\n'));
    QCOMPARE(parts.size(), 3);
    QCOMPARE(parts.at(0), QStringLiteral("Error saving script!"));
    QVERIFY(parts.at(1).toInt() != 0);
    QVERIFY(!parts.at(2).isEmpty());
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("missing"))));
}

void ScriptGeneratorTest::replacedCharactersAreTold()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("greek.cfg"));
    FakePrompts prompts;
    prompts.fileAnswers = {path};
    FileDialogState dialog;
    const QString text = BuildScriptText({{QString::fromUtf8("\u03a9mega \u00e9"), QStringLiteral("15"),
                                           QStringLiteral("set name")}}, {});
    QVERIFY(SaveScript(text, QString(), dialog, prompts));
    QCOMPARE(prompts.messageTexts(), QStringList{ReplacedCharactersNotice(path)});
    QVERIFY(readBytes(path).endsWith("set name \"?mega \xe9\"\r\nwait 15\r\n"));
}

QTEST_MAIN(ScriptGeneratorTest)
#include "tst_ScriptGenerator.moc"
