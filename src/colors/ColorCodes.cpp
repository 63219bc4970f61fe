#include "colors/ColorCodes.h"

#include "colors/GameColors.h"
#include "game/GameDrawing.h"

QColor ColorFromCode(QChar code)
{
    if (code >= QLatin1Char('0') && code <= QLatin1Char('9'))
        return GameColor(Games::Rtcw, code.unicode() - '0');
    return GameColor(Games::Rtcw, 7);
}

QColor ColorFromCode(const QString &code)
{
    return code.size() == 1 ? ColorFromCode(code.at(0)) : GameColor(Games::Rtcw, 7);
}

QString CodeFromColor(const QColor &color, const GameRules &game)
{
    return QString(Games::CodeChar(GameColorIndex(game, color).value_or(7)));
}

QString StripColorCodes(const QString &text)
{
    QString result;
    result.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (IsColorCodeAt(text, i))
            i += 2;
        if (i < n)
            result += text.at(i);
    }
    return result;
}

qint16 VisibleLength(const QString &text)
{
    const qsizetype length = StripColorCodes(text).size();
    return static_cast<qint16>(qMin<qsizetype>(length, 32767));
}
