#include "animation/EditLineDialog.h"
#include "animation/LineEditRules.h"
#include "animation/AnimationModel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

struct Opened {
    AnimationModel model;
    std::unique_ptr<EditLineDialog> dialog;
    QLineEdit *time = nullptr;
    QComboBox *action = nullptr;

    Opened(const QString &timeText, const QString &actionText)
    {
        model.setLines({AnimationLine{QStringLiteral("A"), QStringLiteral("15"), QStringLiteral("say")},
                        AnimationLine{QStringLiteral("B"), timeText, actionText},
                        AnimationLine{QStringLiteral("C"), QStringLiteral("30"), QStringLiteral("echo")}});
        dialog = std::make_unique<EditLineDialog>(model, 1);
        time = dialog->findChild<QLineEdit *>(QStringLiteral("txtTime"));
        action = dialog->findChild<QComboBox *>(QStringLiteral("cmbAction"));
    }
    bool showActive()
    {
        dialog->show();
        dialog->activateWindow();
        return QTest::qWaitForWindowActive(dialog.get());
    }
};

} // namespace

class EditLineDialogTest : public QObject {
    Q_OBJECT
private slots:
    void checkedTime_data();
    void checkedTime();
    void actionIndex_data();
    void actionIndex();
    void window();
    void opening_data();
    void opening();
    void typing_data();
    void typing();
    void confirming_data();
    void confirming();
    void tabOrder();
};

void EditLineDialogTest::checkedTime_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("kept");
    QTest::newRow("number") << "15" << "15";
    QTest::newRow("blanks and fraction stay") << " 7.5 " << " 7.5 ";
    QTest::newRow("trailing dot") << "15." << "15.";
    QTest::newRow("negative") << "-3" << "-3";
    QTest::newRow("empty") << "" << "20";
    QTest::newRow("word") << "fast" << "20";
    QTest::newRow("sign alone") << "-" << "20";
    QTest::newRow("too large") << "40000" << "20";
    QTest::newRow("letter after number") << "15a" << "20";
}

void EditLineDialogTest::checkedTime()
{
    QFETCH(QString, text);
    QFETCH(QString, kept);
    QCOMPARE(CheckedTime(text), kept);
}

void EditLineDialogTest::actionIndex_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("index");
    QTest::newRow("set name") << "set name" << 0;
    QTest::newRow("say") << "say" << 1;
    QTest::newRow("say in capitals") << "SAY" << 1;
    QTest::newRow("mixed case say_team") << "Say_Team" << 2;
    QTest::newRow("vsay") << "vsay" << 3;
    QTest::newRow("vsay_team") << "vsay_team" << 4;
    QTest::newRow("echo") << "ECHO" << 5;
    QTest::newRow("unknown word") << "yell" << 0;
    QTest::newRow("trailing blank") << "echo " << 0;
    QTest::newRow("empty") << "" << 0;
}

void EditLineDialogTest::actionIndex()
{
    QFETCH(QString, action);
    QFETCH(int, index);
    QCOMPARE(ActionIndexFor(action), index);
}

