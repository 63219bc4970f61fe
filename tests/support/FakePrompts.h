#pragma once

#include "platform/Prompts.h"

#include <QList>
#include <QStringList>
#include <QVector>

// Prompts for tests: records every message and dialog, and replays prepared
// answers in order. With no answer prepared, a message gets its first button
// (OK, Yes, Save, Overwrite or Restore), an input box is cancelled and a file dialog is cancelled.
class FakePrompts : public Prompts {
public:
    struct Message { QString text; QString title; PromptIcon icon; PromptButtons buttons; };
    struct Dialog { QString kind; FileDialogState state; };  // kind: "open", "save" or "folder"

    PromptAnswer message(const QString &text, const QString &title, PromptIcon icon, PromptButtons buttons) override;
    QString input(const QString &prompt, const QString &title, const QString &defaultAnswer) override;
    bool openFile(FileDialogState &state) override { return fileDialog(QStringLiteral("open"), state); }
    bool saveFile(FileDialogState &state) override { return fileDialog(QStringLiteral("save"), state); }
    QString browseFolder(const QString &title) override
    {
        dialogs.append({QStringLiteral("folder"), FileDialogState{title, {}, {}, {}}});
        return folderAnswers.isEmpty() ? QString() : folderAnswers.takeFirst();
    }

    QList<PromptAnswer> answers;        // for message()
    QStringList inputAnswers;           // for input(); missing means cancelled
    QStringList fileAnswers;            // for open/save; an empty text means cancelled
    QStringList folderAnswers;          // for browseFolder; an empty text means cancelled

    QVector<Message> messages;
    QStringList inputPrompts;           // "title|prompt|default"
    QVector<Dialog> dialogs;

    QStringList messageTexts() const;
    void clear();

private:
    bool fileDialog(const QString &kind, FileDialogState &state);
};
