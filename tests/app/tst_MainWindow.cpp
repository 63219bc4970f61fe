#include "WindowUnderTest.h"

#include "animation/PreviewPlayer.h"
#include "app/MainLayout.h"
#include "colors/ColorButtonsWidget.h"
#include "colors/MoreColorsButton.h"

#include <QTextCursor>

// Whole in the window, and not flush against its edge: there the black button reads as cut off.
static bool wholeIn(const QWidget *window, const QWidget *control)
{
    const QRect inWindow(control->mapTo(window, QPoint(0, 0)), control->size());
    return window->rect().adjusted(2, 2, -2, -2).contains(inWindow) && control->visibleRegion().boundingRect() == control->rect();
}

// button: a colour button or an entry of More colours; game: as chosen in Options, RtCW 1.4 when empty
struct ColourCase { QString text; int from; int to; QString button; QString expected; QString game = {}; };

// keys: as WindowUnderTest::use takes them, or "preview:" keys pressed in the preview box; after: the lines and
// current row ("" for unchanged), or the window that opened; before: the lines, with the current row; preview: what
// the box shows afterwards, when given
struct MenuKeyCase { QString keys; QString after; int currentAfter; QString opened; QString before = "A,B,C"; int current = 1;
    QString preview = {}; };

// The main window driven as a user drives it: toolbar, menus, keys, preview box.
class MainWindowTest : public WindowTest {
    Q_OBJECT
private slots:

    void colourButtonsWriteCodes_data()
    {
        QTest::addColumn<ColourCase>("c");
        QTest::newRow("last two green") << ColourCase{"name", 2, 4, "cmdColor1", "na^2me"};
        QTest::newRow("back to white") << ColourCase{"na^2me", 2, 4, "cmdColor6", "name"};
        QTest::newRow("first green") << ColourCase{"name", 0, 1, "cmdColor1", "^2n^7ame"};
        QTest::newRow("black button gives zero") << ColourCase{"ab", 1, 2, "cmdColor7", "a^0b"};
        QTest::newRow("empty preview does nothing") << ColourCase{"", 0, 0, "cmdColor0", ""};
        QTest::newRow("ET: the last button is orange") << ColourCase{"ab", 1, 2, "cmdColor7", "a^8b", "et"};
        QTest::newRow("ET: More colours, never ^;") << ColourCase{"^;a^Tb", 0, 1, "mnuColor12", "^<a^4b", "et"};
        QTest::newRow("ET: Legacy: black from More colours") << ColourCase{"ab", 0, 1, "mnuColor0", "^0a^7b", "etlegacy"};
        QTest::newRow("by keys: Right, Space") << ColourCase{"name", 2, 4, "keys:Right,Space", "na^2me"};
        QTest::newRow("by keys: Left wraps to the last, Enter") << ColourCase{"ab", 1, 2, "keys:Left,Return", "a^0b"};
        QTest::newRow("ET: More colours by keys") << ColourCase{"ab", 1, 2, "more:Space,Down,Down,Return", "a^1b", "et"};
    }

    void colourButtonsWriteCodes()
    {
        QFETCH(ColourCase, c);
        auto [text, from, to, button, expected, game] = c;
        open->applySettings({"Game=" + game});
        open->start({"other", text}, 1);
        open->use("mnuEditShowColors");
        if (auto *more = window->findChild<QToolButton *>("cmdMoreColors"); game.startsWith("et"))  // 32 colours: More whole
            QVERIFY(more->isVisible() && more->width() >= more->sizeHint().width() && wholeIn(window, more));
        QTextCursor cursor = window->previewBox()->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        window->previewBox()->setTextCursor(cursor);
        if (button.contains(':')) {  // by keys: into the row of buttons, or on to More colours
            window->previewBox()->setFocus();
            QWidget *row = window->findChild<ColorButtonsWidget *>();
            QVERIFY(TabTo(*window, button.startsWith("more:") ? window->findChild<MoreColorsButton *>() : row));
            if (button.startsWith("more:")) {  // Space opens the menu, whose loop waits for the keys after it
                QTimer::singleShot(50, window, [keys = button.section(',', 1)] { PressKeys(keys); });
                PressKeys(button.section(':', 1).section(',', 0, 0));
            } else {
                PressKeys(button.section(':', 1));
            }
        } else {
            open->use(button);
        }
        QCOMPARE(open->texts(), (QStringList{"other", expected}));
    }

