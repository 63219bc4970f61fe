#include "WindowUnderTest.h"

#include "about/HelpBrowserWindow.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTreeView>

// how: keys pressed in the main window, "link" for the status bar's link on a marked line; then in the help
// window: "search:words" typed (and Enter), "tab" to the first link of the page and Enter
struct HelpCase { QStringList how; QString page; QStringList contents; };

class HelpWindowTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        for (QWidget *top : QApplication::topLevelWidgets())
            if (qobject_cast<HelpBrowserWindow *>(top))
                delete top;
    }

    static HelpBrowserWindow *helpWindow()
    {
        for (QWidget *top : QApplication::topLevelWidgets())
            if (auto *help = qobject_cast<HelpBrowserWindow *>(top); help && help->isVisible())
                return help;
        return nullptr;
    }

    void opensOnItsPage_data()
    {
        QTest::addColumn<HelpCase>("c");
        QTest::newRow("F1: the first page") << HelpCase{{"F1"}, "first.html", {}};
        QTest::newRow("Help menu by keys") << HelpCase{{"Alt+H", "H"}, "first.html", {}};
        QTest::newRow("the ! link: the marks") << HelpCase{{"link"}, "marks.html", {}};
        QTest::newRow("search narrows the contents") << HelpCase{{"F1", "search:bind F5 quotes"}, "bind.html", {"Binding it to a key"}};
        QTest::newRow("search in any case") << HelpCase{{"F1", "search:UNNAMEDPLAYER"}, "marks.html", {"What the ! marks mean"}};
        QTest::newRow("a link to another page") << HelpCase{{"F1", "tab"}, "colors.html", {}};
    }
    void opensOnItsPage()
    {
        QFETCH(HelpCase, c);
        WindowUnderTest open;
        open.window.model().appendLines({{"Bo\\b", "15", "set name"}, {"fine", "15", "set name"}});
        open.window.setCurrentRow(1);
        auto *link = open.window.statusBar()->findChild<QLabel *>("lblMarkHelp");
        QVERIFY(!link->isVisible());  // only a marked line has it
        for (const QString &how : c.how) {
            HelpBrowserWindow *help = helpWindow();
            if (help) {
                help->activateWindow();
                QTRY_COMPARE(QApplication::activeWindow(), help);
            }
            if (how == "link") {
                open.window.setCurrentRow(0);
                QVERIFY(link->isVisible());
                QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(link->fontMetrics().horizontalAdvance("! Wh"), link->height() / 2));
            } else if (how.startsWith("search:")) {
                QVERIFY(help);
                QTest::keySequence(help, QKeySequence("Alt+S"));
                QTest::keyClicks(QApplication::focusWidget(), how.mid(7));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            } else if (how == "tab") {
                QVERIFY(help);
                auto *browser = help->findChild<QTextBrowser *>("txtHelpPage");
                browser->setFocus();
                QTest::keyClick(browser, Qt::Key_Tab);
                QTest::keyClick(browser, Qt::Key_Return);
            } else {
                QTest::keySequence(QApplication::activePopupWidget() ? QApplication::activePopupWidget() : static_cast<QWidget *>(open.window.list()),
                                   QKeySequence(how));
            }
        }
        HelpBrowserWindow *help = helpWindow();
        QVERIFY(help);
        QCOMPARE(help->currentPage(), c.page);
        auto *contents = help->findChild<QListWidget *>("lstHelpContents");
        QCOMPARE(contents->currentItem()->data(Qt::UserRole).toString(), c.page);
        QStringList shown;
        for (int row = 0; row < contents->count(); ++row)
            if (!contents->item(row)->isHidden())
                shown << contents->item(row)->text();
        if (!c.contents.isEmpty())
            QCOMPARE(shown, c.contents);
        QVERIFY(!help->findChild<QTextBrowser *>("txtHelpPage")->toPlainText().isEmpty());
    }
};

QTEST_MAIN(HelpWindowTest)
#include "tst_HelpWindow.moc"
