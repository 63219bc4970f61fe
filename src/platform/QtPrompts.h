#pragma once

#include "platform/Prompts.h"

class QWidget;

// Prompts shown as real Qt dialogs, owned by a parent window.
class QtPrompts final : public Prompts {
public:
    explicit QtPrompts(QWidget *parent) : m_parent(parent) {}

    PromptAnswer message(const QString &text, const QString &title, PromptIcon icon,
                         PromptButtons buttons) override;
    QString input(const QString &prompt, const QString &title, const QString &defaultAnswer) override;
    bool openFile(FileDialogState &state) override;
    bool saveFile(FileDialogState &state) override;
    QString browseFolder(const QString &title) override;

    void setParent(QWidget *parent) { m_parent = parent; }

private:
    QWidget *m_parent;
};

// "Desc|*.ras|All Files(*.*)|*.*" to Qt's "Desc (*.ras);;All Files(*.*)".
QString QtFilterFromPipeFilter(const QString &filter);
