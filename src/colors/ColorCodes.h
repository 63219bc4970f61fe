#pragma once

#include "game/GameRules.h"

#include <QColor>
#include <QString>

// A colour code is a caret followed by a decimal digit. The character after a
// code is always visible, never examined as the start of another code.

// True when text[i] starts a colour code (0-based).
inline bool IsColorCodeAt(const QString &text, qsizetype i)
{
    if (i < 0 || i + 1 >= text.size() || text.at(i) != QLatin1Char('^'))
        return false;
    const QChar digit = text.at(i + 1);
    return digit >= QLatin1Char('0') && digit <= QLatin1Char('9');
}

// The colour of a code ("0".."9"); any other string is white.
QColor ColorFromCode(const QString &code);
QColor ColorFromCode(QChar code);

// The code character of a colour in the game's table: "0".."7" for the eight colours; any other
// colour gives "7".
QString CodeFromColor(const QColor &color, const GameRules &game = Games::Rtcw);

QString StripColorCodes(const QString &text);
qint16 VisibleLength(const QString &text);
