#include "animation/AnimationLine.h"

const QStringList &ActionList()
{
    static const QStringList actions = {
        QStringLiteral("set name"), QStringLiteral("say"),       QStringLiteral("say_team"),
        QStringLiteral("vsay"),     QStringLiteral("vsay_team"), QStringLiteral("echo"),
    };
    return actions;
}

bool IsAction(const QString &text)
{
    return ActionList().contains(text, Qt::CaseSensitive);
}
