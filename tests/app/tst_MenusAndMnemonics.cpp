#include "WindowUnderTest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace {

// The captions in a window a user can't reach by Alt and a letter: buttons, option and check boxes, tabs, menus.
QStringList withoutMnemonic(QWidget *window)
{
    QStringList missing;
    auto check = [&missing](const QString &caption) {
        if (!caption.isEmpty() && QKeySequence::mnemonic(caption).isEmpty())
            missing << caption;
    };
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>())
        if ((qobject_cast<QPushButton *>(button) || qobject_cast<QCheckBox *>(button) || qobject_cast<QRadioButton *>(button))
            && !button->isHidden())
            check(button->text());
    for (QTabWidget *tabs : window->findChildren<QTabWidget *>())
        for (int i = 0; i < tabs->count(); ++i)
            check(tabs->tabText(i));
    for (QMenuBar *bar : window->findChildren<QMenuBar *>())
        for (QAction *title : bar->actions())
            check(title->text());
    return missing;
}

} // namespace

// Walks every menu entry as a user clicks it: an entry that opens a window ends in "...", and every button of
// that window has a mnemonic.
class MenusAndMnemonicsTest : public QObject {
    Q_OBJECT
private slots:
    void entry_data()
    {
        QTest::addColumn<QString>("name");
        WindowUnderTest open;
        QStringList names;
        QList<QMenu *> menus;  // the menu bar's menus and the toolbar's drop-downs: a click opens them
        for (QAction *title : open.window.menuBar()->actions())
            menus << title->menu();
        for (QToolButton *button : open.window.findChildren<QToolButton *>())
            if (button->menu())
                menus << button->menu();
        for (QMenu *menu : menus)
            for (QAction *action : menu->actions())
                // Exit ends the program; Save asks for a name only while there is none, as Save does everywhere.
                if (!action->objectName().isEmpty() && !action->menu() && action->objectName() != "mnuFileExit"
                    && action->objectName() != "mnuFileSave" && !names.contains(action->objectName()))
                    names << action->objectName();
        QVERIFY(names.contains("mnuAnimWizard") && names.contains("btncopylastx"));
        for (const QString &name : names)
            QTest::newRow(qPrintable(name)) << name;
    }
    void entry()
    {
        QFETCH(QString, name);
        WindowUnderTest open;
        open.window.document().start(LinesFromTexts({"A", "B"}), QString());  // nothing to save: New asks nothing
        open.window.setCurrentRow(0);
        QStringList opened, missing;
        open.onDialog = [&](QDialog &dialog) {
            opened << dialog.objectName();
            missing << withoutMnemonic(&dialog);
        };
        const QWidgetList before = QApplication::topLevelWidgets();
        ClickEntry(open.window, name);
        for (QWidget *top : QApplication::topLevelWidgets())
            if (!before.contains(top) && top->isVisible() && !qobject_cast<QMenu *>(top)) {
                opened << top->objectName();
                missing << withoutMnemonic(top);
                top->deleteLater();
            }
        if (!open.prompts.dialogs.isEmpty() || !open.prompts.inputPrompts.isEmpty())
            opened << "a file dialog or input box";
        const QString caption = open.window.findChild<QAction *>(name)->text();
        QVERIFY2(caption.endsWith("...") == !opened.isEmpty(), qPrintable(caption + " opens: " + opened.join(u',')));
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u',')));
    }
};

QTEST_MAIN(MenusAndMnemonicsTest)
#include "tst_MenusAndMnemonics.moc"
