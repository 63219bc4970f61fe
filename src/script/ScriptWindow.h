#pragma once

#include <QDialog>

class AnimationModel;
class Prompts;
class QPlainTextEdit;
struct FileDialogState;
struct Settings;

// "Generate RtCW Script": shows the script built from the animation when the
// window opens; "Save" writes what the box holds at that moment.
class ScriptWindow : public QDialog {
    Q_OBJECT
public:
    ScriptWindow(const AnimationModel &model, const Settings &settings, FileDialogState &dialog, Prompts &prompts,
                 QWidget *parent = nullptr);

    QString scriptText() const;

private:
    void save();

    const Settings &m_settings;
    FileDialogState &m_dialog;
    Prompts &m_prompts;
    QPlainTextEdit *m_text = nullptr;
};
