#include "BuiltPrograms.h"
#include "WindowUnderTest.h"

#include "animation/AnimationHistory.h"
#include "app/RecentFiles.h"
#include "animation/RecoveryFile.h"
#include "animation/RecoveryOffer.h"
#include "app/Startup.h"

#include <QRandomGenerator>
#include <QAction>
#include <QClipboard>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStatusBar>
#include <QUndoView>
#include <QUndoStack>

// answers: an input box or a file dialog
struct CommandCase { QString how; QString name; QStringList answers = {}; };

// Undo and redo, unsaved changes and crash recovery, driven as a user drives the window.
class UndoTest : public WindowTest {
    Q_OBJECT
private slots:
    void commandsUndoAndRedo_data()
    {
        QTest::addColumn<CommandCase>("c");
        const QString cfg = dir.filePath("import.CFG");  // the ending in any case
        WriteTextFile(cfg, "set name \"imported\"\r\n");
        QTest::newRow("add") << CommandCase{"btnadd", "Add line"};
        QTest::newRow("add before") << CommandCase{"btnaddbefore", "Add line before"};
        QTest::newRow("add after") << CommandCase{"btnaddafter", "Add line after"};
        QTest::newRow("copy all") << CommandCase{"btncopyall", "Copy all lines"};
        QTest::newRow("wizard's Finish") << CommandCase{"wizard", "Wave 2"};
        QTest::newRow("copy x times") << CommandCase{"btncopylastx", "Copy selected line x times", {"3"}};
        QTest::newRow("copy reversed") << CommandCase{"btncopyallreverse", "Copy all lines (reverse)"};
        QTest::newRow("remove") << CommandCase{"btnremove", "Remove line"};
        QTest::newRow("delete all") << CommandCase{"btndeleteall", "Delete all lines"};
        QTest::newRow("Delete key") << CommandCase{"keys:Delete", "Delete selected"};
        QTest::newRow("edit dialog") << CommandCase{"btnedit", "Edit line"};
        QTest::newRow("cut") << CommandCase{"keys:Ctrl+X", "Cut"};
        QTest::newRow("paste") << CommandCase{"keys:Ctrl+V", "Paste"};
        QTest::newRow("colour button") << CommandCase{"color:3", "Color"};
        QTest::newRow("random case") << CommandCase{"btneditrandomcase", "Randomize case"};
        QTest::newRow("import") << CommandCase{"keys:Alt+F,I", "Import", {cfg}};
        QTest::newRow("a script dropped: imported") << CommandCase{"drop:" + cfg, "Import"};
    }

    void commandsUndoAndRedo()
    {
        QFETCH(CommandCase, c);
        open->onDialog = [](QDialog &dialog) {  // the edit dialog: Time 42
            auto *time = dialog.findChild<QLineEdit *>("txtTime");
            time->selectAll();
            QTest::keyClicks(time, "42");
            QTest::mouseClick(dialog.findChild<QAbstractButton *>("cmdOK"), Qt::LeftButton);
        };
        QGuiApplication::clipboard()->setText("pasted");
        open->prompts.inputAnswers = open->prompts.fileAnswers = c.answers;
        open->start({"^1Marquee", "hello world again and again", "^2Eo"}, 1, dir.filePath("start.ras"));
        const QVector<AnimationLine> before = window->model().lines();
        const QString pathBefore = window->filePath();
        open->use(c.how);
        const QVector<AnimationLine> after = window->model().lines();
        const QString pathAfter = window->filePath();
        QCOMPARE(pathAfter.isEmpty(), c.name == "Import");  // an imported script is no .ras file
        const int rowAfter = window->currentRow().value_or(-1);
        QVERIFY(after != before);
        QCOMPARE(window->history().stack().count(), 1);
        QCOMPARE(window->findChild<QAction *>("mnuEditUndo")->text(), "&Undo " + c.name);
        QTest::keySequence(window->list(), QKeySequence("Ctrl+Z"));
        QCOMPARE(window->model().lines(), before);
        QCOMPARE(window->currentRow().value_or(-1), 1);
        QCOMPARE(window->filePath(), pathBefore);
        QVERIFY(!window->isWindowModified());
        QVERIFY(!window->findChild<QAction *>("mnuEditUndo")->isEnabled());
        QTest::keySequence(window->list(), QKeySequence("Ctrl+Shift+Z"));
        QCOMPARE(window->model().lines(), after);
        QCOMPARE(window->filePath(), pathAfter);
        QCOMPARE(window->currentRow().value_or(-1), rowAfter);
    }

