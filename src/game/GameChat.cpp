#include "game/GameChat.h"

#include <QStringList>

#include <algorithm>

namespace GameChat {

Result Shown(QByteArrayView said, const GameRules &rules)
{
    const auto changed = [&rules](char c) { return c == '%' || (rules.wireHighToDot && static_cast<uchar>(c) >= 0x80); };
    const bool anyChanged = std::any_of(said.begin(), said.end(), changed);
    if (!anyChanged && said.size() <= MaxBytes)
        return {};  // most chat lines
    Result result;
    result.shown = said.first(qMin<qsizetype>(said.size(), MaxBytes)).toByteArray();
    bool percent = false;
    bool high = false;
    for (char &c : result.shown) {
        if (!changed(c))
            continue;
        (c == '%' ? percent : high) = true;
        c = '.';
    }
    QStringList reasons;
    if (said.size() > MaxBytes)
        reasons << QStringLiteral("the game keeps the first %1 bytes of a chat line").arg(MaxBytes);
    if (percent)
        reasons << QStringLiteral("the server turns % into .");
    if (high)
        reasons << QStringLiteral("letters outside ASCII reach the server as .");
    result.reason = reasons.join(QStringLiteral("; "));
    return result;
}

} // namespace GameChat
