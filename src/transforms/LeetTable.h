#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

class Prompts;

// One look-alike: Key is replaced by Value. Keys compare exactly (case matters)
// and may be longer than one character or empty.
struct LeetEntry {
    QString Key;
    QString Value;
};

// The look-alikes read from leet.ini. Entry 0 is an empty pair no lookup uses;
// the file's pairs follow from index 1 in file order. Until the first load the
// table holds nothing, not even entry 0.
class LeetTable {
public:
    const QVector<LeetEntry> &entries() const { return m_entries; }
    bool leetLoaded() const { return m_loaded; }

    // Replaces the whole table with entry 0 followed by the pairs and marks it loaded.
    void setPairs(const QVector<LeetEntry> &pairs);
    // A failed load keeps the entries but clears the flag.
    void markLoadFailed() { m_loaded = false; }

private:
    QVector<LeetEntry> m_entries;
    bool m_loaded = false;
};

// The table the program shares between the main window and the options window.
LeetTable &ProcessLeetTable();

// Where leet.ini is: the user's own copy in their data folder, the file beside
// the program (a build), the installed one (share/marqueemaster). The last two
// are only read (an installed program's folders can't be written): every write
// goes to the user's copy, and reads take it once it exists, so a write is
// never shadowed.
struct LeetFileLocation {
    QString besideProgram;
    QString userCopy;
    QString installed;
    // One file for both (a chosen table).
    LeetFileLocation(const QString &path) : besideProgram(path), userCopy(path) {}
    LeetFileLocation(const QString &beside, const QString &user, const QString &installed = {})
        : besideProgram(beside), userCopy(user), installed(installed) {}
    // The places in the order they are looked at, each once.
    QStringList places() const;
    // The first of them that exists, else the user's copy (missing).
    QString readPath() const;
};

// The desktop program's and the command-line tool's leet.ini.
LeetFileLocation SystemLeetFile();
// The file both programs read: SystemLeetFile().readPath().
QString LeetFilePath();
// leet.ini in the given folder.
QString LeetFilePathIn(const QString &folder);

// One line of leet.ini: blanks at both ends dropped, cut at '='; the key is the
// piece before the first '=', the value the piece up to a second '=' (the rest
// is dropped). Empty lines and lines without any '=' give no pair.
std::optional<LeetEntry> ParseLeetLine(const QString &line);
QVector<LeetEntry> ParseLeetLines(const QStringList &lines);

// The 52 lines "Create file" writes: a to z, then A to Z.
QStringList DefaultLeetLines();

// Loads the file into the table; a missing file is reported and leaves the
// entries as they were with the flag cleared. Returns the flag.
bool LoadLeetTable(LeetTable &table, const QString &path, Prompts &prompts);

// The table as the text box shows it: "Key=Value" and CR LF per entry from 1 on.
QString LeetTableText(const LeetTable &table);

// The three actions of the leet tab. Each returns the text the box should show
// afterwards, or nothing when the box stays as it is.

// Loads the file and gives the table's text (after a failed load: the entries
// of the last successful one).
QString ReloadLeetTable(LeetTable &table, const QString &path, Prompts &prompts);
// Writes the box's text with CR LF line ends and one more CR LF into the user's
// copy, then loads it. A write that fails is reported and keeps the table in
// memory unchanged.
bool SaveLeetText(LeetTable &table, const LeetFileLocation &file, const QString &text, Prompts &prompts);
// Writes the default table into the user's copy (asking first when a leet.ini
// is in use), then reloads.
std::optional<QString> CreateLeetFile(LeetTable &table, const LeetFileLocation &file, Prompts &prompts);

// The message shown when leet.ini can't be written.
QString LeetWriteFailedMessage(const QString &path, const QString &reason);
