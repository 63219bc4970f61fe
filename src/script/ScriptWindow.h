#pragma once

#include "script/ScriptParts.h"

#include <QDialog>
#include <QStringList>

#include <functional>
#include <optional>

class AnimationModel;
class QAction;
class Prompts;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QSpinBox;
struct GameVerdict;
struct FileDialogState;
struct Settings;

// "Generate RtCW Script" (or the chosen game's name): the script built from the animation when the window
// opens, as the parts it is saved in (a list beside one box showing the chosen
// part), with what the game will make of it. "Save" writes what the boxes hold.
class ScriptWindow : public QDialog {
    Q_OBJECT
public:
    ScriptWindow(const AnimationModel &model, const Settings &settings, FileDialogState &dialog, Prompts &prompts,
                 QWidget *parent = nullptr);

    // The parts as the boxes hold them, window texts.
    QStringList parts() const;

signals:
    // The player chose how many times the script plays: the list's marks and Play count those passes too.
    void passesChosen(int passes);

private:
    void setPasses(int passes);
    // What the game makes of the lines played as many times as the script plays them.
    void showVerdict(const GameVerdict &verdict);
    // True when a part's box holds other than what was generated.
    bool edited() const;
    void showPart(int part);
    // The parts of a script cut anew, the first shown.
    void showGenerated(const ScriptPartList &generated);
    QString partText(int part) const;
    qsizetype partBytes(int part) const;  // the file's bytes, without putting an unbuilt part together
    // The file the script is saved as, or until then where it would go.
    QString savedOrAssumedPath() const;
    void showSummary();
    void save();
    void saveIntoGameFolder();
    void bindToKey();
    void removeBind();
    // The command a bind runs the saved script by, or why there is none yet (told).
    std::optional<QString> bindCommand();
    QString autoexecPath() const;
    void showBindState();
    // Asks what must be asked before any save, then saves through `write`, then shows and checks what was saved.
    void saveThrough(const std::function<bool(const std::function<QStringList(const QString &)> &partsFor,
                                              QStringList *saved)> &write);

    const AnimationModel &m_model;
    const Settings &m_settings;
    int m_passes = 1;
    int m_mostPasses = 0;    // when the passes don't fit the game's buffer: the most that do
    QSpinBox *m_repeat = nullptr;
    GameFolders m_folders;   // where the chosen game looks for scripts
    int m_playMs = 0;        // how long the animation plays in the game
    QAction *m_saveIntoGame = nullptr;
    QAction *m_bind = nullptr;
    QAction *m_unbind = nullptr;
    QString m_droppingRows;  // the lines whose name gets the player dropped, as told before saving
    QString m_nameChanges;   // how many names a server limiting name changes shows
    FileDialogState &m_dialog;
    Prompts &m_prompts;
    mutable QStringList m_parts;  // a null entry: not put together yet
    ScriptPartList m_generated;
    int m_shown = -1;
    QLabel *m_summary = nullptr;
    QListWidget *m_partList = nullptr;
    QPlainTextEdit *m_text = nullptr;
    QPlainTextEdit *m_report = nullptr;
};
