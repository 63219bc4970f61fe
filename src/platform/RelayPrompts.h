#pragma once

#include "platform/Prompts.h"

// Passes every prompt on to another Prompts that can be swapped at any time,
// so that objects holding on to this one follow the swap.
class RelayPrompts final : public Prompts {
public:
    explicit RelayPrompts(Prompts *target) : m_target(target) {}
    void setTarget(Prompts *target) { m_target = target; }

    PromptAnswer message(const QString &text, const QString &title, PromptIcon icon, PromptButtons buttons) override
    {
        return m_target->message(text, title, icon, buttons);
    }
    QString input(const QString &prompt, const QString &title, const QString &defaultAnswer) override
    {
        return m_target->input(prompt, title, defaultAnswer);
    }
    bool openFile(FileDialogState &state) override { return m_target->openFile(state); }
    bool saveFile(FileDialogState &state) override { return m_target->saveFile(state); }
    QString browseFolder(const QString &title) override { return m_target->browseFolder(title); }

private:
    Prompts *m_target;
};
