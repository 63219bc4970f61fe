#include "FakePrompts.h"
#include "TestLines.h"
#include "TestStore.h"

#include "animation/AnimationFile.h"
#include "app/MainLayout.h"
#include "app/MainWindow.h"
#include "colors/PreviewBoxWidget.h"
#include "settings/RegistryOps.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTextCursor>
#include <QToolButton>
#include <QTreeView>

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void toolbarHasElevenEntriesInOrder();
    void dropDownsAndMenusCarryTheirCaptions_data();
    void dropDownsAndMenusCarryTheirCaptions();
    void addLineThreeWays_data();
    void addLineThreeWays();
    void addOnEmptyListMakesFirstLineCurrent();
    void addWithLinesButNoCurrentLineDoesNothing();
    void colourButtonsWriteCodesIntoTheText_data();
    void colourButtonsWriteCodesIntoTheText();
    void typingInPreviewChangesTheCurrentText();
    void colourButtonOnEmptyPreviewDoesNothing();
    void deleteKeyRemovesCurrentLine();
    void deleteKeyOnEmptyListDoesNothing();
    void newEmptiesListAndShowsPlaceholder();
    void showColorsTogglesPanelAndLayout();
    void layoutRules_data();
    void layoutRules();
    void settingsApplyToTheList();
    void commandLineOpensAnimation_data();
    void commandLineOpensAnimation();
    void unknownKeyDoesNothing();
    void controlKeyMovesFocusToList();

private:
    void click(const QString &key);
    QStringList texts() const { return TextsOf(window->model()); }

    std::unique_ptr<TestStore> store;
    std::unique_ptr<MainWindow> window;
    FakePrompts prompts;
};

void MainWindowTest::init()
{
    store = std::make_unique<TestStore>();
    window = std::make_unique<MainWindow>(*store->store);
    prompts.clear();
    window->setPrompts(&prompts);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void MainWindowTest::cleanup()
{
    window.reset();
    store.reset();
}

void MainWindowTest::click(const QString &key)
{
    if (auto *button = window->findChild<QToolButton *>(key)) {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, 8));
        return;
    }
    auto *action = window->findChild<QAction *>(key);
    QVERIFY2(action, qPrintable(key));
    action->trigger();
}

void MainWindowTest::toolbarHasElevenEntriesInOrder()
{
    const QStringList keys = {"btnnew", "btnopen", "btnsave", "btnadd", "btnremove", "btnedit",
                              "btnwizard", "btnpreview", "btngenerate"};
    const QStringList captions = {"New", "Open", "Save", "Add", "Remove", "Edit", "Wizard", "Play", "Generate"};
    int previousX = -1;
    for (int i = 0; i < keys.size(); ++i) {
        auto *button = window->findChild<QToolButton *>(keys.at(i));
        QVERIFY2(button, qPrintable(keys.at(i)));
        QCOMPARE(button->text(), captions.at(i));
        QVERIFY(button->mapTo(window.get(), QPoint()).x() > previousX);
        previousX = button->mapTo(window.get(), QPoint()).x();
    }
    QCOMPARE(window->findChild<QToolButton *>("btnadd")->popupMode(), QToolButton::MenuButtonPopup);
    QCOMPARE(window->findChild<QToolButton *>("btnwizard")->toolTip(), QStringLiteral("Animation Script Wizard"));
}

void MainWindowTest::dropDownsAndMenusCarryTheirCaptions_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shortcut");
    QTest::newRow("before") << "btnaddbefore" << "Before selection" << "";
    QTest::newRow("copy x") << "btncopylastx" << "Copy selected line x times" << "";
    QTest::newRow("reverse") << "btncopyallreverse" << "Copy all lines (reverse)" << "";
    QTest::newRow("delete all") << "btndeleteall" << "Delete all" << "";
    QTest::newRow("leet") << "btneditleet" << "Leet converter" << "";
    QTest::newRow("cut") << "mnuEditCut" << "Cut" << "Ctrl+X";
    QTest::newRow("copy") << "mnuEditCopy" << "Copy" << "Ctrl+C";
    QTest::newRow("paste clipboard") << "mnuEditPasteClipboard" << "From Clipboard" << "Ctrl+V";
    QTest::newRow("about") << "mnuHelpAbout" << "About" << "F1";
    QTest::newRow("save as") << "mnuFileSaveAs" << "Save As" << "";
    QTest::newRow("colour editor") << "mnuHelpColor" << "Color name editor" << "";
}

