// Every road that replaces the document asks once about unsaved work and keeps the file on disk as the
// answer says; the save dialog offers the document's own file whatever road opened it.
#include "FileFixtures.h"

#include "animation/Document.h"
#include "animation/DocumentSession.h"
#include "animation/LineLimit.h"
#include "animation/RecoveryFile.h"
#include "animation/RecoveryOffer.h"
#include "animation/Settings.h"
#include "script/ScriptImport.h"

#include <QRegularExpression>
#include <QSignalSpy>

namespace {

struct Session {
    QTemporaryDir dir;
    Settings settings;
    FakePrompts prompts;
    Document document;
    DocumentSession session{document, settings, prompts, ImportScriptReader()};
    QString a = dir.filePath("a.ras");
    QString b = dir.filePath("b.ras");
    QString script = dir.filePath("s.cfg");

    Session()
    {
        WriteAnimationFile(a, {"a1", "a2"});
        WriteAnimationFile(b, {"b1"});
        WriteFileBytes(script, "set name ^1Bob; wait 20\r\n");
    }
    // a.ras open, and edited when asked.
    void openA(bool edited)
    {
        QVERIFY(session.openFile(a));
        if (edited) {
            AnimationStep step(document.model(), "Insert");
            document.model().appendLines(LinesFromTexts({"new"}));
        }
        prompts.clear();
    }
    // The recovery file a copy that edited a.ras into texts would leave behind when killed, as unsaved-<id>.ras
    // in folder (no lock: its copy is gone). Without base, as an older version wrote it.
    QString crashedCopysWork(const QString &folder, const QStringList &texts, bool base = true)
    {
        Session copy;
        copy.document.keepRecoveryIn(copy.dir.filePath("kept"));
        copy.document.start(ReadAnimationFile(a, copy.prompts).value_or(QVector<AnimationLine>()), a);
        AnimationStep(copy.document.model(), "Edit"), copy.document.model().setLines(LinesFromTexts(texts));
        copy.document.recovery()->flush();
        QString text = QString::fromLatin1(ReadFileBytes(copy.document.recovery()->path()));
        if (!base)
            text.remove(QRegularExpression("base=[^\r]*\r\n"));
        static int id = 0;
        const QString path = QDir(folder).filePath(QStringLiteral("unsaved-gone%1.ras").arg(++id));
        WriteFileBytes(path, text.toLatin1());
        return path;
    }
    bool offer(const QString &folder)
    {
        return OfferRecovery(folder, prompts, [this](const RecoveredWork &work) { return session.restore(work); }, [](const QString &) {});
    }
    // A road by name: "new", "open-b" (the dialog), "recent-a"/"recent-b" (Open Recent, a drop, the start-up
    // file), "restore-a"/"restore-b"/"restore-untitled" (work restored), "exit", "import" (the dialog),
    // "import-s" (by name), "undo", "saveas-c".
    bool take(const QString &road)
    {
        prompts.fileAnswers = {road == "import" ? script : road == "saveas-c" ? dir.filePath("c.ras") : b};
        const QString file = road.endsWith("-a") ? a : road.endsWith("untitled") ? QString() : b;
        if (road == "new")
            return session.newDocument();
        if (road == "open-b")
            return session.open();
        if (road.startsWith("recent-"))
            return session.openFile(file);
        if (road.startsWith("restore-"))
            return session.restore({file, QDateTime::currentDateTime(), LinesFromTexts({"kept"})});
        if (road == "exit")
            return session.confirmClose();
        if (road == "import")
            return session.importChosen();
        if (road == "import-s")
            return session.importFile(script);
        if (road == "undo")
            return document.history().stack().undo(), true;
        return session.saveAs();  // "saveas-c"
    }
    int questions() const { return prompts.messageTexts().count("Save changes to a.ras?"); }
};

struct RoadCase {
    QString road;
    bool edited;            // a.ras edited before
    PromptAnswer answer;
    bool done;              // the road went on
    int questions;
    QStringList fileA;      // a.ras on disk afterwards
    QString path;           // the document's file afterwards
    QStringList texts;      // the lines afterwards
};

} // namespace

Q_DECLARE_METATYPE(RoadCase)

