#pragma once

#include "TestStore.h"
#include "WidgetDriving.h"

#include "settings/OptionsDialog.h"
#include "transforms/LeetTable.h"

// The options window over a store, shown and active, opened on one of its pages.
struct OptionsUnderTest {
    LeetTable leet;
    OptionsDialog dialog;

    OptionsUnderTest(RegistryStore &store, const LeetFileLocation &leetFile, const QString &program, Prompts &prompts, int page,
                     std::function<void()> saved = {})
        : dialog(store, leet, leetFile, program, prompts, std::move(saved))
    {
        dialog.show();
        if (!QTest::qWaitForWindowActive(&dialog))
            qWarning("the options window never became active");
        ClickTab(dialog, page);
    }
    QWidget *operator[](const QString &name) const { return Named(dialog, name); }
    void click(const QString &name) const { ClickNamed(dialog, name); }
};
