#include "colors/ColorCodes.h"
#include "colors/ColorEditorDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

class ColorEditorDialogTest : public QObject {
    Q_OBJECT
private slots:
    void layout();
    void colorButtons_data();
    void colorButtons();
    void copyColoredText_data();
    void copyColoredText();
    void buttonOnEmptyBoxColorsWhatIsTyped();
    void closeButtonCloses();

private:
    static void select(QTextEdit *box, int from, int to);
};

void ColorEditorDialogTest::select(QTextEdit *box, int from, int to)
{
    QTextCursor cursor = box->textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    box->setTextCursor(cursor);
}

void ColorEditorDialogTest::layout()
{
    ColorEditorDialog dialog;
    QCOMPARE(dialog.objectName(), QStringLiteral("frmColorEditor"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Color name editor"));
    QVERIFY(dialog.isModal());
    auto *box = dialog.findChild<QTextEdit *>(QStringLiteral("txtPreview"));
    QVERIFY(box);
    QVERIFY(box->toPlainText().isEmpty());
    QCOMPARE(box->palette().color(QPalette::Base), QColor(128, 128, 128));
    QVERIFY(box->font().bold());
    QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("Label3"))->text(), QStringLiteral("Color your text here"));
    QCOMPARE(dialog.findChild<QPushButton *>(QStringLiteral("cmdClipboard"))->text(),
             QStringLiteral("Copy to clipboard"));
    QCOMPARE(dialog.findChild<QPushButton *>(QStringLiteral("cmdClose"))->text(), QStringLiteral("Close"));
    for (int index = 0; index < 9; ++index) {
        auto *button = dialog.findChild<QPushButton *>(QStringLiteral("cmdColor%1").arg(index));
        QVERIFY(button);
        QCOMPARE(QRect(button->mapTo(&dialog, QPoint()), button->size()), QRect(8 + 32 * index, 8, 25, 25));
    }
}

void ColorEditorDialogTest::colorButtons_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("code");
    // Button k applies code k + 1; the copy writes the code of the colour.
    const char *codes[] = {"1", "2", "3", "4", "5", "6", "7", "0", "1"};
    for (int index = 0; index < 9; ++index)
        QTest::addRow("button %d", index) << index << QString::fromLatin1(codes[index]);
}

void ColorEditorDialogTest::colorButtons()
{
    QFETCH(int, index);
    QFETCH(QString, code);
    ColorEditorDialog dialog;
    dialog.show();
    auto *box = dialog.findChild<QTextEdit *>(QStringLiteral("txtPreview"));
    box->setPlainText(QStringLiteral("abc"));
    select(box, 1, 2);
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("cmdColor%1").arg(index)), Qt::LeftButton);
    const QString middle = QStringLiteral("^") + code + QStringLiteral("b");
    const QString expected = code == QLatin1String("7") ? QStringLiteral("^7abc")
                                                         : QStringLiteral("^7a") + middle + QStringLiteral("^7c");
    QCOMPARE(dialog.codedText(), expected);
}

void ColorEditorDialogTest::copyColoredText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("copied");
    QTest::newRow("b red") << "abc" << 1 << 2 << 0 << "^7a^1b^7c";
    QTest::newRow("uncoloured text") << "name" << 0 << 0 << 0 << "^7name";
    QTest::newRow("end green") << "name" << 2 << 4 << 1 << "^7na^2me";
    QTest::newRow("black start keeps its code") << "abc" << 0 << 1 << 7 << "^0a^7bc";
    QTest::newRow("all red by the last button") << "abc" << 0 << 3 << 8 << "^1abc";
    QTest::newRow("empty box") << "" << 0 << 0 << 2 << "";
}

void ColorEditorDialogTest::copyColoredText()
{
    QFETCH(QString, text);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, button);
    QFETCH(QString, copied);
    ColorEditorDialog dialog;
    dialog.show();
    auto *box = dialog.findChild<QTextEdit *>(QStringLiteral("txtPreview"));
    box->setPlainText(text);
    if (to > from) {
        select(box, from, to);
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("cmdColor%1").arg(button)), Qt::LeftButton);
    }
    QApplication::clipboard()->setText(QStringLiteral("something else"));
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("cmdClipboard")), Qt::LeftButton);
    QCOMPARE(QApplication::clipboard()->text(), copied);
}

void ColorEditorDialogTest::buttonOnEmptyBoxColorsWhatIsTyped()
{
    ColorEditorDialog dialog;
    dialog.show();
    auto *box = dialog.findChild<QTextEdit *>(QStringLiteral("txtPreview"));
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("cmdColor1")), Qt::LeftButton);
    QTest::keyClicks(box, QStringLiteral("ab"));
    QCOMPARE(dialog.codedText(), QStringLiteral("^2ab"));
}

void ColorEditorDialogTest::closeButtonCloses()
{
    ColorEditorDialog dialog;
    dialog.show();
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("cmdClose")), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
}

QTEST_MAIN(ColorEditorDialogTest)
#include "tst_ColorEditorDialog.moc"
