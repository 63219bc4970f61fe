#include "game/GameDrawing.h"

const GameDrawing &DrawingOf(const GameRules &game)
{
    // In the order of Game: RtCW 1.4, ioRTCW, ET 2.60b, ET: Legacy.
    static constexpr GameDrawing drawings[] = {
        {.digitCodesOnly = true}, {}, {.starKeepsColor = true}, {.starKeepsColor = true}};
    return drawings[static_cast<int>(game.game)];
}

namespace Games {

QChar CodeChar(int index)
{
    index &= 31;
    return index == 11 ? QLatin1Char('[') : QChar(u'0' + index);
}

} // namespace Games
