#pragma once

#include <QString>
#include <QStringList>

// A freedesktop key file (mimeapps.list, mimeinfo.cache, a desktop entry) kept
// line by line, so that changing one key leaves every other line as it was.
class KeyFileLines {
public:
    static KeyFileLines read(const QString &path);  // a missing file reads as empty
    // Atomic; creates the folder when needed.
    bool write(const QString &path) const;

    QString value(const QString &group, const QString &key) const;
    void setValue(const QString &group, const QString &key, const QString &value);
    void remove(const QString &group, const QString &key);

    // A desktop-id list value ("a.desktop;b.desktop;") with one id added or
    // removed; the key goes when its list ends up empty.
    void addToList(const QString &group, const QString &key, const QString &id);
    void removeFromList(const QString &group, const QString &key, const QString &id);

private:
    qsizetype groupStart(const QString &group) const;  // line after the header, -1 when missing
    qsizetype groupEnd(qsizetype start) const;
    qsizetype keyLine(const QString &group, const QString &key) const;

    QStringList m_lines;
};

// The entries of a list value, without the empty piece after the last ';'.
QStringList KeyFileList(const QString &value);
