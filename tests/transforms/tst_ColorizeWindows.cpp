#include "WidgetDriving.h"
#include "WindowUnderTest.h"

#include "colors/ColorEditorDialog.h"

#include <QPushButton>
#include <QTextEdit>

namespace {

// Steps on the Colorize dialog: "Down" (a key on the pattern box), "=text"
// (typed into the colours box), or a control to click.
void drive(QDialog &dialog, const QStringList &steps)
{
    for (const QString &step : steps) {
        if (step == QLatin1String("Down")) {
            QTest::keyClick(dialog.findChild<QComboBox *>("cmbPattern"), Qt::Key_Down);
        } else if (step.startsWith(u'=')) {
            auto *box = dialog.findChild<QLineEdit *>("txtColors");
            QTest::mouseClick(box, Qt::LeftButton);
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(box, step.mid(1));
        } else {
            ClickNamed(dialog, step);
        }
    }
}

} // namespace

// steps: blank apart; game: what the player sees
struct DropDownCase { QString text; QString steps; QString expected; QString bytes; QString game; };

class ColorizeWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void fromTheEditDropDown_data()
    {
        QTest::addColumn<DropDownCase>("c");
        auto row = [](const char *tag) -> QTestData & { return QTest::newRow(tag); };
        row("rainbow at once") << DropDownCase{"ab cd", "cmdOK", "^1a^3b ^2c^5d", "13 of 35 bytes", "ab cd"};
        row("alternate by word") << DropDownCase{"ab cd", "Down chkByWord cmdOK", "^1ab ^4cd", "9 of 35 bytes", "ab cd"};
        row("gradient, typed colours") << DropDownCase{"^3ab cd", "Down Down =2,6 cmdOK", "^2ab ^6cd", "9 of 35 bytes",
            "ab cd"};
        row("colour button starts the rainbow") << DropDownCase{"ab", "cmdColor3 cmdOK", "^4a^6b", "6 of 35 bytes", "ab"};
        row("unfitted name is cut by the game") << DropDownCase{"abcdefghijklmno", "chkFit cmdOK",
            "^1a^3b^2c^5d^4e^6f^1g^3h^2i^5j^4k^6l^1m^3n^2o", "45 of 35 bytes: too long, the game cuts it", "abcdefghijk"};
        row("cancel") << DropDownCase{"ab", "Down cmdCancel", "ab", "6 of 35 bytes", "ab"};
        row("black can't be chosen") << DropDownCase{"ab", "=1,0 cmdOK cmdCancel", "ab",
            "Colours are 1 to 7 (the server removes black, 0).", "ab"};
    }

    void fromTheEditDropDown()
    {
        QFETCH(DropDownCase, c);
        const auto &[text, steps, expected, bytes, game] = c;
        const QStringList keys = steps.split(u' ');  // (a lambda can't capture a structured binding in clang 14)
        WindowUnderTest open;
        MainWindow &window = open.window;
        QString shownBytes, gameText;
        open.onDialog = [&](QDialog &dialog) {
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            drive(dialog, keys);
            shownBytes = dialog.findChild<QLabel *>("lblBytes")->text();
            gameText = dialog.findChild<QTextEdit *>("txtGame")->toPlainText();
        };
        window.model().appendLines(LinesFromTexts({"other", text}));
        window.setCurrentRow(1);
        ClickEntry(window, QStringLiteral("btneditcolorize"));  // in the Edit drop-down
        QCOMPARE(TextsOf(window.model()), (QStringList{"other", expected}));
        QCOMPARE(shownBytes, bytes);
        QCOMPARE(gameText, game);
        QVERIFY(open.prompts.messages.isEmpty());
    }

    void fromTheColorNameEditor()
    {
        ColorEditorDialog editor;
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QTest::keyClicks(editor.findChild<QTextEdit *>("txtPreview"), "ab c");
        QTimer::singleShot(0, &editor, [] {
            QWidget *dialog = QApplication::activeModalWidget();
            QVERIFY(dialog && dialog->objectName() == QLatin1String("frmColorize"));
            QTest::keyClick(dialog->findChild<QComboBox *>("cmbPattern"), Qt::Key_Down);
            QTest::mouseClick(dialog->findChild<QPushButton *>("cmdOK"), Qt::LeftButton);
        });
        QTest::mouseClick(editor.findChild<QPushButton *>("cmdColorize"), Qt::LeftButton);
        QCOMPARE(editor.codedText(), QStringLiteral("^1a^4b ^1c"));
    }
};

QTEST_MAIN(ColorizeWindowsTest)
#include "tst_ColorizeWindows.moc"
