#pragma once

#include "game/GameFolders.h"
#include "game/GameRules.h"
#include "script/ScriptGenerator.h"

#include <QString>
#include <QStringList>
#include <QVector>

// A script larger than one part may be is kept as parts NAME.cfg, NAME_2.cfg
// ... each starting with the banner and ending, after a wait line, with an exec
// of the next part. The texts here are the window's: CR LF between lines, none
// at the end (the file adds it).

// What exec calls a saved script: its path under the game folder that holds it (see GameFolders) without
// ".cfg"; outside every such folder, the bare name and underGameFolder false: the game won't find it there.
struct ExecTarget {
    QString name;
    bool underGameFolder = false;
    QString first;  // the same with the saved file's own ending: what exec is given for part 1
};
ExecTarget ExecTargetOf(const QString &savedPath, const GameFolders &folders);

// Where the game finds a file an exec line names: the first of `folders` holding it; for a script outside
// every game folder, beside it (where it would be once the chain is moved whole into a game folder).
QStringList ExecSearchOf(const QString &scriptPath, const GameFolders &folders);

// Said of a script saved outside the game's folders: that the game won't find it, and where it would.
QString OutsideGameMessage(const QString &savedPath, const GameFolders &folders, const GameRules &game);

// NAME.cfg for part 1, NAME_2.cfg for part 2 ... beside the first part's path.
QString PartPath(const QString &firstPath, int part);

// What exec is given for a part from the second on: "NAME_2.cfg" ...
QString ExecPath(const QString &execName, int part);
// The line that runs a file: exec "PATH", quoted, so a blank or a dot in it can't cut it short.
QString ExecLine(const QString &path);
// The last line of a part that goes on in part `next`.
QString ChainLine(const QString &execName, int next);
// Why a chain of `parts` parts can't be started or chained under execName (a
// path past what exec reads, a double quote in it; for more than one pass, a path the count can't run), or empty.
QString ExecPathProblem(const ExecTarget &target, int parts, int passes = 1);

// Bytes each chained exec leaves waiting in the game's buffer: the LF after
// the exec line's CR, and the line end exec puts after the file it inserts.
constexpr int WaitingPerExec = 2;
// The most file bytes the part at `index` (from 0) may hold under `limit`:
// what the buffer still takes after the bytes the earlier execs left waiting.
int PartRoom(int limit, int index, const GameRules &game = Games::Rtcw);

// The bytes a script line's echo commands leave at the end of the game's buffer (on an engine that puts them
// there), waiting until every part has run.
qsizetype AppendedEchoBytes(QStringView line, const GameRules &game);

// Bytes of the file a window text makes (with its final line end).
qsizetype PartFileBytes(QStringView windowText);

// The script cut into parts of at most `limit` file bytes, between its steps. A script
// that fits is one part, unchanged. A single step larger than a part may be
// stays a part larger than the limit. A part's text is put together only when asked
// for: a whole animation's script is over a million characters, and a window
// shows one part at a time.
// Played more than once (ScriptRepeat), part 1 is the starter that keeps the count, the animation follows from
// part 2, its last part ends with the line that plays the next pass, and every part leaves room for the bytes
// the passes before it left in the buffer.
class ScriptPartList {
public:
    ScriptPartList() = default;
    ScriptPartList(const GeneratedScript &script, const QString &execName, int limit,
                   const GameRules &game = Games::Rtcw, int passes = 1);

    int size() const { return static_cast<int>(m_pieces.size()) + starters(); }
    int passes() const { return m_passes; }
    // True when the part is the starter of a repeated chain: written for the file it is saved as, not edited.
    bool isStarter(int index) const { return index < starters(); }
    // True when every part fits what the game's buffer takes for it.
    bool fits() const;
    QString part(int index) const;
    // PartFileBytes(part(index)), without putting the part together.
    qsizetype fileBytes(int index) const;
    QStringList all() const;
    // The most file bytes the part at index was cut for: what the buffer takes then.
    int room(int index) const { return isStarter(index) ? m_starterRoom : m_pieces.at(index - starters()).room; }
    const GeneratedScript &script() const { return m_script; }

private:
    int starters() const { return m_passes > 1 ? 1 : 0; }
    void cut(qsizetype wholeBytes, int limit, const GameRules &game, qsizetype reservePerPart);
    QString chainOf(int piece) const;

    struct Piece {
        qsizetype start = 0;
        qsizetype end = 0;
        qsizetype bytes = 0;  // file bytes of the text from start to end
        int room = 0;
    };
    GeneratedScript m_script;
    QString m_execName;
    int m_passes = 1;
    QString m_starter;
    int m_starterRoom = 0;
    qsizetype m_appended = 0;  // bytes echo puts at the end of the buffer in one pass
    qsizetype m_headerEnd = 0;  // each part starts with the text up to here
    qsizetype m_headerBytes = 0;
    QVector<Piece> m_pieces;
};

// The most passes of the script whose parts all fit the game's buffer (at least 1).
int MostPasses(const GeneratedScript &script, const QString &execName, int limit, const GameRules &game);

// All parts of the script, put together.
QStringList SplitScript(const GeneratedScript &script, const QString &execName, int limit,
                        const GameRules &game = Games::Rtcw, int passes = 1);
// The parts a script saved at path is written as, chained by the path the game runs it by: what the script
// window's Save and marqueemaster-cli generate -o both write.
QStringList ScriptPartsFor(const GeneratedScript &script, const QString &path, int limit, const GameRules &game,
                           const GameFolders &folders = {}, int passes = 1);

// Each part's line that runs the next part (its last `exec "…_<k>.cfg"` line, wherever edits left it) renamed
// to chain as execName: after a save elsewhere. Repeated, the starter is written anew for execName and the last
// part's line that plays the next pass renamed.
QStringList RechainParts(QStringList parts, const QString &execName, int passes = 1);
// The parts (from 1) that no longer run the next one (or, repeated, the last part the next pass): their chain
// line was edited away.
QList<int> PartsNotChained(const QStringList &parts, int passes = 1);
