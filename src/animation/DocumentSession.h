#pragma once

#include "platform/Prompts.h"

#include <QObject>
#include <QString>

#include <functional>

class AnimationModel;
class Document;
struct RecoveredWork;
struct Settings;

// The document's life in one place: New, Open, Open Recent, a drop or the start-up file, Save, Save As, Import
// and Restore all go through here. Each road asks through Prompts at most once whether to keep unsaved work,
// with the safe answer as the default, and the save dialog always offers the document's own file (or, for an
// imported script, its name as an animation), never a file another road chose.
class DocumentSession final : public QObject {
    Q_OBJECT
public:
    // Fills model from a script file; false when nothing was read (the reader told the user why).
    using ScriptReader = std::function<bool(AnimationModel &model, const QString &path, Prompts &prompts)>;

    // read fills the document from a script for Import (the script layer's reader; none: nothing is imported).
    DocumentSession(Document &document, const Settings &settings, Prompts &prompts, ScriptReader read,
                    QObject *parent = nullptr);

    // "Save changes to FILE?" ("to the animation" while untitled) when there is unsaved work: Save, Discard or
    // Cancel. False: keep it open.
    bool confirmClose();
    // An empty untitled animation, after the question.
    bool newDocument();
    // The open dialog, after the question; true when a file was opened.
    bool open();
    // Opens path as a new document, after the question (Open Recent, a drop, the start-up file).
    bool openFile(const QString &path);
    // The import dialog, then import, after the question (unsaved work would otherwise live only in the
    // history, which no recovery file keeps): a step of this document, which is untitled afterwards.
    bool importChosen();
    bool importFile(const QString &path);
    // The file named at start, by `gio open` or a drop: a .ras opened, a .cfg imported; a name of no such file
    // said; anything else ignored.
    void openStartupFile(const QStringList &arguments);
    // Saves in place (Save As for an untitled document); asks before writing over a file changed on disk.
    bool save();
    bool saveAs();
    // Work a recovery file kept, after the question about the current work.
    bool restore(const RecoveredWork &work);

    // What the save dialog would offer now (tests and the window's title read the same name).
    QString offeredName() const;

signals:
    // A document from a file or a fresh one replaced the old (its history starts empty).
    void documentStarted();
    // The document was read from or written to path (the recent files list).
    void fileUsed(const QString &path);

private:
    bool load(const QString &path);
    bool importScript(const QString &path);
    bool confirmOverwriteChanged();

    Document &m_document;
    const Settings &m_settings;
    Prompts &m_prompts;
    ScriptReader m_read;
    FileDialogState m_dialog;  // Open, Import and Save As share its folder; Save As sets its name
    QString m_untitledName;  // the script an untitled document was imported from
};
