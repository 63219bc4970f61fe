#pragma once

#include "game/GameRules.h"

#include <QColor>
#include <QString>
#include <QVector>

class QTextDocument;

// A piece of visible text in one colour.
struct ColorRun {
    QString text;
    QColor color;
};

// The visible text of a colour-coded text as runs of one colour each, as the game draws it. For
// RtCW 1.4, unlike the other text operations, "^^0" counts here as a code for black.
QVector<ColorRun> ColoredRuns(const QString &text, const GameRules &game = Games::Rtcw);

// Replaces the document's content with the text drawn in the game's colours.
void RenderColoredText(const QString &text, QTextDocument &document, const GameRules &game = Games::Rtcw);

// Converts a document's coloured characters back into colour-coded text: a
// code is written wherever the colour differs from the one before, starting from
// startColor, with the game's code for it. Characters without a colour of their own count as defaultColor.
QString ColorCodedText(const QTextDocument &document, const QColor &startColor, const QColor &defaultColor,
                       const GameRules &game = Games::Rtcw);
