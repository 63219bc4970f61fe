#include "FakePrompts.h"
#include "TestStore.h"

#include "app/MainWindow.h"
#include "colors/PreviewBoxWidget.h"
#include "settings/RegistryOps.h"

#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

// What the main window tells of the game: list marks, the game's version in
// the preview, and the script window's own file dialog.
class GameMarksTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void marks_data();
    void marks();
    void previewShowsTheGamesVersion();
    void scriptWindowKeepsItsOwnFileDialog();

private:
    void clickMenu(const char *menu, const char *entry);
    void clickButton(const char *name) { QTest::mouseClick(window->findChild<QToolButton *>(name), Qt::LeftButton, {}, QPoint(8, 8)); }

    std::unique_ptr<TestStore> store;
    std::unique_ptr<MainWindow> window;
    FakePrompts prompts;
    std::function<void(QDialog &)> inspect;
};

void GameMarksTest::init()
{
    store = std::make_unique<TestStore>();
    window = std::make_unique<MainWindow>(*store->store);
    prompts.clear();
    window->setPrompts(&prompts);
    window->setModalRunner([this](QDialog &dialog) { if (inspect) inspect(dialog); });
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void GameMarksTest::clickMenu(const char *menu, const char *entry)
{
    QMenuBar *bar = window->menuBar();
    auto *popup = bar->findChild<QMenu *>(menu);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(popup->menuAction()).center());
    QTRY_VERIFY(popup->isVisible());
    QAction *action = popup->findChild<QAction *>(entry);
    QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(action).center());
}

void GameMarksTest::marks_data()
{
    QTest::addColumn<QVector<AnimationLine>>("lines");
    QTest::addColumn<QStringList>("tips");  // per row, "" for no mark
    const AnimationLine ok{"^1Mar^7quee", "100", "set name"};
    QTest::newRow("as written") << QVector<AnimationLine>{ok, {"hi", "10", "echo"}} << QStringList{"", ""};
    QTest::newRow("refused") << QVector<AnimationLine>{{"Bo\\b", "15", "set name"}}
                             << QStringList{"In the game: UnnamedPlayer"};
    QTest::newRow("rewritten") << QVector<AnimationLine>{{"^0x^1Bob", "15", "set name"}} << QStringList{"In the game: x^1Bob"};
    QTest::newRow("chat too soon after a name") << QVector<AnimationLine>{{"Bob", "50", "set name"}, {"hi", "15", "say"}}
                                                << QStringList{"", "dropped by the server"};
}

void GameMarksTest::marks()
{
    QFETCH(QVector<AnimationLine>, lines);
    QFETCH(QStringList, tips);
    window->model().setLines(lines);
    QAbstractItemModel *model = window->list()->model();
    for (int row = 0; row < lines.size(); ++row) {
        const QModelIndex index = model->index(row, 0);
        const QString tip = model->data(index, Qt::ToolTipRole).toString();
        QCOMPARE(tip.isEmpty(), tips.at(row).isEmpty());
        QVERIFY2(tip.startsWith(tips.at(row)) || tip.contains(tips.at(row)), qPrintable(tip));
        QCOMPARE(model->data(index, Qt::DecorationRole).isValid(), !tips.at(row).isEmpty());
    }
    // Mending the line takes its mark away.
    window->model().setText(0, "Fine");
    window->model().setTime(0, "100");
    QVERIFY(!model->data(model->index(0, 0), Qt::ToolTipRole).isValid());
}

void GameMarksTest::previewShowsTheGamesVersion()
{
    window->model().setLines({{"  ^0x^2Bob", "15", "set name"}});
    window->setCurrentRow(0);
    QCOMPARE(window->previewBox()->toPlainText(), QStringLiteral("  xBob"));
    clickMenu("mnuEdit", "mnuEditShowAsGame");
    QCOMPARE(window->previewBox()->toPlainText(), QStringLiteral("xBob"));
    QVERIFY(window->previewBox()->isReadOnly());
    QCOMPARE(window->model().line(0).text, QStringLiteral("  ^0x^2Bob"));
    clickMenu("mnuEdit", "mnuEditShowAsGame");
    QCOMPARE(window->previewBox()->toPlainText(), QStringLiteral("  xBob"));
}

void GameMarksTest::scriptWindowKeepsItsOwnFileDialog()
{
    QTemporaryDir dir;
    SetRegValue(*store->store, RegHive::CurrentUser, SettingsKey, "GenerateDir", dir.filePath("scripts"));
    window->loadSettings();
    window->model().setLines({{"Bob", "15", "set name"}});
    prompts.fileAnswers = {dir.filePath("a.ras")};
    clickButton("btnsave");
    inspect = [&](QDialog &script) {
        prompts.fileAnswers = {dir.filePath("s")};
        auto *bar = script.findChild<QMenuBar *>();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(bar->actions().first()).center());
    };
    clickButton("btngenerate");
    clickButton("btngenerate");
    prompts.fileAnswers = {};
    clickButton("btnsave");
    QCOMPARE(prompts.dialogs.size(), 4);
    QCOMPARE(prompts.dialogs.at(1).state.fileName, QString());  // never a.ras
    QCOMPARE(prompts.dialogs.at(1).state.initialDir, dir.filePath("scripts"));
    QCOMPARE(prompts.dialogs.at(2).state.fileName, dir.filePath("s.cfg"));  // where the last script went
    QCOMPARE(prompts.dialogs.at(3).state.fileName, dir.filePath("a.ras"));
    QVERIFY(QFile::exists(dir.filePath("s.cfg")));
}

QTEST_MAIN(GameMarksTest)
#include "tst_GameMarks.moc"
