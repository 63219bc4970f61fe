#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A freedesktop key file (mimeapps.list, mimeinfo.cache, a desktop entry) kept
// line by line, so that changing one key leaves every other line as it was, and
// a change taken back leaves the file byte for byte as it was.
class KeyFileLines {
public:
    static KeyFileLines read(const QString &path);  // a missing file reads as empty
    // Atomic; creates the folder when needed. Writes nothing when the text is
    // what was read, and removes the file when it was missing and ends up empty.
    bool save(const QString &path) const;

    QString value(const QString &group, const QString &key) const;
    // The key's whole line as written, or empty text.
    QString line(const QString &group, const QString &key) const;
    // Puts a line read by line() back in place of the key's line.
    void replaceLine(const QString &group, const QString &key, const QString &text);

    bool isEmpty() const { return m_lines.isEmpty(); }
    bool hasGroup(const QString &group) const { return groupStart(group) >= 0; }

    // Adds "key=value" and says what it made beside the line: "g" the group, "b"
    // a blank line before it, "f" the file itself.
    QString insert(const QString &group, const QString &key, const QString &value);
    // Removes the key's line; with "g" in made, the group too when that leaves
    // it empty (and with "b" the blank line before it).
    void removeInserted(const QString &group, const QString &key, const QString &made);

    // Puts the id first in a desktop-id list ("a.desktop;b.desktop;"), the rest
    // of the line as written; gives "=" when the line was there, else what insert made.
    QString addToList(const QString &group, const QString &key, const QString &id);
    // Takes the id's piece out; unless made is "=", the line goes when its list
    // ends up empty, as removeInserted takes it.
    void takeFromList(const QString &group, const QString &key, const QString &id, const QString &made);

private:
    qsizetype groupStart(const QString &group) const;  // line after the header, -1 when missing
    qsizetype groupEnd(qsizetype start) const;
    qsizetype keyLine(const QString &group, const QString &key) const;

    QStringList m_lines;
    QByteArray m_read;  // the bytes as read
    bool m_existed = false;
};

// The entries of a list value, without the empty piece after the last ';'.
QStringList KeyFileList(const QString &value);
