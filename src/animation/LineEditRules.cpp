#include "animation/LineEditRules.h"

#include "animation/AnimationLine.h"
#include "colors/Numbers.h"

QString CheckedTime(const QString &text)
{
    return IsNumber(text) ? text : QStringLiteral("20");
}

QString TimeProblem(const QString &text)
{
    if (IsNumber(text))
        return {};
    if (text.trimmed().isEmpty())
        return QStringLiteral("Type the frames to wait, e.g. 20.");
    const std::optional<double> value = NumberValue(text);
    if (!value)
        return QStringLiteral("Not a number: type the frames to wait, e.g. 20.");
    return *value > 0 ? QStringLiteral("Too large: at most 32767.") : QStringLiteral("Too small: at least -32768.");
}

int ActionIndexFor(const QString &action)
{
    const int index = static_cast<int>(ActionList().indexOf(action.toLower()));
    return index < 0 ? 0 : index;
}
