#include "about/AboutDialog.h"
#include "about/Contact.h"
#include "about/HelpDialog.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>
#include <QTextEdit>

class AboutHelpTest : public QObject {
    Q_OBJECT
private slots:
    // A click on a link hands its address to the opener; nothing is started.
    void links_data()
    {
        QTest::addColumn<bool>("help");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QUrl>("url");
        QTest::newRow("about: web page") << false << "Label1" << QUrl(Contact::WebPage);
        QTest::newRow("help and tutorial") << true << "Label3" << QUrl(Contact::WebPage);
        QTest::newRow("forums") << true << "Label4" << QUrl(Contact::WebPage);
        QTest::newRow("mail") << true << "Label5" << QUrl(QStringLiteral("mailto:") + Contact::Mail);
    }
    void links()
    {
        QFETCH(bool, help);
        QFETCH(QString, label);
        QFETCH(QUrl, url);
        QList<QUrl> opened;
        const LinkOpener opener = [&](const QUrl &link) { opened << link; };
        const std::unique_ptr<QDialog> dialog(help ? static_cast<QDialog *>(new HelpDialog(nullptr, opener)) : new AboutDialog(nullptr, opener));
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QTest::mouseClick(dialog->findChild<QWidget *>(label), Qt::LeftButton);
        QCOMPARE(opened, QList<QUrl>{url});
    }

    void aboutTextAndContactNumber()
    {
        QCOMPARE(VersionLine(0, 6, 1), QStringLiteral("Version ^80.6.1"));
        AboutDialog about(nullptr, {});
        const QString shown = about.findChild<QTextEdit *>(QStringLiteral("txtPreview"))->toPlainText();
        QVERIFY2(shown.contains(QStringLiteral("Made by ") + Contact::MakerName) && !shown.contains('^'), qPrintable(shown));
        HelpDialog help(nullptr, {});
        help.show();
        QTest::mouseClick(help.findChild<QWidget *>(QStringLiteral("Command5")), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), Contact::Icq);  // the number alone
    }
};

QTEST_MAIN(AboutHelpTest)
#include "tst_AboutHelp.moc"
