#pragma once

#include <QString>

// State of the one file dialog the main window shares between its commands:
// title, filter, file name and starting folder persist from one use to the next.
// The filter uses the "Description|pattern|Description|pattern" form.
struct FileDialogState {
    QString title;
    QString filter;
    QString fileName;
    QString initialDir;
};

enum class PromptIcon { None, Information, Exclamation, Critical, Question };
// RestoreNotNowDelete: Escape and closing the box answer NotNow, which keeps what was asked about.
// RemoveCancel: Enter and Escape answer Cancel; only Remove (its own key) removes.
enum class PromptButtons {
    Ok, OkCancel, YesNo, YesNoCancel, SaveDiscardCancel, OverwriteSaveAsCancel, RestoreNotNowDelete, RemoveCancel
};
enum class PromptAnswer { Ok, Cancel, Yes, No, Save, Discard, Overwrite, SaveAs, Restore, NotNow, Delete, Remove };

// The only way commands talk to the user. The program shows Qt dialogs; tests
// use a scripted fake that records every message and replays prepared answers.
class Prompts {
public:
    virtual ~Prompts() = default;

    virtual PromptAnswer message(const QString &text, const QString &title, PromptIcon icon,
                                 PromptButtons buttons = PromptButtons::Ok) = 0;
    // Cancelling gives an empty answer, as the input box does.
    virtual QString input(const QString &prompt, const QString &title, const QString &defaultAnswer) = 0;
    // On acceptance the chosen path is stored in state.fileName and true returned.
    virtual bool openFile(FileDialogState &state) = 0;
    virtual bool saveFile(FileDialogState &state) = 0;
    // The chosen folder, or empty text when cancelled.
    virtual QString browseFolder(const QString &title) = 0;
};

// The application title, used where a message names no title of its own.
inline const QString AppTitle = QStringLiteral("Marqueemaster");