    // Typing is a step per line and per pause. Ctrl+Z, Ctrl+Y and the box's right-click Undo are the program's, and
    // put back the current row, the selected rows and the box's cursor. Exit then asks once; a save dialog cancelled
    // there keeps the window (the session's table has every answer).
    void typingUndoesPerLine()
    {
        open->start({"zero", "one", "two"});
        window->list()->setSelectionMode(QAbstractItemView::ExtendedSelection);  // MultiSelect
        open->clickRow(0);
        open->clickRow(1, Qt::ShiftModifier);
        PreviewBoxWidget *box = window->previewBox();
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Home);
        QTest::keyClick(box, Qt::Key_Right);
        QTest::keyClicks(box, "XY");
        QTest::keyClick(window->list(), Qt::Key_Down);
        open->type("c");
        QTest::qWait(1100);  // a pause ends the step too
        open->type("d");
        QCOMPARE(open->texts(), (QStringList{"zero", "oXYne", "twocd"}));
        QCOMPARE(window->history().stack().count(), 3);
        QTest::keySequence(box, QKeySequence("Ctrl+Z, Ctrl+Z"));
        QCOMPARE(open->texts(), (QStringList{"zero", "oXYne", "two"}));
        rightClickUndo();
        QCOMPARE(open->texts(), (QStringList{"zero", "one", "two"}));
        QCOMPARE(window->currentRow(), 1);
        QCOMPARE(window->list()->selectionModel()->selectedRows().size(), 2);
        QVERIFY(window->list()->selectionModel()->isRowSelected(0, {}));
        QCOMPARE(box->textCursor().position(), 1);
        QCOMPARE(window->findChild<QLabel *>("lblLineStatus")->text(), QString("Line 2 of 3"));
        QTest::keyClick(box, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(open->texts(), (QStringList{"zero", "oXYne", "two"}));
        open->prompts.answers = {PromptAnswer::Save};
        QTest::keySequence(window->list(), QKeySequence("Ctrl+Q"));
        QCOMPARE(open->prompts.messageTexts(), QStringList{"Save changes to the animation?"});
        QCOMPARE(open->prompts.messages.first().buttons, PromptButtons::SaveDiscardCancel);
        QCOMPARE(open->prompts.dialogs.size(), 1);  // untitled: Save asks for a name
        QVERIFY(window->isVisible());
    }

    // Whole-animation steps at the line limit: lines like an effect's are packed and every step kept; lines that
    // don't pack cost what they cost, and the oldest steps go to stay within the memory budget.
    void wholeAnimationStepsKept_data()
    {
        Columns<bool, int>("packable", "steps");
        QTest::newRow("an effect's lines: all 30 kept") << true << 30;
        QTest::newRow("lines that don't pack: the oldest dropped") << false << 20;
    }

