#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// A key bound to a script in the game's autoexec.cfg: the one config the game runs at start and never writes
// itself (its own config is rewritten from memory whenever a bind changes).

// The key name as every engine reads it, or nothing when the games have no such key: one character lower-cased
// (RtCW 1.4 keeps `K` as a code no key sends), a name from the games' key table in capitals.
std::optional<QString> GameKeyName(const QString &typed);

// bind KEY "COMMAND"
QString BindLine(const QString &key, const QString &command);

struct BindEdit {
    QByteArray bytes;   // the file with the bind
    QString boundTo;    // the command the key was bound to before, when it was another one
    bool changed = false;
};
// Adds the key's bind at the end of autoexec, or, with replace, in place of the line binding it to something
// else; every other byte stays. Without replace a key bound to another command leaves the file as it was.
BindEdit AddBind(const QByteArray &autoexec, const QString &key, const QString &command, bool replace);

// autoexec without each line that binds a key to exactly command (as AddBind writes it), and the line end
// that came with it: the file as it was before.
QByteArray RemoveBind(const QByteArray &autoexec, const QString &command, bool *removed = nullptr);

// The bind line autoexec holds for command, or empty.
QString FindBind(const QByteArray &autoexec, const QString &command);

// The command a bind runs a script by: exec and its path in the game folder, without ".cfg" unless the name
// has another ending; nothing when a bind can't hold the path (a blank, a quote or a semicolon in it).
std::optional<QString> BindCommandOf(const QString &execName, const QString &execFirst);
