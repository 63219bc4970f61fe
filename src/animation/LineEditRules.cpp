#include "animation/LineEditRules.h"

#include "animation/AnimationLine.h"
#include "colors/Numbers.h"

QString CheckedTime(const QString &text)
{
    return IsNumber(text) ? text : QStringLiteral("20");
}

int ActionIndexFor(const QString &action)
{
    const int index = static_cast<int>(ActionList().indexOf(action.toLower()));
    return index < 0 ? 0 : index;
}
