#include "WindowUnderTest.h"

#include "animation/AnimationFile.h"
#include "app/MainLayout.h"
#include "colors/PreviewBoxWidget.h"
#include "animation/PreviewPlayer.h"
#include "platform/RegistryOps.h"

#include <QAction>
#include <QDialog>
#include <QTest>
#include <QTextCursor>
#include <QToolButton>
#include <QTreeView>

struct AddCase { QStringList before; int current; QString key; QStringList after; int currentAfter; };

struct ColourCase { QString text; int from; int to; int button; QString expected; };

// arguments: %1 is the folder
struct CommandLineCase { QString fileName; QStringList arguments; QStringList lines; };

// The main window driven as a user drives it: toolbar, menus, keys, preview box.
class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() { open = std::make_unique<WindowUnderTest>(); window = &open->window; }
    void cleanup() { open.reset(); }

    void addLine_data()
    {
        QTest::addColumn<AddCase>("c");
        const QStringList abc{"A", "B", "C"};
        QTest::newRow("button adds after") << AddCase{abc, 1, "btnadd", QStringList{"A", "B", "Text", "C"}, 1};
        QTest::newRow("before selection") << AddCase{abc, 1, "btnaddbefore", QStringList{"A", "Text", "B", "C"}, 2};
        QTest::newRow("after selection") << AddCase{abc, 1, "btnaddafter", QStringList{"A", "B", "Text", "C"}, 1};
        QTest::newRow("empty list") << AddCase{QStringList{}, -1, "btnaddbefore", QStringList{"Text"}, 0};
        QTest::newRow("no current line") << AddCase{QStringList{"A"}, -1, "btnadd", QStringList{"A"}, -1};
    }

    void addLine()
    {
        QFETCH(AddCase, c);
        auto [before, current, key, after, currentAfter] = c;
        window->model().appendLines(LinesFromTexts(before));
        window->list()->setCurrentIndex(current < 0 ? QModelIndex() : window->model().index(current, 0));
        trigger(key);
        QCOMPARE(texts(), after);
        QCOMPARE(window->currentRow().value_or(-1), currentAfter);
        if (after.contains("Text"))
            QCOMPARE(window->model().line(after.indexOf("Text")), AnimationLine());
        QVERIFY(open->prompts.messages.isEmpty());
    }

    void colourButtonsWriteCodes_data()
    {
        QTest::addColumn<ColourCase>("c");
        QTest::newRow("last two green") << ColourCase{"name", 2, 4, 1, "na^2me"};
        QTest::newRow("back to white") << ColourCase{"na^2me", 2, 4, 6, "name"};
        QTest::newRow("first green") << ColourCase{"name", 0, 1, 1, "^2n^7ame"};
        QTest::newRow("black button gives zero") << ColourCase{"ab", 1, 2, 7, "a^0b"};
        QTest::newRow("empty preview does nothing") << ColourCase{"", 0, 0, 0, ""};
    }

    void colourButtonsWriteCodes()
    {
        QFETCH(ColourCase, c);
        auto [text, from, to, button, expected] = c;
        window->model().appendLines(LinesFromTexts({"other", text}));
        window->setCurrentRow(1);
        trigger("mnuEditShowColors");
        QTextCursor cursor = window->previewBox()->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        window->previewBox()->setTextCursor(cursor);
        auto *colorButton = window->findChild<QAbstractButton *>(QStringLiteral("cmdColor%1").arg(button));
        QVERIFY(colorButton && colorButton->isVisible());
        QTest::mouseClick(colorButton, Qt::LeftButton);
        QCOMPARE(texts(), (QStringList{"other", expected}));
    }

    void previewEditsReachOnlyTheCurrentLine()
    {
        window->model().appendLines(LinesFromTexts({"^1ab", "x"}));
        window->previewBox()->setFocus();
        window->previewBox()->moveCursor(QTextCursor::End);
        QTest::keyClicks(window->previewBox(), "c");
        QCOMPARE(texts(), (QStringList{"^1abc", "x"}));
        window->drawPreview(QStringLiteral("^3zz"));  // the program's own drawing is never written back
        QCOMPARE(texts(), (QStringList{"^1abc", "x"}));
        QTest::keyClick(window->previewBox(), Qt::Key_Control);
        QVERIFY(window->list()->hasFocus());
    }

    void deleteKeyAndNew()
    {
        QTest::keyClick(window->list(), Qt::Key_Delete);
        QVERIFY(window->model().isEmpty());
        window->model().appendLines(LinesFromTexts({"A", "^2B", "C"}));
        window->setCurrentRow(1);
        QTest::keyClick(window->list(), Qt::Key_Delete);
        QCOMPARE(texts(), (QStringList{"A", "C"}));
        QCOMPARE(window->previewBox()->toPlainText(), window->model().line(*window->currentRow()).text);
        open->prompts.answers = {PromptAnswer::Discard};
        trigger("btnnew");  // the emptied box shows "Preview", which no typing may reach
        QVERIFY(window->previewBox()->isReadOnly());
        QCOMPARE(open->prompts.messageTexts(), QStringList{"Save changes to the animation?"});
    }

    void showColorsLayout()
    {
        auto *panel = window->findChild<QWidget *>("picColors");
        const int fullWidth = window->previewBox()->width();
        QVERIFY(!panel->isVisible());
        trigger("mnuEditShowColors");
        QVERIFY(panel->isVisible() && window->findChild<QAction *>("mnuEditShowColors")->isChecked());
        QCOMPARE(window->previewBox()->width(), fullWidth - MainLayoutMetrics::PanelWidth);
        QCOMPARE(panel->x(), window->previewBox()->geometry().right() + 1);
        window->resize(window->width() + 100, window->height());
        QTRY_COMPARE(window->previewBox()->width(), fullWidth + 100 - MainLayoutMetrics::PanelWidth);
        QCOMPARE(panel->width(), MainLayoutMetrics::PanelWidth);
        trigger("mnuEditShowColors");
        QVERIFY(!panel->isVisible());
        QCOMPARE(window->previewBox()->width(), fullWidth + 100);
        window->resize(200, window->height());
        QVERIFY(window->width() >= MainLayoutMetrics::MinimumOuterWidth);
        // A window too low for the list keeps the list's last height.
        QCOMPARE(LayOutMainWindow(QSize(600, 20), false, 77).list.height(), 77);
    }

    void settingsApplyToTheList()
    {
        QCOMPARE(window->list()->selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(window->list()->editTriggers(), QAbstractItemView::NoEditTriggers);
        open->onDialog = [](QDialog &options) {
            auto *multi = options.findChild<QWidget *>("chkMultiSelect");
            QTest::mouseClick(multi, Qt::LeftButton, {}, QPoint(5, multi->height() / 2));
            QTest::mouseClick(options.findChild<QWidget *>("cmdOK"), Qt::LeftButton);
        };
        trigger("mnuEditOptions");
        QCOMPARE(window->list()->selectionMode(), QAbstractItemView::ExtendedSelection);
        SetRegValue(*open->store.store, RegHive::CurrentUser, SettingsKey, "EditItem", "1");
        SetRegValue(*open->store.store, RegHive::CurrentUser, SettingsKey, "MultiSelect", "true");
        window->loadSettings();
        QVERIFY(window->list()->editTriggers() & QAbstractItemView::SelectedClicked);
        QCOMPARE(window->list()->selectionMode(), QAbstractItemView::SingleSelection);
    }

    void commandLine_data()
    {
        QTest::addColumn<CommandLineCase>("c");
        const QStringList loaded{"^1Loaded"};
        QTest::newRow("ras") << CommandLineCase{"Anim.ras", QStringList{"%1/Anim.ras"}, loaded};
        QTest::newRow("blanks split by the shell") << CommandLineCase{"My Anim.ras", QStringList{"%1/My", "Anim.ras"}, loaded};
        QTest::newRow("upper-case ending, case of the path kept") << CommandLineCase{"Mixed/ANIM.RAS",
            QStringList{"%1/Mixed/ANIM.RAS"}, loaded};
        QTest::newRow("script imported") << CommandLineCase{"Anim.CFG", QStringList{"%1/Anim.CFG"}, QStringList{"^1Bob", "x"}};
        QTest::newRow("missing file") << CommandLineCase{"Anim.ras", QStringList{"%1/Other.ras"}, QStringList{}};
        QTest::newRow("other ending") << CommandLineCase{"Anim.txt", QStringList{"%1/Anim.txt"}, QStringList{}};
    }

    void commandLine()
    {
        QFETCH(CommandLineCase, c);
        auto [fileName, arguments, lines] = c;
        QTemporaryDir dir;
        QDir(dir.path()).mkpath(QFileInfo(dir.filePath(fileName)).path());
        const QString content = fileName.endsWith("CFG") ? QStringLiteral("//x\nset name \"^1Bob\"\nwait 20\nsay \"x\"\n")
                                                         : AnimationFileText(LinesFromTexts({"^1Loaded"}));
        QVERIFY(WriteTextFile(dir.filePath(fileName), content).ok);
        for (QString &argument : arguments)
            argument.replace(QLatin1String("%1"), dir.path());
        window->openCommandLine(arguments);
        QCOMPARE(texts(), lines);
        QVERIFY(open->prompts.messages.isEmpty());
    }

    // Each entry opens its window, clicked as a user clicks it.
    void entriesOpenTheirWindows_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("window");
        const QStringList rows{"btngenerate=frmScript", "btnedittime=frmEdit", "mnuHelpColor=frmColorEditor",
                               "mnuEditOptions=frmOptions", "mnuHelpHelp=frmHelp", "mnuHelpAbout=frmAbout"};
        for (const QString &row : rows)
            QTest::newRow(qPrintable(row)) << row.section(u'=', 0, 0) << row.section(u'=', 1);
    }
    void entriesOpenTheirWindows()
    {
        QFETCH(QString, entry);
        QStringList opened;
        open->onDialog = [&](QDialog &dialog) { opened << dialog.objectName(); };
        window->model().appendLines(LinesFromTexts({"A"}));
        trigger(entry);
        QTEST(opened.join(u','), "window");
    }

    void playSwitchesCaptionAndButtons()
    {
        auto *play = window->findChild<QToolButton *>("btnpreview");
        auto *add = window->findChild<QToolButton *>("btnadd");
        trigger("btnpreview");
        QCOMPARE(open->prompts.messageTexts(), QStringList{"There is no animation to play!"});
        window->model().appendLines({{"^1one", "15", "set name"}, {"two", "5", "say"}});
        trigger("btnpreview");
        QCOMPARE(play->text(), QStringLiteral("Stop"));
        QVERIFY(!add->isEnabled() && !window->findChild<QToolButton *>("btnremove")->isEnabled());
        window->player().tick();
        QCOMPARE(window->previewBox()->toPlainText(), QStringLiteral("one"));
        window->player().tick();
        QCOMPARE(window->previewBox()->toPlainText(), QStringLiteral("!! two"));
        QCOMPARE(play->text(), QStringLiteral("Play"));
        QVERIFY(add->isEnabled() && !window->previewUpdating());
        QCOMPARE(texts(), (QStringList{"^1one", "two"}));
    }

private:
    void trigger(const QString &key) { ClickEntry(*window, key); }
    QStringList texts() const { return TextsOf(window->model()); }

    std::unique_ptr<WindowUnderTest> open;
    MainWindow *window = nullptr;
};

QTEST_MAIN(MainWindowTest)
#include "tst_MainWindow.moc"
