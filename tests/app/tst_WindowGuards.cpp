#include "BuiltPrograms.h"
#include "Version.h"
#include "WindowUnderTest.h"

#include "animation/PreviewPlayer.h"

#include <QSignalSpy>

#include <QClipboard>
#include <QProcess>
#include <QPointer>
#include <QScreen>
#include <QTextCursor>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTreeWidget>

namespace {

// The text boxes in which Tab types a tab instead of moving on: a keyboard user is stuck there, and a selection
// is replaced.
QStringList tabTraps(QWidget *window)
{
    QStringList traps;
    for (QAbstractScrollArea *box : window->findChildren<QAbstractScrollArea *>())  // plain or rich: both have the property
        if (box->property("tabChangesFocus") == QVariant(false) && !qobject_cast<QTextBrowser *>(box)  // a browser's Tab walks its links
            && box->focusPolicy() != Qt::NoFocus)
            traps << box->objectName();
    return traps;
}

// The window's name when it is larger than the free part of its screen: its bottom or side would be cut off.
QStringList offTheScreen(const QWidget *window)
{
    const QSize screen = window->screen()->availableGeometry().size();
    const QSize size = window->frameGeometry().size().expandedTo(window->size());
    return size.width() > screen.width() || size.height() > screen.height()
               ? QStringList{QStringLiteral("%1 %2x%3").arg(window->objectName()).arg(size.width()).arg(size.height())}
               : QStringList();
}

} // namespace

// What a user notices of the main window when driving it by toolbar, menus, keys and mouse, and inputs a user
// may throw at it by accident or on purpose: each must end with a clear message or a sound result, within the
// limits, and leave the user's files as they were.
class WindowGuardsTest : public WindowTest {
    Q_OBJECT
private slots:
    // "Multi select" ticked in Options: a shift-click highlights the rows between; off, one row. "Edit item"
    // lets a click on the current row edit it.
    void multiSelectAndEditItem()
    {
        QCOMPARE(window->list()->editTriggers(), QAbstractItemView::NoEditTriggers);
        open->onDialog = [](QDialog &options) { ClickNamed(options, "chkMultiSelect"); ClickNamed(options, "cmdOK"); };
        for (bool multiSelect : {false, true}) {
            if (multiSelect)
                open->use("mnuEditOptions");
            open->start({"A", "B", "C", "D"});
            open->clickRow(0);
            open->clickRow(2, Qt::ShiftModifier);
            QCOMPARE(window->list()->selectionModel()->selectedRows().size(), multiSelect ? 3 : 1);
            QCOMPARE(window->previewBox()->toPlainText(), QStringLiteral("C"));
        }
        open->applySettings({"EditItem=1", "MultiSelect=true"});
        QCOMPARE(window->list()->selectionMode(), QAbstractItemView::SingleSelection);
        // Edited in place, the new Text is what the preview shows and what typing there goes on from.
        open->clickRow(2);
        QTRY_VERIFY(qobject_cast<QLineEdit *>(QApplication::focusWidget()));
        QTest::keySequence(QApplication::focusWidget(), QKeySequence::SelectAll);
        QTest::keyClicks(QApplication::focusWidget(), "^1Changed");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(window->previewBox()->toPlainText(), QStringLiteral("Changed"));  // committed after the key
        open->type("!");
        QCOMPARE(open->texts(), (QStringList{"A", "B", "^1Changed!", "D"}));
    }

    // A second press brings the open wizard forward; after Finish the next one starts afresh.
    void wizardOpensOnceAndFreshAfterFinish()
    {
        const auto wizards = [] {
            QList<WizardWindow *> shown;
            for (QWidget *widget : QApplication::topLevelWidgets())
                if (auto *wizard = qobject_cast<WizardWindow *>(widget); wizard && wizard->isVisible())
                    shown << wizard;
            return shown;
        };
        ClickEntry(*window, "btnwizard");
        ClickEntry(*window, "btnwizard");
        QCOMPARE(wizards().size(), 1);
        QPointer<WizardWindow> first = wizards().first();
        FinishWizard(*first);
        QTRY_VERIFY(!first);  // closed for good
        ClickEntry(*window, "btnwizard");
        QCOMPARE(wizards().size(), 1);
        QCOMPARE(wizards().first()->currentPage(), 1);
        QCOMPARE(wizards().first()->findChild<QTreeWidget *>("lvwEffects")->topLevelItemCount(), 0);
        wizards().first()->close();
    }

