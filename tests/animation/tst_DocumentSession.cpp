// Every road that replaces the document asks once about unsaved work and keeps the file on disk as the
// answer says; the save dialog offers the document's own file whatever road opened it.
#include "FakePrompts.h"
#include "FileFixtures.h"
#include "TestLines.h"

#include "animation/AnimationFile.h"
#include "animation/Document.h"
#include "animation/DocumentSession.h"
#include "animation/RecoveryFile.h"
#include "animation/RecoveryOffer.h"
#include "animation/Settings.h"
#include "platform/TextFile.h"
#include "script/ScriptImport.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

enum class Road { New, Open, OpenFile, Restore, Close, Import };
enum class Start { Clean, Unsaved };

struct Session {
    QTemporaryDir dir;
    Settings settings;
    FakePrompts prompts;
    Document document;
    DocumentSession session{document, settings, prompts, ImportScriptReader()};
    QString a = dir.filePath(QStringLiteral("a.ras"));
    QString b = dir.filePath(QStringLiteral("b.ras"));
    QString script = dir.filePath(QStringLiteral("s.cfg"));

    Session()
    {
        SilentSave(a, {"a1", "a2"});
        SilentSave(b, {"b1"});
        WriteFileBytes(script, "set name ^1Bob; wait 20\r\n");
    }
    void SilentSave(const QString &path, const QStringList &texts)
    {
        AnimationModel model;
        model.setLines(LinesFromTexts(texts));
        FakePrompts quiet;
        QVERIFY(SaveAnimation(model, path, quiet));
    }
    // a.ras open, and edited when start says so.
    void openA(Start start)
    {
        QVERIFY(session.openFile(a));
        if (start == Start::Unsaved) {
            AnimationStep step(document.model(), QStringLiteral("Insert"));
            document.model().appendLines(LinesFromTexts({"new"}));
        }
        prompts.clear();
    }
    // The recovery file a copy that edited a.ras into texts would leave behind when killed, as unsaved-<id>.ras
    // in folder (no lock: its copy is gone). Without base, as an older version wrote it.
    QString crashedCopysWork(const QString &folder, const QStringList &texts, bool base = true)
    {
        Session copy;
        copy.document.keepRecoveryIn(copy.dir.filePath(QStringLiteral("kept")));
        copy.document.start(ReadAnimationFile(a, copy.prompts).value_or(QVector<AnimationLine>()), a);
        AnimationStep(copy.document.model(), QStringLiteral("Edit")), copy.document.model().setLines(LinesFromTexts(texts));
        copy.document.recovery()->flush();
        QString text = QString::fromLatin1(ReadFileBytes(copy.document.recovery()->path()));
        if (!base)
            text.remove(QRegularExpression(QStringLiteral("base=[^\r]*\r\n")));
        static int id = 0;
        const QString path = QDir(folder).filePath(QStringLiteral("unsaved-gone%1.ras").arg(++id));
        WriteFileBytes(path, text.toLatin1());
        return path;
    }
    bool offer(const QString &folder)
    {
        return OfferRecovery(folder, prompts, [this](const RecoveredWork &work) { return session.restore(work); },
                             [](const QString &) {});
    }
    bool take(Road road)
    {
        switch (road) {
        case Road::New: return session.newDocument();
        case Road::Open: prompts.fileAnswers = {b}; return session.open();
        case Road::OpenFile: return session.openFile(b);
        case Road::Restore: return session.restore({b, QDateTime::currentDateTime(), LinesFromTexts({"kept"})});
        case Road::Close: return session.confirmClose();
        case Road::Import: prompts.fileAnswers = {script}; return session.importChosen();
        }
        return false;
    }
    int questions() const
    {
        int count = 0;
        for (const FakePrompts::Message &message : prompts.messages)
            count += message.text == QStringLiteral("Save changes to the animation?");
        return count;
    }
};

