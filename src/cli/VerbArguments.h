#pragma once

#include "cli/CliVerbs.h"
#include "game/GameRules.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

// One option of a verb: its names (the first is shown), the value it takes (empty: a switch), what it does.
struct VerbOption {
    QStringList names;
    QString value;
    QString about;
    bool required = false;
    QString missing = {};  // said when the value is missing; by default "--NAME needs a value"
    bool inTail = false;   // shown by the syntax's usage tail, not on its own
};

// What a verb takes: its positional arguments as usage shows them, and its options, in the order shown.
struct VerbSyntax {
    QString positional;       // "FILE.ras", "TEXT", or empty
    QList<VerbOption> options;
    QString usageTail = {};   // what the usage line adds after the options
};

// The verb's arguments as given: options in the order given (name, value), then the positional ones.
struct VerbArguments {
    QList<std::pair<QString, QString>> options;
    QStringList positional;

    bool isSet(const QString &name) const;
    // The last value given for the option, or nothing.
    std::optional<QString> value(const QString &name) const;
    qsizetype count(const QString &name) const;
};

// Reads arguments the way such tools take them (--opt value, --opt=value, -o value, "--" before file names that
// start with "-"); on an unknown option or a missing value says so and returns nothing.
std::optional<VerbArguments> ParseVerbArguments(const VerbSyntax &syntax, const QStringList &arguments,
                                                CliStreams &streams);

// "generate FILE.ras [-o FILE.cfg] [--part-limit BYTES] ...", wrapped below the verb's name.
QString VerbUsage(const QString &verb, const VerbSyntax &syntax);
// The usage, then one line per option.
QString VerbHelp(const QString &verb, const VerbSyntax &syntax);

// --game KEY, shared by the verbs that play for a game.
VerbOption GameOption();
// The game --game names, or the Options' choice without it; nothing, after saying why, for an unknown key.
std::optional<Game> ChosenGame(const VerbArguments &arguments, CliStreams &streams);