    // What the first start shows: the hint in the empty list, every colour button whole at the default size, and
    // the colour panel beside the preview, which makes room for it and gets it back.
    void firstStart_data()
    {
        QTest::addColumn<int>("width");
        QTest::newRow("default size") << 0;
        QTest::newRow("1000 wide") << 1000;
    }
    void firstStart()
    {
        QFETCH(int, width);
        auto *hint = window->list()->findChild<QLabel *>("lblEmptyHint");
        QVERIFY(hint && hint->isVisible());
        QCOMPARE(hint->text(), QStringLiteral("Start with the Wizard (Ctrl+W), or add a line (Insert)"));
        QCOMPARE(hint->geometry().center(), window->list()->viewport()->rect().center());
        if (width)
            window->resize(width, window->height());
        auto *panel = window->findChild<QWidget *>("picColors");
        const int fullWidth = window->previewBox()->width();
        QVERIFY(!panel->isVisible());
        open->use("keys:Alt+E,L");
        QVERIFY(panel->isVisible() && window->findChild<QAction *>("mnuEditShowColors")->isChecked());
        QCOMPARE(window->previewBox()->width(), fullWidth - MainLayoutMetrics::PanelWidth);
        QCOMPARE(panel->x(), window->previewBox()->geometry().right() + 1);
        for (int i = 0; i < 8; ++i) {
            auto *button = window->findChild<QWidget *>(QStringLiteral("cmdColor%1").arg(i));
            QVERIFY2(button->isVisible() && wholeIn(window, button), qPrintable(QStringLiteral("colour button %1 is cut off").arg(i)));
        }
        window->resize(window->width() + 100, window->height());
        QTRY_COMPARE(window->previewBox()->width(), fullWidth + 100 - MainLayoutMetrics::PanelWidth);
        QCOMPARE(panel->width(), MainLayoutMetrics::PanelWidth);
        open->use("keys:Alt+E,L");
        QVERIFY(!panel->isVisible());
        QCOMPARE(window->previewBox()->width(), fullWidth + 100);
        QTest::keyClick(window->list(), Qt::Key_Insert);
        QVERIFY(!hint->isVisible());
        window->resize(200, window->height());
        QVERIFY(window->width() >= MainLayoutMetrics::MinimumOuterWidth);
        // A window too low for the list keeps the list's last height.
        QCOMPARE(LayOutMainWindow(QSize(600, 20), false, 77).list.height(), 77);
    }

    // Show colors, the list's codes and the wizard's style, set by keys, and the window's place are there at the
    // next start.
    void rememberedAtNextStart_data()
    {
        Columns<QString, QString>("keys", "remembered");
        QTest::newRow("Show colors on") << "Alt+E,L" << "picColors";
        QTest::newRow("Show codes in the list off") << "Alt+V,C" << "mnuViewShowCodes";
        QTest::newRow("advanced wizard") << "Ctrl+W,Return,Down,Escape" << "optWizStyle1";
        QTest::newRow("nothing changed") << "" << "";
    }
    void rememberedAtNextStart()
    {
        const auto [keys, remembered] = Fetch<QString, QString>("keys", "remembered");
        PressKeys(keys.section(u',', 0, 0));
        if (keys.startsWith("Ctrl+W"))
            QTRY_VERIFY(QApplication::activeWindow() && QApplication::activeWindow()->objectName() == "frmWizard");
        PressKeys(keys.section(u',', 1));
        window->activateWindow();  // the closed wizard had the keyboard
        QTRY_COMPARE(QApplication::activeWindow(), window);
        window->setGeometry(120, 90, 700, 520);
        QTest::keySequence(window->list(), QKeySequence("Ctrl+Q"));
        QVERIFY(!window->isVisible());
        open->store.reopen();
        MainWindow next(*open->store.store);
        QVERIFY(next.restoreWindowGeometry());
        QCOMPARE(next.geometry(), QRect(120, 90, 700, 520));
        next.show();
        QCOMPARE(next.findChild<QWidget *>("picColors")->isVisible(), remembered == "picColors");
        QCOMPARE(next.findChild<QAction *>("mnuEditShowColors")->isChecked(), remembered == "picColors");
        QCOMPARE(next.findChild<QAction *>("mnuViewShowCodes")->isChecked(), remembered != "mnuViewShowCodes");
        next.setPrompts(&open->prompts);
        ClickEntry(next, "btnwizard");
        QWidget *wizard = nullptr;
        QTRY_VERIFY((wizard = QApplication::activeWindow()) && wizard->objectName() == "frmWizard");
        QCOMPARE(wizard->findChild<QAbstractButton *>("optWizStyle1")->isChecked(), remembered == "optWizStyle1");
        delete wizard;
    }

