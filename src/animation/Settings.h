#pragma once

#include "game/GameRules.h"
#include "game/SystemGamePlaces.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class RegistryStore;

// The options kept between runs, read at start-up and after the options
// window's OK; each is read and written only through LoadSettings and SaveSetting.
struct Settings {
    QString openDir;
    QString saveDir;
    QString generateDir;
    QString name;
    QString clanTag;
    bool reverse = false;
    bool editItem = false;
    bool multiSelect = false;
    int frameRate = 0;       // the player's frames per second, for the game's timings; 0: the game's stock rate
    int partLimit = 12288;   // bytes of one script part
    bool showColors = false; // the colour buttons beside the preview, as the last run left them
    int wizardStyle = 0;     // the wizard's last style: 0 simple, 1 advanced
    Game game = Game::Rtcw;  // the engine the player plays on
    bool gameSpeed = false;  // Play goes at the game's pace, showing what the game shows
    bool showCodes = true;   // the list shows the colour codes among the coloured Texts
    QByteArray windowGeometry;  // the main window's size and place when it last closed
    QStringList installFolders; // folders holding a game, chosen by the player
    int passes = 1;             // the script plays this many times: the script window's Repeat

    const GameRules &rules() const { return Games::Of(game); }
    // The frames per second the game's timings are counted at: the player's, or the game's stock rate.
    int fps() const { return fpsOn(rules()); }
    int fpsOn(const GameRules &other) const { return frameRate > 0 ? frameRate : other.defaultFps; }
    // Where the chosen game looks for scripts on this system.
    GameFolders folders() const { return foldersOf(rules()); }
    GameFolders foldersOf(const GameRules &other) const { return GameFoldersOf(other, SystemGamePlaces(installFolders)); }
};

// Each value of Settings as it is stored: one name each, spelled only in Settings.cpp.
enum class SettingsValue {
    OpenDir, SaveDir, GenerateDir, Name, ClanTag, Reverse, EditItem, MultiSelect, FrameRate, Game, PartLimit,
    ShowColors, ShowCodes, WizardStyle, GameSpeed, WindowGeometry, InstallFolders, Passes
};

// The text a value is stored as.
QString StoredText(const Settings &settings, SettingsValue value);
// Writes one value of settings; false when the store refused it (its saveError() says why).
bool SaveSetting(RegistryStore &store, const Settings &settings, SettingsValue value);
// Writes each of values whose stored text differs between shown and chosen: what the user changed, nothing
// another copy may have changed meanwhile. False when a write was refused.
bool SaveChangedSettings(RegistryStore &store, const Settings &shown, const Settings &chosen,
                         const QList<SettingsValue> &values);

// Where the settings live: one key directly under the current user's hive.
inline const QString SettingsKey = QStringLiteral("Software/Marqueemaster");

// The game values as stored, or their defaults (a frame rate of 0: the game's own); the part limit never above
// what exec accepts.
int FrameRateValue(const QString &stored);
int PartLimitValue(const QString &stored, const GameRules &game = Games::Rtcw);
// The game as stored (its key), or RtCW 1.4.
Game GameValue(const QString &stored);

// Reads every value; a missing key or value reads as its default, and a flag is on only when stored as "1"
// (ShowCodes: unless stored as "0").
Settings LoadSettings(const RegistryStore &store);

// Told at start-up when the stored settings could not be read.
QString UnreadableSettingsMessage(const QString &reason);

// "1" or "0", as flags are stored.
inline QString FlagText(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}
