#pragma once

#include "TestStore.h"
#include "WidgetDriving.h"

#include "app/MainWindow.h"
#include "colors/PreviewBoxWidget.h"
#include "wizard/WizardWindow.h"

#include <QDialog>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <functional>

// Clicks what a user clicks for the entry named: its button (a shown one), or the entry in the drop-down or
// menu-bar menu that holds it (or its submenu), opened by a click first.
inline void ClickEntry(QMainWindow &window, const QString &name)
{
    if (auto *button = window.findChild<QAbstractButton *>(name)) {
        QVERIFY2(button->isVisible(), qPrintable(name));
        return QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, 8));
    }
    QAction *entry = window.findChild<QAction *>(name);
    QVERIFY2(entry, qPrintable(name));
    for (auto *button : window.findChildren<QToolButton *>()) {
        if (QMenu *menu = button->menu(); menu && menu->actions().contains(entry)) {
            QTimer::singleShot(0, menu, [menu, entry] { QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center()); });
            return QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->width() - 3, button->height() / 2));
        }
    }
    QMenuBar *bar = window.menuBar();
    for (QAction *title : bar->actions()) {
        QMenu *menu = title->menu();
        QMenu *sub = nullptr;
        for (QAction *item : menu->actions())
            if (item->menu() && item->menu()->actions().contains(entry))
                sub = item->menu();
        if (!sub && !menu->actions().contains(entry))
            continue;
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(title).center());
        QTRY_VERIFY(menu->isVisible());
        if (sub) {  // a submenu opens on its entry
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(sub->menuAction()).center());
            QTRY_VERIFY(sub->isVisible());
            menu = sub;
        }
        return QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
    }
    QFAIL(qPrintable(name + QStringLiteral(" is in no menu")));
}

// Next through a wizard's pages, one "Wave 2" added, Finish.
inline void FinishWizard(QWidget &wizard)
{
    for (int page = 1; page < WizardWindow::PageCount; ++page)
        QTest::mouseClick(wizard.findChild<QWidget *>("cmdNext"), Qt::LeftButton);
    QTest::mouseClick(wizard.findChild<QWidget *>("cmdAddEffect"), Qt::LeftButton);
    QTest::mouseClick(wizard.findChild<QWidget *>("cmdNext"), Qt::LeftButton);
}

// The main window shown and active over a temporary settings store. Its messages and file dialogs are
// recorded; a modal window goes to onDialog (when set) instead of waiting for the user.
struct WindowUnderTest {
    TestStore store;
    FakePrompts prompts;
    std::function<void(QDialog &)> onDialog;
    MainWindow window{*store.store};

    WindowUnderTest()
    {
        window.setPrompts(&prompts);
        window.setModalRunner([this](QDialog &dialog) { if (onDialog) onDialog(dialog); });
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qFatal("the main window never became active: no key or click would reach it");
    }
    // Settings given as "Name=value", stored and read again: what the Options' OK does.
    void applySettings(const QStringList &values) { StoreSettings(*store.store, values); window.loadSettings(); }
    QStringList texts() { return TextsOf(window.model()); }

    // The lines as a document opened, that row current and the list focused (the box has drawn a line before).
    void start(const QStringList &texts, int row = 0, const QString &path = QString())
    {
        window.document().start(LinesFromTexts(texts), path);
        window.setCurrentRow(0);
        window.setCurrentRow(row);
        window.list()->setFocus();
    }
    void clickRow(int row, Qt::KeyboardModifiers modifiers = {})
    {
        const QRect cell = window.list()->visualRect(window.model().index(row, 0));
        QTest::mouseClick(window.list()->viewport(), Qt::LeftButton, modifiers, cell.center());
    }
    // Clicks at the end of the preview box's text and types there.
    void type(const QString &text)
    {
        PreviewBoxWidget *box = window.previewBox();
        QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, box->viewport()->rect().bottomRight() - QPoint(2, 2));
        QTest::keyClicks(box, text);
    }
    void drop(const QString &path)
    {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QWidget *target = window.previewBox()->viewport();  // the box leaves files to the window
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &enter);
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &dropped);
    }
    // What a user does: "keys:Alt+F,I" (the first key in the list, the rest in the menu it opened or where the
    // focus is), "drop:FILE", "color:N" (colour button N on the whole preview), "wizard" (Finish with one
    // "Wave 2"), or an entry clicked by name (ClickEntry). The window has the keyboard again afterwards.
    void use(const QString &how)
    {
        const QString what = how.mid(how.indexOf(u':') + 1);
        if (how.startsWith("keys:")) {
            QTest::keySequence(window.list(), QKeySequence(what.section(u',', 0, 0)));
            PressKeys(what.section(u',', 1));
        } else if (how.startsWith("drop:")) {
            drop(what);
        } else if (how.startsWith("color:")) {
            use("keys:Alt+E,L");  // Show colors
            QTest::keyClick(window.previewBox(), Qt::Key_A, Qt::ControlModifier);
            QTest::mouseClick(window.findChild<QAbstractButton *>("cmdColor" + what), Qt::LeftButton);
        } else if (how == "wizard") {
            ClickEntry(window, "btnwizard");
            FinishWizard(*QApplication::activeWindow());
        } else {
            ClickEntry(window, how);
        }
        window.activateWindow();  // a closed menu had the keyboard
        QTRY_COMPARE(QApplication::activeWindow(), &window);
    }
};

// A test of the main window: every test function gets a fresh one.
class WindowTest : public QObject {
    Q_OBJECT
protected:
    std::unique_ptr<WindowUnderTest> open;
    MainWindow *window = nullptr;
private slots:
    void init() { open = std::make_unique<WindowUnderTest>(); window = &open->window; }
    void cleanup() { open.reset(); }
};
