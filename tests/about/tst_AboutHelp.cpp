#include "Version.h"
#include "about/AboutDialog.h"
#include "about/AboutText.h"
#include "about/Contact.h"
#include "about/HelpDialog.h"
#include "colors/ColorCodes.h"

#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

namespace {

// The colour of the first character of `piece` in the document.
QColor colorOf(const QTextDocument &document, const QString &piece)
{
    const QTextCursor found = document.find(piece, 0, QTextDocument::FindCaseSensitively);
    if (found.isNull())
        return QColor();
    QTextCursor cursor(found);
    cursor.setPosition(found.selectionStart() + 1);
    return cursor.charFormat().foreground().color();
}

} // namespace

class AboutHelpTest : public QObject {
    Q_OBJECT
private slots:
    void versionLine_data();
    void versionLine();
    void aboutText_data();
    void aboutText();
    void aboutWindow();
    void aboutLinkAndClose();
    void helpLinks_data();
    void helpLinks();
    void helpWindow();
    void copyContactNumber();

private:
    QList<QUrl> m_opened;
    LinkOpener m_opener = [this](const QUrl &url) { m_opened << url; };
};

void AboutHelpTest::versionLine_data()
{
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("patch");
    QTest::addColumn<QString>("line");
    QTest::newRow("this release") << 0 << 6 << 1 << "Version ^80.6.1";
    QTest::newRow("no leading zeros") << 1 << 10 << 0 << "Version ^81.10.0";
}

void AboutHelpTest::versionLine()
{
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, patch);
    QFETCH(QString, line);
    QCOMPARE(VersionLine(major, minor, patch), line);
}

void AboutHelpTest::aboutText_data()
{
    QTest::addColumn<QString>("piece");
    QTest::addColumn<QString>("code");
    QTest::newRow("name, first part") << "Marquee" << "1";
    QTest::newRow("name, rest") << "master" << "7";
    QTest::newRow("version numbers")
        << QStringLiteral("%1.%2.%3").arg(MARQUEE_VERSION_MAJOR).arg(MARQUEE_VERSION_MINOR).arg(MARQUEE_VERSION_PATCH)
        << "8";
    QTest::newRow("made by") << "Made by" << "8";
    QTest::newRow("maker") << Contact::MakerName << "7";
}

void AboutHelpTest::aboutText()
{
    QFETCH(QString, piece);
    QFETCH(QString, code);
    AboutDialog dialog(nullptr, m_opener);
    auto *preview = dialog.findChild<QTextEdit *>(QStringLiteral("txtPreview"));
    QVERIFY(preview);
    QCOMPARE(colorOf(*preview->document(), piece), ColorFromCode(code));
}

void AboutHelpTest::aboutWindow()
{
    AboutDialog dialog(nullptr, m_opener);
    QCOMPARE(dialog.objectName(), QStringLiteral("frmAbout"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("About Marqueemaster"));
    auto *preview = dialog.findChild<QTextEdit *>(QStringLiteral("txtPreview"));
    QVERIFY(preview->isReadOnly());
    QCOMPARE(preview->palette().color(QPalette::Base), QColor(128, 128, 128));
    QCOMPARE(preview->font().family(), QStringLiteral("Courier New"));
    const QString shown = preview->toPlainText();
    QVERIFY2(shown.contains(QStringLiteral("Version 0.6.1")), qPrintable(shown));
    QVERIFY(shown.contains(QStringLiteral("Made by ") + Contact::MakerName));
    QVERIFY(!shown.contains(QLatin1Char('^')));
}

void AboutHelpTest::aboutLinkAndClose()
{
    m_opened.clear();
    AboutDialog dialog(nullptr, m_opener);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *link = dialog.findChild<QLabel *>(QStringLiteral("Label1"));
    QCOMPARE(link->text(), Contact::WebPage);
    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(m_opened, QList<QUrl>{QUrl(Contact::WebPage)});

    auto *ok = dialog.findChild<QPushButton *>(QStringLiteral("cmdOK"));
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QVERIFY(ok->isDefault());
    QTest::keyClick(&dialog, Qt::Key_Escape);  // the cancel button too
    QVERIFY(!dialog.isVisible());
    dialog.show();
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(m_opened.size(), 1);
}

void AboutHelpTest::helpLinks_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QUrl>("url");
    QTest::newRow("help and tutorial") << "Label3" << "fraFAQ" << QUrl(Contact::WebPage);
    QTest::newRow("forums") << "Label4" << "Frame1" << QUrl(Contact::WebPage);
    QTest::newRow("mail") << "Label5" << "Frame2" << QUrl(QStringLiteral("mailto:") + Contact::Mail);
}

void AboutHelpTest::helpLinks()
{
    QFETCH(QString, label);
    QFETCH(QString, frame);
    QFETCH(QUrl, url);
    m_opened.clear();
    HelpDialog dialog(nullptr, m_opener);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *link = dialog.findChild<QLabel *>(label);
    QVERIFY(link);
    QCOMPARE(link->parentWidget()->objectName(), frame);
    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(m_opened, QList<QUrl>{url});
    // From the keyboard as well.
    link->setFocus();
    QTest::keyClick(link, Qt::Key_Space);
    QCOMPARE(m_opened, (QList<QUrl>{url, url}));
    QVERIFY(dialog.isVisible());
}

void AboutHelpTest::helpWindow()
{
    HelpDialog dialog(nullptr, m_opener);
    dialog.show();
    QCOMPARE(dialog.objectName(), QStringLiteral("frmHelp"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Help!!"));
    QCOMPARE(dialog.findChild<QGroupBox *>(QStringLiteral("fraFAQ"))->title(), QStringLiteral("Help + FAQ + Tutorial"));
    QCOMPARE(dialog.findChild<QGroupBox *>(QStringLiteral("Frame1"))->title(), QStringLiteral("Forums"));
    QCOMPARE(dialog.findChild<QGroupBox *>(QStringLiteral("Frame2"))->title(), QStringLiteral("Contact me"));
    QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("Label1"))->text(), QStringLiteral("Email"));
    QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("Label2"))->text(), QStringLiteral("ICQ"));
    auto *number = dialog.findChild<QLineEdit *>(QStringLiteral("Text4"));
    QVERIFY(number->isReadOnly());
    QCOMPARE(number->text(), Contact::Icq);
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
}

void AboutHelpTest::copyContactNumber()
{
    QGuiApplication::clipboard()->setText(QStringLiteral("something else\n"));
    HelpDialog dialog(nullptr, m_opener);
    dialog.show();
    auto *copy = dialog.findChild<QPushButton *>(QStringLiteral("Command5"));
    QCOMPARE(copy->text(), QStringLiteral("Copy to clipboard"));
    QTest::mouseClick(copy, Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), Contact::Icq);
    QVERIFY(dialog.isVisible());
}

QTEST_MAIN(AboutHelpTest)
#include "tst_AboutHelp.moc"
