#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// The engines a name animation is played on. They share the console's shape
// and differ in the numbers and switches below: an engine is one GameRules value.
enum class Game { Rtcw, IoRtcw, Et, EtLegacy };

struct GameRules {
    // Which byte after a caret makes a colour code.
    enum class Codes {
        AnyByte,          // any byte but NUL, a caret included
        AnyButCaret,      // any byte but NUL and the caret
        LetterOrDigit,    // ASCII letters and digits only
        PrintableOrHigh,  // printable ASCII but blank and caret, or a byte from 128 up
    };
    // How the server throttles chat and other game commands.
    enum class Flood {
        Restarting,  // every command restarts an 800 ms window; game commands inside it are ignored
        Fixed,       // the window restarts only once it has run out: one game command per 800 ms
        Burst,       // the game's own: a burst of 5 chat lines, then one a second
    };

    Game game = Game::Rtcw;
    const char *title = "";  // as the player knows it
    const char *key = "";    // as the command line names it

    // The console
    int bufferBytes = 16384;           // the command buffer
    int maxCommandBytes = 1023;        // a longer command is cut there, its next byte lost
    int maxPathBytes = 63;             // exec copies its name, ending included, into 64 bytes
    int runsPerFrame = 2;              // the buffer runs before the server frame and again before the client frame
    int execNewline = 1;               // exec puts a line end after the file it inserts
    int setJoinLimit = 254;            // set stops joining words when their counted length would reach it
    bool setDropsLastUnsafe = false;   // set with 4+ words leaves out a last word "unsafe"
    bool nameTakesAllWords = false;    // bare "name a b" sets "a b"; else only "a"
    bool hasExecq = false;             // execq runs a file as exec does, without saying so
    bool execEndingFromFirstByte = false;  // a '.' as the name's first byte counts as its ending
    bool colonKeepsSlashes = false;    // "://" inside a word is no comment (http://…)
    bool highBytesInWords = false;     // inside a word, a byte from 128 up starts a UTF-8 sequence kept whole;
                                       // else it separates words (between words it is a blank everywhere)
    bool commentHidesSemicolon = false;  // after // (or inside /* */) a ; no longer ends the command
    bool negativeWaitStalls = true;    // wait -1 never counts down; otherwise it waits one run
    bool echoAppends = false;          // echo (connected) adds `cpm "text"` at the end of the buffer, behind
                                       // every later command: its text shows once the whole script has run

    // The name
    int nameBytes = 35;                // the server keeps this many, colour codes included
    bool wholeCodeFits = true;         // a code that doesn't fit whole ends the name; else the server copies
                                       // byte by byte, each looked at against the byte out before it
    bool keepsTrailingCaret = false;
    bool blackAllowed = false;
    Codes cleanedCodes = Codes::AnyByte;  // what the server takes as a code when cleaning
    Codes drawnCodes = Codes::AnyByte;    // what the game draws as a code
    unsigned char filterFrom = 0x80;   // the client removes bytes filterFrom..filterTo (and 0xFF when filterFF)
    unsigned char filterTo = 0xFF;
    bool filterFF = true;
    bool wireHighToDot = true;         // bytes from 128 up reach the server as '.'
    bool dropsBadName = false;         // a name over nameBytes, or none, gets the player dropped

    // Colours, flood and renames
    int colors = 8;                    // 8 or 32: the code's index is (c - '0') & (colors - 1)
    Flood flood = Flood::Restarting;
    int floodMs = 800;
    int burst = 5;                     // Flood::Burst: lines let through at once, then one per burstMs
    int burstMs = 1000;
    int nameChangeMs = 0;              // the server applies one name change per this long (0: every one), the latest held
    int defaultFps = 85;               // com_maxfps as the game ships it