    // The preview keeps the game's grey under a dark palette or a style sheet that paints text boxes dark.
    void backdropUnderDarkThemes_data()
    {
        Columns<bool, QString>("darkPalette", "styleSheet");
        QTest::newRow("dark palette") << true << "";
        QTest::newRow("dark style sheet") << false << "QTextEdit { background-color: #101010; color: #e0e0e0; }";
        QTest::newRow("both") << true << "QTextEdit { background: rgb(20, 20, 20); }";
    }
    void backdropUnderDarkThemes()
    {
        const auto [darkPalette, styleSheet] = Fetch<bool, QString>("darkPalette", "styleSheet");
        const QPalette oldPalette = QApplication::palette();
        QPalette dark = oldPalette;
        dark.setColor(QPalette::Base, QColor(25, 25, 25));
        dark.setColor(QPalette::Text, QColor(230, 230, 230));
        if (darkPalette)
            QApplication::setPalette(dark);
        qApp->setStyleSheet(styleSheet);
        open->start({"^4ab"});
        const QImage shown = window->previewBox()->viewport()->grab().toImage();
        qApp->setStyleSheet(QString());
        QApplication::setPalette(oldPalette);
        QCOMPARE(shown.pixelColor(shown.width() - 5, shown.height() / 2), QColor(128, 128, 128));
        QCOMPARE(shown.pixelColor(2, 2), QColor(128, 128, 128));
    }

    // The Animation menu's entries by their keys, from the focus the window starts with, and entries clicked.
    void animationMenuKeys_data()
    {
        QTest::addColumn<MenuKeyCase>("c");
        QTest::newRow("button adds after") << MenuKeyCase{"btnadd", "A,B,Text,C", 1, ""};
        QTest::newRow("before selection") << MenuKeyCase{"btnaddbefore", "A,Text,B,C", 2, ""};
        QTest::newRow("after selection") << MenuKeyCase{"btnaddafter", "A,B,Text,C", 1, ""};
        QTest::newRow("empty list") << MenuKeyCase{"btnaddbefore", "Text", 0, "", "", -1};
        QTest::newRow("no current line") << MenuKeyCase{"btnadd", "A", -1, "", "A", -1};
        for (const char *entry : {"btngenerate=frmScript", "btnedittime=frmEdit", "mnuHelpColor=frmColorEditor",
                                  "mnuEditOptions=frmOptions", "mnuHelpHelp=frmHelp", "mnuHelpAbout=frmAbout"})
            QTest::addRow("%s", entry) << MenuKeyCase{QString(entry).section(u'=', 0, 0), "", 1,
                                                      QString(entry).section(u'=', 1)};
        QTest::newRow("Insert adds after") << MenuKeyCase{"keys:Insert", "A,B,Text,C", 1, ""};
        QTest::newRow("Alt+A,B adds before") << MenuKeyCase{"keys:Alt+A,B", "A,Text,B,C", 2, ""};
        QTest::newRow("Delete removes") << MenuKeyCase{"keys:Delete", "A,C", 1, ""};
        QTest::newRow("Delete on an empty list") << MenuKeyCase{"keys:Delete", "", -1, "", "", -1};
        QTest::newRow("Ctrl+Down moves down") << MenuKeyCase{"keys:Ctrl+Down", "A,C,B", 2, ""};
        QTest::newRow("Ctrl+Up twice stops at the top") << MenuKeyCase{"keys:Ctrl+Up,Ctrl+Up", "B,A,C", 0, ""};
        QTest::newRow("Alt+A,D moves down") << MenuKeyCase{"keys:Alt+A,D", "A,C,B", 2, ""};
        QTest::newRow("F2 edits") << MenuKeyCase{"keys:F2", "", 1, "frmEdit"};
        QTest::newRow("Enter edits") << MenuKeyCase{"keys:Return", "", 1, "frmEdit"};
        QTest::newRow("Ctrl+G generates") << MenuKeyCase{"keys:Ctrl+G", "", 1, "frmScript"};
        QTest::newRow("Alt+A,Z colorizes") << MenuKeyCase{"keys:Alt+A,Z", "", 1, "frmColorize"};
        QTest::newRow("Alt+A,X asks how often") << MenuKeyCase{"keys:Alt+A,X", "", 1, "input"};
        QTest::newRow("Alt+A,C randomizes") << MenuKeyCase{"keys:Alt+A,C", "A,b,C", 1, ""};
        QTest::newRow("F5 plays") << MenuKeyCase{"keys:F5", "", 1, "Stop"};
        QTest::newRow("Space plays") << MenuKeyCase{"keys:Space", "", 1, "Stop"};
        QTest::newRow("Alt+A,P plays") << MenuKeyCase{"keys:Alt+A,P", "", 1, "Stop"};
        // Typing in the preview box: Delete and Space are the box's keys, not the list's.
        QTest::newRow("Delete in the preview box") << MenuKeyCase{"preview:Home,Delete", "A,,C", 1, ""};
        QTest::newRow("Space in the preview box") << MenuKeyCase{"preview:Space", "A,B ,C", 1, ""};
        QTest::newRow("Ctrl alone there gives the keys back to the list") << MenuKeyCase{"preview:Control,Delete", "A,C", 1, ""};
        QTest::newRow("cut shows the next line") << MenuKeyCase{"keys:Ctrl+X", "A,C", 1, "", "A,B,C", 1, "C"};
        QTest::newRow("default name") << MenuKeyCase{"mnuEditPasteDefaultName", "A,B,^4Bob,C", 1, "", "A,B,C", 1, "B"};
    }
    void animationMenuKeys()
    {
        QFETCH(MenuKeyCase, c);
        QCOMPARE(QApplication::focusWidget(), window->list());
        open->applySettings({"Name=^4Bob"});
        window->model().appendLines(LinesFromTexts(c.before.split(u',', Qt::SkipEmptyParts)));
        window->list()->setCurrentIndex(c.current < 0 ? QModelIndex() : window->model().index(c.current, 0));
        QStringList opened;
        open->onDialog = [&](QDialog &dialog) { opened << dialog.objectName(); };
        if (c.keys.startsWith("preview:")) {
            window->previewBox()->setFocus();
            window->previewBox()->moveCursor(QTextCursor::End);
            PressKeys(c.keys.mid(8));
        } else {
            open->use(c.keys);
        }
        if (!open->prompts.inputPrompts.isEmpty())
            opened << "input";
        if (window->findChild<QToolButton *>("btnpreview")->text() == "Stop")
            opened << "Stop";
        QCOMPARE(opened.join(u','), c.opened);
        if (c.keys == "keys:Alt+A,C")  // random case: only the letters' case may change
            QCOMPARE(open->texts().join(u',').toLower(), c.after.toLower());
        else
            QCOMPARE(open->texts().join(u','), c.after.isEmpty() ? c.before : c.after);
        QCOMPARE(window->currentRow().value_or(-1), c.currentAfter);
        if (c.after.contains("Text"))  // a new line is ("Text", "15", "set name")
            QCOMPARE(window->model().line(c.after.split(u',').indexOf("Text")), AnimationLine());
        if (c.opened.isEmpty())
            QVERIFY(open->prompts.messages.isEmpty());
        if (!c.preview.isEmpty())
            QCOMPARE(window->previewBox()->toPlainText(), c.preview);
    }

