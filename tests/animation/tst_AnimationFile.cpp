#include "ScriptFixtures.h"

#include "animation/AnimationFile.h"
#include "animation/AnimationFileCommands.h"
#include "animation/Settings.h"

namespace {

// The file's bytes and the lines loading it gives; with saved set, the bytes are what saving those lines writes.
struct FileCase { QByteArray bytes; Lines loaded; std::optional<Lines> saved; };

// Answers to "File exists! Overwrite?" about taken.ras; the files chosen ("" cancels); the file written.
struct SaveAsCase { QList<PromptAnswer> answers; QStringList choices; int dialogs; QString written; };

} // namespace

class AnimationFileTest : public QObject {
    Q_OBJECT
private slots:
    void file_data()
    {
        QTest::addColumn<FileCase>("c");
        QTest::newRow("no file") << FileCase{"<missing>", {}};
        QTest::newRow("zero bytes") << FileCase{"", {}};
        QTest::newRow("empty animation") << FileCase{"#v050#\r\n", {}, Lines{}};
        const Lines plain{Line("^1Hi", " 2x", "say"), Line("\u00e9\u20ac")};
        QTest::newRow("fields as they are, code page")
            << FileCase{"#v050#\r\n^1Hi\r\n 2x\r\nsay\r\n\xe9\x80\r\n15\r\nset name\r\n", plain, plain};
        QTest::newRow("CR LF in a field") << FileCase{"#v050#\r\na\nb\r\n1\n5\r\nsay\r\n", {Line("a\nb", "1\n5", "say")},
                                                      Lines{Line("a\r\nb", "1\r5", "say")}};
        QTest::newRow("last line open") << FileCase{"#v050#\r\na\r\n15\r\necho", {Line("a", "15", "echo")}};
        QTest::newRow("record cut off after its Time") << FileCase{"#v050#\r\na\r\n1\r\nsay\r\nb\r\n15\r\n", {Line("a", "1", "say")}};
        QTest::newRow("action in capitals") << FileCase{"#v050#\r\na\r\n15\r\nSAY\r\n", {Line("a")}};
        QTest::newRow("header in other case: older layout") << FileCase{"#V050#\r\na\r\n\r\nsay", {Line("a"), Line(""), Line("say")}};
        QTest::newRow("LF-only file") << FileCase{"#v050#\na\n15\nsay\n", {}};
    }

    void file()
    {
        QFETCH(FileCase, c);
        const QString path = m_dir.filePath(QStringLiteral("a.ras"));
        QFile::remove(path);
        AnimationModel model;
        model.setLines(c.saved ? *c.saved : LinesFromTexts({"old 1", "old 2", "old 3", "old 4", "old 5"}));
        FakePrompts prompts;
        if (c.saved) {
            QVERIFY(SaveAnimation(model, path, prompts));
            QCOMPARE(ReadFileBytes(path), c.bytes);
        } else if (c.bytes != "<missing>") {
            PutBytes(path, c.bytes);
        }
        LoadAnimation(model, path, prompts);
        QCOMPARE(model.lines(), c.loaded);
        QVERIFY(prompts.messages.isEmpty());
    }

    void failedSaveKeepsOldFile()
    {
        // At the longest name the file system allows there is no room for the safe write's temporary file.
        const QString path = PutBytes(m_dir.filePath(QString(250, QLatin1Char('n'))), "old");
        AnimationModel model;
        model.setLines(LinesFromTexts({"new"}));
        FakePrompts prompts;
        QVERIFY(!SaveAnimation(model, path, prompts));
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY2(IsSaveError(prompts.messages.first().text), qPrintable(prompts.messages.first().text));
        QCOMPARE(ReadFileBytes(path), QByteArray("old"));
    }