    constexpr int colorIndex(unsigned char code) const { return (code - '0') & (colors - 1); }
    constexpr bool clientRemoves(unsigned char byte) const
    {
        return (byte >= filterFrom && byte <= filterTo) || (filterFF && byte == 0xFF);
    }
    constexpr bool drawsAsCode(unsigned char next) const { return IsCode(drawnCodes, next); }
    constexpr bool cleansAsCode(unsigned char next) const { return IsCode(cleanedCodes, next); }
    // The most bytes a script part may hold: exec needs the file plus its line end.
    constexpr int maxPartBytes() const { return bufferBytes - execNewline; }

    static constexpr bool IsCode(Codes codes, unsigned char c)
    {
        switch (codes) {
        case Codes::AnyByte:
            return c != 0;
        case Codes::AnyButCaret:
            return c != 0 && c != '^';
        case Codes::LetterOrDigit:
            return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        case Codes::PrintableOrHigh:
            return c >= 0x80 || (c > ' ' && c < 0x7F && c != '^');
        }
        return false;
    }
};

namespace Games {

// A set that joins every word: no command holds more than 1,023 bytes.
inline constexpr int AllWords = 8191;

inline constexpr GameRules Rtcw{.game = Game::Rtcw, .title = "RtCW 1.4", .key = "rtcw"};

inline constexpr GameRules IoRtcw{.game = Game::IoRtcw, .title = "ioRTCW", .key = "iortcw",
                                  .bufferBytes = 131072, .setJoinLimit = AllWords, .nameTakesAllWords = true,
                                  .hasExecq = true, .execEndingFromFirstByte = true,
                                  .commentHidesSemicolon = true, .negativeWaitStalls = false,
                                  .wholeCodeFits = false, .keepsTrailingCaret = true, .cleanedCodes = GameRules::Codes::LetterOrDigit,
                                  .drawnCodes = GameRules::Codes::LetterOrDigit, .defaultFps = 76};

inline constexpr GameRules Et{.game = Game::Et, .title = "Enemy Territory 2.60b", .key = "et", .bufferBytes = 131072,
                              .setDropsLastUnsafe = true, .colonKeepsSlashes = true, .echoAppends = true,
                              .blackAllowed = true, .drawnCodes = GameRules::Codes::AnyButCaret, .filterTo = 0xA0,
                              .colors = 32, .flood = GameRules::Flood::Fixed};

inline constexpr GameRules EtLegacy{.game = Game::EtLegacy, .title = "ET: Legacy", .key = "etlegacy",
                                    .bufferBytes = 131072, .setJoinLimit = AllWords, .setDropsLastUnsafe = true,
                                    .nameTakesAllWords = true, .hasExecq = true, .execEndingFromFirstByte = true,
                                    .colonKeepsSlashes = true, .highBytesInWords = true,
                                    .commentHidesSemicolon = true, .negativeWaitStalls = false, .echoAppends = true,
                                    .blackAllowed = true, .drawnCodes = GameRules::Codes::PrintableOrHigh,
                                    .filterTo = 0xA0, .wireHighToDot = false, .dropsBadName = true, .colors = 32,
                                    .flood = GameRules::Flood::Burst, .nameChangeMs = 5000,
                                    .defaultFps = 125};

inline constexpr std::array<const GameRules *, 4> All{&Rtcw, &IoRtcw, &Et, &EtLegacy};

// The rules of a game; RtCW 1.4 for anything unknown.
const GameRules &Of(Game game);
// The game a key names ("rtcw", "iortcw", "et", "etlegacy"), or nothing.
std::optional<Game> FromKey(const QString &key);
QString KeyOf(Game game);
QString TitleOf(Game game);
// The game's name where the program names the scripts it makes ("Generate RtCW Script"): RtCW 1.4's as it always
// was, the others' titles.
QString ScriptGameName(const GameRules &game);
// "rtcw|iortcw|et|etlegacy", for usage lines.
QString Keys();

// The colour the game draws for a colour index, as 0xRRGGBB; the 8-colour table is the first 8 of the 32.
unsigned ColorRgb(int index);

} // namespace Games
