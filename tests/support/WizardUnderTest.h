#pragma once

#include "WidgetDriving.h"

#include "animation/Settings.h"
#include "wizard/WizardWindow.h"

#include <QTreeWidget>

// One wizard window over an animation holding "old", shown, active and driven the way a user does.
struct WizardUnderTest {
    AnimationModel model;
    FakePrompts prompts;
    WizardWindow window;

    explicit WizardUnderTest(const Settings &settings = {}) : window(model, settings, prompts)
    {
        model.appendLines(LinesFromTexts({"old"}));
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qWarning("the wizard never became active");
    }
    template <typename T = QWidget> T *get(const char *name) { return Named<T>(window, QLatin1String(name)); }
    void click(const char *name) { ClickNamed(window, QLatin1String(name)); }
    void type(const char *box, const QString &s) { click(box); get<QLineEdit>(box)->selectAll(); QTest::keyClicks(get(box), s); }
    void clickRow(int row)  // of the effect list; -1: the last
    {
        auto *list = get<QTreeWidget>("lvwEffects");
        QTreeWidgetItem *item = list->topLevelItem(row < 0 ? list->topLevelItemCount() + row : row);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    }
    void arrow(const char *direction, int times, const char *arrows = "numParam1")
    {
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(get(arrows)->findChild<QAbstractButton *>(direction), Qt::LeftButton);
    }
    // On to the effect page with the name typed in the name-only box.
    void toEffectPage(const QString &name)
    {
        click("cmdNext");
        click("cmdNext");
        click("txtNameOnly0");
        QTest::keyClicks(get("txtNameOnly0"), name);
        click("cmdNext");
    }
};