    // Every menu entry as a user clicks it: an entry that opens a window ends in "...", and every button of that
    // window has a mnemonic.
    void menuEntry_data()
    {
        QTest::addColumn<QString>("name");
        WindowUnderTest probe;
        QStringList names;
        QList<QMenu *> menus;  // the menu bar's menus and the toolbar's drop-downs: a click opens them
        for (QAction *title : probe.window.menuBar()->actions())
            menus << title->menu();
        for (QToolButton *button : probe.window.findChildren<QToolButton *>())
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
    void menuEntry()
    {
        QFETCH(QString, name);
        open->start({"A", "B"});  // nothing to save: New asks nothing
        QStringList opened, missing, tooLarge;
        const auto look = [&](QWidget *shown) { missing << MnemonicTrouble(shown) << tabTraps(shown); tooLarge << offTheScreen(shown); };
        look(window);
        open->onDialog = [&](QDialog &dialog) { opened << dialog.objectName(); look(&dialog); };
        const QWidgetList before = QApplication::topLevelWidgets();
        ClickEntry(*window, name);
        for (QWidget *top : QApplication::topLevelWidgets())
            if (!before.contains(top) && top->isVisible() && !qobject_cast<QMenu *>(top)) {
                opened << top->objectName();
                look(top);
                top->deleteLater();
            }
        if (!open->prompts.dialogs.isEmpty() || !open->prompts.inputPrompts.isEmpty())
            opened << "a file dialog or input box";
        const QString caption = window->findChild<QAction *>(name)->text();
        QVERIFY2(caption.endsWith("...") == !opened.isEmpty(), qPrintable(caption + " opens: " + opened.join(u',')));
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u',')));
        QVERIFY2(tooLarge.isEmpty(), qPrintable(tooLarge.join(u',')));
    }

    // The help's keyboard page and the window's shortcuts are the same list: no key the page names does nothing,
    // and no shortcut is missing from it.
    void keyboardPageListsEveryShortcut()
    {
        QFile page(QStringLiteral(":/help/keys.html"));
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(page.readAll());
        QStringList listed;
        const QRegularExpression key(QStringLiteral("^(Ctrl\\+(Shift\\+)?\\w+|F\\d+|Insert|Delete)$"));
        for (const QRegularExpressionMatch &cell : QRegularExpression("<td><b>([^<]*)</b></td>").globalMatch(text))
            for (const QString &word : cell.captured(1).split(QRegularExpression("\\s*[/,]\\s*")))
                if (key.match(word).hasMatch())
                    listed << QKeySequence(word).toString(QKeySequence::PortableText);
        QVERIFY(listed.size() > 15);
        QStringList bound;
        for (const QAction *action : window->findChildren<QAction *>())
            if (!action->shortcut().isEmpty())  // the first: the others are the system's own alternatives
                bound << action->shortcut().toString(QKeySequence::PortableText);
        bound.removeDuplicates();
        for (const QString &shortcut : std::as_const(listed))
            QVERIFY2(bound.contains(shortcut), qPrintable(shortcut + " is on the keyboard page, but no command has it"));
        for (const QString &shortcut : std::as_const(bound))
            QVERIFY2(listed.contains(shortcut), qPrintable(shortcut + " is missing from the keyboard page"));

        // Each key pressed in the list runs its command (Exit last: it closes the window).
        listed.removeAll(QStringLiteral("Ctrl+Q"));
        listed << QStringLiteral("Ctrl+Q");
        open->onDialog = [](QDialog &) {};  // a window a command opens is left at once
        for (const QString &shortcut : std::as_const(listed)) {
            open->start({"A", "B"}, 1);
            QTest::keyClick(window->list(), Qt::Key_X, Qt::ControlModifier);  // something to undo
            if (shortcut == QLatin1String("Ctrl+Y"))
                QTest::keyClick(window->list(), Qt::Key_Z, Qt::ControlModifier);  // and to redo
            if (window->player().isPlaying())
                window->player().TogglePreview();
            QAction *command = nullptr;
            for (QAction *action : window->findChildren<QAction *>())
                if (action->shortcut() == QKeySequence(shortcut))
                    command = action;
            QSignalSpy ran(command, &QAction::triggered);
            window->list()->setFocus();
            QTest::keySequence(window->list(), QKeySequence(shortcut));
            QVERIFY2(ran.size() == 1, qPrintable(shortcut + " ran nothing in the list"));
            for (QWidget *top : QApplication::topLevelWidgets())
                if (top != window && top->isVisible() && !qobject_cast<QMenu *>(top))
                    top->close();
        }
    }

    // A megabyte pasted is one line: the list shows its start, editing in place gets all of it. Typing at the end of
    // a long coloured Text in the preview box still writes the whole Text back, codes included.
    void longTexts()
    {
        const QString text = QString(1024 * 1024, QLatin1Char('x')) + QStringLiteral("\r\n^1tail");
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(window->list(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(window->model().lines(), QVector<AnimationLine>{NameLine(text)});
        const QModelIndex cell = window->model().index(0, AnimationModel::TextColumn);
        QCOMPARE(cell.data(Qt::DisplayRole).toString().size(), qsizetype(AnimationModel::MaxShownCharacters));
        QCOMPARE(cell.data(Qt::EditRole).toString(), text);
        QString coloured;
        for (int i = 0; coloured.size() < 100000; ++i)
            coloured += QStringLiteral("^%1ab").arg(i % 6 + 1);
        window->model().appendLines(LinesFromTexts({coloured}));
        window->setCurrentRow(1);
        QCOMPARE(window->previewBox()->toPlainText().size(), qsizetype(coloured.size() * 2 / 4));
        window->previewBox()->setFocus();
        window->previewBox()->moveCursor(QTextCursor::End);
        QTest::keyClicks(window->previewBox(), "z");
        QCOMPARE(window->model().line(1).text, coloured + QLatin1Char('z'));
    }

    // A blank settings file starts afresh silently, a corrupt one is told of; neither is overwritten.
    void settingsFile()
    {
        for (const QByteArray &content : {QByteArray(" \n"), QByteArray("{\"HKEY_CURRENT_USER\": {\"keys\": [")}) {
            QVERIFY(WriteFileBytes(open->store.path(), content));
            open->store.reopen();
            FakePrompts startPrompts;
            MainWindow fresh(*open->store.store, &startPrompts);
            QCOMPARE(fresh.settings().name, QString());
            QCOMPARE(startPrompts.messages.size(), content.startsWith('{') ? 1 : 0);
            QCOMPARE(ReadFileBytes(open->store.path()), content);
        }
    }

    // Started from a shell where no display can be reached, what needs no window still answers; a failure is said
    // in one line.
    void withoutDisplay_data()
    {
        Columns<QStringList, int, QString, QString>("arguments", "exitCode", "out", "err");  // out: its start
        QTest::newRow("no display") << QStringList{} << 1 << "" << "no display";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "marqueemaster " MARQUEE_VERSION_TEXT "\n" << "";
        QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage: marqueemaster [FILE]\n" << "";
    }
    void withoutDisplay()
    {
        const auto [arguments, exitCode, out, err] = Fetch<QStringList, int, QString, QString>("arguments", "exitCode", "out", "err");
#ifndef Q_OS_LINUX
        if (arguments.isEmpty())
            QSKIP("Only X11 and Wayland desktops can be missing a display.");
#endif
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QLatin1String(name));
        process.setProcessEnvironment(environment);
        process.start(DesktopProgram(), arguments);
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), exitCode);
        const QString output = QString::fromUtf8(process.readAllStandardOutput());
        QVERIFY2(out.isEmpty() ? output.isEmpty() : output.startsWith(out), qPrintable(output));
        const QString error = QString::fromUtf8(process.readAllStandardError()).trimmed();
        QVERIFY2(err.isEmpty() ? error.isEmpty() : error.contains(err) && !error.contains(u'\n'), qPrintable(error));
    }
};

QTEST_MAIN(WindowGuardsTest)
#include "tst_WindowGuards.moc"
