#include "ScriptFixtures.h"

#include "animation/AnimationFileCommands.h"
#include "platform/TextFile.h"
#include "script/ScriptCheck.h"
#include "script/ScriptGenerator.h"
#include "script/ScriptParts.h"
#include "script/ScriptSave.h"
#include "script/ScriptWindow.h"
#include "animation/Settings.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>

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
    const QString text = ExampleScript().join(CrLf) + (chained ? CrLf + ChainLine("ocelot", part + 1) : QString());
    return text.toLatin1() + "\r\n";
}

} // namespace

struct SplitCase { int lines; bool pk3; QString execName; QString mark = {}; };

class ScriptPartsTest : public QObject {
    Q_OBJECT
private slots:
    void splitAndPlay_data()
    {
        QTest::addColumn<SplitCase>("c");
        QTest::newRow("one part, unchanged") << SplitCase{300, false, "ocelot"};
        QTest::newRow("a few parts, bare names") << SplitCase{2000, false, "ocelot"};
        QTest::newRow("a .pk3 folder above: path under it") << SplitCase{2000, true, "anims/ocelot"};
        QTest::newRow("the largest animation") << SplitCase{AnimationModel::MaxLines, true, "anims/ocelot"};
        // A character outside Latin-1 is still one byte; one outside the BMP is two characters and one byte.
        QTest::newRow("names outside Latin-1") << SplitCase{2000, false, "ocelot", QStringLiteral("\u20ac\U0001F600")};
    }

    void splitAndPlay()
    {
        QFETCH(SplitCase, c);
        auto [lines, pk3, execName, mark] = c;
        const int limit = 12288;
        QTemporaryDir dir;
        QDir(dir.path()).mkpath("main/anims");
        if (pk3)
            PutBytes(dir.filePath("main/pak0.pk3"), "PK");
        const QString first = dir.filePath("main/anims/ocelot.cfg");
        const Lines animation = namesInOrder(lines, mark);
        const QString script = BuildScriptText(animation, {});
        QCOMPARE(ExecTargetOf(first).name, execName);
        const QStringList parts = SplitScript(script, execName, limit);
        QCOMPARE(parts.size() == 1, PartFileBytes(script) <= limit);
        const ScriptPartList counted(script, execName, limit);
        for (int i = 0; i < parts.size(); ++i)
            QCOMPARE(counted.fileBytes(i), PartFileBytes(parts.at(i)));
        if (parts.size() == 1)
            QCOMPARE(parts.first(), script);
        QString body;
        for (qsizetype i = 0; i < parts.size(); ++i) {
            QVERIFY(PartFileBytes(parts.at(i)) <= limit);
            QStringList partLines = parts.at(i).split(CrLf);
            QCOMPARE(partLines.mid(0, 8), ExampleScript().mid(0, 8));
            if (i + 1 < parts.size()) {
                QCOMPARE(partLines.takeLast(), ChainLine(execName, i + 2));
                QVERIFY(partLines.last().startsWith("wait "));
            }
            body += partLines.mid(8).join(CrLf) + CrLf;
        }
        QCOMPARE(body, script.split(CrLf).mid(8).join(CrLf) + CrLf);

        QVERIFY(WriteScriptParts(first, parts).ok);
        const ScriptCheck check = CheckScriptFile(first, 125);
        QCOMPARE(check.differences, 0);
        QCOMPARE(check.files.size(), parts.size());
        QStringList shown;
        for (const QString &line : check.report)
            if (line.contains(" ms): name "))
                shown << line.section(" ms): name ", 1);
        QStringList texts;
        for (const AnimationLine &line : animation)
            texts << DecodeAnsi(EncodeAnsi(line.text));  // what the file holds of it
        QCOMPARE(shown, texts);
    }

    void staleParts_data()
    {
        QTest::addColumn<QList<QByteArray>>("before");  // ocelot.cfg, ocelot_2.cfg ...; "" for no file
        QTest::addColumn<QStringList>("left");
        const QByteArray foreign = "set name \"mine\"\r\n";
        QTest::newRow("our two old parts removed") << QList<QByteArray>{oldPart(1, true), oldPart(2, true), oldPart(3, false)}
                                                   << QStringList{"ocelot.cfg"};
        QTest::newRow("a file not ours stays") << QList<QByteArray>{oldPart(1, true), foreign} << QStringList{"ocelot.cfg", "ocelot_2.cfg"};
        QTest::newRow("not chained from the part before") << QList<QByteArray>{oldPart(1, false), oldPart(2, false)}
                                                          << QStringList{"ocelot.cfg", "ocelot_2.cfg"};
    }

