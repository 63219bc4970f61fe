#pragma once

// Shared by the animation file, line command, script and command-line tests.
#include "FileFixtures.h"

#include "script/Contact.h"
#include "animation/LineLimit.h"

#include <QTest>

using Lines = QVector<AnimationLine>;

// The path written, or an empty text when it couldn't be.
inline QString PutBytes(const QString &path, const QByteArray &bytes) { return WriteFileBytes(path, bytes) ? path : QString(); }

inline AnimationLine Line(const char *text, const char *time = "15", const char *action = "set name")
{
    return {QString::fromUtf8(text), QString::fromUtf8(time), QString::fromUtf8(action)};
}

// The worked example: an empty Text, a Time of 0, one that is no number, one past 99.
inline Lines ExampleLines()
{
    return {Line("^1Mar^7quee", "10"), Line("", "0"), Line("hello", "2x", "say_team"), Line("^2bye", "150", "say")};
}

// Its script, line by line: the window joins them with CR LF, the file adds a final CR LF.
inline QStringList ExampleScript()
{
    const QString frame = "//" + QString(33, QLatin1Char('-')) + "\\\\";
    return {"", frame, "//--------- SCRIPT MADE WITH ------\\\\", "//---------- Marqueemaster --------\\\\",
            "//------ a name animation by ------\\\\", frame, "//-" + Contact::Mail + "-\\\\", frame,
            "set name \"^1Mar^7quee\"", "wait 10", "set name \"_\"", "wait 5", "say_team \"hello\"", "wait 15",
            "say \"^2bye\"", "wait 99"};
}

// "Error saving script!", the error's number and its description, one per line (then, for a script, where and
// what to do).
inline bool IsSaveError(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('\n'));
    return parts.size() >= 3 && parts.at(0) == QLatin1String("Error saving script!") && parts.at(1).toInt() != 0 && !parts.at(2).isEmpty();
}
