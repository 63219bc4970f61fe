#pragma once

#include "FakePrompts.h"
#include "TestLines.h"
#include "TestStore.h"

#include "app/MainWindow.h"

#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolButton>
#include <QTest>
#include <functional>

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
    void applySettings(const QStringList &values)
    {
        StoreSettings(*store.store, values);
        window.loadSettings();
    }
};

// Clicks what a user clicks for the entry named: its button (a shown one), or the entry in the drop-down or
// menu-bar menu that holds it, opened by a click first.
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
        if (QMenu *menu = title->menu(); menu && menu->actions().contains(entry)) {
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(title).center());
            QTRY_VERIFY(menu->isVisible());
            return QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
        }
    }
    QFAIL(qPrintable(name + QStringLiteral(" is in no menu")));
}
