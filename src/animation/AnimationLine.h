#pragma once

#include <QString>
#include <QStringList>

// One step of the animation: the text shown (with colour codes), the pause
// after it (a number written as text) and the console command that carries it.
struct AnimationLine {
    QString text = QStringLiteral("Text");
    QString time = QStringLiteral("15");
    QString action = QStringLiteral("set name");

    friend bool operator==(const AnimationLine &, const AnimationLine &) = default;
};

// A line as the generators, paste and import build it: Time "15", "set name".
inline AnimationLine NameLine(const QString &text)
{
    return AnimationLine{text, QStringLiteral("15"), QStringLiteral("set name")};
}

// The console commands a line can use, in the order the edit dialog lists them.
const QStringList &ActionList();

// True when the text is exactly one of the actions (case-sensitive, untrimmed).
bool IsAction(const QString &text);
