#include "FakePrompts.h"
#include "TestLines.h"
#include "TestStore.h"

#include "app/MainWindow.h"
#include "colors/PreviewBoxWidget.h"
#include "colors/PreviewPlayer.h"
#include "platform/TextFile.h"
#include "settings/RegistryOps.h"

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

// The main window's commands as a user reaches them: toolbar, menus, keys.
class MainWindowCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void entriesOpenTheirWindows_data();
    void entriesOpenTheirWindows();
    void generateAndSaveWithOverwriteQuestion();
    void playSwitchesCaptionAndButtons();
    void commandLineImportsScript();
    void optionsOkAppliesSettingsAtOnce();
    void copyAllFromTheToolbarKeepsCurrentLine();

private:
    void trigger(const QString &key);

    std::unique_ptr<TestStore> store;
    std::unique_ptr<MainWindow> window;
    FakePrompts prompts;
    QStringList openedWindows;
    std::function<void(QDialog &)> inspect;
};

void MainWindowCommandsTest::init()
{
    store = std::make_unique<TestStore>();
    window = std::make_unique<MainWindow>(*store->store);
    prompts.clear();
    openedWindows.clear();
    inspect = nullptr;
    window->setPrompts(&prompts);
    window->setModalRunner([this](QDialog &dialog) {
        openedWindows << dialog.objectName();
        if (inspect)
            inspect(dialog);
    });
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void MainWindowCommandsTest::cleanup()
{
    window.reset();
    store.reset();
}

void MainWindowCommandsTest::trigger(const QString &key)
{
    if (auto *button = window->findChild<QToolButton *>(key)) {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, 8));
        return;
    }
    auto *action = window->findChild<QAction *>(key);
    QVERIFY2(action, qPrintable(key));
    action->trigger();
}

void MainWindowCommandsTest::entriesOpenTheirWindows_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("window");
    QTest::newRow("generate") << "btngenerate" << "frmScript";
    QTest::newRow("edit button") << "btnedit" << "frmEdit";
    QTest::newRow("edit entry") << "btnedittime" << "frmEdit";
    QTest::newRow("colour editor") << "mnuHelpColor" << "frmColorEditor";
    QTest::newRow("options") << "mnuEditOptions" << "frmOptions";
    QTest::newRow("help") << "mnuHelpHelp" << "frmHelp";
    QTest::newRow("about") << "mnuHelpAbout" << "frmAbout";
}

void MainWindowCommandsTest::entriesOpenTheirWindows()
{
    QFETCH(QString, key);
    QFETCH(QString, window);
    this->window->model().appendLines(LinesFromTexts({"A"}));
    trigger(key);
    QCOMPARE(openedWindows, QStringList{window});
}

void MainWindowCommandsTest::generateAndSaveWithOverwriteQuestion()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("anim.cfg");
    QVERIFY(WriteTextFile(path, "old\r\n").ok);
    window->model().appendLines({{"^1Mar^7quee", "10", "set name"}, {"hi", "20", "say"}});
    inspect = [&](QDialog &dialog) {
        auto *text = dialog.findChild<QPlainTextEdit *>("txtScript");
        QVERIFY(text);
        QVERIFY(text->toPlainText().contains("set name \"^1Mar^7quee\"\nwait 10\nsay \"hi\"\nwait 20"));
        auto *save = dialog.findChild<QAction *>("mnuSave");
        QVERIFY(save);
        // No: the dialog comes back, and then Yes writes the file.
        prompts.fileAnswers = QStringList{path, path};
        prompts.answers = {PromptAnswer::No, PromptAnswer::Yes};
        save->trigger();
    };
    trigger("btngenerate");
    QCOMPARE(prompts.dialogs.size(), 2);
    QCOMPARE(prompts.messageTexts(), (QStringList{"File Exists! Overwrite?", "File Exists! Overwrite?"}));
    const TextReadResult saved = ReadTextLines(path, LineBreaks::CrOrCrLf);
    QVERIFY(saved.ok);
    QCOMPARE(saved.lines.mid(8), (QStringList{"set name \"^1Mar^7quee\"", "wait 10", "say \"hi\"", "wait 20"}));
}

void MainWindowCommandsTest::playSwitchesCaptionAndButtons()
{
    auto *play = window->findChild<QToolButton *>("btnpreview");
    auto *add = window->findChild<QToolButton *>("btnadd");
    auto *remove = window->findChild<QToolButton *>("btnremove");
    trigger("btnpreview");
    QCOMPARE(prompts.messageTexts(), QStringList{"There is no animation to play!"});
    QCOMPARE(play->text(), QStringLiteral("Play"));

    window->model().appendLines({{"^1one", "15", "set name"}, {"two", "5", "say"}});
    trigger("btnpreview");
    QCOMPARE(play->text(), QStringLiteral("Stop"));
    QVERIFY(!add->isEnabled() && !remove->isEnabled());
    QVERIFY(window->previewUpdating());
    window->player().tick();
    QCOMPARE(window->previewBox()->toPlainText(), QStringLiteral("one"));
    QCOMPARE(window->model().line(0).text, QStringLiteral("^1one"));
    window->player().tick();
    QCOMPARE(window->previewBox()->toPlainText(), QStringLiteral("!! two"));
    QCOMPARE(play->text(), QStringLiteral("Play"));
    QVERIFY(add->isEnabled() && remove->isEnabled());
    QVERIFY(!window->previewUpdating());
    // The program's drawing never reached the list.
    QCOMPARE(TextsOf(window->model()), (QStringList{"^1one", "two"}));
}

void MainWindowCommandsTest::commandLineImportsScript()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Anim.CFG");
    QVERIFY(WriteTextFile(path, "//banner\nset name \"^1Bob\"\nwait 20\nsay \"x\"\n").ok);
    window->openCommandLine({path});
    QCOMPARE(window->model().lines(), (QVector<AnimationLine>{{"^1Bob", "20", "set name"}}));
}

void MainWindowCommandsTest::optionsOkAppliesSettingsAtOnce()
{
    inspect = [](QDialog &dialog) {
        auto *multi = dialog.findChild<QWidget *>("chkMultiSelect");
        QVERIFY(multi);
        QTest::mouseClick(multi, Qt::LeftButton, {}, QPoint(5, multi->height() / 2));
        auto *ok = dialog.findChild<QWidget *>("cmdOK");
        QTest::mouseClick(ok, Qt::LeftButton);
    };
    trigger("mnuEditOptions");
    QCOMPARE(window->list()->selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(GetRegValue(*store->store, RegHive::CurrentUser, SettingsKey, "MultiSelect"), QStringLiteral("1"));
}

void MainWindowCommandsTest::copyAllFromTheToolbarKeepsCurrentLine()
{
    window->model().appendLines(LinesFromTexts({"A", "B", "C"}));
    window->setCurrentRow(1);
    trigger("btncopyallreverse");
    QCOMPARE(TextsOf(window->model()), (QStringList{"A", "B", "C", "C", "B", "A"}));
    QCOMPARE(window->currentRow(), std::optional<int>(1));
}

QTEST_MAIN(MainWindowCommandsTest)
#include "tst_MainWindowCommands.moc"