    void staleParts()
    {
        QFETCH(QList<QByteArray>, before);
        QTemporaryDir dir;
        const QString first = dir.filePath("ocelot.cfg");
        for (int i = 0; i < before.size(); ++i)
            PutBytes(PartPath(first, i + 1), before.at(i));
        QVERIFY(WriteScriptParts(first, {ExampleScript().join(CrLf)}).ok);
        QTEST(QDir(dir.path()).entryList(QDir::Files, QDir::Name), "left");
        QCOMPARE(ReadFileBytes(first), ExampleScript().join(CrLf).toLatin1() + "\r\n");
    }

    // "taken" typed where taken.cfg and taken.ras exist: the file with the ending is asked about and written.
    void typedNameGetsItsEnding()
    {
        for (bool script : {true, false}) {
            QTemporaryDir dir;
            PutBytes(dir.filePath("taken.cfg"), "old");
            PutBytes(dir.filePath("taken.ras"), "old");
            FakePrompts prompts;
            prompts.fileAnswers = {dir.filePath("taken")};
            FileDialogState dialog;
            AnimationModel model;
            model.setLines(ExampleLines());
            if (script)
                QVERIFY(SaveScript(ExampleScript().join(CrLf), {}, dialog, prompts));
            else
                SaveAnimationAs(model, dialog, Settings{}, prompts);
            QVERIFY(ReadFileBytes(dir.filePath(script ? "taken.cfg" : "taken.ras")) != "old");
            QVERIFY(!QFile::exists(dir.filePath("taken")));
            QCOMPARE(prompts.messages.size(), 1);
        }
    }

    void windowShowsPartsAndSavesThem()
    {
        QTemporaryDir dir;
        AnimationModel model;
        model.setLines(namesInOrder(300));
        const Settings settings{.generateDir = dir.path(), .partLimit = 2048};
        FileDialogState dialog;
        FakePrompts prompts;
        ScriptWindow window(model, settings, dialog, prompts);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *list = window.findChild<QListWidget *>("lstParts");
        auto *box = window.findChild<QPlainTextEdit *>("txtScript");
        const QStringList parts = SplitScript(BuildScriptText(model.lines(), {}), "script", 2048);
        QCOMPARE(list->count(), parts.size());
        QVERIFY(parts.size() > 2);
        qsizetype total = 0;
        for (const QString &part : parts)
            total += PartFileBytes(part);
        const QString summary = window.findChild<QLabel *>("lblSummary")->text();
        QVERIFY2(summary.startsWith(QLocale().toString(total) + " bytes in " + QString::number(parts.size()) + " part(s)"),
                 qPrintable(summary));
        list->scrollToItem(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
        QCOMPARE(box->toPlainText(), QString(parts.at(1)).replace(CrLf, "\n"));
        // An edit that no longer fits is told before saving; the edit is saved as typed.
        box->moveCursor(QTextCursor::End);
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClicks(box, "echo " + QString(600, QLatin1Char('x')));
        prompts.fileAnswers = {dir.filePath("ocelot")};
        auto *bar = window.findChild<QMenuBar *>();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(bar->actions().first()).center());
        QVERIFY(prompts.messageTexts().first().startsWith("An edited part no longer fits"));
        QCOMPARE(prompts.dialogs.first().state.initialDir, dir.path());
        QVERIFY(ReadFileBytes(dir.filePath("ocelot_2.cfg")).contains("\r\necho xxx"));
        QVERIFY(ReadFileBytes(dir.filePath("ocelot.cfg")).endsWith("\r\nexec ocelot_2\r\n"));
        QVERIFY(QFile::exists(PartPath(dir.filePath("ocelot.cfg"), parts.size())));
    }
};

QTEST_MAIN(ScriptPartsTest)
#include "tst_ScriptParts.moc"