    void wholeAnimationStepsKept()
    {
        const auto [packable, steps] = Fetch<bool, int>("packable", "steps");
        AnimationModel model;
        AnimationHistory history(model);
        auto lines = [packable = packable](int step) {
            QVector<AnimationLine> lines(AnimationModel::MaxLines, NameLine(QString::number(step)));
            QRandomGenerator random(step);
            for (AnimationLine &line : lines) {
                line.text = QStringLiteral("^%1 a line of step %2").arg(step % 10).arg(step);  // nothing shared
                if (!packable)
                    for (int i = 0; i < 64; ++i)
                        line.text += QChar(0x4e00 + random.bounded(0x5000));
            }
            return lines;
        };
        history.startOver(lines(0), QString());
        for (int step = 1; step <= steps; ++step) {
            AnimationStep named(model, QStringLiteral("Wizard"));
            model.setLines(lines(step));
        }
        const int kept = history.stack().count();
        QVERIFY2(packable ? kept == steps : kept > 2 && kept < steps, qPrintable(QString("%1 kept, %2 bytes").arg(kept).arg(history.memoryCost())));
        QVERIFY(history.memoryCost() <= AnimationHistory::MemoryBudget);
        QVERIFY(!history.stack().isClean());
        for (int step = steps - 1; history.stack().canUndo(); --step) {
            history.stack().undo();
            QCOMPARE(model.lines(), lines(step));  // packed or not, each step undoes to its own lines before
        }
        QCOMPARE(history.stack().isClean(), packable);  // the saved state goes only with its step
        history.stack().setIndex(kept);
        QCOMPARE(model.lines(), lines(steps));
    }

    // Every road to another document asks about unsaved work once (the session's table has every answer and what
    // each does to the file), the new one has nothing to undo, and Open Recent lists the file opened.
    void newDocumentAsksFirst_data()
    {
        Columns<QString, QString>("how", "opens");  // opens: the file opened, empty for a new animation
        QTest::newRow("Open Recent") << "keys:Alt+F,R,2" << "b.ras";
        QTest::newRow("Ctrl+O") << "keys:Ctrl+O" << "b.ras";
        QTest::newRow("toolbar Open") << "btnopen" << "b.ras";
        QTest::newRow("drop") << "drop:b.ras" << "b.ras";
        QTest::newRow("Ctrl+N") << "keys:Ctrl+N" << "";
    }

    void newDocumentAsksFirst()
    {
        const auto [how, opens] = Fetch<QString, QString>("how", "opens");
        const QString a = dir.filePath("a.ras"), b = dir.filePath("b.ras");
        WriteAnimationFile(a, {"a1"});
        WriteAnimationFile(b, {"b1", "b2"});
        RecentFiles::add(*open->store.store, b);
        QVERIFY(window->openFile(a));
        open->use("btnadd");
        open->prompts.answers = {PromptAnswer::Discard};
        open->prompts.fileAnswers = {b};
        open->use(QString(how).replace("drop:", "drop:" + dir.path() + '/'));
        QCOMPARE(open->prompts.messageTexts(), QStringList{"Save changes to a.ras?"});
        const QString next = opens.isEmpty() ? QString() : dir.filePath(opens);
        const QStringList nextTexts = next.isEmpty() ? QStringList() : QStringList({"b1", "b2"});
        QCOMPARE(window->filePath(), next);
        QCOMPARE(open->texts(), nextTexts);
        QCOMPARE(window->previewBox()->toPlainText(), nextTexts.value(0, "Preview"));  // a new one: a hint no typing reaches
        QCOMPARE(window->previewBox()->isReadOnly(), nextTexts.isEmpty());
        QVERIFY(!window->isWindowModified());
        // Nothing leads back into the other file's lines.
        QTest::keySequence(window->list(), QKeySequence("Ctrl+Z"));
        QCOMPARE(open->texts(), nextTexts);
        const QStringList recent = RecentFiles::load(*open->store.store);
        QCOMPARE(recent.value(0), next.isEmpty() ? a : b);  // once, at the top
        QCOMPARE(recent.count(b), 1);
        // Once gone, choosing it says so and takes it off the list.
        QFile::remove(recent.value(0));
        open->use("keys:Alt+F,R,1");
        QVERIFY(open->prompts.messageTexts().last().startsWith("File not found!"));
        QVERIFY(!RecentFiles::load(*open->store.store).contains(recent.value(0)));
    }

