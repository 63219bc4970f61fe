#pragma once

#include "platform/Prompts.h"

#include <QTextStream>

// Nobody to ask on the command line: messages go to standard error as one line
// each, dialogs are cancelled, and a question gets the answer the verb chose.
class StderrPrompts final : public Prompts {
public:
    StderrPrompts(QTextStream &err, PromptAnswer questionAnswer = PromptAnswer::Cancel)
        : m_err(err), m_questionAnswer(questionAnswer)
    {
    }

    PromptAnswer message(const QString &text, const QString &, PromptIcon, PromptButtons buttons) override
    {
        if (buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoCancel)
            return m_questionAnswer;
        QString line = text;
        m_err << line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' ')) << '\n';
        return PromptAnswer::Ok;
    }
    QString input(const QString &, const QString &, const QString &) override { return {}; }
    bool openFile(FileDialogState &) override { return false; }
    bool saveFile(FileDialogState &) override { return false; }
    QString browseFolder(const QString &) override { return {}; }

private:
    QTextStream &m_err;
    PromptAnswer m_questionAnswer;
};