void EditLineDialogTest::window()
{
    Opened opened(QStringLiteral("15"), QStringLiteral("say"));
    EditLineDialog &dialog = *opened.dialog;
    QCOMPARE(dialog.objectName(), QStringLiteral("frmEdit"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Edit"));
    QCOMPARE(dialog.minimumSize(), QSize(302, 130));
    QCOMPARE(dialog.maximumSize(), QSize(302, 130));
    QVERIFY(!(dialog.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));

    for (const char *name : {"Label1", "lblSpeed", "Label2"})
        QVERIFY2(dialog.findChild<QLabel *>(QLatin1String(name)), name);
    QVERIFY(!opened.action->isEditable());
    QStringList items;
    for (int i = 0; i < opened.action->count(); ++i)
        items << opened.action->itemText(i);
    QCOMPARE(items, (QStringList{"set name", "say", "say_team", "vsay", "vsay_team", "echo"}));

    auto *ok = dialog.findChild<QPushButton *>(QStringLiteral("cmdOK"));
    auto *cancel = dialog.findChild<QPushButton *>(QStringLiteral("cmdCancel"));
    QVERIFY(ok && cancel);
    QVERIFY(ok->isDefault());
}

void EditLineDialogTest::opening_data()
{
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("shownTime");
    QTest::addColumn<QString>("pickedAction");

    QTest::newRow("plain line") << "15" << "say" << "15" << "say";
    QTest::newRow("time is a word") << "fast" << "say" << "20" << "say";
    QTest::newRow("time is empty") << "" << "echo" << "20" << "echo";
    QTest::newRow("time with blanks and fraction") << " 7.5 " << "vsay" << " 7.5 " << "vsay";
    QTest::newRow("action in capitals") << "15" << "SAY" << "15" << "say";
    QTest::newRow("action outside the list") << "15" << "shout" << "15" << "set name";
}

void EditLineDialogTest::opening()
{
    QFETCH(QString, time);
    QFETCH(QString, action);
    QFETCH(QString, shownTime);
    QFETCH(QString, pickedAction);

    Opened opened(time, action);
    QCOMPARE(opened.time->text(), shownTime);
    QCOMPARE(opened.action->currentText(), pickedAction);
    // Opening alone writes nothing.
    QCOMPARE(opened.model.line(1).time, time);
    QCOMPARE(opened.model.line(1).action, action);
}

void EditLineDialogTest::typing_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("selectAll");
    QTest::addColumn<QString>("keys");  // "\b" is Backspace
    QTest::addColumn<QString>("field");

    QTest::newRow("clearing gives 20") << "15" << true << "\b" << "20";
    QTest::newRow("letter after a number") << "15" << false << "a" << "20";
    QTest::newRow("new number over the old") << "15" << true << "30" << "30";
    QTest::newRow("digit appended") << "15" << false << "0" << "150";
    QTest::newRow("dot appended") << "15" << false << "." << "15.";
    QTest::newRow("trailing blank kept") << "15" << false << " " << "15 ";
    QTest::newRow("minus alone is no number") << "15" << true << "-" << "20";
    QTest::newRow("past the largest") << "3276" << false << "8" << "20";
}

void EditLineDialogTest::typing()
{
    QFETCH(QString, start);
    QFETCH(bool, selectAll);
    QFETCH(QString, keys);
    QFETCH(QString, field);

    Opened opened(start, QStringLiteral("say"));
    QVERIFY(opened.showActive());
    opened.time->setFocus();
    opened.time->end(false);
    if (selectAll)
        opened.time->selectAll();
    for (QChar key : keys) {
        if (key == QLatin1Char('\b'))
            QTest::keyClick(opened.time, Qt::Key_Backspace);
        else
            QTest::keyClicks(opened.time, QString(key));
    }
    QCOMPARE(opened.time->text(), field);
}

void EditLineDialogTest::confirming_data()
{
    QTest::addColumn<QString>("typed");       // replaces the Time field
    QTest::addColumn<int>("actionSteps");     // Down keys in cmbAction
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("time");        // the line's Time afterwards
    QTest::addColumn<QString>("action");

    // The line starts as Time "15", Action "say".
    QTest::newRow("OK button") << "25" << 2 << "ok" << "25" << "vsay";
    QTest::newRow("Enter in the Time field") << "30" << 1 << "enter" << "30" << "say_team";
    QTest::newRow("Enter in the action list") << "30" << 1 << "enter-action" << "30" << "say_team";
    QTest::newRow("Time as typed, fraction and blank") << "7.5 " << 0 << "ok" << "7.5 " << "say";
    QTest::newRow("word confirmed as 20") << "x" << 0 << "ok" << "20" << "say";
    QTest::newRow("Cancel button") << "25" << 2 << "cancel" << "15" << "say";
    QTest::newRow("Escape") << "25" << 2 << "escape" << "15" << "say";
    QTest::newRow("close box") << "25" << 2 << "close" << "15" << "say";
}

void EditLineDialogTest::confirming()
{
    QFETCH(QString, typed);
    QFETCH(int, actionSteps);
    QFETCH(QString, how);
    QFETCH(QString, time);
    QFETCH(QString, action);

    Opened opened(QStringLiteral("15"), QStringLiteral("say"));
    QVERIFY(opened.showActive());
    opened.time->setFocus();
    opened.time->selectAll();
    QTest::keyClicks(opened.time, typed);
    for (int i = 0; i < actionSteps; ++i)
        QTest::keyClick(opened.action, Qt::Key_Down);

    if (how == QLatin1String("ok"))
        QTest::mouseClick(opened.dialog->findChild<QPushButton *>(QStringLiteral("cmdOK")), Qt::LeftButton);
    else if (how == QLatin1String("cancel"))
        QTest::mouseClick(opened.dialog->findChild<QPushButton *>(QStringLiteral("cmdCancel")), Qt::LeftButton);
    else if (how == QLatin1String("enter"))
        QTest::keyClick(opened.time, Qt::Key_Return);
    else if (how == QLatin1String("enter-action")) {
        opened.action->setFocus();
        QTest::keyClick(opened.action, Qt::Key_Return);
    } else if (how == QLatin1String("escape"))
        QTest::keyClick(opened.time, Qt::Key_Escape);
    else
        opened.dialog->close();

    QVERIFY(!opened.dialog->isVisible());
    const bool confirmed = how == QLatin1String("ok") || how.startsWith(QLatin1String("enter"));
    QCOMPARE(opened.dialog->result(), confirmed ? int(QDialog::Accepted) : int(QDialog::Rejected));
    QCOMPARE(opened.model.line(1).time, time);
    QCOMPARE(opened.model.line(1).action, action);
    QCOMPARE(opened.model.line(1).text, QStringLiteral("B"));
    // The other lines are never touched.
    QCOMPARE(opened.model.line(0).time, QStringLiteral("15"));
    QCOMPARE(opened.model.line(2).action, QStringLiteral("echo"));
}

void EditLineDialogTest::tabOrder()
{
    Opened opened(QStringLiteral("15"), QStringLiteral("say"));
    QVERIFY(opened.showActive());
    opened.time->setFocus();
    const QStringList expected{"cmbAction", "cmdOK", "cmdCancel", "txtTime"};
    QStringList visited;
    for (int i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);
}

QTEST_MAIN(EditLineDialogTest)
#include "tst_EditLineDialog.moc"
