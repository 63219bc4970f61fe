#include "FakePrompts.h"

PromptAnswer FakePrompts::message(const QString &text, const QString &title, PromptIcon icon,
                                  PromptButtons buttons)
{
    messages.append({text, title, icon, buttons});
    if (!answers.isEmpty())
        return answers.takeFirst();
    if (buttons == PromptButtons::SaveDiscardCancel)
        return PromptAnswer::Save;
    if (buttons == PromptButtons::OverwriteSaveAsCancel)
        return PromptAnswer::Overwrite;
    if (buttons == PromptButtons::RestoreNotNowDelete)
        return PromptAnswer::Restore;
    return (buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoCancel) ? PromptAnswer::Yes : PromptAnswer::Ok;
}

QString FakePrompts::input(const QString &prompt, const QString &title, const QString &defaultAnswer)
{
    inputPrompts << title + QLatin1Char('|') + prompt + QLatin1Char('|') + defaultAnswer;
    return inputAnswers.isEmpty() ? QString() : inputAnswers.takeFirst();
}

bool FakePrompts::fileDialog(const QString &kind, FileDialogState &state)
{
    dialogs.append({kind, state});
    const QString answer = fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
    if (answer.isEmpty())
        return false;
    state.fileName = answer;
    return true;
}

QStringList FakePrompts::messageTexts() const
{
    QStringList texts;
    for (const Message &message : messages)
        texts << message.text;
    return texts;
}

void FakePrompts::clear()
{
    answers.clear();
    inputAnswers.clear();
    fileAnswers.clear();
    folderAnswers.clear();
    messages.clear();
    inputPrompts.clear();
    dialogs.clear();
}
