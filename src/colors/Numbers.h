#pragma once

#include <QString>
#include <optional>

// Numbers typed by the user travel as text. They are read with blanks at both
// ends removed, an optional sign, digits and an optional fraction.

// The numeric value of such a text, or nothing when it is not one.
std::optional<double> NumberValue(const QString &text);

// The value rounded half-to-even, when it lies within -32768..32767.
std::optional<qint16> ToInt16(const QString &text);
// The same for a value already read.
std::optional<qint16> ToInt16(double value);

// True when ToInt16 gives a value.
bool IsNumber(const QString &text);
