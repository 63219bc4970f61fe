#pragma once

#include "animation/AnimationLine.h"
#include "wizard/Effects.h"

#include <QString>
#include <QStringList>
#include <QVector>

class AnimationModel;
class Prompts;

// One row of the wizard's effect list.
struct EffectRow {
    QString effect;
    QString param1;
    QString param2;

    friend bool operator==(const EffectRow &, const EffectRow &) = default;
};

// What the effects start from: the name page's choice.
struct EffectStart {
    QString name;
    QString clanTag;
    bool reverse = false;
};

// The effects the wizard offers, in its order.
const QStringList &EffectNames();

// The name box a new scroll row measures: the "Name Only" box, or the
// "Clantag and Name" one when the first holds nothing but blanks.
QString DefaultNameBox(const QString &nameOnlyBox, const QString &clanNameBox);

// Parameters of a new row: scroll widths default to the raw length of clan tag
// box plus name box, so the whole text fits the window.
EffectRow DefaultEffectRow(const QString &effect, const QString &clanTagBox, const QString &nameBox);

// What the parameter panel offers for a row's effect. For an effect without a
// first parameter the arrows keep whatever range they had.
struct ParameterPanel {
    QString label1;
    QString label2;
    bool param1Enabled = false;
    bool param2Enabled = false;
    int minimum = 0;
    int maximum = 0;
    QStringList choices1;  // when set, the first arrows step through these names
    bool param2Arrows = false;  // the second parameter then changes only through arrows in its range
    int minimum2 = 0;
    int maximum2 = 0;
};
ParameterPanel ParameterPanelFor(const QString &effect);

// The number an up-down arrow leaves in its box: one step within the range.
// A number outside the range moves to the nearer end of it, a text that is no
// number to the minimum.
QString StepParameter(const QString &boxText, int step, int minimum, int maximum);
// The same for a list of names: a text not in the list moves to the first.
QString StepChoice(const QString &boxText, int step, const QStringList &choices);

// What the wizard's Finish does: empties the animation, then applies every row
// in order with one working name and clan tag. Stops after the first effect
// that fills the animation, so the user is told about the limit only once; an
// effect cut short by the character cap ends only itself.
void RunEffects(AnimationModel &model, const QString &name, const QString &clanTag, bool reverse,
                const QVector<EffectRow> &rows, Prompts &prompts, bool keepColours = false,
                const GameRules &game = Games::Rtcw);

// The lines RunEffects gives, in a list of their own: the animation is not
// touched and nothing is told (the line limit still ends them).
QVector<AnimationLine> EffectLines(const EffectStart &start, const QVector<EffectRow> &rows, bool keepColours,
                                   const GameRules &game);