void MainWindowTest::dropDownsAndMenusCarryTheirCaptions()
{
    QFETCH(QString, key);
    QFETCH(QString, caption);
    QFETCH(QString, shortcut);
    auto *action = window->findChild<QAction *>(key);
    QVERIFY(action);
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->shortcut().toString(), shortcut);
    QVERIFY(!window->findChild<QAction *>("mnuFileSave")->isEnabled());
    QVERIFY(!window->findChild<QAction *>("mnuEditSimple")->isEnabled());
}

void MainWindowTest::addLineThreeWays_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("button adds after") << "btnadd" << QStringList{"A", "B", "Text", "C"};
    QTest::newRow("before selection") << "btnaddbefore" << QStringList{"A", "Text", "B", "C"};
    QTest::newRow("after selection") << "btnaddafter" << QStringList{"A", "B", "Text", "C"};
}

void MainWindowTest::addLineThreeWays()
{
    QFETCH(QString, key);
    QFETCH(QStringList, expected);
    window->model().appendLines(LinesFromTexts({"A", "B", "C"}));
    window->setCurrentRow(1);
    click(key);
    QCOMPARE(texts(), expected);
    QCOMPARE(window->model().line(expected.indexOf("Text")), AnimationLine());
    // The current line stays B, wherever it moved to.
    QCOMPARE(window->model().line(*window->currentRow()).text, QStringLiteral("B"));
    QVERIFY(prompts.messages.isEmpty());
}

void MainWindowTest::addOnEmptyListMakesFirstLineCurrent()
{
    for (const QString &key : {"btnadd", "btnaddbefore", "btnaddafter"}) {
        window->newAnimation();
        click(key);
        QCOMPARE(texts(), QStringList{"Text"});
        QCOMPARE(window->currentRow(), std::optional<int>(0));
        QVERIFY(!window->previewBox()->isReadOnly());
        QCOMPARE(window->previewBox()->toPlainText(), QStringLiteral("Text"));
    }
}

void MainWindowTest::addWithLinesButNoCurrentLineDoesNothing()
{
    window->model().appendLines(LinesFromTexts({"A"}));
    window->list()->setCurrentIndex(QModelIndex());
    click("btnadd");
    QCOMPARE(texts(), QStringList{"A"});
}

void MainWindowTest::colourButtonsWriteCodesIntoTheText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("expected");
    QTest::newRow("last two green") << "name" << 2 << 4 << 1 << "na^2me";
    QTest::newRow("back to white") << "na^2me" << 2 << 4 << 6 << "name";
    QTest::newRow("first green") << "name" << 0 << 1 << 1 << "^2n^7ame";
    QTest::newRow("black button gives zero") << "ab" << 1 << 2 << 7 << "a^0b";
    QTest::newRow("red on coloured text") << "^3abc" << 0 << 3 << 0 << "^1abc";
}

void MainWindowTest::colourButtonsWriteCodesIntoTheText()
{
    QFETCH(QString, text);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, button);
    QFETCH(QString, expected);
    window->model().appendLines(LinesFromTexts({"other", text}));
    window->setCurrentRow(1);
    click("mnuEditShowColors");
    QTextCursor cursor = window->previewBox()->textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    window->previewBox()->setTextCursor(cursor);
    auto *colorButton = window->findChild<QAbstractButton *>(QStringLiteral("cmdColor%1").arg(button));
    QVERIFY(colorButton && colorButton->isVisible());
    QTest::mouseClick(colorButton, Qt::LeftButton);
    QCOMPARE(window->model().line(1).text, expected);
    QCOMPARE(window->model().line(0).text, QStringLiteral("other"));
}