    void oversizedFileStopsAtLimit()
    {
        QByteArray bytes("#v050#\r\n");
        for (int i = 0; i < 100000; ++i)
            bytes += "r" + QByteArray::number(i) + "\r\n15\r\nsay\r\n";
        AnimationModel model;
        FakePrompts prompts;
        LoadAnimation(model, PutBytes(m_dir.filePath(QStringLiteral("big.ras")), bytes), prompts);
        QCOMPARE(model.count(), AnimationModel::MaxLines);
        QCOMPARE(model.lines().last(), Line("r32766", "15", "say"));
        QCOMPARE(prompts.messageTexts(), QStringList{LineLimitMessage()});
    }

    void openAnimation()
    {
        const QString path = PutBytes(m_dir.filePath(QStringLiteral("open.ras")), "#v050#\r\none\r\n15\r\nsay\r\n");
        const QString missing = m_dir.filePath(QStringLiteral("none.ras"));
        FileDialogState dialog;
        FakePrompts prompts;
        prompts.fileAnswers = {missing, path};
        QCOMPARE(ChooseAnimationToOpen(dialog, Settings{}, prompts), QString());
        QCOMPARE(prompts.messageTexts(), QStringList{"File not found!\n" + missing});
        QCOMPARE(ChooseAnimationToOpen(dialog, Settings{}, prompts), path);
        QCOMPARE(ReadAnimationFile(path, prompts).value(), Lines{Line("one", "15", "say")});
    }

    void saveAnimationAs_data()
    {
        QTest::addColumn<SaveAsCase>("c");
        using A = PromptAnswer;
        QTest::newRow("cancel the dialog") << SaveAsCase{{}, {""}, 1, ""};
        QTest::newRow("new file") << SaveAsCase{{}, {"fresh.ras"}, 1, "fresh.ras"};
        QTest::newRow("a dot in the folder's name") << SaveAsCase{{}, {"my.scripts/anim"}, 1, "my.scripts/anim.ras"};
        QTest::newRow("overwrite yes") << SaveAsCase{{A::Yes}, {"taken.ras"}, 1, "taken.ras"};
        QTest::newRow("overwrite cancel") << SaveAsCase{{A::Cancel}, {"taken.ras", "x.ras"}, 1, ""};
        QTest::newRow("no opens the dialog again") << SaveAsCase{{A::No}, {"taken.ras", "fresh.ras"}, 2, "fresh.ras"};
        QTest::newRow("no, then cancel") << SaveAsCase{{A::No}, {"taken.ras", ""}, 2, ""};
    }

    void saveAnimationAs()
    {
        QFETCH(SaveAsCase, c);
        QTemporaryDir dir;
        PutBytes(dir.filePath(QStringLiteral("taken.ras")), "old");
        QDir(dir.path()).mkdir(QStringLiteral("my.scripts"));
        AnimationModel model;
        model.setLines({Line("new")});
        const Settings settings{.saveDir = QStringLiteral("/anims")};
        FileDialogState dialog;
        FakePrompts prompts;
        prompts.answers = c.answers;
        for (const QString &choice : c.choices)
            prompts.fileAnswers << (choice.isEmpty() ? QString() : dir.filePath(choice));
        SaveAnimationAs(model, dialog, settings, prompts);
        QCOMPARE(prompts.dialogs.size(), c.dialogs);
        QCOMPARE(prompts.dialogs.first().state.initialDir, QStringLiteral("/anims"));
        QCOMPARE(prompts.messageTexts(), QStringList(c.answers.size(), QStringLiteral("File exists! Overwrite?")));
        const QByteArray saved("#v050#\r\nnew\r\n15\r\nset name\r\n");
        QCOMPARE(ReadFileBytes(dir.filePath(QStringLiteral("taken.ras"))), c.written == "taken.ras" ? saved : "old");
        QCOMPARE(ReadFileBytes(dir.filePath(QStringLiteral("fresh.ras"))), c.written == "fresh.ras" ? saved : "<missing>");
        const QString dotted = QStringLiteral("my.scripts/anim.ras");
        QCOMPARE(ReadFileBytes(dir.filePath(dotted)), c.written == dotted ? saved : "<missing>");
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(AnimationFileTest)
#include "tst_AnimationFile.moc"
