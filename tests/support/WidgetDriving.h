#pragma once

#include "FileFixtures.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>

// A user's ways into a window: click a named control, a tab, or Tab the focus to a control.
template <typename T = QWidget>
T *Named(const QWidget &root, const QString &name) { return root.findChild<T *>(name); }

// A check box takes clicks on its box and words only, and the layout may make it wider than they are.
inline void ClickNamed(const QWidget &root, const QString &name)
{
    QWidget *target = Named(root, name);
    QVERIFY2(target, qPrintable(name));
    QTest::mouseClick(target, Qt::LeftButton, {}, qobject_cast<QCheckBox *>(target) ? QPoint(6, target->height() / 2) : QPoint());
}

inline void ClickTab(const QWidget &root, int index)
{
    QTabBar *bar = root.findChild<QTabBar *>();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index < 0 ? bar->count() + index : index).center());
}

// Clicks a title of the window's menu bar (the first: a script window's Save).
inline void ClickMenuBar(const QWidget &window, int index = 0)
{
    QMenuBar *bar = window.findChild<QMenuBar *>();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(bar->actions().at(index)).center());
}

// Presses comma-separated keys where the focus is, or in the menu a key opened.
inline void PressKeys(const QString &keys)
{
    for (const QString &key : keys.split(u',', Qt::SkipEmptyParts))
        QTest::keySequence(QApplication::activePopupWidget() ? QApplication::activePopupWidget() : QApplication::focusWidget(),
                           QKeySequence(key));
}

// Presses Tab (at most 40 times) until the control has the focus.
inline bool TabTo(QWidget &window, const QWidget *target)
{
    for (int i = 0; i < 40 && QApplication::focusWidget() != target; ++i)
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &window, Qt::Key_Tab);
    return QApplication::focusWidget() == target;
}

// The Alt letters a window's controls lack or its shown ones use more than once: a keyboard user can't reach a
// button, option, check box, tab or menu without one, and Alt would pick one of those sharing a letter at random.
inline QStringList MnemonicTrouble(QWidget *window)
{
    QMultiHash<QString, QString> owners;
    QStringList trouble;
    const auto add = [&](const QString &caption, bool needsOne, bool shown) {
        if (const QKeySequence key = QKeySequence::mnemonic(caption); key.isEmpty() && needsOne && !caption.isEmpty())
            trouble << "no Alt letter: " + caption;
        else if (!key.isEmpty() && shown)
            owners.insert(key.toString().toLower(), caption);
    };
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>())
        if (!button->isHidden())
            add(button->text(), qobject_cast<QPushButton *>(button) || qobject_cast<QCheckBox *>(button)
                                    || qobject_cast<QRadioButton *>(button), button->isVisibleTo(window));
    for (QLabel *label : window->findChildren<QLabel *>())
        if (label->buddy())
            add(label->text(), false, label->isVisibleTo(window));
    for (QTabWidget *tabs : window->findChildren<QTabWidget *>())
        for (int i = 0; i < tabs->count(); ++i)
            add(tabs->tabText(i), true, tabs->isVisibleTo(window));
    for (QMenuBar *bar : window->findChildren<QMenuBar *>())
        for (QAction *title : bar->actions())
            add(title->text(), true, true);
    for (const QString &key : owners.uniqueKeys())
        if (owners.count(key) > 1)
            trouble << key + ": " + QStringList(owners.values(key)).join(" / ");
    return trouble;
}
