#include "WindowUnderTest.h"

#include "about/AboutDialog.h"
#include "about/HelpBrowserWindow.h"
#include "about/HelpFacts.h"
#include "game/GameName.h"
#include "script/ScriptCheck.h"
#include "about/HelpDialog.h"
#include "script/Contact.h"

#include <QClipboard>
#include <QListWidget>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTextEdit>

class AboutAndHelpTest : public QObject {
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
        // how: keys pressed in the main window, "link" for the status bar's link on a marked line; then in the help
        // window: "search:words" typed (and Enter), "tab" to the first link of the page and Enter
        Columns<QStringList, QString, QStringList>("how", "page", "contents");
        QTest::newRow("F1: the first page") << QStringList{"F1"} << "first.html" << QStringList{};
        QTest::newRow("Help menu by keys") << QStringList{"Alt+H", "H"} << "first.html" << QStringList{};
        QTest::newRow("the ! link: the marks") << QStringList{"link"} << "marks.html" << QStringList{};
        QTest::newRow("search narrows the contents")
            << QStringList{"F1", "search:bind F5 lower case"} << "bind.html" << QStringList{"Binding it to a key"};
        QTest::newRow("search in any case") << QStringList{"F1", "search:UNNAMEDPLAYER"} << "marks.html"
                                            << QStringList{"What the ! marks mean"};
        QTest::newRow("a link to another page") << QStringList{"F1", "tab"} << "colors.html" << QStringList{};
    }
    void opensOnItsPage()
    {
        auto [steps, page, listed] = Fetch<QStringList, QString, QStringList>("how", "page", "contents");
        WindowUnderTest open;
        open.start({"Bo\\b", "fine"}, 1);
        auto *link = open.window.statusBar()->findChild<QLabel *>("lblMarkHelp");
        QVERIFY(!link->isVisible());  // only a marked line has it
        for (const QString &how : steps) {
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
        QCOMPARE(help->currentPage(), page);
        auto *contents = help->findChild<QListWidget *>("lstHelpContents");
        QCOMPARE(contents->currentItem()->data(Qt::UserRole).toString(), page);
        QStringList shown;
        for (int row = 0; row < contents->count(); ++row)
            if (!contents->item(row)->isHidden())
                shown << contents->item(row)->text();
        if (!listed.isEmpty())
            QCOMPARE(shown, listed);
        QVERIFY(!help->findChild<QTextBrowser *>("txtHelpPage")->toPlainText().isEmpty());
    }

    // The pages say what the program does: those on saving and binding name the chosen game's own folders on
    // this computer (and the search finds them by those names), the colour page's black codes are the name
    // rules', and the Time page's 1.5 is what the list's mark on that line says.
    void pagesSayWhatTheProgramDoes_data()
    {
        Columns<Game, QString, QString>("game", "folder", "config");  // folder: under the home folder
        QTest::newRow("RtCW 1.4") << Game::Rtcw << ".wolf/main" << "wolfconfig_mp.cfg";
        QTest::newRow("ioRTCW") << Game::IoRtcw << ".wolf/main" << "wolfconfig_mp.cfg";
        QTest::newRow("Enemy Territory") << Game::Et << ".etwolf/etmain" << "etconfig.cfg";
        QTest::newRow("ET: Legacy") << Game::EtLegacy << ".etlegacy/etmain" << "etconfig.cfg";
    }
    void pagesSayWhatTheProgramDoes()
    {
        auto [game, folder, config] = Fetch<Game, QString, QString>("game", "folder", "config");
        const GameFolders folders = GameFoldersOf(Games::Of(game), GamePlaces{HostOs::Linux, "/home/p", {}, {}});
        HelpBrowserWindow help;
        help.setFacts(HelpFactsOf(Games::Of(game), folders));
        auto *browser = help.findChild<QTextBrowser *>("txtHelpPage");
        const QString gameFolder = QDir::toNativeSeparators("/home/p/" + folder);
        help.showPage("script.html");
        QVERIFY2(browser->toPlainText().contains("Save starts in " + gameFolder + ";"), qPrintable(browser->toPlainText()));
        QVERIFY(browser->toPlainText().contains(QString(Games::Of(game).title) + " looks, first to last, in "
                                                + QDir::toNativeSeparators(folders.search.first().path)));
        help.showPage("colors.html");
        const bool blackRemoved = GameName::ShownBytes("^0a^1b", Games::Of(game)).shown == "a^1b";
        QCOMPARE(browser->toPlainText().contains(QString(Games::Of(game).title) + " the game removes a black code"), blackRemoved);
        QCOMPARE(browser->toPlainText().contains(QString(Games::Of(game).title) + " black stays in names"), !blackRemoved);
        help.showPage("time.html");
        const QString mark = PlayLines({{"a", "1.5", "set name"}}, 125, Games::Of(game)).marks.value(0).reason;
        QVERIFY2(!mark.isEmpty() && browser->toPlainText().simplified().contains(mark), qPrintable(mark));
        help.showPage("bind.html");
        QVERIFY(browser->toPlainText().contains(QDir::toNativeSeparators(gameFolder + "/autoexec.cfg") + ", the file "));
        QVERIFY(browser->toPlainText().contains("own configuration (" + config + ")"));
        auto *search = help.findChild<QLineEdit *>("txtHelpSearch");
        search->setText(QDir::fromNativeSeparators(folder).section('/', 0, 0));  // ".wolf", ".etwolf" …
        auto *contents = help.findChild<QListWidget *>("lstHelpContents");
        QStringList found;
        for (int row = 0; row < contents->count(); ++row)
            if (!contents->item(row)->isHidden())
                found << contents->item(row)->data(Qt::UserRole).toString();
        QVERIFY2(found.contains("bind.html") && found.contains("script.html"), qPrintable(found.join(' ')));
    }

    // The control gets the focus by Tab (none: the focus the window opens with) and the key is pressed, or it
    // is clicked (key 0). A link hands its address to the opener; nothing is started.
    void keys_data()
    {
        // control: none for the focus the window opens with; key 0: a click; after: "closed", "copied" or the address opened
        Columns<bool, QString, int, QString>("help", "control", "key", "after");
        const QString web = Contact::WebPage, mail = QStringLiteral("mailto:") + Contact::Mail;
        QTest::newRow("about: Enter presses OK") << false << "" << int(Qt::Key_Return) << "closed";
        QTest::newRow("about: Escape closes") << false << "" << int(Qt::Key_Escape) << "closed";
        QTest::newRow("help: Enter presses Close") << true << "" << int(Qt::Key_Return) << "closed";
        QTest::newRow("help: Enter on Copy copies") << true << "Command5" << int(Qt::Key_Return) << "copied";
        QTest::newRow("help: Enter on a link") << true << "Label4" << int(Qt::Key_Enter) << web;
        QTest::newRow("help: Return on a link") << true << "Label4" << int(Qt::Key_Return) << web;
        QTest::newRow("help: Space on the mail link") << true << "Label5" << int(Qt::Key_Space) << mail;
        QTest::newRow("about: link clicked") << false << "Label1" << 0 << web;
        QTest::newRow("help: Copy clicked") << true << "Command5" << 0 << "copied";
    }
    void keys()
    {
        auto [help, control, key, after] = Fetch<bool, QString, int, QString>("help", "control", "key", "after");
        QStringList opened;
        const LinkOpener opener = [&](const QUrl &link) { opened << link.toString(); };
        const std::unique_ptr<QDialog> dialog(help ? static_cast<QDialog *>(new HelpDialog(nullptr, opener)) : new AboutDialog(nullptr, opener));
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        if (!help) {  // who made it and its version, codes drawn, and the licence COPYING holds
            const QString shown = dialog->findChild<QTextEdit *>("txtPreview")->toPlainText();
            QVERIFY2(shown.contains("Made by " + Contact::MakerName) && !shown.contains('^'), qPrintable(shown));
            QCOMPARE(VersionLine(0, 6, 1), QStringLiteral("Version ^80.6.1"));
            QVERIFY(dialog->findChild<QLabel *>("lblLicence")->text().contains("GNU General Public License, version 3 or later"));
        }
        QApplication::clipboard()->clear();
        QWidget *target = control.isEmpty() ? QApplication::focusWidget() : dialog->findChild<QWidget *>(control);
        const QImage unfocused = target->grab().toImage();
        if (key == 0)
            QTest::mouseClick(target, Qt::LeftButton);
        QVERIFY(key == 0 ? QApplication::focusWidget() == target : TabTo(*dialog, target));
        QVERIFY2(control.isEmpty() || key == 0 || target->grab().toImage() != unfocused, "the focus can't be seen");
        if (key != 0)
            QTest::keyClick(target, Qt::Key(key));
        QCOMPARE(dialog->isVisible(), after != QLatin1String("closed"));
        QCOMPARE(QApplication::clipboard()->text(), after == QLatin1String("copied") ? Contact::Icq : QString());
        QCOMPARE(opened, after.contains(u':') ? QStringList{after} : QStringList{});
    }
};

QTEST_MAIN(AboutAndHelpTest)
#include "tst_AboutAndHelp.moc"