class DocumentSessionTest : public QObject {
    Q_OBJECT
private slots:
    void everyRoadAsksOnce_data()
    {
        QTest::addColumn<RoadCase>("c");
        const QStringList saved{"a1", "a2"}, edited{"a1", "a2", "new"};
        const auto S = PromptAnswer::Save, D = PromptAnswer::Discard, C = PromptAnswer::Cancel;
        struct RoadInfo { const char *name; QString road; QString path; QStringList texts; };
        const QList<RoadInfo> roads{
            {"New", "new", QString(), {}},
            {"Open", "open-b", "b.ras", {"b1"}},
            {"Open Recent, drop, start-up", "recent-b", "b.ras", {"b1"}},
            {"Restore", "restore-b", "b.ras", {"kept"}},
            {"Exit", "exit", "a.ras", {}},
            {"Import", "import", QString(), {"^1Bob"}},
        };
        for (const RoadInfo &r : roads) {
            const QStringList afterClean = r.road == "exit" ? saved : r.texts;
            const QStringList afterEdit = r.road == "exit" ? edited : r.texts;
            const auto row = [&](const char *how) -> QTestData & { return QTest::addRow("%s, %s", r.name, how); };
            row("clean") << RoadCase{r.road, false, S, true, 0, saved, r.path, afterClean};
            row("unsaved, Save") << RoadCase{r.road, true, S, true, 1, edited, r.path, afterEdit};
            row("unsaved, Discard") << RoadCase{r.road, true, D, true, 1, saved, r.path, afterEdit};
            row("unsaved, Cancel") << RoadCase{r.road, true, C, false, 1, saved, "a.ras", edited};
        }
    }

    void everyRoadAsksOnce()
    {
        QFETCH(RoadCase, c);
        Session s;
        s.openA(c.edited);
        s.prompts.answers = {c.answer};
        QCOMPARE(s.take(c.road), c.done);
        QCOMPARE(s.questions(), c.questions);
        QCOMPARE(TextsInFile(s.a), c.fileA);
        QCOMPARE(QFileInfo(s.document.filePath()).fileName(), c.path);
        QCOMPARE(TextsOf(s.document.model()), c.texts);
    }