void MainWindowTest::typingInPreviewChangesTheCurrentText()
{
    window->model().appendLines(LinesFromTexts({"^1ab"}));
    window->previewBox()->setFocus();
    window->previewBox()->moveCursor(QTextCursor::End);
    QTest::keyClicks(window->previewBox(), "c");
    QCOMPARE(window->model().line(0).text, QStringLiteral("^1abc"));
    // Drawing by the program itself is never written back.
    window->drawPreview(QStringLiteral("^3zz"));
    QCOMPARE(window->model().line(0).text, QStringLiteral("^1abc"));
}

void MainWindowTest::colourButtonOnEmptyPreviewDoesNothing()
{
    window->model().appendLines(LinesFromTexts({""}));
    click("mnuEditShowColors");
    QTest::mouseClick(window->findChild<QAbstractButton *>("cmdColor0"), Qt::LeftButton);
    QCOMPARE(window->model().line(0).text, QString());
}

void MainWindowTest::deleteKeyRemovesCurrentLine()
{
    window->model().appendLines(LinesFromTexts({"A", "B", "C"}));
    window->setCurrentRow(1);
    window->list()->setFocus();
    QTest::keyClick(window->list(), Qt::Key_Delete);
    QCOMPARE(texts(), (QStringList{"A", "C"}));
    QVERIFY(prompts.messages.isEmpty());
    const std::optional<int> row = window->currentRow();
    QVERIFY(row);
    QCOMPARE(window->previewBox()->toPlainText(), window->model().line(*row).text);
}

void MainWindowTest::deleteKeyOnEmptyListDoesNothing()
{
    QTest::keyClick(window->list(), Qt::Key_Delete);
    QVERIFY(window->model().isEmpty());
    QVERIFY(prompts.messages.isEmpty());
    QCOMPARE(window->previewBox()->toPlainText(), QStringLiteral("Preview"));
    QVERIFY(window->previewBox()->isReadOnly());
}

void MainWindowTest::newEmptiesListAndShowsPlaceholder()
{
    window->model().appendLines(LinesFromTexts({"^1A", "B"}));
    QCOMPARE(window->previewBox()->toPlainText(), QStringLiteral("A"));
    click("btnnew");
    QVERIFY(window->model().isEmpty());
    QVERIFY(prompts.messages.isEmpty());
    QCOMPARE(window->previewBox()->toPlainText(), QStringLiteral("Preview"));
    window->model().appendLines(LinesFromTexts({"x"}));
    click("mnuFileNew");
    QVERIFY(window->model().isEmpty());
}

void MainWindowTest::showColorsTogglesPanelAndLayout()
{
    auto *panel = window->findChild<QWidget *>("picColors");
    auto *action = window->findChild<QAction *>("mnuEditShowColors");
    QVERIFY(panel && action);
    QVERIFY(!panel->isVisible());
    QVERIFY(!action->isChecked());
    const int fullWidth = window->previewBox()->width();
    click("mnuEditShowColors");
    QVERIFY(panel->isVisible());
    QVERIFY(action->isChecked());
    QCOMPARE(window->previewBox()->width(), fullWidth - MainLayoutMetrics::PanelWidth);
    QCOMPARE(panel->x(), window->previewBox()->geometry().right() + 1);
    window->resize(window->width() + 100, window->height());
    QTest::qWait(10);
    QCOMPARE(panel->width(), MainLayoutMetrics::PanelWidth);
    QCOMPARE(window->previewBox()->width(), fullWidth + 100 - MainLayoutMetrics::PanelWidth);
    click("mnuEditShowColors");
    QVERIFY(!panel->isVisible());
    QCOMPARE(window->previewBox()->width(), fullWidth + 100);
}

void MainWindowTest::layoutRules_data()
{
    QTest::addColumn<QSize>("area");
    QTest::addColumn<bool>("showColors");
    QTest::addColumn<QRect>("preview");
    QTest::addColumn<QRect>("list");
    using namespace MainLayoutMetrics;
    QTest::newRow("plain") << QSize(600, 400) << false << QRect(0, PreviewTop, 600, PreviewHeight)
                           << QRect(0, ListTop, 600, 400 - ListTop);
    QTest::newRow("with colours") << QSize(600, 400) << true
                                  << QRect(0, PreviewTop, 600 - PanelWidth, PreviewHeight)
                                  << QRect(0, ListTop, 600, 400 - ListTop);
    QTest::newRow("too low keeps list height") << QSize(600, 20) << false << QRect(0, PreviewTop, 600, PreviewHeight)
                                               << QRect(0, ListTop, 600, 77);
}