    void playSwitchesCaptionAndButtons()
    {
        auto *play = window->findChild<QToolButton *>("btnpreview");
        open->use("btnpreview");
        QCOMPARE(open->prompts.messageTexts(), QStringList{"There is no animation to play!"});
        window->model().appendLines({{"^1one", "15", "set name"}, {"two", "5", "say"}});
        open->use("btnpreview");
        QCOMPARE(play->text(), QStringLiteral("Stop"));
        // Adding and removing lines is greyed everywhere: the buttons, their menus and the keys.
        const QStringList greyed{"btnadd", "btnremove", "mnuAnimAdd", "mnuAnimAddBefore", "mnuAnimRemove", "mnuAnimCopyTimes", "btndeleteall"};
        const auto enabled = [&](const QString &name) { return window->findChild<QObject *>(name)->property("enabled").toBool(); };
        for (const QString &name : greyed)
            QVERIFY2(!enabled(name), qPrintable(name));
        QVERIFY(enabled("mnuAnimEdit") && enabled("btnedit"));
        window->list()->setCurrentIndex(window->model().index(0, 0));
        for (Qt::Key key : {Qt::Key_Insert, Qt::Key_Delete})
            QTest::keyClick(window->list(), key);
        QCOMPARE(open->texts(), (QStringList{"^1one", "two"}));
        window->player().tick();
        QCOMPARE(window->previewBox()->toPlainText(), QStringLiteral("one"));
        window->player().tick();
        QCOMPARE(window->previewBox()->toPlainText(), QStringLiteral("!! two"));
        QCOMPARE(play->text(), QStringLiteral("Play"));
        for (const QString &name : greyed)
            QVERIFY2(enabled(name), qPrintable(name));
        QVERIFY(!window->previewUpdating());
        // The last frame stays a moment, read-only; then the box shows the current line again.
        QTest::keyClicks(window->previewBox(), "typed");
        QCOMPARE(open->texts(), (QStringList{"^1one", "two"}));
        QTRY_COMPARE(window->previewBox()->toPlainText(), QStringLiteral("one"));
        QVERIFY(!window->previewBox()->isReadOnly());
        // The first frame of a new play waits as long as the last frame of the play before.
        open->use("btnpreview");
        QCOMPARE(window->player().timer()->interval(), 50);
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_MainWindow.moc"