struct RoadCase {
    Road road;
    Start start;
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
        struct RoadInfo { const char *name; Road road; QString path; QStringList texts; };
        const QList<RoadInfo> roads{
            {"New", Road::New, QString(), {}},
            {"Open", Road::Open, QStringLiteral("b.ras"), {"b1"}},
            {"Open Recent, drop, start-up", Road::OpenFile, QStringLiteral("b.ras"), {"b1"}},
            {"Restore", Road::Restore, QStringLiteral("b.ras"), {"kept"}},
            {"Exit", Road::Close, QStringLiteral("a.ras"), {}},
            {"Import", Road::Import, QString(), {"^1Bob"}},
        };
        for (const RoadInfo &r : roads) {
            const QStringList afterClean = r.road == Road::Close ? saved : r.texts;
            const QStringList afterEdit = r.road == Road::Close ? edited : r.texts;
            const auto row = [&](const char *how) -> QTestData & { return QTest::addRow("%s, %s", r.name, how); };
            row("clean") << RoadCase{r.road, Start::Clean, S, true, 0, saved, r.path, afterClean};
            row("unsaved, Save") << RoadCase{r.road, Start::Unsaved, S, true, 1, edited, r.path, afterEdit};
            row("unsaved, Discard") << RoadCase{r.road, Start::Unsaved, D, true, 1, saved, r.path, afterEdit};
            row("unsaved, Cancel") << RoadCase{r.road, Start::Unsaved, C, false, 1, saved, QStringLiteral("a.ras"), edited};
        }
    }

    void everyRoadAsksOnce()
    {
        QFETCH(RoadCase, c);
        Session s;
        s.openA(c.start);
        s.prompts.answers = {c.answer};
        QCOMPARE(s.take(c.road), c.done);
        QCOMPARE(s.questions(), c.questions);
        AnimationModel onDisk;
        onDisk.setLines(ReadAnimationFile(s.a, s.prompts).value_or(QVector<AnimationLine>()));
        QCOMPARE(TextsOf(onDisk), c.fileA);
        QCOMPARE(QFileInfo(s.document.filePath()).fileName(), c.path);
        QCOMPARE(TextsOf(s.document.model()), c.texts);
    }

    // Save As offers the file the lines belong to, never one another road chose before.
    void saveAsOffersTheDocumentsOwnFile_data()
    {
        QTest::addColumn<QString>("roads");
        QTest::addColumn<QString>("offered");
        QTest::newRow("opened by the dialog") << "open-b" << "b.ras";
        QTest::newRow("Open Recent after the dialog") << "open-b recent-a" << "a.ras";
        QTest::newRow("an imported script: its name as an animation") << "recent-a import" << "s.ras";
        QTest::newRow("the import undone: the file again") << "recent-a import undo" << "a.ras";
        QTest::newRow("New after an import: no name") << "recent-a import new" << "";
        QTest::newRow("untitled work restored after an import: no name") << "recent-a import restore-untitled" << "";
        QTest::newRow("restored work of a file") << "open-b restore-a" << "a.ras";
        QTest::newRow("saved under a new name") << "recent-a saveas-c" << "c.ras";
    }

    void saveAsOffersTheDocumentsOwnFile()
    {
        QFETCH(QString, roads);
        QFETCH(QString, offered);
        Session s;
        for (const QString &road : roads.split(u' ')) {
            if (road == QLatin1String("open-b")) {
                s.prompts.fileAnswers = {s.b};
                QVERIFY(s.session.open());
            } else if (road == QLatin1String("recent-a")) {
                QVERIFY(s.session.openFile(s.a));
            } else if (road == QLatin1String("import")) {
                QVERIFY(s.session.importFile(s.script));
            } else if (road == QLatin1String("undo")) {
                s.document.history().stack().undo();
            } else if (road == QLatin1String("new")) {
                s.prompts.answers = {PromptAnswer::Discard};
                QVERIFY(s.session.newDocument());
            } else if (road == QLatin1String("restore-a")) {
                QVERIFY(s.session.restore({s.a, QDateTime::currentDateTime(), LinesFromTexts({"kept"})}));
            } else if (road == QLatin1String("restore-untitled")) {
                s.prompts.answers = {PromptAnswer::Discard};
                QVERIFY(s.session.restore({QString(), QDateTime::currentDateTime(), LinesFromTexts({"kept"})}));
            } else if (road == QLatin1String("saveas-c")) {
                s.prompts.fileAnswers = {s.dir.filePath(QStringLiteral("c.ras"))};
                QVERIFY(s.session.saveAs());
            }
        }
        s.prompts.answers = {PromptAnswer::Discard};
        s.prompts.dialogs.clear();
        s.prompts.fileAnswers.clear();  // the dialog is cancelled: only what it offered matters
        QVERIFY(!s.session.saveAs());
        QCOMPARE(s.prompts.dialogs.size(), 1);
        QCOMPARE(QFileInfo(s.prompts.dialogs.first().state.fileName).fileName(), offered);
    }

    // Saving again asks nothing; a file changed on disk is asked about once, and Cancel there keeps the work.
    void saveAgain_data()
    {
        QTest::addColumn<bool>("changedOnDisk");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<bool>("closed");
        QTest::newRow("Open, Save, edit, Save: nothing asked") << false << QStringList{} << true;
        QTest::newRow("Exit over a file changed on disk: Save, then Cancel keeps the work")
            << true << QStringList{"Save changes to the animation?", "a.ras was changed by another program since it was opened. Overwrite it?"} << false;
    }

    void saveAgain()
    {
        QFETCH(bool, changedOnDisk);
        QFETCH(QStringList, questions);
        QFETCH(bool, closed);
        Session s;
        s.openA(Start::Unsaved);
        QVERIFY(s.session.save());
        s.openA(Start::Unsaved);  // (opened again: a new edit on a saved file)
        if (changedOnDisk)
            s.SilentSave(s.a, {"theirs"});
        s.prompts.answers = {PromptAnswer::Save, PromptAnswer::Cancel};
        QCOMPARE(changedOnDisk ? s.session.confirmClose() : s.session.save(), closed);
        QCOMPARE(s.prompts.messageTexts(), questions);
        QCOMPARE(s.document.isModified(), !closed);
        AnimationModel onDisk;
        onDisk.setLines(ReadAnimationFile(s.a, s.prompts).value_or(QVector<AnimationLine>()));
        QCOMPARE(TextsOf(onDisk), (changedOnDisk ? QStringList{"theirs"} : QStringList{"a1", "a2", "new", "new"}));
    }

    // Restored work is measured against the file as it was under it: a change made since is said and guarded.
    void restoreKnowsTheFileChangedSince_data()
    {
        QTest::addColumn<QString>("since");       // what happened to a.ras after the copy was killed
        QTest::addColumn<QString>("told");        // the end of the restore question
        QTest::addColumn<PromptAnswer>("answer");  // to "changed by another program", if asked
        QTest::addColumn<QStringList>("fileA");   // a.ras after Save
        const QStringList kept{"kept"};
        QTest::newRow("unchanged") << "" << "?" << PromptAnswer::Cancel << kept;
        QTest::newRow("changed, Overwrite") << "change" << "a.ras was changed after these changes were kept."
                                            << PromptAnswer::Overwrite << kept;
        QTest::newRow("changed, Cancel") << "change" << "a.ras was changed after these changes were kept."
                                         << PromptAnswer::Cancel << QStringList{"theirs"};
        QTest::newRow("changed to as many bytes, Cancel") << "change same size" << "a.ras was changed after these changes were kept."
                                                       << PromptAnswer::Cancel << QStringList{"b1", "b2"};
        QTest::newRow("removed") << "remove" << "a.ras was removed after these changes were kept."
                                 << PromptAnswer::Cancel << kept;
        QTest::newRow("an older version's file: the file as it is") << "change old" << "?" << PromptAnswer::Cancel
                                                                    << kept;
    }

    void restoreKnowsTheFileChangedSince()
    {
        QFETCH(QString, since);
        QFETCH(QString, told);
        QFETCH(PromptAnswer, answer);
        QFETCH(QStringList, fileA);
        Session s;
        QTemporaryDir folder;
        s.crashedCopysWork(folder.path(), {"kept"}, !since.contains(QLatin1String("old")));
        if (since == QLatin1String("change same size"))
            s.SilentSave(s.a, {"b1", "b2"});
        else if (since.startsWith(QLatin1String("change")))
            s.SilentSave(s.a, {"theirs"});
        else if (since == QLatin1String("remove"))
            QFile::remove(s.a);
        s.prompts.answers = {PromptAnswer::Restore};
        QVERIFY(s.offer(folder.path()));
        QVERIFY2(s.prompts.messageTexts().value(0).endsWith(told), qPrintable(s.prompts.messageTexts().value(0)));
        s.prompts.clear();
        s.prompts.answers = {answer};
        s.session.save();
        QCOMPARE(s.prompts.messageTexts().size(), told.contains(QLatin1String("changed")) ? 1 : 0);
        AnimationModel onDisk;
        onDisk.setLines(ReadAnimationFile(s.a, s.prompts).value_or(QVector<AnimationLine>()));
        QCOMPARE(TextsOf(onDisk), fileA);
    }

    // Two copies edited a.ras and were killed: both are offered, and the second restore can't silently undo the first.
    void twoCrashedCopiesAreBothOffered()
    {
        Session s;
        QTemporaryDir folder;
        const QString older = s.crashedCopysWork(folder.path(), {"older"});
        QFile file(older);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
        file.close();
        s.crashedCopysWork(folder.path(), {"newer"});
        // Restore the newer; Restore the older, saving the newer first; then Ctrl+S asks before writing over it.
        s.prompts.answers = {PromptAnswer::Restore, PromptAnswer::Restore, PromptAnswer::Save, PromptAnswer::Cancel};
        QVERIFY(s.offer(folder.path()));
        QCOMPARE(s.prompts.messages.size(), 3);
        QCOMPARE(TextsOf(s.document.model()), QStringList{"older"});
        QVERIFY(!s.session.save());
        const QStringList texts = s.prompts.messageTexts();
        QCOMPARE(texts.size(), 4);
        QVERIFY(texts.at(3).startsWith(QLatin1String("a.ras was changed by another program")));
        AnimationModel onDisk;
        onDisk.setLines(ReadAnimationFile(s.a, s.prompts).value_or(QVector<AnimationLine>()));
        QCOMPARE(TextsOf(onDisk), QStringList{"newer"});
        QCOMPARE(QDir(folder.path()).entryList({QStringLiteral("*.ras")}), QStringList{});
    }

    // A file longer than an animation can hold opens untitled and unsaved: no Save can cut it.
    void aFileTooLongOpensUntitled_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("whole");
        QTest::newRow("32,767 lines: the file itself") << int(AnimationModel::MaxLines) << true;
        QTest::newRow("32,768 lines: untitled") << int(AnimationModel::MaxLines) + 1 << false;
        QTest::newRow("40,000 lines: untitled") << 40000 << false;
    }

    void aFileTooLongOpensUntitled()
    {
        QFETCH(int, lines);
        QFETCH(bool, whole);
        Session s;
        const QString big = s.dir.filePath(QStringLiteral("big.ras"));
        QVERIFY(WriteTextFile(big, AnimationFileText(QVector<AnimationLine>(lines, AnimationLine()))).ok);
        const QByteArray before = ReadFileBytes(big);
        QVERIFY(s.session.openFile(big));
        QCOMPARE(s.document.model().rowCount(), qMin(lines, int(AnimationModel::MaxLines)));
        QCOMPARE(s.document.filePath(), whole ? big : QString());
        QCOMPARE(s.document.isModified(), !whole);
        QCOMPARE(s.prompts.messages.size(), whole ? 0 : 1);  // the limit, told once
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
