#include "WindowUnderTest.h"

#include "colors/PreviewBoxWidget.h"
#include "animation/PreviewPlayer.h"
#include "wizard/WizardWindow.h"

#include <QClipboard>
#include <QPointer>
#include <QTreeView>
#include <QTreeWidget>

// answer: typed into the input box, or put on the clipboard; texts: afterwards, "|"-separated
struct CommandCase { QString press; QString answer; QString texts; QString preview; };

// What a user notices of the main window when driving it by toolbar, menus, keys and mouse.
class WindowGuardsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowUnderTest> m_open;
    MainWindow *m_window = nullptr;

    void open(bool multiSelect = false)
    {
        m_open = std::make_unique<WindowUnderTest>();
        m_open->applySettings({multiSelect ? "MultiSelect=1" : "MultiSelect=0", "Name=^4Bob"});
        m_window = &m_open->window;
    }
    void clickRow(int row, Qt::KeyboardModifiers modifiers = {})
    {
        QTreeView *list = m_window->list();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, list->visualRect(m_window->model().index(row, 0)).center());
    }
    // A toolbar button ("btnpreview"), an entry of a toolbar drop-down or menu ("btnadd/btncopylastx",
    // "mnuEdit/mnuEditPaste/mnuEditPasteDefaultName"), or keys ("Ctrl+X").
    void press(const QString &what)
    {
        const QStringList path = what.split(u'/');
        if (path.size() == 1 && what.at(0).isUpper())
            return QTest::keySequence(m_window->list(), QKeySequence(what));
        if (path.size() == 1)
            return QTest::mouseClick(m_window->findChild<QToolButton *>(what), Qt::LeftButton, {}, QPoint(8, 8));
        auto *button = m_window->findChild<QToolButton *>(path.first());
        QMenu *menu = button ? button->menu() : m_window->findChild<QMenu *>(path.first());
        menu->popup(button ? button->mapToGlobal(QPoint(0, button->height())) : m_window->menuBar()->mapToGlobal(QPoint()));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        for (const QString &name : path.mid(1)) {
            QMenu *sub = m_window->findChild<QMenu *>(name);  // a submenu opens on its entry
            QAction *action = sub ? sub->menuAction() : m_window->findChild<QAction *>(name);
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
            if (sub) {
                QTRY_VERIFY(sub->isVisible());
                menu = sub;
            }
        }
    }

private slots:
    void cleanup() { m_open.reset(); }

    // On the lines "^1A", "B", "^2C" with "B" current; the preview box shows the text without codes.
    void commands_data()
    {
        QTest::addColumn<CommandCase>("c");
        QTest::newRow("copy x times, three") << CommandCase{"btnadd/btncopylastx", "3", "^1A|B|^2C|B|B|B", "B"};
        QTest::newRow("cut shows the next line") << CommandCase{"Ctrl+X", "", "^1A|^2C", "C"};
        QTest::newRow("paste") << CommandCase{"Ctrl+V", "^3P", "^1A|B|^3P|^2C", "B"};
        QTest::newRow("default name") << CommandCase{"mnuEdit/mnuEditPaste/mnuEditPasteDefaultName", "", "^1A|B|^4Bob|^2C", "B"};
        QTest::newRow("remove shows the new current line") << CommandCase{"btnremove", "", "^1A|^2C", "C"};
        QTest::newRow("new empties the box") << CommandCase{"btnnew", "", "", "Preview"};
    }
    void commands()
    {
        QFETCH(CommandCase, c);
        auto [press, answer, texts, preview] = c;
        open();
        m_window->model().appendLines(LinesFromTexts({"^1A", "B", "^2C"}));
        clickRow(1);
        m_open->prompts.inputAnswers = {answer};
        m_open->prompts.answers = {PromptAnswer::Discard};  // New asks about the lines just added
        QApplication::clipboard()->setText(answer);
        this->press(press);
        QTRY_COMPARE(TextsOf(m_window->model()).join(u'|'), texts);
        QCOMPARE(m_window->previewBox()->toPlainText(), preview);
    }

    // With multi-select on, a shift-click highlights the rows between; off, one row.
    void multiSelect()
    {
        for (bool multiSelect : {true, false}) {
            open(multiSelect);
            m_window->model().appendLines(LinesFromTexts({"A", "B", "C", "D"}));
            clickRow(0);
            clickRow(2, Qt::ShiftModifier);
            QCOMPARE(m_window->list()->selectionModel()->selectedRows().size(), multiSelect ? 3 : 1);
            QCOMPARE(m_window->previewBox()->toPlainText(), QStringLiteral("C"));
        }
    }

    // A second press brings the open wizard forward; after Finish the next one starts afresh.
    void wizardOpensOnceAndFreshAfterFinish()
    {
        open();
        const auto wizards = [] {
            QList<WizardWindow *> shown;
            for (QWidget *widget : QApplication::topLevelWidgets())
                if (auto *wizard = qobject_cast<WizardWindow *>(widget); wizard && wizard->isVisible())
                    shown << wizard;
            return shown;
        };
        press("btnwizard");
        press("btnwizard");
        QCOMPARE(wizards().size(), 1);
        QPointer<WizardWindow> first = wizards().first();
        for (int page = 1; page < WizardWindow::PageCount; ++page)
            QTest::mouseClick(first->findChild<QWidget *>("cmdNext"), Qt::LeftButton);
        QTest::mouseClick(first->findChild<QWidget *>("cmdAddEffect"), Qt::LeftButton);
        QTest::mouseClick(first->findChild<QWidget *>("cmdNext"), Qt::LeftButton);  // Finish
        QTRY_VERIFY(!first);  // closed for good
        press("btnwizard");
        QCOMPARE(wizards().size(), 1);
        QCOMPARE(wizards().first()->currentPage(), 1);
        QCOMPARE(wizards().first()->findChild<QTreeWidget *>("lvwEffects")->topLevelItemCount(), 0);
        wizards().first()->close();
    }

    // The first frame of a new play waits as long as the last frame of the play before.
    void newPlayStartsAtTheLastPace()
    {
        open();
        m_window->model().appendLines({{"a", "15", "set name"}, {"b", "45", "set name"}});
        QTimer *timer = m_window->player().timer();
        press("btnpreview");
        const int first = timer->interval();
        QTRY_VERIFY_WITH_TIMEOUT(!m_window->player().isPlaying(), 3000);
        QCOMPARE(timer->interval(), 600);
        press("btnpreview");
        QCOMPARE(timer->interval(), 600);
        press("btnpreview");  // stop
        QCOMPARE(first, 100);
    }
};

QTEST_MAIN(WindowGuardsTest)
#include "tst_WindowGuards.moc"