void MainWindowTest::layoutRules()
{
    QFETCH(QSize, area);
    QFETCH(bool, showColors);
    QFETCH(QRect, preview);
    QFETCH(QRect, list);
    const MainGeometry geometry = LayOutMainWindow(area, showColors, 77);
    QCOMPARE(geometry.preview, preview);
    QCOMPARE(geometry.list, list);
    QCOMPARE(geometry.colorPanel.isEmpty(), !showColors);
    window->resize(200, window->height());
    QVERIFY(window->width() >= MainLayoutMetrics::MinimumOuterWidth);
}

void MainWindowTest::settingsApplyToTheList()
{
    QCOMPARE(window->list()->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(window->list()->editTriggers(), QAbstractItemView::NoEditTriggers);
    SetRegValue(*store->store, RegHive::CurrentUser, SettingsKey, "MultiSelect", "1");
    SetRegValue(*store->store, RegHive::CurrentUser, SettingsKey, "EditItem", "1");
    window->loadSettings();
    QCOMPARE(window->list()->selectionMode(), QAbstractItemView::ExtendedSelection);
    QVERIFY(window->list()->editTriggers() & QAbstractItemView::SelectedClicked);
    SetRegValue(*store->store, RegHive::CurrentUser, SettingsKey, "MultiSelect", "true");
    window->loadSettings();
    QCOMPARE(window->list()->selectionMode(), QAbstractItemView::SingleSelection);
}

void MainWindowTest::commandLineOpensAnimation_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QStringList>("arguments");  // %1 is the folder
    QTest::addColumn<bool>("opened");
    QTest::newRow("ras") << "Anim.ras" << QStringList{"%1/Anim.ras"} << true;
    QTest::newRow("upper-case ending") << "ANIM.RAS" << QStringList{"%1/ANIM.RAS"} << true;
    QTest::newRow("blanks split by the shell") << "My Anim.ras" << QStringList{"%1/My", "Anim.ras"} << true;
    QTest::newRow("case of the path kept") << "Mixed/Case.ras" << QStringList{"%1/Mixed/Case.ras"} << true;
    QTest::newRow("missing file") << "Anim.ras" << QStringList{"%1/Other.ras"} << false;
    QTest::newRow("other ending") << "Anim.txt" << QStringList{"%1/Anim.txt"} << false;
    QTest::newRow("no argument") << "Anim.ras" << QStringList{} << false;
}

void MainWindowTest::commandLineOpensAnimation()
{
    QFETCH(QString, fileName);
    QFETCH(QStringList, arguments);
    QFETCH(bool, opened);
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QFileInfo(dir.filePath(fileName)).path());
    QVERIFY(WriteTextFile(dir.filePath(fileName), AnimationFileText(LinesFromTexts({"^1Loaded"}))).ok);
    for (QString &argument : arguments)
        argument.replace(QLatin1String("%1"), dir.path());
    window->openCommandLine(arguments);
    QCOMPARE(texts(), opened ? QStringList{"^1Loaded"} : QStringList{});
    QVERIFY(prompts.messages.isEmpty());
}

void MainWindowTest::unknownKeyDoesNothing()
{
    window->model().appendLines(LinesFromTexts({"A"}));
    window->runCommand("btnnothing");
    QCOMPARE(texts(), QStringList{"A"});
}

void MainWindowTest::controlKeyMovesFocusToList()
{
    window->model().appendLines(LinesFromTexts({"A"}));
    window->activateWindow();
    window->previewBox()->setFocus();
    QTest::keyClick(window->previewBox(), Qt::Key_Control);
    QVERIFY(window->list()->hasFocus());
}

QTEST_MAIN(MainWindowTest)
#include "tst_MainWindow.moc"