    // A copy killed at each moment of its work leaves that work to be offered, under its own file's name.
    void recoveryOutlivesKilledCopies_data()
    {
        QTest::addColumn<bool>("freshPids");
        QTest::newRow("copies of this system") << false;
        // Every start in a fresh process-id namespace is process 1: a crashed copy's work is still offered.
        QTest::newRow("each copy process 1 of a namespace of its own") << true;
    }

    void recoveryOutlivesKilledCopies()
    {
        QFETCH(bool, freshPids);
        const QString unshare = freshPids ? QStandardPaths::findExecutable("unshare") : QString();
        const QStringList namespaces{"--pid", "--fork", "--mount-proc"};
        if (freshPids && (unshare.isEmpty() || QProcess::execute(unshare, namespaces + QStringList{"true"}) != 0))
            QSKIP("no process-id namespace can be made here (unshare needs root or user namespaces)");
        QTemporaryDir home;
        const QString folder = home.filePath("data"), mine = home.filePath("mine ocelot.ras"), other = home.filePath("other.ras");
        WriteAnimationFile(mine, {"^1saved"});
        WriteAnimationFile(other, {"other's"});
        const auto offerNotNow = [&] {
            open->prompts.clear();
            open->prompts.answers = {PromptAnswer::NotNow};
            OfferRecovery(folder, open->prompts, [](const RecoveredWork &) { return true; }, [](const QString &) {});
            return open->prompts.messages.size();
        };
        // A changes its file: the work is its own while it runs. Killed once the change is kept, it is offered
        // to B, which is killed while it asks: the file it held must be offered again, and after Not now again.
        QProcess a;
        startChildUntil(a, {folder, "no", mine, "--change"}, "kept", unshare);
        QCOMPARE(offerNotNow(), 0);
        a.kill();
        QVERIFY(a.waitForFinished());
        runChildUntil({folder, "hang"}, "asking", unshare);
        QCOMPARE(QDir(folder).entryList({"unsaved-*.ras"}).size(), 1);
        QTRY_COMPARE(offerNotNow(), 1);  // (a copy in a namespace of its own goes a moment after unshare)
        QCOMPARE(offerNotNow(), 1);
        // C restores it and is killed at once, before its own timer would have kept anything.
        runChildUntil({folder, "yes"}, "ready", unshare);
        QTRY_COMPARE(offerNotNow(), 1);  // its lock goes with it, a moment later in a namespace of its own
        // A start naming another file: the work is offered first, under its own name; keeping it cancels the open.
        open->prompts.clear();
        open->prompts.answers = {PromptAnswer::Restore, PromptAnswer::Cancel};
        OpenAtStart(*window, {other}, folder);
        QCOMPARE(open->prompts.messageTexts().size(), 2);
        QVERIFY2(QRegularExpression("^Restore the unsaved changes to mine ocelot\\.ras from .*\\d.*\\?")
                     .match(open->prompts.messageTexts().value(0)).hasMatch(), qPrintable(open->prompts.messageTexts().value(0)));
        QCOMPARE(open->texts(), (QStringList{"^1saved", "^2added"}));
        QCOMPARE(window->filePath(), mine);
        QVERIFY(window->isWindowModified());
        QTest::keySequence(window->list(), QKeySequence("Ctrl+S"));
        QCOMPARE(TextsInFile(mine), (QStringList{"^1saved", "^2added"}));
        QCOMPARE(TextsInFile(other), QStringList{"other's"});
        // Only the window's own recovery file may remain, and saving removed it.
        window->document().recovery()->flush();
        QCOMPARE(QDir(folder).entryList({"*.ras"}), QStringList{});
    }

    // The restore question as the player answers it: only Delete gives the work up; Escape keeps it. An empty file
    // is removed without a question, with a notice.
    void restoreQuestionByKeys_data()
    {
        // texts: the window's lines afterwards; kept: the work still offered at the next start
        Columns<QKeySequence, QStringList, bool>("key", "texts", "kept");
        QTest::newRow("Enter restores") << QKeySequence(Qt::Key_Return) << QStringList{"kept work"} << false;
        QTest::newRow("Escape keeps it for later") << QKeySequence(Qt::Key_Escape) << QStringList{} << true;
        QTest::newRow("Alt+D deletes") << QKeySequence("Alt+D") << QStringList{} << false;
        QTest::newRow("an empty file: no question") << QKeySequence() << QStringList{} << false;
    }

