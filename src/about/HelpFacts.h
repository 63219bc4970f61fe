#pragma once

#include "game/GameFolders.h"

#include <QString>

// What the help's pages say of the chosen game on this computer. A page names them in braces: {game},
// {folders} (where exec looks, first to last), {gameFolder} (where scripts and autoexec.cfg belong),
// {autoexec}, {config} (the file the game rewrites itself), {baseName}, {black} (what the game does with a black
// code in a name).
struct HelpFacts {
    QString game = QStringLiteral("RtCW 1.4");
    QStringList folders;
    QString gameFolder;
    QString baseName = QStringLiteral("main");
    QString config = QStringLiteral("wolfconfig_mp.cfg");
    bool blackInNames = false;
};

HelpFacts HelpFactsOf(const GameRules &game, const GameFolders &folders);

// The page with each fact in place of its name; a folder not known is said so.
QString FillHelpPage(QString html, const HelpFacts &facts);
