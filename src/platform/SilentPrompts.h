#pragma once

#include "platform/Prompts.h"

// Answers every question with its first button and cancels every dialog, so
// the benchmark never waits for a person.
class SilentPrompts final : public Prompts {
public:
    PromptAnswer message(const QString &, const QString &, PromptIcon, PromptButtons buttons) override
    {
        return (buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoCancel) ? PromptAnswer::Yes
                                                                                         : PromptAnswer::Ok;
    }
    QString input(const QString &, const QString &, const QString &answer) override { return answer; }
    bool openFile(FileDialogState &) override { return false; }
    bool saveFile(FileDialogState &) override { return false; }
    QString browseFolder(const QString &) override { return {}; }
};
