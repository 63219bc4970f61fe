#pragma once

#include "platform/Prompts.h"

#include <functional>

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
    // The address that explains a message, or an empty text; a message with one gets a "What does this mean?" link.
    void setExplainer(std::function<QString(const QString &text)> explainer) { m_explainer = std::move(explainer); }

private:
    QWidget *m_parent;
    std::function<QString(const QString &text)> m_explainer;
};

// "Desc|*.ras|All Files(*.*)|*.*" to Qt's "Desc (*.ras);;All Files(*.*)".
QString QtFilterFromPipeFilter(const QString &filter);
// Where a file dialog opens: its last file, else its folder, else where a player keeps files.
QString DialogStartPath(const FileDialogState &state);