    void restoreQuestionByKeys()
    {
        const auto [key, texts, kept] = Fetch<QKeySequence, QStringList, bool>("key", "texts", "kept");
        QTemporaryDir folder;
        const QString file = folder.filePath("unsaved-999999999.ras");
        const RecoveredWork work{QString(), QDateTime::currentDateTime(), LinesFromTexts({"kept work"})};
        WriteTextFile(file, key.isEmpty() ? QString("#v050#\r\n") : RecoveryFileText(work));
        window->setPrompts(key.isEmpty() ? &open->prompts : nullptr);  // the real question box, or none asked
        QString asked, notice;
        if (!key.isEmpty()) {
            QTimer::singleShot(0, this, [&, key = key] {
                QWidget *box = QApplication::activeModalWidget();
                QVERIFY(box);
                QTimer::singleShot(5000, box, &QWidget::close);  // a key that did nothing fails the row, never hangs it
                asked = box->findChild<QLabel *>("qt_msgbox_label")->text();
                box->windowHandle()->requestActivate();  // its Alt keys work in the focus window
                QTRY_COMPARE(QGuiApplication::focusWindow(), box->windowHandle());
                QTest::keySequence(box, key);
            });
        }
        OfferRecovery(folder.path(), window->prompts(), [this](const RecoveredWork &work) { return window->restoreRecovered(work); },
                      [&notice](const QString &said) { notice = said; });
        window->setPrompts(&open->prompts);
        QVERIFY2(key.isEmpty() || asked.startsWith("Restore the unsaved changes to an untitled animation from "), qPrintable(asked));
        QCOMPARE(notice.startsWith("An empty or unreadable recovery file"), key.isEmpty());
        QCOMPARE(open->texts(), texts);
        QCOMPARE(QDir(folder.path()).entryList({"*.ras"}), kept ? QStringList{"unsaved-999999999.ras"} : QStringList{});
        QCOMPARE(open->prompts.messages.size(), 0);
    }

