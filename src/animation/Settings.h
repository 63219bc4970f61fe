#pragma once

#include "game/GameRules.h"

#include <QString>

class RegistryStore;

// The options kept between runs, read at start-up and after the options
// window's OK.
struct Settings {
    QString openDir;
    QString saveDir;
    QString generateDir;
    QString name;
    QString clanTag;
    bool reverse = false;
    bool editItem = false;
    bool multiSelect = false;
    int frameRate = 125;     // the player's frames per second, for the game's timings
    int partLimit = 12288;   // bytes of one script part
    bool showColors = false; // the colour buttons beside the preview, as the last run left them
    int wizardStyle = 0;     // the wizard's last style: 0 simple, 1 advanced
    Game game = Game::Rtcw;  // the engine the player plays on
    bool gameSpeed = false;  // Play goes at the game's pace, showing what the game shows

    const GameRules &rules() const { return Games::Of(game); }
};

// Where the settings live: one key directly under the current user's hive.
inline const QString SettingsKey = QStringLiteral("Software/Marqueemaster");

// The game values as stored, or their defaults; the part limit never above what exec accepts.
int FrameRateValue(const QString &stored);
int PartLimitValue(const QString &stored, const GameRules &game = Games::Rtcw);
// The game as stored (its key), or RtCW 1.4.
Game GameValue(const QString &stored);

// Reads the eight values and the three game values; a missing key or value reads as its default, and a
// flag is on only when stored as "1".
Settings LoadSettings(const RegistryStore &store);

// Told at start-up when the stored settings could not be read.
QString UnreadableSettingsMessage(const QString &reason);

// "1" or "0", as flags are stored.
inline QString FlagText(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}
