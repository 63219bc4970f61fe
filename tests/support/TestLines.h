#pragma once

#include "animation/AnimationModel.h"

#include <QStringList>

// Texts of the model's lines, in order: the usual thing a test compares.
inline QStringList TextsOf(const AnimationModel &model)
{
    QStringList texts;
    for (const AnimationLine &line : model.lines())
        texts << line.text;
    return texts;
}

inline QVector<AnimationLine> LinesFromTexts(const QStringList &texts)
{
    QVector<AnimationLine> lines;
    for (const QString &text : texts)
        lines.append(NameLine(text));
    return lines;
}