    // The file a start opens: one argument is the whole path (the association quotes "%1": blanks kept as they
    // are, two in a row too); several come from an older unquoted command that the shell cut at each blank. Only
    // an animation opened is one of Open Recent.
    void startupArguments_data()
    {
        // arguments: @ is the test's folder; told: the start of what the player is told
        Columns<QStringList, QStringList, QString>("arguments", "texts", "told");
        QTest::newRow("one argument, two blanks in a row") << QStringList{"@/my  anim.ras"} << QStringList{"two"} << "";
        QTest::newRow("an old command's words") << QStringList{"@/my", "anim.ras"} << QStringList{"one"} << "";
        QTest::newRow("upper-case ending, its case kept") << QStringList{"@/A/ANIM.RAS"} << QStringList{"caps"} << "";
        QTest::newRow("a script imported") << QStringList{"@/s.cfg"} << QStringList{"^1Bob"} << "";
        QTest::newRow("no file: told, nothing opened") << QStringList{"@/missing.ras"} << QStringList{} << "File not found!";
        QTest::newRow("a picture refused") << QStringList{"@/picture.ras"} << QStringList{} << "@/picture.ras is not an animation";
        QTest::newRow("control bytes refused") << QStringList{"@/controls.ras"} << QStringList{} << "@/controls.ras is not an animation";
        QTest::newRow("another ending left alone") << QStringList{"@/my anim.txt"} << QStringList{} << "";
    }
    void startupArguments()
    {
        auto [arguments, texts, told] = Fetch<QStringList, QStringList, QString>("arguments", "texts", "told");
        Session s;
        for (const char *name : {"my anim.ras", "my anim.txt"})
            WriteAnimationFile(s.dir.filePath(name), {"one"});
        WriteAnimationFile(s.dir.filePath("my  anim.ras"), {"two"});
        QVERIFY(QDir(s.dir.path()).mkdir("A") && WriteAnimationFile(s.dir.filePath("A/ANIM.RAS"), {"caps"}));
        // A PNG's first bytes, and text bytes mixed with control bytes but no NUL.
        WriteFileBytes(s.dir.filePath("picture.ras"), QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10", 20));
        WriteFileBytes(s.dir.filePath("controls.ras"), "#v050#\r\n\x01\x02\x03\x04\x05\x06\x07\x08" "abc\r\n15\r\nsay\r\n");
        QSignalSpy used(&s.session, &DocumentSession::fileUsed);
        s.session.openStartupFile(arguments.replaceInStrings("@", s.dir.path()));
        QCOMPARE(TextsOf(s.document.model()), texts);
        QCOMPARE(used.size(), int(!texts.isEmpty() && !arguments.first().endsWith("cfg")));
        const QStringList said = s.prompts.messageTexts().replaceInStrings("\\", "/");
        QCOMPARE(said.size(), told.isEmpty() ? 0 : 1);
        told.replace("@", s.dir.path());
        QVERIFY2(told.isEmpty() || said.value(0).startsWith(told), qPrintable(said.value(0)));
    }

    // Save As offers the file the lines belong to, never one another road chose before.
    void saveAsOffersTheDocumentsOwnFile_data()
    {
        Columns<QString, QString>("roads", "offered");
        QTest::newRow("opened by the dialog") << "open-b" << "b.ras";
        QTest::newRow("Open Recent after the dialog") << "open-b recent-a" << "a.ras";
        QTest::newRow("an imported script: its name as an animation") << "recent-a import-s" << "s.ras";
        QTest::newRow("the import undone: the file again") << "recent-a import-s undo" << "a.ras";
        QTest::newRow("New after an import: no name") << "recent-a import-s new" << "";
        QTest::newRow("untitled work restored after an import: no name") << "recent-a import-s restore-untitled" << "";
        QTest::newRow("restored work of a file") << "open-b restore-a" << "a.ras";
        QTest::newRow("saved under a new name") << "recent-a saveas-c" << "c.ras";
    }

    void saveAsOffersTheDocumentsOwnFile()
    {
        QFETCH(QString, roads);
        Session s;
        for (const QString &road : roads.split(u' ')) {
            s.prompts.answers = {PromptAnswer::Discard};
            QVERIFY2(s.take(road), qPrintable(road));
        }
        s.prompts.dialogs.clear();
        s.prompts.fileAnswers.clear();  // the dialog is cancelled: only what it offered matters
        QVERIFY(!s.session.saveAs());
        QCOMPARE(s.prompts.dialogs.size(), 1);
        QTEST(QFileInfo(s.prompts.dialogs.first().state.fileName).fileName(), "offered");
    }

    // Saving again asks nothing; a file changed on disk is asked about once, and Cancel there keeps the work.
    void saveAgain()
    {
        Session s;
        s.openA(true);
        QVERIFY(s.session.save());
        s.openA(true);  // (opened again: a new edit on a saved file)
        QVERIFY(s.session.save());
        QCOMPARE(s.prompts.messageTexts(), QStringList());
        QCOMPARE(TextsInFile(s.a), (QStringList{"a1", "a2", "new", "new"}));
        s.openA(true);
        WriteAnimationFile(s.a, {"theirs"});
        s.prompts.answers = {PromptAnswer::Save, PromptAnswer::Cancel};
        QVERIFY(!s.session.confirmClose());
        QCOMPARE(s.prompts.messageTexts(), (QStringList{"Save changes to a.ras?",
                                                         "a.ras was changed by another program since it was opened. Overwrite it?"}));
        QVERIFY(s.document.isModified());
        QCOMPARE(TextsInFile(s.a), QStringList{"theirs"});
    }

    // Restored work is measured against the file as it was under it: a change made since is said and guarded.
    void restoreKnowsTheFileChangedSince_data()
    {
        // since: what happened to a.ras after the copy was killed; told: the end of the restore question; answer:
        // to "changed by another program", if asked; fileA: a.ras after Save
        Columns<QString, QString, PromptAnswer, QStringList>("since", "told", "answer", "fileA");
        const QStringList kept{"kept"};
        const QString changed = "a.ras was changed after these changes were kept.";
        QTest::newRow("unchanged") << "" << "?" << PromptAnswer::Cancel << kept;
        QTest::newRow("changed, Overwrite") << "change" << changed << PromptAnswer::Overwrite << kept;
        QTest::newRow("changed, Cancel") << "change" << changed << PromptAnswer::Cancel << QStringList{"theirs"};
        QTest::newRow("changed to as many bytes, Cancel") << "change same size" << changed << PromptAnswer::Cancel
                                                          << QStringList{"b1", "b2"};
        QTest::newRow("removed") << "remove" << "a.ras was removed after these changes were kept." << PromptAnswer::Cancel << kept;
        QTest::newRow("an older version's file: the file as it is") << "change old" << "?" << PromptAnswer::Cancel << kept;
        // Both are offered; the second restore saves the first and can't silently write over it.
        QTest::newRow("another copy's older work") << "older copy" << "?" << PromptAnswer::Cancel << kept;
    }

    void restoreKnowsTheFileChangedSince()
    {
        const auto [since, told, answer] = Fetch<QString, QString, PromptAnswer>("since", "told", "answer");
        Session s;
        QTemporaryDir folder;
        s.crashedCopysWork(folder.path(), {"kept"}, !since.contains("old"));
        if (since.startsWith("change")) {
            WriteAnimationFile(s.a, since == "change same size" ? QStringList{"b1", "b2"} : QStringList{"theirs"});
        } else if (since == "remove") {
            QFile::remove(s.a);
        } else if (since == "older copy") {  // offered after the other: a minute older
            QFile older(s.crashedCopysWork(folder.path(), {"older"}));
            QVERIFY(older.open(QIODevice::ReadWrite)
                    && older.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
        }
        s.prompts.answers = {PromptAnswer::Restore};  // later questions get their first button: Restore, Save
        QVERIFY(s.offer(folder.path()));
        QVERIFY2(s.prompts.messageTexts().value(0).endsWith(told), qPrintable(s.prompts.messageTexts().value(0)));
        QCOMPARE(TextsOf(s.document.model()), QStringList{since == "older copy" ? "older" : "kept"});
        s.prompts.clear();
        s.prompts.answers = {answer};
        s.session.save();
        QCOMPARE(s.prompts.messageTexts().size(), told.contains("changed") || since == "older copy" ? 1 : 0);
        QTEST(TextsInFile(s.a), "fileA");
        QCOMPARE(QDir(folder.path()).entryList({"*.ras"}), QStringList{});
    }

    // A file longer than an animation can hold opens untitled and unsaved, its first lines: no Save can cut it.
    void aFileTooLongOpensUntitled_data()
    {
        Columns<int, bool>("lines", "whole");
        QTest::newRow("32,767 lines: the file itself") << int(AnimationModel::MaxLines) << true;
        QTest::newRow("32,768 lines: untitled") << int(AnimationModel::MaxLines) + 1 << false;
    }

    void aFileTooLongOpensUntitled()
    {
        const auto [lines, whole] = Fetch<int, bool>("lines", "whole");
        Session s;
        const QString big = s.dir.filePath("big.ras");
        QStringList texts;
        for (int i = 0; i < lines; ++i)
            texts << "r" + QString::number(i);
        QVERIFY(WriteAnimationFile(big, texts));
        const QByteArray before = ReadFileBytes(big);
        QVERIFY(s.session.openFile(big));
        QCOMPARE(TextsOf(s.document.model()), texts.mid(0, AnimationModel::MaxLines));
        QCOMPARE(s.document.filePath(), whole ? big : QString());
        QCOMPARE(s.document.isModified(), !whole);
        QCOMPARE(s.prompts.messageTexts(), whole ? QStringList() : QStringList{LineLimitMessage()});  // told once
        s.document.model().removeLines(0, 1);
        s.prompts.clear();
        QCOMPARE(s.session.save(), whole);  // untitled: Save asks for a name (cancelled here)
        QCOMPARE(s.prompts.dialogs.size(), whole ? 0 : 1);
        if (!whole)
            QCOMPARE(ReadFileBytes(big), before);
    }
};

QTEST_MAIN(DocumentSessionTest)
#include "tst_DocumentSession.moc"
