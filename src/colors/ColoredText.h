#pragma once

#include <QColor>
#include <QString>
#include <QVector>

class QTextDocument;

// A piece of visible text in one colour.
struct ColorRun {
    QString text;
    QColor color;
};

// The visible text of a colour-coded text as runs of one colour each. Unlike
// the other text operations, "^^0" counts here as a code for black.
QVector<ColorRun> ColoredRuns(const QString &text);

// Replaces the document's content with the text drawn in its colours.
void RenderColoredText(const QString &text, QTextDocument &document);

// Converts a document's coloured characters back into colour-coded text: a
// code is written wherever the colour differs from the one before, starting from
// startColor. Characters without a colour of their own count as defaultColor.
QString ColorCodedText(const QTextDocument &document, const QColor &startColor, const QColor &defaultColor);
