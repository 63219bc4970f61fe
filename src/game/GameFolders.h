#pragma once

#include "game/GameRules.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

// The operating system a game runs on: its home folder differs.
enum class HostOs { Linux, Windows, MacOs };

// Where this player's games can be: the system's folders and the install folders chosen or found.
struct GamePlaces {
    HostOs os = HostOs::Linux;
    QString home;             // the user's home folder
    QString documents;        // the user's Documents folder (Windows)
    QStringList installs;     // folders holding a game: the player's choice first, then those found
};

// A folder exec reads scripts from.
struct GameFolder {
    QString path;
    bool home = false;  // the game's home folder (else an install folder)
};

// Where the chosen game looks for a script, in the order its exec searches (the first hit wins).
struct GameFolders {
    QVector<GameFolder> search;
    // Where the player's own scripts and autoexec.cfg belong: the home base folder, or on a game without a home
    // folder the first install's base folder; empty when neither is known.
    QString homeBase;
    QString baseName;  // "main", "etmain"

    // The path exec runs a file by ("anims/ocelot.cfg"): relative to the first search folder holding it.
    std::optional<QString> execPathOf(const QString &filePath) const;
    // The folder of `search` that holds filePath, or empty.
    QString folderHolding(const QString &filePath) const;
    // Where "Save into the game folder" puts a script saved at filePath: the home base folder, keeping what
    // follows a base folder's name in the path ("main/anims/x.cfg" -> "anims/x.cfg"), else the file name.
    QString intoGameFolder(const QString &filePath) const;
};

// The folders of a game on a system.
GameFolders GameFoldersOf(const GameRules &game, const GamePlaces &places);
// The game's home folder on the system, holding its base and mod folders; empty when the game has none there.
QString GameHomeOf(const GameRules &game, const GamePlaces &places);
