#include "WidgetDriving.h"
#include "about/AboutDialog.h"
#include "about/HelpDialog.h"
#include "script/Contact.h"

#include <QClipboard>
#include <QTextEdit>

// control: none for the focus the window opens with; key 0: a click; after: "closed", "copied" or the address opened
struct KeyCase { bool help; QString control; int key; QString after; };

class AboutHelpTest : public QObject {
    Q_OBJECT
private slots:
    // The control gets the focus by Tab (none: the focus the window opens with) and the key is pressed, or it
    // is clicked (key 0). A link hands its address to the opener; nothing is started.
    void keys_data()
    {
        QTest::addColumn<KeyCase>("c");
        const QString web = Contact::WebPage, mail = QStringLiteral("mailto:") + Contact::Mail;
        QTest::newRow("about: Enter presses OK") << KeyCase{false, "", int(Qt::Key_Return), "closed"};
        QTest::newRow("about: Escape closes") << KeyCase{false, "", int(Qt::Key_Escape), "closed"};
        QTest::newRow("help: Enter presses Close") << KeyCase{true, "", int(Qt::Key_Return), "closed"};
        QTest::newRow("help: Enter on Copy copies") << KeyCase{true, "Command5", int(Qt::Key_Return), "copied"};
        QTest::newRow("help: Enter on a link") << KeyCase{true, "Label4", int(Qt::Key_Enter), web};
        QTest::newRow("help: Space on the mail link") << KeyCase{true, "Label5", int(Qt::Key_Space), mail};
        QTest::newRow("about: link clicked") << KeyCase{false, "Label1", 0, web};
        QTest::newRow("help: Copy clicked") << KeyCase{true, "Command5", 0, "copied"};
    }
    void keys()
    {
        QFETCH(KeyCase, c);
        auto [help, control, key, after] = c;
        QStringList opened;
        const LinkOpener opener = [&](const QUrl &link) { opened << link.toString(); };
        const std::unique_ptr<QDialog> dialog(help ? static_cast<QDialog *>(new HelpDialog(nullptr, opener)) : new AboutDialog(nullptr, opener));
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
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

    void aboutTextAndContactNumber()
    {
        QCOMPARE(VersionLine(0, 6, 1), QStringLiteral("Version ^80.6.1"));
        AboutDialog about(nullptr, {});
        const QString shown = about.findChild<QTextEdit *>(QStringLiteral("txtPreview"))->toPlainText();
        QVERIFY2(shown.contains(QStringLiteral("Made by ") + Contact::MakerName) && !shown.contains('^'), qPrintable(shown));
    }
};

QTEST_MAIN(AboutHelpTest)
#include "tst_AboutHelp.moc"
