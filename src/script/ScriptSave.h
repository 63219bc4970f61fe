#pragma once

#include "game/GameFolders.h"

#include <QString>
#include <QStringList>

#include <functional>

struct FileDialogState;
class Prompts;

// Title of the question and of the failure message while saving a script.
inline const QString SaveScriptTitle = QStringLiteral("Save script");

struct PartsWriteResult {
    bool ok = false;
    QString errorMessage;            // for the user, when not ok
    QString errorLine;               // the same on one line, for the command line
    bool replacedCharacters = false;
    QStringList written;             // the part files, in order
    QStringList removed;             // higher-numbered parts the last save wrote
    QStringList edited;              // higher-numbered parts the last save wrote, changed since: kept
    QStringList kept;                // higher-numbered files the last save didn't write
};

// One line for each file past the new last part: what was removed or kept, and why.
QStringList ChainFileNotes(const PartsWriteResult &result);

// The files NAME_2.cfg ... a save of that many parts at firstPath would write over that the last save of this chain
// didn't write, or that changed since, each as "PATH: why". Nobody who can't be asked may lose them.
QStringList PartsNotToWriteOver(const QString &firstPath, qsizetype parts);

// The part files a save at firstPath writes: NAME.cfg, NAME_2.cfg ...
QStringList PartPaths(const QString &firstPath, qsizetype count);

// Writes every part (window texts) beside firstPath, all or none, chaining them
// by their path under the game folder; then removes the higher-numbered parts
// the last save of firstPath wrote (ScriptChainRecord) that still hold what it
// wrote, and lists every other one. Nothing is written when an exec path would
// be too long.
PartsWriteResult WriteScriptParts(const QString &firstPath, const QStringList &parts, const GameFolders &folders = {},
                                  int passes = 1);

// Where a script is saved: the Options' folder for scripts, and the chosen game's folders.
struct ScriptSavePlace {
    QString generateDir;
    GameFolders folders;
    QString gameName = QStringLiteral("RtCW");  // as the file filter names the scripts
    int passes = 1;                              // the chain plays this many times (ScriptRepeat)
};

// The script window's "Save": asks for a .cfg file (starting in generateDir, else the game's home base folder,
// until a script was saved, then where it went), adds .cfg to a name without ending, offers to create a missing
// folder, asks once before overwriting any of the part files, and writes them.
// A failed write is reported, not swallowed. True when written.
// partsFor gives the parts for the chosen path (their chain lines run by that path); saved receives them.
bool SaveScriptParts(const std::function<QStringList(const QString &path)> &partsFor, const ScriptSavePlace &place,
                     FileDialogState &dialog, Prompts &prompts, QStringList *saved = nullptr);
// The same without the dialog: saves at path, as "Save into the game folder" does.
bool SaveScriptPartsAt(const QString &path, const std::function<QStringList(const QString &path)> &partsFor,
                       const ScriptSavePlace &place, Prompts &prompts, QStringList *saved = nullptr);

inline bool SaveScriptParts(const QStringList &parts, const QString &generateDir, FileDialogState &dialog,
                            Prompts &prompts)
{
    return SaveScriptParts([&parts](const QString &) { return parts; }, {generateDir, {}}, dialog, prompts);
}

inline bool SaveScript(const QString &text, const QString &generateDir, FileDialogState &dialog, Prompts &prompts)
{
    return SaveScriptParts(QStringList{text}, generateDir, dialog, prompts);
}