    // The history window goes to a clicked step, the saved one marked. Told at once when another program changes or
    // removes the file (Save asks before writing over a change: the killed-copies test); a removed file is made
    // again by Save, without asking.
    void historyAndChangesOnDisk()
    {
        const QString path = dir.filePath("watched.ras");
        WriteAnimationFile(path, {"mine"});
        QVERIFY(window->openFile(path));
        QCOMPARE(window->windowTitle(), QString::fromUtf8("Marqueemaster - by [XKR]OceloT \u2014 watched.ras[*]"));
        open->use("btnadd");
        QTest::keySequence(window->list(), QKeySequence("Ctrl+S"));
        open->use("btnadd");
        open->use("keys:Alt+E,H");
        auto *view = QApplication::activeWindow()->findChild<QUndoView *>("lstUndoHistory");
        QVERIFY(view);
        QCOMPARE(view->model()->rowCount(), 3);  // the opened state and two steps
        QVERIFY(!view->model()->index(1, 0).data(Qt::DecorationRole).isNull());  // the saved one is marked
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(0, 0)).center());
        QCOMPARE(open->texts(), QStringList{"mine"});
        QVERIFY(window->isWindowModified());
        WriteAnimationFile(path, {"theirs"});
        QTRY_COMPARE(window->statusBar()->currentMessage(), QString("watched.ras was changed by another program."));
        QFile::remove(path);
        QTRY_COMPARE(window->statusBar()->currentMessage(), QString("watched.ras was removed by another program."));
        open->use("btnadd");
        QTest::keySequence(window->list(), QKeySequence("Ctrl+S"));
        QVERIFY(open->prompts.messages.isEmpty());
        QVERIFY(FileExists(path));
        QCOMPARE(window->statusBar()->currentMessage(), QString());  // said of the file before it was saved
        // Said again of a changed file, then another file opened: the status bar no longer speaks of the old one.
        WriteAnimationFile(path, {"theirs again"});
        QTRY_COMPARE(window->statusBar()->currentMessage(), QString("watched.ras was changed by another program."));
        const QString other = dir.filePath("other.ras");
        WriteAnimationFile(other, {"other"});
        open->prompts.answers = {PromptAnswer::Discard};
        QVERIFY(window->openFile(other));
        QCOMPARE(window->statusBar()->currentMessage(), QString());
    }

    // Steady changes can't put the recovery write off for ever; a recovery folder that can't be written is said in
    // the status bar for as long as it lasts, naming it.
    void recoveryKeepsUpAndSaysAFolderThatRefuses()
    {
        QTemporaryDir home;
        window->document().keepRecoveryIn(home.filePath("data"));
        open->start({"one"});
        QElapsedTimer clock;
        clock.start();
        while (!FileExists(window->document().recovery()->path()) && clock.elapsed() < 8000) {
            open->type("x");
            QTest::qWait(200);
        }
        QVERIFY(clock.elapsed() < RecoveryFile::DelayMs + 2000);
        QVERIFY(WriteTextFile(home.filePath("file"), "a file, not a folder").ok);
        const QString folder = home.filePath("file/data");
        window->document().keepRecoveryIn(folder);
        open->type("y");
        window->document().recovery()->flush();
        auto *warning = window->findChild<QLabel *>("lblRecoveryWarning");
        QTRY_VERIFY(warning->isVisible());
        QVERIFY2(warning->toolTip().startsWith("Unsaved changes can't be kept for a crash in " + QDir::toNativeSeparators(folder)),
                 qPrintable(warning->toolTip()));
        window->statusBar()->showMessage("another message");  // a passing message doesn't cover it
        QVERIFY(warning->isVisible());
        window->document().keepRecoveryIn(home.filePath("data"));  // writable again: the warning goes
        open->type("z");
        window->document().recovery()->flush();
        QTRY_VERIFY(!warning->isVisible());
    }

private:
    // Clicks Undo in the preview box's right-click menu, which opens without waiting.
    void rightClickUndo()
    {
        QWidget *box = window->previewBox()->viewport();
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), box->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(box, &click);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction *entry : menu->actions())
            if (entry->text().startsWith("&Undo"))
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
        window->activateWindow();  // the closed menu had the keyboard
        QTRY_COMPARE(QApplication::activeWindow(), window);
    }

    // With unshare: in process-id and mount namespaces of its own, where the copy is process 1 and /proc says so
    // (as sandboxed apps run).
    void startChildUntil(QProcess &child, const QStringList &arguments, const QByteArray &said,
                         const QString &unshare = QString())
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        child.setProcessEnvironment(env);
        const QString program = BuiltProgram(QStringLiteral("app_recovery_child"));
        if (unshare.isEmpty())
            child.start(program, arguments);
        else  // killing unshare kills the copy it started
            child.start(unshare, QStringList{"--pid", "--fork", "--mount-proc", "--kill-child", program} + arguments);
        QVERIFY(child.waitForStarted());
        QByteArray out;
        QTRY_VERIFY_WITH_TIMEOUT((out += child.readAllStandardOutput()).contains(said) || child.state() == QProcess::NotRunning, 20000);
        QVERIFY2(child.state() == QProcess::Running, out + child.readAllStandardError());
    }

    void runChildUntil(const QStringList &arguments, const QByteArray &said, const QString &unshare)
    {
        QProcess child;
        startChildUntil(child, arguments, said, unshare);
        child.kill();  // SIGKILL: nothing is tidied up
        QVERIFY(child.waitForFinished());
    }

    QTemporaryDir dir;
};

QTEST_MAIN(UndoTest)
#include "tst_UndoAndFiles.moc"
