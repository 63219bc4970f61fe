#pragma once

#include <QString>

// The rules of the line edit dialog, kept out of the dialog so they can be
// checked without a window.

// What the Time field holds once the user is done with it: the text itself when it is a
// number, otherwise "20" (the regular speed), so OK can never store a bad Time.
QString CheckedTime(const QString &text);

// Why a typed Time can't be kept, in a line the dialog shows beside the box; empty when it can.
QString TimeProblem(const QString &text);

// The entry of the action list the dialog picks for a line's Action: the first
// one equal to it in lower case, or 0 ("set name") when none is.
int ActionIndexFor(const QString &action);
