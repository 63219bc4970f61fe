#include "wizard/EffectList.h"

#include "animation/AnimationModel.h"
#include "colors/Numbers.h"
#include "platform/SilentPrompts.h"
#include "transforms/Colorize.h"

namespace {

bool onlyBlanks(const QString &text)
{
    for (QChar c : text) {
        if (c != QLatin1Char(' '))
            return false;
    }
    return true;
}

bool isScroll(const QString &lowerEffect)
{
    return lowerEffect == QLatin1String("scroll to left") || lowerEffect == QLatin1String("scroll to right");
}

} // namespace

const QStringList &EffectNames()
{
    static const QStringList names{EffectWave2, EffectBounce, EffectScrollLeft, EffectScrollRight, EffectColourWave};
    return names;
}

QString DefaultNameBox(const QString &nameOnlyBox, const QString &clanNameBox)
{
    return onlyBlanks(nameOnlyBox) ? clanNameBox : nameOnlyBox;
}

EffectRow DefaultEffectRow(const QString &effect, const QString &clanTagBox, const QString &nameBox)
{
    const QString lower = effect.toLower();
    if (lower == QLatin1String("bounce"))
        return {effect, QStringLiteral("1"), QStringLiteral("0")};
    if (isScroll(lower))
        return {effect, QString::number(clanTagBox.size() + nameBox.size()), QStringLiteral("-")};
    if (lower == EffectColourWave.toLower())
        return {effect, Colorize::PatternNames().first(), QStringLiteral("1")};
    return {effect, QStringLiteral("0"), QStringLiteral("0")};
}

ParameterPanel ParameterPanelFor(const QString &effect)
{
    const QString lower = effect.toLower();
    const QString none = QStringLiteral("No options");
    if (lower == QLatin1String("bounce"))
        return {QStringLiteral("Repeat (1..9)"), none, true, false, 1, 9};
    if (isScroll(lower))
        return {QStringLiteral("Textwidth (1..15)"), QStringLiteral("Fill char"), true, true, 1, 15};
    if (lower == EffectColourWave.toLower())
        return {QStringLiteral("Pattern"), QStringLiteral("Passes (1..9)"), true, true, 0, 0,
                Colorize::PatternNames(), true, 1, MaxColourWavePasses};
    return {none, none, false, false, 0, 0};
}

QString StepParameter(const QString &boxText, int step, int minimum, int maximum)
{
    const std::optional<qint16> number = ToInt16(boxText);
    if (!number)
        return QString::number(minimum);
    // A number outside the range is first brought to its nearer end.
    if (*number < minimum || *number > maximum)
        return QString::number(qBound(minimum, int(*number), maximum));
    return QString::number(qBound(minimum, *number + step, maximum));
}

QString StepChoice(const QString &boxText, int step, const QStringList &choices)
{
    const qsizetype at = choices.indexOf(boxText);
    if (at < 0)
        return choices.value(0);
    return choices.at(qBound<qsizetype>(0, at + step, choices.size() - 1));
}

void RunEffects(AnimationModel &model, const QString &name, const QString &clanTag, bool reverse,
                const QVector<EffectRow> &rows, Prompts &prompts, bool keepColours, const GameRules &game)
{
    model.clear();
    QString workingName = name;
    QString workingClanTag = clanTag;
    for (const EffectRow &row : rows) {
        if (ApplyEffect(model, workingName, row.effect, row.param1, row.param2, workingClanTag, reverse, prompts,
                        keepColours, game)
            == EffectOutcome::LimitReached)
            break;
    }
}

QVector<AnimationLine> EffectLines(const EffectStart &start, const QVector<EffectRow> &rows, bool keepColours,
                                   const GameRules &game)
{
    AnimationModel scratch;
    SilentPrompts quiet;
    RunEffects(scratch, start.name, start.clanTag, start.reverse, rows, quiet, keepColours, game);
    return scratch.lines();
}
