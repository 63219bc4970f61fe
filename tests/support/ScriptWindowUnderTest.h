#pragma once

#include "WidgetDriving.h"

#include "animation/Settings.h"
#include "script/ScriptWindow.h"

#include <memory>

// A script window over these lines, shown and active; its messages and file dialogs are recorded.
struct ScriptWindowUnderTest {
    AnimationModel model;
    Settings settings;
    FileDialogState dialog;
    FakePrompts prompts;
    std::unique_ptr<ScriptWindow> window;

    ScriptWindowUnderTest(const QVector<AnimationLine> &lines, const Settings &chosen) : settings(chosen)
    {
        model.setLines(lines);
        window = std::make_unique<ScriptWindow>(model, settings, dialog, prompts);
        window->show();
        if (!QTest::qWaitForWindowActive(window.get()))
            qWarning("the script window never became active");
    }
    QString summary() const { return Named<QLabel>(*window, "lblSummary")->text(); }
    QString report() const { return Named<QPlainTextEdit>(*window, "txtReport")->toPlainText(); }
    void key(Qt::Key key) { QTest::keyClick(window.get(), key, Qt::AltModifier); }  // a menu entry's Alt key
    void saveAs(const QString &path) { prompts.clear(); prompts.fileAnswers = {path}; ClickMenuBar(*window); }  // its one entry
};
