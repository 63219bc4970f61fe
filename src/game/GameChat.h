#pragma once

#include "game/GameRules.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// What the others read of a chat line: the wire and the server change some bytes, and the game keeps 149.
namespace GameChat {

constexpr int MaxBytes = 149;  // the game's chat buffer holds 150, its end included

struct Result {
    QByteArray shown;  // empty when shown as said
    QString reason;    // why it is shown otherwise; empty when it isn't
};

Result Shown(QByteArrayView said, const GameRules &rules);

} // namespace GameChat
